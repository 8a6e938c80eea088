#pragma once
// Rules of the data-table window that need no widget: column widths, the
// columns a script demands or names, a title line read as a record, and
// what a paste into an open cell means.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

#include "unCLGrade.h"

namespace mivo {

// Column widths as AutoSizeGrid sets them: per column, the widest text
// among the cells measured (title included) by `medir`, kept between 60 and
// 400, plus 10; then the third and fourth columns at least 200. A big table
// is measured on a sample of its rows (linhasMedidas) rather than on all.
QList<int> larguraColunasAuto(const CLGrade& grade, const std::function<int(const QString&)>& medir);
// The rows whose cells AutoSizeGrid measures, in order: every row while
// there are at most kMaxLinhasMedidas; otherwise the first ones (what the
// user sees first), the last ones and an even spread in between, about
// kMaxLinhasMedidas in all.
QList<int> linhasMedidas(int qtdLinhas);
inline constexpr int kMaxLinhasMedidas = 4000;

// The "pre_colunas" setting in the "##pre_carregar" section of a script's
// text; empty when there is none.
QString preColunasDoScript(const QString& textoScript);

// The column names of a script's "{coluna}" placeholders, trimmed and
// lower-cased (the engine finds a column by its title so compared). Names
// made while the script runs (holding "[", "{" or "&") are left out.
QSet<QString> colunasDoScript(const QString& textoScript);

// Whether record 1 of `grade` looks like the title line of the list file it
// came from (the window's reader takes every line as a record). Only a grid
// without titles is considered, and only one of these counts:
// - a cell of record 1 names a column the script uses (`colunasScript`, as
//   colunasDoScript gives them) and that value does not come back further
//   down its column (a title names its column once; a value such as a
//   contact type repeats);
// - record 1 is, cell for cell, one of `titulosConhecidos` (the titles of
//   lists the program wrote or showed), blank cells at the end aside.
// Cells compare trimmed and without regard to case, as titles do. An
// ordinary list of contacts meets neither.
bool pareceLinhaDeTitulos(const CLGrade& grade, const QSet<QString>& colunasScript,
                          const QList<QStringList>& titulosConhecidos);

// Whether text pasted while a cell is being edited goes into the table as
// records, as Ctrl+V outside editing does, instead of into the cell: after
// trimming it still holds a line break or a tab (a block of cells copied
// from a spreadsheet or a list).
bool colarComoRegistros(const QString& texto);

}  // namespace mivo
