#pragma once
// The frame of the X11 end-to-end tests: one Xvfb server with openbox for
// the whole test program (started by a GoogleTest environment, stopped at
// its end, on a display number of its own), and a fixture that opens the
// desktop on it and starts target windows.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "unAlvoTeste.h"
#include "unCLDesktopX11.h"

namespace mivo::teste {

// The display of the test server; empty when there is none (then `motivo`
// says why).
const std::string& telaDeTeste(std::string* motivo = nullptr);

// The whole core keyboard map of `tela` (keysyms by keycode), read through
// a connection of its own; empty when the display cannot be opened.
std::vector<unsigned long> mapaDoTeclado(const std::string& tela);
// Sets the keyboard layout of `tela` with setxkbmap ("us", "br"); false,
// with the reason, when it cannot.
bool definirLayout(const std::string& tela, const std::string& layout, std::string& erro);

class TesteX11 : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts a target window and activates it; fails the test when it cannot.
  std::unique_ptr<CLAlvoTeste> abrirAlvo(const CLAlvoTeste::Opcoes& opcoes = {});
  std::unique_ptr<CLAlvoTeste> abrirAlvo(const std::string& titulo);
  // Polls `condicao` until it holds or `limiteMs` passes.
  static bool aguardar(const std::function<bool()>& condicao, int limiteMs = 5000);

  std::string tela;
  std::unique_ptr<CLDesktopX11> desktop;
};

}  // namespace mivo::teste
