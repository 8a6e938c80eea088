#pragma once
// Draws the cells of the data-table window's grids with the searched text
// marked: while the filter box holds text, the first case-insensitive
// occurrence of it in each cell gets a pale green background (only the
// first one per cell). The text of a marked cell is drawn 2 pixels from the
// cell's left edge; cells without the text are drawn as usual.

#include <QColor>
#include <QRect>
#include <QStringView>
#include <QStyledItemDelegate>
#include <functional>

class QFontMetrics;

namespace mivo {

// The marked rectangle of a cell whose text holds the filter text at
// `posicao` (`tamanho` characters): from 1 pixel right of the cell's left
// edge plus the width of the text before it, 1 pixel in from the top and
// the bottom, as wide as the occurrence plus 1 pixel and never past the
// cell's right edge. Empty when it would start past that edge.
QRect retanguloDestaque(const QRect& celula, const QFontMetrics& medidas, QStringView texto, qsizetype posicao,
                        qsizetype tamanho);

class CLDelegadoDestaque : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `textoFiltro` gives the filter box's text at each paint.
  explicit CLDelegadoDestaque(std::function<QString()> textoFiltro, QObject* pai = nullptr);

  static QColor corDestaque() { return QColor(192, 220, 192); }

  void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;

 private:
  std::function<QString()> gTextoFiltro;
};

}  // namespace mivo
