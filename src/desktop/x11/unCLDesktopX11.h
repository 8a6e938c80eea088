#pragma once
// CLDesktopX11: the desktop of an X display (Linux). Keyboard and mouse go
// through XTest, windows through the window manager's EWMH properties with
// plain-Xlib fallbacks, the clipboard through a thread that owns the
// selection. A broken connection turns every operation into a failure
// (false, empty, Nenhuma) instead of ending the process.

#include <memory>
#include <string>

#include "unCLDesktop.h"
#include "unSeguradas.h"

namespace mivo {

class CLConexaoX11;
class CLTecladoX11;
class CLJanelasX11;
class CLAreaTransferenciaX11;
class CLSocorroX11;

class CLDesktopX11 : public CLDesktop {
 public:
  // Null, with the reason in Portuguese, when the display (empty: $DISPLAY)
  // cannot be reached or lacks the XTEST extension. A second connection is
  // opened for the crash handler (see unSocorroX11.h).
  static std::unique_ptr<CLDesktopX11> criar(const std::string& nomeTela, std::u16string& erro);
  // Releases what it still holds.
  ~CLDesktopX11() override;

  void teclaPressionar(int tecla) override;
  void teclaSoltar(int tecla) override;
  int teclaDoCaractere(char32_t caractere) const override;
  int teclaEstado(int tecla) const override;
  // One XQueryKeymap and one XQueryPointer for all the codes.
  std::bitset<256> teclasPressionadas() const override;
  // The server's keyboard description (XKB) translates the key; nothing is
  // sent to any window, so no dead key of the user's is touched.
  TextoTecla teclaTexto(int tecla, char32_t acento, bool modificadores) const override;
  void caractereDigitar(char32_t caractere) override;
  std::vector<int> teclasSeguradas() const override { return gSeguradas.teclas(); }
  std::vector<BotaoMouse> botoesSegurados() const override { return gSeguradas.botoes(); }
  // Also gives back every keycode lent to a character the keyboard map
  // lacks, so that the user's keys type what they did before the run.
  void soltarTudo() override;
  PontoTela cursorPosicao() const override;
  void cursorPosicionar(PontoTela ponto) override;
  void botaoPressionar(BotaoMouse botao) override;
  void botaoSoltar(BotaoMouse botao) override;
  bool botoesTrocados() const override;
  void rodaGirar(int delta) override;
  TamanhoTela telaTamanho() const override;
  CorTela pixelCor(PontoTela ponto) const override;
  JanelaId janelaPrimeiroPlano() const override;
  std::vector<JanelaId> janelasEmOrdem() const override;
  std::u16string janelaTitulo(JanelaId janela) const override;
  RetanguloJanela janelaRetangulo(JanelaId janela) const override;
  bool janelaMinimizada(JanelaId janela) const override;
  bool janelaVisivel(JanelaId janela) const override;
  JanelaId janelaPai(JanelaId janela) const override;
  ProcessoId janelaProcesso(JanelaId janela) const override;
  bool janelaAtivar(JanelaId janela) override;
  bool janelaMover(JanelaId janela, const RetanguloJanela& retangulo) override;
  bool janelaMaximizar(JanelaId janela) override;
  std::vector<ProgramaEmExecucao> programasEmExecucao() const override;
  std::optional<std::u16string> areaTransferenciaTexto() override;
  bool areaTransferenciaDefinirTexto(const std::u16string& texto) override;
  bool areaTransferenciaDefinirImagem(const ImagemPixels& imagem) override;
  bool colagemEntregue() const override { return gColagemEntregue; }
  bool shellAbrir(const std::u16string& comando) override;
  void dormir(int ms) override;

  // True once the connection to the server broke.
  bool conexaoPerdida() const;

 private:
  CLDesktopX11(std::unique_ptr<CLConexaoX11> conexao, std::unique_ptr<CLSocorroX11> socorro);
  // Reads the events that reach the connection unasked (keyboard map
  // changes) and gives back lent keycodes idle for a while.
  void entreOperacoes() const;
  CLAreaTransferenciaX11* areaTransferencia();
  void botao(BotaoMouse botao, bool pressionado);
  void aguardarColagem(int tecla);
  void marcarColagem(bool definiu);

  std::unique_ptr<CLConexaoX11> gConexao;
  std::unique_ptr<CLSocorroX11> gSocorro;  // may be null; outlives the keyboard
  std::unique_ptr<CLTecladoX11> gTeclado;
  std::unique_ptr<CLJanelasX11> gJanelas;
  std::unique_ptr<CLAreaTransferenciaX11> gAreaTransferencia;
  bool gAreaTransferenciaFalhou = false;
  // Set when the clipboard got new content: the next key released (other
  // than a modifier) is taken as the paste, and waits until the pasting
  // program was handed the data (pasting is asynchronous on X).
  bool gColagemPendente = false;
  bool gColagemEntregue = true;
  long gEntregasAntes = 0;
  int gRestoRoda = 0;
  // Per physical button (left, right): was it down before our last press?
  bool gBotaoSeguradoAntes[2] = {false, false};
  CLSeguradas gSeguradas;
};

}  // namespace mivo
