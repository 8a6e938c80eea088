#pragma once
// The script checker as mivo-run uses it: the columns a script will work
// on (its pre-loaded list, the list given with --lista, its initial
// columns) and the findings as lines for the terminal.

#include <QString>
#include <QStringList>

#include "unVerificador.h"

namespace mivo {

// The titles of the list the script works on, when known: the list given
// on the command line (`lista`, already resolved; may be empty) or the one
// its "##pre_carregar" section loads, plus the columns that section
// defines. Unknown (nullopt) when the script names no list and no columns.
// The titles of the list given on the command line are read from its first
// record only, unless the caller knows them already (`titulosDaLista`: a
// spreadsheet imported before the check).
std::optional<QStringList> colunasDoScript(const QStringList& documento, const QString& lista,
                                           const QStringList* titulosDaLista = nullptr);

// The findings of `documento`, with the list's columns when known.
QList<CLAchado> verificarParaRodar(const QStringList& documento, const QString& lista,
                                   const QStringList* titulosDaLista = nullptr);

}  // namespace mivo
