#pragma once
// Rules of the data-table window that need no widget: column widths and
// the columns a script demands.

#include <QList>
#include <QString>
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

}  // namespace mivo
