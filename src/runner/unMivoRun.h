#pragma once
// The headless runner `mivo-run`: reads the command line, runs one script
// with the console host and answers with the exit status.

#include <QStringList>

#include "unCLHostConsole.h"

namespace mivo {

namespace saida {
constexpr int kFim = 0;        // the script ran to its end
constexpr int kErro = 1;       // a fatal or uncaught error ended the run
constexpr int kUso = 2;        // usage error, or a script that cannot be read
constexpr int kParado = 3;     // the run was stopped
constexpr int kAchados = 4;    // the checker found problems (--verificar, --estrito)
}  // namespace saida

// `argumentos` excludes the program's name; `fabrica` creates the real
// desktop when a script first needs it (--simular uses the simulated one).
int executarMivoRun(const QStringList& argumentos, const CLTerminal& terminal, FabricaDesktopHost fabrica);

QString textoAjudaMivoRun();

}  // namespace mivo
