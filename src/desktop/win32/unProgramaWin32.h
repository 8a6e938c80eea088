#pragma once
// Helpers of the Win32 backend for programs: the running processes and
// opening a command with the shell.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "unCLDesktop.h"

namespace mivo {

// Every running process (a toolhelp snapshot) with its executable's file
// name, without folder; empty when the snapshot cannot be taken.
std::vector<ProgramaEmExecucao> listarProgramas();

struct ComandoDividido {
  std::u16string arquivo;
  std::u16string parametros;
  friend bool operator==(const ComandoDividido&, const ComandoDividido&) = default;
};

// A command line split into what is opened and its parameters: a quoted
// first part ("C:\Program Files\x.exe" a b) is the file without its quotes,
// otherwise the text up to the first blank is. Nullopt for a blank command.
std::optional<ComandoDividido> dividirComando(std::u16string_view comando);

// ShellExecuteExW with the "open" verb, shown normally, without the shell's
// own error windows (a failure answers false instead of waiting for the user).
bool abrirNoShell(const std::u16string& arquivo, const std::u16string& parametros);

}  // namespace mivo
