#include "unCLListaCompletar.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

#include "unCatalogo.h"

namespace mivo {

CLModeloCompletar::CLModeloCompletar(QObject* pai) : QAbstractListModel(pai), gEntradas(catalogo::entradas()) {}

QList<const CLFuncao*> CLModeloCompletar::filtrar(const QString& digitado) {
  QString prefixo = digitado;
  if (prefixo.startsWith(u'&')) prefixo.remove(0, 1);
  QList<const CLFuncao*> r;
  for (const CLFuncao* f : catalogo::entradas())
    if (QStringView(f->nome).mid(1).startsWith(prefixo, Qt::CaseInsensitive)) r.append(f);
  return r;
}

void CLModeloCompletar::setFiltro(const QString& digitado) {
  beginResetModel();
  gEntradas = filtrar(digitado);
  endResetModel();
}

const CLFuncao* CLModeloCompletar::entrada(int linha) const {
  return linha >= 0 && linha < gEntradas.size() ? gEntradas.at(linha) : nullptr;
}

int CLModeloCompletar::rowCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : static_cast<int>(gEntradas.size());
}

QVariant CLModeloCompletar::data(const QModelIndex& indice, int papel) const {
  const CLFuncao* f = entrada(indice.row());
  if (!f) return {};
  switch (papel) {
    case Qt::DisplayRole: return f->nome;
    case PapelCategoria: return f->textoCategoria();
    case PapelDica: return f->dica;
    case PapelInserir: return f->inserir;
    case Qt::ToolTipRole: return f->nome + f->dica;
    default: return {};
  }
}

void CLDelegadoCompletar::paint(QPainter* p, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const {
  QStyleOptionViewItem o = opcao;
  initStyleOption(&o, indice);
  const bool selecionado = o.state & QStyle::State_Selected;
  p->save();
  p->fillRect(o.rect, o.palette.brush(selecionado ? QPalette::Highlight : QPalette::Base));
  p->setPen(o.palette.color(selecionado ? QPalette::HighlightedText : QPalette::Text));
  QRect r = o.rect.adjusted(4, 0, -4, 0);
  const QRect categoria(r.left(), r.top(), CLListaCompletar::kColunaCategoria - 4, r.height());
  p->setFont(o.font);
  p->drawText(categoria, Qt::AlignVCenter | Qt::AlignLeft, indice.data(CLModeloCompletar::PapelCategoria).toString());
  r.setLeft(o.rect.left() + CLListaCompletar::kColunaCategoria);
  QFont negrito = o.font;
  negrito.setBold(true);
  p->setFont(negrito);
  const QString nome = indice.data(Qt::DisplayRole).toString();
  p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, nome);
  r.setLeft(r.left() + QFontMetrics(negrito).horizontalAdvance(nome));
  p->setFont(o.font);
  const QString dica = indice.data(CLModeloCompletar::PapelDica).toString();
  p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, QFontMetrics(o.font).elidedText(dica, Qt::ElideRight, r.width()));
  p->restore();
}

QSize CLDelegadoCompletar::sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex&) const {
  return {CLListaCompletar::kLargura, QFontMetrics(opcao.font).height() + 4};
}

CLListaCompletar::CLListaCompletar(QWidget* pai)
    : QListView(pai), gModelo(new CLModeloCompletar(this)) {
  // A window of its own (it may be wider than the editor) that never takes
  // the focus from the editor.
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setModel(gModelo);
  setItemDelegate(new CLDelegadoCompletar(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFixedWidth(kLargura);
  setObjectName(QStringLiteral("lstCompletar"));
  connect(this, &QListView::doubleClicked, this, &CLListaCompletar::escolhida);
}

int CLListaCompletar::filtrar(const QString& digitado) {
  gModelo->setFiltro(digitado);
  if (gModelo->rowCount() > 0) setCurrentIndex(gModelo->index(0));
  return gModelo->rowCount();
}

int CLListaCompletar::qtdEntradas() const { return gModelo->rowCount(); }

const CLFuncao* CLListaCompletar::selecionada() const { return gModelo->entrada(currentIndex().row()); }

void CLListaCompletar::moverSelecao(int passo) {
  const int n = gModelo->rowCount();
  if (n == 0) return;
  const int atual = currentIndex().isValid() ? currentIndex().row() : 0;
  setCurrentIndex(gModelo->index(std::clamp(atual + passo, 0, n - 1)));
  scrollTo(currentIndex());
}

void CLListaCompletar::exibirEm(const QPoint& ponto) {
  const int linha = sizeHintForRow(0) > 0 ? sizeHintForRow(0) : fontMetrics().height() + 4;
  const int altura = linha * std::min(kLinhasVisiveis, std::max(1, qtdEntradas())) + 2 * frameWidth();
  QPoint p = ponto;
  // Kept on the screen: above the caret when there is no room below.
  if (const QScreen* tela = QApplication::screenAt(ponto)) {
    const QRect area = tela->availableGeometry();
    if (p.x() + kLargura > area.right()) p.setX(std::max(area.left(), area.right() - kLargura));
    if (p.y() + altura > area.bottom()) p.setY(std::max(area.top(), p.y() - altura - linha));
  }
  setFixedHeight(altura);
  move(p);
  show();
  raise();
}

}  // namespace mivo
