#pragma once
// The translation between Mivo's key codes (the Windows virtual-key numbers
// that scripts use) and X keysyms, and between characters and keysyms. Pure
// tables: nothing here talks to a server. Punctuation keys follow the United
// States layout, as the numbers do on Windows.

#include <X11/X.h>

#include <span>

namespace mivo {

// The keysyms a key code stands for, the preferred one first (Shift: the
// left one, then the right one); empty for a code with no key.
std::span<const KeySym> keysymsDaTecla(int tecla);
// The key code of a keysym; -1 (kSemTecla) when no code stands for it.
int teclaDoKeysym(KeySym keysym);

// The keysym that types `caractere`: Latin-1 characters have their own,
// control characters the key that produces them (Enter, Tab, Backspace,
// Esc), any other character its Unicode keysym. NoSymbol for a value that is
// no character.
KeySym keysymDoCaractere(char32_t caractere);
// The character a keysym types; 0 for keys that type none (F1, Shift...).
char32_t caractereDoKeysym(KeySym keysym);

}  // namespace mivo
