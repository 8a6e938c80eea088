#include "unTecladoX11.h"

#include <cstring>
#include <set>

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "unAcentos.h"
#include "unCLDesktop.h"
#include "unConexaoX11.h"
#include "unMapaTeclasX11.h"
#include "unSocorroX11.h"

namespace mivo {

namespace {

// Mivo's codes of the mouse buttons: left, right and middle.
bool ehBotao(int tecla) { return tecla == tecla::kBotaoEsquerdo || tecla == tecla::kBotaoDireito || tecla == 4; }

// The codes of the buttons held now. The physical buttons are 1 (left), 3
// (right) and 2 (middle); the pointer mapping tells which logical one each is.
std::set<int> botoesPressionados(Display* d, Window raiz) {
  Window r, f;
  int rx, ry, x, y;
  unsigned int mascara = 0;
  XQueryPointer(d, raiz, &r, &f, &rx, &ry, &x, &y, &mascara);
  unsigned char mapa[32] = {};
  const int n = XGetPointerMapping(d, mapa, 32);
  std::set<int> pressionados;
  const std::pair<int, int> botoes[] = {{tecla::kBotaoEsquerdo, 1}, {tecla::kBotaoDireito, 3}, {4, 2}};
  for (const auto& [codigo, fisico] : botoes) {
    const int logico = fisico <= n ? mapa[fisico - 1] : fisico;
    if (logico >= 1 && logico <= 5 && (mascara & (Button1Mask << (logico - 1)))) pressionados.insert(codigo);
  }
  return pressionados;
}

constexpr int kShiftBit = 0x100;
constexpr int kCtrlBit = 0x200;
// Lent keycodes idle this long go back between operations.
constexpr int kOciosoMs = 1000;
// The Caps Lock state is read again after this long (a read per letter
// would halve the typing speed).
constexpr auto kValidadeCaps = std::chrono::milliseconds(250);

// The punctuation codes by the name of their place on the keyboard (the
// names of the XKB keycodes), the places Windows gives them.
constexpr std::pair<int, const char*> kTeclasPorLugar[] = {
    {186, "AC10"}, {187, "AE12"}, {188, "AB08"}, {189, "AE11"}, {190, "AB09"}, {191, "AB10"}, {192, "TLDE"},
    {193, "AB11"}, {219, "AD11"}, {220, "BKSL"}, {221, "AD12"}, {222, "AC11"}, {226, "LSGT"},
};

bool ehPontuacao(int tecla) {
  for (const auto& [t, nome] : kTeclasPorLugar) {
    if (t == tecla) return true;
  }
  return false;
}

// The accent of a dead keysym, as the character it types before a blank
// (the compose tables of X: an apostrophe for the acute, a double quote for
// the diaeresis); 0 for any other keysym.
char32_t acentoDoKeysym(KeySym ks) {
  switch (ks) {
    case XK_dead_acute: return U'\'';
    case XK_dead_grave: return U'`';
    case XK_dead_tilde: return U'~';
    case XK_dead_circumflex: return U'^';
    case XK_dead_diaeresis: return U'"';
    case XK_dead_cedilla: return U'¸';
    default: return 0;
  }
}

bool ehLetra(KeySym keysym) {
  KeySym minuscula = NoSymbol, maiuscula = NoSymbol;
  XConvertCase(keysym, &minuscula, &maiuscula);
  return minuscula != maiuscula;
}

}  // namespace

CLTecladoX11::CLTecladoX11(CLConexaoX11& conexao, CLSocorroX11* socorro)
    : gConexao(conexao), gSocorro(socorro), gReserva(conexao) {}

CLTecladoX11::~CLTecladoX11() {
  if (gXkb) XkbFreeKeyboard(gXkb, XkbAllComponentsMask, True);
}

void CLTecladoX11::carregarMapa() {
  gPosicoes.clear();
  gShift = 0;
  gPorNome.fill(0);
  if (gXkb) XkbFreeKeyboard(gXkb, XkbAllComponentsMask, True);
  gXkb = nullptr;
  gMapaValido = true;
  if (gConexao.morta()) return;
  carregarNomes();
  const MapaTecladoX11 m(gConexao.tela());
  if (!m.valido()) return;
  // The first two columns are the first group without and with Shift; a
  // letter whose second column is empty gets its capital there. Unshifted
  // places win over shifted ones, lower keycodes over higher ones.
  for (int nivel = 0; nivel < 2 && nivel < m.porKeycode; ++nivel) {
    for (int kc = m.minimo; kc <= m.maximo; ++kc) {
      if (gReserva.ehReserva(static_cast<KeyCode>(kc))) continue;
      const KeySym* linha = m.keysyms(kc);
      KeySym ks = linha[nivel];
      if (nivel == 1 && ks == NoSymbol && linha[0] != NoSymbol) {
        KeySym minuscula = NoSymbol;
        XConvertCase(linha[0], &minuscula, &ks);
        if (ks == linha[0]) ks = NoSymbol;
      }
      if (ks != NoSymbol) gPosicoes.emplace(ks, Posicao{static_cast<KeyCode>(kc), nivel});
    }
  }
  const Posicao* shift = procurar(XK_Shift_L);
  if (!shift) shift = procurar(XK_Shift_R);
  gShift = shift ? shift->keycode : 0;
}

void CLTecladoX11::carregarNomes() {
  // The keyboard description: its types and symbols (to translate keys
  // under any modifiers) and the names of its keys.
  gXkb = XkbGetMap(gConexao.tela(), XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
  if (!gXkb) return;
  if (XkbGetNames(gConexao.tela(), XkbKeyNamesMask, gXkb) != Success || !gXkb->names || !gXkb->names->keys) return;
  for (const auto& [tecla, nome] : kTeclasPorLugar) {
    for (int kc = gXkb->min_key_code; kc <= gXkb->max_key_code; ++kc) {
      if (std::strncmp(gXkb->names->keys[kc].name, nome, XkbKeyNameLength) == 0) {
        gPorNome[tecla] = static_cast<KeyCode>(kc);
        break;
      }
    }
  }
}

std::vector<KeyCode> CLTecladoX11::keycodesDaTecla(int tecla) {
  if (!gMapaValido) carregarMapa();
  if (tecla >= 0 && tecla < 256 && gPorNome[tecla] != 0) return {gPorNome[tecla]};
  std::vector<KeyCode> keycodes;
  for (KeySym ks : keysymsDaTecla(tecla)) {
    // A punctuation code whose place the server does not name is found by
    // its keysym, but only where the key types it without Shift: ";" on a
    // key that types "," would be a second code for the comma key.
    const Posicao* p = procurar(ks);
    if (p && !(ehPontuacao(tecla) && p->nivel != 0)) keycodes.push_back(p->keycode);
  }
  return keycodes;
}

KeySym CLTecladoX11::traduzir(KeyCode keycode, unsigned int mods, unsigned int* consumidos) {
  if (!gMapaValido) carregarMapa();
  KeySym ks = NoSymbol;
  if (!gXkb || !XkbTranslateKeyCode(gXkb, keycode, mods, consumidos, &ks)) return NoSymbol;
  return ks;
}

TextoTecla CLTecladoX11::texto(int tecla, char32_t acento, bool modificadores) {
  if (gConexao.morta() || ehBotao(tecla)) return {};
  Display* d = gConexao.tela();
  XkbStateRec estadoXkb{};
  if (XkbGetState(d, XkbUseCoreKbd, &estadoXkb) != Success) return {};
  KeyCode keycode = 0;
  unsigned int mods = 0;
  if (modificadores) {
    const std::vector<KeyCode> keycodes = keycodesDaTecla(tecla);
    if (keycodes.empty()) return {};
    keycode = keycodes.front();
    // Ctrl and Alt make commands, not characters.
    mods = estadoXkb.mods & ~static_cast<unsigned int>(ControlMask | Mod1Mask);
  } else {
    const auto keysyms = keysymsDaTecla(tecla);
    for (KeySym ks : keysyms) {
      if (const Posicao* p = procurar(ks)) {
        keycode = p->keycode;
        break;
      }
    }
    if (keycode == 0) {
      // pressionar() would lend a keycode to the first keysym: that is what
      // it types.
      if (keysyms.empty()) return {};
      TextoTecla r;
      if (const char32_t c = caractereDoKeysym(keysyms.front()); c >= 0x20) r.texto.push_back(static_cast<char16_t>(c));
      return aplicarAcento(acento, r);
    }
    // Alone: only Num Lock, which the script does not press, stays as it is.
    mods = estadoXkb.locked_mods & XkbKeysymToModifiers(d, XK_Num_Lock);
  }
  unsigned int consumidos = 0;
  KeySym ks = traduzir(keycode, XkbBuildCoreState(mods, estadoXkb.group), &consumidos);
  if ((mods & LockMask) && !(consumidos & LockMask)) {
    KeySym minuscula = NoSymbol, maiuscula = NoSymbol;
    XConvertCase(ks, &minuscula, &maiuscula);
    ks = maiuscula;
  }
  TextoTecla r;
  if (const char32_t a = acentoDoKeysym(ks)) {
    r.acento = a;
  } else if (const char32_t c = caractereDoKeysym(ks); c >= 0x20 && c != 0x7F) {
    if (c > 0xFFFF) {
      r.texto.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      r.texto.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      r.texto.push_back(static_cast<char16_t>(c));
    }
  }
  return aplicarAcento(acento, r);
}

const CLTecladoX11::Posicao* CLTecladoX11::procurar(KeySym keysym) {
  if (!gMapaValido) carregarMapa();
  auto it = gPosicoes.find(keysym);
  return it == gPosicoes.end() ? nullptr : &it->second;
}

void CLTecladoX11::mapaMudou(int primeiro, int quantos) {
  if (!gReserva.mudancaPropria(primeiro, quantos)) gMapaValido = false;
}

void CLTecladoX11::restaurarOciosas() { gReserva.restaurarOciosas(kOciosoMs); }

KeyCode CLTecladoX11::keycodeDaTecla(int tecla) {
  const auto keysyms = keysymsDaTecla(tecla);
  for (KeySym ks : keysyms) {
    if (const Posicao* p = procurar(ks)) return p->keycode;
  }
  return keysyms.empty() ? 0 : gReserva.vincular(keysyms.front()).keycode;
}

void CLTecladoX11::enviar(KeyCode keycode, bool pressionada) {
  // Marked down before it goes down and up after it went up: a crash in
  // between at worst releases a key that was not down.
  if (gSocorro && pressionada) gSocorro->marcarTecla(keycode, true);
  XTestFakeKeyEvent(gConexao.tela(), keycode, pressionada ? True : False, CurrentTime);
  if (gSocorro && !pressionada) gSocorro->marcarTecla(keycode, false);
  gReserva.notarEnvio();
}

bool CLTecladoX11::pressionar(int tecla) {
  if (gConexao.morta()) return false;
  const KeyCode kc = keycodeDaTecla(tecla);
  if (kc == 0) return false;
  if (tecla >= 0 && tecla < 256) gPressionadas[tecla] = kc;
  gReserva.marcarPressionada(kc, true);
  enviar(kc, true);
  XFlush(gConexao.tela());
  if (tecla == tecla::kCapsLock) gCapsLidoEm = {};
  return true;
}

void CLTecladoX11::soltar(int tecla) {
  if (gConexao.morta()) return;
  KeyCode kc = 0;
  if (tecla >= 0 && tecla < 256) std::swap(kc, gPressionadas[tecla]);
  if (kc == 0) kc = keycodeDaTecla(tecla);
  if (kc == 0) return;
  enviar(kc, false);
  gReserva.marcarPressionada(kc, false);
  XFlush(gConexao.tela());
  if (tecla == tecla::kCapsLock) gCapsLidoEm = {};
}

int CLTecladoX11::teclaDoCaractere(char32_t caractere) {
  if (caractere == U'\n') return kCtrlBit | tecla::kEnter;  // as Windows answers
  const KeySym ks = keysymDoCaractere(caractere);
  const Posicao* p = ks == NoSymbol ? nullptr : procurar(ks);
  if (!p) return kSemTecla;
  // The key code whose key is this keycode: the keysym without Shift names it.
  for (const auto& [keysym, posicao] : gPosicoes) {
    if (posicao.keycode != p->keycode || posicao.nivel != 0) continue;
    const int tecla = teclaDoKeysym(keysym);
    if (tecla == kSemTecla || keycodeDaTecla(tecla) != p->keycode) return kSemTecla;
    return tecla | (p->nivel == 1 ? kShiftBit : 0);
  }
  return kSemTecla;
}

unsigned int CLTecladoX11::mascaraModificador(KeySym keysym) {
  const Posicao* p = procurar(keysym);
  if (!p) return 0;
  XModifierKeymap* mapa = XGetModifierMapping(gConexao.tela());
  if (!mapa) return 0;
  unsigned int mascara = 0;
  for (int m = 0; m < 8; ++m) {
    for (int i = 0; i < mapa->max_keypermod; ++i) {
      if (mapa->modifiermap[m * mapa->max_keypermod + i] == p->keycode) mascara |= 1u << m;
    }
  }
  XFreeModifiermap(mapa);
  return mascara;
}

int CLTecladoX11::estado(int tecla) {
  if (gConexao.morta()) return 0;
  Display* d = gConexao.tela();
  int resultado = 0;
  if (ehBotao(tecla)) {
    if (botoesPressionados(d, gConexao.raiz()).count(tecla)) resultado |= kTeclaPressionada;
    return gConexao.morta() ? 0 : resultado;
  }
  char teclas[32] = {};
  XQueryKeymap(d, teclas);
  for (KeyCode kc : keycodesDaTecla(tecla)) {
    if (teclas[kc / 8] & (1 << (kc % 8))) resultado |= kTeclaPressionada;
  }
  if (tecla == tecla::kCapsLock || tecla == tecla::kNumLock) {
    XkbStateRec estadoXkb{};
    const unsigned int mascara =
        tecla == tecla::kCapsLock ? LockMask : mascaraModificador(XK_Num_Lock);
    if (XkbGetState(d, XkbUseCoreKbd, &estadoXkb) == Success && (estadoXkb.locked_mods & mascara)) {
      resultado |= kTeclaLigada;
    }
  } else if (tecla == 145) {
    Bool ligado = False;
    if (XkbGetNamedIndicator(d, gConexao.atomo("Scroll Lock"), nullptr, &ligado, nullptr, nullptr) &&
        ligado) {
      resultado |= kTeclaLigada;
    }
  }
  return gConexao.morta() ? 0 : resultado;
}

std::bitset<256> CLTecladoX11::estadoDeTodas() {
  std::bitset<256> estado;
  if (gConexao.morta()) return estado;
  Display* d = gConexao.tela();
  char teclas[32] = {};
  XQueryKeymap(d, teclas);
  for (int codigo : botoesPressionados(d, gConexao.raiz())) estado[codigo] = true;
  if (gConexao.morta()) return {};
  for (int tecla = 1; tecla <= 254; ++tecla) {
    if (ehBotao(tecla)) continue;
    for (KeyCode kc : keycodesDaTecla(tecla)) {
      if (teclas[kc / 8] & (1 << (kc % 8))) {
        estado[tecla] = true;
        break;
      }
    }
  }
  return estado;
}

bool CLTecladoX11::capsLockLigado() {
  const auto agora = std::chrono::steady_clock::now();
  if (agora - gCapsLidoEm > kValidadeCaps) {
    XkbStateRec estadoXkb{};
    gCapsLock = XkbGetState(gConexao.tela(), XkbUseCoreKbd, &estadoXkb) == Success &&
                (estadoXkb.locked_mods & LockMask);
    gCapsLidoEm = agora;
  }
  return gCapsLock;
}

void CLTecladoX11::digitar(char32_t caractere) {
  if (gConexao.morta()) return;
  // CR LF is one line break: the LF after a CR types nothing.
  const bool depoisDeCr = gUltimoFoiCr;
  gUltimoFoiCr = caractere == U'\r';
  if (caractere == U'\n' && depoisDeCr) return;
  const KeySym ks = keysymDoCaractere(caractere);
  if (ks == NoSymbol) return;
  Posicao lugar;
  if (const Posicao* p = procurar(ks)) {
    lugar = *p;
  } else {
    const CLTeclasReservaX11::Lugar emprestado = gReserva.vincular(ks);
    lugar = {emprestado.keycode, emprestado.nivel};
  }
  if (lugar.keycode == 0) return;
  bool shift = lugar.nivel == 1;
  if (ehLetra(ks) && capsLockLigado()) shift = !shift;
  if (shift && gShift) enviar(gShift, true);
  enviar(lugar.keycode, true);
  enviar(lugar.keycode, false);
  if (shift && gShift) enviar(gShift, false);
  XFlush(gConexao.tela());
}

}  // namespace mivo
