#include <gtest/gtest.h>

#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

class Motor : public ::testing::Test {
 protected:
  teste::CLHostTeste host;
  CLScript script{host};

  ResultadoExecucao rodar(const QString& texto) {
    prepararInicio(script, dividirLinhas(texto));
    return rodarScript(script);
  }
};

}  // namespace

TEST_F(Motor, LinhaInicialDepoisDaSecaoQueTerminaPorUltimo) {
  struct Caso {
    const char* texto;
    int inicio;
  } casos[] = {
      {"&TeclarEnter().", 0},
      {"##config\nx=1\n##config_fim\n##parametros\np\n##parametros_fim\n&A().", 5},
      {"##parametros\n##parametros_fim\n##config\n##config_fim\n&A().", 3},
      {"##info\n##info_fim\n&A().\n// ##INFO_FIM de novo", 3},  // last line holding the marker
      {"##CONFIG_FIM\n&A().", 0},  // the search in the text is case-sensitive
  };
  for (const auto& c : casos) {
    script.setLinhas(dividirLinhas(QString::fromUtf8(c.texto)));
    EXPECT_EQ(script.getStartLine(), c.inicio) << c.texto;
  }
}

TEST_F(Motor, ComentariosELinhasEmBrancoNaoRegistramNada) {
  script.setLinhas(dividirLinhas(QStringLiteral("\n// nada\n   \n//&TeclarEnter().")));
  int verdadeiros = 0;
  while (script.loadLine()) ++verdadeiros;
  EXPECT_EQ(verdadeiros, 4);
  EXPECT_TRUE(host.log().isEmpty());
  EXPECT_EQ(rodar(QString()).fim, FimExecucao::Normal);
  EXPECT_EQ(host.statusExecucao(), StatusExecucao::Inativo);
}

TEST_F(Motor, InstrucaoEmVariasLinhasRegistraUmaVezComAUltimaLinha) {
  rodar(QStringLiteral("&Desconhecida(\"a\";\n  \"b\";  // comentário\n\"c\").\n&Resultado()."));
  ASSERT_EQ(host.log().size(), 2);
  EXPECT_EQ(host.log()[0].texto, QStringLiteral("Linha: [3] Executando {Desconhecida... \"a\";\"b\";\"c\"}"));
  EXPECT_EQ(host.log()[1].texto, QStringLiteral("Linha: [4] Executando {Resultado... }"));
  EXPECT_EQ(host.editorLinhasSeguidas, (QStringList{"3", "4"}));
}

TEST_F(Motor, InstrucaoSemTerminadorEncerraComMensagem) {
  const auto r = rodar(QStringLiteral("&Resultado().\n\n&MsgExibir(\"x\"\n)"));
  // An error ends the run (mivo-run exits 1), not the end of the script.
  EXPECT_EQ(r.fim, FimExecucao::Erro);
  EXPECT_EQ(host.dialogos,
            QStringList{QStringLiteral("Erro: A função não está corretamente terminada (linha: 3). "
                                       "O script foi finalizado")} + QStringList{QStringLiteral("Passo oculto")});
  EXPECT_EQ(host.log().size(), 1);
}

TEST_F(Motor, ComentarioDePassoMostraEOculta) {
  rodar(QStringLiteral("//* Abrindo o programa\n&TeclarEnter(). //* Enviando\n//*#"));
  EXPECT_EQ(host.dialogos, (QStringList{"Passo: Abrindo o programa", "Passo: Enviando", "Passo oculto",
                                        "Passo oculto"}));
  EXPECT_EQ(host.log().size(), 1);
}

TEST_F(Motor, ResultadoNoLogEMarcador) {
  script.setResultado(QStringLiteral("FALHA"));
  rodar(QStringLiteral("&Resultado().\n&Marcador(fim).\n&Resultado().\n&Desconhecida().\n&Resultado()."));
  const QStringList esperado = {
      "Linha: [1] Executando {Resultado... }  :FALHA",
      "Linha: [2] Executando {Marcador... fim}",
      "Linha: [3] Executando {Resultado... }  :FALHA",  // the marker records nothing
      "Linha: [4] Executando {Desconhecida... }",
      "Linha: [5] Executando {Resultado... }",  // an unknown name records an empty result
  };
  EXPECT_EQ(host.textosDoLog(), esperado);
}

TEST_F(Motor, NomeNoLogComoEscritoEArgumentoLimitadoA500) {
  rodar(QStringLiteral("&tEcLaReNtEr().\n&X(") + QString(600, u'a') + QStringLiteral(")."));
  EXPECT_EQ(host.log()[0].texto, QStringLiteral("Linha: [1] Executando {tEcLaReNtEr... }"));
  EXPECT_EQ(host.log()[1].texto, QStringLiteral("Linha: [2] Executando {X... ") + QString(500, u'a') + u'}');
}

TEST_F(Motor, PausaPadraoDepoisDeCadaFuncaoInclusiveAninhadas) {
  script.setPausaPadrao(2);
  const qint64 t0 = host.agoraMs();
  script.execFunction(QStringLiteral("&Desconhecida()."));
  const qint64 umaPausa = host.agoraMs() - t0;
  EXPECT_GE(umaPausa, 3000);  // like "&Pausar" with 2: about three seconds
  EXPECT_LE(umaPausa, 3100);
  const qint64 t1 = host.agoraMs();
  script.execFunction(QStringLiteral("&Desconhecida(&Resultado())."));  // the outer call does not expand
  EXPECT_LE(host.agoraMs() - t1, 3100);
  const qint64 t2 = host.agoraMs();
  script.expandirValor(QStringLiteral("&Resultado() &Resultado()"));
  EXPECT_GE(host.agoraMs() - t2, 6000);
  const qint64 t3 = host.agoraMs();
  script.execFunction(QStringLiteral("&Marcador(x)."));
  script.execFunction(QStringLiteral("sem parenteses"));
  EXPECT_EQ(host.agoraMs(), t3);
}

TEST_F(Motor, PausarTerminaLogoQuandoPedemParada) {
  int chamadas = 0;
  host.aoBombear = [&](teste::CLHostTeste& h) {
    if (++chamadas == 4) h.setParar(true);
  };
  const qint64 t0 = host.agoraMs();
  script.pausar(30);
  EXPECT_LE(host.agoraMs() - t0, 250);
  EXPECT_GT(host.agoraMs() - t0, 0);
  script.pausar(-1);
}

TEST_F(Motor, DebugRespondidoNaoRodaAFuncaoEPara) {
  host.setDebugAtivo(true);
  host.respostas = {QStringLiteral("Sim"), QStringLiteral("Não")};
  script.setResultado(QStringLiteral("X"));
  const auto r = rodar(QStringLiteral("&Resultado().\n&Resultado().\n&Resultado()."));
  EXPECT_EQ(r.fim, FimExecucao::Parado);
  EXPECT_EQ(host.log().size(), 2);  // the second function still ran, the third did not
  EXPECT_EQ(host.log()[1].texto, QStringLiteral("Linha: [2] Executando {Resultado... }  :X"));
  EXPECT_EQ(host.dialogos.first(),
            QStringLiteral("Pergunta: Função: Resultado. Pressione \"Sim\" para continuar -> Sim"));
  EXPECT_EQ(script.linha(), 0);
  EXPECT_FALSE(host.parar());
}

TEST_F(Motor, DefinicaoDeBlocoEmSequenciaEPuladaESemFimEErro) {
  const auto r = rodar(QStringLiteral("&Bloco[x]().\n&A().\n&BlocoFim().\n&Resultado()."));
  EXPECT_EQ(r.fim, FimExecucao::Normal);
  // The definition is logged once its body was skipped, on the index of its end line.
  EXPECT_EQ(host.textosDoLog(), (QStringList{"Linha: [2] Executando {Bloco[x]... }",
                                             "Linha: [3] Executando {BlocoFim... }  :FALHA",
                                             "Linha: [4] Executando {Resultado... }  :FALHA"}));
  host.limparLog();
  CLScript outro(host);
  prepararInicio(outro, dividirLinhas(QStringLiteral("&Resultado().\n&bloco[y]().\n&A().")));
  const auto r2 = rodarScript(outro);
  EXPECT_EQ(r2.fim, FimExecucao::Erro);
  EXPECT_TRUE(host.dialogos.contains(QStringLiteral("Erro: ") + r2.mensagem));
  EXPECT_EQ(outro.linha(), 3);  // gLine keeps its value
}
