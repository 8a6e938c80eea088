// Fuzz target: the scenario files of the simulated desktop. The input is a
// JSON scenario: it is read, and when it is valid a simulated desktop starts
// from it and goes through what scripts do to it.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "unApoioFuzz.h"
#include "unCLDesktopSimulado.h"
#include "unCenarioSimulado.h"

using namespace mivo;

namespace {

constexpr size_t kMaxJanelas = 64;

void exercitar(CLDesktopSimulado& d) {
  const TamanhoTela tela = d.telaTamanho();
  const PontoTela pontos[] = {{0, 0},
                              {tela.largura / 2, tela.altura / 2},
                              {tela.largura - 1, tela.altura - 1},
                              {-1, -1},
                              {tela.largura, tela.altura},
                              {INT32_MIN, INT32_MAX}};
  for (const PontoTela& p : pontos) {
    (void)d.pixelCor(p);
    d.cursorPosicionar(p);
    const PontoTela c = d.cursorPosicao();
    // The pointer stops at the screen's edges.
    if (tela.largura > 0 && tela.altura > 0)
      MIVO_FUZZ_EXIGIR(c.x >= 0 && c.y >= 0 && c.x < tela.largura && c.y < tela.altura);
    (void)d.pixelCor(c);
  }
  const std::vector<JanelaId> janelas = d.janelasEmOrdem();
  for (size_t i = 0; i < janelas.size() && i < kMaxJanelas; ++i) {
    const JanelaId j = janelas[i];
    (void)d.janelaTitulo(j);
    (void)d.janelaRetangulo(j);
    (void)d.janelaMinimizada(j);
    (void)d.janelaVisivel(j);
    (void)d.janelaPai(j);
    (void)d.janelaProcesso(j);
    if (d.janelaAtivar(j)) {
      MIVO_FUZZ_EXIGIR(d.janelaPrimeiroPlano() == j);
      MIVO_FUZZ_EXIGIR(!d.janelaMinimizada(j));
    }
    (void)d.janelaMover(j, RetanguloJanela{-10, -10, 100, 100});
    (void)d.janelaMaximizar(j);
  }
  (void)d.programasEmExecucao();
  (void)d.areaTransferenciaTexto();
  (void)d.areaTransferenciaDefinirTexto(u"texto");
  for (const char16_t* comando : {u"calc.exe", u"CALC.EXE", u"notepad.exe", u""}) (void)d.shellAbrir(comando);
  for (int tecla : {20, 144, 16, 0, 255}) (void)d.teclaEstado(tecla);
  d.teclaPressionar(16);
  d.caractereDigitar(U'A');
  d.soltarTudo();
  MIVO_FUZZ_EXIGIR(d.teclasSeguradas().empty());
  (void)d.linhas();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QByteArray json(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
  CenarioSimulado cenario;
  QString erro;
  if (!lerCenarioSimuladoJson(json, cenario, &erro)) {
    MIVO_FUZZ_EXIGIR(!erro.isEmpty());
    // A failed read leaves the scenario as it was.
    const CenarioSimulado novo;
    MIVO_FUZZ_EXIGIR(cenario.janelas.empty() && cenario.cores.empty() && cenario.aberturas.empty() &&
                     cenario.programas.empty() && cenario.tela == novo.tela &&
                     cenario.primeiroPlano == novo.primeiroPlano);
    return 0;
  }
  MIVO_FUZZ_EXIGIR(cenario.primeiroPlano >= -1 &&
                   cenario.primeiroPlano < static_cast<int>(cenario.janelas.size()));
  if (cenario.janelas.size() > kMaxJanelas * 4) return 0;  // valid, but costly to go through
  CLDesktopSimulado desktop(cenario);
  exercitar(desktop);
  return 0;
}
