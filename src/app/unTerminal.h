#pragma once
// mivo-run's terminal, the part that differs between systems: how text
// reaches the console and how a typed line is read without blocking the run.

#include <QString>

#include "unCLHostConsole.h"

namespace mivo::terminal {

// Called once at start. On Windows the console is told to show UTF-8 (the
// bytes the program writes, the same that go through a pipe).
void preparar();
// True when standard input is a terminal a person types into.
bool entradaInterativa();
// Waits up to `ms` for a whole line typed in the terminal. A signal ends the
// wait early, as nothing being typed.
LeituraTerminal lerLinha(int ms, QString& linha);

}  // namespace mivo::terminal
