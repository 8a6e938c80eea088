#pragma once
// The pre-load operations, run when a script is opened (its "##pre_carregar"
// section, and the list and text given on mivo-run's command line).

#include <QString>

namespace mivo {

class CLScript;

// The titles of the data table's columns ("nome,email,...").
QString preCarregarColunas(CLScript& script, const QString& valor);
// A list file into the data table, after emptying it; "ok". Throws
// CLAbortoSilencioso when the user declines to lose edited data.
QString preCarregarLista(CLScript& script, const QString& valor);
// A text file into the auxiliary text.
QString preCarregarTexto(CLScript& script, const QString& valor);

}  // namespace mivo
