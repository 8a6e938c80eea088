#pragma once
// The completion list of the script editor: the catalogue's entries in its
// order, each drawn as its category in a column of 85 pixels, the name in
// bold and its hint; it narrows to the names that start with the typed text
// without regard to letter case. It never takes the focus: the editor keeps
// receiving the keys and hands it the navigation keys.

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

namespace mivo {

struct CLFuncao;

class CLModeloCompletar : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Papel { PapelCategoria = Qt::UserRole + 1, PapelDica, PapelInserir };

  explicit CLModeloCompletar(QObject* pai = nullptr);

  // The entries whose name (with or without its "&") starts with `digitado`,
  // letter case ignored; all of them for an empty text or a lone "&".
  static QList<const CLFuncao*> filtrar(const QString& digitado);
  void setFiltro(const QString& digitado);
  const CLFuncao* entrada(int linha) const;

  int rowCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& indice, int papel) const override;

 private:
  QList<const CLFuncao*> gEntradas;
};

class CLDelegadoCompletar : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
  QSize sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
};

class CLListaCompletar : public QListView {
  Q_OBJECT

 public:
  static constexpr int kLargura = 800;
  static constexpr int kColunaCategoria = 85;
  static constexpr int kLinhasVisiveis = 12;

  explicit CLListaCompletar(QWidget* pai = nullptr);

  CLModeloCompletar* modelo() const { return gModelo; }
  // Narrows the list; the first entry becomes the current one. Returns the
  // number of entries left.
  int filtrar(const QString& digitado);
  int qtdEntradas() const;
  const CLFuncao* selecionada() const;
  // Moves the current entry by `passo` rows, kept inside the list.
  void moverSelecao(int passo);
  // Shows the list with its top left corner at `ponto` (global).
  void exibirEm(const QPoint& ponto);

 signals:
  // An entry was double-clicked.
  void escolhida();

 private:
  CLModeloCompletar* gModelo;
};

}  // namespace mivo
