// The QApplication of the dialog tests, created once before the first test
// (offscreen unless QT_QPA_PLATFORM is set, so that the suite needs no
// display) and destroyed after the last.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

QtMessageHandler gTratadorAnterior = nullptr;

// The offscreen platform warns about every window it cannot raise or size
// for a window manager; those lines say nothing about the tests.
void filtrarMensagens(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
  if (texto.startsWith(QLatin1String("This plugin does not support"))) return;
  if (gTratadorAnterior) gTratadorAnterior(tipo, contexto, texto);
}

class CLAmbienteQt : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    gTratadorAnterior = qInstallMessageHandler(filtrarMensagens);
    gApp = std::make_unique<QApplication>(gArgc, gArgv);
  }
  void TearDown() override {
    gApp.reset();
    qInstallMessageHandler(gTratadorAnterior);
  }

 private:
  int gArgc = 1;
  char gNome[16] = "test_dialogos";
  char* gArgv[2] = {gNome, nullptr};
  std::unique_ptr<QApplication> gApp;
};

[[maybe_unused]] ::testing::Environment* const kAmbiente = ::testing::AddGlobalTestEnvironment(new CLAmbienteQt);

}  // namespace
