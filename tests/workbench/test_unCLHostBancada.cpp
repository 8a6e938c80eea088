#include "unCLHostBancada.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

#include "unCLDesktopSimulado.h"
#include "unCLScript.h"

namespace mivo {
namespace {

// A window that only records what the host asked of it.
class CLVisaoTeste : public CLVisaoBancada {
 public:
  QString texto;
  QStringList auxiliar, informacoes, erros, mensagens;
  QList<StatusExecucao> status;
  int seguidas = 0;  // statements the editor followed
  int pausadasPorTecla = 0;
  int antes = 0, depois = 0;
  std::function<void(int)> aoSeguir;  // called with the statement count
  std::function<void()> aoInformar;
  QString respostaValor;
  bool confirmaValor = true;
  CLProgresso progressoNulo;

  void mostrarInformacao(const QString& t) override {
    informacoes.append(t);
    if (aoInformar) aoInformar();
  }
  void mostrarErro(const QString& t) override { erros.append(t); }
  void mostrarAviso(const QString&) override {}
  void mostrarMensagem(const QString& t) override { mensagens.append(t); }
  RespostaSimNao perguntarSimNao(const QString&) override { return RespostaSimNao::Nao; }
  void mostrarDica(const QString&, const QString&, int) override {}
  QString pedirValor(const QString&, const QString&, bool& confirmado) override {
    confirmado = confirmaValor;
    return respostaValor;
  }
  CLProgresso& progresso() override { return progressoNulo; }
  void editorSeguir(int) override {
    ++seguidas;
    if (aoSeguir) aoSeguir(seguidas);
  }
  QString editorTexto() const override { return texto; }
  void setEditorTexto(const QString& t) override { texto = t; }
  void salvarScript() override {}
  QStringList textoAuxiliarLinhas() const override { return auxiliar; }
  void setTextoAuxiliarLinhas(const QStringList& l) override { auxiliar = l; }
  void registrarTextoAberto(const QString&) override {}
  void selecionarAbaPrincipal(int) override {}
  void selecionarAbaScript(int) override {}
  void ajustarColunas() override {}
  void statusAlterado(StatusExecucao s) override { status.append(s); }
  void updateRodando(int, const QString&) override {}
  void antesDaExecucao() override { ++antes; }
  void depoisDaExecucao(const ResultadoExecucao&) override { ++depois; }
  void pausadoPorTecla() override { ++pausadasPorTecla; }
  void mostrarPasso(const QString& t) override { passos << t; }
  void esconderPasso() override { passos << QStringLiteral("(oculto)"); }
  QStringList passos;
};

class HostBancada : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gBase.isValid());
    qputenv("MIVO_BASE_DIR", gBase.path().toLocal8Bit());
    auto desktop = std::make_unique<CLDesktopSimulado>();
    gDesktop = desktop.get();
    gHost = std::make_unique<CLHostBancada>(gVisao, true);
    gHost->setDesktop(std::move(desktop));
  }
  void TearDown() override {
    gHost.reset();
    qunsetenv("MIVO_BASE_DIR");
  }
  ResultadoExecucao rodar(const QString& script) {
    gVisao.texto = script;
    gHost->novoScript();
    return gHost->executar(true);
  }

  QTemporaryDir gBase;
  CLVisaoTeste gVisao;
  CLDesktopSimulado* gDesktop = nullptr;
  std::unique_ptr<CLHostBancada> gHost;
};

const QString kSemFim = QStringLiteral("&Marcador(a).\n&TaLinhaAdicionar(x).\n&VaiPara(a).");
// Far more statements than any of these tests needs: a run still going
// then is a failure, not a hang.
constexpr int kLimite = 200000;

TEST_F(HostBancada, ExecucaoAteOFim) {
  gHost->modeloLog().setPausado(false);
  const ResultadoExecucao r =
      rodar(QStringLiteral("##config\n##config_fim\n&TaLinhaAdicionar(um).\n&TaLinhaAdicionar(dois)."));
  EXPECT_EQ(r.fim, FimExecucao::Normal);
  EXPECT_EQ(gVisao.auxiliar, QStringList({QStringLiteral("um"), QStringLiteral("dois")}));
  EXPECT_EQ(gVisao.status, QList<StatusExecucao>({StatusExecucao::Rodando, StatusExecucao::Inativo}));
  EXPECT_EQ(gVisao.antes, 1);
  EXPECT_EQ(gVisao.depois, 1);
  EXPECT_FALSE(gHost->emExecucao());
  EXPECT_FALSE(gHost->tmKeyAtivo());
  // The run starts after the header: one entry per statement.
  ASSERT_EQ(gHost->modeloLog().rowCount(), 2);
  EXPECT_TRUE(gHost->modeloLog().texto(1).contains(QStringLiteral("Linha: [4] Executando {TaLinhaAdicionar... dois}")));
}

TEST_F(HostBancada, EncerrarTerminaUmScriptSemFim) {
  gVisao.aoSeguir = [this](int n) {
    if (n == 50 || n > kLimite) gHost->encerrarExecucao();
  };
  const ResultadoExecucao r = rodar(kSemFim);
  EXPECT_EQ(r.fim, FimExecucao::Parado);
  EXPECT_LT(gVisao.seguidas, 60);
  EXPECT_EQ(gHost->statusExecucao(), StatusExecucao::Inativo);
  EXPECT_FALSE(gHost->estado().parar());
  EXPECT_EQ(gHost->script().linha(), 0);
}

TEST_F(HostBancada, PausarRetomarEEncerrarNaPausa) {
  // Paused at statement 10; resumed on a later pump; paused again at 20
  // and stopped while paused: no statement runs after the second pause.
  int pumpsNaPausa = 0;
  gVisao.aoSeguir = [&](int n) {
    if (n == 10 || n == 20) {
      ASSERT_TRUE(gHost->pausar());
      QTimer::singleShot(0, [&, n] {
        ++pumpsNaPausa;
        EXPECT_EQ(gHost->statusExecucao(), StatusExecucao::Pausado);
        if (n == 10)
          gHost->retomar();
        else
          gHost->encerrarExecucao();
      });
    }
    if (n > kLimite) gHost->encerrarExecucao();
  };
  const ResultadoExecucao r = rodar(kSemFim);
  EXPECT_EQ(r.fim, FimExecucao::Parado);
  EXPECT_EQ(pumpsNaPausa, 2);
  EXPECT_EQ(gVisao.seguidas, 20);
  EXPECT_TRUE(gVisao.status.contains(StatusExecucao::Pausado));
  EXPECT_EQ(gHost->statusExecucao(), StatusExecucao::Inativo);
}

TEST_F(HostBancada, F9PausaUmScriptSemFim) {
  gVisao.aoSeguir = [this](int n) {
    if (n == 5) gDesktop->setTeclaEstado(tecla::kF9, true, false);
    if (n > kLimite) gHost->encerrarExecucao();
  };
  // The message is modal: the user reads it, lets F9 go and stops the run.
  gVisao.aoInformar = [this] {
    EXPECT_EQ(gHost->statusExecucao(), StatusExecucao::Pausado);
    EXPECT_FALSE(gHost->tmKeyAtivo());
    gDesktop->setTeclaEstado(tecla::kF9, false, false);
    QTimer::singleShot(0, [this] { gHost->encerrarExecucao(); });
  };
  const ResultadoExecucao r = rodar(kSemFim);
  EXPECT_EQ(r.fim, FimExecucao::Parado);
  EXPECT_EQ(gVisao.informacoes, QStringList(QStringLiteral("O script foi pausado por sua solicitação")));
  EXPECT_EQ(gVisao.pausadasPorTecla, 1);
  EXPECT_LT(gVisao.seguidas, kLimite);
}

TEST_F(HostBancada, F9SoAgeComOStatusRodando) {
  gDesktop->setTeclaEstado(tecla::kF9, true, false);
  for (const StatusExecucao s : {StatusExecucao::Pausado, StatusExecucao::Inativo}) {
    gHost->setStatusExecucao(s);
    gHost->verificarF9();
    EXPECT_EQ(gHost->statusExecucao(), s);
  }
  EXPECT_TRUE(gVisao.informacoes.isEmpty());
  // F9 held by the script itself is not the user asking.
  gDesktop->setTeclaEstado(tecla::kF9, false, false);
  gDesktop->teclaPressionar(tecla::kF9);
  const ResultadoExecucao r = rodar(QStringLiteral("&Pausar100(5).\n&TaLinhaAdicionar(fim)."));
  EXPECT_TRUE(gVisao.informacoes.isEmpty());
  EXPECT_EQ(r.fim, FimExecucao::Normal);
  EXPECT_EQ(gVisao.auxiliar, QStringList(QStringLiteral("fim")));
}

TEST_F(HostBancada, ErrosTerminamAExecucao) {
  gHost->modeloLog().setPausado(false);
  ResultadoExecucao r = rodar(QStringLiteral("&MouseNormal().\n&TaLinhaAdicionar(depois)."));
  EXPECT_EQ(r.fim, FimExecucao::ErroFatal);
  EXPECT_TRUE(gVisao.auxiliar.isEmpty());
  ASSERT_GE(gHost->modeloLog().rowCount(), 1);
  const int ultima = gHost->modeloLog().rowCount() - 1;
  EXPECT_EQ(gHost->modeloLog().cor(ultima), CorLog::Vermelho);
  EXPECT_TRUE(gHost->modeloLog().texto(ultima).contains(QStringLiteral("Linha: 1 | ")));

  r = rodar(QStringLiteral("&TeclarID(abc).\n&TaLinhaAdicionar(depois)."));
  EXPECT_EQ(r.fim, FimExecucao::Erro);
  ASSERT_EQ(gVisao.mensagens.size(), 1);
  EXPECT_TRUE(gVisao.mensagens[0].startsWith(QStringLiteral("Erro: ")));
  EXPECT_TRUE(gVisao.auxiliar.isEmpty());
  EXPECT_EQ(gHost->statusExecucao(), StatusExecucao::Inativo);
  EXPECT_FALSE(gHost->emExecucao());
}

TEST_F(HostBancada, PedirValorTerminaCadaLinhaComCrLf) {
  gVisao.respostaValor = QStringLiteral("a\r\nb");
  EXPECT_EQ(gHost->pedirValor(QStringLiteral("?"), {}), QStringLiteral("a\r\nb\r\n"));
  gVisao.confirmaValor = false;
  EXPECT_EQ(gHost->pedirValor(QStringLiteral("?"), {}), QString());
}

TEST_F(HostBancada, LogPausadoAindaAtualizaABarra) {
  gHost->setLogGeral(QStringLiteral("x"), CorLog::Texto);
  EXPECT_EQ(gHost->modeloLog().rowCount(), 0);
  gHost->modeloLog().setPausado(false);
  gHost->setLogGeral(QStringLiteral("y"), CorLog::Texto);
  EXPECT_EQ(gHost->modeloLog().rowCount(), 1);
  gHost->limparLog();
  EXPECT_EQ(gHost->modeloLog().rowCount(), 0);
}

}  // namespace
}  // namespace mivo
