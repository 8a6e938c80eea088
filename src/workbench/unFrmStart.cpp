#include "unFrmStart.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>

#include "ui_unFrmStart.h"
#include "unCLDocumentoScript.h"
#include "unDialogos.h"
#include "unRegrasDialogos.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QString kMarcaSimples = QStringLiteral("#/");  // gListaCombo's entry for a plain row
const QString kPendente = QStringLiteral("Pendente");
const QString kOk = QStringLiteral("OK");
const QString kTituloPadrao = QStringLiteral("Confirme os dados de inicialização do script");
const QColor kCorPendente(0x80, 0x00, 0x00);  // maroon
const QColor kCorOk(0x00, 0x80, 0x00);        // green
// The green behind "&Rodar o script" (colour value 7600004).
const QString kEstiloShpRodar = QStringLiteral("#shpRodar { background-color: rgb(132, 247, 115); }");
// A parameters file larger than this is not one.
constexpr qint64 kTamanhoMaximoParametros = 1024 * 1024;
constexpr int kLarguraMinima = 700;

void pintar(QLabel* rotulo, const QColor& cor) {
  QPalette p = rotulo->palette();
  p.setColor(QPalette::WindowText, cor);
  rotulo->setPalette(p);
}

// Text that no parameters file holds: control characters other than tab
// and line breaks, undecodable UTF-16 or replacement characters.
bool textoDanificado(const QString& texto) {
  if (!QStringView(texto).isValidUtf16()) return true;
  for (const QChar c : texto) {
    const char16_t u = c.unicode();
    if (u == u'\t' || u == u'\r' || u == u'\n') continue;
    if (u < 0x20 || u == 0x7F || u == 0xFFFD) return true;
  }
  return false;
}

QString escolherArquivoPadrao(QWidget* pai, const QString& filtro, const QString& pastaInicial) {
  return QFileDialog::getOpenFileName(pai, QStringLiteral("Abrir"), pastaInicial, filtro);
}

}  // namespace

const QString TfrmStart::kFiltroArquivos = QStringLiteral(
    "Todos os formatos|*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.ico;*.emf;*.wmf;*.tif;*.tiff;"
    "*.pdf;*.mp3;*.wav;*.avi;*.mp4|GIF (*.gif)|*.gif|PNG (*.png)|*.png|JPG (*.jpg)|*.jpg|JPEG (*.jpeg)|*.jpeg|"
    "Bitmaps (*.bmp)|*.bmp|PDF|*.pdf|MP3|*.mp3|Wav (áudio)|*.wav|AVI (vídeo)|*.avi|MP4 (vídeo)|*.mp4");

QString TfrmStart::filtroQt(const QString& filtroDelphi) {
  const QStringList partes = filtroDelphi.split(u'|');
  QStringList filtros;
  for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
    const QString descricao = aparar(partes[i]);
    const QString padroes = partes[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
    // Qt takes the patterns from the last parentheses: a description that
    // already ends with them stays as it is, "Wav (áudio)" gets its own.
    if (descricao.endsWith(u'(' + padroes + u')'))
      filtros.append(descricao);
    else
      filtros.append(descricao + QStringLiteral(" (") + padroes + u')');
  }
  return filtros.join(QLatin1String(";;"));
}

TfrmStart::TfrmStart(CLBancadaParametros& bancada, QWidget* pai)
    : QWidget(pai, Qt::Window), ui(std::make_unique<Ui::TfrmStart>()), gBancada(bancada),
      gEscolherArquivo(escolherArquivoPadrao) {
  ui->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);

  // The drop-down that stands over a choice cell; rows are as high as it,
  // so that it fits one pixel inside.
  cmbOpcoes = new QComboBox(ui->gridDados->viewport());
  cmbOpcoes->setObjectName(QStringLiteral("cmbOpcoes"));
  cmbOpcoes->hide();
  cmbOpcoes->installEventFilter(this);
  ui->gridDados->verticalHeader()->setMinimumSectionSize(1);
  ui->gridDados->verticalHeader()->setDefaultSectionSize(cmbOpcoes->sizeHint().height() + 2);
  ui->gridDados->viewport()->installEventFilter(this);
  ui->gridDados->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);

  for (QLabel* rotulo : {ui->lbDados, ui->lbTexto, ui->lbConfig}) pintar(rotulo, kCorPendente);
  setDestaqueRodar(false);
  // The pages are switched by the window itself: their tab bar, hidden or
  // not, never takes the keyboard (it used to get the first focus, and Tab
  // then never reached a visible control).
  ui->pgcParametros->tabBar()->setFocusPolicy(Qt::NoFocus);

  connect(ui->btnRodar, &QPushButton::clicked, this, &TfrmStart::btnRodarClick);
  connect(ui->btnCancelar, &QPushButton::clicked, this, &TfrmStart::btnCancelarClick);
  connect(ui->btnPadrao, &QPushButton::clicked, this, &TfrmStart::btnPadraoClick);
  connect(ui->btnInserirLinha, &QPushButton::clicked, this, &TfrmStart::btnInserirLinhaClick);
  connect(ui->btnFileSet, &QPushButton::clicked, this, &TfrmStart::btnFileSetClick);
  connect(ui->btnInstrucoes, &QPushButton::clicked, this, &TfrmStart::btnInstrucoesClick);
  connect(ui->btnDados, &QPushButton::clicked, this, &TfrmStart::btnDadosClick);
  connect(ui->btnTexto, &QPushButton::clicked, this, &TfrmStart::btnTextoClick);
  connect(ui->btnConfig, &QPushButton::clicked, this, &TfrmStart::btnConfigClick);
  connect(ui->pgcParametros, &QTabWidget::currentChanged, this, [this](int indice) {
    if (ui->pgcParametros->widget(indice) == ui->tsConfiguracoes) setarConfigOk();
  });
  connect(ui->gridDados, &QTableWidget::currentCellChanged, this,
          [this](int linha, int coluna, int, int) { gridDadosSelectCell(linha, coluna); });
  connect(ui->gridDados, &QTableWidget::cellClicked, this, &TfrmStart::gridDadosSelectCell);
  connect(cmbOpcoes, &QComboBox::activated, this, [this](int) { defineComboValue(); });
  // A scrolled grid leaves the drop-down beside its cell: close it.
  for (QScrollBar* barra : {ui->gridDados->verticalScrollBar(), ui->gridDados->horizontalScrollBar()})
    connect(barra, &QScrollBar::valueChanged, this, [this] { cmbOpcoesExit(); });
}

TfrmStart::~TfrmStart() = default;

// --- Filling -------------------------------------------------------------------------------

bool TfrmStart::carregarAnterior(QStringList& listaParam) {
  const QString caminho = CLDocumentoScript::caminhoParametros(gBancada.caminhoScript());
  if (caminho.isEmpty()) return false;
  const QFileInfo info(caminho);
  if (!info.isFile() || info.size() > kTamanhoMaximoParametros) return false;
  QString texto;
  if (!lerArquivoTexto(caminho, texto)) return false;
  // A damaged file, or one that holds nothing, leaves the section's values.
  if (textoDanificado(texto) || aparar(texto).isEmpty()) return false;
  listaParam = dividirLinhas(texto);
  return true;
}

void TfrmStart::posicionarJanela() {
  const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!tela) return;
  const QRect area = tela->availableGeometry();
  const int largura = std::max(area.width() / 2, kLarguraMinima);
  resize(largura, height());
  move(area.x() + (area.width() - largura) / 2, area.y() + std::max(0, (area.height() - height()) / 2));
}

void TfrmStart::loadConfig(const QString& dados) {
  // The user may have moved the window: only the first filling places it.
  if (!gPosicionada) {
    gPosicionada = true;
    posicionarJanela();
  }
  cmbOpcoes->hide();
  gLinhaCombo = -1;
  gListaCombo.clear();
  const int largura = width();
  ui->gridDados->setColumnWidth(0, largura * 20 / 100);
  ui->gridDados->setColumnWidth(1, largura * 30 / 100);
  ui->gridDados->setColumnWidth(2, largura * 50 / 100 - 40);

  const QList<ParametroScript> parametros = lerParametros(dividirLinhas(dados));
  QTableWidget& grade = *ui->gridDados;
  grade.setRowCount(0);
  grade.setRowCount(std::max<int>(1, parametros.size()));
  for (int i = 0; i < grade.rowCount(); ++i)
    for (int c = 0; c < 3; ++c) grade.setItem(i, c, new QTableWidgetItem);
  for (int i = 0; i < parametros.size(); ++i) {
    const ParametroScript& p = parametros[i];
    setCelula(i, 0, p.nome);
    setCelula(i, 1, p.ehEscolha() ? p.opcoes.join(u';') : p.valor);
    setCelula(i, 2, p.descricao);
  }
  identificaCombos();
}

void TfrmStart::identificaCombos() {
  QStringList lista;
  for (int i = 0; i < ui->gridDados->rowCount(); ++i) {
    const QString valor = celula(i, 1);
    if (valor.contains(u';')) {
      lista.append(valor);
      setCelula(i, 1, valor.section(u';', 0, 0));
    } else if (i < gListaCombo.size() && gListaCombo[i] != kMarcaSimples &&
               gListaCombo[i].section(u';', 0, 0) == valor) {
      lista.append(gListaCombo[i]);  // already identified
    } else {
      lista.append(kMarcaSimples);
    }
    // A choice is made with the drop-down only.
    if (QTableWidgetItem* item = ui->gridDados->item(i, 1)) {
      const bool escolha = lista.last() != kMarcaSimples;
      item->setFlags(escolha ? item->flags() & ~Qt::ItemIsEditable : item->flags() | Qt::ItemIsEditable);
    }
  }
  gListaCombo = lista;
}

void TfrmStart::setTitulo(const QString& titulo) {
  ui->lbTitle->setText(aparar(titulo).isEmpty() ? kTituloPadrao : titulo);
}

void TfrmStart::setDescricao(const QString& descricao) {
  if (aparar(descricao).isEmpty()) return;
  ui->lbDescricao->setText(textoDaMensagem(descricao));
}

// --- Cells -------------------------------------------------------------------------------

QString TfrmStart::celula(int linha, int coluna) const {
  const QTableWidgetItem* item = ui->gridDados->item(linha, coluna);
  return item ? item->text() : QString();
}

void TfrmStart::setCelula(int linha, int coluna, const QString& texto) {
  QTableWidgetItem* item = ui->gridDados->item(linha, coluna);
  if (!item) {
    item = new QTableWidgetItem;
    ui->gridDados->setItem(linha, coluna, item);
  }
  item->setText(texto);
}

bool TfrmStart::linhaEhEscolha(int linha) const {
  return linha >= 0 && linha < gListaCombo.size() && gListaCombo[linha] != kMarcaSimples;
}

// --- Choice lists -------------------------------------------------------------------------

void TfrmStart::gridDadosSelectCell(int linha, int coluna) {
  if (!cmbOpcoes->isHidden()) {
    if (linha == gLinhaCombo && coluna == 1) return;
    cmbOpcoesExit();
  }
  if (coluna != 1 || !linhaEhEscolha(linha)) return;
  QTableWidgetItem* item = ui->gridDados->item(linha, 1);
  if (!item) return;
  gLinhaCombo = linha;
  cmbOpcoes->clear();
  cmbOpcoes->addItems(aparar(gListaCombo[linha]).split(u';'));
  cmbOpcoes->setGeometry(ui->gridDados->visualItemRect(item).adjusted(1, 1, -1, -1));
  const int atual = cmbOpcoes->findText(item->text(), Qt::MatchExactly);
  if (atual >= 0) cmbOpcoes->setCurrentIndex(atual);
  cmbOpcoes->show();
  cmbOpcoes->raise();
  cmbOpcoes->setFocus();
}

void TfrmStart::cmbOpcoesExit() {
  if (fecharCombo()) ui->gridDados->setFocus();
}

bool TfrmStart::fecharCombo() {
  if (cmbOpcoes->isHidden()) return false;
  defineComboValue();
  cmbOpcoes->hide();
  gLinhaCombo = -1;
  return true;
}

void TfrmStart::defineComboValue() {
  // Only a drop-down that stands over a row has something to commit.
  if (cmbOpcoes->isHidden() || !linhaEhEscolha(gLinhaCombo) || cmbOpcoes->currentIndex() < 0) return;
  const QString escolhida = cmbOpcoes->currentText();
  setCelula(gLinhaCombo, 1, escolhida);
  QStringList opcoes = gListaCombo[gLinhaCombo].split(u';');
  opcoes.removeOne(escolhida);
  opcoes.prepend(escolhida);
  gListaCombo[gLinhaCombo] = opcoes.join(u';');
}

void TfrmStart::atualizaListaConfigs() {
  for (int i = 0; i < ui->gridDados->rowCount(); ++i)
    if (linhaEhEscolha(i)) setCelula(i, 1, gListaCombo[i]);
}

QList<ParametroScript> TfrmStart::parametros() const {
  QList<ParametroScript> r;
  for (int i = 0; i < ui->gridDados->rowCount(); ++i) {
    ParametroScript p;
    p.nome = celula(i, 0);
    p.descricao = celula(i, 2);
    if (linhaEhEscolha(i)) {
      p.opcoes = gListaCombo[i].split(u';');
      p.valor = p.opcoes.first();
    } else {
      p.valor = celula(i, 1);
    }
    r.append(p);
  }
  return r;
}

QList<VariavelParametro> TfrmStart::saveConfig() const {
  QList<VariavelParametro> r;
  for (const ParametroScript& p : parametros()) r.append({p.nome, p.valor});
  return r;
}

bool TfrmStart::salvarArquivo(QString* erro) const {
  const QString caminho = CLDocumentoScript::caminhoParametros(gBancada.caminhoScript());
  if (caminho.isEmpty()) return true;
  QString texto = linhasParametros(parametros()).join(QLatin1String("\r\n"));
  texto += QLatin1String("\r\n");
  return gravarArquivo(caminho, codificarTexto(texto), erro);
}

// --- Files -------------------------------------------------------------------------------

void TfrmStart::inserirArquivo() {
  const int linha = ui->gridDados->currentRow();
  if (linha < 0) return;
  const QString atual = aparar(linhaEhEscolha(linha) ? gListaCombo[linha].section(u';', 0, 0) : celula(linha, 1));
  const QString pasta = atual.isEmpty() ? QString() : QFileInfo(atual).absolutePath();
  const QString caminho = aparar(gEscolherArquivo ? gEscolherArquivo(this, filtroQt(kFiltroArquivos), pasta) : QString());
  if (!caminho.isEmpty()) {
    fecharCombo();
    if (linhaEhEscolha(linha)) {
      // A file for a choice row is chosen like an option, so that the run
      // gets it.
      QStringList opcoes = gListaCombo[linha].split(u';');
      opcoes.removeOne(caminho);
      opcoes.prepend(caminho);
      gListaCombo[linha] = opcoes.join(u';');
    }
    setCelula(linha, 1, caminho);
  }
  raise();
  activateWindow();
}

// --- Requirements -------------------------------------------------------------------------

void TfrmStart::ocultarRequisitos() {
  gRequisitosIgnorados = true;
  gChecouDados = gChecouTexto = gChecouConfig = true;
  const int indice = ui->pgcParametros->indexOf(ui->tsRequisitos);
  ui->pgcParametros->setCurrentWidget(ui->tsConfiguracoes);
  ui->pgcParametros->setTabVisible(indice, false);
  ui->pgcParametros->tabBar()->hide();
  podeRodar();
}

void TfrmStart::checarRequisitos() {
  gExigencias = gBancada.exigencias();
  gChecouDados = !gExigencias.dados;
  gChecouTexto = !gExigencias.texto;
  gChecouConfig = !gExigencias.config;
  if (!gExigencias.dados && !gExigencias.texto && !gExigencias.config) {
    ocultarRequisitos();
    return;
  }
  ui->btnDados->setEnabled(gExigencias.dados);
  ui->lbDados->setVisible(gExigencias.dados);
  ui->btnTexto->setEnabled(gExigencias.texto);
  ui->lbTexto->setVisible(gExigencias.texto);
  ui->btnConfig->setEnabled(gExigencias.config);
  ui->lbConfig->setVisible(gExigencias.config);
  ui->btnInstrucoes->setEnabled(!aparar(gBancada.textoInformacoes()).isEmpty());
  podeRodar();
}

void TfrmStart::atualizarRequisito(QLabel* rotulo, bool presente, bool& checou) {
  if (presente) {
    rotulo->setText(kOk);
    pintar(rotulo, kCorOk);
    checou = true;
    return;
  }
  // Data or text removed again: the requirement is pending again. A label
  // that tells the user what to do keeps its text.
  checou = false;
  if (rotulo->text() == kOk) rotulo->setText(kPendente);
  if (rotulo->text() == kPendente) pintar(rotulo, kCorPendente);
}

bool TfrmStart::podeRodar() {
  // Only what is demanded is looked at: a requirement not demanded (or all
  // of them after the first run) counts as satisfied.
  if (!gRequisitosIgnorados) {
    if (gExigencias.dados) atualizarRequisito(ui->lbDados, gBancada.primeiraLinhaComDados(), gChecouDados);
    if (gExigencias.texto) atualizarRequisito(ui->lbTexto, gBancada.temTextoAuxiliar(), gChecouTexto);
  }
  const bool pode = gChecouDados && gChecouTexto && gChecouConfig;
  setDestaqueRodar(pode);
  return pode;
}

void TfrmStart::setDestaqueRodar(bool visivel) {
  gDestaque = visivel;
  ui->shpRodar->setStyleSheet(visivel ? kEstiloShpRodar : QString());
}

bool TfrmStart::destaqueRodar() const { return gDestaque; }

void TfrmStart::setarDadosOk() {
  if (!gMostrandoAba) {
    gMostrandoAba = true;
    gBancada.mostrarAbaBancada(AbaBancada::Dados);
    gMostrandoAba = false;
  }
  ui->lbDados->setText(QStringLiteral("A lista precisa ter dados"));
}

void TfrmStart::setarTextoOk() {
  if (!gMostrandoAba) {
    gMostrandoAba = true;
    gBancada.mostrarAbaBancada(AbaBancada::TextoAuxiliar);
    gMostrandoAba = false;
  }
  ui->lbTexto->setText(QStringLiteral("Precisa definir um texto"));
}

void TfrmStart::setarConfigOk() {
  ui->lbConfig->setText(kOk);
  pintar(ui->lbConfig, kCorOk);
  gChecouConfig = true;
  podeRodar();
}

// --- Buttons -------------------------------------------------------------------------------

void TfrmStart::btnRodarClick() {
  if (gRodando) return;
  if (!podeRodar()) {
    if (!gRequisitosIgnorados) ui->pgcParametros->setCurrentWidget(ui->tsRequisitos);
    dialogos::mostrarErro(QStringLiteral("Primeiro verifique as pendências!"), this);
    return;
  }
  // The open choice first (hiding the window takes the focus from it).
  fecharCombo();
  hide();
  QCoreApplication::processEvents();
  atualizaListaConfigs();
  const QList<VariavelParametro> variaveis = saveConfig();
  QString erro;
  if (!salvarArquivo(&erro))
    dialogos::mostrarErro(QStringLiteral("Os valores dos parâmetros não foram guardados para a próxima vez.\n") + erro);

  gRodando = true;
  gIniciouExecucao = true;
  // The window closes after the run, also when the run ends in an error.
  struct Fechar {
    TfrmStart* janela;
    ~Fechar() {
      janela->gRodando = false;
      janela->close();
    }
  } fechar{this};
  gBancada.iniciarExecucao(variaveis);
}

void TfrmStart::btnCancelarClick() { close(); }

void TfrmStart::btnPadraoClick() {
  loadConfig(gBancada.secaoParametros());
  identificaCombos();
  dialogos::mostrarInformacao(QStringLiteral("Os valores padrões foram restaurados"), this);
}

void TfrmStart::btnInserirLinhaClick() {
  bool confirmado = false;
  const QString resposta = dialogos::pedirValor(QStringLiteral("Nome da variável:"), QString(), &confirmado, this);
  // A name is one line of the parameters file.
  const QString nome = aparar(dividirLinhas(resposta).join(u' '));
  if (!confirmado || nome.isEmpty()) return;
  cmbOpcoesExit();
  QTableWidget& grade = *ui->gridDados;
  const int linha = grade.rowCount();
  grade.insertRow(linha);
  for (int c = 0; c < 3; ++c) grade.setItem(linha, c, new QTableWidgetItem);
  setCelula(linha, 0, nome);
  // Every added row is a plain one.
  while (gListaCombo.size() < linha) gListaCombo.append(kMarcaSimples);
  gListaCombo.insert(linha, kMarcaSimples);
  gBancada.marcarNaoSalvo();
}

void TfrmStart::btnFileSetClick() { inserirArquivo(); }

void TfrmStart::btnInstrucoesClick() {
  const QString texto = gBancada.textoInformacoes();
  if (aparar(texto).isEmpty()) return;
  try {
    dialogos::mostrarAjuda(texto, 500, this);
  } catch (...) {
    // Only a help text: nothing to report.
  }
}

void TfrmStart::btnDadosClick() { setarDadosOk(); }
void TfrmStart::btnTextoClick() { setarTextoOk(); }

void TfrmStart::btnConfigClick() {
  ui->pgcParametros->setCurrentWidget(ui->tsConfiguracoes);
  setarConfigOk();
}

// --- Events --------------------------------------------------------------------------------

bool TfrmStart::event(QEvent* evento) {
  const bool r = QWidget::event(evento);
  // Back from the workbench with data or text loaded.
  if (evento->type() == QEvent::WindowActivate && gExibida) podeRodar();
  return r;
}

void TfrmStart::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  if (gExibida) return;
  gExibida = true;
  if (gBancada.jaRodou())
    ocultarRequisitos();
  else
    checarRequisitos();
  focarPrimeiroControle();
}

void TfrmStart::focarPrimeiroControle() {
  // The first control of the page shown that the keyboard can reach.
  QWidget* pagina = ui->pgcParametros->currentWidget();
  if (!pagina) return;
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
    if (pagina->isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void TfrmStart::closeEvent(QCloseEvent* evento) {
  // The run takes place inside btnRodarClick: the window closes itself
  // when it ends.
  if (gRodando) {
    evento->ignore();
    hide();
    return;
  }
  fecharCombo();
  if (!gIniciouExecucao && !gAvisouFechamento) {
    gAvisouFechamento = true;
    gBancada.fechadaSemExecucao();
  }
  QWidget::closeEvent(evento);
}

void TfrmStart::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
    btnCancelarClick();
    return;
  }
  QWidget::keyPressEvent(evento);
}

bool TfrmStart::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == cmbOpcoes && evento->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(evento)->reason() != Qt::PopupFocusReason) {
    // The focus is going elsewhere already: it stays there.
    fecharCombo();
  } else if (objeto == ui->gridDados->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(evento);
    const QModelIndex indice = ui->gridDados->indexAt(mouse->position().toPoint());
    if (indice.isValid() && celula(indice.row(), 0).contains(QLatin1String("arquivo"), Qt::CaseInsensitive)) {
      ui->gridDados->setCurrentCell(indice.row(), indice.column());
      inserirArquivo();
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

}  // namespace mivo
