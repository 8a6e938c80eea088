#pragma once
// CLDesktop: every operation a script performs on the desktop (keyboard and
// mouse injection, screen pixels, top-level windows, running programs, the
// clipboard and the shell). Declared with standard C++ types only, so that a
// backend builds without Qt. Coordinates are pixels of the primary screen,
// (0, 0) at its top-left corner; colours are R + 256·G + 65536·B; key codes
// are the Windows virtual-key numbers on every platform.

#include <cstdint>
#include <optional>
#include <string>
#include <bitset>
#include <vector>

namespace mivo {

// Mivo's key codes (the Windows virtual-key numbers) that the program itself
// names; scripts may use any other number.
namespace tecla {
constexpr int kBotaoEsquerdo = 1;  // key state only
constexpr int kBotaoDireito = 2;   // key state only
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kShift = 16;
constexpr int kCtrl = 17;
constexpr int kAlt = 18;
constexpr int kCapsLock = 20;
constexpr int kEsc = 27;
constexpr int kEspaco = 32;
constexpr int kEsquerda = 37;
constexpr int kCima = 38;
constexpr int kDireita = 39;
constexpr int kBaixo = 40;
constexpr int kF4 = 115;
constexpr int kF9 = 120;  // pauses a run (the workbench's hot key)
constexpr int kNumLock = 144;
}  // namespace tecla

// Bits of teclaEstado().
constexpr int kTeclaPressionada = 0x80;
constexpr int kTeclaLigada = 0x01;  // toggled on (Caps Lock lit, ...)

// teclaDoCaractere() for a character that no key of the layout produces.
constexpr int kSemTecla = -1;

struct PontoTela {
  int x = 0;
  int y = 0;
  friend bool operator==(const PontoTela&, const PontoTela&) = default;
};

struct TamanhoTela {
  int largura = 0;
  int altura = 0;
  friend bool operator==(const TamanhoTela&, const TamanhoTela&) = default;
};

struct RetanguloJanela {
  int x = 0;
  int y = 0;
  int largura = 0;
  int altura = 0;
  bool contem(PontoTela p) const {
    return p.x >= x && p.y >= y && p.x < x + largura && p.y < y + altura;
  }
  friend bool operator==(const RetanguloJanela&, const RetanguloJanela&) = default;
};

// R + 256·G + 65536·B.
using CorTela = std::uint32_t;
// The colour read outside the screen.
constexpr CorTela kCorInvalida = 0xFFFFFFFFu;
constexpr CorTela corRgb(int r, int g, int b) {
  return static_cast<CorTela>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

enum class BotaoMouse { Esquerdo, Direito };

// An opaque handle of a top-level window; only the backend that handed it
// out knows what it means.
enum class JanelaId : std::uint64_t { Nenhuma = 0 };

using ProcessoId = std::uint32_t;

struct ProgramaEmExecucao {
  std::u16string arquivo;  // the executable's file name, without folder
  ProcessoId processo = 0;
  friend bool operator==(const ProgramaEmExecucao&, const ProgramaEmExecucao&) = default;
};

// A picture for the clipboard: pixels 0xAARRGGBB, row by row from the top.
struct ImagemPixels {
  int largura = 0;
  int altura = 0;
  std::vector<std::uint32_t> pixels;  // largura * altura values
  friend bool operator==(const ImagemPixels&, const ImagemPixels&) = default;
};

// What a key types (CLDesktop::teclaTexto).
struct TextoTecla {
  // The characters typed; empty for a key that types none (Shift, F5, the
  // arrows, Enter) and for a dead key.
  std::u16string texto;
  // A dead key: the accent it leaves for the next key, as the character it
  // types before a blank (´ ` ~ ^ ¨ ¸, or ' and " for the acute and the
  // diaeresis on layouts that name them so); 0 for any other key.
  char32_t acento = 0;
  friend bool operator==(const TextoTecla&, const TextoTecla&) = default;
};

class CLDesktop {
 public:
  CLDesktop() = default;
  virtual ~CLDesktop();
  CLDesktop(const CLDesktop&) = delete;
  CLDesktop& operator=(const CLDesktop&) = delete;

  // --- Keyboard ------------------------------------------------------------
  // Injected into the system input stream: the foreground window gets them.
  virtual void teclaPressionar(int tecla) = 0;
  virtual void teclaSoltar(int tecla) = 0;
  // The key that types `caractere` on the active layout: the low byte is the
  // key code, the high byte the shift state it needs; kSemTecla when none.
  virtual int teclaDoCaractere(char32_t caractere) const = 0;
  // kTeclaPressionada while the key is down, kTeclaLigada while it is toggled on.
  virtual int teclaEstado(int tecla) const = 0;
  // Types exactly this character (capitals, shifted punctuation, accents,
  // emoji), whatever keys or input method the backend needs for it.
  virtual void caractereDigitar(char32_t caractere) = 0;
  // Which of the codes 1..254 (keys, and the buttons 1, 2 and 4) are down
  // now, in one look at the system: what polling every key at once (the
  // action recorder) reads. The default asks teclaEstado for each code;
  // backends where each question is a round trip answer all at once.
  virtual std::bitset<256> teclasPressionadas() const;
  // What pressing `tecla` types on the active layout. With `modificadores`,
  // under the keyboard's state now (Shift, Caps Lock, AltGr held or lit);
  // without, as the key pressed alone types it, the way teclaPressionar()
  // presses that code. `acento` is the accent a dead key left pending (0:
  // none): the answer is then the accented letter, the accent alone after a
  // blank, or the accent followed by the character when the two do not
  // combine. Asking changes nothing: no dead key of the user's is taken or
  // left behind. The base answers an empty text (a desktop that cannot tell).
  virtual TextoTecla teclaTexto(int tecla, char32_t acento, bool modificadores) const;

  // --- What Mivo holds down --------------------------------------------------
  // Every backend keeps track of the keys and buttons pressed through it
  // (teclaPressionar, botaoPressionar) and not released since, so that a run
  // that ends half-way (stopped, or ended by an error) leaves nothing held.
  // The keys held, by key code, in the order they went down.
  virtual std::vector<int> teclasSeguradas() const = 0;
  // The buttons held, in the order they went down.
  virtual std::vector<BotaoMouse> botoesSegurados() const = 0;
  // Releases all of them, the last pressed first; afterwards nothing is
  // held. Keys and buttons the user holds are left alone. A backend also
  // puts back what it lent for typing (X11's spare keycodes). Nothing
  // happens when the desktop can no longer be reached.
  virtual void soltarTudo() = 0;

  // --- Mouse -----------------------------------------------------------------
  virtual PontoTela cursorPosicao() const = 0;
  // Moves the pointer at once.
  virtual void cursorPosicionar(PontoTela ponto) = 0;
  // Physical buttons, acting where the pointer is.
  virtual void botaoPressionar(BotaoMouse botao) = 0;
  virtual void botaoSoltar(BotaoMouse botao) = 0;
  // True when the user swapped the buttons: the primary one is then the right one.
  virtual bool botoesTrocados() const = 0;
  // 120 is one notch; positive scrolls up.
  virtual void rodaGirar(int delta) = 0;

  // --- Screen --------------------------------------------------------------
  virtual TamanhoTela telaTamanho() const = 0;  // primary screen
  // kCorInvalida outside the screen.
  virtual CorTela pixelCor(PontoTela ponto) const = 0;

  // --- Windows -------------------------------------------------------------
  // Nenhuma when no window has the focus.
  virtual JanelaId janelaPrimeiroPlano() const = 0;
  // Every top-level window, visible or not, in desktop (Z) order, the
  // topmost first.
  virtual std::vector<JanelaId> janelasEmOrdem() const = 0;
  // The whole title; empty for Nenhuma or a window that no longer exists.
  virtual std::u16string janelaTitulo(JanelaId janela) const = 0;
  virtual RetanguloJanela janelaRetangulo(JanelaId janela) const = 0;
  virtual bool janelaMinimizada(JanelaId janela) const = 0;
  virtual bool janelaVisivel(JanelaId janela) const = 0;
  // The parent (or owner) window; Nenhuma for a parentless window.
  virtual JanelaId janelaPai(JanelaId janela) const = 0;
  virtual ProcessoId janelaProcesso(JanelaId janela) const = 0;
  // The executable's file name; by default looked up in programasEmExecucao().
  virtual std::u16string janelaExecutavel(JanelaId janela) const;
  // Restores the window when minimised, otherwise brings it to the front,
  // and gives it the focus. False when the system refuses.
  virtual bool janelaAtivar(JanelaId janela) = 0;
  // Moves and resizes the window and repaints it.
  virtual bool janelaMover(JanelaId janela, const RetanguloJanela& retangulo) = 0;
  virtual bool janelaMaximizar(JanelaId janela) = 0;
  // The first window, in desktop order, whose title equals `titulo` with
  // letter case ignored; Nenhuma when none.
  virtual JanelaId janelaPorTitulo(const std::u16string& titulo) const;
  // The first window, in desktop order, of the process that is visible and
  // has no parent; Nenhuma when none.
  virtual JanelaId janelaDoProcesso(ProcessoId processo) const;
  // The foreground window's title; empty when there is none.
  std::u16string janelaPrimeiroPlanoTitulo() const;

  // --- Programs ------------------------------------------------------------
  virtual std::vector<ProgramaEmExecucao> programasEmExecucao() const = 0;

  // --- Clipboard -------------------------------------------------------------
  // Empty optional when the clipboard cannot be opened (another program holds
  // it); an empty text when it holds no text.
  virtual std::optional<std::u16string> areaTransferenciaTexto() = 0;
  // False when the clipboard cannot be opened; the caller may try again.
  // Line breaks are given as CR LF; the backend puts them on the clipboard
  // as its platform writes them.
  virtual bool areaTransferenciaDefinirTexto(const std::u16string& texto) = 0;
  virtual bool areaTransferenciaDefinirImagem(const ImagemPixels& imagem) = 0;
  // Whether the last paste (the key that followed setting the clipboard) was
  // taken: some program read what Mivo put on the clipboard. Backends that
  // cannot tell answer true.
  virtual bool colagemEntregue() const { return true; }

  // --- Shell and time --------------------------------------------------------
  // Opens a program, document, folder or web address with what the system
  // associates with it, shown normally. False when the shell refuses.
  virtual bool shellAbrir(const std::u16string& comando) = 0;
  virtual void dormir(int ms) = 0;
};

}  // namespace mivo
