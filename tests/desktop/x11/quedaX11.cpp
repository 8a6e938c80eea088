// A program that crashes while it holds keys and a button on the X display
// of $DISPLAY, for the test of the crash rescue (test_unSocorroX11).
//
//   quedaX11 segv|abort|segurar
//
// It presses Ctrl, A and the left button through CLDesktopX11, forks a
// guard process that keeps its X connections open after the crash (so that
// the server does not release the keys itself when the connection closes,
// as some servers do), prints "guarda PID" and "segurando", waits for a
// line on its standard input and then crashes: a write through a null
// pointer (SIGSEGV) or abort() (SIGABRT); "segurar" waits to be killed
// (SIGKILL, which nothing can catch). The guard ends after a minute, or when
// the test kills it.

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "unCLDesktopX11.h"

int main(int argc, char* argv[]) {
  const std::string modo = argc > 1 ? argv[1] : "";
  if (modo != "segv" && modo != "abort" && modo != "segurar") {
    std::cerr << "uso: quedaX11 segv|abort|segurar\n";
    return 2;
  }
  rlimit semCore{0, 0};
  setrlimit(RLIMIT_CORE, &semCore);

  std::u16string erro;
  auto desktop = mivo::CLDesktopX11::criar({}, erro);
  if (!desktop) {
    std::cerr << "sem tela X\n";
    return 1;
  }
  desktop->teclaPressionar(mivo::tecla::kCtrl);
  desktop->teclaPressionar('A');
  desktop->botaoPressionar(mivo::BotaoMouse::Esquerdo);

  const pid_t guarda = fork();
  if (guarda == 0) {
    sleep(60);
    _exit(0);
  }
  std::cout << "guarda " << guarda << "\nsegurando" << std::endl;
  std::string linha;
  std::getline(std::cin, linha);
  if (modo == "segurar") {
    while (true) pause();
  }
  if (modo == "abort") std::abort();
  volatile int* nulo = nullptr;
  *nulo = 1;
  return 0;
}
