// What the action recorder's poll costs while nobody types: the recorder
// window recording for N seconds against the X display of DISPLAY (every
// key and button looked at every 10 ms), as a share of one core.
//   bench_gravador [segundos]   (bench/gravador.sh gives it an Xvfb)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "unCLDesktopX11.h"
#include "unFrmMacro.h"

namespace {
double segundosDeCpu() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return uso.ru_utime.tv_sec + uso.ru_stime.tv_sec + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  const int segundos = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::u16string erro;
  auto desktop = mivo::CLDesktopX11::criar(qgetenv("DISPLAY").toStdString(), erro);
  if (!desktop) {
    std::fprintf(stderr, "sem display X: %s\n", QString::fromStdU16String(erro).toUtf8().constData());
    return 2;
  }
  auto* gravador = new mivo::TfrmMacro(*desktop);
  gravador->show();
  gravador->iniciarGravacao();
  // Settle first, then measure.
  QTimer::singleShot(500, [&] {
    const double cpu0 = segundosDeCpu();
    QElapsedTimer relogio;
    relogio.start();
    QTimer::singleShot(segundos * 1000, [&, cpu0, relogio] {
      const double cpu = segundosDeCpu() - cpu0;
      const double parede = relogio.elapsed() / 1000.0;
      std::printf("gravador ocioso: %.2f%% de um núcleo (%.3f s de CPU em %.1f s)\n", 100.0 * cpu / parede, cpu,
                  parede);
      gravador->close();
      app.quit();
    });
  });
  return app.exec();
}
