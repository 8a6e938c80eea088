#include "unSelecaoX11.h"

#include <X11/Xatom.h>

#include "unConexaoX11.h"
#include "unTextoDesktop.h"

namespace mivo {

namespace {

std::string latin1DeUtf16(const std::u16string& texto) {
  std::string r;
  r.reserve(texto.size());
  for (char16_t c : texto) r += c <= 0xFF ? static_cast<char>(c) : '?';
  return r;
}

std::u16string utf16DeLatin1(const std::string& bytes) {
  std::u16string r;
  r.reserve(bytes.size());
  for (unsigned char c : bytes) r += static_cast<char16_t>(c);
  return r;
}

}  // namespace

CLSelecaoX11::CLSelecaoX11(CLConexaoX11& conexao, int limiteLeituraMs)
    : gConexao(conexao), gLimiteMs(limiteLeituraMs) {
  Display* d = gConexao.tela();
  gJanela = XCreateSimpleWindow(d, gConexao.raiz(), -10, -10, 1, 1, 0, 0, 0);
  XSelectInput(d, gJanela, PropertyChangeMask);
  gClipboard = gConexao.atomo("CLIPBOARD");
  gTargets = gConexao.atomo("TARGETS");
  gUtf8 = gConexao.atomo("UTF8_STRING");
  gIncr = gConexao.atomo("INCR");
  gPropriedade = gConexao.atomo("MIVO_SELECAO");
  XFlush(d);
}

CLSelecaoX11::~CLSelecaoX11() {
  abandonar();
  // Destroying the window gives the selection up.
  if (!gConexao.morta()) XDestroyWindow(gConexao.tela(), gJanela);
}

bool CLSelecaoX11::possuir(std::vector<Oferta> ofertas) {
  if (gConexao.morta()) return false;
  Display* d = gConexao.tela();
  XSetSelectionOwner(d, gClipboard, gJanela, CurrentTime);
  gDono = XGetSelectionOwner(d, gClipboard) == gJanela && !gConexao.morta();
  gOfertas = gDono ? std::move(ofertas) : std::vector<Oferta>{};
  return gDono;
}

bool CLSelecaoX11::possuirTexto(const std::u16string& texto) {
  const std::string utf8 = utf8DeUtf16(texto);
  const Atom textoUtf8 = gConexao.atomo("text/plain;charset=utf-8");
  return possuir({{gUtf8, gUtf8, utf8},
                  {textoUtf8, textoUtf8, utf8},
                  {gConexao.atomo("TEXT"), gUtf8, utf8},
                  {XA_STRING, XA_STRING, latin1DeUtf16(texto)}});
}

bool CLSelecaoX11::possuirImagemPng(std::string png) {
  const Atom tipo = gConexao.atomo("image/png");
  return possuir({{tipo, tipo, std::move(png)}});
}

void CLSelecaoX11::responder(const XSelectionRequestEvent& pedido) {
  Display* d = gConexao.tela();
  XSelectionEvent resposta{};
  resposta.type = SelectionNotify;
  resposta.display = d;
  resposta.requestor = pedido.requestor;
  resposta.selection = pedido.selection;
  resposta.target = pedido.target;
  resposta.time = pedido.time;
  resposta.property = None;
  // Clients older than ICCCM 2 name no property: the target's name serves.
  const Atom propriedade = pedido.property == None ? pedido.target : pedido.property;
  const long maximo = XExtendedMaxRequestSize(d) ? XExtendedMaxRequestSize(d) : XMaxRequestSize(d);
  const std::size_t maximoBytes = static_cast<std::size_t>(maximo) * 4 - 1024;
  if (gDono && pedido.selection == gClipboard && pedido.owner == gJanela) {
    if (pedido.target == gTargets) {
      std::vector<Atom> alvos{gTargets};
      for (const auto& o : gOfertas) alvos.push_back(o.alvo);
      XChangeProperty(d, pedido.requestor, propriedade, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(alvos.data()), static_cast<int>(alvos.size()));
      resposta.property = propriedade;
    } else {
      for (const auto& o : gOfertas) {
        if (o.alvo != pedido.target || o.bytes.size() > maximoBytes) continue;
        XChangeProperty(d, pedido.requestor, propriedade, o.tipo, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(o.bytes.data()), static_cast<int>(o.bytes.size()));
        resposta.property = propriedade;
        break;
      }
    }
  }
  // A requestor that vanished meanwhile only raises an error, recorded and
  // ignored. The server has the answer before the delivery is counted, so
  // keys sent after it reach the requestor after the pasted text.
  gConexao.marcarErros();
  XSendEvent(d, pedido.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&resposta));
  gConexao.erroDesdeMarca();
  if (resposta.property != None && pedido.target != gTargets) ++gEntregas;
}

void CLSelecaoX11::lerTexto(FimLeitura fim) {
  if (gLeitura || gConexao.morta()) {
    fim(std::nullopt);
    return;
  }
  const Window dono = XGetSelectionOwner(gConexao.tela(), gClipboard);
  if (gConexao.morta()) {
    fim(std::nullopt);
    return;
  }
  if (dono == None) {
    fim(std::u16string());
    return;
  }
  if (dono == gJanela && gDono) {
    for (const auto& o : gOfertas) {
      if (o.alvo == gUtf8) return fim(utf16DeUtf8(o.bytes));
    }
    return fim(std::u16string());  // a picture
  }
  // Not emplace() with no arguments: clang does not take a nested struct with
  // member initializers as default-constructible inside std::optional.
  gLeitura.emplace(Leitura{});
  gLeitura->fim = std::move(fim);
  pedir(gUtf8);
}

void CLSelecaoX11::pedir(Atom alvo) {
  Display* d = gConexao.tela();
  gLeitura->alvo = alvo;
  gLeitura->incremental = false;
  gLeitura->dados.clear();
  gLeitura->prazo = Relogio::now() + std::chrono::milliseconds(gLimiteMs);
  XDeleteProperty(d, gJanela, gPropriedade);
  XConvertSelection(d, gClipboard, alvo, gPropriedade, gJanela, CurrentTime);
  XFlush(d);
}

void CLSelecaoX11::concluir(std::optional<std::u16string> texto) {
  if (!gLeitura) return;
  FimLeitura fim = std::move(gLeitura->fim);
  gLeitura.reset();
  fim(std::move(texto));
}

std::u16string CLSelecaoX11::textoLido() const {
  return gLeitura->tipo == XA_STRING ? utf16DeLatin1(gLeitura->dados) : utf16DeUtf8(gLeitura->dados);
}

void CLSelecaoX11::aoNotificarSelecao(const XSelectionEvent& evento) {
  if (!gLeitura || evento.requestor != gJanela || evento.selection != gClipboard) return;
  if (evento.property == None) {
    // The owner has no such target: try Latin-1, then there is no text.
    if (gLeitura->alvo == gUtf8) return pedir(XA_STRING);
    return concluir(std::u16string());
  }
  Atom tipo = None;
  std::string bytes;
  if (!gConexao.lerPropriedade8(gJanela, evento.property, AnyPropertyType, bytes, &tipo)) {
    std::vector<unsigned long> v;
    if (gConexao.lerPropriedade32(gJanela, evento.property, gIncr, v)) tipo = gIncr;
  }
  XDeleteProperty(gConexao.tela(), gJanela, evento.property);
  XFlush(gConexao.tela());
  if (tipo == gIncr) {
    // Deleting the property asked the owner for the first chunk.
    gLeitura->incremental = true;
    gLeitura->prazo = Relogio::now() + std::chrono::milliseconds(gLimiteMs);
    return;
  }
  gLeitura->tipo = tipo;
  gLeitura->dados = std::move(bytes);
  concluir(textoLido());
}

void CLSelecaoX11::aoMudarPropriedade(const XPropertyEvent& evento) {
  if (!gLeitura || !gLeitura->incremental || evento.window != gJanela || evento.atom != gPropriedade ||
      evento.state != PropertyNewValue) {
    return;
  }
  std::string bytes;
  Atom tipo = None;
  gConexao.lerPropriedade8(gJanela, gPropriedade, AnyPropertyType, bytes, &tipo);
  if (tipo != None) gLeitura->tipo = tipo;
  XDeleteProperty(gConexao.tela(), gJanela, gPropriedade);  // asks for the next chunk
  XFlush(gConexao.tela());
  if (bytes.empty()) return concluir(textoLido());
  gLeitura->dados += bytes;
  gLeitura->prazo = Relogio::now() + std::chrono::milliseconds(gLimiteMs);
}

void CLSelecaoX11::tratarEvento(const XEvent& evento) {
  switch (evento.type) {
    case SelectionRequest: responder(evento.xselectionrequest); break;
    case SelectionClear:
      if (evento.xselectionclear.selection == gClipboard) {
        gDono = false;
        gOfertas.clear();
      }
      break;
    case SelectionNotify: aoNotificarSelecao(evento.xselection); break;
    case PropertyNotify: aoMudarPropriedade(evento.xproperty); break;
    default: break;
  }
}

int CLSelecaoX11::verificarPrazo() {
  if (!gLeitura) return -1;
  const auto agora = Relogio::now();
  if (agora >= gLeitura->prazo) {
    concluir(std::nullopt);
    return -1;
  }
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(gLeitura->prazo - agora).count()) + 1;
}

void CLSelecaoX11::abandonar() { concluir(std::nullopt); }

}  // namespace mivo
