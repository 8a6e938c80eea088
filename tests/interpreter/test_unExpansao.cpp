#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "unCLScript.h"
#include "unHostTeste.h"

using namespace mivo;

namespace {

class Expansao : public ::testing::Test {
 protected:
  teste::CLHostTeste host;
  CLScript script{host};

  void SetUp() override {
    script.valores().acrescentar(QStringLiteral("nome"), QStringLiteral("Maria"));
    CLGrade& g = script.grade();
    g.setColCount(3);
    g.setRowCount(3);
    g.setCell(0, 0, QStringLiteral("Email "));
    g.setCell(1, 0, QStringLiteral("saudacao"));
    g.setCell(2, 0, QStringLiteral("eco"));
    g.setCell(0, 1, QStringLiteral("maria@exemplo.com"));
    g.setCell(1, 1, QStringLiteral("Oi [nome]"));
    g.setCell(2, 1, QStringLiteral("{eco}"));
    g.setRow(1);
  }
  QString x(const char* t, bool ignorar = false) {
    return script.expandirValor(QString::fromUtf8(t), ignorar);
  }
};

}  // namespace

TEST_F(Expansao, VariaveisColunasEEscapes) {
  struct Caso {
    const char* entrada;
    const char* esperado;
  } casos[] = {
      {"Olá [nome]", "Olá Maria"},
      {"Olá [NOME]", "Olá Maria"},
      {"Olá [\"nome\"]", "Olá Maria"},
      {"Olá [outro]", "Olá "},  // the blank before the reference stays
      {"{email}", "maria@exemplo.com"},  // title "Email " trimmed, any letter case
      {"{saudacao}!", "Oi [nome]!"},    // a cell is data: not read again
      {"{nada}x", "x"},  // no such column: empty, and a warning (below)
      {"~nome}", "{nome}"},
      {"a|b", "a&b"},
      {"a^b", "a&b"},
      {"a\\nb", "a\r\nb"},
      {"  a  ", "a"},
      {"a\r\nb", "ab"},  // line breaks written into the text are dropped
      {"x|y\\n [z", "x|y\r\n [z"},  // unmatched "[": escapes left as they are
      {"x|y {z", "x|y {z"},
      {"a]b[nome]", "a]bMaria"},
  };
  for (const auto& c : casos) EXPECT_EQ(x(c.entrada), QString::fromUtf8(c.esperado)) << c.entrada;
  // An unknown column is reported once per run, however often it is met.
  EXPECT_EQ(x("{Nada}-{nada }"), QStringLiteral("-"));
  EXPECT_EQ(host.avisos(), QStringList{QStringLiteral("a coluna {nada} não existe na lista; ficou vazia")});
}

// Contact data is data: a cell substituted for {coluna}, or given by
// &LaValor inside an argument, arrives exactly as it was loaded, and nothing
// in it runs.
TEST_F(Expansao, DadosDeContatoChegamComoForamEscritos) {
  const char* celulas[] = {
      "Lúcia & Filhos (Ltda.)", "Maria [VIP]", "Ana {filial}", "José ^ Cia | Ltda", "&MsgExibir(CARREGOU).",
      "&ExecutarComando(\"touch criado-pela-lista\").", "C:\\novo\\nome", "~x~", "[nome]",
      "\xEF\xB7\x90 reservado",  // a noncharacter in the data itself
  };
  for (const char* c : celulas) {
    const QString celula = QString::fromUtf8(c);
    script.grade().setCell(0, 1, celula);
    EXPECT_EQ(x("{email}"), celula) << c;
    EXPECT_EQ(x("Para: {Email} ok"), QStringLiteral("Para: ") + celula + QStringLiteral(" ok")) << c;
    EXPECT_EQ(x("&LaValor(email) e [nome]"), celula + QStringLiteral(" e Maria")) << c;
    // The author's own escapes around the data still work.
    EXPECT_EQ(x("a|b {email}\\n"), QStringLiteral("a&b ") + celula + QStringLiteral("\r\n")) << c;
  }
  EXPECT_TRUE(host.dialogos.isEmpty()) << host.dialogos.join(u'\n').toStdString();
}

TEST_F(Expansao, IgnorarVariaveisDeixaReferenciasMasTrataEscapes) {
  EXPECT_EQ(x("[nome] {email} a|b\\n", true), QStringLiteral("[nome] {email} a&b\r\n"));
}

TEST_F(Expansao, ParametrosDesativadosDevolvemOTextoIntacto) {
  script.setParametrosDesativados(true);
  EXPECT_EQ(x(" [nome]\\n &Resultado() "), QStringLiteral(" [nome]\\n &Resultado() "));
  EXPECT_TRUE(host.log().isEmpty());
}

TEST_F(Expansao, ChamadasAninhadasExecutamERegistramCadaUma) {
  script.setResultado(QStringLiteral("R"));
  EXPECT_EQ(x("<&Resultado()> <&resultado()>"), QStringLiteral("<R> <R>"));
  ASSERT_EQ(host.log().size(), 2);  // two identical calls run twice
  EXPECT_EQ(host.log()[0].texto, QStringLiteral("Linha: [0] Executando {Resultado... }  :R"));
  EXPECT_EQ(x("a&Desconhecida(1)b"), QStringLiteral("ab"));
  EXPECT_EQ(script.resultado(), QString());
}

TEST_F(Expansao, PipeViraEComercialSemExecutar) {
  EXPECT_EQ(x("|Resultado()"), QStringLiteral("&Resultado()"));
  EXPECT_TRUE(host.log().isEmpty());
}

TEST_F(Expansao, TextoQueNaoProgrideVoltaIntacto) {
  // A value holding its own reference, a cell that refers to itself, a call
  // whose result holds the same call: each stops with the rest intact.
  script.valores().acrescentar(QStringLiteral("eu"), QStringLiteral("x[eu]"));
  EXPECT_EQ(x("<[eu]>"), QStringLiteral("<[eu]>"));
  EXPECT_EQ(x("<{eco}>"), QStringLiteral("<{eco}>"));
  script.setResultado(QStringLiteral("&Resultado()"));
  EXPECT_EQ(x("a &Resultado() b"), QStringLiteral("a &Resultado() b"));
}

TEST_F(Expansao, CiclosIndiretosTerminamLimitados) {
  script.valores().acrescentar(QStringLiteral("a"), QStringLiteral("[b]"));
  script.valores().acrescentar(QStringLiteral("b"), QStringLiteral("[a]"));
  script.valores().acrescentar(QStringLiteral("c"), QString(100000, u'z') + QStringLiteral("[d]"));
  script.valores().acrescentar(QStringLiteral("d"), QStringLiteral("[c]"));
  QElapsedTimer t;
  t.start();
  EXPECT_TRUE(x("[a]").contains(u'['));
  const QString crescido = x("[c]");
  EXPECT_TRUE(crescido.contains(u'['));
  EXPECT_LE(crescido.size(), 9 * 1024 * 1024);
  EXPECT_LT(t.elapsed(), 20000);
}
