#include "unRegrasLista.h"

#include <gtest/gtest.h>

#include <QSet>
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

TEST(ColunasDoScript, NomesDosMarcadores) {
  struct Caso {
    const char* texto;
    QStringList nomes;
  };
  const Caso casos[] = {
      {"&TextoColar(\"Olá, {nome}! {Celular }\").\n&Se({NOME}=;&VaiPara(fim)).", L({"nome", "celular"})},
      // Names made at run time, an escaped brace, an empty one, an unclosed one.
      {"&TextoColar(\"{[coluna]} ~nome} {} {{email} {aberto", L({"email"})},
      {"// {cidade} num comentário\n&TeclarEnter().", L({"cidade"})},
      {"&TeclarEnter().", {}},
  };
  for (const Caso& c : casos) {
    QStringList nomes = colunasDoScript(QString::fromUtf8(c.texto)).values();
    nomes.sort();
    QStringList esperado = c.nomes;
    esperado.sort();
    EXPECT_EQ(nomes, esperado) << c.texto;
  }
}

// Fills `g` as the window's reader leaves a file it opened: the lines of
// `texto` (";" between cells) as records, the titles blank unless given.
void lerComoAJanela(CLGrade& g, const char* texto, const QStringList& titulos) {
  const QStringList linhas = QString::fromUtf8(texto).split(u'\n');
  int colunas = int(titulos.size());
  for (const QString& l : linhas) colunas = std::max(colunas, int(l.split(u';').size()));
  g.setColCount(colunas);
  g.setRowCount(int(linhas.size()) + 1);
  for (int c = 0; c < titulos.size(); ++c) g.setCell(c, 0, titulos[c]);
  for (int r = 0; r < linhas.size(); ++r) {
    const QStringList campos = linhas[r].split(u';');
    for (int c = 0; c < campos.size(); ++c) g.setCell(c, r + 1, campos[c]);
  }
}

TEST(LinhaDeTitulos, SoQuandoOScriptOuUmaListaGravadaApontam) {
  const QSet<QString> script{QStringLiteral("nome"), QStringLiteral("celular"), QStringLiteral("email")};
  const QList<QStringList> nenhum;
  struct Caso {
    const char* nome;
    const char* texto;
    QStringList titulos;
    QSet<QString> colunas;
    QList<QStringList> conhecidos;
    bool esperado;
  };
  const Caso casos[] = {
      {"o exemplo com um script que usa {nome}", "nome;celular\nAna;(81) 99999-0000\nBia;(11) 98888-1111", {},
       script, nenhum, true},
      {"uma coluna do script basta, em outra caixa e com espaços", " NOME ;fone\nAna;1\nBia;2", {}, script, nenhum,
       true},
      {"só a linha de títulos no arquivo", "email;nome", {}, script, nenhum, true},
      {"sem script", "nome;celular\nAna;1", {}, {}, nenhum, false},
      {"script que usa outras colunas", "nome;celular\nAna;1", {}, {QStringLiteral("cidade")}, nenhum, false},
      {"lista comum de contatos", "Ana;ana@x.com;1\nBia;bia@x.com;2", {}, script, nenhum, false},
      // A contact type column: "email" comes back further down, so it is a value.
      {"valor que se repete na coluna", "Ana;email\nBia;celular\nCaio;EMAIL", {}, script, nenhum, false},
      {"a tabela já tem títulos", "nome;celular\nAna;1", L({"nome", "celular"}), script, nenhum, false},
      {"primeiro registro em branco", ";\nAna;1", {}, script, nenhum, false},
      {"igual aos títulos de uma lista gravada", "Cliente;Valor;\nAna;10", {}, {},
       {L({"x"}), L({"cliente", " valor ", ""})}, true},
      {"diferente dos títulos gravados", "Cliente;Valor\nAna;10", {}, {}, {L({"cliente", "preço"})}, false},
      {"títulos gravados com só parte da linha", "Cliente;Valor\nAna;10", {}, {}, {L({"cliente"})}, false},
      {"títulos gravados em branco", ";\nAna;10", {}, {}, {L({"", ""})}, false},
  };
  for (const Caso& c : casos) {
    CLGrade g;
    lerComoAJanela(g, c.texto, c.titulos);
    EXPECT_EQ(pareceLinhaDeTitulos(g, c.colunas, c.conhecidos), c.esperado) << c.nome;
  }
}

TEST(ColarNaCelula, VariasLinhasOuCelulasViramRegistros) {
  struct Caso {
    const char* texto;
    bool registros;
  };
  const Caso casos[] = {
      {"nome;cidade\r\nAna;Recife", true},
      {"Ana\nBia", true},
      {"Ana\rBia", true},
      {"Ana\tRecife", true},            // a row of cells from a spreadsheet
      {"Ana\r\n", false},              // one cell from a spreadsheet
      {"Rua A, 10; fundos", false},     // a text with a delimiter in it
      {"  Olá mundo  ", false},
      {"", false},
  };
  for (const Caso& c : casos) EXPECT_EQ(colarComoRegistros(QString::fromUtf8(c.texto)), c.registros) << c.texto;
}

}  // namespace
}  // namespace mivo
