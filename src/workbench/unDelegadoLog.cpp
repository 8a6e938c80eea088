#include "unDelegadoLog.h"

#include <QPainter>

#include "unCLModeloLog.h"

namespace mivo {

void CLDelegadoLog::paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const {
  const bool selecionada = opcao.state & QStyle::State_Selected;
  const QPalette& p = opcao.palette;
  pintor->save();
  pintor->fillRect(opcao.rect, selecionada ? p.highlight() : p.base());
  const auto cor = static_cast<CorLog>(indice.data(CLModeloLog::kPapelCor).toInt());
  pintor->setPen(selecionada ? QColor(Qt::white) : CLModeloLog::corDesenho(cor, p.color(QPalette::WindowText)));
  const QRect area = opcao.rect.adjusted(2, 0, 0, 0);
  const QString texto = opcao.fontMetrics.elidedText(indice.data(Qt::DisplayRole).toString().simplified(),
                                                     Qt::ElideRight, area.width());
  pintor->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, texto);
  pintor->restore();
}

}  // namespace mivo
