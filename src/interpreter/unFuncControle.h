#pragma once
// Control flow: markers and jumps, conditions, the last result, blocks and
// shell commands.

#include <QString>

namespace mivo {

class CLScript;

QString fnVaiPara(CLScript& s, const QString& argumentos);
QString fnSe(CLScript& s, const QString& argumentos);
QString fnSeResultado(CLScript& s, const QString& argumentos);
QString fnResultado(CLScript& s, const QString& argumentos);
QString fnBlocoExec(CLScript& s, const QString& argumentos);
QString fnBlocoFim(CLScript& s, const QString& argumentos);
QString fnExecutarComando(CLScript& s, const QString& argumentos);

}  // namespace mivo
