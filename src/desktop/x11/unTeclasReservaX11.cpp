#include "unTeclasReservaX11.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <thread>

#include "unConexaoX11.h"

namespace mivo {

namespace {

// Keycodes borrowed from the top of the map when it has too few empty ones.
constexpr int kMinimoVagas = 4;
constexpr int kEmprestadas = 8;
// A binding is not changed sooner than this after its last use.
constexpr int kCarenciaMs = 200;

void esperarCarencia(CLTeclasReservaX11::Relogio::time_point usadaEm) {
  const auto fim = usadaEm + std::chrono::milliseconds(kCarenciaMs);
  const auto agora = CLTeclasReservaX11::Relogio::now();
  if (fim > agora) std::this_thread::sleep_for(fim - agora);
}

}  // namespace

CLTeclasReservaX11::CLTeclasReservaX11(CLConexaoX11& conexao) : gConexao(conexao) {}

CLTeclasReservaX11::~CLTeclasReservaX11() { restaurarTodas(); }

void CLTeclasReservaX11::procurarVagas() {
  gProcurou = true;
  Display* d = gConexao.tela();
  if (gConexao.morta()) return;
  const MapaTecladoX11 m(d);
  if (!m.valido()) return;
  const int minimo = m.minimo, maximo = m.maximo;
  auto keysymsDe = [&](int kc) {
    const KeySym* p = m.keysyms(kc);
    return std::vector<KeySym>(p, p + m.porKeycode);
  };
  auto vazia = [](const std::vector<KeySym>& ks) {
    return std::all_of(ks.begin(), ks.end(), [](KeySym k) { return k == NoSymbol; });
  };
  // Keycode 8 is left alone: some toolkits drop it.
  for (int kc = std::max(minimo, 9); kc <= maximo; ++kc) {
    if (vazia(keysymsDe(kc))) gVagas.push_back({static_cast<KeyCode>(kc), {NoSymbol}});
  }
  if (static_cast<int>(gVagas.size()) < kMinimoVagas) {
    XModifierKeymap* modificadores = XGetModifierMapping(d);
    auto ehModificador = [&](int kc) {
      if (!modificadores) return true;
      const int n = 8 * modificadores->max_keypermod;
      return std::find(modificadores->modifiermap, modificadores->modifiermap + n, kc) !=
             modificadores->modifiermap + n;
    };
    for (int kc = maximo, n = 0; kc > minimo + 8 && n < kEmprestadas; --kc) {
      auto ks = keysymsDe(kc);
      if (vazia(ks) || ehModificador(kc)) continue;
      gVagas.push_back({static_cast<KeyCode>(kc), ks});
      ++n;
    }
    if (modificadores) XFreeModifiermap(modificadores);
  }
}

bool CLTeclasReservaX11::ehReserva(KeyCode keycode) const {
  return std::any_of(gVagas.begin(), gVagas.end(), [&](const Vaga& v) { return v.keycode == keycode; });
}

bool CLTeclasReservaX11::mudancaPropria(int primeiro, int quantos) const {
  for (int kc = primeiro; kc < primeiro + quantos; ++kc) {
    if (!ehReserva(static_cast<KeyCode>(kc))) return false;
  }
  return quantos > 0;
}

void CLTeclasReservaX11::assentar() {
  XSync(gConexao.tela(), False);
  const auto fim = gUltimoEnvio + std::chrono::milliseconds(kAssentarMs);
  const auto agora = Relogio::now();
  if (fim > agora) std::this_thread::sleep_for(fim - agora);
}

CLTeclasReservaX11::Lugar CLTeclasReservaX11::vincular(KeySym keysym) {
  if (!gProcurou) procurarVagas();
  if (gConexao.morta() || keysym == NoSymbol) return {};
  const auto agora = Relogio::now();
  for (Vaga& v : gVagas) {
    for (int nivel = 0; nivel < 2; ++nivel) {
      if (v.keysyms[0] != NoSymbol && v.keysyms[nivel] == keysym) {
        v.usadaEm = agora;
        return {v.keycode, nivel};
      }
    }
  }
  // A free place, else the one idle for longest (never one held down).
  Vaga* escolhida = nullptr;
  for (Vaga& v : gVagas) {
    if (v.pressionada) continue;
    if (v.keysyms[0] == NoSymbol) {
      escolhida = &v;
      break;
    }
    if (!escolhida || v.usadaEm < escolhida->usadaEm) escolhida = &v;
  }
  if (!escolhida) return {};
  if (escolhida->keysyms[0] != NoSymbol) esperarCarencia(escolhida->usadaEm);
  // A letter and its capital share the key, as on a keyboard; anything else
  // is the same at both levels, so that a Shift held elsewhere changes nothing.
  KeySym minuscula = NoSymbol, maiuscula = NoSymbol;
  XConvertCase(keysym, &minuscula, &maiuscula);
  KeySym par[2] = {keysym, keysym};
  if (minuscula != maiuscula) par[0] = minuscula, par[1] = maiuscula;
  assentar();
  XChangeKeyboardMapping(gConexao.tela(), escolhida->keycode, 2, par, 1);
  escolhida->keysyms[0] = par[0];
  escolhida->keysyms[1] = par[1];
  escolhida->usadaEm = Relogio::now();
  return {escolhida->keycode, par[1] == keysym && par[0] != keysym ? 1 : 0};
}

void CLTeclasReservaX11::marcarPressionada(KeyCode keycode, bool pressionada) {
  for (Vaga& v : gVagas) {
    if (v.keycode == keycode) {
      v.pressionada = pressionada;
      v.usadaEm = Relogio::now();
    }
  }
}

void CLTeclasReservaX11::restaurar(Vaga& vaga) {
  if (!gConexao.morta()) {
    if (vaga.pressionada) XTestFakeKeyEvent(gConexao.tela(), vaga.keycode, False, CurrentTime);
    assentar();
    XChangeKeyboardMapping(gConexao.tela(), vaga.keycode, static_cast<int>(vaga.originais.size()),
                           vaga.originais.data(), 1);
  }
  vaga.keysyms[0] = vaga.keysyms[1] = NoSymbol;
  vaga.pressionada = false;
}

void CLTeclasReservaX11::restaurarOciosas(int ociosoMs) {
  const auto limite = Relogio::now() - std::chrono::milliseconds(ociosoMs);
  bool mudou = false;
  for (Vaga& v : gVagas) {
    if (v.keysyms[0] != NoSymbol && !v.pressionada && v.usadaEm <= limite) {
      restaurar(v);
      mudou = true;
    }
  }
  if (mudou && !gConexao.morta()) XFlush(gConexao.tela());
}

void CLTeclasReservaX11::restaurarTodas() {
  Relogio::time_point ultima{};
  bool alguma = false;
  for (const Vaga& v : gVagas) {
    if (v.keysyms[0] == NoSymbol) continue;
    alguma = true;
    ultima = std::max(ultima, v.usadaEm);
  }
  if (!alguma) return;
  if (!gConexao.morta()) {
    XSync(gConexao.tela(), False);
    esperarCarencia(ultima);
  }
  for (Vaga& v : gVagas) {
    if (v.keysyms[0] != NoSymbol) restaurar(v);
  }
  if (!gConexao.morta()) XSync(gConexao.tela(), False);
}

}  // namespace mivo
