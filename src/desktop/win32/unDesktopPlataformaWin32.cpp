// Windows: the Win32 desktop.

#include <windows.h>

#include "unCLDesktopWin32.h"
#include "unDesktopPlataforma.h"

namespace mivo {

std::unique_ptr<CLDesktop> criarDesktopDaPlataforma(std::u16string& erro) {
  // Without an input desktop (a service, a locked session) nothing typed or
  // clicked would reach anyone.
  HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
  if (!desktop) {
    erro = u"A área de trabalho do Windows não está acessível (sessão bloqueada ou sem "
           u"usuário conectado)";
    return nullptr;
  }
  CloseDesktop(desktop);
  return std::make_unique<CLDesktopWin32>();
}

}  // namespace mivo
