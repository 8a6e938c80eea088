#pragma once
// CLJanelasX11: the top-level windows of an X display as a script sees them,
// through the window manager's EWMH properties where it offers them (active
// window, client list in stacking order, activation, move/resize, maximise)
// and plain Xlib where it does not (input focus, window tree, raise and
// focus). A window is named by its client window's id.

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "unCLDesktop.h"

namespace mivo {

class CLConexaoX11;

class CLJanelasX11 {
 public:
  static constexpr int kLimiteAtivacaoMs = 1500;
  static constexpr int kLimiteGeometriaMs = 500;

  explicit CLJanelasX11(CLConexaoX11& conexao);

  Window primeiroPlano();
  // Managed windows from the topmost down, then every other child of the root.
  std::vector<Window> emOrdem();
  std::u16string titulo(Window janela);
  // The outer rectangle, frame included, in root coordinates.
  RetanguloJanela retangulo(Window janela);
  bool minimizada(Window janela);
  bool visivel(Window janela);
  Window pai(Window janela);
  ProcessoId processo(Window janela);
  // Restores, raises and focuses the window and waits, within a limit, until
  // it is the active one. False when it is gone or never became active.
  bool ativar(Window janela);
  // Moves the frame's top-left corner to (x, y) and sizes the frame; waits,
  // within a limit, for the window manager to apply it.
  bool mover(Window janela, const RetanguloJanela& retangulo);
  bool maximizar(Window janela);

 private:
  bool existe(Window janela);
  // True when the running window manager says it supports `recurso`.
  bool suporta(const char* recurso);
  void enviarAoGerenciador(Window janela, const char* mensagem, long a0, long a1 = 0, long a2 = 0,
                           long a3 = 0, long a4 = 0);
  Window ativaSegundoGerenciador();
  Window clienteDe(Window janela, int profundidade);
  Window topoDe(Window janela);
  long estadoWm(Window janela);
  bool temEstadoNet(Window janela, const char* estado);
  void extensoesMoldura(Window janela, long& esquerda, long& direita, long& topo, long& base);

  CLConexaoX11& gConexao;
};

}  // namespace mivo
