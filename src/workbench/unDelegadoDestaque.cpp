#include "unDelegadoDestaque.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "unCLFiltro.h"

namespace mivo {

QRect retanguloDestaque(const QRect& celula, const QFontMetrics& medidas, QStringView texto, qsizetype posicao,
                        qsizetype tamanho) {
  const int esquerda = celula.left() + 1 + medidas.horizontalAdvance(texto.left(posicao).toString());
  const int largura = medidas.horizontalAdvance(texto.mid(posicao, tamanho).toString()) + 1;
  const int direita = std::min(esquerda + largura - 1, celula.right());
  if (direita < esquerda) return {};
  return QRect(QPoint(esquerda, celula.top() + 1), QPoint(direita, celula.bottom() - 1));
}

CLDelegadoDestaque::CLDelegadoDestaque(std::function<QString()> textoFiltro, QObject* pai)
    : QStyledItemDelegate(pai), gTextoFiltro(std::move(textoFiltro)) {}

void CLDelegadoDestaque::paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
                               const QModelIndex& indice) const {
  const QString filtro = gTextoFiltro ? gTextoFiltro() : QString();
  const QString texto = indice.data(Qt::DisplayRole).toString();
  const std::optional<Destaque> destaque = destaqueFiltro(texto, filtro);
  if (!destaque) {
    QStyledItemDelegate::paint(pintor, opcao, indice);
    return;
  }
  // The cell's background, selection and focus as usual, its text here, so
  // that the mark falls on the occurrence.
  QStyleOptionViewItem op = opcao;
  initStyleOption(&op, indice);
  op.text.clear();
  const QWidget* widget = op.widget;
  QStyle* estilo = widget ? widget->style() : QApplication::style();
  estilo->drawControl(QStyle::CE_ItemViewItem, &op, pintor, widget);

  const QRect celula = opcao.rect;
  const QFontMetrics medidas(op.font);
  const bool selecionada = op.state & QStyle::State_Selected;
  const QColor corTexto = op.palette.color(QPalette::Normal, selecionada ? QPalette::HighlightedText : QPalette::Text);
  const int base = celula.top() + (celula.height() - medidas.height()) / 2 + medidas.ascent();
  pintor->save();
  pintor->setClipRect(celula);
  pintor->setFont(op.font);
  pintor->setPen(corTexto);
  pintor->drawText(QPoint(celula.left() + 2, base), texto);
  const QRect marca = retanguloDestaque(celula, medidas, texto, destaque->posicao, destaque->tamanho);
  if (!marca.isEmpty()) {
    pintor->fillRect(marca, corDestaque());
    pintor->setPen(op.palette.color(QPalette::Normal, QPalette::Text));
    pintor->drawText(QPoint(marca.left() + 1, base), texto.mid(destaque->posicao, destaque->tamanho));
  }
  pintor->restore();
}

}  // namespace mivo
