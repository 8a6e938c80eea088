#include "unConexaoX11.h"

#include <X11/Xatom.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "unTextoDesktop.h"

namespace mivo {

namespace {

// Xlib's error handlers are process-wide. Ours records errors of our own
// connections and hands those of any other connection (a toolkit's) to the
// handler that was there before.
std::mutex gRegistroMutex;
std::vector<Display*> gNossas;
XErrorHandler gErroAnterior = nullptr;
XIOErrorHandler gErroEsAnterior = nullptr;

// The first protocol error since the last mark, per thread: a connection is
// used by one thread, and Xlib reports its errors on the thread that reads.
thread_local int tErro = 0;

bool ehNossa(Display* tela) {
  std::lock_guard trava(gRegistroMutex);
  return std::find(gNossas.begin(), gNossas.end(), tela) != gNossas.end();
}

std::u16string u16(const std::string& texto) { return utf16DeUtf8(texto); }

}  // namespace

int CLConexaoX11::aoErro(Display* tela, XErrorEvent* evento) {
  if (ehNossa(tela)) {
    if (tErro == 0) tErro = evento->error_code;
    return 0;
  }
  return gErroAnterior ? gErroAnterior(tela, evento) : 0;
}

int CLConexaoX11::aoErroEs(Display* tela) {
  if (ehNossa(tela)) return 0;  // aoErroEsSaida marks the connection dead
  return gErroEsAnterior ? gErroEsAnterior(tela) : 0;
}

void CLConexaoX11::aoErroEsSaida(Display* tela, void* conexao) {
  // Returning leaves Xlib with a dead connection whose calls fail at once.
  // Xlib took the connection's user lock for this thread before calling
  // here, expecting the process to end; it is given back, or closing the
  // connection from another thread (the clipboard's ends on its own thread)
  // would wait for it forever.
  static_cast<CLConexaoX11*>(conexao)->gMorta = true;
  XUnlockDisplay(tela);
}

std::unique_ptr<CLConexaoX11> CLConexaoX11::abrir(const std::string& nomeTela, std::u16string& erro,
                                                  int limiteMs) {
  static std::once_flag instalado;
  std::call_once(instalado, [] {
    // Writing to the socket of a server that died raises SIGPIPE, which by
    // default ends the process; unless the program handles it, it is
    // ignored and the write fails like any other I/O error.
    struct sigaction atual {};
    if (sigaction(SIGPIPE, nullptr, &atual) == 0 && atual.sa_handler == SIG_DFL) signal(SIGPIPE, SIG_IGN);
    XInitThreads();
    gErroAnterior = XSetErrorHandler(&CLConexaoX11::aoErro);
    gErroEsAnterior = XSetIOErrorHandler(&CLConexaoX11::aoErroEs);
  });

  std::string nome = nomeTela;
  if (nome.empty()) {
    const char* ambiente = std::getenv("DISPLAY");
    nome = ambiente ? ambiente : "";
  }
  if (nome.empty()) {
    erro = u"Não foi possível conectar à tela X: a variável DISPLAY não está definida";
    return nullptr;
  }

  // XOpenDisplay has no time limit of its own (a remote host that drops the
  // packets would hold it for minutes): it runs on a thread of its own, and
  // a late connection is closed by that thread.
  struct Abertura {
    std::mutex mutex;
    std::condition_variable pronta;
    bool terminou = false;
    bool desistiu = false;
    Display* tela = nullptr;
  };
  auto abertura = std::make_shared<Abertura>();
  std::thread([abertura, nome] {
    Display* tela = XOpenDisplay(nome.c_str());
    std::lock_guard trava(abertura->mutex);
    if (abertura->desistiu) {
      if (tela) XCloseDisplay(tela);
      return;
    }
    abertura->tela = tela;
    abertura->terminou = true;
    abertura->pronta.notify_all();
  }).detach();

  Display* tela = nullptr;
  {
    std::unique_lock trava(abertura->mutex);
    if (!abertura->pronta.wait_for(trava, std::chrono::milliseconds(limiteMs),
                                   [&] { return abertura->terminou; })) {
      abertura->desistiu = true;
      const std::string prazo = limiteMs % 1000 != 0 ? std::to_string(limiteMs) + " ms"
                                : limiteMs == 1000 ? std::string("1 segundo")
                                                   : std::to_string(limiteMs / 1000) + " segundos";
      erro = u"Não foi possível conectar à tela X \"" + u16(nome) + u"\": o servidor não respondeu em " + u16(prazo);
      return nullptr;
    }
    tela = abertura->tela;
  }
  if (!tela) {
    erro = u"Não foi possível conectar à tela X \"" + u16(nome) +
           u"\": o servidor não existe ou recusou a conexão";
    return nullptr;
  }
  return std::unique_ptr<CLConexaoX11>(new CLConexaoX11(tela, nome));
}

CLConexaoX11::CLConexaoX11(Display* tela, std::string nome)
    : gTela(tela), gRaiz(DefaultRootWindow(tela)), gNome(std::move(nome)) {
  {
    std::lock_guard trava(gRegistroMutex);
    gNossas.push_back(gTela);
  }
  XSetIOErrorExitHandler(gTela, &CLConexaoX11::aoErroEsSaida, this);
}

CLConexaoX11::~CLConexaoX11() {
  // Closing a dead connection only frees it; a live one is flushed first.
  XCloseDisplay(gTela);
  std::lock_guard trava(gRegistroMutex);
  auto it = std::find(gNossas.begin(), gNossas.end(), gTela);
  if (it != gNossas.end()) gNossas.erase(it);
}

Atom CLConexaoX11::atomo(const char* nome) {
  auto it = gAtomos.find(nome);
  if (it != gAtomos.end()) return it->second;
  const Atom a = XInternAtom(gTela, nome, False);
  if (a != None && !morta()) gAtomos.emplace(nome, a);
  return a;
}

void CLConexaoX11::marcarErros() { tErro = 0; }

int CLConexaoX11::erroDesdeMarca() {
  XSync(gTela, False);
  const int erro = tErro;
  tErro = 0;
  return erro;
}

bool CLConexaoX11::lerPropriedade32(Window janela, Atom propriedade, Atom tipo,
                                    std::vector<unsigned long>& valores) {
  valores.clear();
  if (morta() || janela == None) return false;
  Atom tipoLido = None;
  int formato = 0;
  unsigned long quantos = 0, restante = 0;
  unsigned char* dados = nullptr;
  const int r = XGetWindowProperty(gTela, janela, propriedade, 0, 1 << 16, False, tipo, &tipoLido,
                                   &formato, &quantos, &restante, &dados);
  const bool ok = r == Success && tipoLido != None && formato == 32 && !morta() &&
                  (tipo == AnyPropertyType || tipoLido == tipo);
  if (ok && dados) {
    // Xlib hands 32-bit items as longs.
    const auto* itens = reinterpret_cast<const unsigned long*>(dados);
    valores.assign(itens, itens + quantos);
  }
  if (dados) XFree(dados);
  return ok;
}

bool CLConexaoX11::lerPropriedade8(Window janela, Atom propriedade, Atom tipo, std::string& bytes,
                                   Atom* tipoLido) {
  bytes.clear();
  if (morta() || janela == None) return false;
  Atom lido = None;
  int formato = 0;
  unsigned long quantos = 0, restante = 0;
  unsigned char* dados = nullptr;
  const int r = XGetWindowProperty(gTela, janela, propriedade, 0, 1 << 26, False, tipo, &lido,
                                   &formato, &quantos, &restante, &dados);
  const bool ok = r == Success && lido != None && formato == 8 && !morta() &&
                  (tipo == AnyPropertyType || lido == tipo);
  if (ok && dados) bytes.assign(reinterpret_cast<const char*>(dados), quantos);
  if (tipoLido) *tipoLido = ok ? lido : None;
  if (dados) XFree(dados);
  return ok;
}

MapaTecladoX11::MapaTecladoX11(Display* tela) {
  XDisplayKeycodes(tela, &minimo, &maximo);
  mapa = XGetKeyboardMapping(tela, static_cast<KeyCode>(minimo), maximo - minimo + 1, &porKeycode);
}

MapaTecladoX11::~MapaTecladoX11() {
  if (mapa) XFree(mapa);
}

}  // namespace mivo
