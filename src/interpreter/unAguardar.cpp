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

}  // namespace mivo
