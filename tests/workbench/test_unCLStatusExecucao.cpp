#include "unCLStatusExecucao.h"

#include <gtest/gtest.h>

#include <QList>
#include <functional>

namespace mivo {
namespace {

struct CasoTransicao {
  const char* nome;
  StatusExecucao de;
  std::function<bool(CLStatusExecucao&)> evento;  // what the event answered
  bool aceito;
  StatusExecucao para;
  bool parar;
};

TEST(CLStatusExecucao, TransicoesDoStatus) {
  const QList<CasoTransicao> casos = {
      {"pausar rodando", StatusExecucao::Rodando, [](CLStatusExecucao& s) { return s.pausar(); }, true, StatusExecucao::Pausado, false},
      {"pausar pausado", StatusExecucao::Pausado, [](CLStatusExecucao& s) { return s.pausar(); }, false, StatusExecucao::Pausado, false},
      {"pausar inativo", StatusExecucao::Inativo, [](CLStatusExecucao& s) { return s.pausar(); }, false, StatusExecucao::Inativo, false},
      {"retomar pausado", StatusExecucao::Pausado, [](CLStatusExecucao& s) { return s.retomar(); }, true, StatusExecucao::Rodando, false},
      {"retomar rodando", StatusExecucao::Rodando, [](CLStatusExecucao& s) { return s.retomar(); }, false, StatusExecucao::Rodando, false},
      {"retomar inativo", StatusExecucao::Inativo, [](CLStatusExecucao& s) { return s.retomar(); }, false, StatusExecucao::Inativo, false},
      {"encerrar pausado acorda o laço", StatusExecucao::Pausado, [](CLStatusExecucao& s) { s.encerrar(); return true; }, true,
       StatusExecucao::Inativo, false},
      {"encerrar rodando pede parada", StatusExecucao::Rodando, [](CLStatusExecucao& s) { s.encerrar(); return true; }, true,
       StatusExecucao::Rodando, true},
      {"encerrar inativo nada faz", StatusExecucao::Inativo, [](CLStatusExecucao& s) { s.encerrar(); return true; }, true,
       StatusExecucao::Inativo, false},
      {"esc", StatusExecucao::Rodando, [](CLStatusExecucao& s) { s.encerrarPorEsc(); return true; }, true,
       StatusExecucao::Encerrado, false},
  };
  for (const CasoTransicao& c : casos) {
    SCOPED_TRACE(c.nome);
    CLStatusExecucao s;
    EXPECT_EQ(s.status(), StatusExecucao::Inativo);
    s.setStatus(c.de);
    EXPECT_EQ(c.evento(s), c.aceito);
    EXPECT_EQ(s.status(), c.para);
    EXPECT_EQ(s.parar(), c.parar);
  }
}

TEST(ConfigToolbar, BotoesPorStatus) {
  struct Caso {
    StatusExecucao status;
    bool salvo;
    bool executar, pausar, encerrar, edicao, novo, salvar, barraPausa, inativo;
  };
  const QList<Caso> casos = {
      {StatusExecucao::Inativo, true, true, false, false, true, true, false, false, true},
      {StatusExecucao::Inativo, false, true, false, false, true, true, true, false, true},
      {StatusExecucao::Rodando, false, false, true, true, false, false, false, false, false},
      {StatusExecucao::Pausado, false, true, false, true, false, true, true, true, false},
      {StatusExecucao::Pausado, true, true, false, true, false, true, false, true, false},
      {StatusExecucao::Encerrado, false, true, false, false, true, true, true, false, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE((textoStatus(c.status) + (c.salvo ? " salvo" : " não salvo")).toStdString());
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
