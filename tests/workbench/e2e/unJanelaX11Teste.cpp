#include "unJanelaX11Teste.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <iostream>

// Last: Xlib's macros would break Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace mivo::teste {

void capturar(const QString& nome) {
  QDir().mkpath(QStringLiteral(MIVO_CAPTURAS_DIR));
  const QString caminho = QStringLiteral(MIVO_CAPTURAS_DIR "/") + nome + QStringLiteral(".png");
  QScreen* tela = QGuiApplication::primaryScreen();
  ASSERT_NE(tela, nullptr);
  const QPixmap imagem = tela->grabWindow(0);
  EXPECT_FALSE(imagem.isNull()) << nome.toStdString();
  EXPECT_TRUE(imagem.save(caminho, "PNG")) << caminho.toStdString();
  std::cout << "Captura: " << caminho.toStdString() << std::endl;
}

bool exposta(QWidget* janela) {
  return janela->isVisible() && janela->windowHandle() && janela->windowHandle()->isExposed();
}

void JanelaX11::criarAplicacao() {
  if (gAplicacao) return;
  qputenv("QT_QPA_PLATFORM", "xcb");
  gAplicacao = std::make_unique<QApplication>(gArgc, gArgv);
}

bool JanelaX11::aguardarFirme(const std::function<bool()>& condicao, int firmeMs, int limiteMs) {
  QElapsedTimer total, firme;
  total.start();
  while (total.elapsed() < limiteMs) {
    if (!condicao()) {
      firme.invalidate();
    } else if (!firme.isValid()) {
      firme.start();
    } else if (firme.elapsed() >= firmeMs) {
      return true;
    }
    QTest::qWait(10);
  }
  return false;
}

void JanelaX11::clicar(QPoint ponto) {
  desktop->cursorPosicionar({ponto.x(), ponto.y()});
  desktop->botaoPressionar(BotaoMouse::Esquerdo);
  desktop->botaoSoltar(BotaoMouse::Esquerdo);
}

void JanelaX11::clicar(QWidget* controle) { clicar(controle->mapToGlobal(controle->rect().center())); }

JanelaId JanelaX11::idJanela(QWidget* janela) {
  // QWidget::winId() keeps the first id after a change of the window's type
  // made Qt create a new X window; the QWindow has the current one.
  return JanelaId{janela->windowHandle() ? janela->windowHandle()->winId() : janela->winId()};
}

RetanguloJanela JanelaX11::moldura(QWidget* janela) const { return desktop->janelaRetangulo(idJanela(janela)); }

RetanguloJanela JanelaX11::molduraFirme(QWidget* janela) {
  RetanguloJanela ultima = moldura(janela);
  aguardarFirme([&] {
    const RetanguloJanela agora = moldura(janela);
    const bool igual = agora == ultima;
    ultima = agora;
    return igual && agora.largura > 0;
  });
  return ultima;
}

JanelaX11::Extensoes JanelaX11::extensoes(QWidget* janela) const {
  Extensoes e;
  Display* x = XOpenDisplay(tela.c_str());
  if (!x) {
    ADD_FAILURE() << "sem conexão com " << tela;
    return e;
  }
  Atom tipo = None;
  int formato = 0;
  unsigned long itens = 0, restante = 0;
  unsigned char* dados = nullptr;
  if (XGetWindowProperty(x, static_cast<Window>(idJanela(janela)), XInternAtom(x, "_NET_FRAME_EXTENTS", False), 0, 4,
                         False, XA_CARDINAL, &tipo, &formato, &itens, &restante, &dados) == Success &&
      dados && formato == 32 && itens == 4) {
    const auto* v = reinterpret_cast<const long*>(dados);
    e = {v[0], v[1], v[2], v[3]};
  }
  if (dados) XFree(dados);
  XCloseDisplay(x);
  return e;
}

}  // namespace mivo::teste
