// A small X client for the end-to-end tests: a window of one colour that
// writes what it receives into a report file, one line per event, and obeys
// commands read from its standard input.
//
//   alvoX11 TITLE REPORT [X Y WIDTH HEIGHT [RRGGBB]]
//
// Report lines: "pronto ID", "foco", "tecla KEYSYM MODS", "texto TEXT",
// "pressiona N X Y", "solta N X Y" (root coordinates), "roda cima|baixo",
// "colado TEXT" / "colado-nada" (after "colar" or Ctrl+V), "copiou",
// "ocupou", "fechada". In TEXT a
// backslash, CR, LF and Tab are written as \\, \r, \n and \t.
// Commands: "cor RRGGBB", "colar", "copiar TEXT", "ocupar" (owns the
// clipboard and never answers), "titulo TEXT", "sair".

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

Display* d;
Window janela;
FILE* relatorio;
XIC contexto;
std::string copiado;
bool servir = false;  // answers clipboard requests (false while "ocupar")

void relatar(const std::string& linha) {
  std::fputs((linha + "\n").c_str(), relatorio);
  std::fflush(relatorio);
}

std::string escapar(const std::string& t) {
  std::string r;
  for (char c : t) {
    if (c == '\\') r += "\\\\";
    else if (c == '\r') r += "\\r";
    else if (c == '\n') r += "\\n";
    else if (c == '\t') r += "\\t";
    else r += c;
  }
  return r;
}

Atom atomo(const char* nome) { return XInternAtom(d, nome, False); }

void pintar(const std::string& rrggbb) {
  XColor cor{};
  const unsigned long v = std::strtoul(rrggbb.c_str(), nullptr, 16);
  cor.red = static_cast<unsigned short>(((v >> 16) & 0xFF) * 257);
  cor.green = static_cast<unsigned short>(((v >> 8) & 0xFF) * 257);
  cor.blue = static_cast<unsigned short>((v & 0xFF) * 257);
  XAllocColor(d, DefaultColormap(d, DefaultScreen(d)), &cor);
  XSetWindowBackground(d, janela, cor.pixel);
  XClearWindow(d, janela);
  XFlush(d);
}

void titular(const std::string& titulo) {
  XChangeProperty(d, janela, atomo("_NET_WM_NAME"), atomo("UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(titulo.data()), static_cast<int>(titulo.size()));
  XChangeProperty(d, janela, XA_WM_NAME, atomo("UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(titulo.data()), static_cast<int>(titulo.size()));
  XFlush(d);
}

std::string modificadores(unsigned int estado) {
  std::string r;
  if (estado & ControlMask) r += "ctrl+";
  if (estado & Mod1Mask) r += "alt+";
  if (estado & ShiftMask) r += "shift+";
  return r.empty() ? "-" : r.substr(0, r.size() - 1);
}

void aoTeclar(XKeyEvent& evento) {
  char texto[64] = {};
  KeySym ks = NoSymbol;
  Status status = 0;
  const int n = Xutf8LookupString(contexto, &evento, texto, sizeof texto - 1, &ks, &status);
  const char* nome = ks != NoSymbol ? XKeysymToString(ks) : nullptr;
  relatar("tecla " + std::string(nome ? nome : "?") + " " + modificadores(evento.state));
  if ((ks == XK_v || ks == XK_V) && (evento.state & ControlMask)) {
    // Ctrl+V pastes: the clipboard's text is asked for and reported.
    XConvertSelection(d, atomo("CLIPBOARD"), atomo("UTF8_STRING"), atomo("ALVO_COLADO"), janela, CurrentTime);
    XFlush(d);
    return;
  }
  if ((status == XLookupChars || status == XLookupBoth) && n > 0 && !(evento.state & (ControlMask | Mod1Mask))) {
    relatar("texto " + escapar(std::string(texto, static_cast<std::size_t>(n))));
  }
}

void aoBotao(const XButtonEvent& evento, bool pressionado) {
  if (evento.button == 4 || evento.button == 5) {
    if (pressionado) relatar(evento.button == 4 ? "roda cima" : "roda baixo");
    return;
  }
  relatar(std::string(pressionado ? "pressiona " : "solta ") + std::to_string(evento.button) + " " +
          std::to_string(evento.x_root) + " " + std::to_string(evento.y_root));
}

void responder(const XSelectionRequestEvent& pedido) {
  if (!servir) return;  // "ocupar": the requestor waits in vain
  XSelectionEvent r{};
  r.type = SelectionNotify;
  r.requestor = pedido.requestor;
  r.selection = pedido.selection;
  r.target = pedido.target;
  r.time = pedido.time;
  r.property = None;
  if (pedido.target == atomo("TARGETS")) {
    Atom alvos[] = {atomo("TARGETS"), atomo("UTF8_STRING")};
    XChangeProperty(d, pedido.requestor, pedido.property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(alvos), 2);
    r.property = pedido.property;
  } else if (pedido.target == atomo("UTF8_STRING")) {
    XChangeProperty(d, pedido.requestor, pedido.property, atomo("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(copiado.data()), static_cast<int>(copiado.size()));
    r.property = pedido.property;
  }
  XSendEvent(d, pedido.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&r));
  XFlush(d);
}

void aoColado(const XSelectionEvent& evento) {
  if (evento.property == None) return relatar("colado-nada");
  Atom tipo;
  int formato;
  unsigned long n, resto;
  unsigned char* dados = nullptr;
  XGetWindowProperty(d, janela, evento.property, 0, 1 << 24, True, AnyPropertyType, &tipo, &formato, &n, &resto,
                     &dados);
  relatar("colado " + escapar(std::string(reinterpret_cast<char*>(dados), dados ? n : 0)));
  if (dados) XFree(dados);
}

void executar(const std::string& linha) {
  const std::string cmd = linha.substr(0, linha.find(' '));
  const std::string arg = linha.find(' ') == std::string::npos ? "" : linha.substr(linha.find(' ') + 1);
  if (cmd == "cor") {
    pintar(arg);
  } else if (cmd == "colar") {
    XConvertSelection(d, atomo("CLIPBOARD"), atomo("UTF8_STRING"), atomo("ALVO_COLADO"), janela, CurrentTime);
    XFlush(d);
  } else if (cmd == "copiar" || cmd == "ocupar") {
    copiado = arg;
    servir = cmd == "copiar";
    XSetSelectionOwner(d, atomo("CLIPBOARD"), janela, CurrentTime);
    XFlush(d);
    relatar(cmd == "copiar" ? "copiou" : "ocupou");
  } else if (cmd == "titulo") {
    titular(arg);
    relatar("titulo");
  } else if (cmd == "sair") {
    std::exit(0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::setlocale(LC_ALL, "C.UTF-8");
  XSetLocaleModifiers("@im=none");
  d = XOpenDisplay(nullptr);
  if (!d) return 3;
  relatorio = std::fopen(argv[2], "a");
  if (!relatorio) return 4;
  const int x = argc > 6 ? std::atoi(argv[3]) : 100, y = argc > 6 ? std::atoi(argv[4]) : 100;
  const int w = argc > 6 ? std::atoi(argv[5]) : 400, h = argc > 6 ? std::atoi(argv[6]) : 300;
  janela = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, w, h, 0, 0, 0);
  XSizeHints dicas{};
  dicas.flags = USPosition | USSize;
  dicas.x = x, dicas.y = y, dicas.width = w, dicas.height = h;
  XSetWMNormalHints(d, janela, &dicas);
  XClassHint classe{const_cast<char*>("alvoX11"), const_cast<char*>("AlvoX11")};
  XSetClassHint(d, janela, &classe);
  const long pid = getpid();
  XChangeProperty(d, janela, atomo("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  Atom fechar = atomo("WM_DELETE_WINDOW");
  XSetWMProtocols(d, janela, &fechar, 1);
  titular(argv[1]);
  pintar(argc > 7 ? argv[7] : "ff0000");
  XSelectInput(d, janela, ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | FocusChangeMask |
                              StructureNotifyMask | PropertyChangeMask);
  XIM im = XOpenIM(d, nullptr, nullptr, nullptr);
  contexto = im ? XCreateIC(im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, janela,
                            XNFocusWindow, janela, nullptr)
                : nullptr;
  if (!contexto) return 5;
  XMapWindow(d, janela);
  XFlush(d);

  bool pronto = false;
  std::string entrada;
  while (true) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (XFilterEvent(&e, None)) continue;
      switch (e.type) {
        case Expose:
          if (!pronto) relatar("pronto " + std::to_string(janela));
          pronto = true;
          break;
        case FocusIn: relatar("foco"); break;
        case KeyPress: aoTeclar(e.xkey); break;
        case ButtonPress: aoBotao(e.xbutton, true); break;
        case ButtonRelease: aoBotao(e.xbutton, false); break;
        case SelectionRequest: responder(e.xselectionrequest); break;
        case SelectionNotify: aoColado(e.xselection); break;
        case ClientMessage:
          if (static_cast<Atom>(e.xclient.data.l[0]) == fechar) {
            relatar("fechada");
            return 0;
          }
          break;
        default: break;
      }
    }
    pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {0, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents & (POLLIN | POLLHUP)) {
      char buf[4096];
      const ssize_t n = read(0, buf, sizeof buf);
      if (n <= 0) return 0;  // the test went away
      entrada.append(buf, static_cast<std::size_t>(n));
      std::size_t fim;
      while ((fim = entrada.find('\n')) != std::string::npos) {
        executar(entrada.substr(0, fim));
        entrada.erase(0, fim + 1);
      }
    }
  }
}
