#pragma once
// Opening a program, document, folder or web address on Linux, detached
// from this process, as a user's double click would.

#include <string>

namespace mivo {

// A program (a path or a name found in PATH) is started directly; a
// document, folder or address is handed to xdg-open. False when the path
// does not exist, nothing can open it or the start failed.
bool abrirNoShellLinux(const std::string& comando);

}  // namespace mivo
