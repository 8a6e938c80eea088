#pragma once
// For end-to-end tests of a window in the test's own process on Qt's xcb
// platform, on the test display (Xvfb with openbox): the application, the
// user's clicks through XTest, the window as the window manager shows it,
// and screenshots into the build folder (the target defines
// MIVO_CAPTURAS_DIR).

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <QApplication>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace mivo::teste {

// A screenshot of the whole test display, as PNG, into the build folder.
void capturar(const QString& nome);

// Shown, and the server has drawn it.
bool exposta(QWidget* janela);

class JanelaX11 : public TesteX11 {
 protected:
  static void TearDownTestSuite() { gAplicacao.reset(); }

  // The application of this process, on the test display (DISPLAY was set
  // when the test server started).
  static void criarAplicacao();

  // Pumps this process's events until `condicao` has held without a break
  // for `firmeMs` (the window manager settles a window in several steps);
  // false when it has not within `limiteMs`.
  static bool aguardarFirme(const std::function<bool()>& condicao, int firmeMs = 300, int limiteMs = 30000);

  // A left click of the user's at `ponto` (global coordinates).
  void clicar(QPoint ponto);
  // A left click in the middle of `controle`.
  void clicar(QWidget* controle);

  // The X window of a top-level widget.
  static JanelaId idJanela(QWidget* janela);
  // The window as the window manager shows it, frame included.
  RetanguloJanela moldura(QWidget* janela) const;
  // The same once the window manager has left it still for a moment.
  RetanguloJanela molduraFirme(QWidget* janela);
  // The frame the window manager put around it (_NET_FRAME_EXTENTS): the
  // top one is the title bar; all 0 when it has none.
  struct Extensoes {
    long esquerda = 0, direita = 0, topo = 0, base = 0;
  };
  Extensoes extensoes(QWidget* janela) const;

 private:
  static inline int gArgc = 1;
  static inline char gNome[] = "teste_janela_x11";
  static inline char* gArgv[] = {gNome, nullptr};
  static inline std::unique_ptr<QApplication> gAplicacao;
};

}  // namespace mivo::teste
