#include "unCLAjudaLinha.h"

#include <gtest/gtest.h>

#include "unAjudaFalsa.h"
#include "unApoioEditor.h"

using namespace mivo;

namespace {

TEST(AjudaLinha, NomeDaLinha) {
  const QList<std::pair<QString, QString>> casos = {
      {"   &TeclarEnter().", "&TeclarEnter"},
      {"&Marcador", ""},                       // no "("
      {"&MsgExibir(\"a (b)\").", "&MsgExibir"},
      {"\t&Se(&Valor(x)=1;&VaiPara(fim)).  ", "&Se"},
      {"// &TeclarEnter().", ""},              // not a statement line
      {"nome(", ""},
      {"", ""},
  };
  for (const auto& [linha, nome] : casos) EXPECT_EQ(nomeAjudaDaLinha(linha), nome) << linha.toStdString();
}

using teste::CLAjudaFalsa;

TEST(AjudaLinha, FiltraSoComAJanelaVisivelEABancadaAtiva) {
  CLAjudaFalsa ajuda;
  EXPECT_FALSE(mostrarAjudaLinha(QStringLiteral("&TeclarEnter()."), nullptr, true));
  ajuda.gVisivel = false;
  EXPECT_FALSE(mostrarAjudaLinha(QStringLiteral("&TeclarEnter()."), &ajuda, true));
  ajuda.gVisivel = true;
  EXPECT_FALSE(mostrarAjudaLinha(QStringLiteral("&TeclarEnter()."), &ajuda, false));
  EXPECT_EQ(ajuda.gFiltragens, 0);

  EXPECT_TRUE(mostrarAjudaLinha(QStringLiteral("  &TeclarEnter()."), &ajuda, true));
  EXPECT_EQ(ajuda.gFiltro, QStringLiteral("&TeclarEnter"));
  // The same name again: "Filtrar" is not pressed again.
  EXPECT_FALSE(mostrarAjudaLinha(QStringLiteral("&TeclarEnter(). // de novo"), &ajuda, true));
  // A line that is no statement leaves the filter alone.
  EXPECT_FALSE(mostrarAjudaLinha(QStringLiteral("texto qualquer"), &ajuda, true));
  EXPECT_EQ(ajuda.gFiltro, QStringLiteral("&TeclarEnter"));
  // "&Marcador" without "(" clears it.
  EXPECT_TRUE(mostrarAjudaLinha(QStringLiteral("&Marcador"), &ajuda, true));
  EXPECT_EQ(ajuda.gFiltro, QString());
  EXPECT_EQ(ajuda.gFiltragens, 2);
}

TEST(AjudaLinha, EditorDaONomeDaLinhaDoCursor) {
  CLEditorScript ed;
  ed.setTextoScript(QStringLiteral("##config\n   &TeclarEnter().\n&Marcador\n"));
  ed.setCursorPosition(1, 5);
  EXPECT_EQ(ed.nomeAjudaLinha(), QStringLiteral("&TeclarEnter"));
  ed.setCursorPosition(2, 2);
  EXPECT_EQ(ed.nomeAjudaLinha(), QString());
  EXPECT_EQ(ed.textoLinhaAtual(), QStringLiteral("&Marcador"));
}

}  // namespace
