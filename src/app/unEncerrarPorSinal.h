#pragma once
// Ending the workbench when the system asks it to: SIGTERM (a logout, a
// shutdown, `kill`), SIGINT (Ctrl+C in the terminal that started it) and
// SIGHUP (that terminal closed). The request is carried out like "Fechar o
// Mivo": a run in progress stops after its current statement, the dialogs
// that hold the event loops (a script's message, a file dialog) are
// cancelled, and the message loop returns (the program's status is then
// 128 + the signal's number), so that every window, the desktop (keys released, keyboard map given
// back) and the main data module go through their destructors. Signals the
// program was started with ignored (nohup) stay ignored. Systems without
// POSIX signals end the program through its windows instead: nothing is
// installed there.

#include <functional>

namespace mivo {

struct AcoesEncerramento {
  // True while a script runs.
  std::function<bool()> emExecucao;
  // Asks the run to stop (TfrmMain::fecharMivo); called once.
  std::function<void()> encerrar;
};

// Installs the handlers for the rest of the process; call once, after the
// QApplication and the workbench exist.
void instalarEncerramentoPorSinal(AcoesEncerramento acoes);
// 128 + the number of the signal that ended the program; 0 when none did.
int codigoDoEncerramentoPorSinal();

}  // namespace mivo
