#pragma once
// CLConexaoX11: one connection to an X server, opened within a time limit,
// whose faults never end the process. X protocol errors (a window that is
// gone, a request the server refuses) are recorded instead of printed; when
// the connection breaks (the server died) the connection is marked dead and
// every later call on it returns at once, so callers turn it into a failure.
// Each connection is used by one thread at a time.

#include <X11/Xlib.h>

#include <atomic>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace mivo {

class CLConexaoX11 {
 public:
  // Connects to `nomeTela` (":0", "host:1.0"; empty: $DISPLAY). Null, with
  // the reason in Portuguese in `erro`, when there is no display, the server
  // refuses the connection or does not answer within `limiteMs`.
  static std::unique_ptr<CLConexaoX11> abrir(const std::string& nomeTela, std::u16string& erro,
                                             int limiteMs = 5000);
  ~CLConexaoX11();
  CLConexaoX11(const CLConexaoX11&) = delete;
  CLConexaoX11& operator=(const CLConexaoX11&) = delete;

  Display* tela() const { return gTela; }
  Window raiz() const { return gRaiz; }
  const std::string& nome() const { return gNome; }
  // True once the connection broke; nothing on it works any more.
  bool morta() const { return gMorta.load(); }

  // The atom of `nome`, created when missing; cached.
  Atom atomo(const char* nome);

  // Forgets the last protocol error; erroDesdeMarca() then makes the server
  // process every request sent so far and returns the code of the first
  // error they raised (0: none, or the connection is dead).
  void marcarErros();
  int erroDesdeMarca();

  // Reads a property of 32-bit items (CARDINAL, WINDOW, ATOM...) or of
  // bytes; false when the window or the property does not exist, or its type
  // differs from `tipo` (AnyPropertyType accepts any).
  bool lerPropriedade32(Window janela, Atom propriedade, Atom tipo, std::vector<unsigned long>& valores);
  bool lerPropriedade8(Window janela, Atom propriedade, Atom tipo, std::string& bytes,
                       Atom* tipoLido = nullptr);

 private:
  CLConexaoX11(Display* tela, std::string nome);
  static int aoErro(Display* tela, XErrorEvent* evento);
  static int aoErroEs(Display* tela);
  static void aoErroEsSaida(Display* tela, void* conexao);

  Display* gTela = nullptr;
  Window gRaiz = 0;
  std::string gNome;
  std::atomic<bool> gMorta{false};
  std::unordered_map<std::string, Atom> gAtomos;
};

// The server's keyboard mapping, freed when it goes out of scope.
struct MapaTecladoX11 {
  explicit MapaTecladoX11(Display* tela);
  ~MapaTecladoX11();
  MapaTecladoX11(const MapaTecladoX11&) = delete;
  MapaTecladoX11& operator=(const MapaTecladoX11&) = delete;

  bool valido() const { return mapa && porKeycode > 0; }
  // The keysyms of one keycode (porKeycode of them).
  const KeySym* keysyms(int keycode) const { return mapa + (keycode - minimo) * porKeycode; }

  int minimo = 0, maximo = 0, porKeycode = 0;
  KeySym* mapa = nullptr;
};

}  // namespace mivo
