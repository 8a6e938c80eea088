// mivo-run: runs one script headless, with the console host.
#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

#include "unFabricaDesktop.h"
#include "unMivoRun.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  mivo::CLTerminal terminal;
  terminal.escrever = [](const QString& linha) {
    std::cout << linha.toStdString() << '\n' << std::flush;
  };
  terminal.escreverErro = [](const QString& linha) { std::cerr << linha.toStdString() << '\n'; };
  if (isatty(STDIN_FILENO)) {
    terminal.perguntar = [](const QString& prompt) -> std::optional<QString> {
      std::cout << prompt.toStdString() << std::flush;
      std::string linha;
      if (!std::getline(std::cin, linha)) return std::nullopt;
      return QString::fromStdString(linha);
    };
  }
  // The real desktop of this system, created when a script first needs it.
  auto fabrica = [](QString& erro) -> std::unique_ptr<mivo::CLDesktop> {
    mivo::DesktopCriado criado = mivo::criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  };
  return mivo::executarMivoRun(app.arguments().mid(1), terminal, fabrica);
}
