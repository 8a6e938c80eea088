#include "unCabecalhoDestaque.h"

#include <QPainter>
#include <QStyleOptionHeader>
#include <utility>

#include "unCLFiltro.h"
#include "unDelegadoDestaque.h"

namespace mivo {

CLCabecalhoDestaque::CLCabecalhoDestaque(std::function<QString()> textoFiltro, QWidget* pai)
    : QHeaderView(Qt::Horizontal, pai), gTextoFiltro(std::move(textoFiltro)) {
  setHighlightSections(true);
}

void CLCabecalhoDestaque::paintSection(QPainter* pintor, const QRect& retangulo, int secao) const {
  const QString filtro = gTextoFiltro ? gTextoFiltro() : QString();
  const QString texto = model() ? model()->headerData(secao, orientation(), Qt::DisplayRole).toString() : QString();
  const std::optional<Destaque> destaque = destaqueFiltro(texto, filtro);
  if (!destaque) {
    QHeaderView::paintSection(pintor, retangulo, secao);
    return;
  }
  // The section without its text, then the text and the mark as in a cell.
  QStyleOptionHeader opcao;
  initStyleOption(&opcao);
  opcao.rect = retangulo;
  opcao.section = secao;
  opcao.text.clear();
  pintor->save();
  style()->drawControl(QStyle::CE_Header, &opcao, pintor, this);
  const QFontMetrics medidas(font());
  const int base = retangulo.top() + (retangulo.height() - medidas.height()) / 2 + medidas.ascent();
  pintor->setClipRect(retangulo);
  pintor->setFont(font());
  pintor->setPen(palette().color(QPalette::ButtonText));
  pintor->drawText(QPoint(retangulo.left() + 2, base), texto);
  const QRect marca = retanguloDestaque(retangulo, medidas, texto, destaque->posicao, destaque->tamanho);
  if (!marca.isEmpty()) {
    pintor->fillRect(marca, CLDelegadoDestaque::corDestaque());
    pintor->setPen(palette().color(QPalette::Text));
    pintor->drawText(QPoint(marca.left() + 1, base), texto.mid(destaque->posicao, destaque->tamanho));
  }
  pintor->restore();
}

}  // namespace mivo
