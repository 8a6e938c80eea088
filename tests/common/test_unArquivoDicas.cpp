#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "unArquivoDicas.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

TEST(ArquivoDicas, LeSoOTrueExatoSemDiferenciarOIdentificador) {
  QTemporaryDir dir;
  const QString arquivo = dir.filePath(QStringLiteral("tipfile.txt"));
  EXPECT_FALSE(dicas::dicaOculta(arquivo, QStringLiteral("qualquer")));  // no file: every tip shows
  ASSERT_TRUE(gravarArquivo(arquivo, "a=true\r\nb=TRUE\r\nc=false\r\nsem igual\r\nA=false\r\nd=true \r\n"));
  const struct {
    const char* id;
    bool oculta;
  } casos[] = {{"a", true}, {"A", true}, {"b", false}, {"c", false}, {"d", false}, {"x", false}, {"sem igual", false}};
  for (const auto& c : casos) EXPECT_EQ(dicas::dicaOculta(arquivo, QString::fromUtf8(c.id)), c.oculta) << c.id;
}

TEST(ArquivoDicas, GravarAtualizaOuAcrescentaEPreservaAsOutras) {
  QTemporaryDir dir;
  const QString arquivo = dir.filePath(QStringLiteral("tipfile.txt"));
  ASSERT_TRUE(dicas::definirDicaOculta(arquivo, QStringLiteral("Ação"), true));  // creates the file
  EXPECT_TRUE(dicas::dicaOculta(arquivo, QStringLiteral("ação")));
  ASSERT_TRUE(dicas::definirDicaOculta(arquivo, QStringLiteral("outra"), true));
  ASSERT_TRUE(dicas::definirDicaOculta(arquivo, QStringLiteral("AÇÃO"), false));
  QString texto;
  ASSERT_TRUE(lerArquivoTexto(arquivo, texto));
  EXPECT_EQ(texto, QStringLiteral("Ação=false\r\noutra=true\r\n"));
  EXPECT_FALSE(dicas::dicaOculta(arquivo, QStringLiteral("Ação")));
  EXPECT_FALSE(dicas::definirDicaOculta(dir.filePath(QStringLiteral("nao/existe/tipfile.txt")), QStringLiteral("x"), true));
}

TEST(ArquivoDicas, CaminhoNaPastaBase) {
  teste::CLPastaBaseTeste dir;
  EXPECT_EQ(dicas::caminhoArquivoDicas(), dir.filePath(QStringLiteral("tipfile.txt")));
}
