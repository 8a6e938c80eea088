#pragma once
// CLDesktopSimulado: a desktop that exists only in memory, for tests and for
// `mivo-run --simular`. It starts from a scenario (screen, cursor, windows,
// colours, clipboard, programs), reacts the way a desktop does where scripts
// depend on it (activation brings a window to the front with the focus and
// restores it; the pixel under the cursor follows the cursor) and records
// every action a script performs, each with a printable line.

#include <array>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "unAcaoSimulada.h"
#include "unCLDesktop.h"
#include "unEstadoSimulado.h"
#include "unSeguradas.h"

namespace mivo {

class CLDesktopSimulado : public CLDesktop {
 public:
  CLDesktopSimulado();
  explicit CLDesktopSimulado(const CenarioSimulado& cenario);

  // --- CLDesktop -----------------------------------------------------------
  void teclaPressionar(int tecla) override;
  void teclaSoltar(int tecla) override;
  // The United States layout: capitals and shifted punctuation carry the
  // Shift bit (0x100); accented letters have no key.
  int teclaDoCaractere(char32_t caractere) const override;
  int teclaEstado(int tecla) const override;
  // The United States layout (Shift and Caps Lock as held and lit through
  // setTeclaEstado); with setTeclasMortas(true), its international variant,
  // where ' " ` ~ and Shift+6 are dead keys.
  TextoTecla teclaTexto(int tecla, char32_t acento, bool modificadores) const override;
  void caractereDigitar(char32_t caractere) override;
  std::vector<int> teclasSeguradas() const override { return gSeguradas.teclas(); }
  std::vector<BotaoMouse> botoesSegurados() const override { return gSeguradas.botoes(); }
  // Recorded as the releases they are ("Desktop: tecla 17 cima").
  void soltarTudo() override;
  PontoTela cursorPosicao() const override { return gCursor; }
  // The pointer stops at the screen's edges, as a real one does.
  void cursorPosicionar(PontoTela ponto) override;
  void botaoPressionar(BotaoMouse botao) override;
  void botaoSoltar(BotaoMouse botao) override;
  bool botoesTrocados() const override { return gBotoesTrocados; }
  void rodaGirar(int delta) override;
  TamanhoTela telaTamanho() const override { return gTela; }
  CorTela pixelCor(PontoTela ponto) const override;
  JanelaId janelaPrimeiroPlano() const override { return gPrimeiroPlano; }
  std::vector<JanelaId> janelasEmOrdem() const override;
  std::u16string janelaTitulo(JanelaId janela) const override;
  RetanguloJanela janelaRetangulo(JanelaId janela) const override;
  bool janelaMinimizada(JanelaId janela) const override;
  bool janelaVisivel(JanelaId janela) const override;
  JanelaId janelaPai(JanelaId janela) const override;
  ProcessoId janelaProcesso(JanelaId janela) const override;
  bool janelaAtivar(JanelaId janela) override;
  bool janelaMover(JanelaId janela, const RetanguloJanela& retangulo) override;
  // Fills the screen; the focus stays where it was.
  bool janelaMaximizar(JanelaId janela) override;
  std::vector<ProgramaEmExecucao> programasEmExecucao() const override { return gProgramas; }
  std::optional<std::u16string> areaTransferenciaTexto() override;
  bool areaTransferenciaDefinirTexto(const std::u16string& texto) override;
  bool colagemEntregue() const override { return !gColagemIgnorada; }
  bool areaTransferenciaDefinirImagem(const ImagemPixels& imagem) override;
  bool shellAbrir(const std::u16string& comando) override;
  // Only counts and calls the sleep callback; never really sleeps.
  void dormir(int ms) override;

  // --- Setting up (not recorded) -------------------------------------------
  // Replaces the whole state; the record, observer and sleep stay.
  void definirCenario(const CenarioSimulado& cenario);
  void setTelaTamanho(TamanhoTela tamanho) { gTela = tamanho; }
  void setCursor(PontoTela ponto) { gCursor = ponto; }
  void setBotoesTrocados(bool trocados) { gBotoesTrocados = trocados; }
  // The international variant of the layout, with its dead keys (teclaTexto).
  void setTeclasMortas(bool mortas) { gTeclasMortas = mortas; }
  // As if the user held or released a key (or a mouse button, keys 1 and 2);
  // not something Mivo holds.
  void setTeclaEstado(int tecla, bool pressionada, bool ligada);
  // Adds a window below the others (at the front when `naFrente`) and, when
  // its process is new, its program. Returns the window's id: the one it
  // carries when that is free, otherwise a new one.
  JanelaId adicionarJanela(const JanelaSimulada& janela, bool naFrente = false);
  void removerJanela(JanelaId janela);
  void setPrimeiroPlano(JanelaId janela) { gPrimeiroPlano = janela; }
  // nullptr when there is no such window.
  const JanelaSimulada* janela(JanelaId janela) const;
  // Adds a program unless its process is already listed.
  void adicionarPrograma(const ProgramaEmExecucao& programa);
  void adicionarCor(const AreaCor& area) { gCores.push_back(area); }
  void limparCores() { gCores.clear(); }
  void setCorFundo(CorTela cor) { gCorFundo = cor; }
  void setAreaTransferenciaTexto(const std::u16string& texto);
  // The next `vezes` clipboard reads and writes fail, as when another program
  // holds the clipboard.
  void setAreaTransferenciaOcupada(int vezes) { gOcupadaVezes = vezes; }
  // Pastes are not taken by any program (as when nothing has the focus).
  void setColagemIgnorada(bool valor) { gColagemIgnorada = valor; }
  void adicionarAbertura(const AberturaSimulada& abertura) { gAberturas.push_back(abertura); }

  // --- Inspection ------------------------------------------------------------
  // The picture on the clipboard; empty (0 x 0) when it holds text.
  const ImagemPixels& areaTransferenciaImagem() const { return gImagem; }
  long long msDormidos() const { return gMsDormidos; }

  // --- Record ----------------------------------------------------------------
  const std::vector<AcaoSimulada>& acoes() const { return gAcoes; }
  std::vector<std::string> linhas() const;
  void limparRegistro() { gAcoes.clear(); }
  // Called with the line of each action as it happens.
  void setObservador(std::function<void(const std::string& linha)> observador);
  // Called by dormir(); by default nothing waits.
  void setDormir(std::function<void(int ms)> dormir);

 private:
  JanelaSimulada* procurar(JanelaId janela);
  const JanelaSimulada* procurar(JanelaId janela) const;
  bool idLivre(JanelaId id) const;
  JanelaId novoId();
  void registrar(AcaoSimulada acao);
  void mudarTecla(int tecla, bool pressionada);
  void trazerParaFrente(JanelaId janela);
  bool ocupada();

  TamanhoTela gTela;
  PontoTela gCursor;
  bool gBotoesTrocados = false;
  bool gTeclasMortas = false;
  std::array<bool, 256> gPressionadas{};
  std::array<bool, 256> gLigadas{};
  CLSeguradas gSeguradas;  // pressed by the script, not by the user
  std::vector<JanelaSimulada> gJanelas;  // desktop order, the topmost first
  JanelaId gPrimeiroPlano = JanelaId::Nenhuma;
  std::uint64_t gProximoId = 1;
  std::vector<ProgramaEmExecucao> gProgramas;
  std::vector<AreaCor> gCores;
  CorTela gCorFundo = 0;
  std::u16string gTexto;
  ImagemPixels gImagem;
  int gOcupadaVezes = 0;
  bool gColagemIgnorada = false;
  std::vector<AberturaSimulada> gAberturas;
  long long gMsDormidos = 0;
  std::vector<AcaoSimulada> gAcoes;
  std::function<void(const std::string&)> gObservador;
  std::function<void(int)> gDormir;
};

// A simulated desktop started from a scenario file (an empty path: an empty
// desktop); null, with the reason in Portuguese in `erro`, when the file
// cannot be read.
std::unique_ptr<CLDesktopSimulado> criarDesktopSimulado(const QString& cenario, QString& erro);

}  // namespace mivo
