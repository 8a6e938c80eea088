#include "unFrmMain.h"

#include "unCLEditorScript.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QWindow>

#include "ui_unFrmMain.h"
#include "unArquivoDicas.h"
#include "unCLEditorScript.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unDelegadoLog.h"
#include "unCLErro.h"
#include "unDialogos.h"
#include "unDtmPrincipal.h"
#include "unFrmInfo.h"
#include "unFrmLista.h"
#include "unFrmMacro.h"
#include "unFrmMsg.h"
#include "unFrmProgress.h"
#include "unFrmSalvarFile.h"
#include "unParametrosScript.h"
#include "unPreCarga.h"
#include "unPontoClique.h"
#include "unSecoesScript.h"
#include "unUtil.h"
#include "unVerificador.h"

namespace mivo {

namespace {

const QString kPastaScripts = QStringLiteral("dados\\scripts");
const QString kExtensao = QStringLiteral(".mivo");
// "Resetar cliques" is offered to scripts that ask for points or show tips.
bool temPontosOuDicas(const QString& texto) {
  const QString minusculo = texto.toLower();
  return minusculo.contains(QLatin1String("&mousecliqueperguntar(")) || minusculo.contains(QLatin1String("&msgdica("));
}

// The green behind "Executar" (shpRodar).
const QString kEstiloShpRodar = QStringLiteral("#shpRodar { background-color: rgb(132, 247, 115); }");

// Where the workbench that pressed "Novo" stands ("x,y"), for the new one.
constexpr char kVariavelCascata[] = "MIVO_JANELA_ANTERIOR";

// How long a newly shown workbench waits for the focus before a run.
constexpr qint64 kEsperaAtivacaoMs = 1500;

// How often a run's progress reaches the screen.
constexpr int kIntervaloTelaMs = 40;

QString tresBrancos(const QString& texto) { return QStringLiteral("   ") + texto + QStringLiteral("   "); }

// Makes the editor's lines `novas` by replacing only the block of lines that
// differ (a learned click point changes one statement).
void substituirLinhasMudadas(CLEditorScript& editor, const QStringList& novas) {
  const QStringList antigas = editor.textoScript().split(u'\n');
  const qsizetype nAntigas = antigas.size(), nNovas = novas.size();
  qsizetype inicio = 0;
  while (inicio < nAntigas && inicio < nNovas && antigas[inicio] == novas[inicio]) ++inicio;
  qsizetype fim = 0;  // equal lines at the end, not overlapping the start
  while (fim < nAntigas - inicio && fim < nNovas - inicio && antigas[nAntigas - 1 - fim] == novas[nNovas - 1 - fim])
    ++fim;
  if (inicio == nAntigas && inicio == nNovas) return;
  // The lines are taken with their line break; the last line of the text
  // has none, so the block reaching the end is joined without the last one.
  const long tamanho = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  auto posicaoDaLinha = [&](qsizetype linha) {
    return linha >= nAntigas ? tamanho + 1
                             : editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(linha));
  };
  long de = posicaoDaLinha(inicio), ate = posicaoDaLinha(nAntigas - fim);
  QString texto;
  for (qsizetype i = inicio; i < nNovas - fim; ++i) texto += novas[i] + u'\n';
  if (ate > tamanho) {
    ate = tamanho;
    if (!texto.isEmpty()) {
      texto.chop(1);
      if (de > tamanho) {  // lines added after the last one
        de = tamanho;
        texto.prepend(u'\n');
      }
    } else if (de > 0) {
      --de;  // the last lines removed, with the break before them
    }
  }
  const QByteArray utf8 = texto.toUtf8();
  editor.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
  editor.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(de), ate - de);
  editor.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<uintptr_t>(de), utf8.constData());
  editor.SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
}

}  // namespace

QString perguntaAchados(const QList<CLAchado>& achados) {
  constexpr int kMostrados = 5;
  const qsizetype n = achados.size();
  QString texto = n == 1 ? QStringLiteral("O script tem 1 problema:\n")
                         : QStringLiteral("O script tem %1 problemas:\n").arg(n);
  for (qsizetype i = 0; i < n && i < kMostrados; ++i)
    texto += QStringLiteral("\nLinha %1: %2").arg(achados[i].linha).arg(achados[i].mensagem);
  if (n > kMostrados) texto += QStringLiteral("\n(e mais %1)").arg(n - kMostrados);
  return texto + QStringLiteral("\n\nExecutar mesmo assim?");
}

TfrmMain::TfrmMain(bool relogioVirtual, QWidget* pai)
    : QMainWindow(pai), ui(std::make_unique<Ui::TfrmMain>()) {
  ui->setupUi(this);
  gHost = std::make_unique<CLHostBancada>(static_cast<CLVisaoBancada&>(*this), relogioVirtual);

  ui->pnTitulo->hide();
  ui->btnPreLoad->hide();
  ui->btnResetar->hide();
  ui->btnAjuda->hide();
  ui->lbAtualizacao->hide();
  ui->pnStatus->hide();
  ui->pnTemUpdate->hide();
  ui->pnRodando->hide();
  ui->pnTools->hide();
  ui->lbListaTitulo->hide();
  ui->shpRodar->setStyleSheet(kEstiloShpRodar);
  // Not part of this workbench yet.
  ui->btnGestao->setEnabled(false);
  gStep = std::make_unique<TfrmStep>(nullptr, [this] { btnEncerrarClick(); });
  ui->actPaginaMivo->setEnabled(false);
  ui->actTreinamento->setEnabled(false);

  // The log page.
  CLModeloLog& log = gHost->modeloLog();
  ui->lstLog->setModel(&log);
  ui->lstLog->setItemDelegate(new CLDelegadoLog(ui->lstLog));
  log.setPausado(ui->ckbPausarLog->isChecked());
  log.setDebug(ui->ckbDebug->isChecked());
  connect(ui->ckbPausarLog, &QCheckBox::toggled, this, [this](bool v) { gHost->modeloLog().setPausado(v); });
  connect(ui->ckbDebug, &QCheckBox::toggled, this, [this](bool v) { gHost->modeloLog().setDebug(v); });
  connect(ui->btnZerar, &QPushButton::clicked, this, [this] { gHost->modeloLog().zerar(); });
  connect(&log, &QAbstractItemModel::rowsInserted, ui->lstLog, [this] {
    if (adiarTela())
      gRolarLog = true;
    else
      ui->lstLog->scrollToBottom();
  });

  // The data table.
  gFrmLista = new TfrmLista(gHost->lista(), ui->tbsLista);
  gFrmLista->setObjectName(QStringLiteral("frmLista"));
  gFrmLista->gColunaBase = QStringLiteral("#email");
  gFrmLista->setTextoScript([this] { return textoScript(); });
  gFrmLista->setProgresso([this]() -> CLProgresso& { return progresso(); });
  gFrmLista->setJanelaSalvar([this]() -> TfrmSalvarFile& { return janelaSalvar(); });
  ui->lyLista->addWidget(gFrmLista, 1);
  connect(gFrmLista, &TfrmLista::abrirRecentesPedido, this, [this] { abrirListaAuxiliar(); });

  QFont fixa(QStringLiteral("Courier New"), 13);
  fixa.setStyleHint(QFont::Monospace);
  ui->mmoTexto->setFont(fixa);

  connect(ui->btnRodar, &QPushButton::clicked, this, &TfrmMain::btnRodarClick);
  connect(ui->btnPausar, &QPushButton::clicked, this, &TfrmMain::btnPausarClick);
  connect(ui->btnEncerrar, &QPushButton::clicked, this, &TfrmMain::btnEncerrarClick);
  connect(ui->btnSalvarScript, &QPushButton::clicked, this, &TfrmMain::btnSalvarScriptClick);
  connect(ui->btnDuplicar, &QPushButton::clicked, this, &TfrmMain::btnDuplicarClick);
  connect(ui->btnAbrir, &QPushButton::clicked, this, &TfrmMain::btnAbrirClick);
  connect(ui->btnSaveInfo, &QPushButton::clicked, this, &TfrmMain::btnSaveInfoClick);
  connect(ui->btnEdicao, &QPushButton::clicked, this, &TfrmMain::btnEdicaoClick);
  connect(ui->btnPreLoad, &QPushButton::clicked, this, &TfrmMain::rodarSecaoPre);
  connect(ui->btnResetar, &QPushButton::clicked, this, &TfrmMain::btnResetarClick);
  connect(ui->btnGravador, &QPushButton::clicked, this, &TfrmMain::btnGravadorClick);
  connect(ui->btnMouseCor, &QPushButton::clicked, this, &TfrmMain::btnMouseCorClick);
  connect(ui->btnNew, &QPushButton::clicked, this, [this] {
    // The new workbench opens a little below and to the right of this one,
    // not exactly over it (the user could not tell that a window opened).
    QProcess novo;
    novo.setProgram(QCoreApplication::applicationFilePath());
    novo.setArguments({QStringLiteral("novo")});
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QString::fromLatin1(kVariavelCascata),
                    QStringLiteral("%1,%2").arg(frameGeometry().x()).arg(frameGeometry().y()));
    novo.setProcessEnvironment(ambiente);
    novo.startDetached();
  });
  connect(ui->actFechar, &QAction::triggered, this, &TfrmMain::fecharMivo);
  ligarEditor();
  connect(ui->btnRecarregar, &QPushButton::clicked, this, &TfrmMain::recriarEditor);
  connect(ui->ToolButtonSearch, &QToolButton::clicked, this, [this] { ui->mmoScript->LocalizarTexto(true); });
  connect(ui->ToolButtonSearchNext, &QToolButton::clicked, this, [this] { ui->mmoScript->localizarProximo(); });
  connect(ui->ToolButtonSearchPrev, &QToolButton::clicked, this, [this] { ui->mmoScript->localizarAnterior(); });
  connect(ui->mmoTexto, &QPlainTextEdit::textChanged, this, &TfrmMain::mmoTextoChange);
  connect(ui->btnAbrirTexto, &QPushButton::clicked, this, &TfrmMain::abrirTextoAuxiliar);
  connect(ui->btnSalvarTexto, &QPushButton::clicked, this, &TfrmMain::sClick);
  connect(ui->btnNovoTexto, &QPushButton::clicked, this, &TfrmMain::btnNovoTextoClick);
  connect(ui->pgcPrincipal, &QTabWidget::tabBarClicked, this, &TfrmMain::pgcPrincipalChange);
  connect(ui->pgcPrincipal, &QTabWidget::currentChanged, this, &TfrmMain::pgcPrincipalMudou);
  connect(ui->pgcScript, &QTabWidget::currentChanged, this, [this](int i) {
    if (i == 0) loadInfo();
  });

  gTmLoad.setSingleShot(true);
  gTmLoad.setInterval(100);
  connect(&gTmLoad, &QTimer::timeout, this, [this] {
    gDocumento.setSalvo(true);
    // Handled as a posted event, not inside the timer's own call: a run
    // started from there waits in loops of its own, and on Linux the
    // window's timers (repaints among them) did not fire inside a timer's
    // call: the window stopped drawing itself and new windows stayed black.
    QMetaObject::invokeMethod(this, [this] { checkParams(gArgumentos); }, Qt::QueuedConnection);
  });
  gTmTela.setInterval(kIntervaloTelaMs);
  connect(&gTmTela, &QTimer::timeout, this, &TfrmMain::atualizarTela);
  gTmGeral.setInterval(1000);
  connect(&gTmGeral, &QTimer::timeout, this, [this] {
    configStatus();
    showLineHelp();
  });
  gTmGeral.start();

  configToolbar();
}

TfrmMain::~TfrmMain() {
  // The parameters window holds a reference to this window.
  delete gFrmStart;
  // The recorders and the inspector read the host's desktop: they go first.
  for (const QPointer<TfrmMacro>& gravador : gGravadores) delete gravador;
  delete gInfo;
  // The grid model observes the host's table: it goes first.
  // The data-table window shows the host's table: it goes first.
  delete gFrmLista;
  ui->lstLog->setModel(nullptr);
}

// --- Start-up ------------------------------------------------------------------------

void TfrmMain::iniciar(const QStringList& argumentos) {
  gArgumentos = argumentos;
  gTmLoad.start();
}

void TfrmMain::checkParams(const QStringList& argumentos) {
  const QString primeiro = argumentos.isEmpty() ? QString() : aparar(argumentos.first());
  if (primeiro.isEmpty() || primeiro.compare(QLatin1String("novo"), Qt::CaseInsensitive) == 0 ||
      primeiro.compare(QLatin1String("manager=1"), Qt::CaseInsensitive) == 0) {
    // The catalogue is not part of this program yet: no argument opens a
    // new script as "novo" does.
    showForm();
    entrarModoEdicao();
    configToolbar();
    loadStartScript();
    return;
  }
  if (!abrirScript(primeiro)) {
    // The reason was shown; the user gets an empty workbench to work in
    // instead of a run of nothing.
    showForm();
    entrarModoEdicao();
    configToolbar();
    return;
  }
  configToolbar();
  if (argumentos.size() > 1 && argumentos.at(1) == QLatin1String("rodar=0")) {
    showForm();
    entrarModoEdicao();
  } else if (gImpedirRodar) {
    showForm();
  } else {
    btnRodarClick();
  }
}

void TfrmMain::showForm() {
  if (!isVisible()) {
    const QRect tela = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 900);
    resize(1120, std::max(300, tela.height() - 150));
    move(tela.center() - rect().center());
    // Opened by "Novo" of another workbench: below and to its right.
    const QStringList anterior = qEnvironmentVariable(kVariavelCascata).split(u',');
    qunsetenv(kVariavelCascata);
    if (anterior.size() == 2) {
      bool okX = false, okY = false;
      const int x = anterior[0].toInt(&okX), y = anterior[1].toInt(&okY);
      if (okX && okY) move(posicaoEmCascata({x, y}, tela));
    }
  }
  show();
}

QPoint posicaoEmCascata(QPoint anterior, const QRect& tela) {
  constexpr int kDeslocamento = 40;
  QPoint p = anterior + QPoint(kDeslocamento, kDeslocamento);
  // Back to the top-left corner when the next step would leave too little
  // of the window on the screen (or the last one stood on another screen).
  if (!tela.adjusted(0, 0, -300, -200).contains(p)) p = tela.topLeft() + QPoint(kDeslocamento, kDeslocamento);
  return p;
}

void TfrmMain::showEvent(QShowEvent* evento) {
  QMainWindow::showEvent(evento);
  if (!gModoEdicao) {
    ui->pgcScript->setTabVisible(1, false);
    ui->pgcScript->setTabVisible(2, false);
  }
  if (!gJaExibida && screen()) {
    gJaExibida = true;
    const QRect tela = screen()->availableGeometry();
    resize(tela.width() * 75 / 100, tela.height() * 90 / 100);
  }
}

// --- The document ----------------------------------------------------------------------

QString TfrmMain::textoScript() const { return ui->mmoScript->textoScript(); }

void TfrmMain::carregarNoEditor(const QString& texto) {
  gCarregandoEditor = true;
  ui->mmoScript->setTextoScript(dividirLinhas(texto).join(u'\n'));
  gCarregandoEditor = false;
}

void TfrmMain::loadStartScript() {
  carregarNoEditor(CLDocumentoScript::linhasNovoScript(gHost->dataHora().date()).join(u'\n'));
  configStatus();
}

bool TfrmMain::abrirScript(const QString& filename) {
  QString nome = filename;
  if (aparar(nome).isEmpty()) {
    nome = escolherScript();
    if (nome.isEmpty()) return false;
  }
  const LeituraScript lido = CLDocumentoScript::lerScript(nome);
  if (!lido.ok) {
    mostrarErro(lido.erro);
    return false;
  }
  // A new script works on the whole table: a filter view shown for the
  // last one is left first (asking about its pending edits), or the
  // script's pre-load section would fill the view instead of the table.
  gFrmLista->desfazerFiltro();
  carregarNoEditor(lido.texto);
  gDocumento.abrir(lido.caminho);
  if (TdtmPrincipal* dtm = TdtmPrincipal::instancia()) dtm->gLastFile = lido.caminho;
  // The editor holds the file as it is.
  gDocumento.setSalvo(true);
  setWindowTitle(QStringLiteral("Mivo - ") + gDocumento.nome());
  setScriptName();
  rodarSecaoPre();
  loadInfo();
  if (temPontosOuDicas(lido.texto)) ui->btnResetar->show();
  if (!aparar(ui->mmoInfo->toPlainText()).isEmpty()) ui->pgcScript->setCurrentIndex(0);
  configToolbar();
  return true;
}

void TfrmMain::btnResetarClick() {
  if (!dialogos::confirmar(QStringLiteral("Se você continuar, será necessário definir novamente a posição das "
                                          "funções de clique. Além disso, dicas também voltarão a aparecer nesse "
                                          "script. Deseja resetar os dados?"),
                           this))
    return;
  const QStringList linhas = dividirLinhas(textoScript());
  const ResetConfigs r = resetarConfigs(linhas);
  // Only the editor changes; saving is the user's choice.
  if (r.linhas != linhas) ui->mmoScript->setTextoScript(r.linhas.join(u'\n'));
  const QString arquivoDicas = dicas::caminhoArquivoDicas();
  if (!QFileInfo(arquivoDicas).isFile()) return;
  for (const QString& id : r.dicas) dicas::definirDicaOculta(arquivoDicas, id, false);
}

void TfrmMain::setScriptName() {
  ui->stScriptName->setText(gDocumento.legendaNome());
  setWindowTitle(gDocumento.tituloAposNomear(windowTitle()));
}

void TfrmMain::loadInfo() { ui->mmoInfo->setPlainText(CLDocumentoScript::lerInfo(textoScript())); }

void TfrmMain::btnSaveInfoClick() {
  ui->mmoScript->setTextoScript(CLDocumentoScript::gravarInfo(textoScript(), ui->mmoInfo->toPlainText()));
  gDocumento.setSalvo(false);
  configToolbar();
}

void TfrmMain::aplicarAbas(const AbasVisiveis& abas) {
  for (int i = 0; i < 3; ++i) ui->pgcPrincipal->setTabVisible(i, abas.aba[i]);
  ui->pgcPrincipal->tabBar()->setVisible(abas.barraVisivel);
  if (abas.abaAtiva >= 0) ui->pgcPrincipal->setCurrentIndex(abas.abaAtiva);
}

void TfrmMain::rodarSecaoConfig() {
  const ConfigExecucao c = CLDocumentoScript::lerConfig(dividirLinhas(textoScript()));
  gExecutarMinimizado = c.executarMinimizado;
  gFecharAoTerminar = c.fecharAoTerminar;
  if (gExecutarMinimizado) return;
  aplicarAbas(CLDocumentoScript::abasVisiveis(!c.abaScript, !c.abaDados, !c.abaTexto));
  gFrmLista->setVisible(c.lista);
}

void TfrmMain::rodarSecaoPre() {
  const QStringList linhas = definirConfig(dividirLinhas(textoScript()), QStringLiteral("##pre_carregar"), true);
  ui->pnTitulo->hide();
  ui->lbTextoAuxiliar->setText(QStringLiteral("Texto auxiliar"));
  ui->lbListaTitulo->hide();
  CLScript& script = gHost->script();
  script.setGrade(*gHost->lista().gGrid);
  EfeitosPreCarga e;
  executarProtegido(*gHost, [&] { e = mivo::rodarSecaoPre(script, linhas); });
  auto oculto = [&e](const char* chave) { return e.ocultar.value(QLatin1String(chave), false); };
  ui->pgcPrincipal->setTabVisible(0, !oculto("ocultar_aba_script"));
  ui->pgcPrincipal->setTabVisible(1, !oculto("ocultar_aba_dados"));
  ui->pgcPrincipal->setTabVisible(2, !oculto("ocultar_texto"));
  gFrmLista->setVisible(!oculto("ocultar_lista"));
  gFrmLista->setDetalheVisivel(!oculto("ocultar_detalhe_celula"));
  gImpedirRodar = e.impedirRodar;
  gExigencias = ExigenciasScript{e.exigirDados, e.exigirTexto, e.exigirConfig};
  if (e.titulo) {
    ui->pnTitulo->setText(*e.titulo);
    ui->pnTitulo->show();
  }
  if (e.tituloLista) {
    ui->lbListaTitulo->setText(*e.tituloLista);
    ui->lbListaTitulo->show();
  }
  if (e.tituloTexto) ui->lbTextoAuxiliar->setText(*e.tituloTexto);
  if (e.tituloParametros) gTituloParametros = *e.tituloParametros;
  if (e.descricaoParametros) gDescricaoParametros = *e.descricaoParametros;
}

void TfrmMain::entrarModoEdicao() {
  gModoEdicao = true;
  // showAll
  ui->pgcPrincipal->setTabVisible(0, true);
  ui->pgcPrincipal->setTabVisible(1, true);
  ui->pgcPrincipal->tabBar()->setVisible(true);
  gFrmLista->setVisible(true);
  gFrmLista->setDetalheVisivel(true);
  ui->pgcScript->setTabVisible(1, true);
  ui->pgcScript->setTabVisible(2, true);
  ui->pgcPrincipal->setCurrentIndex(0);
  ui->pgcScript->setCurrentIndex(2);
  ui->pnTools->setVisible(true);
  ui->btnAjuda->setVisible(false);  // the developer help window is not part of this workbench yet
  ui->btnPreLoad->setVisible(true);
}

void TfrmMain::btnEdicaoClick() {
  if (!gModoEdicao || !ui->pnTools->isVisible()) {
    entrarModoEdicao();
    return;
  }
  ui->pgcPrincipal->setCurrentIndex(0);
  ui->pgcScript->setCurrentIndex(2);
  ui->pnTools->setVisible(false);
  ui->btnPreLoad->setVisible(false);
}

void TfrmMain::mmoScriptChange() {
  if (gCarregandoEditor) return;
  gDocumento.setSalvo(false);
  configToolbar();
}

// --- Saving ----------------------------------------------------------------------------

TfrmSalvarFile& TfrmMain::janelaSalvar() {
  if (!gSalvarFile) gSalvarFile = std::make_unique<TfrmSalvarFile>(this);
  return *gSalvarFile;
}

void TfrmMain::btnSalvarScriptClick() {
  const QString gravado = janelaSalvar().salvarArquivo(QStringLiteral("Salvar Mivo Script..."), kExtensao,
                                                       kPastaScripts, textoScript(), gDocumento.nome());
  // Cancelled or failed: the document keeps its name, path and state.
  gDocumento.aplicarSalvamento(gravado);
  setScriptName();
  configToolbar();
}

void TfrmMain::btnDuplicarClick() {
  janelaSalvar().salvarArquivo(QStringLiteral("Criar uma cópia deste script..."), kExtensao, kPastaScripts,
                               textoScript(), gDocumento.nomeDuplicata(gHost->dataHora()));
  configToolbar();
}

void TfrmMain::btnAbrirClick() {
  const QString nome = escolherScript();
  if (nome.isEmpty()) return;
  // The list loaded for the last script may be the one the next works on:
  // the user chooses whether it stays.
  if (gHost->lista().temDados() &&
      !dialogos::confirmar(QStringLiteral("Manter a lista de dados atual para o script que será aberto?"), this) &&
      !gFrmLista->novaLista(true))
    return;
  abrirScript(nome);
  configToolbar();
}

QString TfrmMain::escolherScript() {
  QString pasta = getBestPath(QStringLiteral("x"), kPastaScripts, kExtensao);
  pasta = QFileInfo(pasta).absolutePath();
  if (gEscolherArquivoAbrir) return gEscolherArquivoAbrir(pasta, QStringLiteral("Abrir script"));
  return QFileDialog::getOpenFileName(this, QStringLiteral("Abrir script"), pasta,
                                      QStringLiteral("Scripts do Mivo (*.mivo);;Todos os arquivos (*)"));
}

bool TfrmMain::listaNaoSalva() const {
  const CLLista& lista = gHost->lista();
  return lista.gEditou && lista.temDados();
}

bool TfrmMain::textoNaoSalvo() const { return !gTextoAbertoSalvo && temTextoAuxiliar(); }

QString perguntaSairSemSalvar(bool lista, bool texto) {
  if (lista && texto)
    return QStringLiteral("A lista de dados e o texto auxiliar têm alterações que não foram salvas e serão "
                          "perdidas. Deseja sair?");
  if (lista)
    return QStringLiteral("A lista de dados tem alterações que não foram salvas e serão perdidas. Deseja sair?");
  if (texto)
    return QStringLiteral("O texto auxiliar tem alterações que não foram salvas e serão perdidas. Deseja sair?");
  return {};
}

// --- The recorder ------------------------------------------------------------------------

CLDesktop* TfrmMain::desktopPara(const QString& quem) {
  try {
    return &gHost->desktop();
  } catch (const CLErro& e) {
    mostrarErro(quem + QStringLiteral(" precisa da área de trabalho: ") + e.mensagem());
    return nullptr;
  }
}

TfrmMacro* TfrmMain::btnGravadorClick() {
  mostrarDica(QString::fromLatin1(TfrmMacro::kDicaId), TfrmMacro::textoDica(), TfrmMacro::kAlturaDica);
  CLDesktop* desktop = desktopPara(QStringLiteral("O gravador de ações"));
  if (!desktop) return nullptr;
  // A new recorder each time; it frees itself when closed.
  auto* gravador = new TfrmMacro(*desktop);
  gGravadores.removeAll(nullptr);
  gGravadores << gravador;
  gravador->show();
  return gravador;
}

TfrmInfo* TfrmMain::btnMouseCorClick() {
  if (!gInfo) {
    CLDesktop* desktop = desktopPara(QStringLiteral("O inspetor de mouse e cor"));
    if (!desktop) return nullptr;
    gInfo = new TfrmInfo(*desktop);
  }
  gInfo->showNormal();
  gInfo->raise();
  gInfo->activateWindow();
  return gInfo;
}

void TfrmMain::mostrarPasso(const QString& texto) {
  try {
    gStep->setDesktop(&gHost->desktop());
  } catch (const CLErro&) {
    gStep->setDesktop(nullptr);
  }
  gStep->showStep(texto);
}

void TfrmMain::esconderPasso() { gStep->hide(); }

// --- The auxiliary text ------------------------------------------------------------------

QString TfrmMain::abrirFileName(const QString& pastaPadrao, const QString& tituloRecentes, const QString&) {
  if (gEscolherArquivoAbrir) return gEscolherArquivoAbrir(pastaPadrao, tituloRecentes);
  const QString pasta = QFileInfo(getBestPath(QStringLiteral("x"), pastaPadrao)).absolutePath();
  return QFileDialog::getOpenFileName(this, QStringLiteral("Abrir"), pasta);
}

QString TfrmMain::abrirTexto(const QString& pastaPadrao, const QString& tituloRecentes,
                             const QString& tituloArquivos) {
  const QString caminho = abrirFileName(pastaPadrao, tituloRecentes, tituloArquivos);
  if (caminho.isEmpty()) return {};
  QString texto, erro;
  if (!lerArquivoTexto(caminho, texto, &erro)) {
    mostrarErro(erro);
    return {};
  }
  return texto;
}

void TfrmMain::abrirTextoAuxiliar() {
  const QString texto = abrirTexto(QStringLiteral("dados\\textos\\"), QStringLiteral("Textos recentes"),
                                   QStringLiteral("Textos da pasta padrão"));
  // Cancelled, or an empty file: the text stays as it was.
  if (aparar(texto).isEmpty()) return;
  ui->mmoTexto->setPlainText(dividirLinhas(texto).join(u'\n'));
}

void TfrmMain::mostrarTextoAberto(const QString& caminho) {
  ui->pnTextoAberto->setText(caminho.isEmpty() ? QStringLiteral("(não salvo)") : QFileInfo(caminho).fileName());
  ui->pnTextoAberto->setToolTip(QDir::toNativeSeparators(caminho));
}

void TfrmMain::mmoTextoChange() {
  if (gCarregandoTexto) return;
  gTextoAbertoSalvo = false;
  const QString atual = ui->pnTextoAberto->text();
  if (!atual.contains(QStringLiteral("(não salvo)")))
    ui->pnTextoAberto->setText(aparar(atual + QStringLiteral(" (não salvo)")));
}

void TfrmMain::sClick() {
  const QString texto = ui->mmoTexto->toPlainText();
  QString caminho = gHost->textoAberto();
  if (!caminho.isEmpty()) {
    QString erro;
    QString conteudo = dividirLinhas(texto).join(QLatin1String("\r\n"));
    if (!conteudo.isEmpty()) conteudo += QLatin1String("\r\n");
    if (!gravarArquivo(caminho, codificarUtf8ComBom(conteudo), &erro)) {
      // Nothing was written: the text stays unsaved.
      mostrarErro(erro);
      return;
    }
  } else {
    if (!gHost->preTextoFile().isEmpty()) {
      caminho = gHost->preTextoFile();
      gHost->setPreTextoFile(QString());
    }
    caminho = janelaSalvar().salvarArquivo(QStringLiteral("Salvar texto auxiliar"), QStringLiteral(".txt"),
                                           QStringLiteral("dados\\textos\\"), texto, QFileInfo(caminho).fileName(),
                                           CodificacaoArquivo::Utf8ComBom);
    gHost->registrarTextoAberto(caminho);
    // Cancelled or failed: the changes are still only in the window.
    if (caminho.isEmpty()) return;
  }
  mostrarTextoAberto(caminho);
  gTextoAbertoSalvo = true;
}

void TfrmMain::btnNovoTextoClick() {
  // An empty text has nothing to lose.
  if (!gTextoAbertoSalvo && !aparar(ui->mmoTexto->toPlainText()).isEmpty() &&
      perguntarSimNao(QStringLiteral("Se você prosseguir, as alterações do texto atual serão perdidas. Continuar?")) != RespostaSimNao::Sim)
    return;
  gHost->registrarTextoAberto(QString());
  gCarregandoTexto = true;
  ui->mmoTexto->clear();
  gCarregandoTexto = false;
  mostrarTextoAberto(QString());
}

bool TfrmMain::abrirListaAuxiliar() {
  const QString caminho = abrirFileName(QStringLiteral("dados\\listas\\"), QStringLiteral("Listas recentes"),
                                        QStringLiteral("Listas da pasta padrão"));
  if (caminho.isEmpty()) return false;
  executarProtegido(*gHost, [&] { preCarregarLista(gHost->script(), caminho); });
  ajustarColunas();
  return true;
}

// --- Running ---------------------------------------------------------------------------

void TfrmMain::btnRodarClick() {
  ui->shpRodar->setStyleSheet(QString());
  if (gHost->estado().pausado()) {
    gHost->retomar();
    return;
  }
  // One run at a time; "Executar" is hidden while one is active.
  if (gHost->emExecucao()) return;
  if (gFrmStart) {
    // The parameters window of this start is still open: back to it.
    gFrmStart->showNormal();
    gFrmStart->raise();
    gFrmStart->activateWindow();
    return;
  }
  if (!confirmarAchados()) {
    ui->shpRodar->setStyleSheet(kEstiloShpRodar);
    if (!isVisible()) {
      // Opened directly (a double click) and not run: the workbench stays,
      // on the script, so that the user sees its problems and can mend them.
      showForm();
      entrarModoEdicao();
      configToolbar();
    }
    return;
  }
  gHost->novoScript();
  rodarSecaoParam2();
}

bool TfrmMain::confirmarAchados() {
  // The editor's own check when it is up to date with the text; the
  // checker runs here otherwise (a change made a moment ago).
  const QList<CLAchado> achados = ui->mmoScript->achadosAtuais();
  if (achados.isEmpty()) return true;
  return dialogos::confirmar(perguntaAchados(achados), isVisible() ? this : nullptr);
}

void TfrmMain::rodarSecaoParam2() {
  ui->btnPreLoad->hide();
  ui->btnResetar->hide();
  ui->btnAjuda->hide();
  const QStringList parametros = definirConfig(dividirLinhas(textoScript()), QStringLiteral("##parametros"), false);
  if (parametros.isEmpty()) {
    // The settings of the config section count for every fresh start, with
    // or without parameter lines.
    rodarSecaoConfig();
    rodarScript(true);
    gHost->setParar(false);
    gRodou = true;
    return;
  }
  // The run starts from the parameters window's "&Rodar o script".
  ui->btnRodar->setEnabled(false);
  ui->shpRodar->hide();
  QStringList listaParam = parametros;
  auto* janela = new TfrmStart(*this);
  gFrmStart = janela;
  janela->carregarAnterior(listaParam);
  janela->loadConfig(listaParam.join(QStringLiteral("\r\n")));
  janela->identificaCombos();
  janela->setTitulo(gTituloParametros);
  if (!gDescricaoParametros.isEmpty()) janela->setDescricao(gDescricaoParametros);
  janela->show();
}

// --- The start-parameters window -------------------------------------------------------

bool TfrmMain::primeiraLinhaComDados() const {
  const CLGrade& grade = gHost->lista().gridDados;
  for (int c = 0; c < grade.ColCount(); ++c)
    if (!aparar(grade.cell(c, 1)).isEmpty()) return true;
  return false;
}

bool TfrmMain::temTextoAuxiliar() const { return !aparar(ui->mmoTexto->toPlainText()).isEmpty(); }

QString TfrmMain::textoInformacoes() const { return ui->mmoInfo->toPlainText(); }

QString TfrmMain::secaoParametros() const {
  return definirConfig(dividirLinhas(textoScript()), QStringLiteral("##parametros"), false)
      .join(QStringLiteral("\r\n"));
}

void TfrmMain::marcarNaoSalvo() {
  gDocumento.setSalvo(false);
  configToolbar();
}

void TfrmMain::mostrarAbaBancada(AbaBancada aba) {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  ui->pgcPrincipal->setCurrentIndex(static_cast<int>(aba));
}

void TfrmMain::iniciarExecucao(const QList<VariavelParametro>& variaveis) {
  // The parameters window is done: "Executar" is the run's again (it
  // resumes a pause; it stayed disabled and a paused run could not go on).
  ui->btnRodar->setEnabled(true);
  rodarSecaoConfig();
  gHost->limparLog();
  gHost->setLogGeral(QStringLiteral("Iniciando execução "), CorLog::Texto);
  ui->shpRodar->hide();
  CLScript& script = gHost->script();
  script.setGrade(*gHost->lista().gGrid);
  for (const VariavelParametro& v : variaveis) script.valores().acrescentar(v.nome, v.valor);
  rodarScript(!gHost->estado().pausado());
  gHost->setParar(false);
  gRodou = true;
}

void TfrmMain::fechadaSemExecucao() {
  ui->btnRodar->setEnabled(true);
  ui->shpRodar->show();
  ui->shpRodar->setStyleSheet(kEstiloShpRodar);
  ui->btnPreLoad->show();
  ui->btnResetar->setVisible(temPontosOuDicas(textoScript()));
  // "Ajuda" stays hidden: the developer help window is not part of this
  // workbench yet.
  if (isMinimized()) showNormal();
  show();
  configToolbar();
}

void TfrmMain::rodarScript(bool doInicio) { gHost->executar(doInicio); }

void TfrmMain::antesDaExecucao() {
  refreshStatusRodando();
  ui->pnRodando->show();
  gFrmLista->setExecucaoAtiva(true);
  if (gExecutarMinimizado) {
    hide();
  } else {
    const bool estavaVisivel = isVisible();
    showNormal();
    showForm();
    if (!estavaVisivel) aguardarAtivacao();
  }
  editorSeguir(1);
  gTmTela.start();
  ui->pnStatus->hide();
}

void TfrmMain::aguardarAtivacao() {
  // A window shown right now gets the focus from the window manager a
  // moment later. A script started with it (`mivo script.mivo`) activates
  // its target at once, and the late focus change then took the target's
  // place: the keys went to the workbench. Wait for it first, briefly.
  const QString plataforma = QGuiApplication::platformName();
  if (plataforma == QLatin1String("offscreen") || plataforma == QLatin1String("minimal")) return;
  QElapsedTimer espera;
  espera.start();
  while (!isActiveWindow() && espera.elapsed() < kEsperaAtivacaoMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

void TfrmMain::depoisDaExecucao(const ResultadoExecucao&) {
  gTmTela.stop();
  gFrmLista->setExecucaoAtiva(false);
  atualizarTela();
  destacarLinha(false);
  showNormal();
  showForm();
  configToolbar();
  ui->pnRodando->hide();
  ui->btnRodar->setEnabled(true);
  ui->shpRodar->setStyleSheet(kEstiloShpRodar);
  ajustarColunas();
  if (gFecharAoTerminar || gFecharAposExecucao) {
    gFecharAposExecucao = false;
    // Out of the run's handler first. The close still asks about unsaved
    // changes unless the user already answered.
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

void TfrmMain::btnPausarClick() {
  if (gHost->pausar()) ui->pnStatus->show();
}

void TfrmMain::btnEncerrarClick() { gHost->encerrarExecucao(); }

void TfrmMain::pausadoPorTecla() {
  showNormal();
  showForm();
  raise();
  activateWindow();
  // A window manager that prevents focus stealing ignores a program's own
  // request while the user types elsewhere; the desktop's activation asks
  // it as a taskbar would.
  if (gHost->temDesktop()) {
    try {
      // The native window of now: Qt may have made a new one since.
      const WId janela = windowHandle() ? windowHandle()->winId() : winId();
      gHost->desktop().janelaAtivar(JanelaId{static_cast<std::uint64_t>(janela)});
    } catch (const CLErro&) {
    }
  }
  refreshStatusRodando();
}

void TfrmMain::statusAlterado(StatusExecucao) {
  configToolbar();
  refreshStatusRodando();
}

void TfrmMain::refreshStatusRodando() {
  // The run bar says what the pause bar says.
  const bool pausado = gHost->estado().pausado();
  ui->lbStatusRodando->setText(pausado ? QStringLiteral("  Status: pausado  ") : QStringLiteral("  Status: rodando  "));
  ui->lbStatusRodando->setStyleSheet(pausado ? QStringLiteral("color: rgb(160, 110, 0);")
                                             : QStringLiteral("color: green;"));
}

void TfrmMain::configToolbar() {
  const EstadoToolbar e = mivo::configToolbar(gHost->statusExecucao(), gDocumento.salvo());
  ui->btnPausar->setVisible(e.pausarVisivel);
  ui->btnEncerrar->setVisible(e.encerrarVisivel);
  ui->btnEdicao->setEnabled(e.edicaoHabilitada);
  ui->shpRodar->setVisible(e.executarVisivel);
  ui->btnNew->setVisible(e.novoVisivel);
  ui->btnAbrir->setVisible(e.abrirVisivel);
  ui->btnDuplicar->setVisible(e.duplicarVisivel);
  ui->btnSalvarScript->setVisible(e.salvarVisivel);
  ui->pnStatus->setVisible(e.barraPausaVisivel);
  ui->mmoScript->setReadOnly(!e.inativo);
  ui->mmoTexto->setReadOnly(!e.inativo);
  if (e.inativo) destacarLinha(false);
  configStatus();
}

void TfrmMain::configStatus() {
  ui->stPos->setText(tresBrancos(QStringLiteral("Posição: ") + QString::number(gHost->linhaAtual())));
  ui->stLines->setText(tresBrancos(QStringLiteral("Linhas: ") + QString::number(ui->mmoScript->qtdLinhas())));
  ui->stSalvo->setText(tresBrancos(gDocumento.salvo() ? QStringLiteral("Salvo") : QStringLiteral("Falta salvar")));
  ui->stStatus->setText(tresBrancos(QStringLiteral("Status ") + textoStatus(gHost->statusExecucao())));
  ui->stModo->setText(tresBrancos(ui->mmoScript->isReadOnly() ? QStringLiteral("Modo: apenas leitura")
                                                              : QStringLiteral("Modo: Edição")));
}

void TfrmMain::updateRodando(int linha, const QString& mensagem) {
  gLinhaRodando = linha;
  gMensagemRodando = mensagem;
  gRodandoPendente = true;
  if (!adiarTela()) atualizarTela();
}

bool TfrmMain::adiarTela() const { return gTmTela.isActive() && !gHost->debugAtivo(); }

void TfrmMain::atualizarTela() {
  if (gRodandoPendente) {
    gRodandoPendente = false;
    ui->lbLinhaAtual->setText(QStringLiteral("   Linha atual: ") + QString::number(gLinhaRodando) +
                              QStringLiteral("   "));
    ui->lbRodandoStatus->setText(gMensagemRodando);
  }
  if (gLinhaSeguir > 0) {
    const int linha = gLinhaSeguir;
    gLinhaSeguir = 0;
    ui->mmoScript->seguirLinha(linha);
    if (gHost->emExecucao()) destacarLinha(true);
  }
  if (gRolarLog) {
    gRolarLog = false;
    ui->lstLog->scrollToBottom();
  }
}

void TfrmMain::destacarLinha(bool ativo) { ui->mmoScript->destacarLinha(ativo ? ui->mmoScript->linhaAtual() : 0); }

// --- The code editor ---------------------------------------------------------------

void TfrmMain::ligarEditor() {
  connect(ui->mmoScript, &QsciScintilla::textChanged, this, &TfrmMain::mmoScriptChange);
}

void TfrmMain::recriarEditor() {
  CLEditorScript* antigo = ui->mmoScript;
  antigo->repaint();
  QCoreApplication::processEvents();
  const QString texto = antigo->textoScript();
  const bool somenteLeitura = antigo->isReadOnly();
  QWidget* painel = antigo->parentWidget();
  auto* novo = new CLEditorScript(painel);
  painel->layout()->replaceWidget(antigo, novo);
  delete antigo;
  ui->mmoScript = novo;
  carregarNoEditor(texto);
  novo->setReadOnly(somenteLeitura);
  novo->show();
  ligarEditor();
  configStatus();
}

void TfrmMain::showLineHelp() {
  mostrarAjudaLinha(ui->mmoScript->textoLinhaAtual(), gAlvoAjuda, isActiveWindow());
}

void TfrmMain::editorSeguir(int linha) {
  gLinhaSeguir = std::max(linha, 1);
  if (!adiarTela()) atualizarTela();
}

void TfrmMain::setEditorTexto(const QString& texto) {
  // Learned click points written into the script during a run, while the
  // editor is read-only: only the lines that changed are replaced, the rest
  // (and where the editor stands) stays as it is. A change to save.
  // (The change handler would make the editor read-only again half-way.)
  CLEditorScript* editor = ui->mmoScript;
  const bool somenteLeitura = editor->isReadOnly();
  gCarregandoEditor = true;
  editor->setReadOnly(false);
  substituirLinhasMudadas(*editor, dividirLinhas(texto));
  editor->setReadOnly(somenteLeitura);
  gCarregandoEditor = false;
  gDocumento.setSalvo(false);
  configStatus();
}

QStringList TfrmMain::textoAuxiliarLinhas() const { return dividirLinhas(ui->mmoTexto->toPlainText()); }

void TfrmMain::setTextoAuxiliarLinhas(const QStringList& linhas) { ui->mmoTexto->setPlainText(linhas.join(u'\n')); }

void TfrmMain::registrarTextoAberto(const QString& caminho) {
  ui->lbTextoAuxiliar->setToolTip(QDir::toNativeSeparators(caminho));
  // A file a script loaded: the text is that file's, unchanged.
  mostrarTextoAberto(caminho);
  gTextoAbertoSalvo = !caminho.isEmpty();
}

void TfrmMain::selecionarAbaPrincipal(int indice) {
  if (indice < 0 || indice > 2) return;
  ui->pgcPrincipal->setTabVisible(indice, true);
  ui->pgcPrincipal->setCurrentIndex(indice);
}

void TfrmMain::selecionarAbaScript(int indice) {
  if (indice < 0 || indice > 2) return;
  ui->pgcScript->setTabVisible(indice, true);
  ui->pgcScript->setCurrentIndex(indice);
}

void TfrmMain::ajustarColunas() { gFrmLista->AutoSizeGrid(); }

void TfrmMain::pgcPrincipalChange(int indice) {
  if (indice == 1) ajustarColunas();
}

void TfrmMain::pgcPrincipalMudou(int indice) {
  // The parameters window ticks the requirement the user went to fulfil.
  if (!gFrmStart) return;
  if (indice == static_cast<int>(AbaBancada::Dados)) gFrmStart->setarDadosOk();
  if (indice == static_cast<int>(AbaBancada::TextoAuxiliar)) gFrmStart->setarTextoOk();
}

// --- Messages --------------------------------------------------------------------------

int TfrmMain::mensagemDaExecucao(const QString& texto, int tipo) {
  // Outside a run, and once its loop has ended (the question about learned
  // click points), a message is a plain modal one.
  if (!gHost->lacoAtivo()) {
    TfrmMsg janela(this);
    janela.exibirMensagem(texto, tipo);
    return janela.exec();
  }
  // During a run the message holds the run, not the workbench: "Pausar" and
  // "Encerrar" stay within reach (a script showing messages in a loop must
  // still be stoppable), and a stop closes the message.
  if (execucaoEncerrando()) return kResultadoCancelar;
  TfrmMsg janela(this);
  janela.exibirMensagem(texto, tipo);
  janela.setWindowModality(Qt::NonModal);
  QEventLoop laco;
  connect(&janela, &QDialog::finished, &laco, &QEventLoop::quit);
  QTimer vigia;
  vigia.setInterval(50);
  connect(&vigia, &QTimer::timeout, &janela, [this, &janela] {
    if (execucaoEncerrando()) janela.reject();
  });
  janela.show();
  janela.raise();
  janela.activateWindow();
  vigia.start();
  laco.exec();
  return janela.result();
}

bool TfrmMain::execucaoEncerrando() const {
  const StatusExecucao status = gHost->statusExecucao();
  return gHost->parar() || status == StatusExecucao::Inativo || status == StatusExecucao::Encerrado;
}

void TfrmMain::mostrarInformacao(const QString& texto) { mensagemDaExecucao(texto, kTipoInformacao); }
void TfrmMain::mostrarErro(const QString& texto) { mensagemDaExecucao(texto, kTipoErro); }
void TfrmMain::mostrarAviso(const QString& texto) { mensagemDaExecucao(texto, kTipoAviso); }

void TfrmMain::mostrarMensagem(const QString& texto) {
  QMessageBox::information(isVisible() ? this : nullptr, QStringLiteral("Mivo"), texto);
}

RespostaSimNao TfrmMain::perguntarSimNao(const QString& texto) {
  return mensagemDaExecucao(texto, kTipoPergunta) == kResultadoSim ? RespostaSimNao::Sim : RespostaSimNao::Nao;
}

void TfrmMain::mostrarDica(const QString& identificador, const QString& texto, int altura) {
  dialogos::mostrarDica(identificador, texto, altura, this);
}

QString TfrmMain::pedirValor(const QString& pergunta, const QString& valorInicial, bool& confirmado) {
  return dialogos::pedirValor(pergunta, valorInicial, &confirmado, this);
}

CLProgresso& TfrmMain::progresso() {
  if (!gProgress) gProgress = std::make_unique<TfrmProgress>(this);
  return *gProgress;
}

// --- Closing and keys ------------------------------------------------------------------

void TfrmMain::fecharMivo() {
  gSaidaConfirmada = true;
  if (gHost->emExecucao()) {
    gFecharAposExecucao = true;
    gHost->encerrarExecucao();
    return;
  }
  close();
}

void TfrmMain::closeEvent(QCloseEvent* evento) {
  if (gFrmStart && gFrmStart->isVisible()) {
    // The parameters window stays; the workbench comes back with it.
    hide();
    evento->ignore();
    return;
  }
  if (!gSaidaConfirmada && !gDocumento.salvo() &&
      !dialogos::confirmar(QStringLiteral("Houve alterações no Script. Se você sair sem salvar as alterações "
                                          "serão perdidas. Deseja sair?"),
                           this)) {
    evento->ignore();
    return;
  }
  // A list pasted or typed, an auxiliary text written: lost on closing too.
  const QString perdas = perguntaSairSemSalvar(listaNaoSalva(), textoNaoSalvo());
  if (!gSaidaConfirmada && !perdas.isEmpty() && !dialogos::confirmar(perdas, this)) {
    evento->ignore();
    return;
  }
  if (gHost->emExecucao()) {
    // The run ends first (after its current statement); the window closes
    // once its loop has returned.
    gFecharAposExecucao = true;
    gSaidaConfirmada = true;
    gHost->encerrarExecucao();
    evento->ignore();
    return;
  }
  evento->accept();
}

void TfrmMain::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
    teclaEsc();
    return;
  }
  QMainWindow::keyPressEvent(evento);
}

void TfrmMain::teclaEsc() {
  if (gHost->statusExecucao() != StatusExecucao::Inativo) {
    if (!dialogos::confirmar(QStringLiteral("Isso vai interromper o processamento do Script e fechar esta janela "
                                            "de execução. Deseja continuar"),
                             this))
      return;
    gHost->encerrarPorEsc();
    QCoreApplication::processEvents();
    gHost->dormir(500);
    // The run ends with its loop; the window closes after it.
    gFecharAposExecucao = gHost->emExecucao();
    if (gFecharAposExecucao) return;
  }
  close();
}

}  // namespace mivo
