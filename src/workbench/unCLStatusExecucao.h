#pragma once
// The run status of the workbench and the rules that follow from it: the
// status the toolbar and the run loop share, the stop request, and which
// toolbar buttons show for a status. Holds no widget.

#include "unCLHost.h"

namespace mivo {

class CLStatusExecucao {
 public:
  StatusExecucao status() const { return gStatus; }
  // As the run loop sets it ("Rodando" at the start, "Inativo" at the end).
  void setStatus(StatusExecucao valor) { gStatus = valor; }
  bool parar() const { return gParar; }
  void setParar(bool valor) { gParar = valor; }

  // "Pausar" (and F9): "Rodando" -> "Pausado"; false (nothing changes) in
  // any other status.
  bool pausar();
  // "Executar" while paused: "Pausado" -> "Rodando"; false otherwise.
  bool retomar();
  // "Encerrar": a paused run becomes "Inativo" (its waiting loop wakes up
  // and ends the run); a running one gets the stop request. Nothing when
  // no run is active.
  void encerrar();
  // Esc on an unnamed script: "encerrado", which ends an active run like a
  // stop request.
  void encerrarPorEsc() { gStatus = StatusExecucao::Encerrado; }

  bool rodando() const { return gStatus == StatusExecucao::Rodando; }
  bool pausado() const { return gStatus == StatusExecucao::Pausado; }

 private:
  StatusExecucao gStatus = StatusExecucao::Inativo;
  bool gParar = false;
};

// What the run toolbar shows for a status (configToolbar).
struct EstadoToolbar {
  bool executarVisivel = true;
  bool pausarVisivel = false;
  bool encerrarVisivel = false;
  bool edicaoHabilitada = true;  // "Exibir edição"
  bool novoVisivel = true;
  bool abrirVisivel = true;
  bool duplicarVisivel = true;
  bool salvarVisivel = false;
  bool barraPausaVisivel = false;  // "Script pausado"
  // Inactive: editor enabled, auxiliary text editable, no active-line
  // highlight.
  bool inativo = true;
};

EstadoToolbar configToolbar(StatusExecucao status, bool documentoSalvo);

}  // namespace mivo
