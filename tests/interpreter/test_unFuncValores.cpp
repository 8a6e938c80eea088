#include <gtest/gtest.h>

#include "unCLScript.h"
#include "unFuncValores.h"
#include "unHostTeste.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

class Valores : public ::testing::Test {
 protected:
  teste::CLHostTeste host;
  CLScript script{host};

  QString f(const char* instrucao) { return script.execFunction(QString::fromUtf8(instrucao)); }
  QString v(const char* nome) { return script.valores().valor(QString::fromUtf8(nome)); }
};

}  // namespace

TEST_F(Valores, DefinirELerSemDiferenciarMaiusculas) {
  EXPECT_EQ(f("&ValorDefinir(\"Nome\";\"Maria\")."), QStringLiteral("Maria"));
  EXPECT_EQ(f("&Valor(\"NOME\")."), QStringLiteral("Maria"));
  EXPECT_EQ(f("&Valor(nome)."), QStringLiteral("Maria"));
  EXPECT_EQ(f("&Valor(outro)."), QString());
  EXPECT_EQ(f("&ValorDefinir(\"saudacao\";\"Oi [nome]\";\"sim\")."), QStringLiteral("Oi [nome]"));
  EXPECT_EQ(f("&ValorDefinir(\"saudacao\";\"Oi [nome]\";\"não\")."), QStringLiteral("Oi Maria"));
  EXPECT_EQ(f("&ValorDefinir(\"saudacao\";\"Oi [nome]\")."), QStringLiteral("Oi Maria"));
  EXPECT_EQ(script.valores().size(), 2);
}

TEST_F(Valores, ParametroRepetidoUsaOPrimeiro) {
  script.valores().acrescentar(QStringLiteral("p"), QStringLiteral("um"));
  script.valores().acrescentar(QStringLiteral("P"), QStringLiteral("dois"));
  EXPECT_EQ(f("&Valor(p)."), QStringLiteral("um"));
  f("&ValorDefinir(p;três).");
  EXPECT_EQ(script.valores().entradas()[0].dados.gValor, QStringLiteral("três"));
  EXPECT_EQ(script.valores().entradas()[1].dados.gValor, QStringLiteral("dois"));
}

TEST_F(Valores, ValorPedir) {
  host.respostas = {QStringLiteral("abc\r\n"), QString(), QStringLiteral("a;b\r\n"),
                    QStringLiteral("[x]\r\n")};
  script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
  EXPECT_EQ(f("&ValorPedir(\"Cidade\";\"Qual a cidade?\")."), QStringLiteral("OK"));
  EXPECT_EQ(v("cidade"), QStringLiteral("abc"));
  EXPECT_EQ(f("&ValorPedir(\"cidade\";\"\")."), QStringLiteral("FALHA"));  // cancelled
  EXPECT_EQ(host.dialogos[1], QStringLiteral("Valor: Informe o valor de cidade: -> "));
  EXPECT_EQ(v("cidade"), QStringLiteral("abc"));
  f("&ValorPedir(\"cidade\";\"?\").");
  EXPECT_EQ(v("cidade"), QStringLiteral("\"a"));  // a ";" cuts the answer
  f("&ValorPedir(\"cidade\";\"?\").");
  EXPECT_EQ(v("cidade"), QStringLiteral("X"));  // references in the answer are expanded
}

TEST_F(Valores, ValorInc) {
  script.valores().acrescentar(QStringLiteral("n"), QStringLiteral("41"));
  script.valores().acrescentar(QStringLiteral("texto"), QStringLiteral("abc"));
  script.valores().acrescentar(QStringLiteral("passo"), QStringLiteral("-2"));
  EXPECT_EQ(f("&ValorInc(\"N\";1)."), QStringLiteral("OK"));
  EXPECT_EQ(v("n"), QStringLiteral("42"));
  EXPECT_EQ(f("&ValorInc(n;[passo])."), QStringLiteral("OK"));
  EXPECT_EQ(v("n"), QStringLiteral("40"));
  EXPECT_EQ(f("&ValorInc(nada;1)."), QStringLiteral("FALHA"));
  EXPECT_FALSE(script.erroFatal());
  script.setResultado(QStringLiteral("antes"));
  EXPECT_EQ(f("&ValorInc(texto;1)."), QStringLiteral("antes"));  // the result stays
  EXPECT_TRUE(script.erroFatal());
  EXPECT_EQ(v("texto"), QStringLiteral("abc"));
}

TEST_F(Valores, ValorIncComIncrementoInvalidoEFatal) {
  script.valores().acrescentar(QStringLiteral("n"), QStringLiteral("1"));
  for (const char* instrucao : {"&ValorInc(n;um).", "&ValorInc(n;1,5).", "&ValorInc(nada;x).",
                                "&ValorInc(n;99999999999999999999)."}) {
    teste::CLHostTeste h;
    CLScript s(h);
    s.valores().acrescentar(QStringLiteral("n"), QStringLiteral("1"));
    s.execFunction(QString::fromUtf8(instrucao));
    EXPECT_TRUE(s.erroFatal()) << instrucao;
    EXPECT_EQ(s.valores().valor(QStringLiteral("n")), QStringLiteral("1")) << instrucao;
  }
}

TEST_F(Valores, LinhasDeErroFatal) {
  struct Caso {
    const char* instrucao;
    const char* linha;
  } casos[] = {
      {"&ValorDefinir(\"x\").", "Linha: 7 | ValorDefinir - Verifique a sintaxe de uso desta função."},
      {"&ValorPedir(\"x\").", "Linha: 7 | ValorPedir - Verifique a sintaxe de uso desta função."},
      {"&ValordoArquivo(\"x\").", "Linha: 7 | valorDoArquivo - Verifique a sintaxe de uso desta função."},
      {"&ValorInc(\"x\").", "Linha: 7 | ValorInc - A variável não existe ou há problemas na sintaxe da função."},
      {"&ValorSubstituir(\"x\").", "Linha: 7 | ValorSubstituir - Verifique se os 3 parâmetros da função estão corretos"},
  };
  for (const auto& c : casos) {
    teste::CLHostTeste h;
    CLScript s(h);
    s.setLinha(7);
    s.execFunction(QString::fromUtf8(c.instrucao));
    EXPECT_TRUE(s.erroFatal()) << c.instrucao;
    EXPECT_EQ(s.erroFatalTexto(), QString::fromUtf8(c.linha)) << c.instrucao;
  }
}

TEST_F(Valores, ValorSubstituir) {
  script.valores().acrescentar(QStringLiteral("tel"), QStringLiteral("(81) 9999 0000"));
  EXPECT_EQ(f("&ValorSubstituir(tel;\" \")."), QStringLiteral("OK"));
  EXPECT_EQ(v("tel"), QStringLiteral("(81)99990000"));
  f("&ValorSubstituir(tel;\"(81)\";\"81-\").");
  EXPECT_EQ(v("tel"), QStringLiteral("81-99990000"));
  script.valores().acrescentar(QStringLiteral("frase"), QStringLiteral("Bom Dia, bom dia"));
  f("&ValorSubstituir(frase;BOM;Ótimo).");  // letter case ignored
  EXPECT_EQ(v("frase"), QStringLiteral("Ótimo Dia, Ótimo dia"));
  f("&ValorSubstituir(frase;\"\";x).");
  EXPECT_EQ(v("frase"), QStringLiteral("Ótimo Dia, Ótimo dia"));
}

TEST_F(Valores, ValordoArquivo) {
  teste::CLPastaBaseTeste base;
  ASSERT_TRUE(gravarArquivo(base.filePath(QStringLiteral("dados/textos/tres.txt")),
                            "\xEF\xBB\xBFlinha 1\r\nlinha 2 [x]\nlinha 3\\nfim\n"));
  script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
  EXPECT_EQ(f("&ValordoArquivo(\"Texto\";\"tres\")."), QStringLiteral("OK"));
  EXPECT_EQ(v("texto"), QStringLiteral("linha 1linha 2 Xlinha 3\r\nfim\r\n"));
  EXPECT_EQ(script.valores().entradas().last().nome, QStringLiteral("Texto"));
  EXPECT_EQ(f("&ValordoArquivo(\"y\";\"nao-existe\")."), QStringLiteral("FALHA"));
  EXPECT_EQ(f(("&ValordoArquivo(\"z\";\"" + base.filePath(QStringLiteral("dados/textos/tres.txt")) + "\").")
                  .toUtf8()
                  .constData()),
            QStringLiteral("OK"));
}

TEST_F(Valores, DataHoraESaudacao) {
  host.relogio().definirDataHora(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)));
  EXPECT_EQ(f("&Data()."), QStringLiteral("07/03/2026"));
  EXPECT_EQ(f("&Hora()."), QStringLiteral("09:05:03"));
  EXPECT_EQ(f("&Saudacao()."), QStringLiteral("bom dia"));
  const std::pair<int, const char*> casos[] = {{0, "bom dia"},    {11, "bom dia"},   {12, "boa tarde"},
                                               {17, "boa tarde"}, {18, "boa noite"}, {23, "boa noite"}};
  for (const auto& [hora, esperado] : casos) EXPECT_EQ(saudacaoPara(hora), QString::fromUtf8(esperado));
}

TEST_F(Valores, ParametrosDesativarDeixaTudoComoEscrito) {
  script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
  f("&parametrosdesativar().");
  EXPECT_EQ(f("&ValorDefinir(a;\"[x]\\n\")."), QStringLiteral("[x]\\n"));
  f("&ParametrosAtivar().");
  EXPECT_EQ(f("&ValorDefinir(a;\"[x]\\n\")."), QStringLiteral("X\r\n"));
}

TEST_F(Valores, PausasNoRelogioVirtual) {
  struct Caso {
    const char* instrucao;
    qint64 minimo;
    qint64 maximo;
  } casos[] = {
      {"&Pausar(0).", 1000, 1100},   // about one second
      {"&Pausar(2).", 3000, 3100},   // about three
      {"&Pausar([dois]).", 3000, 3100},
      {"&Pausar(-1).", 0, 0},
      {"&Pausar(abc).", 0, 0},
      {"&Pausar100(50).", 500, 500},
      {"&Pausar100(250).", 1000, 1000},  // capped at one second
      {"&Pausar100(-5).", 0, 0},
      {"&Pausar100(x).", 0, 0},
      {"&Pausar100(99999999999).", 1000, 1000},
  };
  script.valores().acrescentar(QStringLiteral("dois"), QStringLiteral("2"));
  for (const auto& c : casos) {
    const qint64 t0 = host.agoraMs();
    f(c.instrucao);
    const qint64 d = host.agoraMs() - t0;
    EXPECT_GE(d, c.minimo) << c.instrucao;
    EXPECT_LE(d, c.maximo) << c.instrucao;
  }
}

TEST_F(Valores, PausarAcabaLogoQuandoPedemParada) {
  host.aoBombear = [](teste::CLHostTeste& h) {
    if (h.agoraMs() >= 10000) h.setParar(true);
  };
  const qint64 t0 = host.agoraMs();
  f("&Pausar(60).");
  EXPECT_GE(host.agoraMs() - t0, 10000);
  EXPECT_LE(host.agoraMs() - t0, 10050);
}

TEST_F(Valores, PausaPadrao) {
  f("&PausaPadrao(1).");
  EXPECT_EQ(script.pausaPadrao(), 1);
  const qint64 t0 = host.agoraMs();
  f("&Desconhecida().");
  EXPECT_GE(host.agoraMs() - t0, 2000);
  f("&PausaPadrao(x).");
  EXPECT_EQ(script.pausaPadrao(), 1);
  f("&PausaPadrao(0).");
  EXPECT_EQ(script.pausaPadrao(), 0);
}
