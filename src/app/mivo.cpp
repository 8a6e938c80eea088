// mivo: the workbench. Builds the window, hands it the real desktop and the
// command line ("novo", a script path, a script path and "rodar=0"), and
// runs the message loop.
#include <QApplication>

#include "unFabricaDesktop.h"
#include "unFrmMain.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mivo"));
  mivo::TfrmMain bancada;
  // The real desktop of this system, created when a script (or F9) first needs it.
  bancada.host().setFabricaDesktop([](QString& erro) -> std::unique_ptr<mivo::CLDesktop> {
    mivo::DesktopCriado criado = mivo::criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  });
  bancada.iniciar(app.arguments().mid(1));
  return app.exec();
}
