#include "unCLDesktopX11.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <bit>
#include <chrono>
#include <thread>

#include "unAbrirLinux.h"
#include "unAreaTransferenciaX11.h"
#include "unConexaoX11.h"
#include "unJanelasX11.h"
#include "unProcessosLinux.h"
#include "unSocorroX11.h"
#include "unTecladoX11.h"
#include "unTextoDesktop.h"

namespace mivo {

namespace {

constexpr int kRodaCima = 4;
constexpr int kRodaBaixo = 5;
constexpr int kNotch = 120;
// How long a paste may take to ask for the clipboard's data. Going on sooner
// lets the next statement change the clipboard before a slow program has
// read it, and the wrong text would be pasted.
constexpr int kLimiteColagemMs = 1000;
// How long a click may be held by a window manager's grab. A busy manager
// (one that is reloading its key grabs after the keyboard mapping changed,
// on a loaded machine) may take a few hundred milliseconds.
constexpr int kLimiteCliqueMs = 2000;

bool ehModificador(int tecla) {
  return tecla == tecla::kShift || tecla == tecla::kCtrl || tecla == tecla::kAlt || (tecla >= 160 && tecla <= 165) ||
         tecla == 91 || tecla == 92;
}

Window janelaX(JanelaId janela) { return static_cast<Window>(janela); }
JanelaId idDe(Window janela) { return static_cast<JanelaId>(janela); }

// One colour channel of a TrueColor pixel, scaled to 0..255.
int canal(unsigned long pixel, unsigned long mascara) {
  if (mascara == 0) return 0;
  const int deslocamento = std::countr_zero(mascara);
  const unsigned long maximo = mascara >> deslocamento;
  return static_cast<int>(((pixel & mascara) >> deslocamento) * 255 / maximo);
}

}  // namespace

std::unique_ptr<CLDesktopX11> CLDesktopX11::criar(const std::string& nomeTela, std::u16string& erro) {
  auto conexao = CLConexaoX11::abrir(nomeTela, erro);
  if (!conexao) return nullptr;
  int evento = 0, erroBase = 0, maior = 0, menor = 0;
  if (!XTestQueryExtension(conexao->tela(), &evento, &erroBase, &maior, &menor)) {
    erro = u"A tela X \"" + utf16DeUtf8(conexao->nome()) +
           u"\" não oferece a extensão XTEST, necessária para o teclado e o mouse";
    return nullptr;
  }
  auto socorro = CLSocorroX11::criar(conexao->nome());
  return std::unique_ptr<CLDesktopX11>(new CLDesktopX11(std::move(conexao), std::move(socorro)));
}

CLDesktopX11::CLDesktopX11(std::unique_ptr<CLConexaoX11> conexao, std::unique_ptr<CLSocorroX11> socorro)
    : gConexao(std::move(conexao)),
      gSocorro(std::move(socorro)),
      gTeclado(std::make_unique<CLTecladoX11>(*gConexao, gSocorro.get())),
      gJanelas(std::make_unique<CLJanelasX11>(*gConexao)) {}

// Then the members go in reverse order: the clipboard thread, the keyboard
// (which gives back lent keycodes), the crash rescue, the connection.
CLDesktopX11::~CLDesktopX11() { soltarTudo(); }

bool CLDesktopX11::conexaoPerdida() const { return gConexao->morta(); }

void CLDesktopX11::entreOperacoes() const {
  Display* d = gConexao->tela();
  while (!gConexao->morta() && XPending(d) > 0) {
    XEvent evento;
    XNextEvent(d, &evento);
    if (evento.type == MappingNotify) {
      XRefreshKeyboardMapping(&evento.xmapping);
      if (evento.xmapping.request == MappingKeyboard) {
        gTeclado->mapaMudou(evento.xmapping.first_keycode, evento.xmapping.count);
      }
    }
  }
  gTeclado->restaurarOciosas();
}

// --- Keyboard ----------------------------------------------------------------

void CLDesktopX11::teclaPressionar(int tecla) {
  entreOperacoes();
  if (gTeclado->pressionar(tecla)) gSeguradas.tecla(tecla, true);
}

void CLDesktopX11::teclaSoltar(int tecla) {
  entreOperacoes();
  gTeclado->soltar(tecla);
  gSeguradas.tecla(tecla, false);
  aguardarColagem(tecla);
}

void CLDesktopX11::soltarTudo() {
  if (!gSeguradas.vazio()) {
    const std::vector<CLSeguradas::Item> itens = gSeguradas.itens();
    gSeguradas.limpar();
    if (gConexao->morta()) return;
    for (auto i = itens.rbegin(); i != itens.rend(); ++i) {
      if (i->botao)
        botao(i->qual, false);
      else
        gTeclado->soltar(i->tecla);
    }
    XSync(gConexao->tela(), False);
  }
  // The keycodes lent to characters go back now, not at the next operation
  // (a workbench may stay idle for hours): until then the user's own keys
  // would type those characters.
  gTeclado->restaurarEmprestadas();
}

void CLDesktopX11::aguardarColagem(int tecla) {
  if (!gColagemPendente || ehModificador(tecla)) return;
  gColagemPendente = false;
  gColagemEntregue = false;
  if (gAreaTransferencia && !gConexao->morta()) {
    XSync(gConexao->tela(), False);
    gColagemEntregue = gAreaTransferencia->aguardarEntrega(gEntregasAntes, kLimiteColagemMs);
  }
}

void CLDesktopX11::marcarColagem(bool definiu) {
  gColagemPendente = definiu;
  if (definiu) gEntregasAntes = gAreaTransferencia->entregas();
}

int CLDesktopX11::teclaDoCaractere(char32_t caractere) const {
  entreOperacoes();
  return gTeclado->teclaDoCaractere(caractere);
}

int CLDesktopX11::teclaEstado(int tecla) const {
  entreOperacoes();
  return gTeclado->estado(tecla);
}

std::bitset<256> CLDesktopX11::teclasPressionadas() const {
  entreOperacoes();
  return gTeclado->estadoDeTodas();
}

TextoTecla CLDesktopX11::teclaTexto(int tecla, char32_t acento, bool modificadores) const {
  entreOperacoes();
  return gTeclado->texto(tecla, acento, modificadores);
}

void CLDesktopX11::caractereDigitar(char32_t caractere) {
  entreOperacoes();
  gTeclado->digitar(caractere);
}

// --- Mouse -------------------------------------------------------------------

PontoTela CLDesktopX11::cursorPosicao() const {
  if (gConexao->morta()) return {};
  Window raiz = None, filho = None;
  int x = 0, y = 0, wx = 0, wy = 0;
  unsigned int mascara = 0;
  XQueryPointer(gConexao->tela(), gConexao->raiz(), &raiz, &filho, &x, &y, &wx, &wy, &mascara);
  return gConexao->morta() ? PontoTela{} : PontoTela{x, y};
}

void CLDesktopX11::cursorPosicionar(PontoTela ponto) {
  if (gConexao->morta()) return;
  Display* d = gConexao->tela();
  XTestFakeMotionEvent(d, DefaultScreen(d), ponto.x, ponto.y, CurrentTime);
  XFlush(d);
}

void CLDesktopX11::botao(BotaoMouse botao, bool pressionado) {
  if (gConexao->morta()) return;
  // Physical buttons: the server applies the pointer mapping (swapped buttons).
  const unsigned int numero = botao == BotaoMouse::Esquerdo ? 1 : 3;
  Display* d = gConexao->tela();
  unsigned char mapa[32] = {};
  const int n = XGetPointerMapping(d, mapa, 32);
  const unsigned int logico = numero <= static_cast<unsigned int>(n) ? mapa[numero - 1] : numero;
  const unsigned int mascara = logico >= 1 && logico <= 5 ? Button1Mask << (logico - 1) : 0;
  auto estado = [&] {
    Window raiz = None, filho = None;
    int x, y, wx, wy;
    unsigned int e = 0;
    XQueryPointer(d, gConexao->raiz(), &raiz, &filho, &x, &y, &wx, &wy, &e);
    return e;
  };
  bool& seguradoAntes = gBotaoSeguradoAntes[numero == 1 ? 0 : 1];
  if (pressionado) seguradoAntes = mascara != 0 && (estado() & mascara) != 0;
  gSeguradas.botao(botao, pressionado);
  if (gSocorro && pressionado) gSocorro->marcarBotao(numero, true);
  XTestFakeButtonEvent(d, numero, pressionado ? True : False, CurrentTime);
  if (gSocorro && !pressionado) gSocorro->marcarBotao(numero, false);
  // A window manager that grabs clicks (to focus on click) holds the
  // pointer's events until it has seen this one, while keys go on: keys
  // sent next would overtake the click. Wait until the button shows the
  // new state, which it does once the click is through. (A button the user
  // was already holding stays down after our release: no wait then.)
  if (mascara == 0 || (!pressionado && seguradoAntes)) {
    XFlush(d);
    return;
  }
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimiteCliqueMs);
  while (!gConexao->morta() && std::chrono::steady_clock::now() < fim) {
    if (((estado() & mascara) != 0) == pressionado) break;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

void CLDesktopX11::botaoPressionar(BotaoMouse b) { botao(b, true); }
void CLDesktopX11::botaoSoltar(BotaoMouse b) { botao(b, false); }

bool CLDesktopX11::botoesTrocados() const {
  if (gConexao->morta()) return false;
  unsigned char mapa[32] = {};
  const int n = XGetPointerMapping(gConexao->tela(), mapa, 32);
  return !gConexao->morta() && n >= 3 && mapa[0] == 3;
}

void CLDesktopX11::rodaGirar(int delta) {
  if (gConexao->morta()) return;
  // One click of buttons 4 (up) or 5 (down) per notch; a rest below a notch
  // is kept for the next turn, as programs on Windows add them up.
  gRestoRoda += delta;
  const int cliques = gRestoRoda / kNotch;
  gRestoRoda -= cliques * kNotch;
  const unsigned int numero = cliques > 0 ? kRodaCima : kRodaBaixo;
  for (int i = 0; i < std::abs(cliques); ++i) {
    XTestFakeButtonEvent(gConexao->tela(), numero, True, CurrentTime);
    XTestFakeButtonEvent(gConexao->tela(), numero, False, CurrentTime);
  }
  XFlush(gConexao->tela());
}

// --- Screen ------------------------------------------------------------------

TamanhoTela CLDesktopX11::telaTamanho() const {
  if (gConexao->morta()) return {};
  Display* d = gConexao->tela();
  return {DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

CorTela CLDesktopX11::pixelCor(PontoTela ponto) const {
  const TamanhoTela tela = telaTamanho();
  if (!RetanguloJanela{0, 0, tela.largura, tela.altura}.contem(ponto)) return kCorInvalida;
  Display* d = gConexao->tela();
  gConexao->marcarErros();
  XImage* imagem = XGetImage(d, gConexao->raiz(), ponto.x, ponto.y, 1, 1, AllPlanes, ZPixmap);
  gConexao->erroDesdeMarca();
  if (!imagem) return kCorInvalida;
  const unsigned long pixel = XGetPixel(imagem, 0, 0);
  XDestroyImage(imagem);
  Visual* visual = DefaultVisual(d, DefaultScreen(d));
  if (visual->c_class == TrueColor || visual->c_class == DirectColor) {
    return corRgb(canal(pixel, visual->red_mask), canal(pixel, visual->green_mask), canal(pixel, visual->blue_mask));
  }
  XColor cor{};
  cor.pixel = pixel;
  XQueryColor(d, DefaultColormap(d, DefaultScreen(d)), &cor);
  return gConexao->morta() ? kCorInvalida : corRgb(cor.red >> 8, cor.green >> 8, cor.blue >> 8);
}

// --- Windows -----------------------------------------------------------------

JanelaId CLDesktopX11::janelaPrimeiroPlano() const { return idDe(gJanelas->primeiroPlano()); }

std::vector<JanelaId> CLDesktopX11::janelasEmOrdem() const {
  std::vector<JanelaId> ids;
  for (Window w : gJanelas->emOrdem()) ids.push_back(idDe(w));
  return ids;
}

std::u16string CLDesktopX11::janelaTitulo(JanelaId janela) const { return gJanelas->titulo(janelaX(janela)); }

RetanguloJanela CLDesktopX11::janelaRetangulo(JanelaId janela) const {
  return gJanelas->retangulo(janelaX(janela));
}

bool CLDesktopX11::janelaMinimizada(JanelaId janela) const { return gJanelas->minimizada(janelaX(janela)); }

bool CLDesktopX11::janelaVisivel(JanelaId janela) const { return gJanelas->visivel(janelaX(janela)); }

JanelaId CLDesktopX11::janelaPai(JanelaId janela) const { return idDe(gJanelas->pai(janelaX(janela))); }

ProcessoId CLDesktopX11::janelaProcesso(JanelaId janela) const { return gJanelas->processo(janelaX(janela)); }

bool CLDesktopX11::janelaAtivar(JanelaId janela) {
  entreOperacoes();
  return gJanelas->ativar(janelaX(janela));
}

bool CLDesktopX11::janelaMover(JanelaId janela, const RetanguloJanela& retangulo) {
  return gJanelas->mover(janelaX(janela), retangulo);
}

bool CLDesktopX11::janelaMaximizar(JanelaId janela) { return gJanelas->maximizar(janelaX(janela)); }

// --- Programs, clipboard, shell, time ------------------------------------------

std::vector<ProgramaEmExecucao> CLDesktopX11::programasEmExecucao() const { return listarProgramasLinux(); }

CLAreaTransferenciaX11* CLDesktopX11::areaTransferencia() {
  if (!gAreaTransferencia && !gAreaTransferenciaFalhou && !gConexao->morta()) {
    gAreaTransferencia = CLAreaTransferenciaX11::criar(gConexao->nome());
    gAreaTransferenciaFalhou = !gAreaTransferencia;
  }
  return gAreaTransferencia.get();
}

std::optional<std::u16string> CLDesktopX11::areaTransferenciaTexto() {
  CLAreaTransferenciaX11* area = areaTransferencia();
  return area ? area->texto() : std::nullopt;
}

bool CLDesktopX11::areaTransferenciaDefinirTexto(const std::u16string& texto) {
  CLAreaTransferenciaX11* area = areaTransferencia();
  // Linux programs break lines with LF alone.
  std::u16string comLf;
  comLf.reserve(texto.size());
  for (size_t i = 0; i < texto.size(); ++i)
    if (!(texto[i] == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')) comLf += texto[i];
  const bool definiu = area && area->definirTexto(comLf);
  if (area) marcarColagem(definiu);
  return definiu;
}

bool CLDesktopX11::areaTransferenciaDefinirImagem(const ImagemPixels& imagem) {
  CLAreaTransferenciaX11* area = areaTransferencia();
  const bool definiu = area && area->definirImagem(imagem);
  if (area) marcarColagem(definiu);
  return definiu;
}

bool CLDesktopX11::shellAbrir(const std::u16string& comando) { return abrirNoShellLinux(utf8DeUtf16(comando)); }

void CLDesktopX11::dormir(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  entreOperacoes();
}

}  // namespace mivo
