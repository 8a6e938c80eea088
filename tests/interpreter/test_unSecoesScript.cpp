#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "unCLLista.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unParametrosScript.h"
#include "unSecoesScript.h"
#include "unUtil.h"

using namespace mivo;

namespace {
QStringList linhas(const char* texto) { return dividirLinhas(QString::fromUtf8(texto)); }
}  // namespace

TEST(SecoesScript, DefinirConfig) {
  const QStringList doc = linhas(
      "##info\nsobre\n##info_fim\n##config\n\n  ocultar_janela=não // comentário\nchave=a//b\n\n"
      "x=1\n\n##config_fim\n##pre_carregar\nrodar=sim\n##pre_carregar_fim\n&TeclarEnter().");
  EXPECT_EQ(definirConfig(doc, QStringLiteral("##config"), true),
            (QStringList{"ocultar_janela=não", "chave=a//b", "", "x=1"}));
  EXPECT_EQ(definirConfig(doc, QStringLiteral("##config"), false).first(),
            QStringLiteral("ocultar_janela=não // comentário"));
  EXPECT_EQ(definirConfig(doc, QStringLiteral("##pre_carregar"), true), QStringList{"rodar=sim"});
  EXPECT_TRUE(definirConfig(doc, QStringLiteral("##parametros"), true).isEmpty());
  EXPECT_TRUE(definirConfig(linhas("##config\nx=1"), QStringLiteral("##config"), true).isEmpty());  // no end
  EXPECT_TRUE(definirConfig(linhas("##config_fim\n##config\nx=1\n##config_fim"), QStringLiteral("##config"), true)
                  .isEmpty());  // the first end marker closes it
}

TEST(SecoesScript, PreCarregarViraVariaveisEAjustes) {
  QTemporaryDir base;
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  teste::CLHostTeste host;
  CLScript script(host);
  script.setGrade(*host.lista().gGrid);
  const EfeitosPreCarga e = rodarSecaoPre(
      script, {"rodar=não", "ocultar_lista=sim", "ocultar_texto=não", "exigir_dados=sim", "pre_titulo=Envio",
               "pre_titulo_lista=não", "pre_lista=nada", "pre_colunas=nome,email", "Cidade = Recife ", "sem igual"});
  EXPECT_TRUE(e.impedirRodar);
  EXPECT_TRUE(e.ocultar.value(QStringLiteral("ocultar_lista")));
  EXPECT_FALSE(e.ocultar.value(QStringLiteral("ocultar_texto")));
  EXPECT_TRUE(e.exigirDados);
  EXPECT_EQ(e.titulo, QStringLiteral("Envio"));
  EXPECT_FALSE(e.tituloLista.has_value());
  EXPECT_EQ(script.grade().cell(1, 0), QStringLiteral("email"));
  QStringList variaveis;
  for (const auto& v : script.valores().entradas()) variaveis << v.nome + u'=' + v.dados.gValor;
  // Recognised keys set to "não" become variables too; "rodar" never does.
  EXPECT_EQ(variaveis, (QStringList{"ocultar_texto=não", "pre_titulo_lista=não", "cidade=Recife", "="}));
  qunsetenv("MIVO_BASE_DIR");
}

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
