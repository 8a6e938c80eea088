#include "unJanelasX11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "unConexaoX11.h"
#include "unPidClienteX11.h"
#include "unTextoDesktop.h"

namespace mivo {

namespace {

using Relogio = std::chrono::steady_clock;

constexpr long kFonteGerenciador = 2;  // EWMH source indication: a pager, obeyed at once
constexpr long kAdicionar = 1;
constexpr long kRemover = 0;

std::u16string latin1(const std::string& bytes) {
  std::u16string r;
  r.reserve(bytes.size());
  for (unsigned char c : bytes) r += static_cast<char16_t>(c);
  return r;
}

// Polls `condicao` with short pauses until it holds or `limiteMs` passes.
template <typename F>
bool aguardar(int limiteMs, F condicao) {
  const auto fim = Relogio::now() + std::chrono::milliseconds(limiteMs);
  auto pausa = std::chrono::microseconds(250);
  while (true) {
    if (condicao()) return true;
    if (Relogio::now() >= fim) return false;
    std::this_thread::sleep_for(pausa);
    pausa = std::min(pausa * 2, std::chrono::microseconds(5000));
  }
}

}  // namespace

CLJanelasX11::CLJanelasX11(CLConexaoX11& conexao) : gConexao(conexao) {}

bool CLJanelasX11::existe(Window janela) {
  if (janela == None || gConexao.morta()) return false;
  XWindowAttributes atributos;
  gConexao.marcarErros();
  const Status ok = XGetWindowAttributes(gConexao.tela(), janela, &atributos);
  return ok && gConexao.erroDesdeMarca() == 0 && !gConexao.morta();
}

bool CLJanelasX11::suporta(const char* recurso) {
  // A window manager that ended may leave its properties behind: the check
  // window must exist and point at itself.
  std::vector<unsigned long> v;
  const Atom verificacao = gConexao.atomo("_NET_SUPPORTING_WM_CHECK");
  if (!gConexao.lerPropriedade32(gConexao.raiz(), verificacao, XA_WINDOW, v) || v.empty()) return false;
  const Window w = v.front();
  gConexao.marcarErros();
  const bool propria = gConexao.lerPropriedade32(w, verificacao, XA_WINDOW, v) && !v.empty() && v.front() == w;
  gConexao.erroDesdeMarca();
  if (!propria) return false;
  if (!gConexao.lerPropriedade32(gConexao.raiz(), gConexao.atomo("_NET_SUPPORTED"), XA_ATOM, v)) return false;
  return std::find(v.begin(), v.end(), gConexao.atomo(recurso)) != v.end();
}

void CLJanelasX11::enviarAoGerenciador(Window janela, const char* mensagem, long a0, long a1, long a2,
                                       long a3, long a4) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = janela;
  e.xclient.message_type = gConexao.atomo(mensagem);
  e.xclient.format = 32;
  e.xclient.data.l[0] = a0;
  e.xclient.data.l[1] = a1;
  e.xclient.data.l[2] = a2;
  e.xclient.data.l[3] = a3;
  e.xclient.data.l[4] = a4;
  XSendEvent(gConexao.tela(), gConexao.raiz(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(gConexao.tela());
}

Window CLJanelasX11::ativaSegundoGerenciador() {
  std::vector<unsigned long> v;
  if (!gConexao.lerPropriedade32(gConexao.raiz(), gConexao.atomo("_NET_ACTIVE_WINDOW"), XA_WINDOW, v) ||
      v.empty()) {
    return None;
  }
  return v.front();
}

long CLJanelasX11::estadoWm(Window janela) {
  std::vector<unsigned long> v;
  const Atom wmState = gConexao.atomo("WM_STATE");
  if (!gConexao.lerPropriedade32(janela, wmState, wmState, v) || v.empty()) return WithdrawnState;
  return static_cast<long>(v.front());
}

bool CLJanelasX11::temEstadoNet(Window janela, const char* estado) {
  std::vector<unsigned long> v;
  if (!gConexao.lerPropriedade32(janela, gConexao.atomo("_NET_WM_STATE"), XA_ATOM, v)) return false;
  return std::find(v.begin(), v.end(), gConexao.atomo(estado)) != v.end();
}

// The client window inside a window manager's frame: the first window
// carrying WM_STATE, searched a few levels down.
Window CLJanelasX11::clienteDe(Window janela, int profundidade) {
  std::vector<unsigned long> v;
  const Atom wmState = gConexao.atomo("WM_STATE");
  if (gConexao.lerPropriedade32(janela, wmState, wmState, v)) return janela;
  if (profundidade == 0) return None;
  Window raiz = None, pai = None, *filhos = nullptr;
  unsigned int n = 0;
  Window achada = None;
  if (XQueryTree(gConexao.tela(), janela, &raiz, &pai, &filhos, &n) && filhos) {
    for (unsigned int i = n; i-- > 0 && achada == None;) achada = clienteDe(filhos[i], profundidade - 1);
  }
  if (filhos) XFree(filhos);
  return achada;
}

// The top-level window that holds `janela` (a focused child, say).
Window CLJanelasX11::topoDe(Window janela) {
  std::vector<unsigned long> v;
  const Atom wmState = gConexao.atomo("WM_STATE");
  Window atual = janela;
  for (int nivel = 0; nivel < 32 && atual != None && !gConexao.morta(); ++nivel) {
    if (gConexao.lerPropriedade32(atual, wmState, wmState, v)) return atual;
    Window raiz = None, pai = None, *filhos = nullptr;
    unsigned int n = 0;
    gConexao.marcarErros();
    const Status ok = XQueryTree(gConexao.tela(), atual, &raiz, &pai, &filhos, &n);
    if (filhos) XFree(filhos);
    if (!ok || gConexao.erroDesdeMarca() != 0) return None;
    if (pai == raiz) {
      const Window cliente = clienteDe(atual, 3);
      return cliente != None ? cliente : atual;
    }
    atual = pai;
  }
  return None;
}

Window CLJanelasX11::primeiroPlano() {
  if (gConexao.morta()) return None;
  if (suporta("_NET_ACTIVE_WINDOW")) {
    const Window ativa = ativaSegundoGerenciador();
    return existe(ativa) ? ativa : None;
  }
  Window foco = None;
  int reversao = 0;
  XGetInputFocus(gConexao.tela(), &foco, &reversao);
  if (foco == None || foco == PointerRoot || foco == gConexao.raiz() || gConexao.morta()) return None;
  return topoDe(foco);
}

std::vector<Window> CLJanelasX11::emOrdem() {
  std::vector<Window> janelas;
  if (gConexao.morta()) return janelas;
  std::vector<unsigned long> v;
  const bool gerenciador = suporta("_NET_CLIENT_LIST_STACKING") || suporta("_NET_CLIENT_LIST");
  if (gerenciador &&
      (gConexao.lerPropriedade32(gConexao.raiz(), gConexao.atomo("_NET_CLIENT_LIST_STACKING"), XA_WINDOW, v) ||
       gConexao.lerPropriedade32(gConexao.raiz(), gConexao.atomo("_NET_CLIENT_LIST"), XA_WINDOW, v))) {
    janelas.assign(v.rbegin(), v.rend());  // the list runs bottom to top
  }
  Window raiz = None, pai = None, *filhos = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(gConexao.tela(), gConexao.raiz(), &raiz, &pai, &filhos, &n) || !filhos) return janelas;
  const std::size_t gerenciadas = janelas.size();
  auto listada = [&](Window w) {
    return std::find(janelas.begin(), janelas.begin() + gerenciadas, w) != janelas.begin() + gerenciadas;
  };
  for (unsigned int i = n; i-- > 0;) {  // topmost first
    const Window filho = filhos[i];
    if (!gerenciador) {
      const Window cliente = clienteDe(filho, 2);
      janelas.push_back(cliente != None ? cliente : filho);
      continue;
    }
    // Beside the managed windows, the top-level ones the manager does not
    // frame (withdrawn, override-redirect) that carry a title; frames do not.
    std::string nome;
    if (!listada(filho) && gConexao.lerPropriedade8(filho, XA_WM_NAME, AnyPropertyType, nome) && !nome.empty()) {
      janelas.push_back(filho);
    }
  }
  XFree(filhos);
  return janelas;
}

std::u16string CLJanelasX11::titulo(Window janela) {
  if (janela == None || gConexao.morta()) return {};
  std::string bytes;
  gConexao.marcarErros();
  if (gConexao.lerPropriedade8(janela, gConexao.atomo("_NET_WM_NAME"), gConexao.atomo("UTF8_STRING"), bytes)) {
    gConexao.erroDesdeMarca();
    return utf16DeUtf8(bytes);
  }
  Atom tipo = None;
  std::u16string r;
  if (gConexao.lerPropriedade8(janela, XA_WM_NAME, AnyPropertyType, bytes, &tipo)) {
    if (tipo == XA_STRING) {
      r = latin1(bytes);
    } else if (tipo == gConexao.atomo("UTF8_STRING")) {
      r = utf16DeUtf8(bytes);
    } else {
      // COMPOUND_TEXT and other encodings: Xlib converts them.
      XTextProperty propriedade{reinterpret_cast<unsigned char*>(bytes.data()), tipo, 8, bytes.size()};
      char** lista = nullptr;
      int quantos = 0;
      if (Xutf8TextPropertyToTextList(gConexao.tela(), &propriedade, &lista, &quantos) >= Success && lista) {
        for (int i = 0; i < quantos; ++i) r += utf16DeUtf8(lista[i]);
        XFreeStringList(lista);
      }
    }
  }
  gConexao.erroDesdeMarca();
  return r;
}

void CLJanelasX11::extensoesMoldura(Window janela, long& esquerda, long& direita, long& topo, long& base) {
  std::vector<unsigned long> v;
  esquerda = direita = topo = base = 0;
  if (gConexao.lerPropriedade32(janela, gConexao.atomo("_NET_FRAME_EXTENTS"), XA_CARDINAL, v) && v.size() >= 4) {
    esquerda = static_cast<long>(v[0]);
    direita = static_cast<long>(v[1]);
    topo = static_cast<long>(v[2]);
    base = static_cast<long>(v[3]);
  }
}

RetanguloJanela CLJanelasX11::retangulo(Window janela) {
  if (janela == None || gConexao.morta()) return {};
  Window raiz = None, filho = None;
  int x = 0, y = 0, rx = 0, ry = 0;
  unsigned int largura = 0, altura = 0, borda = 0, profundidade = 0;
  gConexao.marcarErros();
  const bool ok = XGetGeometry(gConexao.tela(), janela, &raiz, &x, &y, &largura, &altura, &borda, &profundidade) &&
                  XTranslateCoordinates(gConexao.tela(), janela, raiz, 0, 0, &rx, &ry, &filho);
  if (!ok || gConexao.erroDesdeMarca() != 0 || gConexao.morta()) return {};
  long e, d, t, b;
  extensoesMoldura(janela, e, d, t, b);
  return {rx - static_cast<int>(e), ry - static_cast<int>(t), static_cast<int>(largura + e + d),
          static_cast<int>(altura + t + b)};
}

bool CLJanelasX11::minimizada(Window janela) {
  if (!existe(janela)) return false;
  return temEstadoNet(janela, "_NET_WM_STATE_HIDDEN") || estadoWm(janela) == IconicState;
}

bool CLJanelasX11::visivel(Window janela) {
  if (janela == None || gConexao.morta()) return false;
  XWindowAttributes atributos;
  gConexao.marcarErros();
  const Status ok = XGetWindowAttributes(gConexao.tela(), janela, &atributos);
  if (!ok || gConexao.erroDesdeMarca() != 0 || gConexao.morta()) return false;
  // A minimised window, or one on another desktop, is unmapped and still visible.
  const long estado = estadoWm(janela);
  return atributos.map_state == IsViewable || estado == NormalState || estado == IconicState;
}

Window CLJanelasX11::pai(Window janela) {
  if (janela == None || gConexao.morta()) return None;
  Window dono = None;
  gConexao.marcarErros();
  const Status ok = XGetTransientForHint(gConexao.tela(), janela, &dono);
  if (gConexao.erroDesdeMarca() != 0 || !ok || dono == gConexao.raiz()) return None;
  return dono;
}

ProcessoId CLJanelasX11::processo(Window janela) {
  std::vector<unsigned long> v;
  gConexao.marcarErros();
  const bool ok = gConexao.lerPropriedade32(janela, gConexao.atomo("_NET_WM_PID"), XA_CARDINAL, v) && !v.empty();
  gConexao.erroDesdeMarca();
  if (ok) return static_cast<ProcessoId>(v.front());
  return existe(janela) ? pidDoClienteX11(gConexao, janela) : 0;
}

bool CLJanelasX11::ativar(Window janela) {
  if (!existe(janela)) return false;
  Display* d = gConexao.tela();
  if (suporta("_NET_ACTIVE_WINDOW")) {
    const Window atual = ativaSegundoGerenciador();
    if (atual == janela) return true;
    // Mapping a minimised window asks the manager to restore it (ICCCM).
    if (minimizada(janela)) XMapWindow(d, janela);
    enviarAoGerenciador(janela, "_NET_ACTIVE_WINDOW", kFonteGerenciador, CurrentTime, atual);
    bool sumiu = false;
    const bool ativa = aguardar(kLimiteAtivacaoMs, [&] {
      sumiu = !existe(janela);
      return sumiu || ativaSegundoGerenciador() == janela;
    });
    if (sumiu) return false;
    if (ativa) return true;
    // The manager would not: raise and focus it ourselves.
  }
  XWindowAttributes atributos;
  if (!XGetWindowAttributes(d, janela, &atributos) || gConexao.morta()) return false;
  gConexao.marcarErros();
  if (atributos.map_state != IsViewable) XMapRaised(d, janela);
  else XRaiseWindow(d, janela);
  aguardar(kLimiteGeometriaMs, [&] {
    return !XGetWindowAttributes(d, janela, &atributos) || gConexao.morta() || atributos.map_state == IsViewable;
  });
  XSetInputFocus(d, janela, RevertToParent, CurrentTime);
  if (gConexao.erroDesdeMarca() != 0 || gConexao.morta()) return false;
  Window foco = None;
  int reversao = 0;
  XGetInputFocus(d, &foco, &reversao);
  return !gConexao.morta() && foco != None && topoDe(foco) == janela;
}

bool CLJanelasX11::mover(Window janela, const RetanguloJanela& r) {
  if (!existe(janela)) return false;
  const bool gerenciador = suporta("_NET_MOVERESIZE_WINDOW");
  if (gerenciador && (temEstadoNet(janela, "_NET_WM_STATE_MAXIMIZED_VERT") ||
                      temEstadoNet(janela, "_NET_WM_STATE_MAXIMIZED_HORZ"))) {
    // Restored first: a maximised window has other frame extents, and a
    // manager may refuse to resize it.
    enviarAoGerenciador(janela, "_NET_WM_STATE", kRemover, gConexao.atomo("_NET_WM_STATE_MAXIMIZED_VERT"),
                        gConexao.atomo("_NET_WM_STATE_MAXIMIZED_HORZ"), kFonteGerenciador);
    aguardar(kLimiteGeometriaMs, [&] {
      return gConexao.morta() || (!temEstadoNet(janela, "_NET_WM_STATE_MAXIMIZED_VERT") &&
                                  !temEstadoNet(janela, "_NET_WM_STATE_MAXIMIZED_HORZ"));
    });
  }
  // The frame extents are read before each request: a manager that has just
  // restored the window may still be changing them, and a size made from the
  // old ones comes out a few pixels off. When that happens the request is
  // sent again with the extents as they are now.
  long usadas[4] = {-1, -1, -1, -1};
  for (int tentativa = 0; tentativa < 3; ++tentativa) {
    const RetanguloJanela inicial = retangulo(janela);
    long e, d, t, b;
    extensoesMoldura(janela, e, d, t, b);
    if (usadas[0] == e && usadas[1] == d && usadas[2] == t && usadas[3] == b) break;
    usadas[0] = e, usadas[1] = d, usadas[2] = t, usadas[3] = b;
    const int largura = std::max(1, r.largura - static_cast<int>(e + d));
    const int altura = std::max(1, r.altura - static_cast<int>(t + b));
    if (gerenciador) {
      // NorthWest gravity: (x, y) is the outer top-left corner, frame included.
      const long sinais = NorthWestGravity | (0xF << 8) | (kFonteGerenciador << 12);
      enviarAoGerenciador(janela, "_NET_MOVERESIZE_WINDOW", sinais, r.x, r.y, largura, altura);
    } else {
      XMoveResizeWindow(gConexao.tela(), janela, r.x, r.y, static_cast<unsigned>(largura),
                        static_cast<unsigned>(altura));
      XFlush(gConexao.tela());
    }
    // Done when the rectangle is the one asked for, or when it changed and
    // then held still for a moment: the manager may adjust the size (xterm
    // keeps whole character cells) and may move before it resizes.
    RetanguloJanela anterior = inicial;
    auto desde = Relogio::now();
    bool pronto = false;
    aguardar(kLimiteGeometriaMs, [&] {
      const RetanguloJanela agora = retangulo(janela);
      if (agora == r || gConexao.morta()) return pronto = true;
      if (!(agora == anterior)) {
        anterior = agora;
        desde = Relogio::now();
        return false;
      }
      return !(agora == inicial) && Relogio::now() - desde >= std::chrono::milliseconds(50);
    });
    if (pronto || !existe(janela)) break;
  }
  return existe(janela);
}

bool CLJanelasX11::maximizar(Window janela) {
  if (!existe(janela)) return false;
  if (suporta("_NET_WM_STATE_MAXIMIZED_VERT")) {
    enviarAoGerenciador(janela, "_NET_WM_STATE", kAdicionar, gConexao.atomo("_NET_WM_STATE_MAXIMIZED_VERT"),
                        gConexao.atomo("_NET_WM_STATE_MAXIMIZED_HORZ"), kFonteGerenciador);
    return aguardar(kLimiteGeometriaMs, [&] {
      return gConexao.morta() || (temEstadoNet(janela, "_NET_WM_STATE_MAXIMIZED_VERT") &&
                                  temEstadoNet(janela, "_NET_WM_STATE_MAXIMIZED_HORZ"));
    }) && !gConexao.morta();
  }
  Screen* tela = DefaultScreenOfDisplay(gConexao.tela());
  XMoveResizeWindow(gConexao.tela(), janela, 0, 0, WidthOfScreen(tela), HeightOfScreen(tela));
  XFlush(gConexao.tela());
  return existe(janela);
}

}  // namespace mivo
