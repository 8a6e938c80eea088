#pragma once
// The real desktop of the system the program was built for. Each platform
// has its own unit defining this function; CMake picks the one to build.

#include <memory>
#include <string>

#include "unCLDesktop.h"

namespace mivo {

// Null, with the reason in `erro`, when the desktop cannot be reached.
std::unique_ptr<CLDesktop> criarDesktopDaPlataforma(std::u16string& erro);

}  // namespace mivo
