#include "unRegrasLista.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "impressaoQt.h"
#include "unUtil.h"

namespace mivo {
namespace {

QStringList L(std::initializer_list<const char*> celulas) {
  QStringList r;
  for (const char* c : celulas) r << QString::fromUtf8(c);
  return r;
}

TEST(PreColunas, DoTextoDoScript) {
  struct Caso {
    const char* texto;
    const char* valor;
  };
  const Caso casos[] = {
      {"##pre_carregar\npre_colunas=a,b\n##pre_carregar_fim", "a,b"},
      {"##pre_carregar\r\n  PRE_COLUNAS=x, y // comentário\r\n##pre_carregar_fim", "x, y"},
      {"##pre_carregar\npre_lista=contatos\n##pre_carregar_fim\npre_colunas=fora", ""},
      {"", ""},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(aparar(preColunasDoScript(QString::fromUtf8(c.texto))), QString::fromUtf8(c.valor)) << c.texto;
}

TEST(AutoSizeGrid, LargurasLimitadasEColunasLargas) {
  CLGrade g;
  g.setColCount(5);
  g.setLinhaInteira(0, L({"curto", "", "c", "d", "e"}));
  g.adicionarLinha({QString(100, u'x'), QStringLiteral("abcdefghijklmnopq"), QString(), QString(30, u'y'), QString()});
  const auto medir = [](const QString& t) { return int(t.size()) * 5; };
  // 5 chars -> 25 -> 60; 100 -> 500 -> 400; 17 -> 85; empty -> 60; 30 -> 150.
  EXPECT_EQ(larguraColunasAuto(g, medir), (QList<int>{410, 95, 200, 200, 70}));
  g.setColCount(2);
  EXPECT_EQ(larguraColunasAuto(g, medir), (QList<int>{410, 95}));
}

TEST(AutoSizeGrid, TabelaGrandeMedidaPorAmostra) {
  EXPECT_EQ(linhasMedidas(5).size(), 5);
  EXPECT_EQ(linhasMedidas(kMaxLinhasMedidas).size(), kMaxLinhasMedidas);
  for (int n : {kMaxLinhasMedidas + 1, 50'000, 1'000'001}) {
    const QList<int> linhas = linhasMedidas(n);
    SCOPED_TRACE(n);
    EXPECT_LE(linhas.size(), kMaxLinhasMedidas);
    EXPECT_GE(linhas.size(), kMaxLinhasMedidas * 9 / 10);
    EXPECT_EQ(linhas.first(), 0);  // the titles
    EXPECT_EQ(linhas.last(), n - 1);
    EXPECT_TRUE(std::is_sorted(linhas.begin(), linhas.end()));
    EXPECT_EQ(std::adjacent_find(linhas.begin(), linhas.end()), linhas.end());
    // The middle of the table is looked at too.
    EXPECT_TRUE(std::any_of(linhas.begin(), linhas.end(), [n](int r) { return r > n / 3 && r < 2 * n / 3; }));
  }
}

}  // namespace
}  // namespace mivo
