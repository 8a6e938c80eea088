#pragma once
// The pictures of the message window, one per kind, drawn rather than
// loaded so that they look the same on every system: information (blue
// "i"), error (red cross), warning (amber triangle), question (green "?"),
// tip (yellow lamp) and help (purple "?").

#include <QPixmap>

namespace mivo {

// The picture of a message kind (1..6), `lado` pixels square; a null pixmap
// for any other kind.
QPixmap imagemDoTipo(int tipo, int lado = 80);

}  // namespace mivo
