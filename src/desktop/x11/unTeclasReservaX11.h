#pragma once
// CLTeclasReservaX11: keycodes lent to keysyms the keyboard map lacks, so
// that any character can be typed (accented letters on a layout without
// them, emoji). A spare keycode (one without keysyms) gets the keysym for as
// long as the typing needs it and its own keysyms back afterwards: when it
// has been idle for a while, when its place is needed for another keysym,
// and at the latest when this object goes (also when a run ends by an
// error). A client reads the map for a key when it processes the key, which
// may be a moment after the key was sent; a binding therefore lives on for a
// grace time after its last use before it is changed.

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

namespace mivo {

class CLConexaoX11;

class CLTeclasReservaX11 {
 public:
  using Relogio = std::chrono::steady_clock;
  static constexpr int kCarenciaMs = 200;

  explicit CLTeclasReservaX11(CLConexaoX11& conexao);
  ~CLTeclasReservaX11();
  CLTeclasReservaX11(const CLTeclasReservaX11&) = delete;
  CLTeclasReservaX11& operator=(const CLTeclasReservaX11&) = delete;

  // A keycode that types `keysym` without modifiers, bound now if needed;
  // 0 when no keycode can be lent. Counts as a use.
  KeyCode vincular(KeySym keysym);
  // A lent keycode held down is never taken back until it is released.
  void marcarPressionada(KeyCode keycode, bool pressionada);
  // True for the keycodes this object may lend: the keyboard map leaves
  // them out of its own lookups.
  bool ehReserva(KeyCode keycode) const;
  // True when the mapping change of [primeiro, primeiro + quantos) only
  // touched keycodes lent here.
  bool mudancaPropria(int primeiro, int quantos) const;

  // Gives back the keycodes idle for at least `ociosoMs`.
  void restaurarOciosas(int ociosoMs);
  // Gives back every keycode, after the grace time of the latest use.
  void restaurarTodas();

 private:
  struct Vaga {
    KeyCode keycode = 0;
    std::vector<KeySym> originais;  // the keysyms to give back
    KeySym keysym = NoSymbol;       // lent to this one; NoSymbol: free
    Relogio::time_point usadaEm{};
    bool pressionada = false;
  };

  void procurarVagas();
  void restaurar(Vaga& vaga);

  CLConexaoX11& gConexao;
  bool gProcurou = false;
  std::vector<Vaga> gVagas;
};

}  // namespace mivo
