#include "unFrmMacro.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

namespace mivo {

namespace {

qint64 relogioPadrao() {
  static QElapsedTimer relogio;
  if (!relogio.isValid()) relogio.start();
  return relogio.elapsed();
}

QPlainTextEdit* coluna(QSplitter* divisor, const QString& titulo, const char* nome, bool somenteLeitura) {
  auto* caixa = new QWidget(divisor);
  auto* ly = new QVBoxLayout(caixa);
  ly->setContentsMargins(2, 2, 2, 2);
  auto* rotulo = new QLabel(titulo, caixa);
  QFont negrito = rotulo->font();
  negrito.setBold(true);
  rotulo->setFont(negrito);
  auto* memo = new QPlainTextEdit(caixa);
  memo->setObjectName(QString::fromLatin1(nome));
  memo->setReadOnly(somenteLeitura);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ly->addWidget(rotulo);
  ly->addWidget(memo);
  return memo;
}

}  // namespace

QRect TfrmMacro::areaTela() const {
  // The screen of the window in front (the workbench, as the recorder
  // opens), else this window's.
  const QWidget* ativa = QApplication::activeWindow();
  const QScreen* tela = ativa && ativa != this ? ativa->screen() : screen();
  if (!tela) tela = QGuiApplication::primaryScreen();
  return tela ? tela->availableGeometry() : QRect(0, 0, 1280, 800);
}

const char* const TfrmMacro::kDicaId = "11219";

QString TfrmMacro::textoDica() {
  return QStringLiteral(
      "A gravação de ações (macro) facilitará a obtenção de código para seu script. Algumas dicas importantes "
      "sobre a gravação:\\n\\n1- O Mivo só grava suas ações quando você clicar no botão \"Iniciar gravação\"\\n2- O "
      "gravador identifica locais onde o mouse foi clicado, tanto com o botão direito como com o botão "
      "esquerdo\\n3- As teclas digitadas também são gravadas; maiúsculas, letras com acento e cedilha viram "
      "&TextoDigitar\\n4- Combinações de teclas não são identificadas na gravação (ex: CTRL + E). Para isso, use "
      "funções disponíveis na linguagem do Mivo\\n\\nRecomendamos usar a gravação de ações principalmente para "
      "cliques e digitação de teclas específicas, normalmente necessárias em seletores e menus. Evite usar a "
      "gravação para digitar textos longos. Melhor usar a função &TextoColar(\"valor\") nesses casos");
}

TfrmMacro::TfrmMacro(CLDesktop& desktop, CLGravador::Relogio agora, QWidget* pai)
    : QWidget(pai, Qt::Window), gGravador(desktop, agora ? std::move(agora) : CLGravador::Relogio(relogioPadrao)) {
  setObjectName(QStringLiteral("TfrmMacro"));
  setWindowTitle(QStringLiteral("Gravador de Macro"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(771, 442);

  auto* ly = new QVBoxLayout(this);
  ly->setContentsMargins(0, 0, 0, 0);
  ly->setSpacing(0);

  pnTool = new QWidget(this);
  pnTool->setObjectName(QStringLiteral("pnTool"));
  pnTool->setAutoFillBackground(true);
  QPalette branco = pnTool->palette();
  branco.setColor(QPalette::Window, Qt::white);
  pnTool->setPalette(branco);
  auto* lyTool = new QHBoxLayout(pnTool);
  btnIniciar = new QPushButton(QStringLiteral("Iniciar gravação"), pnTool);
  btnIniciar->setObjectName(QStringLiteral("btnIniciar"));
  btnParar = new QPushButton(QStringLiteral("Parar gravação"), pnTool);
  btnParar->setObjectName(QStringLiteral("btnParar"));
  btnParar->setEnabled(false);
  btnLimpar = new QPushButton(QStringLiteral("Limpar tudo"), pnTool);
  btnLimpar->setObjectName(QStringLiteral("btnLimpar"));
  btnMostrar = new QPushButton(QStringLiteral("Mostrar tabela de caracteres"), pnTool);
  btnMostrar->setObjectName(QStringLiteral("btnMostrar"));
  togMinimizar = new QCheckBox(QStringLiteral("Minimizar ao gravar"), pnTool);
  togMinimizar->setObjectName(QStringLiteral("togMinimizar"));
  // A switch whose thumb turns green while it is on.
  togMinimizar->setStyleSheet(QStringLiteral("QCheckBox::indicator:checked { background-color: rgb(0, 170, 0); }"));
  for (QWidget* w : {static_cast<QWidget*>(btnIniciar), static_cast<QWidget*>(btnParar),
                     static_cast<QWidget*>(btnLimpar), static_cast<QWidget*>(btnMostrar)})
    lyTool->addWidget(w);
  lyTool->addStretch();
  lyTool->addWidget(togMinimizar);
  ly->addWidget(pnTool);

  pnStatus = new QLabel(QStringLiteral("Gravando (F10 para a gravação)"), this);
  pnStatus->setObjectName(QStringLiteral("pnStatus"));
  pnStatus->setAlignment(Qt::AlignCenter);
  QFont negrito = pnStatus->font();
  negrito.setBold(true);
  pnStatus->setFont(negrito);
  pnStatus->hide();
  ly->addWidget(pnStatus);

  auto* divisor = new QSplitter(Qt::Horizontal, this);
  gColunas = divisor;
  mmoID = coluna(divisor, QStringLiteral("ID da tecla"), "mmoID", true);
  mmoTecla = coluna(divisor, QStringLiteral("Tecla"), "mmoTecla", true);
  mmoScript = coluna(divisor, QStringLiteral("Script"), "mmoScript", false);
  divisor->setSizes({110, 150, 500});
  ly->addWidget(divisor, 1);

  gTmMacro.setInterval(10);
  connect(&gTmMacro, &QTimer::timeout, this, &TfrmMacro::tmMacroTimer);
  connect(btnIniciar, &QPushButton::clicked, this, &TfrmMacro::iniciarGravacao);
  connect(btnParar, &QPushButton::clicked, this, &TfrmMacro::pararGravacao);
  connect(btnLimpar, &QPushButton::clicked, this, &TfrmMacro::btnLimparClick);
  connect(btnMostrar, &QPushButton::clicked, this, &TfrmMacro::btnMostrarClick);

  // In the middle of the screen the user works on; left to itself the
  // window manager puts it in a corner when the workbench fills the screen.
  const QRect area = areaTela();
  move(area.center() - rect().center());
}

TfrmMacro::~TfrmMacro() = default;

void TfrmMacro::iniciarGravacao() {
  gTmMacro.start();
  pnStatus->show();
  if (!togMinimizar->isChecked()) return;
  btnIniciar->setEnabled(false);
  btnLimpar->setEnabled(false);
  btnMostrar->setEnabled(false);
  btnParar->setEnabled(true);
  pnTool->hide();
  gColunas->hide();
  layout()->activate();
  // A small bar at the top of the screen, above the other windows. Where
  // the window was is kept for its return; move() places the frame, so the
  // bar's title stays on the screen.
  gGeometriaAntes = saveGeometry();
  const QRect area = areaTela();
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
  resize(350, 53);
  move(area.x() + (area.width() - 350) / 2, area.y());
  show();
}

void TfrmMacro::pararGravacao() {
  gTmMacro.stop();
  pnStatus->hide();
  pnTool->show();
  gColunas->show();
  if (windowFlags() & Qt::Tool) {
    // Back as it was before the bar: a framed window, its place and size.
    setWindowFlags(Qt::Window);
    layout()->activate();
    restoreGeometry(gGeometriaAntes);
    show();
  }
  raise();
  activateWindow();
  btnIniciar->setEnabled(true);
  btnLimpar->setEnabled(true);
  btnMostrar->setEnabled(true);
  btnParar->setEnabled(false);
}

void TfrmMacro::tmMacroTimer() {
  const CLGravador::Gravado g = gGravador.passo(!mmoScript->toPlainText().trimmed().isEmpty());
  if (g.parar) {
    pararGravacao();
    return;
  }
  if (g.tecla == 0) return;
  for (const QString& linha : g.linhas) mmoScript->appendPlainText(linha);
  for (const CLGravador::Entrada& e : g.linhasTecla) {
    mmoID->appendPlainText(QString::number(e.tecla));
    mmoTecla->appendPlainText(e.texto);
  }
}

void TfrmMacro::btnLimparClick() {
  mmoID->clear();
  mmoTecla->clear();
  mmoScript->clear();
}

void TfrmMacro::btnMostrarClick() {
  for (const QString& linha : CLGravador::tabelaCaracteres()) mmoScript->appendPlainText(linha);
}

}  // namespace mivo
