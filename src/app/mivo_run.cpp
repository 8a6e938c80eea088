// mivo-run: runs one script headless, with the console host.
#include <QCoreApplication>

#include <iostream>
#include <string>

#include "unFabricaDesktop.h"
#include "unMivoRun.h"
#include "unPedidoParada.h"
#include "unTerminal.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  mivo::terminal::preparar();
  // Ctrl+C, SIGTERM and SIGHUP stop the run cleanly: keys released, log and
  // lists written, exit status 3.
  mivo::instalarPedidoDeParada();
  mivo::CLTerminal terminal;
  terminal.escrever = [](const QString& linha) {
    std::cout << linha.toStdString() << '\n' << std::flush;
  };
  terminal.escreverErro = [](const QString& linha) { std::cerr << linha.toStdString() << '\n'; };
  terminal.paradaPedida = &mivo::paradaPedida;
  if (mivo::terminal::entradaInterativa()) {
    terminal.perguntar = [](const QString& prompt) -> std::optional<QString> {
      std::cout << prompt.toStdString() << std::flush;
      QString linha;
      while (true) {
        switch (mivo::terminal::lerLinha(200, linha)) {
          case mivo::LeituraTerminal::Linha: return linha;
          case mivo::LeituraTerminal::Fim: return std::nullopt;
          case mivo::LeituraTerminal::Nada: break;
        }
        if (mivo::paradaPedida()) {
          std::cout << '\n' << std::flush;
          return std::nullopt;
        }
      }
    };
    terminal.lerLinha = &mivo::terminal::lerLinha;
  }
  // The real desktop of this system, created when a script first needs it.
  auto fabrica = [](QString& erro) -> std::unique_ptr<mivo::CLDesktop> {
    mivo::DesktopCriado criado = mivo::criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  };
  return mivo::executarMivoRun(app.arguments().mid(1), terminal, fabrica);
}
