#include "unJanelaWin32.h"

#include <vector>

namespace mivo {

namespace {

// Titles longer than this are cut; no real title comes near it.
constexpr int kMaxTitulo = 32 * 1024;

// Raises the window without waiting for its thread.
void elevar(HWND hwnd) {
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
}

bool esperarPrimeiroPlano(HWND hwnd, int esperaMs) {
  const ULONGLONG limite = GetTickCount64() + static_cast<ULONGLONG>(esperaMs > 0 ? esperaMs : 0);
  while (GetForegroundWindow() != hwnd) {
    if (!IsWindow(hwnd) || GetTickCount64() >= limite) return false;
    Sleep(10);
  }
  return true;
}

bool definirPrimeiroPlanoAnexado(HWND hwnd) {
  const HWND frente = GetForegroundWindow();
  const DWORD threadFrente = frente ? GetWindowThreadProcessId(frente, nullptr) : 0;
  const DWORD esta = GetCurrentThreadId();
  const bool anexada = threadFrente != 0 && threadFrente != esta &&
                       AttachThreadInput(esta, threadFrente, TRUE);
  elevar(hwnd);
  const bool aceito = SetForegroundWindow(hwnd) != FALSE;
  if (anexada) AttachThreadInput(esta, threadFrente, FALSE);
  return aceito;
}

}  // namespace

HWND hwndDaJanela(JanelaId janela) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(janela));
}

JanelaId janelaDoHwnd(HWND hwnd) {
  return static_cast<JanelaId>(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::u16string tituloDoHwnd(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return {};
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const int n = InternalGetWindowText(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    if (n <= 0) return {};
    // A title that filled the buffer may have been cut: read it again larger.
    if (n < static_cast<int>(buffer.size()) - 1 || static_cast<int>(buffer.size()) >= kMaxTitulo) {
      return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                            static_cast<std::size_t>(n));
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool esperarJanela(HWND hwnd, int esperaMs) {
  // Messages sent to a thread are handled in order: once this one is, so is
  // every change handed over before it.
  DWORD_PTR resultado = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(esperaMs > 0 ? esperaMs : 0), &resultado) != 0;
}

void mostrarJanela(HWND hwnd, int comando) {
  ShowWindowAsync(hwnd, comando);
  esperarJanela(hwnd);
}

bool posicionarJanela(HWND hwnd, const RetanguloJanela& r) {
  const bool aceito = SetWindowPos(hwnd, nullptr, r.x, r.y, r.largura, r.altura,
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS) != FALSE;
  esperarJanela(hwnd);
  return aceito && IsWindow(hwnd);
}

bool trazerParaFrente(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return false;
  bool aceito = SetForegroundWindow(hwnd) != FALSE;
  if (!aceito) aceito = definirPrimeiroPlanoAnexado(hwnd);
  if (!aceito) return false;
  // A window that already was the foreground one may still lie under
  // another: raise it as well.
  elevar(hwnd);
  esperarJanela(hwnd);
  esperarPrimeiroPlano(hwnd, kEsperaJanelaMs);
  return IsWindow(hwnd) != FALSE;
}

}  // namespace mivo
