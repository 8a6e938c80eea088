// POSIX: the handler writes the signal's number into a pipe (write() is
// async-signal-safe) and a QSocketNotifier reads it on the event loop.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "unEncerrarPorSinal.h"
#include "unPedidoParada.h"

namespace mivo {

namespace {

// How often the ending looks again for dialogs to cancel and for the end
// of the run.
constexpr int kIntervaloMs = 50;

int gTubo[2] = {-1, -1};  // never closed: a late signal still finds it
int gCodigo = 0;

extern "C" void aoReceberSinal(int sinal) {
  const int errnoAntes = errno;
  const unsigned char byte = static_cast<unsigned char>(sinal);
  // A full pipe already holds a request.
  [[maybe_unused]] const ssize_t escritos = write(gTubo[1], &byte, 1);
  errno = errnoAntes;
}

// Cancels the modal dialogs and menus that hold nested event loops, the
// innermost first.
void fecharDialogos() {
  for (int i = 0; i < 20; ++i) {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
      continue;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* dialogo = qobject_cast<QDialog*>(modal))
      dialogo->reject();
    else
      modal->close();
  }
}

class CLEncerramento : public QObject {
 public:
  explicit CLEncerramento(AcoesEncerramento acoes) : QObject(qApp), gAcoes(std::move(acoes)) {
    gNotificador = new QSocketNotifier(gTubo[0], QSocketNotifier::Read, this);
    connect(gNotificador, &QSocketNotifier::activated, this, [this] { lerPedido(); });
    gTimer.setInterval(kIntervaloMs);
    connect(&gTimer, &QTimer::timeout, this, [this] { prosseguir(); });
  }

 private:
  void lerPedido() {
    unsigned char byte = 0;
    int sinal = 0;
    while (read(gTubo[0], &byte, 1) == 1) sinal = byte;
    if (sinal == 0 || gPedido) return;
    gPedido = true;
    gCodigo = 128 + sinal;
    // Carried on by a timer until the run has ended; it also fires inside
    // the event pumps of a run and in the loops of dialogs.
    gTimer.start();
  }

  void prosseguir() {
    fecharDialogos();
    if (gAcoes.emExecucao()) {
      if (!gPediuParada) {
        gPediuParada = true;
        gAcoes.encerrar();
      }
      return;
    }
    // Again at every tick: a request that came before the main loop began
    // (in a dialog of the start-up) ends that loop as soon as it runs.
    QCoreApplication::exit(gCodigo);
  }

  AcoesEncerramento gAcoes;
  QSocketNotifier* gNotificador = nullptr;
  QTimer gTimer;
  bool gPedido = false;
  bool gPediuParada = false;
};

}  // namespace

int codigoDoEncerramentoPorSinal() { return gCodigo; }

void instalarEncerramentoPorSinal(AcoesEncerramento acoes) {
  if (gTubo[0] >= 0 || pipe2(gTubo, O_CLOEXEC | O_NONBLOCK) != 0) return;
  new CLEncerramento(std::move(acoes));
  instalarTratadorDeParada(&aoReceberSinal);
}

}  // namespace mivo
