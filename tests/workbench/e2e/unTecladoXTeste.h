#pragma once
// CLTecladoXTeste: the user's keyboard in an end-to-end test: a connection
// of its own to the test display that presses and releases keys through
// XTest, as a person would, and reads which keys the server holds down.
// Xlib stays inside its source file: its macros would break Qt's headers.

#include <string>
#include <vector>

struct _XDisplay;

namespace mivo::teste {

class CLTecladoXTeste {
 public:
  CLTecladoXTeste() = default;
  ~CLTecladoXTeste();
  CLTecladoXTeste(const CLTecladoXTeste&) = delete;
  CLTecladoXTeste& operator=(const CLTecladoXTeste&) = delete;

  // False when the display cannot be opened or lacks XTest.
  bool abrir(const std::string& tela);
  // `nome` is a keysym name ("F9", "Escape"); false when it has no keycode.
  bool pressionar(const std::string& nome);
  bool soltar(const std::string& nome);
  // The keycodes the server holds down now (XQueryKeymap).
  std::vector<int> teclasPressionadas();

 private:
  bool enviar(const std::string& nome, bool pressionada);
  _XDisplay* gTela = nullptr;
};

}  // namespace mivo::teste
