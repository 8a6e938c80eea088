#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "unCLGrade.h"
#include "unUtil.h"
#include "impressaoQt.h"
#include "unGradeTeste.h"

using namespace mivo;

namespace {

using teste::conteudo;
using teste::preencher;

// Records what a view would be told.
struct Gravador : CLGradeObservador {
  QStringList eventos;
  void celulasAlteradas(int c0, int l0, int c1, int l1) override {
    eventos << QStringLiteral("celulas %1,%2-%3,%4").arg(c0).arg(l0).arg(c1).arg(l1);
  }
  void linhasAInserir(int p, int u) override { eventos << QStringLiteral("+linhas %1-%2").arg(p).arg(u); }
  void linhasInseridas() override { eventos << QStringLiteral("+linhas ok"); }
  void linhasARemover(int p, int u) override { eventos << QStringLiteral("-linhas %1-%2").arg(p).arg(u); }
  void linhasRemovidas() override { eventos << QStringLiteral("-linhas ok"); }
  void colunasAInserir(int p, int u) override { eventos << QStringLiteral("+colunas %1-%2").arg(p).arg(u); }
  void colunasInseridas() override { eventos << QStringLiteral("+colunas ok"); }
  void colunasARemover(int p, int u) override { eventos << QStringLiteral("-colunas %1-%2").arg(p).arg(u); }
  void colunasRemovidas() override { eventos << QStringLiteral("-colunas ok"); }
  void gradeARedefinir() override { eventos << QStringLiteral("redefinir"); }
  void gradeRedefinida() override { eventos << QStringLiteral("redefinida"); }
  void selecaoAlterada(int c, int r) override { eventos << QStringLiteral("selecao %1,%2").arg(c).arg(r); }
};

// colunaPorTitulo as it reads: the first column whose trimmed title equals
// the trimmed text, ignoring case, found by looking at every title.
int colunaPorVarredura(const CLGrade& g, const QString& titulo) {
  const QStringList titulos = g.celulasLinha(0);
  for (int c = 0; c < titulos.size(); ++c)
    if (aparar(titulos[c]).toLower() == aparar(titulo).toLower()) return c;
  return -1;
}

}  // namespace

TEST(CLGrade, TabelaNovaTemUmaColunaUmRegistroEContaUm) {
  CLGrade g;
  EXPECT_EQ(g.ColCount(), 1);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.qtdRegistros(), 1);
  EXPECT_EQ(g.Row(), 1);
  g.setRowCount(0);
  g.setColCount(-3);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.ColCount(), 1);
  g.setRow(0);  // the title row is never the current record
  EXPECT_EQ(g.Row(), 1);
  g.setCell(5, 0, QStringLiteral("fora"));
  EXPECT_EQ(g.cell(5, 0), QString());
}

TEST(CLGrade, AtribuicaoDeLinhaEColunaInteiras) {
  struct Caso {
    QStringList linhas;
    QStringList esperado;
  };
  const QList<Caso> casos = {
      {{"a", "b", "c"}, {"a", "b", "c"}},
      {{"a", "", "c"}, {"a", " ", "c"}},       // empty line stored as a blank
      {{"a"}, {"a", "", ""}},                  // the rest is cleared
      {{"a", "b", "c", "d", "e"}, {"a", "b", "c"}},  // extra lines dropped
      {{}, {"", "", ""}},
  };
  for (const Caso& caso : casos) {
    CLGrade g;
    preencher(g, {{"t1", "t2", "t3"}, {"x", "y", "z"}, {"p", "q", "r"}});
    g.setLinhaInteira(1, caso.linhas);
    EXPECT_EQ(g.celulasLinha(1), caso.esperado) << caso.linhas.join(u'|').toStdString();
    EXPECT_EQ(g.celulasLinha(2), QStringList({"p", "q", "r"}));

    g.setColunaInteira(2, caso.linhas);
    QStringList coluna;
    for (int r = 0; r < g.RowCount(); ++r) coluna << g.cell(2, r);
    EXPECT_EQ(coluna, caso.esperado);
  }
}

TEST(CLGrade, LeituraDeLinhaEColunaTerminaCadaCelulaComCrLf) {
  CLGrade g;
  preencher(g, {{"nome", "email"}, {"Ana", ""}});
  EXPECT_EQ(g.textoLinha(1), QStringLiteral("Ana\r\n\r\n"));
  EXPECT_EQ(g.textoColuna(0), QStringLiteral("nome\r\nAna\r\n"));
  EXPECT_EQ(g.textoLinha(9), QString());
}

TEST(CLGrade, RemoverLinhasNuncaTiraOTituloEMantemUmRegistro) {
  CLGrade g;
  preencher(g, {{"n"}, {"a"}, {"b"}, {"c"}, {"d"}});
  g.setRow(4);
  g.removerLinhas(2, 2);  // b, c
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"n"}, {"a"}, {"d"}}));
  EXPECT_EQ(g.Row(), 2) << "the current record follows its row";
  g.removerLinhas(0, 1);  // row 0 is not a record: only "a" goes
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"n"}, {"d"}}));
  g.removerLinhas(1, 5);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"n"}, {""}}));
  EXPECT_EQ(g.qtdRegistros(), 1);
}

TEST(CLGrade, OperacoesDeColuna) {
  CLGrade g;
  preencher(g, {{"a", "b", "c"}, {"1", "2", "3"}});
  g.moverColuna(0, 2);
  EXPECT_EQ(g.celulasLinha(0), QStringList({"b", "c", "a"}));
  EXPECT_EQ(g.celulasLinha(1), QStringList({"2", "3", "1"}));
  g.limparColuna(1);
  EXPECT_EQ(g.cell(1, 0), QStringLiteral("c")) << "the title stays";
  EXPECT_EQ(g.cell(1, 1), QString());
  g.incluirColuna(1);
  EXPECT_EQ(g.celulasLinha(0), QStringList({"b", "", "c", "a"}));
  g.setCol(3);
  g.removerColuna(3);
  g.removerColuna(0);
  EXPECT_EQ(g.celulasLinha(0), QStringList({"", "c"}));
  EXPECT_EQ(g.Col(), 1);
  g.removerColuna(0);
  g.removerColuna(0);  // the last column is cleared, not removed
  EXPECT_EQ(g.ColCount(), 1);
  EXPECT_EQ(g.cell(0, 0), QString());
}

TEST(CLGrade, ColunaPorTituloAparaEIgnoraCaixa) {
  CLGrade g;
  preencher(g, {{" Nome ", "EMAIL", "nome"}, {"Ana", "a@x", "outra"}});
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral("nome")), 0) << "the first match wins";
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral(" email\t")), 1);
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral("celular")), -1);
  EXPECT_EQ(g.valorAtual(QStringLiteral("Email")), QStringLiteral("a@x"));
  EXPECT_EQ(g.valorAtual(QStringLiteral("celular")), QString());
}

TEST(CLGrade, IndiceDeTitulosAcompanhaQualquerMudancaDaLinhaDeTitulos) {
  const struct {
    const char* nome;
    std::function<void(CLGrade&)> mudar;
  } casos[] = {
      {"titulo novo numa celula", [](CLGrade& g) { g.setCell(1, 0, QStringLiteral("novo")); }},
      {"primeiro de dois iguais muda", [](CLGrade& g) { g.setCell(0, 0, QStringLiteral("x")); }},
      {"titulo apagado", [](CLGrade& g) { g.setCell(4, 0, QString()); }},
      {"celula de registro", [](CLGrade& g) { g.setCell(0, 1, QStringLiteral("email")); }},
      {"linha de titulos inteira", [](CLGrade& g) { g.setLinhaInteira(0, {"status", "nome", "", "x"}); }},
      {"coluna inteira", [](CLGrade& g) { g.setColunaInteira(0, {"novo", "a"}); }},
      {"coluna incluida", [](CLGrade& g) { g.incluirColuna(0); }},
      {"coluna removida", [](CLGrade& g) { g.removerColuna(0); }},
      {"coluna movida", [](CLGrade& g) { g.moverColuna(0, 3); }},
      {"menos colunas", [](CLGrade& g) { g.setColCount(2); }},
      {"mais colunas", [](CLGrade& g) { g.setColCount(8); }},
      {"celulas limpas", [](CLGrade& g) { g.limparCelulas(); }},
      {"coluna limpa mantem o titulo", [](CLGrade& g) { g.limparColuna(0); }},
      {"coluna adicionada", [](CLGrade& g) { g.adicionarColuna(QStringLiteral("novo")); }},
      {"colunas inseridas", [](CLGrade& g) { g.inserirColunas(QStringLiteral("novo;NOME;,x")); }},
      {"carga alarga a grade", [](CLGrade& g) { g.inserirLinha(QStringLiteral("a;b;c;d;e;f;g"), true); }},
      {"registro alarga a grade", [](CLGrade& g) { g.adicionarLinha({"1", "2", "3", "4", "5", "6", "7"}); }},
      {"registros removidos", [](CLGrade& g) { g.removerLinhas(1, 1); }},
      {"menos linhas", [](CLGrade& g) { g.setRowCount(2); }},
  };
  const QStringList procurados = {"nome", " NOME ", "email", "status", "", "novo", "x", "a", "zz"};
  for (const auto& caso : casos) {
    CLGrade g;
    preencher(g, {{"nome", "email", " Nome ", "", "status"}, {"Ana", "a@x", "", "", "ok"}, {"Bia", "", "", "", ""}});
    ASSERT_EQ(g.colunaPorTitulo(QStringLiteral("nome")), 0);  // the index is built before the change
    caso.mudar(g);
    QStringList todos = procurados;
    todos += g.celulasLinha(0);
    for (const QString& t : todos)
      EXPECT_EQ(g.colunaPorTitulo(t), colunaPorVarredura(g, t)) << caso.nome << ": \"" << t.toStdString() << '"';
  }
}

TEST(CLGrade, InserirColunasPoeCadaTituloComoAdicionarColuna) {
  // inserirColunas places its titles at once; the result must be that of
  // adding them one by one, each only when no column has it yet.
  const QList<QStringList> comecos = {{}, {"a"}, {"", "b"}, {"a", ""}, {"a", "b", "", " "}, {" ", "", "c"}};
  const QStringList listas = {"x;;y", ";", " , ,", "A;a;b", "x,,,y;", "", "novo", "b;c;d;c"};
  for (const QStringList& comeco : comecos) {
    for (const QString& lista : listas) {
      CLGrade g, referencia;
      if (!comeco.isEmpty()) {
        preencher(g, {comeco, {"r"}});
        preencher(referencia, {comeco, {"r"}});
      }
      g.inserirColunas(lista);
      QString texto = lista;
      for (const QString& t : texto.replace(u',', u';').split(u';'))
        if (referencia.colunaPorTitulo(aparar(t)) < 0) referencia.adicionarColuna(aparar(t));
      const std::string caso = comeco.join(u'|').toStdString() + " + " + lista.toStdString();
      EXPECT_EQ(conteudo(g), conteudo(referencia)) << caso;
      for (const QString& t : g.celulasLinha(0) + QStringList{"", "x", "A", "zz"})
        EXPECT_EQ(g.colunaPorTitulo(t), colunaPorVarredura(g, t)) << caso;
    }
  }
}

TEST(CLGrade, InserirColunasMudaAGradeDeUmaVez) {
  CLGrade g;
  Gravador v;
  g.adicionarObservador(&v);
  g.inserirColunas(QStringLiteral("nome;email;status;celular"));
  EXPECT_EQ(v.eventos, QStringList({"+colunas 1-3", "+colunas ok", "celulas 0,0-3,0"}));
  v.eventos.clear();
  g.inserirColunas(QStringLiteral("EMAIL, nome"));  // nothing new: nothing changes
  EXPECT_TRUE(v.eventos.isEmpty()) << v.eventos.join(u'|').toStdString();
}

TEST(CLGrade, CemMilColunasSemCustoQuadratico) {
  // Inserting n titles, looking each one up and writing a record that
  // checks every value against the titles must cost about n operations, not
  // n * n: with 100,000 columns the quadratic work took about 20 minutes,
  // the linear work well under a second. The bound is processor time of
  // this process (a busy machine does not inflate it) and far above both.
  constexpr int kColunas = 100000;
  QStringList titulos, valores;
  for (int c = 0; c < kColunas; ++c) {
    titulos << QStringLiteral("Coluna %1").arg(c);
    valores << QStringLiteral("v%1").arg(c);
  }
  const std::clock_t inicio = std::clock();
  CLGrade g;
  g.inserirColunas(titulos.join(u';'));
  ASSERT_EQ(g.ColCount(), kColunas);
  int achadas = 0;
  for (int c = 0; c < kColunas; ++c) achadas += g.colunaPorTitulo(QStringLiteral(" coluna %1 ").arg(c)) == c;
  EXPECT_EQ(achadas, kColunas);
  EXPECT_TRUE(g.inserirLinha(valores.join(u';')));
  EXPECT_EQ(g.cell(kColunas - 1, 1), QStringLiteral("v%1").arg(kColunas - 1));
  g.setCell(kColunas - 1, 0, QStringLiteral("última"));  // the index follows the change
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral("ÚLTIMA")), kColunas - 1);
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral("coluna %1").arg(kColunas - 1)), -1);
  const double segundos = double(std::clock() - inicio) / CLOCKS_PER_SEC;
  EXPECT_LT(segundos, 10.0);
}

TEST(CLGrade, InserirColunasNaTabelaNova) {
  CLGrade g;
  g.inserirColunas(QStringLiteral("nome,email;status , nome"));
  EXPECT_EQ(g.celulasLinha(0), QStringList({"nome", "email", "status"}));
  EXPECT_EQ(g.qtdRegistros(), 1);
  g.inserirColunas(QStringLiteral("EMAIL;celular"));
  EXPECT_EQ(g.celulasLinha(0), QStringList({"nome", "email", "status", "celular"}));
}

TEST(CLGrade, InserirLinha) {
  struct Caso {
    const char* nome;
    QStringList linhas;  // lines passed in order
    bool carga;  // as a list file is loaded, rather than as a script writes
    bool resultadoUltima;
    QList<QStringList> esperado;
  };
  const QStringList titulos = {"nome", "email", "status"};
  const QList<Caso> casos = {
      {"reusa o registro em branco", {"Ana;a@x;ok"}, false, true, {titulos, {"Ana", "a@x", "ok"}}},
      {"acrescenta depois", {"Ana", "Bia ; b@x"}, false, true,
       {titulos, {"Ana", "", ""}, {"Bia", "b@x", ""}}},
      {"virgula nao divide", {"Ana,a@x,ok"}, false, true, {titulos, {"Ana,a@x,ok", "", ""}}},
      {"linha em branco nada escreve", {"  ", ""}, false, true, {titulos, {"", "", ""}}},
      {"valores demais descartados", {"a;b;c;d"}, false, false, {titulos, {"a", "b", "c"}}},
      {"valores demais em colunas novas", {"a;b;c;d"}, true, false,
       {{"nome", "email", "status", ""}, {"a", "b", "c", "d"}}},
      {"linha que repete os titulos na carga", {"Nome;EMAIL;status"}, true, true, {titulos, {"", "", ""}}},
      {"valor igual a um titulo fica vazio", {"Ana;status;EMAIL "}, false, true, {titulos, {"Ana", "", ""}}},
      {"valor igual a um titulo fica na carga", {"Ana;status;email"}, true, true,
       {titulos, {"Ana", "status", "email"}}},
      {"quebra de linha vira \\n", {"a\r\nb;c"}, false, true, {titulos, {"a\\nb", "c", ""}}},
  };
  for (const Caso& caso : casos) {
    CLGrade g;
    g.inserirColunas(titulos.join(u';'));
    bool resultado = true;
    for (const QString& l : caso.linhas) resultado = g.inserirLinha(l, caso.carga);
    EXPECT_EQ(resultado, caso.resultadoUltima) << caso.nome;
    EXPECT_EQ(conteudo(g), caso.esperado) << caso.nome;
  }
}

TEST(CLGrade, ObservadorAcompanhaAsMudancas) {
  CLGrade g;
  Gravador v;
  g.adicionarObservador(&v);
  g.setCell(0, 1, QStringLiteral("x"));
  g.adicionarLinha();
  g.setRow(2);
  g.incluirColuna(1);
  g.removerLinhas(2, 1);
  EXPECT_EQ(v.eventos, QStringList({"celulas 0,1-0,1", "+linhas 2-2", "+linhas ok", "selecao 0,2",
                                    "+colunas 1-1", "+colunas ok", "-linhas 2-2", "-linhas ok",
                                    "selecao 0,1"}));
  v.eventos.clear();
  {
    CLGrade::Lote externo(g);
    CLGrade::Lote interno(g);
    g.setCell(0, 1, QStringLiteral("y"));
    g.setRowCount(50);
  }
  EXPECT_EQ(v.eventos, QStringList({"redefinir", "redefinida", "selecao 0,1"}));
  g.removerObservador(&v);
  v.eventos.clear();
  g.setCell(0, 1, QStringLiteral("z"));
  EXPECT_TRUE(v.eventos.isEmpty());
}

TEST(CLGrade, ReordenarLinhasSoComUmaPermutacaoDosRegistros) {
  CLGrade g;
  preencher(g, {{"nome", "n"}, {"a", "1"}, {"b", "2"}, {"c", "3"}});
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral("n")), 1);
  Gravador v;
  g.adicionarObservador(&v);
  for (const QList<int>& errada : {QList<int>{1, 2}, QList<int>{1, 1, 2}, QList<int>{0, 1, 2},
                                   QList<int>{1, 2, 4}}) {
    EXPECT_FALSE(g.reordenarLinhas(errada));
  }
  EXPECT_TRUE(v.eventos.isEmpty());
  ASSERT_TRUE(g.reordenarLinhas({3, 1, 2}));
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome", "n"}, {"c", "3"}, {"a", "1"}, {"b", "2"}}));
  EXPECT_EQ(v.eventos.value(0), QStringLiteral("redefinir"));
  EXPECT_EQ(g.colunaPorTitulo(QStringLiteral("nome")), 0);
  g.removerObservador(&v);
}
