#include "unFrmLista.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <optional>

#include "ui_unFrmLista.h"
#include "unCLColunas.h"
#include "unCLFiltro.h"
#include "unCLModeloGrade.h"
#include "unCLNegOffice.h"
#include "unCabecalhoDestaque.h"
#include "unDelegadoDestaque.h"
#include "unFrmAbrir.h"
#include "unFrmProgress.h"
#include "unFrmSalvarFile.h"
#include "unFrmStart.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QString kFiltroListas = QStringLiteral("*.txt;*.csv;*.xls*|*.txt;*.csv;*.xls*|.csv|*.csv|.txt|*.txt|.xls*|*.xls*");
const QString kOperacaoCancelada = QStringLiteral("Operação cancelada");
const QString kProcedimentoCancelado = QStringLiteral("Procedimento cancelado");
constexpr int kLarguraPadrao = 150;
constexpr int kAlturaLinha = 20;
constexpr int kIntervaloDetalhe = 100;  // ms
constexpr int kLarguraLinhaFiltro = 60;  // the view's "Linha" column

// Edits typed into the grid go through CLLista, which marks the table
// changed and detaches it from a "lastrecipients" file; an Enter that ends
// an edit then moves on as Enter does outside editing.
class CLDelegadoLista : public CLDelegadoDestaque {
 public:
  CLDelegadoLista(TfrmLista& janela, std::function<QString()> textoFiltro, QObject* pai)
      : CLDelegadoDestaque(std::move(textoFiltro), pai), gJanela(janela) {}

  // The window sees the editor's keys first: a paste of several lines or
  // cells goes into the table as records (see TfrmLista::eventFilter).
  QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
    QWidget* editor = CLDelegadoDestaque::createEditor(pai, opcao, indice);
    if (editor) editor->installEventFilter(&gJanela);
    return editor;
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& indice) const override {
    auto* campo = qobject_cast<QLineEdit*>(editor);
    if (!campo || !indice.isValid()) return;
    CLLista& lista = gJanela.lista();
    // An unchanged cell is no edit.
    if (lista.gridDados.celula(indice.column(), indice.row() + 1) == campo->text()) return;
    lista.editarCelula(indice.column(), indice.row() + 1, campo->text());
  }

 private:
  TfrmLista& gJanela;
};

// Edits in the filter view: a cell opened for editing puts its row among
// the pending ones (written back to the data grid when another cell is
// selected, or by "Aplicar alterações"); the "Linha" column names the
// record and is not edited.
class CLDelegadoFiltro : public CLDelegadoDestaque {
 public:
  CLDelegadoFiltro(TfrmLista& janela, std::function<QString()> textoFiltro, std::function<void()> aoEditar,
                   QObject* pai)
      : CLDelegadoDestaque(std::move(textoFiltro), pai), gJanela(janela), gAoEditar(std::move(aoEditar)) {}

  QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
    if (!indice.isValid() || indice.column() == 0) return nullptr;
    filtroIniciarEdicao(gJanela.lista(), indice.row() + 1);
    gAoEditar();
    return CLDelegadoDestaque::createEditor(pai, opcao, indice);
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& indice) const override {
    auto* campo = qobject_cast<QLineEdit*>(editor);
    if (!campo || !indice.isValid() || indice.column() == 0) return;
    CLLista& lista = gJanela.lista();
    if (lista.gridFiltro.celula(indice.column(), indice.row() + 1) == campo->text()) return;
    filtroEditarCelula(lista, indice.column(), indice.row() + 1, campo->text());
    gAoEditar();
  }

 private:
  TfrmLista& gJanela;
  std::function<void()> gAoEditar;
};

// Ends an open cell editor of a grid, keeping what was typed.
void concluirEdicaoEm(QAbstractItemView* grade) {
  if (QWidget* editor = grade->indexWidget(grade->currentIndex())) {
    emit grade->itemDelegate()->commitData(editor);
    emit grade->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

}  // namespace

// --- The window --------------------------------------------------------------------------------

TfrmLista::TfrmLista(CLLista& lista, QWidget* pai)
    : QWidget(pai), ui(std::make_unique<Ui::TfrmLista>()), gLista(lista),
      gNegOffice(std::make_unique<CLNegOffice>()), gDialogos(CLDialogosLista::padrao()) {
  ui->setupUi(this);
  gModelo = new CLModeloGrade(gLista.gridDados, this);
  QTableView* g = ui->gridDados;
  // While the rows or columns change the view moves its current cell on
  // its own; the grid's current cell is the one that counts, and the view
  // is put back on it once the change is over.
  for (auto sinal : {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved,
                     &QAbstractItemModel::columnsAboutToBeInserted, &QAbstractItemModel::columnsAboutToBeRemoved})
    connect(gModelo, sinal, this, [this] { gMudandoEstrutura = true; });
  connect(gModelo, &QAbstractItemModel::modelAboutToBeReset, this, [this] { gMudandoEstrutura = true; });
  for (auto sinal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
                     &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
    connect(gModelo, sinal, this, [this] { estruturaMudou(); });
  connect(gModelo, &QAbstractItemModel::modelReset, this, [this] { estruturaMudou(); });
  auto textoFiltro = [this] { return ui->edtFiltro->text(); };
  g->setHorizontalHeader(new CLCabecalhoDestaque(textoFiltro, g));
  g->setModel(gModelo);
  g->setItemDelegate(new CLDelegadoLista(*this, textoFiltro, g));
  g->horizontalHeader()->setDefaultSectionSize(kLarguraPadrao);
  g->verticalHeader()->setDefaultSectionSize(kAlturaLinha);
  g->verticalHeader()->setMinimumSectionSize(8);
  g->setSelectionMode(QAbstractItemView::ExtendedSelection);
  g->setSelectionBehavior(QAbstractItemView::SelectItems);
  // A double click or typing opens the cell editor; F2 saves here, so it
  // does not. A single click never does, even on the selected cell: a user
  // clicks the grid and then pastes a table with Ctrl+V.
  g->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
  g->setWordWrap(false);
  prepararTitulos(g);
  connect(g->horizontalHeader(), &QHeaderView::sectionMoved, this, &TfrmLista::colunaArrastada);
  g->installEventFilter(this);
  g->viewport()->installEventFilter(this);
  connect(g->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& atual) { celulaAtualMudou(atual); });
  connect(g, &QAbstractItemView::clicked, this, [this] { atualizarStatus(); });
  connect(g->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
          [this](QWidget*, QAbstractItemDelegate::EndEditHint dica) {
            // Enter ended the edit: it then does what Enter does in the grid.
            if (dica == QAbstractItemDelegate::SubmitModelCache)
              QMetaObject::invokeMethod(this, [this] { teclaGrade(Qt::Key_Return, Qt::NoModifier); },
                                        Qt::QueuedConnection);
          });

  // The filter view: a second model over the view's grid, shown in place of
  // the data grid while the filter is on.
  QTableView* v = ui->gridFiltro;
  gModeloFiltro = new CLModeloGrade(gLista.gridFiltro, this);
  // The cell detail follows the contents too: a sort, a paste or a script
  // changes the text under the current cell without moving it.
  for (CLModeloGrade* modelo : {gModelo, gModeloFiltro}) {
    connect(modelo, &QAbstractItemModel::dataChanged, &gTmCelula, qOverload<>(&QTimer::start));
    connect(modelo, &QAbstractItemModel::modelReset, &gTmCelula, qOverload<>(&QTimer::start));
  }
  v->setHorizontalHeader(new CLCabecalhoDestaque(textoFiltro, v));
  v->setModel(gModeloFiltro);
  v->setItemDelegate(new CLDelegadoFiltro(*this, textoFiltro, [this] { atualizarBotaoAplicar(); }, v));
  v->horizontalHeader()->setDefaultSectionSize(kLarguraPadrao);
  v->verticalHeader()->setDefaultSectionSize(kAlturaLinha);
  v->verticalHeader()->setMinimumSectionSize(8);
  v->setSelectionMode(QAbstractItemView::ExtendedSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectItems);
  v->setEditTriggers(g->editTriggers());
  v->setWordWrap(false);
  prepararTitulos(v);
  v->installEventFilter(this);
  v->viewport()->installEventFilter(this);
  connect(v->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& atual, const QModelIndex& anterior) { celulaFiltroMudou(atual, anterior); });
  ui->edtFiltro->installEventFilter(this);
  // The highlight follows the filter box as it is typed.
  connect(ui->edtFiltro, &QLineEdit::textChanged, this, [this] {
    for (QTableView* grade : {ui->gridDados, ui->gridFiltro}) {
      grade->viewport()->update();
      grade->horizontalHeader()->viewport()->update();
    }
  });
  ui->gridColunas->installEventFilter(this);
  connect(ui->gridColunas->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
          [this](QWidget*, QAbstractItemDelegate::EndEditHint dica) {
            // Enter in the definition grid goes on to the next row.
            if (dica != QAbstractItemDelegate::SubmitModelCache) return;
            QTableWidget* t = ui->gridColunas;
            if (t->currentRow() + 1 < t->rowCount()) t->setCurrentCell(t->currentRow() + 1, t->currentColumn());
          });

  gLista.gridDados.adicionarObservador(this);
  gLista.aoMostrarStatus = [this](const CLGrade& grade) { showStatus(grade); };

  gTmCelula.setSingleShot(true);
  gTmCelula.setInterval(kIntervaloDetalhe);
  connect(&gTmCelula, &QTimer::timeout, this, &TfrmLista::tmCelulaTimer);

  const QStyle* estilo = style();
  ui->btnNovaLista->setIcon(estilo->standardIcon(QStyle::SP_FileIcon));
  ui->btnInserir->setIcon(estilo->standardIcon(QStyle::SP_FileDialogDetailedView));
  ui->btnExcluir->setIcon(estilo->standardIcon(QStyle::SP_TrashIcon));
  ui->btnAbrir->setIcon(estilo->standardIcon(QStyle::SP_DialogOpenButton));
  ui->btnColar->setIcon(estilo->standardIcon(QStyle::SP_FileDialogContentsView));
  ui->btnSalvar->setIcon(estilo->standardIcon(QStyle::SP_DialogSaveButton));
  ui->btnSalvarComo->setIcon(estilo->standardIcon(QStyle::SP_DriveFDIcon));
  montarMenus();
  conectar();
  ui->pgcLista->setCurrentWidget(ui->tsDados);
  seguirCelulaAtual();
  showStatus(*gLista.gGrid);
}

TfrmLista::~TfrmLista() {
  gTmCelula.stop();
  gLista.gridDados.removerObservador(this);
  gLista.aoMostrarStatus = nullptr;
  ui->gridDados->setModel(nullptr);
  ui->gridFiltro->setModel(nullptr);
}

QTableView* TfrmLista::gridDados() const { return ui->gridDados; }

void TfrmLista::setDialogos(CLDialogosLista dialogos) {
  // Whatever the caller leaves empty keeps the program's own dialog.
  const CLDialogosLista p = CLDialogosLista::padrao();
  auto manter = [](auto& campo, const auto& padrao) {
    if (!campo) campo = padrao;
  };
  manter(dialogos.informar, p.informar);
  manter(dialogos.erro, p.erro);
  manter(dialogos.confirmar, p.confirmar);
  manter(dialogos.pedirValor, p.pedirValor);
  manter(dialogos.entrada, p.entrada);
  manter(dialogos.escolherArquivos, p.escolherArquivos);
  manter(dialogos.escolherSalvar, p.escolherSalvar);
  manter(dialogos.escolherArquivo, p.escolherArquivo);
  manter(dialogos.lerAreaTransferencia, p.lerAreaTransferencia);
  manter(dialogos.gravarAreaTransferencia, p.gravarAreaTransferencia);
  manter(dialogos.caixaTexto, p.caixaTexto);
  gDialogos = std::move(dialogos);
}

CLProgresso& TfrmLista::progresso() {
  if (gProgressoExterno) return gProgressoExterno();
  if (!gProgress) gProgress = std::make_unique<TfrmProgress>(this);
  return *gProgress;
}

TfrmSalvarFile& TfrmLista::janelaSalvar() {
  if (gJanelaSalvarExterna) return gJanelaSalvarExterna();
  if (!gSalvarFile) gSalvarFile = std::make_unique<TfrmSalvarFile>(this);
  return *gSalvarFile;
}

void TfrmLista::ocultarAcoesPendentes() {
  pararMoverColuna();
  ui->btnLimparMarcados->hide();
  atualizarAcoesPendentes();
}

void TfrmLista::atualizarAcoesPendentes() {
  ui->pnAcoes->setVisible(!ui->pnMoverColuna->isHidden() || !ui->btnLimparMarcados->isHidden());
}

QTableView* TfrmLista::gridFiltro() const { return ui->gridFiltro; }

QTableView* TfrmLista::gradeAtiva() const { return gLista.filtroVisivel() ? ui->gridFiltro : ui->gridDados; }

void TfrmLista::prepararTitulos(QTableView* grade) {
  // A title click opens the header popup; it must not select the whole
  // column (a Del then would delete every record).
  QHeaderView* titulos = grade->horizontalHeader();
  disconnect(titulos, &QHeaderView::sectionPressed, grade, nullptr);
  disconnect(titulos, &QHeaderView::sectionEntered, grade, nullptr);
  titulos->setSectionsClickable(true);
  connect(titulos, &QHeaderView::sectionClicked, this, [this](int coluna) {
    if (gMovendoColuna) return;
    if (QMenu* menu = tituloClicado(coluna)) menu->popup(QCursor::pos());
  });
}

void TfrmLista::setDetalheVisivel(bool visivel) { ui->pnCelula->setVisible(visivel); }

// --- Menus ---------------------------------------------------------------------------------------

void TfrmLista::montarMenus() {
  auto item = [this](QMenu* menu, const QString& legenda, auto acao) {
    QAction* a = menu->addAction(legenda);
    connect(a, &QAction::triggered, this, acao);
    return a;
  };

  gMenuNovaLista = new QMenu(this);
  item(gMenuNovaLista, QStringLiteral("Nova lista (não eliminar colunas)"), [this] { novaLista(false); });
  item(gMenuNovaLista, QStringLiteral("Nova lista (eliminar colunas)"), [this] { novaLista(true); });
  ui->btnNovaLista->setMenu(gMenuNovaLista);
  ui->btnNovaLista->setPopupMode(QToolButton::InstantPopup);

  gMenuAbrir = new QMenu(this);
  QAction* nova = gMenuAbrir->addAction(QStringLiteral("Nova lista"));
  nova->setMenu(gMenuNovaLista);
  item(gMenuAbrir, QStringLiteral("Digitar ou colar dados (F3)"), [this] { inserirInput(); });
  item(gMenuAbrir, QStringLiteral("Abrir lista..."), [this] { emit abrirRecentesPedido(); });
  item(gMenuAbrir, QStringLiteral("Abrir arquivo texto ou CSV..."), [this] { abrirJanelaTexto(); });
  item(gMenuAbrir, QStringLiteral("Abrir arquivo do Excel (.xls, .xlsx)"), [this] { abrirJanelaPlanilha(); });

  gMenuEditar = new QMenu(this);
  item(gMenuEditar, QStringLiteral("Esta linha tem o nome das colunas"), [this] { linhaParaTitulos(); });
  item(gMenuEditar, QStringLiteral("Obter caminho de arquivo..."), [this] { obterCaminhoArquivo(); });
  item(gMenuEditar, QStringLiteral("Copiar"), [this] { copiarTudo(); });
  item(gMenuEditar, QStringLiteral("Colar (CTRL + V)"), [this] { executarColar(); });
  item(gMenuEditar, QStringLiteral("Excluir (Del)"), [this] { deletarSelecionados(); });
  item(gMenuEditar, QStringLiteral("Marcar tudo"), [this] { marcarTudo(); });
  item(gMenuEditar, QStringLiteral("Desmarcar tudo"), [this] { desmarcarTudo(); });
  item(gMenuEditar, QStringLiteral("Ir para linha..."), [this] { irParaLinha(); });
  item(gMenuEditar, QStringLiteral("Localizar"), [this] { localizar(); });

  gMenuSalvar = new QMenu(this);
  item(gMenuSalvar, QStringLiteral("Salvar (F2)"), [this] { salvar(); });
  item(gMenuSalvar, QStringLiteral("Salvar como..."), [this] { salvarComoDialogo(); });
  item(gMenuSalvar, QStringLiteral("Listar dados"), [this] { listarDados(); });

  gMenuColunas = new QMenu(this);
  item(gMenuColunas, QStringLiteral("Inserir coluna (F4)"), [this] { inserirColuna(); });
  item(gMenuColunas, QStringLiteral("Renomear colunas"), [this] { renomearColunas(); });
  item(gMenuColunas, QStringLiteral("Excluir coluna"), [this] { excluirColunaMenu(); });
  item(gMenuColunas, QStringLiteral("Mover coluna"), [this] { moverColuna(); });

  gMenuTitulo = new QMenu(this);
  item(gMenuTitulo, QStringLiteral("Ordenar"), [this] { ordenarColuna(); });
  item(gMenuTitulo, QStringLiteral("Renomear"), [this] { renomearColuna(gLista.gSortedColumn); });
  item(gMenuTitulo, QStringLiteral("Copiar dados desta coluna"), [this] { copiarColuna(); });
  item(gMenuTitulo, QStringLiteral("Excluir dados desta coluna"), [this] { limparColuna(); });
  gMenuTitulo->addSeparator();
  item(gMenuTitulo, QStringLiteral("Excluir coluna"), [this] { eliminarColuna(); });

  const std::pair<QToolButton*, QMenu*> barras[] = {{ui->btnMenuAbrir, gMenuAbrir},
                                                    {ui->btnMenuEditar, gMenuEditar},
                                                    {ui->btnMenuSalvar, gMenuSalvar},
                                                    {ui->btnMenuColunas, gMenuColunas}};
  for (const auto& [botao, menu] : barras) {
    botao->setMenu(menu);
    botao->setPopupMode(QToolButton::InstantPopup);
  }
}

void TfrmLista::conectar() {
  connect(ui->btnInserir, &QToolButton::clicked, this, [this] { inserirInput(); });
  connect(ui->btnExcluir, &QToolButton::clicked, this, [this] { deletarSelecionados(); });
  connect(ui->btnAbrir, &QToolButton::clicked, this, [this] { abrirJanelaTexto(); });
  connect(ui->btnColar, &QToolButton::clicked, this, [this] { executarColar(); });
  connect(ui->btnSalvar, &QToolButton::clicked, this, [this] { salvar(); });
  connect(ui->btnSalvarComo, &QToolButton::clicked, this, [this] { salvarComoDialogo(); });
  connect(ui->btnFiltrar, &QPushButton::clicked, this, [this] { filtrar(); });
  connect(ui->edtFiltro, &QLineEdit::returnPressed, this, [this] { filtrar(); });
  connect(ui->btnDesfazerFiltro, &QPushButton::clicked, this, [this] { desfazerFiltro(); });
  connect(ui->btnAplicarFiltro, &QPushButton::clicked, this, [this] { aplicarAlteracoesFiltro(); });
  connect(ui->btnMoverColuna, &QPushButton::clicked, this, [this] { pararMoverColuna(); });
  connect(ui->btnLimparMarcados, &QPushButton::clicked, this, [this] { cancelarMarcados(); });
  connect(ui->btnSalvarColunas, &QPushButton::clicked, this, [this] { salvarColunas(); });
  connect(ui->btnVoltarColunas, &QPushButton::clicked, this, [this] { mostrarPaginaDados(); });
  connect(ui->btnAplicarEliminar, &QPushButton::clicked, this, [this] { aplicarEliminarColuna(); });
  connect(ui->btnVoltarEliminar, &QPushButton::clicked, this, [this] { mostrarPaginaDados(); });
}

QAction* TfrmLista::acao(const QString& legenda) const {
  for (QMenu* menu : {gMenuNovaLista, gMenuAbrir, gMenuEditar, gMenuSalvar, gMenuColunas, gMenuTitulo})
    for (QAction* a : menu->actions())
      if (a->text() == legenda) return a;
  return nullptr;
}

// --- Status and the current cell -------------------------------------------------------------

void TfrmLista::showStatus(const CLGrade& aGrid) {
  ui->lbPosicao->setText(QStringLiteral("Posição: ") + QString::number(aGrid.Row()));
  ui->lbItens->setText(QStringLiteral("Itens: ") + QString::number(aGrid.RowCount() - 1));
  ui->lbSalvo->setText(QStringLiteral("Está salvo: ") +
                       (gLista.estaSalvo() ? QStringLiteral("Sim") : QStringLiteral("Não")));
  ui->lbArquivo->setText(QStringLiteral("Arquivo: ") + gLista.gArquivo);
}

QString TfrmLista::textoPosicao() const { return ui->lbPosicao->text(); }
QString TfrmLista::textoItens() const { return ui->lbItens->text(); }
QString TfrmLista::textoSalvo() const { return ui->lbSalvo->text(); }
QString TfrmLista::textoArquivo() const { return ui->lbArquivo->text(); }

void TfrmLista::atualizarStatus() { showStatus(*gLista.gGrid); }

void TfrmLista::selecaoAlterada(int, int) {
  if (!gSeguindo) seguirCelulaAtual();
}

void TfrmLista::estruturaMudou() {
  gMudandoEstrutura = false;
  seguirCelulaAtual();
}

void TfrmLista::seguirCelulaAtual() {
  if (gMudandoEstrutura) return;
  const CLGrade& g = gLista.gridDados;
  const QModelIndex indice = gModelo->index(g.Row() - 1, g.Col());
  QItemSelectionModel* selecao = ui->gridDados->selectionModel();
  if (indice.isValid() && selecao->currentIndex() != indice) {
    gSeguindo = true;
    selecao->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect);
    ui->gridDados->scrollTo(indice);
    gSeguindo = false;
  }
  gTmCelula.start();
  atualizarStatus();
}

void TfrmLista::celulaAtualMudou(const QModelIndex& atual) {
  if (gSeguindo || gMudandoEstrutura || !atual.isValid()) return;
  gSeguindo = true;
  gLista.gridDados.setCol(atual.column());
  gLista.gridDados.setRow(atual.row() + 1);
  gSeguindo = false;
  gTmCelula.start();
  atualizarStatus();
}

void TfrmLista::concluirEdicao() { concluirEdicaoEm(gradeAtiva()); }

// --- Cell detail -------------------------------------------------------------------------------------

QString TfrmLista::textoDetalhe() const {
  const CLGrade& g = *gLista.gGrid;
  return textoDetalheCelula(g.cell(g.Col(), g.Row()));
}

void TfrmLista::tmCelulaTimer() {
  const QString texto = textoDetalhe();
  if (ui->mmoCelula->toPlainText() != texto) ui->mmoCelula->setPlainText(texto);
}

// --- Keys ---------------------------------------------------------------------------------------------

bool TfrmLista::teclaJanela(int tecla, Qt::KeyboardModifiers) {
  switch (tecla) {
    case Qt::Key_Escape:
      mostrarPaginaDados();
      cancelarMarcados();
      pararMoverColuna();
      return true;
    case Qt::Key_F2:
      salvar();
      return true;
    case Qt::Key_F3:
      inserirInput();
      return true;
    case Qt::Key_F4:
      inserirColuna();
      return true;
    default:
      return false;
  }
}

bool TfrmLista::teclaGrade(int tecla, Qt::KeyboardModifiers modificadores) {
  QTableView* g = ui->gridDados;
  if (g->indexWidget(g->currentIndex())) return false;  // a cell is being edited
  CLGrade& grade = gLista.gridDados;
  const bool semModificador = (modificadores & ~Qt::KeypadModifier) == Qt::NoModifier;
  switch (tecla) {
    case Qt::Key_Delete:
      if (!semModificador) return false;
      deletarSelecionados();
      return true;
    case Qt::Key_V:
      if ((modificadores & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
      executarColar();
      return true;
    case Qt::Key_Down:
      if (!semModificador || grade.Row() != grade.RowCount() - 1) return false;
      gLista.novalinha(false);
      return true;
    case Qt::Key_Right:
      if (!semModificador || grade.Col() != grade.ColCount() - 1) return false;
      gLista.novaColuna();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!semModificador) return false;
      if (grade.Row() == grade.RowCount() - 1)
        gLista.novalinha(true);
      else
        grade.setRow(grade.Row() + 1);
      g->setFocus();
      return true;
    default:
      return false;
  }
}

bool TfrmLista::eventFilter(QObject* objeto, QEvent* evento) {
  QTableView* g = ui->gridDados;
  if (evento->type() == QEvent::KeyPress && objeto->parent() == g->viewport() &&
      static_cast<QKeyEvent*>(evento)->matches(QKeySequence::Paste)) {
    // A cell editor of the grid: a table on the clipboard would be flattened
    // into the cell. It goes into the table as records instead, after what
    // was typed in the cell is kept; a plain text is pasted into the cell.
    if (!colarComoRegistros(gDialogos.lerAreaTransferencia())) return false;
    concluirEdicaoEm(g);
    g->setFocus();
    executarColar();
    return true;
  }
  if (objeto == g && evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (teclaGrade(tecla->key(), tecla->modifiers())) return true;
    // A key that types into a cell marks the table changed; moving around,
    // modifiers and function keys do not.
    const QString texto = tecla->text();
    if (!texto.isEmpty() && texto.at(0).isPrint() && !(tecla->modifiers() & Qt::ControlModifier)) {
      gLista.gEditou = true;
      atualizarStatus();
    }
  } else if (objeto == g && evento->type() == QEvent::KeyRelease) {
    atualizarStatus();
  } else if (objeto == g->viewport() && evento->type() == QEvent::MouseButtonRelease) {
    atualizarStatus();
  } else if (objeto == ui->gridFiltro && evento->type() == QEvent::KeyPress) {
    // The view's records are not deleted there: Del says so.
    auto* tecla = static_cast<QKeyEvent*>(evento);
    QTableView* v = ui->gridFiltro;
    if (tecla->key() == Qt::Key_Delete && !v->indexWidget(v->currentIndex())) {
      deletarSelecionados();
      return true;
    }
  } else if ((objeto == ui->gridFiltro && evento->type() == QEvent::KeyRelease) ||
             (objeto == ui->gridFiltro->viewport() && evento->type() == QEvent::MouseButtonRelease)) {
    atualizarStatus();
  } else if (objeto == ui->edtFiltro && evento->type() == QEvent::KeyPress) {
    // Esc in the filter box leaves the view without writing anything back.
    if (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
      cancelarFiltro();
      return true;
    }
  } else if (objeto == ui->gridColunas && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    QTableWidget* t = ui->gridColunas;
    if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && !t->indexWidget(t->currentIndex())) {
      if (t->currentRow() + 1 < t->rowCount()) t->setCurrentCell(t->currentRow() + 1, t->currentColumn());
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmLista::keyPressEvent(QKeyEvent* evento) {
  // Keys the focused control left alone reach the window here; Esc stays
  // here, so that it never closes the workbench around the window.
  if (teclaJanela(evento->key(), evento->modifiers())) {
    evento->accept();
    return;
  }
  QWidget::keyPressEvent(evento);
}

void TfrmLista::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  mostrarPaginaDados();
  atualizarStatus();
}

// --- Paste and typed input ---------------------------------------------------------------------

bool TfrmLista::colar(const QString& texto) {
  QTableView* g = ui->gridDados;
  g->setUpdatesEnabled(false);
  const bool concluido = gLista.colarCheck(texto, &progresso());
  g->setUpdatesEnabled(true);
  // The columns fit what came in, as after opening a file.
  AutoSizeGrid();
  if (!concluido) gDialogos.informar(kOperacaoCancelada);
  return concluido;
}

void TfrmLista::executarColar() {
  colar(aparar(gDialogos.lerAreaTransferencia()));
  gLista.gSortedColumn = 0;
  atualizarStatus();
}

void TfrmLista::inserirInput() {
  bool ok = false;
  const QString texto = gDialogos.entrada(QStringLiteral("Digite ou cole os dados que quer inserir na lista de dados"),
                                          QString(), QStringLiteral("Ok"), &ok);
  if (ok && !aparar(texto).isEmpty()) colar(texto);
}

// --- Opening ---------------------------------------------------------------------------------------

QStringList TfrmLista::escolherArquivosLista() {
  return gDialogos.escolherArquivos(this, TfrmStart::filtroQt(kFiltroListas), CLLista::pastaListas());
}

void TfrmLista::mostrarErroArquivo(const QString& erro) { gDialogos.erro(QStringLiteral("Erro: ") + erro); }

Desfecho TfrmLista::abrirDeArquivo(bool descartarExistentes) {
  gTitulosAntesDeAbrir.reset();
  const QStringList arquivos = escolherArquivosLista();
  Desfecho desfecho = Desfecho::Cancelado;
  // A spreadsheet read as text would fill the table with the bytes of its
  // package: it is refused before anything is discarded.
  const auto planilha = std::find_if(arquivos.begin(), arquivos.end(), &CLNegOffice::ehPlanilha);
  if (planilha != arquivos.end()) {
    mostrarErroArquivo(QStringLiteral("\"%1\" é uma planilha, não um arquivo texto. Use \"Abrir arquivo do Excel "
                                      "(.xls, .xlsx)\" para importá-la.")
                           .arg(QFileInfo(*planilha).fileName()));
    return Desfecho::Falhou;
  }
  if (!arquivos.isEmpty()) {
    QString erro;
    // Record 1 is the file's first line when the table held no records.
    const bool primeiraLinhaDoArquivo = descartarExistentes || !gLista.temDados();
    const QStringList titulosAntes = gLista.gridDados.celulasLinha(0);
    ui->gridDados->setUpdatesEnabled(false);
    desfecho = gLista.abrirArquivos(arquivos, descartarExistentes, &progresso(), &erro);
    ui->gridDados->setUpdatesEnabled(true);
    if (desfecho == Desfecho::Cancelado) gDialogos.informar(kOperacaoCancelada);
    if (desfecho == Desfecho::Falhou) mostrarErroArquivo(erro);
    if (desfecho == Desfecho::Concluido && primeiraLinhaDoArquivo) gTitulosAntesDeAbrir = titulosAntes;
  }
  AutoSizeGrid();
  atualizarStatus();
  return desfecho;
}

QString TfrmLista::perguntaTitulos(const QStringList& celulas) {
  constexpr int kMaxNomes = 6;
  QStringList nomes;
  for (const QString& c : celulas)
    if (!aparar(c).isEmpty()) nomes << aparar(c);
  if (nomes.size() > kMaxNomes) {
    nomes.resize(kMaxNomes);
    nomes << QStringLiteral("...");
  }
  return QStringLiteral("A primeira linha do arquivo parece ter os nomes das colunas (%1). Deseja usá-la como "
                        "nomes das colunas?")
      .arg(nomes.join(QStringLiteral(", ")));
}

bool TfrmLista::oferecerTitulos() {
  if (!gTitulosAntesDeAbrir) return false;
  // The titles the table had before the open count as known too: the same
  // list opened again.
  QList<QStringList> conhecidos = gLista.gTitulosGravados;
  conhecidos << *std::exchange(gTitulosAntesDeAbrir, std::nullopt);
  const QSet<QString> colunas = gTextoScript ? colunasDoScript(gTextoScript()) : QSet<QString>();
  CLGrade& g = gLista.gridDados;
  if (!pareceLinhaDeTitulos(g, colunas, conhecidos)) return false;
  if (!gDialogos.confirmar(perguntaTitulos(g.celulasLinha(1)))) return false;
  // The table still holds what its file holds, titles first: it stays as
  // saved as it was.
  const bool editou = gLista.gEditou;
  g.setRow(1);
  gLista.linhaParaTitulos();
  gLista.gEditou = editou;
  AutoSizeGrid();
  atualizarStatus();
  return true;
}

void TfrmLista::abrirJanelaTexto() {
  TfrmAbrir janela(*this, TfrmAbrir::Pagina::Texto, this);
  gTitulosAntesDeAbrir.reset();
  janela.exec();
  AutoSizeGrid();
  // Once, when the window has closed: the first line read may be titles.
  oferecerTitulos();
}

void TfrmLista::abrirJanelaPlanilha() {
  TfrmAbrir janela(*this, TfrmAbrir::Pagina::Planilha, this);
  janela.exec();
}

// --- New list ----------------------------------------------------------------------------------------

bool TfrmLista::novaLista(bool excluirColunas) {
  if (!gLista.novaLista(excluirColunas, [this](const QString& pergunta) { return gDialogos.confirmar(pergunta); }))
    return false;
  if (excluirColunas && gTextoScript) {
    const QString valor = preColunasDoScript(gTextoScript());
    if (!aparar(valor).isEmpty()) {
      CLGrade& g = gLista.gridDados;
      const QStringList titulos = valor.split(u',');
      if (g.ColCount() < titulos.size()) g.setColCount(int(titulos.size()));
      for (int k = 0; k < titulos.size(); ++k) g.setCell(k, 0, titulos[k]);
      AutoSizeGrid();
      gDialogos.informar(
          QStringLiteral("O script exige algumas colunas iniciais, então elas foram adicionadas automaticamente"));
    }
  }
  return true;
}

// --- Saving --------------------------------------------------------------------------------------------

bool TfrmLista::salvar() {
  concluirEdicao();
  if (!aparar(gLista.gArquivo).isEmpty()) return salvarComo(gLista.gArquivo);
  return salvarNaJanelaSalvar();
}

bool TfrmLista::salvarNaJanelaSalvar() {
  QTableView* g = gradeAtiva();
  g->setUpdatesEnabled(false);
  const std::optional<QString> texto = mivo::copiarTudo(*gLista.gGrid, &progresso());
  g->setUpdatesEnabled(true);
  if (!texto) {
    gDialogos.informar(kProcedimentoCancelado);
    return false;
  }
  CLLista::pastaListas();
  const QString gravado = janelaSalvar().salvarArquivo(
      QStringLiteral("Salvar lista de dados"), QStringLiteral(".txt"), QStringLiteral("dados\\listas\\"), *texto,
      QFileInfo(gLista.gLastFile).completeBaseName());
  if (gravado.isEmpty()) return false;
  gLista.registrarGravacao(gravado);
  atualizarStatus();
  return true;
}

bool TfrmLista::salvarComoDialogo() {
  concluirEdicao();
  const QString pasta = CLLista::pastaListas();
  const QString nome = QFileInfo(gLista.gLastFile).fileName();
  const QString proposto = nome.isEmpty() ? pasta : QDir(pasta).filePath(nome);
  QString caminho = aparar(gDialogos.escolherSalvar(this, QStringLiteral("*.txt (*.txt)"), proposto));
  if (caminho.isEmpty()) return false;
  if (QFileInfo(caminho).suffix().isEmpty()) caminho += QStringLiteral(".txt");
  if (QFileInfo::exists(caminho) &&
      !gDialogos.confirmar(QStringLiteral("O arquivo já existe. Deseja sobrepor?")))
    return false;
  return salvarComo(caminho);
}

bool TfrmLista::salvarComo(const QString& arquivo) {
  QString erro;
  const Desfecho d = gLista.salvarComo(arquivo, &progresso(), &erro);
  if (d == Desfecho::Cancelado) gDialogos.informar(kProcedimentoCancelado);
  // A save that failed is said, never passed over: the user believes the
  // data safe otherwise.
  if (d == Desfecho::Falhou) mostrarErroArquivo(erro);
  atualizarStatus();
  return d == Desfecho::Concluido;
}

// --- Deleting and editing records ------------------------------------------------------------

QList<std::pair<int, int>> TfrmLista::faixasSelecionadas() const {
  QList<std::pair<int, int>> faixas;
  for (const QItemSelectionRange& r : ui->gridDados->selectionModel()->selection())
    faixas.append({r.top() + 1, r.bottom() + 1});
  std::sort(faixas.begin(), faixas.end());
  QList<std::pair<int, int>> unidas;
  for (const auto& f : faixas) {
    if (!unidas.isEmpty() && f.first <= unidas.last().second + 1)
      unidas.last().second = std::max(unidas.last().second, f.second);
    else
      unidas.append(f);
  }
  return unidas;
}

void TfrmLista::deletarSelecionados() {
  QString erro;
  if (gLista.gGrid != &gLista.gridDados) {
    gDialogos.erro(QStringLiteral("Não é possível excluir dados filtrados"));
    return;
  }
  const QList<std::pair<int, int>> faixas = faixasSelecionadas();
  // From the bottom up, so that the rows of the runs above keep their
  // numbers; the last call makes the top of the first run current.
  for (auto f = faixas.rbegin(); f != faixas.rend(); ++f)
    if (!gLista.deletarSelecionados(f->first, f->second, &erro)) {
      gDialogos.erro(erro);
      return;
    }
  seguirCelulaAtual();
}

void TfrmLista::linhaParaTitulos() {
  concluirEdicao();
  gLista.linhaParaTitulos();
}

void TfrmLista::obterCaminhoArquivo() {
  const QString caminho = aparar(
      gDialogos.escolherArquivo(this, TfrmStart::filtroQt(TfrmStart::kFiltroArquivos), pastaBase()));
  if (caminho.isEmpty()) return;
  const CLGrade& g = gLista.gridDados;
  gLista.editarCelula(g.Col(), g.Row(), caminho);
}

void TfrmLista::irParaLinha() {
  bool ok = false;
  const QString texto = gDialogos.pedirValor(filtro::promptIrParaLinha(), QString(), &ok);
  if (!ok) return;
  if (const std::optional<int> linha = mivo::irParaLinha(gLista.gridDados, texto)) gLista.gridDados.setRow(*linha);
}

void TfrmLista::copiarTudo() {
  ui->gridDados->setUpdatesEnabled(false);
  const std::optional<QString> texto = mivo::copiarTudo(gLista.gridDados, &progresso());
  ui->gridDados->setUpdatesEnabled(true);
  if (texto) gDialogos.gravarAreaTransferencia(*texto);
}

void TfrmLista::listarDados() {
  gDialogos.entrada(filtro::tituloListar(), mivo::listarDados(*gLista.gGrid), QStringLiteral("Ok"), nullptr);
}

// --- Column widths ------------------------------------------------------------------------------

void TfrmLista::AutoSizeGrid() {
  const QFontMetrics medidas(ui->gridDados->font());
  const QList<int> larguras =
      larguraColunasAuto(gLista.gridDados, [&](const QString& t) { return medidas.horizontalAdvance(t); });
  for (int c = 0; c < larguras.size(); ++c) ui->gridDados->setColumnWidth(c, larguras[c]);
}

// --- Column commands ----------------------------------------------------------------------------------

QString TfrmLista::pedirNomeColuna(const QString& titulo) {
  bool ok = false;
  const QString resposta = gDialogos.caixaTexto(titulo, colunas::promptNome(), QString(), &ok);
  return ok ? resposta : QString();
}

void TfrmLista::inserirColuna() {
  concluirEdicao();
  if (mivo::inserirColuna(gLista, pedirNomeColuna(colunas::tituloInserir())) >= 0) atualizarStatus();
}

void TfrmLista::renomearColuna(int coluna) {
  concluirEdicao();
  mivo::renomearColuna(gLista, coluna, pedirNomeColuna(colunas::tituloRenomear()));
}

void TfrmLista::ordenarColuna() {
  concluirEdicao();
  QTableView* g = gradeAtiva();
  const Desfecho d = mivo::ordenarColuna(gLista, gLista.gSortedColumn, false, &progresso());
  if (d == Desfecho::Cancelado) gDialogos.informar(kOperacaoCancelada);
  atualizarBotaoAplicar();
  g->viewport()->update();
  atualizarStatus();
}

void TfrmLista::copiarColuna() {
  gDialogos.gravarAreaTransferencia(mivo::copiarColuna(*gLista.gGrid, gLista.gSortedColumn));
}

void TfrmLista::limparColuna() {
  if (!gDialogos.confirmar(colunas::perguntaLimpar())) return;
  concluirEdicao();
  mivo::limparColuna(gLista, gLista.gSortedColumn);
  atualizarStatus();
}

void TfrmLista::eliminarColuna() {
  const int coluna = gLista.gSortedColumn;
  if (coluna < 0 || coluna >= gLista.gGrid->ColCount()) return;
  if (!gDialogos.confirmar(colunas::perguntaExcluir(aparar(gLista.gGrid->cell(coluna, 0))))) return;
  concluirEdicao();
  mivo::eliminarColuna(gLista, coluna);
  atualizarStatus();
}

void TfrmLista::mostrarPaginaDados() { ui->pgcLista->setCurrentWidget(ui->tsDados); }

void TfrmLista::renomearColunas() {
  concluirEdicao();
  const QList<DefinicaoColuna> definicoes = showColunas(gLista.gridDados);
  QTableWidget* t = ui->gridColunas;
  t->clearContents();
  t->setRowCount(int(definicoes.size()));
  for (int k = 0; k < definicoes.size(); ++k) {
    auto* exemplo = new QTableWidgetItem(definicoes[k].exemplo);
    exemplo->setFlags(exemplo->flags() & ~Qt::ItemIsEditable);
    t->setItem(k, 0, exemplo);
    t->setItem(k, 1, new QTableWidgetItem(definicoes[k].nome));
  }
  t->setCurrentCell(0, 1);
  ui->pgcLista->setCurrentWidget(ui->tsColunas);
  t->setFocus();
}

void TfrmLista::salvarColunas() {
  QTableWidget* t = ui->gridColunas;
  concluirEdicaoEm(t);
  QStringList nomes;
  for (int k = 0; k < t->rowCount(); ++k) nomes << (t->item(k, 1) ? t->item(k, 1)->text() : QString());
  setColunas(gLista, nomes);
  mostrarPaginaDados();
}

void TfrmLista::excluirColunaMenu() {
  concluirEdicao();
  QComboBox* escolha = ui->cbEliminarColuna;
  escolha->clear();
  escolha->addItems(preencherComboColunas(gLista.gridDados));
  escolha->setCurrentIndex(gLista.gridDados.Col());
  ui->pgcLista->setCurrentWidget(ui->tsEliminarColuna);
}

void TfrmLista::aplicarEliminarColuna() {
  QComboBox* escolha = ui->cbEliminarColuna;
  const int coluna = escolha->currentIndex();
  if (coluna < 0 || coluna >= gLista.gridDados.ColCount()) {
    gDialogos.erro(colunas::erroSemColuna());
    return;
  }
  eliminarColunaDados(gLista, coluna);
  escolha->removeItem(coluna);
  mostrarPaginaDados();
  atualizarStatus();
}

void TfrmLista::moverColuna() {
  gMovendoColuna = true;
  ui->gridDados->horizontalHeader()->setSectionsMovable(true);
  ui->pnMoverColuna->show();
  atualizarAcoesPendentes();
}

void TfrmLista::pararMoverColuna() {
  gMovendoColuna = false;
  ui->gridDados->horizontalHeader()->setSectionsMovable(false);
  ui->pnMoverColuna->hide();
  atualizarAcoesPendentes();
}

void TfrmLista::colunaArrastada(int logica, int deVisual, int paraVisual) {
  if (!gMovendoColuna || deVisual == paraVisual) return;  // our own restoring move, or no move
  pararMoverColuna();
  // After the header has finished its drag: its order is put back and the
  // grid's columns move instead, their widths with them.
  QMetaObject::invokeMethod(
      this,
      [this, logica, deVisual, paraVisual] {
        QHeaderView* h = ui->gridDados->horizontalHeader();
        h->moveSection(paraVisual, deVisual);
        QList<int> larguras;
        for (int c = 0; c < h->count(); ++c) larguras << h->sectionSize(c);
        if (logica < larguras.size() && paraVisual < larguras.size()) larguras.move(logica, paraVisual);
        mivo::moverColuna(gLista, logica, paraVisual);
        for (int c = 0; c < larguras.size() && c < h->count(); ++c) h->resizeSection(c, larguras[c]);
        atualizarStatus();
      },
      Qt::QueuedConnection);
}

// --- Filter ---------------------------------------------------------------------------------------------

void TfrmLista::setExecucaoAtiva(bool ativa) {
  ui->pnFiltro->setEnabled(!ativa);
  ui->pnBarraFiltro->setEnabled(!ativa);
}

void TfrmLista::localizar() {
  ui->pnFiltro->show();
  ui->edtFiltro->setFocus();
  ui->edtFiltro->selectAll();
}

void TfrmLista::sincronizarFiltro() {
  const bool visivel = gLista.filtroVisivel();
  ui->gridDados->setVisible(!visivel);
  ui->gridFiltro->setVisible(visivel);
  ui->pnBarraFiltro->setVisible(visivel);
  atualizarBotaoAplicar();
}

void TfrmLista::atualizarBotaoAplicar() {
  ui->btnAplicarFiltro->setVisible(gLista.filtroVisivel() && filtroPendente(gLista));
}

void TfrmLista::filtrar() {
  concluirEdicao();
  const Desfecho d =
      filtrarGrid(gLista, ui->edtFiltro->text(), ui->ckbTermoExato->isChecked(), &progresso());
  sincronizarFiltro();
  if (d != Desfecho::Concluido) return;
  QTableView* v = ui->gridFiltro;
  v->setColumnWidth(0, kLarguraLinhaFiltro);
  for (int c = 0; c < gLista.gridDados.ColCount(); ++c) v->setColumnWidth(c + 1, ui->gridDados->columnWidth(c));
  const CLGrade& visao = gLista.gridFiltro;
  const QModelIndex inicio = gModeloFiltro->index(visao.Row() - 1, visao.Col());
  if (inicio.isValid()) v->selectionModel()->setCurrentIndex(inicio, QItemSelectionModel::ClearAndSelect);
  v->setFocus();
  gTmCelula.start();
  atualizarStatus();
}

void TfrmLista::celulaFiltroMudou(const QModelIndex& atual, const QModelIndex& anterior) {
  if (!atual.isValid() || !gLista.filtroVisivel()) return;
  // Leaving the edited cell writes its row back at once.
  if (anterior.isValid() && filtroPendente(gLista)) {
    filtroSalvarDados(gLista);
    atualizarBotaoAplicar();
  }
  gLista.gridFiltro.setCol(atual.column());
  gLista.gridFiltro.setRow(atual.row() + 1);
  gTmCelula.start();
  atualizarStatus();
}

void TfrmLista::aplicarAlteracoesFiltro() {
  concluirEdicao();
  filtroSalvarDados(gLista);
  atualizarBotaoAplicar();
  atualizarStatus();
}

void TfrmLista::desfazerFiltro() {
  concluirEdicao();
  const bool aplicar = gLista.filtroVisivel() && filtroPendente(gLista) &&
                       gDialogos.confirmar(filtro::perguntaDesfazer());
  mivo::desfazerFiltro(gLista, aplicar);
  sincronizarFiltro();
  ui->gridDados->setFocus();
  seguirCelulaAtual();
}

void TfrmLista::cancelarFiltro() {
  concluirEdicao();
  mivo::desfazerFiltro(gLista, false);
  sincronizarFiltro();
  seguirCelulaAtual();
}

// --- Marks ------------------------------------------------------------------------------------------------

void TfrmLista::cancelarMarcados() {
  mivo::cancelarMarcados(gLista);
  // The marks are the grid's range selection: it goes back to the current
  // cell, so that a Del afterwards no longer reaches the marked records.
  if (!ui->btnLimparMarcados->isHidden()) {
    QTableView* g = gradeAtiva();
    const QModelIndex atual = g->currentIndex();
    if (atual.isValid())
      g->selectionModel()->select(atual, QItemSelectionModel::ClearAndSelect);
    else
      g->selectionModel()->clearSelection();
    ui->btnLimparMarcados->hide();
    atualizarAcoesPendentes();
  }
  gradeAtiva()->viewport()->update();
}

void TfrmLista::marcarTudo() {
  // Every cell of every record.
  const Selecao s = mivo::marcarTudo(gLista.gridDados);
  const QItemSelection tudo(gModelo->index(s.linIni - 1, s.colIni), gModelo->index(s.linFim - 1, s.colFim));
  ui->gridDados->selectionModel()->select(tudo, QItemSelectionModel::ClearAndSelect);
  ui->btnLimparMarcados->show();
  atualizarAcoesPendentes();
}

void TfrmLista::desmarcarTudo() {
  // The selection goes to the title row, which is the grid's header here:
  // no record stays selected, so a Del after it deletes nothing.
  mivo::desmarcarTudo(gLista);
  ui->gridDados->selectionModel()->clearSelection();
  ui->btnLimparMarcados->hide();
  atualizarAcoesPendentes();
}

QMenu* TfrmLista::tituloClicado(int coluna) {
  if (coluna < 0 || coluna >= gLista.gGrid->ColCount()) return nullptr;
  gLista.gSortedColumn = coluna;
  if (aparar(gLista.gGrid->cell(coluna, 0)).isEmpty()) {
    renomearColuna(coluna);
    return nullptr;
  }
  return gMenuTitulo;
}

}  // namespace mivo
