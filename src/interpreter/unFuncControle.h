#pragma once
// Control flow: markers and jumps, conditions, the last result, blocks and
// shell commands.

#include <QString>

namespace mivo {

class CLScript;

QString fnResultado(CLScript& s, const QString& argumentos);

}  // namespace mivo
