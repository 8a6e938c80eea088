#include "unEntradaWin32.h"

#include <algorithm>
#include <atomic>

namespace mivo {

namespace {

INPUT entradaTeclado(WORD tecla, WORD codigo, DWORD sinais) {
  INPUT entrada{};
  entrada.type = INPUT_KEYBOARD;
  entrada.ki.wVk = tecla;
  entrada.ki.wScan = codigo;
  entrada.ki.dwFlags = sinais;
  return entrada;
}

INPUT entradaMouse(DWORD sinais, DWORD dados) {
  INPUT entrada{};
  entrada.type = INPUT_MOUSE;
  entrada.mi.dwFlags = sinais;
  entrada.mi.mouseData = dados;
  return entrada;
}

// Down and up of one UTF-16 unit as Unicode input.
void anexarUnidade(std::vector<INPUT>& entradas, char16_t unidade) {
  entradas.push_back(entradaTeclado(0, unidade, KEYEVENTF_UNICODE));
  entradas.push_back(entradaTeclado(0, unidade, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
}

void anexarTecla(std::vector<INPUT>& entradas, int tecla) {
  for (bool soltar : {false, true}) {
    for (const INPUT& e : entradasDaTecla(tecla, soltar)) entradas.push_back(e);
  }
}

}  // namespace

bool teclaEstendida(int tecla) {
  switch (tecla) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_SNAPSHOT: case VK_INSERT: case VK_DELETE:
    case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU:
      return true;
    default:
      return false;
  }
}

std::vector<INPUT> entradasDaTecla(int tecla, bool soltar) {
  if (tecla < 1 || tecla > 254) return {};
  const auto codigo = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(tecla), MAPVK_VK_TO_VSC));
  DWORD sinais = soltar ? KEYEVENTF_KEYUP : 0;
  if (teclaEstendida(tecla)) sinais |= KEYEVENTF_EXTENDEDKEY;
  return {entradaTeclado(static_cast<WORD>(tecla), codigo, sinais)};
}

std::vector<INPUT> entradasDoCaractere(char32_t caractere) {
  std::vector<INPUT> entradas;
  switch (caractere) {
    case U'\n': case U'\r': anexarTecla(entradas, VK_RETURN); return entradas;
    case U'\t': anexarTecla(entradas, VK_TAB); return entradas;
    case U'\b': anexarTecla(entradas, VK_BACK); return entradas;
    case U'\x1b': anexarTecla(entradas, VK_ESCAPE); return entradas;
    default: break;
  }
  if (caractere > 0x10FFFF || (caractere >= 0xD800 && caractere <= 0xDFFF)) return entradas;
  if (caractere < 0x10000) {
    anexarUnidade(entradas, static_cast<char16_t>(caractere));
  } else {
    const char32_t resto = caractere - 0x10000;
    anexarUnidade(entradas, static_cast<char16_t>(0xD800 + (resto >> 10)));
    anexarUnidade(entradas, static_cast<char16_t>(0xDC00 + (resto & 0x3FF)));
  }
  return entradas;
}

std::vector<INPUT> entradasDoBotao(BotaoMouse botao, bool soltar) {
  DWORD sinais = 0;
  if (botao == BotaoMouse::Esquerdo) {
    sinais = soltar ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  } else {
    sinais = soltar ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
  }
  return {entradaMouse(sinais, 0)};
}

LONG coordenadaAbsoluta(int valor, int origem, int tamanho) {
  if (tamanho <= 0) return 0;
  const long long deslocamento = std::clamp<long long>(static_cast<long long>(valor) - origem, 0, tamanho - 1);
  // The system takes the pixel as floor(absoluta * tamanho / 65536).
  return static_cast<LONG>((deslocamento * 65536 + tamanho - 1) / tamanho);
}

std::vector<INPUT> entradasDoBotaoEm(BotaoMouse botao, bool soltar, PontoTela ponto, const RECT& telaVirtual) {
  std::vector<INPUT> entradas = entradasDoBotao(botao, soltar);
  INPUT& e = entradas.front();
  e.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  e.mi.dx = coordenadaAbsoluta(ponto.x, telaVirtual.left, telaVirtual.right - telaVirtual.left);
  e.mi.dy = coordenadaAbsoluta(ponto.y, telaVirtual.top, telaVirtual.bottom - telaVirtual.top);
  return entradas;
}

std::vector<INPUT> entradasDaRoda(int delta) {
  if (delta == 0) return {};
  return {entradaMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta))};
}

namespace {
// When input was last sent (GetTickCount64), 0 for never.
std::atomic<ULONGLONG> gUltimoEnvio{0};
}  // namespace

bool enviarEntradas(std::vector<INPUT> entradas) {
  if (entradas.empty()) return true;
  const UINT enviadas =
      SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
  gUltimoEnvio.store(GetTickCount64(), std::memory_order_relaxed);
  return enviadas == entradas.size();
}

void aguardarEntregaDasEntradas(int ms) {
  const ULONGLONG ultimo = gUltimoEnvio.load(std::memory_order_relaxed);
  if (ultimo == 0 || ms <= 0) return;
  // The thread's own messages are handled meanwhile: under Wine the input a
  // thread sent is only sure to be delivered while that thread still reads
  // its queue.
  const ULONGLONG prazo = ultimo + ULONGLONG(ms);
  while (true) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const ULONGLONG agora = GetTickCount64();
    if (agora >= prazo) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(prazo - agora), QS_ALLINPUT);
  }
}

}  // namespace mivo
