#pragma once
// The title row of the data-table window's grids: the searched text is
// marked in the titles as in the cells (see unDelegadoDestaque.h). A title
// holding the filter text is drawn 2 pixels from the section's left edge,
// with its first occurrence on the pale green mark.

#include <QHeaderView>
#include <functional>

namespace mivo {

class CLCabecalhoDestaque : public QHeaderView {
  Q_OBJECT

 public:
  // `textoFiltro` gives the filter box's text at each paint.
  CLCabecalhoDestaque(std::function<QString()> textoFiltro, QWidget* pai = nullptr);

 protected:
  void paintSection(QPainter* pintor, const QRect& retangulo, int secao) const override;

 private:
  std::function<QString()> gTextoFiltro;
};

}  // namespace mivo
