// The terminal on Windows. Output: the console's code page is set to UTF-8,
// so the console shows the bytes the program writes (and a pipe gets the
// same bytes). Input: a console cannot be polled for whole lines, so one
// thread reads lines (ReadConsoleW, which knows accents whatever the code
// page) and hands them over; the run waits for them with a timeout.

#include <windows.h>

#include <io.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "unTerminal.h"

namespace mivo::terminal {

namespace {

struct Leitor {
  std::mutex mutex;
  std::condition_variable chegou;
  std::deque<QString> linhas;
  bool fim = false;
};

// Reads one line from the console; nullopt at its end (Ctrl+Z, closed).
std::optional<QString> lerLinhaConsole(HANDLE console) {
  std::u16string texto;
  wchar_t bloco[256];
  while (true) {
    DWORD lidos = 0;
    if (!ReadConsoleW(console, bloco, DWORD(std::size(bloco)), &lidos, nullptr) || lidos == 0) {
      if (texto.empty()) return std::nullopt;
      break;
    }
    texto.append(reinterpret_cast<const char16_t*>(bloco), lidos);
    if (!texto.empty() && texto.back() == u'\n') break;
  }
  while (!texto.empty() && (texto.back() == u'\n' || texto.back() == u'\r')) texto.pop_back();
  return QString::fromStdU16String(texto);
}

std::optional<QString> lerLinhaFluxo() {
  std::string texto;
  if (!std::getline(std::cin, texto)) return std::nullopt;
  if (!texto.empty() && texto.back() == '\r') texto.pop_back();
  return QString::fromStdString(texto);
}

Leitor& leitor() {
  // The thread lives as long as the program; it may be blocked in a read
  // when the program ends, so it is detached and the state is never freed.
  static Leitor* l = [] {
    auto* novo = new Leitor;
    std::thread([novo] {
      HANDLE console = GetStdHandle(STD_INPUT_HANDLE);
      DWORD modo = 0;
      const bool ehConsole = GetConsoleMode(console, &modo) != 0;
      while (true) {
        std::optional<QString> linha = ehConsole ? lerLinhaConsole(console) : lerLinhaFluxo();
        std::lock_guard trava(novo->mutex);
        if (!linha) {
          novo->fim = true;
          novo->chegou.notify_all();
          return;
        }
        novo->linhas.push_back(std::move(*linha));
        novo->chegou.notify_all();
      }
    }).detach();
    return novo;
  }();
  return *l;
}

// The console's code page before the program changed it (0: no console).
UINT gPaginaOriginal = 0;

void restaurarPagina() { SetConsoleOutputCP(gPaginaOriginal); }

}  // namespace

// The console keeps its code page after the program ends: the one the user
// had is put back at exit.
void preparar() {
  gPaginaOriginal = GetConsoleOutputCP();
  if (gPaginaOriginal != 0 && gPaginaOriginal != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    std::atexit(&restaurarPagina);
  }
}

bool entradaInterativa() { return _isatty(_fileno(stdin)) != 0; }

LeituraTerminal lerLinha(int ms, QString& linha) {
  Leitor& l = leitor();
  std::unique_lock trava(l.mutex);
  l.chegou.wait_for(trava, std::chrono::milliseconds(ms), [&] { return !l.linhas.empty() || l.fim; });
  if (!l.linhas.empty()) {
    linha = std::move(l.linhas.front());
    l.linhas.pop_front();
    return LeituraTerminal::Linha;
  }
  return l.fim ? LeituraTerminal::Fim : LeituraTerminal::Nada;
}

}  // namespace mivo::terminal
