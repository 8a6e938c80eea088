#include <gtest/gtest.h>

#include "impressaoQt.h"
#include "unParametrosScript.h"

using namespace mivo;

TEST(ParametrosScript, LinhasDeParametro) {
  const QList<ParametroScript> p = lerParametros(
      {"", "tipo=rápido;lento // Modo", "pasta_arquivo=C:\\dados\\x.txt // Arquivo de entrada", "nome=\"  Ana \"",
       "sem igual", "desc=valor//sem espaço", "citado=\"a;b\" // x", ""});
  ASSERT_EQ(p.size(), 6);
  EXPECT_EQ(p[0].nome, QStringLiteral("tipo"));
  EXPECT_EQ(p[0].valor, QStringLiteral("rápido"));
  EXPECT_EQ(p[0].opcoes, (QStringList{"rápido", "lento"}));
  EXPECT_EQ(p[0].descricao, QStringLiteral("Modo"));
  EXPECT_EQ(p[1].valor, QStringLiteral("C:\\dados\\x.txt"));
  EXPECT_EQ(p[2].valor, QStringLiteral("Ana"));
  EXPECT_EQ(p[3].nome, QString());  // no "=": empty name and value
  EXPECT_EQ(p[3].valor, QString());
  EXPECT_EQ(p[4].valor, QStringLiteral("valor//sem espaço"));
  EXPECT_EQ(p[5].valor, QStringLiteral("\"a"));  // quotes stay when a description follows
  EXPECT_EQ(linhasParametros({p[0], p[4]}), (QStringList{"tipo=rápido;lento// Modo", "desc=valor//sem espaço"}));
  // Written back and read again, the line stays the same.
  EXPECT_EQ(linhasParametros(lerParametros(linhasParametros({p[0]}))), linhasParametros({p[0]}));
}

TEST(ParametrosScript, ArquivoDeParametros) {
  EXPECT_EQ(caminhoParametros(QStringLiteral("/x/envio.MIVO")), QStringLiteral("/x/envio.params"));
  EXPECT_EQ(caminhoParametros(QStringLiteral("/x/a.mivo.mivo")), QStringLiteral("/x/a.params.mivo"));
  EXPECT_EQ(caminhoParametros(QStringLiteral("/x/sem-extensao")), QString());
}
