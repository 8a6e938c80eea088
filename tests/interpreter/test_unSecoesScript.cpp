#include <gtest/gtest.h>

#include "unCLLista.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unPastaBaseTeste.h"
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
  teste::CLPastaBaseTeste base;
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
}
