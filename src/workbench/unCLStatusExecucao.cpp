#include "unCLStatusExecucao.h"

namespace mivo {

bool CLStatusExecucao::pausar() {
  if (gStatus != StatusExecucao::Rodando) return false;
  gStatus = StatusExecucao::Pausado;
  return true;
}

bool CLStatusExecucao::retomar() {
  if (gStatus != StatusExecucao::Pausado) return false;
  gStatus = StatusExecucao::Rodando;
  return true;
}

void CLStatusExecucao::encerrar() {
  if (gStatus == StatusExecucao::Pausado)
    gStatus = StatusExecucao::Inativo;
  else if (gStatus == StatusExecucao::Rodando)
    gParar = true;
}

EstadoToolbar configToolbar(StatusExecucao status, bool documentoSalvo) {
  EstadoToolbar e;
  const bool rodando = status == StatusExecucao::Rodando;
  const bool pausado = status == StatusExecucao::Pausado;
  e.pausarVisivel = rodando;
  e.encerrarVisivel = rodando || pausado;
  e.edicaoHabilitada = !e.encerrarVisivel;
  e.executarVisivel = !rodando;
  e.novoVisivel = !rodando;
  e.salvarVisivel = !documentoSalvo && !rodando;
  e.barraPausaVisivel = pausado;
  e.inativo = status == StatusExecucao::Inativo;
  return e;
}

}  // namespace mivo
