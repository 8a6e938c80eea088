#include <gtest/gtest.h>

#include "unCLIndiceRotulos.h"

using namespace mivo;

TEST(IndiceRotulos, ProcuraNoTextoComoEleEstaAgora) {
  CLIndiceRotulos indice;
  QStringList linhas = {QStringLiteral("&Marcador(a)."), QStringLiteral("x")};
  EXPECT_EQ(indice.ultimoMarcador(linhas, QStringLiteral("a")), 0);
  linhas[1] = QStringLiteral("&Marcador(a).");
  EXPECT_EQ(indice.ultimoMarcador(linhas, QStringLiteral("a")), 1);
  linhas.removeLast();
  linhas.append(QStringLiteral("&Marcador(b)."));
  EXPECT_EQ(indice.ultimoMarcador(linhas, QStringLiteral("a")), 0);
  EXPECT_EQ(indice.ultimoMarcador(linhas, QStringLiteral("b")), 1);
  // Another list of the same size is searched as well.
  const QStringList outra = {QStringLiteral("&Marcador(b)."), QStringLiteral("&Bloco[a]().")};
  EXPECT_EQ(indice.ultimoMarcador(outra, QStringLiteral("a")), -1);
  EXPECT_EQ(indice.ultimoMarcador(outra, QStringLiteral("b")), 0);
  EXPECT_EQ(indice.primeiroBloco(outra, QStringLiteral("a")), 1);
}

TEST(IndiceRotulos, UltimoMarcadorEPrimeiroBlocoEmCadaForma) {
  const QStringList linhas = {
      QStringLiteral("&Marcador(fim)."),                      // 0
      QStringLiteral("&Bloco[envio]()."),                     // 1
      QStringLiteral("&marcador(\"FIM\")."),                  // 2
      QStringLiteral("// &Marcador(AÇÃO) só no comentário"),  // 3
      QStringLiteral("&BLOCO[\"Envio\"]()."),                 // 4
      QStringLiteral("&Marcador(a)b)."),                      // 5
      QStringLiteral("&Se(x=1;&Marcador(dentro))."),          // 6
      QStringLiteral("&Bloco[outro]()."),                     // 7
      QStringLiteral("&Marcador( fim)."),                     // 8: a blank makes another name
  };
  const struct {
    const char* nome;
    int marcador;  // last line marking it; -1: none
    int bloco;     // first line defining a block of that name; -1: none
  } casos[] = {
      {"fim", 2, -1},   {"FIM", 2, -1},     {"ação", 3, -1},     {"a)b", 5, -1},
      {"a", 5, -1},     {"dentro", 6, -1},  {"envio", -1, 1},    {"Envio", -1, 1},
      {"outro", -1, 7}, {" fim", 8, -1},    {"nada", -1, -1},    {"x]y", -1, -1},
      {"fim", 2, -1},  // asked again after other names: the same answer
  };
  CLIndiceRotulos indice;
  for (const auto& c : casos) {
    const QString nome = QString::fromUtf8(c.nome);
    EXPECT_EQ(indice.ultimoMarcador(linhas, nome), c.marcador) << c.nome;
    EXPECT_EQ(indice.primeiroBloco(linhas, nome), c.bloco) << c.nome;
  }
}
