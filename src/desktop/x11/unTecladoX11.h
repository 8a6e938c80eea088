#pragma once
// CLTecladoX11: the keyboard of an X display through XTest. Mivo's key codes
// become keysyms and then the keycodes of the current keyboard map; a
// character is typed with the key (and Shift) the map gives it, or with a
// keycode lent for the moment when the map has no key for it.

#include <X11/Xlib.h>

#include <array>
#include <bitset>
#include <chrono>
#include <unordered_map>
#include <vector>

#include "unCLDesktop.h"
#include "unTeclasReservaX11.h"

struct _XkbDesc;

namespace mivo {

class CLConexaoX11;
class CLSocorroX11;

class CLTecladoX11 {
 public:
  // `socorro`, when given, is told of every keycode that goes down or up.
  CLTecladoX11(CLConexaoX11& conexao, CLSocorroX11* socorro = nullptr);
  ~CLTecladoX11();
  CLTecladoX11(const CLTecladoX11&) = delete;
  CLTecladoX11& operator=(const CLTecladoX11&) = delete;

  // False when the code names no key (nothing was sent).
  bool pressionar(int tecla);
  void soltar(int tecla);
  // The key code of the key that types `caractere`, with 0x100 when it needs
  // Shift; kSemTecla when the map has no key for it.
  int teclaDoCaractere(char32_t caractere);
  int estado(int tecla);
  // Whether each of the codes 1..254 is down, from one look at the keymap
  // and the pointer.
  std::bitset<256> estadoDeTodas();
  // CLDesktop::teclaTexto: the key the user presses for `tecla` (see
  // keycodesDaTecla) translated under the keyboard's state now, or the key
  // pressionar() presses translated with no modifier held.
  TextoTecla texto(int tecla, char32_t acento, bool modificadores);
  void digitar(char32_t caractere);

  // The map changed (a MappingNotify for keycodes other than the lent ones).
  void mapaMudou(int primeiro, int quantos);
  // Lent keycodes idle for a while go back; called between operations.
  void restaurarOciosas();
  // Every lent keycode goes back (a key held on one is released first).
  void restaurarEmprestadas() { gReserva.restaurarTodas(); }

 private:
  struct Posicao {
    KeyCode keycode = 0;
    int nivel = 0;  // 0: no modifier, 1: Shift
  };

  void carregarMapa();
  void carregarNomes();
  // The keycodes that are the key of `tecla` on the user's keyboard. The
  // punctuation codes stand for places on the keyboard, as on Windows (186
  // is the key right of L, whatever it types): they are found by the key's
  // name when the server names its keys. Every other code is found by its
  // keysyms.
  std::vector<KeyCode> keycodesDaTecla(int tecla);
  // The keysym of `keycode` under `mods` in the current group; NoSymbol
  // when the server's keyboard description cannot be read.
  KeySym traduzir(KeyCode keycode, unsigned int mods, unsigned int* consumidos);
  const Posicao* procurar(KeySym keysym);
  // The keycode of the first keysym of `tecla` the map has, lending one when
  // it has none; 0 for a code with no key.
  KeyCode keycodeDaTecla(int tecla);
  void enviar(KeyCode keycode, bool pressionada);
  bool capsLockLigado();
  unsigned int mascaraModificador(KeySym keysym);

  CLConexaoX11& gConexao;
  CLSocorroX11* gSocorro;
  CLTeclasReservaX11 gReserva;
  bool gMapaValido = false;
  std::unordered_map<KeySym, Posicao> gPosicoes;
  KeyCode gShift = 0;
  std::array<KeyCode, 256> gPorNome{};  // punctuation codes by key name; 0: not named
  _XkbDesc* gXkb = nullptr;             // the server's keyboard description
  std::array<KeyCode, 256> gPressionadas{};  // the keycode each key code went down with
  bool gUltimoFoiCr = false;
  bool gCapsLock = false;
  std::chrono::steady_clock::time_point gCapsLidoEm{};
};

}  // namespace mivo
