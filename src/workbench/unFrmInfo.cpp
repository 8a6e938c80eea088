#include "unFrmInfo.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>

#include "unUtil.h"

namespace mivo {

// --- Forms ------------------------------------------------------------------

QString formaAbsoluta(PontoTela p) { return QStringLiteral("%1;%2").arg(p.x).arg(p.y); }

PontoTela pontoQuadrante(PontoTela p, TamanhoTela tela) {
  return {p.x <= tela.largura / 2 ? p.x : p.x - tela.largura, p.y <= tela.altura / 2 ? p.y : p.y - tela.altura};
}

PontoTela pontoCentro(PontoTela p, TamanhoTela tela) {
  const PontoTela q = pontoQuadrante(p, tela);
  auto centro = [](int v, int metade) { return v >= 0 ? v - metade : v + metade; };
  return {centro(q.x, tela.largura / 2), centro(q.y, tela.altura / 2)};
}

QString formaQuadrante(PontoTela p, TamanhoTela tela) { return formaAbsoluta(pontoQuadrante(p, tela)); }
QString formaCentro(PontoTela p, TamanhoTela tela) { return formaAbsoluta(pontoCentro(p, tela)); }

QString textoCorRgb(CorTela cor) {
  if (cor == kCorInvalida) return {};
  return QStringLiteral("rgb[%1,%2,%3]").arg(cor & 0xFF).arg((cor >> 8) & 0xFF).arg((cor >> 16) & 0xFF);
}

QString TColorToHex(CorTela cor) {
  if (cor == kCorInvalida) return {};
  return QStringLiteral("#%1%2%3")
      .arg(cor & 0xFF, 2, 16, QLatin1Char('0'))
      .arg((cor >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
      .arg((cor >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
      .toUpper();
}

namespace {

QColor qcor(CorTela cor) {
  if (cor == kCorInvalida) return {};
  return QColor(cor & 0xFF, (cor >> 8) & 0xFF, (cor >> 16) & 0xFF);
}

void pintar(QFrame* amostra, CorTela cor) {
  const QColor c = qcor(cor);
  amostra->setStyleSheet(c.isValid() ? QStringLiteral("background-color: %1; border: 1px solid black;").arg(c.name())
                                     : QStringLiteral("border: 1px solid black;"));
}

QLineEdit* campo(QWidget* pai, const char* nome, bool vivo) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QString::fromLatin1(nome));
  e->setReadOnly(true);
  if (vivo) {
    QPalette p = e->palette();
    p.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
    p.setColor(QPalette::Text, QColor(0x6D, 0x6D, 0x6D));
    e->setPalette(p);
  }
  return e;
}

}  // namespace

// --- The inspector ------------------------------------------------------------

namespace {
constexpr int kLarguraInfo = 296;
constexpr int kAlturaInfoMinima = 312;
}  // namespace

TfrmInfo::TfrmInfo(CLDesktop& desktop, QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::WindowStaysOnTopHint), gDesktop(desktop) {
  setObjectName(QStringLiteral("TfrmInfo"));
  setWindowTitle(QStringLiteral("Informações"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* grade = new QGridLayout(this);
  grade->setContentsMargins(8, 8, 8, 8);
  grade->setVerticalSpacing(3);
  int linha = 0;
  auto rotulo = [&](const QString& texto, int coluna = 0, int largura = 1) {
    grade->addWidget(new QLabel(texto, this), linha, coluna, 1, largura);
  };
  auto par = [&](const QString& texto, QLineEdit* e) {
    rotulo(texto);
    grade->addWidget(e, linha++, 1, 1, 2);
  };
  rotulo(QStringLiteral("Mouse:"), 0, 3);
  ++linha;
  edtMNormal = campo(this, "edtMNormal", true);
  edtMCentro = campo(this, "edtMCentro", true);
  edtMabs = campo(this, "edtMabs", true);
  edtWeb = campo(this, "edtWeb", true);
  edtRgb = campo(this, "edtRgb", true);
  edtJanelaAtiva = campo(this, "edtJanelaAtiva", true);
  par(QStringLiteral("quadrante:"), edtMNormal);
  par(QStringLiteral("centro:"), edtMCentro);
  par(QStringLiteral("absoluto:"), edtMabs);
  Shape1 = new QFrame(this);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setFixedSize(24, 24);
  grade->addWidget(Shape1, linha, 0);
  grade->addWidget(new QLabel(QStringLiteral("Cor web (hexa):"), this), linha, 1);
  grade->addWidget(edtWeb, linha++, 2);
  par(QStringLiteral("Cor RGB:"), edtRgb);
  par(QStringLiteral("Janela:"), edtJanelaAtiva);
  auto* instrucao = new QLabel(
      QStringLiteral("Pressione F4 para salvar a posição do mouse e a cor. Clique no campo para copiar o valor:"), this);
  instrucao->setObjectName(QStringLiteral("lbInstrucao"));
  instrucao->setWordWrap(true);
  grade->addWidget(instrucao, linha++, 0, 1, 3);
  edtMouseNormal = campo(this, "edtMouseNormal", false);
  edtMouseCentro = campo(this, "edtMouseCentro", false);
  edtMouseAbs = campo(this, "edtMouseAbs", false);
  edtWeb2 = campo(this, "edtWeb2", false);
  edtRgb2 = campo(this, "edtRgb2", false);
  edtJanelaAtiva2 = campo(this, "edtJanelaAtiva2", false);
  par(QStringLiteral("quadrante"), edtMouseNormal);
  par(QStringLiteral("centro:"), edtMouseCentro);
  par(QStringLiteral("absoluto:"), edtMouseAbs);
  Shape2 = new QFrame(this);
  Shape2->setObjectName(QStringLiteral("Shape2"));
  Shape2->setFixedSize(24, 24);
  grade->addWidget(Shape2, linha, 0);
  grade->addWidget(new QLabel(QStringLiteral("Cor web (hexa):"), this), linha, 1);
  grade->addWidget(edtWeb2, linha++, 2);
  par(QStringLiteral("Cor RGB:"), edtRgb2);
  par(QStringLiteral("Janela:"), edtJanelaAtiva2);
  // 296 wide, as tall as the wrapped instruction and the fields at their
  // own height need (312 at the least): the fonts of this system make the
  // fields taller than the window was first drawn for.
  setFixedWidth(kLarguraInfo);
  setFixedHeight(std::max(kAlturaInfoMinima, heightForWidth(kLarguraInfo)));
  pintar(Shape1, kCorInvalida);
  pintar(Shape2, kCorInvalida);
  for (QLineEdit* e : {edtMouseNormal, edtMouseCentro, edtMouseAbs, edtWeb2, edtRgb2, edtJanelaAtiva2})
    e->installEventFilter(this);

  gCopiar = [](const QString& texto) { QGuiApplication::clipboard()->setText(texto); };
  gTmGetPoint.setInterval(200);
  connect(&gTmGetPoint, &QTimer::timeout, this, &TfrmInfo::tmGetPointTimer);
  gTmKey.setInterval(10);
  connect(&gTmKey, &QTimer::timeout, this, &TfrmInfo::tmKeyTimer);
  gTmGetPoint.start();
  gTmKey.start();
  const QScreen* tela = QGuiApplication::primaryScreen();
  if (tela) move(tela->availableGeometry().center() - rect().center());
}

QString TfrmInfo::janelaAtivaTexto() const {
  const JanelaId janela = gDesktop.janelaPrimeiroPlano();
  if (janela == JanelaId::Nenhuma) return {};
  return apararDireita(QString::fromStdU16String(gDesktop.janelaTitulo(janela)));
}

void TfrmInfo::tmGetPointTimer() {
  const PontoTela p = gDesktop.cursorPosicao();
  const TamanhoTela tela = gDesktop.telaTamanho();
  edtMabs->setText(formaAbsoluta(p));
  edtMNormal->setText(formaQuadrante(p, tela));
  edtMCentro->setText(formaCentro(p, tela));
  edtJanelaAtiva->setText(janelaAtivaTexto());
  showColor(p);
}

void TfrmInfo::showColor(PontoTela p) {
  gCorViva = gDesktop.pixelCor(p);
  pintar(Shape1, gCorViva);
  edtRgb->setText(textoCorRgb(gCorViva));
  edtWeb->setText(TColorToHex(gCorViva));
}

void TfrmInfo::tmKeyTimer() {
  if (!(gDesktop.teclaEstado(tecla::kF4) & kTeclaPressionada)) return;
  copyInfo();
  showNormal();
  raise();
  activateWindow();
}

void TfrmInfo::copyInfo() {
  edtMouseNormal->setText(edtMNormal->text());
  edtMouseCentro->setText(edtMCentro->text());
  edtMouseAbs->setText(edtMabs->text());
  edtWeb2->setText(edtWeb->text());
  edtRgb2->setText(edtRgb->text());
  edtJanelaAtiva2->setText(edtJanelaAtiva->text());
  pintar(Shape2, gCorViva);
}

void TfrmInfo::edtMouseNormalClick(QLineEdit* e) {
  const QPalette antes = e->palette();
  QPalette verde = antes;
  verde.setColor(QPalette::Base, QColor(0, 255, 0));
  e->setPalette(verde);
  const QString texto = e->text();
  QPointer<QLineEdit> guardado(e);
  QTimer::singleShot(100, this, [this, guardado, antes, texto] {
    gCopiar(texto);
    if (guardado) guardado->setPalette(antes);
  });
}

bool TfrmInfo::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::MouseButtonPress) {
    if (auto* e = qobject_cast<QLineEdit*>(objeto)) edtMouseNormalClick(e);
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmInfo::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(evento);
}

// --- The step comment --------------------------------------------------------------

TfrmStep::TfrmStep(CLDesktop* desktop, std::function<void()> encerrar, QWidget* pai)
    : QWidget(pai, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                       Qt::WindowDoesNotAcceptFocus),
      gDesktop(desktop),
      gEncerrar(std::move(encerrar)) {
  setObjectName(QStringLiteral("TfrmStep"));
  // The bar shows while a script types into another window: it must never
  // take the keyboard from it, neither when it appears nor when clicked.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(QStringLiteral("Comentário do script"));
  resize(651, 22);
  setAutoFillBackground(true);
  QPalette fundo = palette();
  // 8512766 as the system writes colours: blue 0x81, green 0xE4, red 0xFE.
  fundo.setColor(QPalette::Window, QColor(0xFE, 0xE4, 0x81));
  setPalette(fundo);
  auto* ly = new QHBoxLayout(this);
  ly->setContentsMargins(4, 0, 0, 0);
  ly->setSpacing(0);
  pnComentario = new QLabel(QStringLiteral("Descrição do script"), this);
  pnComentario->setObjectName(QStringLiteral("pnComentario"));
  QFont f = pnComentario->font();
  f.setPixelSize(13);
  pnComentario->setFont(f);
  pnComentario->setMouseTracking(true);
  pnComentario->installEventFilter(this);
  Panel1 = new QLabel(QStringLiteral("F9 (Pausar)"), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setAutoFillBackground(true);
  QPalette prata = Panel1->palette();
  prata.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  Panel1->setPalette(prata);
  Panel1->setFixedWidth(90);
  Panel1->installEventFilter(this);
  ly->addWidget(pnComentario, 1);
  ly->addWidget(Panel1);
  gTmCheck.setInterval(1000);
  connect(&gTmCheck, &QTimer::timeout, this, &TfrmStep::tmCheckTimer);
}

void TfrmStep::showStep(const QString& mensagem) {
  pnComentario->setText(mensagem);
  // Aside while the pointer is up there: it comes back on its own.
  if (gTmCheck.isActive()) return;
  const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect area = tela ? tela->geometry() : QRect(0, 0, 1280, 800);
  move(area.x() + (area.width() - width()) / 2, area.y() + 1);
  show();
}

void TfrmStep::pnComentarioMouseMove() {
  hide();
  gTmCheck.start();
}

void TfrmStep::tmCheckTimer() {
  if (gDesktop && gDesktop->cursorPosicao().y < 24) return;
  gTmCheck.stop();
  resize(width(), 22);
  show();
}

void TfrmStep::Panel1Click() {
  if (gEncerrar) gEncerrar();
}

bool TfrmStep::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == pnComentario && (evento->type() == QEvent::MouseMove || evento->type() == QEvent::Enter))
    pnComentarioMouseMove();
  else if (objeto == Panel1 && evento->type() == QEvent::MouseButtonPress)
    Panel1Click();
  return QWidget::eventFilter(objeto, evento);
}

}  // namespace mivo
