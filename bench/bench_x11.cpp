// The X11 desktop against xdotool, side by side on one Xvfb with openbox
// that the program starts itself: typing a 2,000-character text into the
// test target window (every character checked against what the window
// received), activating a window by part of its title, and reading one
// pixel. Prints the medians and the ratios at the end.
//   build/bench/bench_x11 --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "unAlvoTeste.h"
#include "unCLDesktopX11.h"
#include "unServidorXTeste.h"
#include "unTextoDesktop.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

using Relogio = std::chrono::steady_clock;

constexpr std::size_t kCaracteres = 2000;

struct Ambiente {
  CLServidorXTeste servidor;
  std::unique_ptr<CLDesktopX11> desktop;
  CLAlvoTeste digitacao, vendas, compras;
};
Ambiente* gAmbiente = nullptr;

std::u32string repetir(const std::u32string& trecho) {
  std::u32string texto;
  while (texto.size() < kCaracteres) texto += trecho;
  texto.resize(kCaracteres);
  return texto;
}

std::string utf8(const std::u32string& texto) {
  std::string r;
  for (char32_t c : texto) r += utf8DeCaractere(c);
  return r;
}

const std::u32string& textoAscii() {
  static const std::u32string t = repetir(U"The quick brown fox jumps over the lazy dog 0123456789; "
                                          U"Pack MY BOX with five dozen liquor jugs! (a+b)*c=d? ");
  return t;
}

const std::u32string& textoPortugues() {
  static const std::u32string t = repetir(U"Olá, tudo bem? Sua encomenda nº 1234 chegou às 15h30. "
                                          U"Atenção: promoção válida até sábado; não perca! Ação é AÇÃO. ");
  return t;
}

// The target in front with nothing received yet, and openbox done with what
// the previous run gave it: keyboard map changes make it grab its keys
// again, and thousands of them keep it busy for seconds.
void prepararDigitacao(Ambiente& a, bool devolverTeclas = false) {
  if (devolverTeclas) {
    // Keycodes the desktop lent would help xdotool: a new desktop, without them.
    std::u16string erro;
    a.desktop.reset();
    a.desktop = CLDesktopX11::criar(a.servidor.nome(), erro);
  }
  const auto fim = Relogio::now() + std::chrono::seconds(120);
  const JanelaId janela{a.digitacao.janela()};
  while (!(a.desktop->janelaAtivar(janela) && a.desktop->janelaPrimeiroPlano() == janela) && Relogio::now() < fim) {
  }
  a.digitacao.esquecer();
}

// Both sides are timed until the target window received the whole text
// (at most 20 s: a text that never arrives whole counts as wrong).
void medirDigitacao(benchmark::State& estado, const std::u32string& texto, bool xdotool) {
  Ambiente& a = *gAmbiente;
  const std::string esperado = utf8(texto);
  long erros = 0;
  std::size_t recebidos = 0;
  double envio = 0;  // ms until the last key was sent (xdotool: until it ended)
  for (auto _ : estado) {
    prepararDigitacao(a, xdotool);
    const auto inicio = Relogio::now();
    if (xdotool) {
      CLProcessoTeste processo;
      CLProcessoTeste::Opcoes opcoes;
      opcoes.ambiente = {{"DISPLAY", a.servidor.nome()}};
      processo.iniciar({"xdotool", "type", "--delay", "0", esperado}, opcoes);
      processo.aguardarFim(60000);
    } else {
      for (char32_t c : texto) a.desktop->caractereDigitar(c);
    }
    envio += std::chrono::duration<double, std::milli>(Relogio::now() - inicio).count();
    const bool chegou = a.digitacao.aguardarTexto(esperado, 20000);
    const auto fim = Relogio::now();
    estado.SetIterationTime(std::chrono::duration<double>(fim - inicio).count());
    const std::string recebido = a.digitacao.textoRecebido();
    recebidos = utf16DeUtf8(recebido).size();
    if (!chegou || recebido != esperado) ++erros;
  }
  estado.counters["textos_errados"] = static_cast<double>(erros);
  estado.counters["recebidos"] = static_cast<double>(recebidos);
  estado.counters["envio_ms"] = benchmark::Counter(envio, benchmark::Counter::kAvgIterations);
  estado.counters["caracteres/s"] =
      benchmark::Counter(static_cast<double>(texto.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Digitar_Ascii_Mivo(benchmark::State& e) { medirDigitacao(e, textoAscii(), false); }
void BM_Digitar_Ascii_Xdotool(benchmark::State& e) { medirDigitacao(e, textoAscii(), true); }
void BM_Digitar_Portugues_Mivo(benchmark::State& e) { medirDigitacao(e, textoPortugues(), false); }
void BM_Digitar_Portugues_Xdotool(benchmark::State& e) { medirDigitacao(e, textoPortugues(), true); }

// "&JanelaAtivar": the first window whose title holds the part, activated
// by its whole title; the two windows take turns.
bool ativarPorParte(CLDesktop& desktop, const std::u16string& parte) {
  for (JanelaId j : desktop.janelasEmOrdem()) {
    const std::u16string titulo = desktop.janelaTitulo(j);
    std::u16string minusculo = titulo;
    for (auto& c : minusculo) c = static_cast<char16_t>(minusculaSimples(c));
    if (minusculo.find(parte) != std::u16string::npos) return desktop.janelaAtivar(desktop.janelaPorTitulo(titulo));
  }
  return false;
}

void medirAtivacao(benchmark::State& estado, bool xdotool) {
  Ambiente& a = *gAmbiente;
  long erros = 0;
  bool vez = false;
  prepararDigitacao(a);
  for (auto _ : estado) {
    vez = !vez;
    const CLAlvoTeste& alvo = vez ? a.vendas : a.compras;
    const auto inicio = Relogio::now();
    if (xdotool) {
      CLProcessoTeste processo;
      CLProcessoTeste::Opcoes opcoes;
      opcoes.ambiente = {{"DISPLAY", a.servidor.nome()}};
      processo.iniciar({"xdotool", "search", "--name", vez ? "Vendas" : "Compras", "windowactivate", "--sync"},
                       opcoes);
      processo.aguardarFim(10000);
    } else {
      ativarPorParte(*a.desktop, vez ? u"vendas" : u"compras");
    }
    estado.SetIterationTime(std::chrono::duration<double>(Relogio::now() - inicio).count());
    if (a.desktop->janelaPrimeiroPlano() != JanelaId{alvo.janela()}) ++erros;
  }
  estado.counters["erros"] = static_cast<double>(erros);
}

void BM_Ativar_Mivo(benchmark::State& e) { medirAtivacao(e, false); }
void BM_Ativar_Xdotool(benchmark::State& e) { medirAtivacao(e, true); }

void BM_PixelLer_Mivo(benchmark::State& estado) {
  const RetanguloJanela r = gAmbiente->desktop->janelaRetangulo(JanelaId{gAmbiente->vendas.janela()});
  const PontoTela p{r.x + r.largura / 2, r.y + r.altura / 2};
  long erros = 0;
  for (auto _ : estado) {
    if (gAmbiente->desktop->pixelCor(p) != corRgb(0x33, 0x66, 0x99)) ++erros;
  }
  estado.counters["erros"] = static_cast<double>(erros);
}

// Keeps the medians (real time, seconds) for the summary.
class Relator : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medianas;
  std::map<std::string, double> errados;  // share of runs with a wrong text or window
  void ReportRuns(const std::vector<Run>& corridas) override {
    for (const auto& c : corridas) {
      if (c.aggregate_name == "mean") {
        for (const char* contador : {"textos_errados", "erros"}) {
          if (c.counters.count(contador)) errados[c.run_name.function_name] = c.counters.at(contador).value;
        }
      }
      if (c.aggregate_name == "median") {
        medianas[c.run_name.function_name] = c.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(c.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(corridas);
  }
};

}  // namespace

// Typing last: xdotool's remapping of every missing character keeps openbox
// busy for seconds afterwards.
BENCHMARK(BM_Ativar_Mivo)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ativar_Xdotool)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PixelLer_Mivo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Digitar_Ascii_Mivo)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Digitar_Ascii_Xdotool)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Digitar_Portugues_Mivo)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Digitar_Portugues_Xdotool)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!programaInstalado("Xvfb") || !programaInstalado("xdotool")) {
    std::printf("bench_x11: precisa do Xvfb, do openbox e do xdotool instalados\n");
    return 0;
  }
  Ambiente ambiente;
  std::string erro;
  if (!ambiente.servidor.iniciar(/*comGerenciador=*/true, erro)) {
    std::printf("bench_x11: %s\n", erro.c_str());
    return 1;
  }
  std::u16string erroDesktop;
  ambiente.desktop = CLDesktopX11::criar(ambiente.servidor.nome(), erroDesktop);
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Digitação";
  opcoes.largura = 600;
  bool ok = ambiente.desktop && ambiente.digitacao.iniciar(ambiente.servidor.nome(), opcoes);
  opcoes = {};
  opcoes.titulo = "Janela de Vendas - Mivo";
  opcoes.x = 700;
  opcoes.cor = "336699";
  ok = ok && ambiente.vendas.iniciar(ambiente.servidor.nome(), opcoes);
  opcoes.titulo = "Janela de Compras - Mivo";
  opcoes.x = 750;
  opcoes.y = 150;
  ok = ok && ambiente.compras.iniciar(ambiente.servidor.nome(), opcoes);
  if (!ok) {
    std::printf("bench_x11: as janelas de teste não abriram\n");
    return 1;
  }
  ambiente.desktop->janelaAtivar(JanelaId{ambiente.vendas.janela()});
  gAmbiente = &ambiente;

  Relator relator;
  benchmark::RunSpecifiedBenchmarks(&relator);
  auto m = [&](const char* nome) { return relator.medianas.count(nome) ? relator.medianas[nome] : 0.0; };
  auto razao = [&](const char* a, const char* b) { return m(a) > 0 ? m(b) / m(a) : 0.0; };
  auto errado = [&](const std::string& nome) { return relator.errados.count(nome) ? relator.errados[nome] : 0.0; };
  std::printf("\nMedianas (com --benchmark_repetitions=5 --benchmark_report_aggregates_only=true)\n");
  for (const char* t : {"Ascii", "Portugues"}) {
    const std::string mivo = std::string("BM_Digitar_") + t + "_Mivo", xdo = std::string("BM_Digitar_") + t + "_Xdotool";
    if (m(mivo.c_str()) > 0 && m(xdo.c_str()) > 0) {
      std::printf("  digitar %zu caracteres (%s): Mivo %.0f car/s (errados %.0f%%), xdotool %.0f car/s (errados %.0f%%), "
                  "Mivo %.1fx mais rápido\n",
                  kCaracteres, t, kCaracteres / m(mivo.c_str()), errado(mivo) * 100, kCaracteres / m(xdo.c_str()),
                  errado(xdo) * 100, razao(mivo.c_str(), xdo.c_str()));
    }
  }
  if (m("BM_Ativar_Mivo") > 0 && m("BM_Ativar_Xdotool") > 0) {
    std::printf("  ativar por parte do título: Mivo %.2f ms, xdotool %.2f ms, Mivo %.1fx mais rápido\n",
                m("BM_Ativar_Mivo") * 1e3, m("BM_Ativar_Xdotool") * 1e3, razao("BM_Ativar_Mivo", "BM_Ativar_Xdotool"));
  }
  if (m("BM_PixelLer_Mivo") > 0) std::printf("  ler um pixel: Mivo %.1f µs\n", m("BM_PixelLer_Mivo") * 1e6);
  gAmbiente = nullptr;
  benchmark::Shutdown();
  return 0;
}
