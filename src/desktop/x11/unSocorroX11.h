#pragma once
// CLSocorroX11: releasing what Mivo holds on an X display when the process
// crashes (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT). The keyboard and the
// mouse mark every keycode and button they send down and up, in atomic
// flags a signal handler may read, and a second connection to the display,
// opened beforehand and used for nothing else, sends the XTest releases from
// the handler. The handler is installed once, for the signals the program
// left at their default action, and then lets the signal take its course
// (the process still ends, with its core dump when enabled).
//
// Limits, honestly: Xlib is not async-signal-safe. The handler only touches
// its own connection, which no other code uses, but XTest looks the
// connection up under a process-wide Xlib lock: if the crash happened while
// another thread held it, the handler would wait for ever, so it arms a
// two-second alarm first (SIGALRM then ends the process). A keycode lent for
// a character the keyboard map lacked is released, but the map is not put
// back. A crash from a stack overflow is handled on an alternate stack set up
// for the thread that created the first desktop only. SIGKILL cannot be
// caught at all: see the README for recovering from it.

#include <X11/Xlib.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>

namespace mivo {

class CLConexaoX11;

class CLSocorroX11 {
 public:
  // Opens the second connection to `nomeTela` and registers it with the
  // crash handler (installed the first time). Null when the connection
  // cannot be opened: a crash then releases nothing.
  static std::unique_ptr<CLSocorroX11> criar(const std::string& nomeTela);
  ~CLSocorroX11();
  CLSocorroX11(const CLSocorroX11&) = delete;
  CLSocorroX11& operator=(const CLSocorroX11&) = delete;

  // A keycode or a button (1-5) that went down or up through XTest.
  void marcarTecla(unsigned int keycode, bool baixa);
  void marcarBotao(unsigned int numero, bool baixo);
  bool teclaBaixa(unsigned int keycode) const;

  // What the crash handler does: XTest releases of every marked keycode and
  // button on the second connection, and nothing else (see above).
  void soltarNaQueda() noexcept;

 private:
  explicit CLSocorroX11(std::unique_ptr<CLConexaoX11> conexao);

  std::unique_ptr<CLConexaoX11> gConexao;
  std::array<std::atomic<bool>, 256> gTeclas{};
  std::array<std::atomic<bool>, 6> gBotoes{};
};

}  // namespace mivo
