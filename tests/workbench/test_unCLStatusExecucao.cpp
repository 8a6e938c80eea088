#include "unCLStatusExecucao.h"

#include <gtest/gtest.h>

#include <QList>
#include <functional>

namespace mivo {
namespace {

struct CasoTransicao {
  const char* nome;
  QString de;
  std::function<bool(CLStatusExecucao&)> evento;  // what the event answered
  bool aceito;
  QString para;
  bool parar;
};

TEST(CLStatusExecucao, TransicoesDoStatus) {
  const QList<CasoTransicao> casos = {
      {"pausar rodando", status::kRodando, [](CLStatusExecucao& s) { return s.pausar(); }, true, status::kPausado, false},
      {"pausar pausado", status::kPausado, [](CLStatusExecucao& s) { return s.pausar(); }, false, status::kPausado, false},
      {"pausar inativo", status::kInativo, [](CLStatusExecucao& s) { return s.pausar(); }, false, status::kInativo, false},
      {"retomar pausado", status::kPausado, [](CLStatusExecucao& s) { return s.retomar(); }, true, status::kRodando, false},
      {"retomar rodando", status::kRodando, [](CLStatusExecucao& s) { return s.retomar(); }, false, status::kRodando, false},
      {"retomar inativo", status::kInativo, [](CLStatusExecucao& s) { return s.retomar(); }, false, status::kInativo, false},
      {"encerrar pausado acorda o laço", status::kPausado, [](CLStatusExecucao& s) { s.encerrar(); return true; }, true,
       status::kInativo, false},
      {"encerrar rodando pede parada", status::kRodando, [](CLStatusExecucao& s) { s.encerrar(); return true; }, true,
       status::kRodando, true},
      {"encerrar inativo nada faz", status::kInativo, [](CLStatusExecucao& s) { s.encerrar(); return true; }, true,
       status::kInativo, false},
      {"esc", status::kRodando, [](CLStatusExecucao& s) { s.encerrarPorEsc(); return true; }, true,
       status::kEncerrado, false},
  };
  for (const CasoTransicao& c : casos) {
    SCOPED_TRACE(c.nome);
    CLStatusExecucao s;
    EXPECT_EQ(s.status(), status::kInativo);
    s.setStatus(c.de);
    EXPECT_EQ(c.evento(s), c.aceito);
    EXPECT_EQ(s.status(), c.para);
    EXPECT_EQ(s.parar(), c.parar);
  }
}

TEST(ConfigToolbar, BotoesPorStatus) {
  struct Caso {
    QString status;
    bool salvo;
    bool executar, pausar, encerrar, edicao, novo, salvar, barraPausa, inativo;
  };
  const QList<Caso> casos = {
      {status::kInativo, true, true, false, false, true, true, false, false, true},
      {status::kInativo, false, true, false, false, true, true, true, false, true},
      {status::kRodando, false, false, true, true, false, false, false, false, false},
      {status::kPausado, false, true, false, true, false, true, true, true, false},
      {status::kPausado, true, true, false, true, false, true, false, true, false},
      {status::kEncerrado, false, true, false, false, true, true, true, false, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE((c.status + (c.salvo ? " salvo" : " não salvo")).toStdString());
    const EstadoToolbar e = configToolbar(c.status, c.salvo);
    EXPECT_EQ(e.executarVisivel, c.executar);
    EXPECT_EQ(e.pausarVisivel, c.pausar);
    EXPECT_EQ(e.encerrarVisivel, c.encerrar);
    EXPECT_EQ(e.edicaoHabilitada, c.edicao);
    EXPECT_EQ(e.novoVisivel, c.novo);
    EXPECT_EQ(e.salvarVisivel, c.salvar);
    EXPECT_EQ(e.barraPausaVisivel, c.barraPausa);
    EXPECT_EQ(e.inativo, c.inativo);
    EXPECT_TRUE(e.abrirVisivel);
    EXPECT_TRUE(e.duplicarVisivel);
  }
}

}  // namespace
}  // namespace mivo
