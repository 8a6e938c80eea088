#include "unServidorXTeste.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace mivo::teste {

namespace {

constexpr int kLimiteMs = 10000;

}  // namespace

CLServidorXTeste::~CLServidorXTeste() { parar(); }

bool CLServidorXTeste::iniciar(bool comGerenciador, std::string& erro) {
  // -displayfd: Xvfb takes the first free display number and writes it to
  // the descriptor once it accepts connections.
  int tubo[2];
  if (pipe2(tubo, O_CLOEXEC) != 0) {
    erro = "pipe";
    return false;
  }
  CLProcessoTeste::Opcoes opcoes;
  opcoes.descritorExtra = tubo[1];
  const bool iniciou = gXvfb.iniciar({"Xvfb", "-displayfd", "3", "-screen", "0",
                                      std::to_string(kLargura) + "x" + std::to_string(kAltura) + "x24",
                                      "-nolisten", "tcp", "-noreset"},
                                     opcoes);
  close(tubo[1]);
  std::string numero;
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimiteMs);
  while (iniciou && numero.find('\n') == std::string::npos && std::chrono::steady_clock::now() < fim) {
    pollfd fd{tubo[0], POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) continue;
    char buf[32];
    const ssize_t n = read(tubo[0], buf, sizeof buf);
    if (n <= 0) break;
    numero.append(buf, static_cast<std::size_t>(n));
  }
  close(tubo[0]);
  if (numero.find('\n') == std::string::npos) {
    erro = "o Xvfb não ficou pronto";
    parar();
    return false;
  }
  gNome = ":" + numero.substr(0, numero.find('\n'));
  if (!comGerenciador) return true;
  CLProcessoTeste::Opcoes ob;
  ob.ambiente = {{"DISPLAY", gNome}};
  if (!gOpenbox.iniciar({"openbox", "--sm-disable"}, ob) || !aguardarGerenciador(kLimiteMs)) {
    erro = "o openbox não ficou pronto (está instalado?)";
    parar();
    return false;
  }
  return true;
}

bool CLServidorXTeste::aguardarGerenciador(int limiteMs) {
  // openbox names itself early in its start, but windows mapped before it
  // finished starting may stay unmanaged: it is ready once it manages a
  // probe window of ours.
  Display* d = XOpenDisplay(gNome.c_str());
  if (!d) return false;
  const Atom lista = XInternAtom(d, "_NET_CLIENT_LIST", False);
  auto gerenciada = [&](Window w) {
    Atom tipo;
    int formato;
    unsigned long n = 0, resto;
    unsigned char* dados = nullptr;
    bool achou = false;
    if (XGetWindowProperty(d, DefaultRootWindow(d), lista, 0, 1024, False, XA_WINDOW, &tipo, &formato, &n, &resto,
                           &dados) == Success && dados) {
      const auto* janelas = reinterpret_cast<const unsigned long*>(dados);
      for (unsigned long i = 0; i < n; ++i) achou = achou || janelas[i] == w;
    }
    if (dados) XFree(dados);
    return achou;
  };
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(limiteMs);
  bool pronto = false;
  while (!pronto && gOpenbox.vivo() && std::chrono::steady_clock::now() < fim) {
    const Window sonda = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(d, sonda);
    XSync(d, False);
    const auto tentativa = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (!(pronto = gerenciada(sonda)) && std::chrono::steady_clock::now() < tentativa) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    XDestroyWindow(d, sonda);
    XSync(d, False);
  }
  XCloseDisplay(d);
  return pronto;
}

void CLServidorXTeste::derrubar() {
  if (gXvfb.pid() > 0) kill(gXvfb.pid(), SIGKILL);
  gXvfb.aguardarFim(kLimiteMs);
}

void CLServidorXTeste::parar() {
  gOpenbox.parar();
  gXvfb.parar();
}

}  // namespace mivo::teste
