#pragma once
// CLServidorXTeste: an Xvfb server of a test's own, on a display number the
// server picks itself among the free ones, optionally with openbox as
// window manager; both end with the object.

#include <string>

#include "unProcessoTeste.h"

namespace mivo::teste {

class CLServidorXTeste {
 public:
  static constexpr int kLargura = 1280;
  static constexpr int kAltura = 800;

  // False, with the reason, when Xvfb or openbox did not come up in time.
  bool iniciar(bool comGerenciador, std::string& erro);
  ~CLServidorXTeste();
  const std::string& nome() const { return gNome; }  // ":N"
  // Kills the X server at once, as a crash would.
  void derrubar();
  void parar();

 private:
  bool aguardarGerenciador(int limiteMs);
  std::string gNome;
  CLProcessoTeste gXvfb;
  CLProcessoTeste gOpenbox;
};

}  // namespace mivo::teste
