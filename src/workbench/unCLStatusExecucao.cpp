#include "unCLStatusExecucao.h"

namespace mivo {

bool CLStatusExecucao::pausar() {
  if (gStatus != status::kRodando) return false;
  gStatus = status::kPausado;
  return true;
}

bool CLStatusExecucao::retomar() {
  if (gStatus != status::kPausado) return false;
  gStatus = status::kRodando;
  return true;
}

void CLStatusExecucao::encerrar() {
  if (gStatus == status::kPausado)
    gStatus = status::kInativo;
  else if (gStatus == status::kRodando)
    gParar = true;
}

EstadoToolbar configToolbar(const QString& status, bool documentoSalvo) {
  EstadoToolbar e;
  const bool rodando = status == status::kRodando;
  const bool pausado = status == status::kPausado;
  e.pausarVisivel = rodando;
  e.encerrarVisivel = rodando || pausado;
  e.edicaoHabilitada = !e.encerrarVisivel;
  e.executarVisivel = !rodando;
  e.novoVisivel = !rodando;
  e.salvarVisivel = !documentoSalvo && !rodando;
  e.barraPausaVisivel = pausado;
  e.inativo = status == status::kInativo;
  return e;
}

}  // namespace mivo
