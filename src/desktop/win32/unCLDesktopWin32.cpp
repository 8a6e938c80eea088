#include "unCLDesktopWin32.h"

#include <windows.h>

#include "unAcentos.h"
#include "unEntradaWin32.h"
#include "unJanelaWin32.h"
#include "unProgramaWin32.h"

namespace mivo {

namespace {

// The screen's device context for the lifetime of the object.
class TelaDc {
 public:
  TelaDc() : gDc(GetDC(nullptr)) {}
  ~TelaDc() {
    if (gDc) ReleaseDC(nullptr, gDc);
  }
  TelaDc(const TelaDc&) = delete;
  TelaDc& operator=(const TelaDc&) = delete;
  HDC get() const { return gDc; }

 private:
  HDC gDc;
};

// The window behind an id, or null when it no longer exists.
HWND janelaViva(JanelaId janela) {
  HWND hwnd = hwndDaJanela(janela);
  return hwnd && IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL CALLBACK anexarJanela(HWND hwnd, LPARAM lista) {
  auto* janelas = reinterpret_cast<std::vector<JanelaId>*>(lista);
  janelas->push_back(janelaDoHwnd(hwnd));
  return TRUE;
}

}  // namespace

CLDesktopWin32::CLDesktopWin32(EsperaAreaTransferencia esperaAreaTransferencia)
    : gAreaTransferencia(esperaAreaTransferencia) {}

CLDesktopWin32::~CLDesktopWin32() {
  soltarTudo();
  aguardarEntregaDasEntradas(300);
}

// --- Keyboard ----------------------------------------------------------------

void CLDesktopWin32::teclaPressionar(int tecla) {
  const std::vector<INPUT> entradas = entradasDaTecla(tecla, false);
  if (!entradas.empty()) gSeguradas.tecla(tecla, true);
  enviarEntradas(entradas);
}

void CLDesktopWin32::teclaSoltar(int tecla) {
  enviarEntradas(entradasDaTecla(tecla, true));
  gSeguradas.tecla(tecla, false);
}

void CLDesktopWin32::soltarTudo() {
  // One SendInput call: nothing the user does can come in between.
  std::vector<INPUT> entradas;
  const std::vector<CLSeguradas::Item>& itens = gSeguradas.itens();
  for (auto i = itens.rbegin(); i != itens.rend(); ++i) {
    const std::vector<INPUT> soltar = i->botao ? entradasDoBotao(i->qual, true) : entradasDaTecla(i->tecla, true);
    entradas.insert(entradas.end(), soltar.begin(), soltar.end());
  }
  gSeguradas.limpar();
  enviarEntradas(std::move(entradas));
}

int CLDesktopWin32::teclaDoCaractere(char32_t caractere) const {
  if (caractere == 0 || caractere > 0xFFFF || (caractere >= 0xD800 && caractere <= 0xDFFF)) {
    return kSemTecla;
  }
  const SHORT tecla = VkKeyScanW(static_cast<WCHAR>(caractere));
  if (tecla == -1) return kSemTecla;
  return static_cast<int>(static_cast<unsigned short>(tecla));
}

int CLDesktopWin32::teclaEstado(int tecla) const {
  if (tecla < 1 || tecla > 254) return 0;
  // GetKeyState alone follows only the input this thread has read from its
  // own queue, and misses keys pressed while another program has the focus;
  // whether a key is down is asked of the system, the toggle of the thread.
  int estado = 0;
  if (GetAsyncKeyState(tecla) & 0x8000) estado |= kTeclaPressionada;
  if (GetKeyState(tecla) & 0x0001) estado |= kTeclaLigada;
  return estado;
}

TextoTecla CLDesktopWin32::teclaTexto(int tecla, char32_t acento, bool modificadores) const {
  if (tecla < 1 || tecla > 254 || tecla == VK_LBUTTON || tecla == VK_RBUTTON || tecla == VK_MBUTTON) return {};
  // The layout of the program the user types into.
  const HWND frente = GetForegroundWindow();
  const HKL layout = GetKeyboardLayout(frente ? GetWindowThreadProcessId(frente, nullptr) : 0);
  BYTE estado[256] = {};
  if (modificadores) {
    auto segura = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
    if (segura(VK_SHIFT)) estado[VK_SHIFT] = 0x80;
    if (GetKeyState(VK_CAPITAL) & 0x0001) estado[VK_CAPITAL] = 0x01;
    // AltGr reaches the layout as Ctrl+Alt; Ctrl or Alt alone make commands,
    // not characters, and are left out.
    if (segura(VK_RMENU) && segura(VK_CONTROL)) {
      estado[VK_CONTROL] = estado[VK_LCONTROL] = 0x80;
      estado[VK_MENU] = estado[VK_RMENU] = 0x80;
    }
  }
  // Num Lock stays as it is: pressing the key alone types under it too.
  if (GetKeyState(VK_NUMLOCK) & 0x0001) estado[VK_NUMLOCK] = 0x01;
  const UINT varredura = MapVirtualKeyExW(static_cast<UINT>(tecla), MAPVK_VK_TO_VSC, layout);
  WCHAR buffer[8] = {};
  constexpr UINT kSemMudarEstado = 0x4;
  const int n = ToUnicodeEx(static_cast<UINT>(tecla), varredura, estado, buffer, 8, kSemMudarEstado, layout);
  TextoTecla r;
  if (n < 0) {
    // A dead key: the buffer holds its accent as a spacing character.
    r.acento = buffer[0];
  } else {
    for (int i = 0; i < n && i < 8; ++i) {
      if (buffer[i] < 0x20 || buffer[i] == 0x7F) return {};  // Enter, Tab, Backspace, Ctrl+letter
      r.texto.push_back(static_cast<char16_t>(buffer[i]));
    }
  }
  return aplicarAcento(acento, r);
}

void CLDesktopWin32::caractereDigitar(char32_t caractere) {
  enviarEntradas(entradasDoCaractere(caractere));
}

// --- Mouse ---------------------------------------------------------------------

PontoTela CLDesktopWin32::cursorPosicao() const {
  POINT p{};
  if (!GetCursorPos(&p)) return {};
  return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

void CLDesktopWin32::cursorPosicionar(PontoTela ponto) {
  SetCursorPos(ponto.x, ponto.y);
  gPosicaoPosta = ponto;
  gPostaEm = GetTickCount64();
}

void CLDesktopWin32::enviarBotao(BotaoMouse botao, bool soltar) {
  // A press right after the pointer was placed goes to that point, carried
  // by the event itself. Placing the pointer and pressing are two steps,
  // and what the system says of the pointer in between may be out of date:
  // under Wine a late motion of the X pointer was seen putting it back
  // where it had been, and the click landed there.
  constexpr ULONGLONG kPosicaoRecenteMs = 2000;
  if (gPostaEm == 0 || GetTickCount64() - gPostaEm > kPosicaoRecenteMs) {
    enviarEntradas(entradasDoBotao(botao, soltar));
    return;
  }
  const RECT tela{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  enviarEntradas(entradasDoBotaoEm(botao, soltar, gPosicaoPosta, tela));
}

void CLDesktopWin32::botaoPressionar(BotaoMouse botao) {
  gSeguradas.botao(botao, true);
  enviarBotao(botao, false);
}

void CLDesktopWin32::botaoSoltar(BotaoMouse botao) {
  enviarBotao(botao, true);
  gSeguradas.botao(botao, false);
}

bool CLDesktopWin32::botoesTrocados() const { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }

void CLDesktopWin32::rodaGirar(int delta) { enviarEntradas(entradasDaRoda(delta)); }

// --- Screen --------------------------------------------------------------------

TamanhoTela CLDesktopWin32::telaTamanho() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

CorTela CLDesktopWin32::pixelCor(PontoTela ponto) const {
  const TamanhoTela tela = telaTamanho();
  if (ponto.x < 0 || ponto.y < 0 || ponto.x >= tela.largura || ponto.y >= tela.altura) {
    return kCorInvalida;
  }
  TelaDc dc;
  if (!dc.get()) return kCorInvalida;
  // COLORREF is 0x00BBGGRR: R + 256·G + 65536·B already; CLR_INVALID is
  // kCorInvalida.
  return static_cast<CorTela>(GetPixel(dc.get(), ponto.x, ponto.y));
}

// --- Windows -------------------------------------------------------------------

JanelaId CLDesktopWin32::janelaPrimeiroPlano() const { return janelaDoHwnd(GetForegroundWindow()); }

std::vector<JanelaId> CLDesktopWin32::janelasEmOrdem() const {
  // EnumWindows takes the list in one go, topmost first; a walk with
  // GetWindow(GW_HWNDNEXT) would stop short when a window closes under it.
  std::vector<JanelaId> janelas;
  EnumWindows(anexarJanela, reinterpret_cast<LPARAM>(&janelas));
  return janelas;
}

std::u16string CLDesktopWin32::janelaTitulo(JanelaId janela) const {
  return tituloDoHwnd(janelaViva(janela));
}

RetanguloJanela CLDesktopWin32::janelaRetangulo(JanelaId janela) const {
  HWND hwnd = janelaViva(janela);
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r)) return {};
  return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
          static_cast<int>(r.bottom - r.top)};
}

bool CLDesktopWin32::janelaMinimizada(JanelaId janela) const {
  HWND hwnd = janelaViva(janela);
  return hwnd && IsIconic(hwnd);
}

bool CLDesktopWin32::janelaVisivel(JanelaId janela) const {
  HWND hwnd = janelaViva(janela);
  return hwnd && IsWindowVisible(hwnd);
}

JanelaId CLDesktopWin32::janelaPai(JanelaId janela) const {
  HWND hwnd = janelaViva(janela);
  if (!hwnd) return JanelaId::Nenhuma;
  HWND pai = GetWindow(hwnd, GW_OWNER);
  if (!pai) pai = GetParent(hwnd);
  if (pai == GetDesktopWindow()) pai = nullptr;
  return janelaDoHwnd(pai);
}

ProcessoId CLDesktopWin32::janelaProcesso(JanelaId janela) const {
  HWND hwnd = janelaViva(janela);
  DWORD processo = 0;
  if (hwnd) GetWindowThreadProcessId(hwnd, &processo);
  return processo;
}

bool CLDesktopWin32::janelaAtivar(JanelaId janela) {
  HWND hwnd = janelaViva(janela);
  if (!hwnd) return false;
  if (IsIconic(hwnd)) mostrarJanela(hwnd, SW_RESTORE);
  return trazerParaFrente(hwnd);
}

bool CLDesktopWin32::janelaMover(JanelaId janela, const RetanguloJanela& r) {
  HWND hwnd = janelaViva(janela);
  if (!hwnd) return false;
  if (IsIconic(hwnd) || IsZoomed(hwnd)) mostrarJanela(hwnd, SW_RESTORE);
  return posicionarJanela(hwnd, r);
}

bool CLDesktopWin32::janelaMaximizar(JanelaId janela) {
  HWND hwnd = janelaViva(janela);
  if (!hwnd) return false;
  mostrarJanela(hwnd, SW_MAXIMIZE);
  return IsWindow(hwnd) && IsZoomed(hwnd);
}

JanelaId CLDesktopWin32::janelaPorTitulo(const std::u16string& titulo) const {
  if (HWND hwnd = FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(titulo.c_str()))) {
    return janelaDoHwnd(hwnd);
  }
  return CLDesktop::janelaPorTitulo(titulo);
}

// --- Programs, clipboard, shell, time ----------------------------------------

std::vector<ProgramaEmExecucao> CLDesktopWin32::programasEmExecucao() const {
  return listarProgramas();
}

std::optional<std::u16string> CLDesktopWin32::areaTransferenciaTexto() {
  return gAreaTransferencia.texto();
}

bool CLDesktopWin32::areaTransferenciaDefinirTexto(const std::u16string& texto) {
  return gAreaTransferencia.definirTexto(texto);
}

bool CLDesktopWin32::areaTransferenciaDefinirImagem(const ImagemPixels& imagem) {
  return gAreaTransferencia.definirImagem(imagem);
}

bool CLDesktopWin32::shellAbrir(const std::u16string& comando) {
  const auto dividido = dividirComando(comando);
  if (!dividido) return false;
  // An unquoted path with blanks ("C:\Meus arquivos\lista.txt") is tried
  // whole first.
  if (comando.find(u'"') == std::u16string::npos && !dividido->parametros.empty()) {
    const auto inicio = comando.find_first_not_of(u" \t\r\n");
    const auto fim = comando.find_last_not_of(u" \t\r\n");
    if (abrirNoShell(comando.substr(inicio, fim - inicio + 1), {})) return true;
  }
  return abrirNoShell(dividido->arquivo, dividido->parametros);
}

void CLDesktopWin32::dormir(int ms) {
  if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

}  // namespace mivo
