#include "unJanelaAlvo.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace mivo::teste {

namespace {

constexpr wchar_t kClasse[] = L"MivoJanelaAlvo";
constexpr int kIdEdicao = 100;
constexpr UINT kMsgOcupar = WM_APP + 1;

const wchar_t* largo(const std::u16string& texto) {
  return reinterpret_cast<const wchar_t*>(texto.c_str());
}

}  // namespace

struct JanelaAlvo::Estado {
  OpcoesJanelaAlvo opcoes;
  HBRUSH pincel = nullptr;
  HWND hwnd = nullptr;
  HWND edicao = nullptr;
  WNDPROC procEdicao = nullptr;
  std::thread thread;

  mutable std::mutex mutex;
  std::condition_variable pronta;
  bool criada = false;
  bool ocupada = false;
  std::vector<EventoMouse> eventos;

  void registrar(EventoMouse e) {
    std::lock_guard<std::mutex> trava(mutex);
    eventos.push_back(e);
  }

  // Records what the mouse did; true when `mensagem` was one of its messages.
  bool registrarMouse(UINT mensagem, WPARAM w, LPARAM l) {
    switch (mensagem) {
      case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        registrar({mensagem, POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))}, 0});
        return true;
      case WM_MOUSEWHEEL:
        registrar({mensagem, POINT{}, GET_WHEEL_DELTA_WPARAM(w)});
        return true;
      default:
        return false;
    }
  }

  static LRESULT CALLBACK procedimento(HWND hwnd, UINT mensagem, WPARAM w, LPARAM l) {
    if (mensagem == WM_NCCREATE) {
      auto* criacao = reinterpret_cast<CREATESTRUCTW*>(l);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(criacao->lpCreateParams));
    }
    auto* estado = reinterpret_cast<Estado*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!estado) return DefWindowProcW(hwnd, mensagem, w, l);
    switch (mensagem) {
      case WM_CREATE:
        estado->edicao = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"",
            WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 10, 10,
            hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdEdicao)), nullptr, nullptr);
        SetWindowLongPtrW(estado->edicao, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(estado));
        estado->procEdicao = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            estado->edicao, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedimentoEdicao)));
        return 0;
      case WM_SIZE: {
        const int largura = LOWORD(l);
        const int altura = HIWORD(l);
        MoveWindow(estado->edicao, 0, altura / 2, largura, altura - altura / 2, TRUE);
        return 0;
      }
      case WM_SETFOCUS:
        SetFocus(estado->edicao);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        r.bottom = r.bottom / 2;
        FillRect(dc, &r, estado->pincel);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case kMsgOcupar:
        {
          std::lock_guard<std::mutex> trava(estado->mutex);
          estado->ocupada = true;
        }
        estado->pronta.notify_all();
        Sleep(static_cast<DWORD>(w));
        {
          std::lock_guard<std::mutex> trava(estado->mutex);
          estado->ocupada = false;
        }
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        if (estado->registrarMouse(mensagem, w, l)) return 0;
        return DefWindowProcW(hwnd, mensagem, w, l);
    }
  }

  static LRESULT CALLBACK procedimentoEdicao(HWND hwnd, UINT mensagem, WPARAM w, LPARAM l) {
    auto* estado = reinterpret_cast<Estado*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (mensagem == WM_MOUSEWHEEL) estado->registrarMouse(mensagem, w, l);
    return CallWindowProcW(estado->procEdicao, hwnd, mensagem, w, l);
  }

  static void registrarClasse() {
    static std::once_flag feito;
    std::call_once(feito, [] {
      WNDCLASSEXW classe{};
      classe.cbSize = sizeof(classe);
      classe.lpfnWndProc = procedimento;
      classe.hInstance = GetModuleHandleW(nullptr);
      classe.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      classe.lpszClassName = kClasse;
      RegisterClassExW(&classe);
    });
  }

  void rodar() {
    registrarClasse();
    const RECT& r = opcoes.retangulo;
    HWND nova = CreateWindowExW(0, kClasse, largo(opcoes.titulo), WS_OVERLAPPEDWINDOW, r.left,
                                   r.top, r.right - r.left, r.bottom - r.top, opcoes.dono, nullptr,
                                   GetModuleHandleW(nullptr), this);
    if (nova && opcoes.visivel) {
      ShowWindow(nova, SW_SHOWNORMAL);
      UpdateWindow(nova);
    }
    {
      std::lock_guard<std::mutex> trava(mutex);
      hwnd = nova;
      criada = true;
    }
    pronta.notify_all();
    if (!nova) return;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
};

JanelaAlvo::JanelaAlvo(OpcoesJanelaAlvo opcoes) : gEstado(std::make_shared<Estado>()) {
  gEstado->opcoes = std::move(opcoes);
  gEstado->pincel = CreateSolidBrush(gEstado->opcoes.cor);
  gEstado->thread = std::thread([e = gEstado.get()] { e->rodar(); });
  std::unique_lock<std::mutex> trava(gEstado->mutex);
  gEstado->pronta.wait(trava, [this] { return gEstado->criada; });
}

JanelaAlvo::~JanelaAlvo() {
  fechar();
  DeleteObject(gEstado->pincel);
}

HWND JanelaAlvo::hwnd() const { return gEstado->hwnd; }
HWND JanelaAlvo::edicao() const { return gEstado->edicao; }
JanelaId JanelaAlvo::id() const {
  return static_cast<JanelaId>(reinterpret_cast<std::uintptr_t>(gEstado->hwnd));
}

PontoTela JanelaAlvo::centroPintado() const {
  RECT r{};
  GetClientRect(gEstado->hwnd, &r);
  POINT p{(r.right - r.left) / 2, (r.bottom - r.top) / 4};
  ClientToScreen(gEstado->hwnd, &p);
  return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

std::u16string JanelaAlvo::textoEdicao() const {
  if (!IsWindow(gEstado->edicao)) return {};
  wchar_t buffer[4096] = {};
  DWORD_PTR copiados = 0;
  if (!SendMessageTimeoutW(gEstado->edicao, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 2000, &copiados)) {
    return {};
  }
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), copiados);
}

void JanelaAlvo::limparEdicao() {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(gEstado->edicao, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""),
                      SMTO_ABORTIFHUNG, 2000, &r);
}

std::vector<EventoMouse> JanelaAlvo::eventosMouse() const {
  std::lock_guard<std::mutex> trava(gEstado->mutex);
  return gEstado->eventos;
}

void JanelaAlvo::limparEventos() {
  std::lock_guard<std::mutex> trava(gEstado->mutex);
  gEstado->eventos.clear();
}

void JanelaAlvo::ocupar(int ms) {
  PostMessageW(gEstado->hwnd, kMsgOcupar, static_cast<WPARAM>(ms), 0);
  std::unique_lock<std::mutex> trava(gEstado->mutex);
  gEstado->pronta.wait(trava, [this] { return gEstado->ocupada; });
}

void JanelaAlvo::fechar() {
  if (!gEstado->thread.joinable()) return;
  if (gEstado->hwnd && IsWindow(gEstado->hwnd)) PostMessageW(gEstado->hwnd, WM_CLOSE, 0, 0);
  gEstado->thread.join();
}

bool esperarAte(const std::function<bool()>& condicao, int ms) {
  const ULONGLONG limite = GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    if (condicao()) return true;
    if (GetTickCount64() >= limite) return false;
    Sleep(10);
  }
}

}  // namespace mivo::teste
