#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "impressaoQt.h"
#include "unCLCargaLista.h"
#include "unCLGrade.h"
#include "unGradeTeste.h"
#include "unUtil.h"

using namespace mivo;
using teste::Linhas;

TEST(CLCargaLista, CarregarNaTabela) {
  const struct {
    const char* nome;
    Linhas antes;  // the grid before (empty: a new grid)
    const char* texto;
    Linhas depois;
  } casos[] = {
      // Into a table that holds nothing the list comes as it is: titles by
      // position, blank and repeated ones included, as many columns as it
      // has.
      {"titulos em branco e repetidos", {}, "nome;;Nome\r\na;b;c", {{"nome", "", "Nome"}, {"a", "b", "c"}}},
      {"uma coluna numa tabela esvaziada", {{"", ""}, {"", ""}}, "nome\r\nAna", {{"nome"}, {"Ana"}}},
      {"titulos e registro em branco", {}, ";\r\n;\r\nx;y", {{"", ""}, {"", ""}, {"x", "y"}}},
      {"titulos entre aspas como estao", {}, "\"Silva, Ana\";\" x \";a,b\r\n1;2;3;4",
       {{"Silva, Ana", " x ", "a", "b"}, {"1", "2", "3", "4"}}},
      {"separada por tabulacao", {}, "nome\temail\r\nAna\ta@x", {{"nome", "email"}, {"Ana", "a@x"}}},
      {"valores entre aspas intactos", {}, "nome;obs\r\n\" Ana \";\"Rua A\r\nApto 3\"\r\n",
       {{"nome", "obs"}, {" Ana ", "Rua A\r\nApto 3"}}},
      {"linha que repete os titulos", {}, "nome;email\r\nNOME ; Email\r\nAna;a",
       {{"nome", "email"}, {"Ana", "a"}}},
      {"mais valores que titulos", {}, "nome\r\nAna;x;\r\nBia", {{"nome", ""}, {"Ana", "x"}, {"Bia", ""}}},
      // Into a table that holds something: missing titles are added and
      // records appended by position.
      {"acrescenta por posicao", {{"nome", "email"}, {"Zé", "z@x"}}, "email;nome;cidade\r\nCid;c@x;Recife",
       {{"nome", "email", "cidade"}, {"Zé", "z@x", ""}, {"Cid", "c@x", "Recife"}}},
      // The blank record of a table without records takes the first record
      // only, even a blank one.
      {"registro em branco primeiro", {{"nome"}, {""}}, "nome\r\n\"\"\r\nAna", {{"nome"}, {""}, {"Ana"}}},
  };
  for (const auto& c : casos) {
    CLGrade g;
    if (!c.antes.isEmpty()) teste::preencher(g, c.antes);
    EXPECT_TRUE(carregarComTitulos(g, QString::fromUtf8(c.texto))) << c.nome;
    EXPECT_EQ(teste::conteudo(g), c.depois) << c.nome;
    EXPECT_EQ(g.Row(), 1) << c.nome;
  }
}

TEST(CLCargaLista, NadaMudaSemDados) {
  QTemporaryDir pasta;
  const Linhas antes{{"nome"}, {"Ana"}};
  CLGrade g;
  teste::preencher(g, antes);
  EXPECT_FALSE(carregarComTitulos(g, QStringLiteral(" \r\n\t\r\n")));
  QString erro;
  EXPECT_FALSE(carregarArquivoComTitulos(g, pasta.filePath(QStringLiteral("falta.txt")), &erro).has_value());
  EXPECT_FALSE(erro.isEmpty());
  const QString branco = pasta.filePath(QStringLiteral("branco.txt"));
  ASSERT_TRUE(gravarArquivo(branco, "  \r\n"));
  EXPECT_EQ(carregarArquivoComTitulos(g, branco), std::optional<bool>(false));
  EXPECT_EQ(teste::conteudo(g), antes);
}

TEST(CLCargaLista, TitulosDoArquivoSoDoPrimeiroRegistro) {
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("l.txt"));
  ASSERT_TRUE(gravarArquivo(caminho, QByteArray("\"Silva, Ana\";cidade,uf;\"duas\r\nlinhas\"\r\n") +
                                         QByteArray(100000, 'x') + "\r\n"));
  EXPECT_EQ(titulosDaLista(caminho), (QStringList{"Silva, Ana", "cidade", "uf", "duas\r\nlinhas"}));
  EXPECT_EQ(titulosDaLista(pasta.filePath(QStringLiteral("falta.txt"))), QStringList());
}
