#include "unAguardar.h"

#include <algorithm>

#include "unCLHost.h"

namespace mivo {

bool aguardarAte(CLHost& host, qint64 ms, qint64 passoMs, const std::function<bool()>& pronto) {
  const qint64 limite = std::clamp<qint64>(ms, 0, kEsperaMaximaMs);
  const qint64 inicio = host.agoraMs();
  while (true) {
    if (pronto && pronto()) return true;
    const qint64 decorridos = host.agoraMs() - inicio;
    if (decorridos >= limite || host.parar()) return false;
    host.dormir(std::min(passoMs, limite - decorridos));
    host.bombearEventos();
  }
}

void pausarMs(CLHost& host, qint64 ms) { aguardarAte(host, ms, 50, {}); }

bool aguardarRetomada(CLHost& host) {
  if (host.parar()) return false;
  if (host.statusExecucao() != StatusExecucao::Pausado) return true;
  while (host.statusExecucao() == StatusExecucao::Pausado) {
    host.dormir(200);
    host.bombearEventos();
  }
  const StatusExecucao status = host.statusExecucao();
  return !host.parar() && status != StatusExecucao::Inativo && status != StatusExecucao::Encerrado;
}

}  // namespace mivo
