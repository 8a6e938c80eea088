// Reading and dispatching statements, and expanding arguments.
//   build/bench/bench_interpretador --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "unCLExecucao.h"
#include "unCLDesktopSimulado.h"
#include "unCLHostMemoria.h"
#include "unCLScript.h"
#include "unVerificador.h"

using namespace mivo;

namespace {

// A host that keeps nothing: the runner with --silencioso and no --log.
class HostSemLog : public CLHostMemoria {
 public:
  HostSemLog() : CLHostMemoria(true) { setDesktop(std::make_unique<CLDesktopSimulado>()); }
  bool registraLog() const override { return false; }
};

// A host that builds every log entry and keeps only the last one, so memory
// stays flat however long the run.
class HostComLog : public CLHostMemoria {
 public:
  HostComLog() : CLHostMemoria(true) { setDesktop(std::make_unique<CLDesktopSimulado>()); }
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
    benchmark::DoNotOptimize(script.resultado());
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
  script.valores().acrescentar(QStringLiteral("nome"), QStringLiteral("Maria"));
  script.valores().acrescentar(QStringLiteral("codigo"), QStringLiteral("A-123"));
  script.valores().acrescentar(QStringLiteral("cidade"), QStringLiteral("Recife"));
  script.setResultado(QStringLiteral("OK"));
  CLGrade& g = script.grade();
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

// A counter loop: "&ValorInc", tested with "&Se", a jump back with "&VaiPara".
// Each turn runs four functions (the marker, the increment, the test and the
// nested jump). The long variant places the same loop in a script of 10,000
// lines: a jump must not cost more as the script grows.
QStringList scriptDoLaco(int voltas, int linhasExtras) {
  QStringList s = {
      QStringLiteral("&ValorDefinir(\"i\";\"0\")."),
      QStringLiteral("&Marcador(volta)."),
      QStringLiteral("&ValorInc(\"i\";1)."),
      QStringLiteral("&Se([i]<%1;&VaiPara(volta)).").arg(voltas),
      QStringLiteral("&VaiPara(fim)."),
  };
  for (int i = 0; i < linhasExtras; ++i)
    s << (i % 3 == 0 ? QStringLiteral("&Marcador(extra%1).").arg(i) : QStringLiteral("&MsgExibir(\"linha %1\").").arg(i));
  s << QStringLiteral("&Marcador(fim).");
  return s;
}

void BM_LacoContador(benchmark::State& state) {
  constexpr int kVoltas = 100000;
  const QStringList linhas = scriptDoLaco(kVoltas, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    HostSemLog host;
    CLScript script(host);
    prepararInicio(script, linhas);
    rodarScript(script);
    if (script.valores().valor(QStringLiteral("i")) != QString::number(kVoltas)) state.SkipWithError("laço errado");
  }
  state.SetItemsProcessed(int64_t(kVoltas) * 4 * state.iterations());
}
BENCHMARK(BM_LacoContador)->Arg(0)->Arg(10000 - 6)->Unit(benchmark::kMillisecond);

// The script checker on a 10,000-line script, as the editor will run it
// while the user types (goal: under 50 ms).
void BM_Verificar10000Linhas(benchmark::State& state) {
  QStringList linhas = {QStringLiteral("##info"), QStringLiteral("nome=Envio"), QStringLiteral("##info_fim")};
  for (int i = 0; linhas.size() < 10000; ++i) {
    linhas << QStringLiteral("//* Contato %1").arg(i) << QStringLiteral("&Marcador(m%1).").arg(i)
           << QStringLiteral("&JanelaAtivar(\"Conversa\").") << QStringLiteral("&TextoColar(\"Olá {nome}, [saudacao]!\").")
           << QStringLiteral("&Se([i]<%1;&VaiPara(m%1);&ValorDefinir(\"x\";\"1\")).").arg(i)
           << QStringLiteral("&MouseClicarAcao(100;200).") << QStringLiteral("&LaProximaLinha().");
  }
  CLContextoVerificacao contexto;
  contexto.colunas = QStringList{QStringLiteral("nome")};
  for (auto _ : state) {
    const auto achados = verificarScript(linhas, contexto);
    if (!achados.isEmpty()) state.SkipWithError("achados inesperados");
    benchmark::DoNotOptimize(achados);
  }
  state.SetItemsProcessed(int64_t(linhas.size()) * state.iterations());
}
BENCHMARK(BM_Verificar10000Linhas)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
