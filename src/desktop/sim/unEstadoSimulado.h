#pragma once
// The state of a simulated desktop: what a scenario file describes and what
// CLDesktopSimulado starts from. Plain data.

#include <optional>
#include <string>
#include <vector>

#include "unCLDesktop.h"

namespace mivo {

struct JanelaSimulada {
  // Nenhuma: the desktop hands out a free number. A scenario gives one only
  // when another window names it as its parent.
  JanelaId id = JanelaId::Nenhuma;
  std::u16string titulo;
  std::u16string executavel;  // file name without folder: the program of its process
  ProcessoId processo = 0;
  bool visivel = true;
  bool minimizada = false;
  bool maximizada = false;
  bool recusaAtivacao = false;  // the system refuses to activate it
  JanelaId pai = JanelaId::Nenhuma;
  RetanguloJanela retangulo{0, 0, 800, 600};
};

// A rectangle of one colour painted on the screen.
struct AreaCor {
  RetanguloJanela retangulo;
  CorTela cor = 0;
};

// Opening `comando` through the shell (letter case ignored) brings up
// `janela` at the front, with the focus.
struct AberturaSimulada {
  std::u16string comando;
  JanelaSimulada janela;
};

struct CenarioSimulado {
  TamanhoTela tela{1920, 1080};
  PontoTela cursor;
  bool botoesTrocados = false;
  // No program takes a paste: what Mivo puts on the clipboard reaches no
  // one (a chat program that lost the focus).
  bool colagemIgnorada = false;
  std::vector<JanelaSimulada> janelas;  // desktop order, the topmost first
  int primeiroPlano = -1;               // index into janelas; -1: no focus
  std::vector<AreaCor> cores;           // later areas paint over earlier ones
  CorTela corFundo = corRgb(255, 255, 255);
  std::u16string areaTransferencia;
  // Programs besides those of the windows.
  std::vector<ProgramaEmExecucao> programas;
  std::vector<int> teclasLigadas;  // toggled on at the start (20 Caps Lock, ...)
  std::vector<AberturaSimulada> aberturas;
};

}  // namespace mivo
