#pragma once
// Dead keys: the accent a dead key leaves pending and the letter it makes
// with the next key. Every backend answers CLDesktop::teclaTexto() through
// these, so that the same keys give the same text on every platform. The
// accents are named by their spacing characters: ´ ` ~ ^ ¨ ¸, or ' and "
// for the acute and the diaeresis where the layout names them so (a dead
// key followed by a blank types that character).

#include <string>

#include "unCLDesktop.h"

namespace mivo {

// The letter `base` carrying `acento`; 0 when the accent does not go on it.
char32_t comporAcento(char32_t acento, char32_t base);

// What a key gives after the dead key `pendente` (0: none) left its accent:
// the accented letter; the accent alone after a blank or after the same
// dead key again; the accent followed by the character (or by the other
// accent) when they do not combine. A key that types nothing keeps its
// empty answer: the accent is then dropped, as the keyboard drops it.
TextoTecla aplicarAcento(char32_t pendente, TextoTecla daTecla);

}  // namespace mivo
