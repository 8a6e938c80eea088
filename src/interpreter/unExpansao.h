#pragma once
// Value expansion: nested calls, [variables], {columns}, escapes and "\n".
// CLScript::expandirValor is the engine's entry; the helpers here let the
// reader decide once, when a statement is read, whether an argument needs
// expanding at all.

#include <QString>

namespace mivo::expansao {

// True when expansion could change the text besides trimming it: a nested
// call, a variable or a column, an escape, a line break or one of the
// characters expansion replaces.
bool temOQueExpandir(const QString& valor);

}  // namespace mivo::expansao
