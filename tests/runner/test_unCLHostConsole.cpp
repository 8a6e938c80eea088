// The console host's pause (F9, the terminal) and stop request, on the
// simulated desktop and a virtual clock.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>

#include "impressaoQt.h"
#include "unCLDesktopSimulado.h"
#include "unCLExecucao.h"
#include "unCLHostConsole.h"
#include "unCLScript.h"
#include "unUtil.h"

using namespace mivo;

namespace {

const QString kPausado = QStringLiteral("Informação: O script foi pausado por sua solicitação");
const QString kScript = QStringLiteral("&ValorDefinir(a;1).\n&ValorDefinir(b;2).\n");
const QString kLinha1 = QStringLiteral("Linha: [1] Executando {ValorDefinir... a;1}  :1");
const QString kLinha2 = QStringLiteral("Linha: [2] Executando {ValorDefinir... b;2}  :2");

// A console host on a quiet simulated desktop, its output captured.
struct Console {
  explicit Console(CLTerminal extra = {}) {
    terminal = std::move(extra);
    terminal.escrever = [this](const QString& l) { saida << l; };
    terminal.escreverErro = [this](const QString& l) { erros << l; };
    host = std::make_unique<CLHostConsole>(terminal, /*relogioVirtual=*/true);
    auto d = std::make_unique<CLDesktopSimulado>();
    sim = d.get();
    host->setDesktop(std::move(d));
  }
  ResultadoExecucao rodar(const QString& texto) {
    CLScript script(*host);
    prepararInicio(script, dividirLinhas(texto));
    const ResultadoExecucao r = rodarScript(script);
    host->concluirLog();
    return r;
  }

  CLTerminal terminal;
  QStringList saida, erros;
  std::unique_ptr<CLHostConsole> host;
  CLDesktopSimulado* sim = nullptr;
};

}  // namespace

// F9 held when the run starts pauses it after the statement under way; the
// terminal then decides. Without a terminal, F9 stops the run.
TEST(HostConsole, F9PausaEOTerminalContinuaOuEncerra) {
  struct Caso {
    const char* nome;
    bool temTerminal;
    // What the terminal gives on each wait: Nada first, then this.
    LeituraTerminal leitura;
    QString linha;
    FimExecucao fim;
    QStringList saida;
  };
  const Caso casos[] = {
      {"Enter continua", true, LeituraTerminal::Linha, QString(), FimExecucao::Normal, {kLinha1, kPausado, kLinha2}},
      {"e encerra", true, LeituraTerminal::Linha, QStringLiteral(" E "), FimExecucao::Parado, {kLinha1, kPausado}},
      {"terminal fechado encerra", true, LeituraTerminal::Fim, QString(), FimExecucao::Parado, {kLinha1, kPausado}},
      {"sem terminal F9 encerra", false, LeituraTerminal::Nada, QString(), FimExecucao::Parado, {kLinha1}},
  };
  for (const Caso& c : casos) {
    int esperas = 0;
    CLTerminal t;
    CLDesktopSimulado* sim = nullptr;
    if (c.temTerminal) {
      t.lerLinha = [&](int ms, QString& linha) {
        EXPECT_GT(ms, 0);
        if (++esperas == 1) return LeituraTerminal::Nada;
        sim->setTeclaEstado(tecla::kF9, false, false);  // the user let go of F9 meanwhile
        linha = c.linha;
        return c.leitura;
      };
    }
    Console console(t);
    sim = console.sim;
    console.sim->setTeclaEstado(tecla::kF9, true, false);
    const ResultadoExecucao r = console.rodar(kScript);
    EXPECT_EQ(r.fim, c.fim) << c.nome;
    EXPECT_EQ(console.saida, c.saida) << c.nome;
    EXPECT_EQ(esperas, c.temTerminal ? 2 : 0) << c.nome;
    EXPECT_EQ(console.erros.size(), c.temTerminal ? 1 : 0) << c.nome;
  }
}

// Only a new press pauses: F9 still held after Enter does not pause again,
// and F9 the script itself holds is no request at all.
TEST(HostConsole, F9SoPausaQuandoOUsuarioAperta) {
  int esperas = 0;
  CLTerminal t;
  t.lerLinha = [&](int, QString& linha) {
    ++esperas;
    linha.clear();
    return LeituraTerminal::Linha;
  };
  Console continua(t);
  continua.sim->setTeclaEstado(tecla::kF9, true, false);
  EXPECT_EQ(continua.rodar(kScript).fim, FimExecucao::Normal);
  EXPECT_EQ(continua.saida, (QStringList{kLinha1, kPausado, kLinha2}));
  EXPECT_EQ(esperas, 1);

  Console doScript(t);
  doScript.sim->teclaPressionar(tecla::kF9);
  doScript.sim->limparRegistro();
  EXPECT_EQ(doScript.rodar(kScript).fim, FimExecucao::Normal);
  EXPECT_EQ(doScript.saida, (QStringList{kLinha1, kLinha2}));
  EXPECT_EQ(esperas, 1);
  // Released at the end of the run, as anything the script holds.
  EXPECT_EQ(doScript.sim->linhas(), std::vector<std::string>{"Desktop: tecla 120 cima"});
}

// A stop request from outside ends the run after the statement under way,
// also while it is paused.
TEST(HostConsole, PedidoDeParadaEncerraAExecucao) {
  for (const bool pausado : {false, true}) {
    bool pedido = false;
    CLTerminal t;
    t.paradaPedida = [&] { return pedido; };
    t.lerLinha = [&](int, QString&) {
      pedido = true;  // Ctrl+C while paused
      return LeituraTerminal::Nada;
    };
    Console console(t);
    if (pausado) console.sim->setTeclaEstado(tecla::kF9, true, false);
    console.sim->setObservador([&](const std::string&) { pedido = true; });
    const ResultadoExecucao r =
        console.rodar(QStringLiteral("&ValorDefinir(a;1).\n&TeclarEnter().\n&ValorDefinir(b;2).\n"));
    EXPECT_EQ(r.fim, FimExecucao::Parado) << pausado;
    EXPECT_FALSE(console.saida.join(u'\n').contains(QStringLiteral("{ValorDefinir... b;2}"))) << pausado;
    EXPECT_EQ(console.saida.contains(kPausado), pausado);
  }
}

// Entries reach the log file as the run goes, each once it can no longer
// change; clearing the log starts the file again.
TEST(HostConsole, LogNoArquivoEntradaPorEntrada) {
  QTemporaryDir dir;
  const QString caminho = dir.filePath(QStringLiteral("log.txt"));
  Console console;
  QString erro;
  ASSERT_TRUE(console.host->abrirLog(caminho, erro)) << erro.toStdString();
  console.host->setLogGeral(QStringLiteral("descartada"), CorLog::Texto);
  console.host->limparLog();
  console.host->setLogGeral(QStringLiteral("primeira\nde duas linhas"), CorLog::Texto);
  console.host->setLogGeral(QStringLiteral("segunda"), CorLog::Texto);
  console.host->editLogGeral(QStringLiteral(":resultado"));
  EXPECT_EQ(console.host->fecharLog(), QString());
  QString conteudo;
  ASSERT_TRUE(lerArquivoTexto(caminho, conteudo));
  EXPECT_EQ(conteudo, QStringLiteral("primeira\\nde duas linhas\nsegunda :resultado\n"));

  CLHostConsole semPasta(console.terminal, true);
  EXPECT_FALSE(semPasta.abrirLog(dir.filePath(QStringLiteral("nao/existe/log.txt")), erro));
  EXPECT_TRUE(erro.contains(QStringLiteral("nao/existe/log.txt"))) << erro.toStdString();
}

namespace {

// A simulated desktop that counts how often F9's state is asked.
class DesktopContado : public CLDesktopSimulado {
 public:
  int teclaEstado(int tecla) const override {
    if (tecla == tecla::kF9) ++leiturasF9;
    return CLDesktopSimulado::teclaEstado(tecla);
  }
  mutable int leiturasF9 = 0;
};

}  // namespace

// A run on the virtual clock goes as fast as it can: F9 is read at most once
// every kIntervaloF9 of wall-clock time, however many statements run.
TEST(HostConsole, F9ELidoNoMaximoACadaDezMilissegundos) {
  Console console;
  auto d = std::make_unique<DesktopContado>();
  DesktopContado* contado = d.get();
  console.host->setDesktop(std::move(d));
  console.host->setRegistraLog(false);
  const auto inicio = std::chrono::steady_clock::now();
  const ResultadoExecucao r = console.rodar(QStringLiteral(
      "&ValorDefinir(\"i\";\"0\").\n&Marcador(volta).\n&ValorInc(\"i\";1).\n&Se([i]<20000;&VaiPara(volta)).\n"));
  const auto decorridos = std::chrono::steady_clock::now() - inicio;
  EXPECT_EQ(r.fim, FimExecucao::Normal);
  EXPECT_GE(contado->leiturasF9, 1);
  EXPECT_LE(contado->leiturasF9, decorridos / kIntervaloF9 + 1);
}

// F9 is read only on a desktop the run already uses: a script that needs
// none gets none.
TEST(HostConsole, F9NaoCriaAreaDeTrabalho) {
  CLTerminal t;
  t.escrever = [](const QString&) {};
  t.escreverErro = [](const QString&) {};
  CLHostConsole host(t, /*relogioVirtual=*/true);
  int criadas = 0;
  host.setFabricaDesktop([&](QString&) -> std::unique_ptr<CLDesktop> {
    ++criadas;
    return std::make_unique<CLDesktopSimulado>();
  });
  CLScript script(host);
  prepararInicio(script, dividirLinhas(kScript));
  EXPECT_EQ(rodarScript(script).fim, FimExecucao::Normal);
  EXPECT_EQ(criadas, 0);
  EXPECT_FALSE(host.temDesktop());
}
