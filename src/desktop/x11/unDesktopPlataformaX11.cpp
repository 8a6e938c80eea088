// Linux: the desktop of the X display named by $DISPLAY.

#include "unCLDesktopX11.h"
#include "unDesktopPlataforma.h"

namespace mivo {

std::unique_ptr<CLDesktop> criarDesktopDaPlataforma(std::u16string& erro) {
  return CLDesktopX11::criar({}, erro);
}

}  // namespace mivo
