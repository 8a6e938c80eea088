#pragma once
// The process of the X client that created a window, asked of the server
// (X-Resource extension) for windows that do not name their process
// (_NET_WM_PID); xterm is one. Built without the extension's library it
// knows none.

#include <X11/Xlib.h>

#include "unCLDesktop.h"

namespace mivo {

class CLConexaoX11;

// 0 when the server cannot tell (remote client, no extension).
ProcessoId pidDoClienteX11(CLConexaoX11& conexao, Window janela);

}  // namespace mivo
