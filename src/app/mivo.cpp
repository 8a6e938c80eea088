// mivo: the workbench. Builds the window, hands it the real desktop and the
// command line ("novo", a script path, a script path and "rodar=0"), and
// runs the message loop.
#include <QApplication>
#include <QSysInfo>
#include <cstdio>

#include "unDtmPrincipal.h"
#include "unEncerrarPorSinal.h"
#include "unFabricaDesktop.h"
#include "unFrmMain.h"
#include "unTraducoesQt.h"

namespace {

// On Linux a window needs an X (or Wayland) display; without one Qt would
// end the program with a message in English.
bool semAreaDeTrabalho() {
  return QSysInfo::kernelType() == QLatin1String("linux") && qEnvironmentVariableIsEmpty("DISPLAY") &&
         qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (semAreaDeTrabalho()) {
    std::fputs("mivo: não há área de trabalho gráfica (a variável DISPLAY está vazia). Para rodar um script "
               "sem janelas, use o mivo-run.\n",
               stderr);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mivo"));
  // Qt's own texts (file dialogs, standard buttons) in Portuguese too.
  mivo::carregarTraducoesQt();
  // The main data module first: it lives until every window is gone.
  mivo::TdtmPrincipal dtm;
  if (!dtm.buildOk()) return 1;
  mivo::TfrmMain bancada;
  // The real desktop of this system, created when a script (or F9) first needs it.
  bancada.host().setFabricaDesktop([](QString& erro) -> std::unique_ptr<mivo::CLDesktop> {
    mivo::DesktopCriado criado = mivo::criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  });
  // SIGTERM, SIGINT and SIGHUP end the program as "Fechar o Mivo" does, so
  // that the desktop is left as it was found.
  mivo::instalarEncerramentoPorSinal(
      {[&bancada] { return bancada.host().emExecucao(); }, [&bancada] { bancada.fecharMivo(); }});
  bancada.iniciar(app.arguments().mid(1));
  const int codigo = app.exec();
  return mivo::codigoDoEncerramentoPorSinal() != 0 ? mivo::codigoDoEncerramentoPorSinal() : codigo;
}
