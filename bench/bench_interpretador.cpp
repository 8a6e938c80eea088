// Reading and dispatching statements, and expanding arguments.
//   build/bench/bench_interpretador --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "unCLExecucao.h"
#include "unCLScript.h"

using namespace mivo;

namespace {

// A host that keeps nothing: the runner with --silencioso and no --log.
class HostSemLog : public CLHost {
 public:
  HostSemLog() : CLHost(true) {}
  bool registraLog() const override { return false; }
};

// A host that builds every log entry and keeps only the last one, so memory
// stays flat however long the run.
class HostComLog : public CLHost {
 public:
  HostComLog() : CLHost(true) {}
  void setLogGeral(const QString& m, CorLog) override { gUltima = m; }
  void editLogGeral(const QString& t) override { gUltima += u' ' + t; }
  QString gUltima;
};

QStringList scriptDeReferencia(int instrucoes) {
  const QStringList modelo = {
      QStringLiteral("&Marcador(inicio)."),
      QStringLiteral("&Resultado().   // comentário"),
      QStringLiteral("&TeclarEnter()."),
      QStringLiteral("&MsgExibir(\"Olá {nome}, tudo bem?  Seu código é [codigo]\")."),
      QStringLiteral("&ValorDefinir(\"contador\" ; \"1\")."),
      QStringLiteral("&LaValorMudar(\"status\";"),
      QStringLiteral("   \"enviado\")."),
      QStringLiteral(""),
      QStringLiteral("// comentário de linha inteira"),
  };
  QStringList s;
  while (s.size() < instrucoes) s += modelo;
  return s;
}

template <class Host>
void lerEDespachar(benchmark::State& state) {
  const QStringList linhas = scriptDeReferencia(static_cast<int>(state.range(0)));
  // Six statements in every nine lines of the model (one spans two lines).
  const int64_t porExecucao = linhas.size() / 9 * 6;
  for (auto _ : state) {
    Host host;
    CLScript script(host);
    prepararInicio(script, linhas);
    while (script.loadLine()) {
    }
    benchmark::DoNotOptimize(script.gResultado);
  }
  state.SetItemsProcessed(porExecucao * static_cast<int64_t>(state.iterations()));
}

void BM_LerEDespacharSemLog(benchmark::State& s) { lerEDespachar<HostSemLog>(s); }
void BM_LerEDespacharComLog(benchmark::State& s) { lerEDespachar<HostComLog>(s); }
BENCHMARK(BM_LerEDespacharSemLog)->Arg(9000);
BENCHMARK(BM_LerEDespacharComLog)->Arg(9000);

void BM_Expandir(benchmark::State& state) {
  HostSemLog host;
  CLScript script(host);
  script.gValores.acrescentar(QStringLiteral("nome"), QStringLiteral("Maria"));
  script.gValores.acrescentar(QStringLiteral("codigo"), QStringLiteral("A-123"));
  script.gValores.acrescentar(QStringLiteral("cidade"), QStringLiteral("Recife"));
  script.gResultado = QStringLiteral("OK");
  CLGrade& g = *script.gGrid;
  g.setColCount(3);
  g.setCell(0, 0, QStringLiteral("nome"));
  g.setCell(1, 0, QStringLiteral("email"));
  g.setCell(2, 0, QStringLiteral("celular"));
  g.setCell(0, 1, QStringLiteral("Maria"));
  g.setCell(1, 1, QStringLiteral("maria@exemplo.com"));
  g.setCell(2, 1, QStringLiteral("81 99999-0000"));
  const QString texto = QStringLiteral(
      "Olá [nome], seu e-mail é {email} e seu celular {celular}.\\nCódigo [codigo] (&Resultado()) "
      "- até logo, [NOME] de [cidade]!");
  for (auto _ : state) benchmark::DoNotOptimize(script.expandirValor(texto));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Expandir);

}  // namespace

BENCHMARK_MAIN();
