#pragma once
// The clock every wait goes through. The real one sleeps; the virtual one
// only moves its hands, so a script that waits 30 seconds takes microseconds
// in tests and under `mivo-run --sem-espera`.

#include <QDateTime>
#include <QElapsedTimer>

namespace mivo {

class CLRelogio {
 public:
  // virtual clocks start at `inicio` (the current date and time when null)
  explicit CLRelogio(bool virtualizado = false, const QDateTime& inicio = {});

  bool virtualizado() const { return gVirtual; }
  qint64 agoraMs() const;      // monotonic milliseconds since creation
  QDateTime dataHora() const;  // wall-clock date and time
  void dormir(qint64 ms);
  // virtual clock only: moves the hands without sleeping
  void avancar(qint64 ms);
  void definirDataHora(const QDateTime& dataHora);

 private:
  bool gVirtual;
  QElapsedTimer gCronometro;
  qint64 gVirtualMs = 0;
  QDateTime gInicio;
};

}  // namespace mivo
