#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <functional>
#include <new>
#include <stdexcept>

#include "unCLErro.h"
#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

// The test host, also counting how often the script was saved and able to
// fail while it shows an error.
struct HostExecucao : teste::CLHostTeste {
  int salvamentos = 0;
  bool falharAoMostrarErro = false;
  void salvarScript() override { ++salvamentos; }
  void mostrarErroNaoTratado(const QString& t) override {
    teste::CLHostTeste::mostrarErroNaoTratado(t);
    if (falharAoMostrarErro) throw std::runtime_error("a janela de erro falhou");
  }
};

class Execucao : public ::testing::Test {
 protected:
  HostExecucao host;
  CLScript script{host};

  ResultadoExecucao rodar(const QString& texto) {
    prepararInicio(script, dividirLinhas(texto));
    return rodarScript(script);
  }
};

}  // namespace

TEST_F(Execucao, PrepararInicioComecaDepoisDasSecoesEComOTextoNovo) {
  const QStringList linhas = dividirLinhas(QStringLiteral("##info\nnome=x\n##info_fim\n&A()."));
  prepararInicio(script, linhas);
  EXPECT_EQ(script.linhas(), linhas);
  EXPECT_EQ(script.linha(), 2);
  EXPECT_EQ(rodarScript(script).fim, FimExecucao::Normal);
  EXPECT_EQ(host.textosDoLog(), QStringList{QStringLiteral("Linha: [4] Executando {A... }")});

  // The same engine prepared again runs the new text, not what it read before.
  host.limparLog();
  EXPECT_EQ(rodar(QStringLiteral("&B().")).fim, FimExecucao::Normal);
  EXPECT_EQ(host.textosDoLog(), QStringList{QStringLiteral("Linha: [1] Executando {B... }")});
}

TEST_F(Execucao, StatusRodandoDuranteAExecucaoEInativoEmCadaDesfecho) {
  const struct {
    const char* texto;
    FimExecucao fim;
    const char* mensagem;
    int entradasNoLog;
  } casos[] = {
      {"&A().\n&B().", FimExecucao::Normal, "", 2},
      {"&Se(x).\n&B().", FimExecucao::ErroFatal, "Linha: 1 | Se - Verifique a sintaxe de uso da função Se().", 2},
      {"&TeclarID(x).\n&B().", FimExecucao::Erro, "'x' não é um número inteiro válido", 1},
      {"&A().\n&Bloco[y]().\n&B().", FimExecucao::Erro, "O bloco definido na linha 2 não termina com &BlocoFim()",
       1},
  };
  for (const auto& c : casos) {
    HostExecucao h;
    CLScript s(h);
    QList<StatusExecucao> vistos;
    h.aoBombear = [&](teste::CLHostTeste& x) { vistos << x.statusExecucao(); };
    prepararInicio(s, dividirLinhas(QString::fromUtf8(c.texto)));
    const ResultadoExecucao r = rodarScript(s);
    EXPECT_EQ(r.fim, c.fim) << c.texto;
    EXPECT_EQ(r.mensagem, QString::fromUtf8(c.mensagem)) << c.texto;
    EXPECT_EQ(h.log().size(), c.entradasNoLog) << c.texto;
    ASSERT_FALSE(vistos.isEmpty()) << c.texto;
    EXPECT_EQ(vistos.count(StatusExecucao::Rodando), vistos.size()) << c.texto;
    EXPECT_EQ(h.statusExecucao(), StatusExecucao::Inativo) << c.texto;
    // The step window is hidden at the end, whatever the outcome.
    EXPECT_EQ(h.dialogos.last(), QStringLiteral("Passo oculto")) << c.texto;
    // Only an escaped error is shown as an error.
    EXPECT_EQ(h.dialogos.contains(QStringLiteral("Erro: ") + r.mensagem), c.fim == FimExecucao::Erro) << c.texto;
  }
}

TEST_F(Execucao, PedidoDeParadaEncerraDepoisDaInstrucaoAtual) {
  const struct {
    const char* como;
    std::function<void(teste::CLHostTeste&)> parar;
  } casos[] = {
      {"sinal de parada", [](teste::CLHostTeste& h) { h.setParar(true); }},
      {"status Inativo", [](teste::CLHostTeste& h) { h.setStatusExecucao(StatusExecucao::Inativo); }},
      {"status encerrado", [](teste::CLHostTeste& h) { h.setStatusExecucao(StatusExecucao::Encerrado); }},
      {"Encerrar sem pausa", [](teste::CLHostTeste& h) { h.encerrarExecucao(); }},
  };
  for (const auto& c : casos) {
    HostExecucao h;
    CLScript s(h);
    h.aoBombear = [&](teste::CLHostTeste& x) { c.parar(x); };  // during the first statement
    prepararInicio(s, dividirLinhas(QStringLiteral("&A().\n&B().\n&C().")));
    const ResultadoExecucao r = rodarScript(s);
    EXPECT_EQ(r.fim, FimExecucao::Parado) << c.como;
    EXPECT_TRUE(r.mensagem.isEmpty()) << c.como;
    EXPECT_EQ(h.textosDoLog(), QStringList{QStringLiteral("Linha: [1] Executando {A... }")}) << c.como;
    EXPECT_EQ(s.linha(), 0) << c.como;  // a new run starts from the top
    EXPECT_FALSE(h.parar()) << c.como;  // the request was consumed
    EXPECT_EQ(h.statusExecucao(), StatusExecucao::Inativo) << c.como;
  }
}

TEST_F(Execucao, PausadoEsperaEEncerrarTerminaSemOutraInstrucao) {
  int passos = 0;
  host.aoBombear = [&](teste::CLHostTeste& h) {
    ++passos;
    if (passos == 1) h.setStatusExecucao(StatusExecucao::Pausado);  // during the first statement
    if (passos == 10) h.encerrarExecucao();                         // while paused
  };
  const qint64 t0 = host.agoraMs();
  const auto r = rodar(QStringLiteral("&A().\n&B().\n&C()."));
  EXPECT_EQ(r.fim, FimExecucao::Parado);
  EXPECT_EQ(host.log().size(), 1);
  EXPECT_GE(host.agoraMs() - t0, 200 * 7);  // waited in 200 ms steps
}

TEST_F(Execucao, PausadoRetomaComRodando) {
  int passos = 0;
  host.aoBombear = [&](teste::CLHostTeste& h) {
    ++passos;
    if (passos == 1) h.setStatusExecucao(StatusExecucao::Pausado);
    if (passos == 5) h.setStatusExecucao(StatusExecucao::Rodando);
  };
  EXPECT_EQ(rodar(QStringLiteral("&A().\n&B().")).fim, FimExecucao::Normal);
  EXPECT_EQ(host.log().size(), 2);
}

TEST_F(Execucao, ErroFatalEncerraDepoisDaInstrucaoELogaEmVermelho) {
  prepararInicio(script, dividirLinhas(QStringLiteral("&A().\n&B().")));
  script.setErroFatal(script.linhaDeErro(QStringLiteral(" | Se - Verifique a sintaxe de uso da função Se().")));
  const auto r = rodarScript(script);
  EXPECT_EQ(r.fim, FimExecucao::ErroFatal);
  ASSERT_EQ(host.log().size(), 2);
  EXPECT_EQ(host.log()[1].texto, QStringLiteral("Linha: 0 | Se - Verifique a sintaxe de uso da função Se()."));
  EXPECT_EQ(host.log()[1].cor, CorLog::Vermelho);
}

TEST_F(Execucao, SemAreaDeTrabalhoTerminaComDesfechoProprio) {
  host.setDesktop(nullptr);  // no desktop and no way to create one
  const auto r = rodar(QStringLiteral("&ValorDefinir(x;1).\n&TeclarEnter().\n&B()."));
  EXPECT_EQ(r.fim, FimExecucao::SemDesktop);
  EXPECT_EQ(r.mensagem, QStringLiteral("nenhuma área de trabalho foi configurada"));
  // The statement that needed the desktop was the last one.
  EXPECT_EQ(host.textosDoLog(), (QStringList{QStringLiteral("Linha: [1] Executando {ValorDefinir... x;1}  :1"),
                                             QStringLiteral("Linha: [2] Executando {TeclarEnter... }")}));
  EXPECT_EQ(host.dialogos, QStringList{QStringLiteral("Passo oculto")});  // no error window
  EXPECT_EQ(host.statusExecucao(), StatusExecucao::Inativo);
}

TEST_F(Execucao, PontosDeCliqueAprendidosPerguntamSeSalvaOScript) {
  const QString pergunta = QStringLiteral(
      "Pergunta: O script foi modificado por conta de definições de pontos de clique. Salvando o script você não "
      "precisará ter que definir todos os pontos da próxima vez que rodar esse script. Deseja salvar? -> ");
  const struct {
    bool aprendeu;
    const char* resposta;
    int salvamentos;
  } casos[] = {
      {true, "Sim", 1},
      {true, "Não", 0},
      {true, "sim", 0},  // only the exact "Sim" saves
      {false, "Sim", 0},
  };
  for (const auto& c : casos) {
    HostExecucao h;
    CLScript s(h);
    h.respostas = QStringList{QString::fromUtf8(c.resposta)};
    s.setUsouCliquePerguntar(c.aprendeu);
    prepararInicio(s, {QStringLiteral("&A().")});
    EXPECT_EQ(rodarScript(s).fim, FimExecucao::Normal);
    const QStringList esperado = c.aprendeu ? QStringList{QStringLiteral("Passo oculto"),
                                                          pergunta + QString::fromUtf8(c.resposta)}
                                            : QStringList{QStringLiteral("Passo oculto")};
    EXPECT_EQ(h.dialogos, esperado) << c.aprendeu << " " << c.resposta;
    EXPECT_EQ(h.salvamentos, c.salvamentos) << c.aprendeu << " " << c.resposta;
    EXPECT_FALSE(s.usouCliquePerguntar());  // asked once per learning
  }
}

TEST_F(Execucao, ExecutarProtegidoTransformaOQueEscapaNumDesfecho) {
  const struct {
    const char* nome;
    std::function<void()> trabalho;
    FimExecucao fim;
    const char* mensagem;
    bool mostrado;  // shown as an error through the host
  } casos[] = {
      {"nada", [] {}, FimExecucao::Normal, "", false},
      {"CLErro", [] { throw CLErro(QStringLiteral("Algo deu errado")); }, FimExecucao::Erro, "Algo deu errado", true},
      {"sem desktop", [] { throw CLErroSemDesktop(QStringLiteral("sem tela")); }, FimExecucao::SemDesktop,
       "sem tela", false},
      {"usuário desistiu", [] { throw CLAbortoSilencioso(); }, FimExecucao::Parado, "", false},
      {"memória", [] { throw std::bad_alloc(); }, FimExecucao::Erro,
       "Memória insuficiente para continuar a execução", true},
      {"std::exception", [] { throw std::runtime_error("detalhe"); }, FimExecucao::Erro,
       "Falha inesperada na execução (detalhe)", true},
      {"outro tipo", [] { throw 42; }, FimExecucao::Erro, "Falha inesperada na execução", true},
  };
  for (const auto& c : casos) {
    teste::CLHostTeste h;
    ResultadoExecucao r;
    EXPECT_NO_THROW(r = executarProtegido(h, c.trabalho)) << c.nome;
    EXPECT_EQ(r.fim, c.fim) << c.nome;
    EXPECT_EQ(r.mensagem, QString::fromUtf8(c.mensagem)) << c.nome;
    EXPECT_EQ(h.dialogos, c.mostrado ? QStringList{QStringLiteral("Erro: ") + QString::fromUtf8(c.mensagem)}
                                     : QStringList{})
        << c.nome;
  }
}

TEST_F(Execucao, FalhaAoMostrarOErroNaoEscapaDaFronteira) {
  host.falharAoMostrarErro = true;
  ResultadoExecucao r;
  EXPECT_NO_THROW(r = executarProtegido(host, [] { throw CLErro(QStringLiteral("primeiro")); }));
  EXPECT_EQ(r.fim, FimExecucao::Erro);
  EXPECT_EQ(r.mensagem, QStringLiteral("primeiro"));
  EXPECT_EQ(host.dialogos, QStringList{QStringLiteral("Erro: primeiro")});

  // The same through a run: the outcome is the escaped error's.
  host.dialogos.clear();
  const auto corrida = rodar(QStringLiteral("&TeclarID(x).\n&B()."));
  EXPECT_EQ(corrida.fim, FimExecucao::Erro);
  EXPECT_EQ(corrida.mensagem, QStringLiteral("'x' não é um número inteiro válido"));
  EXPECT_EQ(host.statusExecucao(), StatusExecucao::Inativo);
}

TEST_F(Execucao, EntradasMalFormadasTerminamNumDesfechoDocumentado) {
  QString lixo;
  auto* rng = QRandomGenerator::global();
  QByteArray bytes(200000, '\0');
  for (auto& b : bytes) b = static_cast<char>(rng->bounded(256));
  lixo = decodificarTexto(bytes);
  const QString casos[] = {
      lixo,
      QStringLiteral("&MsgExibir(\"") + QString(1 << 20, u'x') + QStringLiteral("\")."),
      QStringLiteral("&A(\"aspas sem fim).\n&B(((((().\n&C()))))).\n&(x).\n&).\n&&&&("),
      QString(50000, u'&'),
      QStringLiteral("&A(") + QString(100000, u'\n'),
      QStringLiteral("&Desconhecida([a][b]{c}{d}|^~\\n&&&(((\"\"\"))).\n"),
  };
  for (const QString& texto : casos) {
    teste::CLHostTeste h;
    CLScript s(h);
    prepararInicio(s, dividirLinhas(texto));
    const auto r = rodarScript(s);
    EXPECT_TRUE(r.fim == FimExecucao::Normal || r.fim == FimExecucao::Erro) << texto.left(40).toStdString();
    EXPECT_EQ(h.statusExecucao(), StatusExecucao::Inativo);
  }
}
