// For systems without a desktop backend yet: only the simulated one works.

#include "unDesktopPlataforma.h"

namespace mivo {

std::unique_ptr<CLDesktop> criarDesktopDaPlataforma(std::u16string& erro) {
  erro = u"Este sistema ainda não tem um backend de área de trabalho; use --simular";
  return nullptr;
}

}  // namespace mivo
