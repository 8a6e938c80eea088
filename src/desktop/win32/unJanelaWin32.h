#pragma once
// Helpers of the Win32 backend for top-level windows: the HWND behind a
// JanelaId, titles read without sending messages, and changes (show, place,
// bring to the front) that a program which stopped answering cannot turn
// into a hang: they are handed to the window's thread asynchronously and
// waited for within a time limit.

#include <windows.h>

#include <string>

#include "unCLDesktop.h"

namespace mivo {

// How long a window's program gets to carry out a change before the caller
// goes on without it.
constexpr int kEsperaJanelaMs = 500;

HWND hwndDaJanela(JanelaId janela);
JanelaId janelaDoHwnd(HWND hwnd);

// The whole title, read from the system's own copy (InternalGetWindowText):
// unlike GetWindowTextW it never sends a message. Empty for a window that no
// longer exists.
std::u16string tituloDoHwnd(HWND hwnd);

// Waits until the window's thread has handled what was sent to it so far;
// false when it did not within `esperaMs` or the window is gone.
bool esperarJanela(HWND hwnd, int esperaMs = kEsperaJanelaMs);

// ShowWindow (SW_RESTORE, SW_MAXIMIZE, ...) carried out by the window's
// thread, waited for as esperarJanela does.
void mostrarJanela(HWND hwnd, int comando);

// Moves and resizes the window and repaints it, as MoveWindow does; false
// when the system refuses or the window is gone.
bool posicionarJanela(HWND hwnd, const RetanguloJanela& retangulo);

// Makes `hwnd` the foreground window and raises it. Windows refuses the
// foreground to a program that is not the one the user is working with; the
// input of this thread is then attached for a moment to the foreground
// window's thread, which lifts the refusal. After the system accepts, waits
// (within the time limit) until the window's thread has carried it out, so
// that the next key pressed reaches it. False when the system refused or the
// window closed.
bool trazerParaFrente(HWND hwnd);

}  // namespace mivo
