#pragma once
// CLDesktopWin32: the Windows desktop through user32, gdi32, kernel32 and
// shell32, in plain C++ (no Qt). Keys, characters, buttons and the wheel are
// injected with SendInput, so they reach the foreground window as a real
// keyboard's and mouse's would. A JanelaId is the window's HWND value.
// Operations on a window that has closed, even half-way, answer empty,
// false or Nenhuma; a window whose program stopped answering never makes
// them hang (changes to it are waited for within a time limit).

#include "unAreaTransferenciaWin32.h"
#include "unCLDesktop.h"
#include "unSeguradas.h"

namespace mivo {

class CLDesktopWin32 : public CLDesktop {
 public:
  explicit CLDesktopWin32(EsperaAreaTransferencia esperaAreaTransferencia = {});
  // Releases what it still holds.
  ~CLDesktopWin32() override;

  // --- Keyboard ------------------------------------------------------------
  void teclaPressionar(int tecla) override;
  void teclaSoltar(int tecla) override;
  // VkKeyScanW: low byte the key, high byte the shift state (1 Shift,
  // 2 Ctrl, 4 Alt); kSemTecla for a character no key of the layout types.
  int teclaDoCaractere(char32_t caractere) const override;
  int teclaEstado(int tecla) const override;
  // ToUnicodeEx with the layout of the foreground window's thread, asked not
  // to touch the keyboard state (flag 4, Windows 10 1607 and newer): a dead
  // key the user pressed stays pending, and none is left behind.
  TextoTecla teclaTexto(int tecla, char32_t acento, bool modificadores) const override;
  void caractereDigitar(char32_t caractere) override;
  std::vector<int> teclasSeguradas() const override { return gSeguradas.teclas(); }
  std::vector<BotaoMouse> botoesSegurados() const override { return gSeguradas.botoes(); }
  // Key and button releases sent with SendInput, the last pressed first.
  void soltarTudo() override;

  // --- Mouse -----------------------------------------------------------------
  PontoTela cursorPosicao() const override;
  void cursorPosicionar(PontoTela ponto) override;
  void botaoPressionar(BotaoMouse botao) override;
  void botaoSoltar(BotaoMouse botao) override;
  bool botoesTrocados() const override;
  void rodaGirar(int delta) override;

  // --- Screen --------------------------------------------------------------
  TamanhoTela telaTamanho() const override;
  CorTela pixelCor(PontoTela ponto) const override;

  // --- Windows -------------------------------------------------------------
  JanelaId janelaPrimeiroPlano() const override;
  std::vector<JanelaId> janelasEmOrdem() const override;
  std::u16string janelaTitulo(JanelaId janela) const override;
  RetanguloJanela janelaRetangulo(JanelaId janela) const override;
  bool janelaMinimizada(JanelaId janela) const override;
  bool janelaVisivel(JanelaId janela) const override;
  JanelaId janelaPai(JanelaId janela) const override;
  ProcessoId janelaProcesso(JanelaId janela) const override;
  bool janelaAtivar(JanelaId janela) override;
  // A maximised or minimised window is restored first, so that it takes the
  // rectangle it was given.
  bool janelaMover(JanelaId janela, const RetanguloJanela& retangulo) override;
  bool janelaMaximizar(JanelaId janela) override;
  // FindWindowW, which ignores letter case; when it finds nothing, the walk
  // of the base class with its own comparison.
  JanelaId janelaPorTitulo(const std::u16string& titulo) const override;

  // --- Programs, clipboard, shell, time ------------------------------------
  std::vector<ProgramaEmExecucao> programasEmExecucao() const override;
  std::optional<std::u16string> areaTransferenciaTexto() override;
  bool areaTransferenciaDefinirTexto(const std::u16string& texto) override;
  bool areaTransferenciaDefinirImagem(const ImagemPixels& imagem) override;
  // A command that is not a file of its own ("programa.exe arquivo.txt") is
  // opened as a program followed by its parameters.
  bool shellAbrir(const std::u16string& comando) override;
  void dormir(int ms) override;

 private:
  // Sends a button's event, at the point the pointer was placed at when
  // that was a moment ago, otherwise where the pointer is.
  void enviarBotao(BotaoMouse botao, bool soltar);

  AreaTransferenciaWin32 gAreaTransferencia;
  CLSeguradas gSeguradas;
  PontoTela gPosicaoPosta{};
  unsigned long long gPostaEm = 0;  // GetTickCount64 of the last placing, 0 for never
};

}  // namespace mivo
