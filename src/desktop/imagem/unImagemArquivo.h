#pragma once
// Reads a picture file into the pixels the clipboard takes. The decoding
// needs QtGui; this header does not, so the engine that calls it stays on
// QtCore.

#include <QString>

#include "unCLDesktop.h"

namespace mivo {

// Loads the picture (JPEG, PNG, BMP, GIF, ... by its extension, or by its
// contents when the extension does not tell). A GIF is converted to PNG
// first. False, with the reason in Portuguese in `erro`, when the file is
// missing, unreadable or not a picture.
bool lerImagemArquivo(const QString& caminho, ImagemPixels& imagem, QString& erro);

}  // namespace mivo
