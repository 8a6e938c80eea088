#include <gtest/gtest.h>

#include "unCLDesktopSimulado.h"
#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

class Controle : public ::testing::Test {
 protected:
  teste::CLHostTeste host;
  CLDesktopSimulado desktop;
  CLScript script{host.usarDesktop(desktop)};

  QStringList rodar(const char* texto) {
    prepararInicio(script, dividirLinhas(QString::fromUtf8(texto)));
    rodarScript(script);
    return host.textosDoLog();
  }
};

}  // namespace

TEST_F(Controle, LacoComContadorSeEVaiPara) {
  rodar("&ValorDefinir(\"i\";\"0\").\n"
        "&Marcador(volta).\n"
        "&ValorInc(\"i\";1).\n"
        "&Se([i]<3;&VaiPara(volta)).\n");
  EXPECT_EQ(script.valores().valor(QStringLiteral("i")), QStringLiteral("3"));
  EXPECT_EQ(host.textosDoLog().filter(QStringLiteral("{ValorInc")).size(), 3);
  EXPECT_EQ(host.textosDoLog().filter(QStringLiteral("{VaiPara")).size(), 2);
}

TEST_F(Controle, VaiParaUsaOUltimoMarcadorSemDiferenciarMaiusculas) {
  const QStringList log = rodar("&VaiPara(fim).\n&Marcador(fim).\n&A().\n&Marcador(FIM).\n&B().");
  EXPECT_EQ(log, (QStringList{"Linha: [1] Executando {VaiPara... fim}  :OK",
                              "Linha: [4] Executando {Marcador... FIM}", "Linha: [5] Executando {B... }"}));
  EXPECT_EQ(host.editorLinhasSeguidas.mid(1, 1), QStringList{"3"});
}

TEST_F(Controle, FormasDeMarcador) {
  struct Caso {
    const char* salto;
    const char* marcador;
    const char* resultado;
  } casos[] = {
      {"&VaiPara(fim).", "&Marcador( fim).", "FALHA"},  // a blank inside the parentheses
      {"&VaiPara(\"fim\").", "&Marcador(\"fim\").", "OK"},
      {"&VaiPara(fim).", "&Marcador(\"FIM\").", "OK"},
      {"&VaiPara(\"fim\").", "&Marcador(fim).", "OK"},
      {"&VaiPara(ação).", "&marcador(AÇÃO).", "OK"},
      {"&VaiPara(só no comentário).", "// &Marcador(só no comentário).", "OK"},  // the text is searched
      {"&VaiPara(a)b).", "&Marcador(a)b).", "OK"},
      {"&VaiPara().", "&Marcador(x).", "FALHA"},
  };
  for (const auto& c : casos) {
    teste::CLHostTeste h;
    CLScript s(h.usarDesktop(desktop));
    prepararInicio(s, {QString::fromUtf8(c.salto), QString::fromUtf8(c.marcador)});
    rodarScript(s);
    EXPECT_EQ(s.resultado(), QString::fromUtf8(c.resultado)) << c.salto << " " << c.marcador;
  }
}

TEST_F(Controle, BlocoExecEBlocoFimComValorDeRetorno) {
  const QStringList log = rodar(
      "&BlocoExec(saudar).\n"
      "&Resultado().\n"
      "&VaiPara(fim).\n"
      "&Bloco[saudar]().\n"
      "&Dentro().\n"
      "&BlocoFim(\"valor [x]\").\n"
      "&Marcador(fim).");
  EXPECT_EQ(log, (QStringList{"Linha: [1] Executando {BlocoExec... saudar}  :OK",
                              "Linha: [5] Executando {Dentro... }",
                              "Linha: [6] Executando {BlocoFim... \"valor [x]\"}  :valor ",
                              "Linha: [2] Executando {Resultado... }  :valor ",
                              "Linha: [3] Executando {VaiPara... fim}  :OK",
                              "Linha: [7] Executando {Marcador... fim}"}));
}

TEST_F(Controle, BlocosDuplicadosVaziosEChamadaQueFalhou) {
  rodar("&BlocoExec(\"b\").\n&Bloco[b]().\n&A().\n&BlocoFim().\n&Bloco[B]().\n&C().\n&BlocoFim().");
  EXPECT_TRUE(host.textosDoLog().filter(QStringLiteral("{A...")).size() == 1);  // the first definition
  host.limparLog();
  CLScript vazio(host.usarDesktop(desktop));
  prepararInicio(vazio, dividirLinhas(QStringLiteral("&Bloco[v]().\n&BlocoFim().\n&A().")));
  rodarScript(vazio);
  EXPECT_EQ(host.textosDoLog(), (QStringList{"Linha: [1] Executando {Bloco[v]... }",
                                             "Linha: [2] Executando {BlocoFim... }  :FALHA",
                                             "Linha: [3] Executando {A... }"}));
  host.limparLog();
  // A failed call still leaves its return position pending.
  CLScript falhou(host.usarDesktop(desktop));
  prepararInicio(falhou, dividirLinhas(QStringLiteral("&BlocoExec(nada).\n&X().\n&BlocoFim().")));
  rodarScript(falhou);
  EXPECT_EQ(host.textosDoLog(), (QStringList{"Linha: [1] Executando {BlocoExec... nada}  :FALHA",
                                             "Linha: [2] Executando {X... }",
                                             "Linha: [3] Executando {BlocoFim... }",
                                             "Linha: [2] Executando {X... }",
                                             "Linha: [3] Executando {BlocoFim... }  :FALHA"}));
}

TEST_F(Controle, TesteLogico) {
  script.valores().acrescentar(QStringLiteral("n"), QStringLiteral("Maria"));
  struct Caso {
    const char* teste;
    bool esperado;
    bool erro;
  } casos[] = {
      {"a=a", true, false},
      {"a=A", false, false},
      {"a<>A", true, false},
      {"a<>a", false, false},
      {"\"a\"=a", true, false},
      {"\"a\" <> a", false, false},
      {"1,5>=1,5", true, false},
      {"2>1,5", true, false},
      {"10<9", false, false},  // numeric, not text
      {" 3 <= 3 ", true, false},
      {"-1<0", true, false},
      {"1.5>1", false, true},  // a decimal point is not a number here
      {"a > b", false, true},
      {"x=>y", false, false},  // "=" with a right side ">y"
      {"a<>b=c", true, false},  // "<>" is searched first
      {"[n]=Maria", true, false},
      {"sem operador", false, false},
      {"=", true, false},
      {"<", false, true},
  };
  for (const auto& c : casos) {
    host.limparLog();
    EXPECT_EQ(script.testeLogico(QString::fromUtf8(c.teste)), c.esperado) << c.teste;
    const bool logouErro = !host.log().isEmpty() && host.log().last().cor == CorLog::Vermelho &&
                           host.log().last().texto == QStringLiteral("Linha: [0] Erro na estrutura do teste lógico");
    EXPECT_EQ(logouErro, c.erro) << c.teste;
  }
}

TEST_F(Controle, SeExpandeSoORamoEscolhido) {
  script.valores().acrescentar(QStringLiteral("v"), QStringLiteral("1"));
  struct Caso {
    const char* instrucao;
    const char* resultado;
  } casos[] = {
      {"&Se([v]=1;sim [v];não).", "sim 1"},
      {"&Se([v]=2;sim;não [v]).", "não 1"},
      {"&Se([v]=2;sim).", ""},
      {"&Se([v]=1;;x).", "x"},  // the empty argument is dropped: "x" is the true branch
      {"&Se([v]=1;a;b;c).", "a"},
      {"&Se([v]=2;a;b;c).", ""},  // a false branch only with exactly three arguments
  };
  for (const auto& c : casos)
    EXPECT_EQ(script.execFunction(QString::fromUtf8(c.instrucao)), QString::fromUtf8(c.resultado)) << c.instrucao;
  host.limparLog();
  script.execFunction(QStringLiteral("&Se(1=2;&Um();&Dois())."));
  EXPECT_EQ(host.textosDoLog().filter(QStringLiteral("Executando {Um")).size(), 0);
  EXPECT_EQ(host.textosDoLog().filter(QStringLiteral("Executando {Dois")).size(), 1);
}

TEST_F(Controle, SeResultadoComparaSemMaiusculas) {
  script.setResultado(QStringLiteral("OK"));
  EXPECT_EQ(script.execFunction(QStringLiteral("&SeResultado(ok;feito).")), QStringLiteral("feito"));
  script.setResultado(QStringLiteral("FALHA"));
  EXPECT_EQ(script.execFunction(QStringLiteral("&SeResultado(ok;feito).")), QStringLiteral("FALHA"));
  script.setResultado(QStringLiteral("FALHA"));
  EXPECT_EQ(script.execFunction(QStringLiteral("&SeResultado(\"falha\").")), QString());
}

TEST_F(Controle, LinhasDeErroFatal) {
  struct Caso {
    const char* instrucao;
    const char* linha;
  } casos[] = {
      {"&Se(1=1).", "Linha: 7 | Se - Verifique a sintaxe de uso da função Se()."},
      {"&Se().", "Linha: 7 | Se - Verifique a sintaxe de uso da função Se()."},
      {"&SeResultado().", "Linha: 7 | SeResultado - Verifique a sintaxe de uso desta função."},
  };
  for (const auto& c : casos) {
    teste::CLHostTeste h;
    CLScript s(h.usarDesktop(desktop));
    s.setLinha(7);
    s.execFunction(QString::fromUtf8(c.instrucao));
    EXPECT_TRUE(s.erroFatal()) << c.instrucao;
    EXPECT_EQ(s.erroFatalTexto(), QString::fromUtf8(c.linha)) << c.instrucao;
  }
}

TEST_F(Controle, ErroFatalEncerraAExecucaoComALinhaEmVermelho) {
  const QStringList log = rodar("&Se(x).\n&Depois().");
  ASSERT_EQ(log.size(), 2);
  EXPECT_EQ(log[1], QStringLiteral("Linha: 1 | Se - Verifique a sintaxe de uso da função Se()."));
  EXPECT_EQ(host.log()[1].cor, CorLog::Vermelho);
}

TEST_F(Controle, ExecutarComandoAbreNoShellComQuebrasCodificadas) {
  script.valores().acrescentar(QStringLiteral("d"), QStringLiteral("a@b.com"));
  EXPECT_EQ(script.execFunction(QStringLiteral("&ExecutarComando(\"mailto:[d]?body=linha1\\nlinha2\").")),
            QString());
  ASSERT_EQ(desktop.acoes().size(), 1u);
  EXPECT_EQ(desktop.acoes()[0].tipo, TipoAcao::Abrir);
  EXPECT_EQ(desktop.acoes()[0].texto, u"mailto:a@b.com?body=linha1%0D%0Alinha2");
}
