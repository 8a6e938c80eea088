#include <gtest/gtest.h>

#include <limits>

#include "unAguardar.h"
#include "unHostTeste.h"

using namespace mivo;

// Every wait here runs on the test host's virtual clock: the times below are
// exact and cost nothing.

TEST(Aguardar, ProntoNaHoraNaoGastaTempoNemBombeia) {
  const struct {
    qint64 ms;
    bool pronto;
  } casos[] = {{5000, true}, {0, true}, {0, false}, {-10, false}};
  for (const auto& c : casos) {
    teste::CLHostTeste host;
    int perguntas = 0;
    const bool r = aguardarAte(host, c.ms, 50, [&] {
      ++perguntas;
      return c.pronto;
    });
    EXPECT_EQ(r, c.pronto) << c.ms;
    EXPECT_EQ(perguntas, 1) << c.ms;  // asked before any step
    EXPECT_EQ(host.agoraMs(), 0) << c.ms;
    EXPECT_EQ(host.bombeamentos, 0) << c.ms;
  }
}

TEST(Aguardar, EsgotaExatamenteNoPrazoPerguntandoACadaPasso) {
  const struct {
    qint64 ms, passoMs;
    int passos;  // sleeps, each followed by a pump
  } casos[] = {
      {1000, 50, 20},
      {1030, 50, 21},  // the last step is shortened to the deadline
      {40, 50, 1},
      {3000, 200, 15},
  };
  for (const auto& c : casos) {
    teste::CLHostTeste host;
    int perguntas = 0;
    EXPECT_FALSE(aguardarAte(host, c.ms, c.passoMs, [&] {
      ++perguntas;
      return false;
    })) << c.ms;
    EXPECT_EQ(host.agoraMs(), c.ms) << c.ms;
    EXPECT_EQ(host.bombeamentos, c.passos) << c.ms;
    EXPECT_EQ(perguntas, c.passos + 1) << c.ms;  // once more at the deadline
  }
}

TEST(Aguardar, ProntoNoMeioDaEsperaTerminaNaquelePasso) {
  teste::CLHostTeste host;
  EXPECT_TRUE(aguardarAte(host, 10000, 50, [&] { return host.agoraMs() >= 1200; }));
  EXPECT_EQ(host.agoraMs(), 1200);
  EXPECT_EQ(host.bombeamentos, 24);
}

TEST(Aguardar, PedidoDeParadaEncerraAEsperaCedo) {
  const struct {
    const char* caso;
    bool jaPedida;      // the stop was requested before the wait began
    qint64 prontoEmMs;  // when `pronto` starts answering true; -1: never
    bool resultado;
    qint64 decorridoMs;
  } casos[] = {
      {"pedida durante a espera", false, -1, false, 300},
      {"pedida antes", true, -1, false, 0},
      {"pronto vale mais que a parada", true, 0, true, 0},
      {"pronto depois da parada", false, 400, false, 300},
  };
  for (const auto& c : casos) {
    teste::CLHostTeste host;
    host.setParar(c.jaPedida);
    host.aoBombear = [](teste::CLHostTeste& h) {
      if (h.agoraMs() >= 300) h.setParar(true);  // the user presses "Encerrar"
    };
    const bool r = aguardarAte(host, 60000, 50, [&] { return c.prontoEmMs >= 0 && host.agoraMs() >= c.prontoEmMs; });
    EXPECT_EQ(r, c.resultado) << c.caso;
    EXPECT_EQ(host.agoraMs(), c.decorridoMs) << c.caso;
  }

  // A pause ends the same way.
  teste::CLHostTeste host;
  host.aoBombear = [](teste::CLHostTeste& h) {
    if (h.agoraMs() >= 300) h.setParar(true);
  };
  pausarMs(host, 60000);
  EXPECT_EQ(host.agoraMs(), 300);
}

TEST(Aguardar, PausaEmPassosDe50ms) {
  const struct {
    qint64 ms;
    qint64 decorridoMs;
    int bombeamentos;
  } casos[] = {{120, 120, 3}, {50, 50, 1}, {0, 0, 0}, {-1, 0, 0}};
  for (const auto& c : casos) {
    teste::CLHostTeste host;
    pausarMs(host, c.ms);
    EXPECT_EQ(host.agoraMs(), c.decorridoMs) << c.ms;
    EXPECT_EQ(host.bombeamentos, c.bombeamentos) << c.ms;
  }
}

TEST(Aguardar, PedidoEnormeLimitadoAUmDia) {
  constexpr qint64 kUmDiaMs = qint64(24) * 60 * 60 * 1000;
  EXPECT_EQ(kEsperaMaximaMs, kUmDiaMs);
  for (const qint64 ms : {kUmDiaMs + 1, 10 * kUmDiaMs, std::numeric_limits<qint64>::max()}) {
    teste::CLHostTeste host;
    EXPECT_FALSE(aguardarAte(host, ms, 60000, [] { return false; })) << ms;
    EXPECT_EQ(host.agoraMs(), kUmDiaMs) << ms;
  }
  teste::CLHostTeste host;
  pausarMs(host, std::numeric_limits<qint64>::max());
  EXPECT_EQ(host.agoraMs(), kUmDiaMs);
}
