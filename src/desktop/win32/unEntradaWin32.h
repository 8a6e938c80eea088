#pragma once
// The input records that the Win32 backend hands to SendInput: key presses by
// virtual-key code, characters typed as Unicode input, mouse buttons and the
// wheel. Building them is kept apart from sending them so that the records
// can be checked without touching the desktop.

#include <windows.h>

#include <vector>

#include "unCLDesktop.h"

namespace mivo {

// True for the keys that sit on the extended part of the keyboard (arrows,
// Insert, Delete, Home, End, Page Up/Down, right-hand Ctrl and Alt, ...):
// their events carry KEYEVENTF_EXTENDEDKEY, as a real keyboard's would.
bool teclaEstendida(int tecla);

// One key down or up; empty for a code outside 1..254.
std::vector<INPUT> entradasDaTecla(int tecla, bool soltar);

// The events that type `caractere` exactly: Unicode input (two UTF-16 units
// for characters beyond the Basic Multilingual Plane), except for the control
// characters that are keys of their own: line feed and carriage return press
// Enter, tab presses Tab, backspace presses Backspace, escape presses Esc.
// Empty for a surrogate or a value beyond U+10FFFF.
std::vector<INPUT> entradasDoCaractere(char32_t caractere);

// A physical mouse button down or up, where the pointer is.
std::vector<INPUT> entradasDoBotao(BotaoMouse botao, bool soltar);

// The same at `ponto`: the button event carries an absolute movement to the
// point (normalised over `telaVirtual`, the rectangle of all screens), so
// that it lands there whatever moved the pointer since it was placed.
std::vector<INPUT> entradasDoBotaoEm(BotaoMouse botao, bool soltar, PontoTela ponto, const RECT& telaVirtual);

// A screen coordinate in SendInput's absolute scale (0..65535 over `tamanho`
// pixels starting at `origem`): the smallest value that the system maps back
// onto exactly that pixel.
LONG coordenadaAbsoluta(int valor, int origem, int tamanho);

// A wheel movement: 120 is one notch, positive scrolls up.
std::vector<INPUT> entradasDaRoda(int delta);

// Hands the records to the system in one call; false when it took fewer
// (input blocked, for instance by a program running with higher rights).
bool enviarEntradas(std::vector<INPUT> entradas);

// Waits, reading the thread's messages, until `ms` milliseconds have passed
// since input was last handed to the system (returns at once when that was
// longer ago). Called before the backend goes away: a program that ends
// right after a click can otherwise lose its last events on their way to
// the window (seen under Wine: the button's release never arrived).
void aguardarEntregaDasEntradas(int ms);

}  // namespace mivo
