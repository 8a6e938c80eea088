#pragma once
// CLTeclasReservaX11: keycodes lent to keysyms the keyboard map lacks, so
// that any character can be typed (accented letters on a layout without
// them, emoji). A spare keycode (one without keysyms) gets the keysym, and
// for a letter its capital at the Shift level, for as long as the typing
// needs it, and its own keysyms back afterwards: when it has been idle for
// a while, when its place is needed for another keysym, and at the latest
// when this object goes (also when a run ends by an error).
//
// Clients read the map lazily: Xlib fetches the changed keys when it
// translates the next key, and a second change that arrives while that
// fetch is under way is lost, so the client translates a later key with a
// stale map. Every change of the map therefore waits until the keys sent
// before it have had time to be translated, and a binding lives on for a
// while after its last use.

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

namespace mivo {

class CLConexaoX11;

class CLTeclasReservaX11 {
 public:
  using Relogio = std::chrono::steady_clock;
  // Quiet time between the last key sent and a change of the map.
  static constexpr int kAssentarMs = 25;

  struct Lugar {
    KeyCode keycode = 0;  // 0: none could be lent
    int nivel = 0;        // 1: with Shift
  };

  explicit CLTeclasReservaX11(CLConexaoX11& conexao);
  ~CLTeclasReservaX11();
  CLTeclasReservaX11(const CLTeclasReservaX11&) = delete;
  CLTeclasReservaX11& operator=(const CLTeclasReservaX11&) = delete;

  // Where `keysym` is typed, binding a spare keycode when needed. Counts as a use.
  Lugar vincular(KeySym keysym);
  // The keyboard tells of every key it sends.
  void notarEnvio() { gUltimoEnvio = Relogio::now(); }
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
  // Gives back every keycode.
  void restaurarTodas();

 private:
  struct Vaga {
    KeyCode keycode = 0;
    std::vector<KeySym> originais;  // the keysyms to give back
    KeySym keysyms[2] = {NoSymbol, NoSymbol};  // lent to these; NoSymbol: free
    Relogio::time_point usadaEm{};
    bool pressionada = false;
  };

  void procurarVagas();
  void assentar();
  void restaurar(Vaga& vaga);

  CLConexaoX11& gConexao;
  bool gProcurou = false;
  std::vector<Vaga> gVagas;
  Relogio::time_point gUltimoEnvio{};
};

}  // namespace mivo
