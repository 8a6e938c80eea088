#pragma once
// PNG encoding of a clipboard picture (the format X programs paste).

#include <string>

#include "unCLDesktop.h"

namespace mivo {

// The PNG file of the picture; empty for an empty or inconsistent picture.
std::string pngDaImagem(const ImagemPixels& imagem);

}  // namespace mivo
