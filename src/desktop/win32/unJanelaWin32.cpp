#include "unJanelaWin32.h"

#include <vector>

namespace mivo {

namespace {

// Titles longer than this are cut; no real title comes near it.
constexpr int kMaxTitulo = 32 * 1024;

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
  BringWindowToTop(hwnd);
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

bool trazerParaFrente(HWND hwnd, int esperaMs) {
  if (!hwnd || !IsWindow(hwnd)) return false;
  bool aceito = SetForegroundWindow(hwnd) != FALSE;
  if (!aceito) aceito = definirPrimeiroPlanoAnexado(hwnd);
  if (!aceito) return false;
  // A window that already was the foreground one may still lie under
  // another: raise it as well. Asynchronous, so that a program that stopped
  // answering cannot block the caller.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
  // The window's own thread carries out the activation and the raising; a
  // message sent after them returns once they are done, or at the time limit
  // when the program is not answering.
  DWORD_PTR resultado = 0;
  SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(esperaMs),
                      &resultado);
  esperarPrimeiroPlano(hwnd, esperaMs);
  return IsWindow(hwnd) != FALSE;
}

}  // namespace mivo
