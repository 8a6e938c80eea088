#include "unLeitorPlanilha.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "impressaoQt.h"

using namespace mivo;

namespace {

struct Faixa {
  int l0, c0, l1, c1;
};

// Rows 1..n of `colunas` cells named after their place ("A1", "B1"...), with
// the ranges applied; `limite` columns kept from row 2 on.
QList<QStringList> aplicar(const QList<Faixa>& faixas, int linhas, int colunas, int limite = 1500) {
  CLMesclagens m(30000, 1500);
  for (const Faixa& f : faixas) m.adicionar(f.l0, f.c0, f.l1, f.c1);
  m.ordenar();
  QList<QStringList> r;
  for (int l = 1; l <= linhas; ++l) {
    if (l == 2) m.limitarColunas(limite);
    QStringList celulas;
    for (int c = 0; c < colunas && c < (l == 1 ? 1500 : limite); ++c)
      celulas << QString(QChar(u'A' + c)) + QString::number(l);
    m.aplicar(l, celulas);
    r << celulas;
  }
  return r;
}

TEST(Mesclagens, CadaCelulaTemOValorDeUmaSoFaixa) {
  struct Caso {
    const char* nome;
    QList<Faixa> faixas;
    int colunas, limite;
    QList<QStringList> esperado;
  };
  const QList<Caso> casos = {
      {"uma faixa", {{1, 1, 2, 2}}, 3, 1500, {{"A1", "A1", "C1"}, {"A1", "A1", "C2"}, {"A3", "B3", "C3"}}},
      {"a mesma faixa mil vezes",
       QList<Faixa>(1000, Faixa{1, 1, 2, 2}),
       3, 1500,
       {{"A1", "A1", "C1"}, {"A1", "A1", "C2"}, {"A3", "B3", "C3"}}},
      {"escrita de trás para frente", {{2, 2, 1, 1}}, 3, 1500, {{"A1", "A1", "C1"}, {"A1", "A1", "C2"}, {"A3", "B3", "C3"}}},
      // A range that shares a cell with one taken before it is no range:
      // no program writes such a file, and each cell is filled once.
      {"sobrepostas: vale a primeira",
       {{1, 1, 2, 2}, {2, 2, 3, 3}, {1, 3, 3, 3}},
       3, 1500,
       {{"A1", "A1", "C1"}, {"A1", "A1", "C1"}, {"A3", "B3", "C1"}}},
      {"a de cima vale mesmo vindo depois",
       {{2, 2, 3, 3}, {1, 1, 2, 2}},
       3, 1500,
       {{"A1", "A1", "C1"}, {"A1", "A1", "C2"}, {"A3", "B3", "C3"}}},
      {"a que terminou antes não impede a de baixo",
       {{1, 1, 1, 3}, {2, 1, 3, 3}},
       3, 1500,
       {{"A1", "A1", "A1"}, {"A2", "A2", "A2"}, {"A2", "A2", "A2"}}},
      // Beyond the columns kept nothing is filled, and the row does not grow.
      {"colunas limitadas", {{1, 2, 3, 5}}, 5, 2, {{"A1", "B1", "B1", "B1", "B1"}, {"A2", "B1"}, {"A3", "B1"}}},
      {"começa além do limite", {{1, 3, 3, 5}}, 5, 2, {{"A1", "B1", "C1", "C1", "C1"}, {"A2", "B2"}, {"A3", "B3"}}},
      {"uma célula só não é faixa", {{2, 2, 2, 2}}, 3, 1500, {{"A1", "B1", "C1"}, {"A2", "B2", "C2"}, {"A3", "B3", "C3"}}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    EXPECT_EQ(aplicar(caso.faixas, 3, caso.colunas, caso.limite), caso.esperado);
  }
}

TEST(Mesclagens, FaixaCujaPrimeiraLinhaNaoVemMostraVazio) {
  CLMesclagens m(30000, 1500);
  m.adicionar(2, 1, 4, 2);
  QStringList linha3{"A3", "B3"};
  m.aplicar(3, linha3);  // row 2 is not in the sheet: its value is empty
  EXPECT_EQ(linha3, (QStringList{"", ""}));
}

TEST(Mesclagens, ORecorteDasColunasLimitaOTrabalho) {
  // A million copies of a range of 30000 rows and 1500 columns, and ranges
  // that each start a row lower: the rows of two columns kept cost what two
  // columns cost.
  CLMesclagens m(30000, 1500);
  for (int i = 0; i < 1'000'000; ++i) m.adicionar(2, 1, 30000, 1500);
  for (int l = 3; l <= 30000; ++l) m.adicionar(l, 1, 30000, 2);
  m.ordenar();
  QStringList titulos{"a", "b"};
  m.aplicar(1, titulos);
  m.limitarColunas(2);
  const auto inicio = std::chrono::steady_clock::now();
  for (int l = 2; l <= 30000; ++l) {
    QStringList celulas{QString::number(l)};
    m.aplicar(l, celulas);
    ASSERT_EQ(celulas, (QStringList{"2", "2"})) << "linha " << l;
  }
  const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  std::printf("[ custo    ] 30000 linhas com 1030000 faixas: %.3f s\n", segundos);
  EXPECT_LT(segundos, 20.0);
}

TEST(Mesclagens, LimitesDasFaixas) {
  // Ranges are clipped to the caps; those that start beyond them are dropped.
  CLMesclagens m(3, 2);
  m.adicionar(1, 3, 2, 4);  // starts beyond the last column
  m.adicionar(4, 1, 5, 1);  // starts beyond the last row
  m.adicionar(0, 1, 1, 2);  // no row 0
  EXPECT_TRUE(m.vazio());
  m.adicionar(2, 1, 1'000'000, 1'000'000);
  m.ordenar();
  QList<QStringList> linhas{{"a", "b"}, {"c"}, {"d"}};
  for (int l = 1; l <= 3; ++l) m.aplicar(l, linhas[l - 1]);
  EXPECT_EQ(linhas, (QList<QStringList>{{"a", "b"}, {"c", "c"}, {"c", "c"}}));
}

}  // namespace
