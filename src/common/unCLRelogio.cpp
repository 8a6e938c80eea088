#include "unCLRelogio.h"

#include <QThread>

namespace mivo {

CLRelogio::CLRelogio(bool virtualizado, const QDateTime& inicio)
    : gVirtual(virtualizado), gInicio(inicio.isValid() ? inicio : QDateTime::currentDateTime()) {
  gCronometro.start();
}

qint64 CLRelogio::agoraMs() const { return gVirtual ? gVirtualMs : gCronometro.elapsed(); }

QDateTime CLRelogio::dataHora() const {
  return gVirtual ? gInicio.addMSecs(gVirtualMs) : QDateTime::currentDateTime();
}

void CLRelogio::dormir(qint64 ms) {
  if (ms <= 0) return;
  if (gVirtual)
    gVirtualMs += ms;
  else
    QThread::msleep(static_cast<unsigned long>(ms));
}

void CLRelogio::avancar(qint64 ms) {
  if (gVirtual && ms > 0) gVirtualMs += ms;
}

void CLRelogio::definirDataHora(const QDateTime& dataHora) {
  gInicio = dataHora.addMSecs(-gVirtualMs);
}

}  // namespace mivo
