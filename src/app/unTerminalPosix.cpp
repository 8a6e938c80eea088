// The terminal on POSIX systems: poll() on standard input.

#include <poll.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "unTerminal.h"

namespace mivo::terminal {

void preparar() {}

bool entradaInterativa() { return isatty(STDIN_FILENO); }

LeituraTerminal lerLinha(int ms, QString& linha) {
  pollfd entrada{STDIN_FILENO, POLLIN, 0};
  if (poll(&entrada, 1, ms) <= 0) return LeituraTerminal::Nada;
  std::string texto;
  if (!std::getline(std::cin, texto)) return LeituraTerminal::Fim;
  linha = QString::fromStdString(texto);
  return LeituraTerminal::Linha;
}

}  // namespace mivo::terminal
