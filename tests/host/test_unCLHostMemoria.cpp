#include <gtest/gtest.h>

#include "impressaoQt.h"
#include "unCLDesktopSimulado.h"
#include "unCLErro.h"
#include "unCLExecucao.h"
#include "unCLHostMemoria.h"
#include "unCLScript.h"
#include "unUtil.h"

using namespace mivo;

TEST(HostMemoria, LogGuardaSoAsUltimasEntradas) {
  CLHostMemoria host(/*relogioVirtual=*/true);
  const int total = 2500;
  for (int i = 0; i < total; ++i) host.setLogGeral(QStringLiteral("entrada %1").arg(i), CorLog::Texto);
  host.editLogGeral(QStringLiteral(":fim"));
  ASSERT_EQ(host.log().size(), kMaxEntradasLog);
  EXPECT_EQ(host.log().first().texto, QStringLiteral("entrada %1").arg(total - kMaxEntradasLog));
  EXPECT_EQ(host.log().last().texto, QStringLiteral("entrada %1 :fim").arg(total - 1));
}

// An entry never grows past kMaxCaracteresEntradaLog characters; a cut one
// ends with "…" and takes nothing more.
TEST(HostMemoria, EntradaLongaECortadaComReticencias) {
  const qsizetype max = kMaxCaracteresEntradaLog;
  const QString emoji = QStringLiteral("😀");  // two UTF-16 units
  struct Caso {
    const char* nome;
    QString entrada;
    QStringList acrescimos;
    QString esperado;
  };
  const Caso casos[] = {
      {"cabe exatamente", QString(max, u'a'), {}, QString(max, u'a')},
      {"longa demais", QString(max + 5000, u'b'), {}, QString(max - 1, u'b') + u'…'},
      {"cresce com o resultado", QString(max - 10, u'c'), {QString(100, u'd'), QStringLiteral("nada")},
       QString(max - 10, u'c') + u' ' + QString(8, u'd') + u'…'},
      {"resultado que cabe", QStringLiteral("Linha"), {QStringLiteral(":OK")}, QStringLiteral("Linha :OK")},
      // The cut never leaves half of a surrogate pair.
      {"par no corte", QString(max - 3, u'e'), {emoji + emoji},
       QString(max - 3, u'e') + u' ' + u'…'},
  };
  for (const Caso& c : casos) {
    CLHostMemoria host(true);
    host.setLogGeral(c.entrada, CorLog::Texto);
    for (const QString& a : c.acrescimos) host.editLogGeral(a);
    const QString& texto = host.log().last().texto;
    EXPECT_LE(texto.size(), max) << c.nome;
    EXPECT_EQ(texto, c.esperado) << c.nome;
  }
}

namespace {

// A host whose simulated desktop it keeps a hand on.
struct HostComDesktop {
  HostComDesktop() : host(/*relogioVirtual=*/true) {
    auto d = std::make_unique<CLDesktopSimulado>();
    sim = d.get();
    host.setDesktop(std::move(d));
  }
  CLHostMemoria host;
  CLDesktopSimulado* sim = nullptr;
};

ResultadoExecucao rodar(CLHostMemoria& host, const QString& texto) {
  CLScript script(host);
  prepararInicio(script, dividirLinhas(texto));
  return rodarScript(script);
}

}  // namespace

// Whatever ends the run, no key or button the script pressed stays down,
// and the releases are the last thing the desktop sees.
TEST(HostMemoria, FimDaExecucaoSoltaOQueOScriptSegura) {
  struct Caso {
    const char* nome;
    QString script;
    // Runs when the simulated desktop records a line; may throw.
    std::function<void(CLHostMemoria&, const std::string&)> aoRegistrar;
    bool segurarAntes;  // Shift left down before the run, as by an earlier run
    FimExecucao fim;
    std::vector<std::string> ultimas;
  };
  const std::string ctrlA = "Desktop: tecla 65 baixo";
  const Caso casos[] = {
      {"erro no meio da combinação", QStringLiteral("&TeclarControlMais(\"a\").\n&TeclarEnter().\n"),
       [&](CLHostMemoria&, const std::string& l) {
         if (l == ctrlA) throw CLErro(QStringLiteral("falhou"));
       },
       false, FimExecucao::Erro, {ctrlA, "Desktop: tecla 65 cima", "Desktop: tecla 17 cima"}},
      {"parada no meio da combinação", QStringLiteral("&TeclarControlMais(\"a\").\n&TeclarEnter().\n"),
       [&](CLHostMemoria& h, const std::string& l) {
         if (l != ctrlA) return;
         h.encerrarExecucao();
         throw CLAbortoSilencioso();
       },
       false, FimExecucao::Parado, {ctrlA, "Desktop: tecla 65 cima", "Desktop: tecla 17 cima"}},
      {"erro fatal", QStringLiteral("&Se().\n&TeclarEnter().\n"), {}, true, FimExecucao::ErroFatal,
       {"Desktop: tecla 16 baixo", "Desktop: tecla 16 cima"}},
      {"fim normal", QStringLiteral("&ValorDefinir(x;1).\n"), {}, true, FimExecucao::Normal,
       {"Desktop: tecla 16 baixo", "Desktop: tecla 16 cima"}},
  };
  for (const Caso& c : casos) {
    HostComDesktop h;
    if (c.segurarAntes) h.sim->teclaPressionar(tecla::kShift);
    if (c.aoRegistrar) h.sim->setObservador([&](const std::string& l) { c.aoRegistrar(h.host, l); });
    const ResultadoExecucao r = rodar(h.host, c.script);
    EXPECT_EQ(r.fim, c.fim) << c.nome;
    const auto linhas = h.sim->linhas();
    ASSERT_GE(linhas.size(), c.ultimas.size()) << c.nome;
    EXPECT_EQ(std::vector<std::string>(linhas.end() - c.ultimas.size(), linhas.end()), c.ultimas) << c.nome;
    EXPECT_TRUE(h.sim->teclasSeguradas().empty()) << c.nome;
  }
}

TEST(HostMemoria, SemAreaDeTrabalhoNaoCriaNenhumaParaSoltar) {
  CLHostMemoria host(true);
  bool criou = false;
  host.setFabricaDesktop([&](QString&) -> std::unique_ptr<CLDesktop> {
    criou = true;
    return std::make_unique<CLDesktopSimulado>();
  });
  EXPECT_EQ(rodar(host, QStringLiteral("&ValorDefinir(x;1).\n")).fim, FimExecucao::Normal);
  EXPECT_FALSE(criou);
  EXPECT_FALSE(host.temDesktop());
}
