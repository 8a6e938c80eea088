#pragma once
// JanelaAlvo: a top-level window of the test program that the Win32 backend
// acts on, with a thread and a message loop of its own (as another program's
// window would have), so that the test thread can inject input and wait for
// its effect. The upper half of its client area is painted in one colour and
// records the mouse messages it gets; a multi-line edit box fills the lower
// half and takes the focus whenever the window is activated.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "unCLDesktop.h"

namespace mivo::teste {

struct EventoMouse {
  UINT mensagem = 0;  // WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, ...
  POINT cliente{};    // client coordinates (buttons only)
  int delta = 0;      // wheel only
};

struct OpcoesJanelaAlvo {
  std::u16string titulo = u"Mivo alvo";
  COLORREF cor = RGB(12, 200, 77);
  RECT retangulo{100, 100, 500, 400};  // left, top, right, bottom
  bool visivel = true;
  HWND dono = nullptr;  // an owned window when set
};

class JanelaAlvo {
 public:
  explicit JanelaAlvo(OpcoesJanelaAlvo opcoes = {});
  ~JanelaAlvo();  // destroys the window (when still there) and ends its thread
  JanelaAlvo(const JanelaAlvo&) = delete;
  JanelaAlvo& operator=(const JanelaAlvo&) = delete;

  HWND hwnd() const;
  HWND edicao() const;
  JanelaId id() const;
  // The centre of the painted area, in screen coordinates.
  PontoTela centroPintado() const;

  // The edit box's text (WM_GETTEXT); empty when the window is gone.
  std::u16string textoEdicao() const;
  void limparEdicao();
  std::vector<EventoMouse> eventosMouse() const;
  void limparEventos();
  // Keeps the window's thread busy for `ms` without reading messages, as a
  // program that stopped answering; returns once it is busy.
  void ocupar(int ms);
  // Destroys the window on its own thread, as a program closing it would.
  void fechar();

 private:
  struct Estado;
  std::shared_ptr<Estado> gEstado;
};

// Polls `condicao` every 10 ms until it holds or `ms` have passed.
bool esperarAte(const std::function<bool()>& condicao, int ms = 3000);

}  // namespace mivo::teste
