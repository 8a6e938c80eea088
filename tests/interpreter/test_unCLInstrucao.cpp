#include <gtest/gtest.h>

#include "impressaoQt.h"
#include "unCLInstrucao.h"
#include "unCatalogo.h"

using namespace mivo;

namespace {

QString u(const char* t) { return QString::fromUtf8(t); }

// The display name of the row a statement found, or "" for none.
QString linhaDe(const CLInstrucao& i) { return i.funcao ? i.funcao->nome : QString(); }

}  // namespace

// A statement read once: its name as written, its catalogue row, the
// argument text, the pieces as split, each piece read as its form says and
// which pieces dispatch expands.
TEST(Instrucao, LeNomeLinhaEArgumentosComoALinhaDiz) {
  const struct {
    const char* instrucao;
    const char* nome;
    const char* funcao;  // display name of the row; "" when unknown
    const char* texto;
    QStringList brutos;
    QStringList lidos;
    quint64 expandir;
  } casos[] = {
      // Inteira, expanded: the bit only when there is something to expand.
      {"&MsgExibir(\"Olá [nome]\").", "MsgExibir", "&MsgExibir", "\"Olá [nome]\"", {"\"Olá [nome]\""},
       {"Olá [nome]"}, 0b1},
      {"&MsgExibir(\"Olá  mundo\").", "MsgExibir", "&MsgExibir", "\"Olá mundo\"", {"\"Olá mundo\""},
       {"Olá mundo"}, 0},
      // Dividida: a quoted ";" inside a nested call does not split; deferred
      // arguments are left to the handler.
      {"&Se(a=b;&MsgExibir(\"x;y\");&VaiPara(fim)).", "Se", "&Se", "a=b;&MsgExibir(\"x;y\");&VaiPara(fim)",
       {"a=b", "&MsgExibir(\"x;y\")", "&VaiPara(fim)"}, {"a=b", "&MsgExibir(\"x;y\")", "&VaiPara(fim)"}, 0},
      {"&SeResultado(\"[x]\";&VaiPara([y])).", "SeResultado", "&SeResultado", "\"[x]\";&VaiPara([y])",
       {"\"[x]\"", "&VaiPara([y])"}, {"[x]", "&VaiPara([y])"}, 0b1},
      // Raw and text forms side by side: a raw piece keeps its quotes, a text
      // piece is never expanded even when it holds a reference.
      {"&MouseAguardarCor(\"igual\";\"rgb[0,0,0]\";\"5\").", "MouseAguardarCor", "&MouseAguardarCor",
       "\"igual\";\"rgb[0,0,0]\";\"5\"", {"\"igual\"", "\"rgb[0,0,0]\"", "\"5\""}, {"igual", "rgb[0,0,0]", "\"5\""},
       0},
      {"&TeclarControlMais(\"a\").", "TeclarControlMais", "&TeclarControlMais", "\"a\"", {"\"a\""}, {"\"a\""}, 0},
      {"&Teclar(\"a\").", "Teclar", "&Teclar", "\"a\"", {"\"a\""}, {"a"}, 0},
      // Only the expandable pieces of a Dividida row get their bit.
      {"&ValorInc(\"n\";[passo]).", "ValorInc", "&ValorInc", "\"n\";[passo]", {"\"n\"", "[passo]"},
       {"n", "[passo]"}, 0b10},
      {"&ValorSubstituir([a];\"b\";\"c|d\").", "ValorSubstituir", "&ValorSubstituir", "[a];\"b\";\"c|d\"",
       {"[a]", "\"b\"", "\"c|d\""}, {"[a]", "b", "c|d"}, 0b101},
      // Fewer pieces than a correct call has: read as they are (dispatch
      // decides what to do with the call).
      {"&ValorDefinir(\"x\").", "ValorDefinir", "&ValorDefinir", "\"x\"", {"\"x\""}, {"x"}, 0},
      {"&MouseAguardarCor(igual).", "MouseAguardarCor", "&MouseAguardarCor", "igual", {"igual"}, {"igual"}, 0},
      // A row that reads nothing keeps only the text.
      {"&Resultado(abc).", "Resultado", "&Resultado", "abc", {}, {}, 0},
      {"&Bloco[envio]().", "Bloco[envio]", "&Bloco", "", {}, {}, 0},
      // The name as written; the row found in any letter case.
      {"&teclarENTER().", "teclarENTER", "&TeclarEnter", "", {}, {}, 0},
      // No row: the name and the text only.
      {"&Desconhecida(\"a\";\"[b]\").", "Desconhecida", "", "\"a\";\"[b]\"", {}, {}, 0},
      {"& Teclar Enter ().", "Teclar Enter", "", "", {}, {}, 0},
      // Nothing to run.
      {"##config_fim", "", "", "", {}, {}, 0},
  };
  for (const auto& c : casos) {
    const CLInstrucao i = lerInstrucao(u(c.instrucao));
    EXPECT_EQ(i.nome, u(c.nome)) << c.instrucao;
    EXPECT_EQ(linhaDe(i), u(c.funcao)) << c.instrucao;
    EXPECT_EQ(i.texto, u(c.texto)) << c.instrucao;
    // Only a function that splits its text keeps the pieces; the others'
    // one piece is the text itself.
    if (i.funcao && i.funcao->leitura == Leitura::Dividida)
      EXPECT_EQ(i.brutos, c.brutos) << c.instrucao;
    else
      EXPECT_TRUE(i.brutos.isEmpty()) << c.instrucao;
    if (i.funcao) {
      const CLArgumentos a{*i.funcao, i.texto, i.brutos, i.lidos};
      EXPECT_EQ(a.bruto(0), c.brutos.value(0)) << c.instrucao;
    }
    EXPECT_EQ(i.lidos, c.lidos) << c.instrucao;
    EXPECT_EQ(i.expandir, c.expandir) << c.instrucao;
  }
}

TEST(Instrucao, LerArgumentosDeNovoNaoGuardaNadaDaLeituraAnterior) {
  CLInstrucao i = lerInstrucao(QStringLiteral("&ValorSubstituir([a];[b];[c])."));
  ASSERT_EQ(i.expandir, 0b111u);

  const CLFuncao* resultado = catalogo::procurar(QStringLiteral("resultado"));
  ASSERT_NE(resultado, nullptr);
  lerArgumentos(i, *resultado, QStringLiteral("x;y"));
  EXPECT_EQ(i.funcao, resultado);
  EXPECT_EQ(i.texto, QStringLiteral("x;y"));
  EXPECT_TRUE(i.brutos.isEmpty());
  EXPECT_TRUE(i.lidos.isEmpty());
  EXPECT_EQ(i.expandir, 0u);
  EXPECT_EQ(i.nome, QStringLiteral("ValorSubstituir"));  // the name is the statement's, not the row's

  const CLFuncao* inc = catalogo::procurar(QStringLiteral("valorinc"));
  ASSERT_NE(inc, nullptr);
  lerArgumentos(i, *inc, QStringLiteral("\"n\";[p]"));
  EXPECT_EQ(i.brutos, (QStringList{"\"n\"", "[p]"}));
  EXPECT_EQ(i.lidos, (QStringList{"n", "[p]"}));
  EXPECT_EQ(i.expandir, 0b10u);
}

TEST(Instrucao, PecasAlemDaSexagesimaQuartaSaoLidasSemBit) {
  // "&ValorInc" reads its second form ("x") for every later piece too.
  QString texto = QStringLiteral("n");
  for (int k = 1; k < 70; ++k) texto += QStringLiteral(";[v]");
  const CLInstrucao i = lerInstrucao(QStringLiteral("&ValorInc(") + texto + QStringLiteral(")."));
  ASSERT_EQ(i.lidos.size(), 70);
  EXPECT_EQ(i.lidos.last(), QStringLiteral("[v]"));
  EXPECT_EQ(i.expandir, ~quint64(0) << 1);  // pieces 1 to 63
}
