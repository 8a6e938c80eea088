#include "unTecladoXTeste.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace mivo::teste {

CLTecladoXTeste::~CLTecladoXTeste() {
  if (gTela) XCloseDisplay(gTela);
}

bool CLTecladoXTeste::abrir(const std::string& tela) {
  gTela = XOpenDisplay(tela.c_str());
  if (!gTela) return false;
  int evento, erro, maior, menor;
  return XTestQueryExtension(gTela, &evento, &erro, &maior, &menor);
}

bool CLTecladoXTeste::enviar(const std::string& nome, bool pressionada) {
  if (!gTela) return false;
  const KeySym simbolo = XStringToKeysym(nome.c_str());
  const KeyCode codigo = simbolo == NoSymbol ? 0 : XKeysymToKeycode(gTela, simbolo);
  if (codigo == 0) return false;
  XTestFakeKeyEvent(gTela, codigo, pressionada ? True : False, CurrentTime);
  XSync(gTela, False);
  return true;
}

bool CLTecladoXTeste::pressionar(const std::string& nome) { return enviar(nome, true); }

bool CLTecladoXTeste::soltar(const std::string& nome) { return enviar(nome, false); }

std::vector<int> CLTecladoXTeste::teclasPressionadas() {
  std::vector<int> codigos;
  if (!gTela) return codigos;
  char mapa[32];
  XQueryKeymap(gTela, mapa);
  for (int i = 0; i < 256; ++i) {
    if (mapa[i / 8] & (1 << (i % 8))) codigos.push_back(i);
  }
  return codigos;
}

}  // namespace mivo::teste
