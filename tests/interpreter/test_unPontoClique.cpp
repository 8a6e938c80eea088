#include <gtest/gtest.h>

#include "unPontoClique.h"
#include "impressaoQt.h"

using namespace mivo;

TEST(PontoClique, InstrucaoTerminadaEm) {
  const QStringList linhas{
      QStringLiteral("&A(1)."),                  // 0
      QStringLiteral("&Se([a]=1;"),              // 1
      QStringLiteral("  // comentário"),         // 2
      QStringLiteral("&MouseCliquePerguntar(m;"), // 3: a nested call on a line of its own
      QStringLiteral("0;0))."),                  // 4
      QStringLiteral("texto solto"),             // 5
  };
  const struct {
    int ultima, primeira;
    const char* texto;
  } casos[] = {
      {0, 0, "&A(1)."},
      {4, 1, "&Se([a]=1;&MouseCliquePerguntar(m;0;0))."},
      {3, -1, ""},
      {5, -1, ""},
      {9, -1, ""},
  };
  for (const auto& c : casos) {
    const InstrucaoNoScript i = instrucaoTerminadaEm(linhas, c.ultima);
    EXPECT_EQ(i.primeira, c.primeira) << c.ultima;
    if (c.primeira >= 0) {
      EXPECT_EQ(i.ultima, c.ultima);
      EXPECT_EQ(i.texto, QString::fromUtf8(c.texto));
    }
  }
}

TEST(PontoClique, EscreverPontoClique) {
  const struct {
    QStringList antes;
    int ultima;
    QStringList depois;
    int removidas;
  } casos[] = {
      {{"&MouseCliquePerguntar(\"Enviar\";0;0)."}, 0, {"&MouseCliquePerguntar(\"Enviar\";12;34)."}, 0},
      {{"  &mousecliqueperguntar( \"a  b\" ; 0 ; 0 ; sim ). // x"},
       0,
       {"  &MouseCliquePerguntar(\"a  b\";12;34). // x"},
       0},
      {{"&Se(1=1;&MouseCliquePerguntar(\"(ok)\";0;0)). // &MouseCliquePerguntar(x;0;0)."},
       0,
       {"&Se(1=1;&MouseCliquePerguntar(\"(ok)\";12;34)). // &MouseCliquePerguntar(x;0;0)."},
       0},
      {{"x", "&MouseCliquePerguntar(\"m\";", "0;", "0). // fim", "y"},
       3,
       {"x", "&MouseCliquePerguntar(\"m\";12;34). // fim", "y"},  // read as the engine reads it
       2},
      // A point already learned, a call kept for the run only, no call at all:
      // the script stays as it is.
      {{"&MouseCliquePerguntar(\"m\";5;0)."}, 0, {"&MouseCliquePerguntar(\"m\";5;0)."}, -1},
      {{"&MouseCliquePerguntar(\"m\";0;0;não)."}, 0, {"&MouseCliquePerguntar(\"m\";0;0;não)."}, -1},
      {{"&TeclarEnter()."}, 0, {"&TeclarEnter()."}, -1},
      {{"// &MouseCliquePerguntar(\"m\";0;0)."}, 0, {"// &MouseCliquePerguntar(\"m\";0;0)."}, -1},
  };
  for (const auto& c : casos) {
    QStringList linhas = c.antes;
    EXPECT_EQ(escreverPontoClique(linhas, c.ultima, 12, 34), c.removidas) << c.antes.join('|').toStdString();
    EXPECT_EQ(linhas, c.depois);
  }
}

TEST(PontoClique, ResetarConfigs) {
  const struct {
    QStringList antes, depois, dicas;
  } casos[] = {
      // Learned points go back to 0 and 0; the message stays whole, also
      // with ")" or "não" in it, and the flag "não" stays.
      {{"&MouseCliquePerguntar(\"Enviar\";512;300)."}, {"&MouseCliquePerguntar(\"Enviar\";0;0)."}, {}},
      {{"  &mousecliqueperguntar( \"Não (azul) ok\" ; 7 ; 8 ). // não"},
       {"  &MouseCliquePerguntar(\"Não (azul) ok\";0;0). // não"},
       {}},
      {{"&MouseCliquePerguntar(\"m\";5;6;\"não\")."}, {"&MouseCliquePerguntar(\"m\";0;0;\"não\")."}, {}},
      {{"&MouseCliquePerguntar(\"m\";5;6;sim)."}, {"&MouseCliquePerguntar(\"m\";0;0)."}, {}},
      // Nested, and two on a line.
      {{"&Se(1=1;&MouseCliquePerguntar(\"a\";1;2))."}, {"&Se(1=1;&MouseCliquePerguntar(\"a\";0;0))."}, {}},
      {{"&MouseCliquePerguntar(\"a\";1;2).&MouseCliquePerguntar(\"b\";3;4)."},
       {"&MouseCliquePerguntar(\"a\";0;0).&MouseCliquePerguntar(\"b\";0;0)."},
       {}},
      // Tips to show again; the lines stay as they are.
      {{"&MsgDica(\"boas_vindas\";\"Olá\").", "&msgdica( \"envio\" ; \"Atenção\"; 300).", "&MsgDica(\"envio\";\"x\")."},
       {"&MsgDica(\"boas_vindas\";\"Olá\").", "&msgdica( \"envio\" ; \"Atenção\"; 300).", "&MsgDica(\"envio\";\"x\")."},
       {"boas_vindas", "envio"}},
      // Left alone: a call split over lines, calls in comments, other functions.
      {{"&MouseCliquePerguntar(\"m\";", "5;6)."}, {"&MouseCliquePerguntar(\"m\";", "5;6)."}, {}},
      {{"// &MouseCliquePerguntar(\"m\";5;6).", "&TeclarEnter(). // &MsgDica(\"d\";\"x\")."},
       {"// &MouseCliquePerguntar(\"m\";5;6).", "&TeclarEnter(). // &MsgDica(\"d\";\"x\")."},
       {}},
  };
  for (const auto& c : casos) {
    const ResetConfigs r = resetarConfigs(c.antes);
    EXPECT_EQ(r.linhas, c.depois) << c.antes.join('|').toStdString();
    EXPECT_EQ(r.dicas, c.dicas) << c.antes.join('|').toStdString();
  }
}

