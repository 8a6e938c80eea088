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

// Data placed into a text being expanded (a cell, the clipboard, ...) has
// its special characters swapped for Unicode noncharacters, so that no later
// step of the expansion reads it as a call, a variable, a column or an
// escape; restaurar swaps them back when the expansion returns. Texts that
// already hold such noncharacters keep them (escapar marks each one).
QString protegerDados(const QString& dados);
QString escapar(const QString& texto);
QString restaurar(const QString& texto);
bool temReservados(const QString& texto);

}  // namespace mivo::expansao
