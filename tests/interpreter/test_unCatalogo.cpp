#include <gtest/gtest.h>

#include <QSet>

#include "unCatalogo.h"

using namespace mivo;

TEST(Catalogo, OitentaESeteEntradasENoventaPalavrasDistintas) {
  EXPECT_EQ(catalogo::entradas().size(), 87);
  EXPECT_EQ(catalogo::funcoes().size(), 90);
  QSet<QString> palavras;
  for (const CLFuncao& f : catalogo::funcoes()) {
    EXPECT_EQ(f.palavra, f.palavra.toLower());
    palavras.insert(f.palavra);
    if (f.temEntrada()) {
      EXPECT_TRUE(f.nome.startsWith(u'&')) << f.nome.toStdString();
      EXPECT_FALSE(f.inserir.isEmpty());
    }
  }
  EXPECT_EQ(palavras.size(), 90);
  for (const char* semEntrada : {"textoprocessar", "parametrosdesativar", "parametrosativar"}) {
    const CLFuncao* f = catalogo::procurar(QString::fromLatin1(semEntrada));
    ASSERT_NE(f, nullptr) << semEntrada;
    EXPECT_FALSE(f->temEntrada());
  }
}

TEST(Catalogo, OrdemECategoriasDaListaDeCompletar) {
  const auto e = catalogo::entradas();
  EXPECT_EQ(e.first()->nome, QStringLiteral("&Bloco"));
  EXPECT_EQ(e.last()->nome, QStringLiteral("&MivoAbaClicar"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("valorpedir"))->textoCategoria(), QStringLiteral("Janela"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("teclarenter"))->textoCategoria(), QStringLiteral("Ação"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("lavalor"))->textoCategoria(), QStringLiteral("Processo"));
}

TEST(Catalogo, TextoInseridoSegueARegraEAsExcecoes) {
  struct Caso {
    const char* palavra;
    const char* inserir;
  } casos[] = {
      {"teclarenter", "&TeclarEnter()."},                 // hint starts with "()"
      {"data", "&Data()."},                               // hint is a result note
      {"janelaativatexto", "&JanelaAtivaTexto()."},       // blank, then "()"
      {"msgexibir", "&MsgExibir(\""},                     // first argument quoted
      {"pausar", "&Pausar("},
      {"janelaativaposicionar", "&JanelaAtivaPosicionar("},
      {"teclarcontrolmaisid", "&TeclarControlMaisID("},
      {"teclarcontrolmais", "&TeclarControlMais("},       // exception
      {"laproximalinha", "&LaProximaLinha("},             // exception
      {"latemcoluna", "&LaTemColuna(\"nome_coluna\")."},
      {"mouseaguardarcor", "&MouseAguardarCor(\"igual\";"},
      {"mouseaguardarcorponto", "&MouseAguardarCorPonto(\"igual\";rgb[0,0,0];10;800;800)."},
      {"mousecliqueperguntar", "&MouseCliquePerguntar(\"mensagem\";0;0)."},
      {"msgdica", "&MsgDica(\"|\";\"\")."},
  };
  for (const auto& c : casos) {
    const CLFuncao* f = catalogo::procurar(QString::fromLatin1(c.palavra));
    ASSERT_NE(f, nullptr) << c.palavra;
    EXPECT_EQ(f->inserir, QString::fromUtf8(c.inserir)) << c.palavra;
  }
  EXPECT_EQ(catalogo::entradas().first()->inserir, QStringLiteral("&Bloco[nome_bloco]()."));
}

TEST(Catalogo, DicasExatas) {
  struct Caso {
    const char* palavra;
    const char* dica;
  } casos[] = {
      {"data", " [Retorna a data atual]"},
      {"mouseaguardarcor",
       "(tipo: <\"igual\" | \"diferente\">; cor: rgb[x,x,x]; segundos: inteiro) [OK, FALHA]"},
      {"tadefinir", "(\"valor\":texto) [use \\n para incluir quebras de linha facilmente]"},
      {"textodigitar",
       "(\"valor\": texto) [Não funciona com acentos e cedilha (Use &TextoColar() nesses casos)]"},
      {"se", "(\"teste lógico\";<ação se verdadeiro>;<ação se falso>). [retorna a função executada]"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(catalogo::procurar(QString::fromLatin1(c.palavra))->dica, QString::fromUtf8(c.dica)) << c.palavra;
  const QString linha = catalogo::procurar(QStringLiteral("lainserirlinha"))->dica;
  EXPECT_TRUE(linha.startsWith(QStringLiteral("(\"valores\":texto) //ex: \"Ariston,"))) << linha.toStdString();
  EXPECT_TRUE(linha.endsWith(QStringLiteral(",ok\"")));
}

TEST(Catalogo, DefinicaoDeBlocoNaoEPalavraDeDespacho) {
  EXPECT_EQ(catalogo::procurar(QStringLiteral("bloco[")), nullptr);
  EXPECT_EQ(catalogo::procurar(QStringLiteral("inexistente")), nullptr);
  EXPECT_EQ(catalogo::procurar(QStringLiteral("TeclarEnter")), nullptr);  // keywords are lower case
}
