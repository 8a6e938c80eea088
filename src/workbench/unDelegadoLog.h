#pragma once
// Draws the log list's entries as the log page shows them: the list's
// background (the selection colour for a selected entry), the text 2 pixels
// from the left edge, white when selected, otherwise in the entry's colour.

#include <QStyledItemDelegate>

namespace mivo {

class CLDelegadoLog : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
};

}  // namespace mivo
