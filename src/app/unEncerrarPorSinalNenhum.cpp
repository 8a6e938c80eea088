// Systems without POSIX signals: Windows ends a windowed program through
// its windows (WM_CLOSE, the end of the session), which Qt hands to the
// workbench's own closing.

#include "unEncerrarPorSinal.h"

namespace mivo {

void instalarEncerramentoPorSinal(AcoesEncerramento) {}

int codigoDoEncerramentoPorSinal() { return 0; }

}  // namespace mivo
