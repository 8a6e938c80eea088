#pragma once
// The one place that chooses the desktop backend: the simulated desktop when
// asked for, otherwise the real desktop of this system. Callers never test
// the platform.

#include <functional>
#include <memory>
#include <string>

#include "unCLDesktop.h"

namespace mivo {

struct OpcoesDesktop {
  bool simular = false;
  // Simulated desktop only: the scenario file to start from (empty: an empty
  // desktop), a callback for the line of each action ("Desktop: ...", UTF-8)
  // and the wait behind dormir() (by default nothing waits).
  std::u16string cenario;
  std::function<void(const std::string& linha)> observador;
  std::function<void(int ms)> dormir;
};

struct DesktopCriado {
  std::unique_ptr<CLDesktop> desktop;  // null on failure
  std::u16string erro;                 // why, in Portuguese
};

DesktopCriado criarDesktop(const OpcoesDesktop& opcoes);

}  // namespace mivo
