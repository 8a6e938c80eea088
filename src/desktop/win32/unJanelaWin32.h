#pragma once
// Helpers of the Win32 backend for top-level windows: the HWND behind a
// JanelaId, titles read without sending messages, and bringing a window to
// the front.

#include <windows.h>

#include <string>

#include "unCLDesktop.h"

namespace mivo {

HWND hwndDaJanela(JanelaId janela);
JanelaId janelaDoHwnd(HWND hwnd);

// The whole title, read from the system's own copy (InternalGetWindowText):
// unlike GetWindowTextW it never sends a message, so a program that stopped
// reading its messages cannot make the caller hang. Empty for a window that
// no longer exists.
std::u16string tituloDoHwnd(HWND hwnd);

// Makes `hwnd` the foreground window. Windows refuses the foreground to a
// program that is not the one the user is working with; the input of this
// thread is then attached for a moment to the foreground window's thread,
// which lifts the refusal. After the system accepts, waits (at most
// `esperaMs`) until the window is really in front, so that the next key
// pressed reaches it. False when the system refused or the window closed.
bool trazerParaFrente(HWND hwnd, int esperaMs = 500);

}  // namespace mivo
