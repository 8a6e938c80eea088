#pragma once
// The console host of the headless runner: log entries and dialogs become
// lines of text, questions and value entries take their answers from a list
// (or from the terminal), and waits run on a real or a virtual clock.

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "unCLHostMemoria.h"

namespace mivo {

// Where the console host writes and reads. Tests capture the lines.
struct CLTerminal {
  std::function<void(const QString&)> escrever;  // one whole line of stdout
  std::function<void(const QString&)> escreverErro;  // one whole line of stderr
  // Interactive answer: shows the prompt (no line break) and reads one line;
  // empty when there is no terminal to ask.
  std::function<std::optional<QString>(const QString&)> perguntar;
};

class CLHostConsole : public CLHostMemoria {
 public:
  CLHostConsole(CLTerminal terminal, bool relogioVirtual);
  ~CLHostConsole() override;

  // Answers used in order; "\n" inside a line stands for a line break.
  void setRespostas(const QStringList& respostas) {
    gRespostas = respostas;
    gUsaRespostas = true;
  }
  void setSilencioso(bool valor) { gSilencioso = valor; }
  // Starts on the simulated desktop (from a scenario file when given), whose
  // actions are printed as "Desktop: ..." lines. Returns an error message, or
  // empty. Without it the desktop comes from the factory given with
  // setFabricaDesktop, on first use.
  QString usarDesktopSimulado(const QString& cenario);
  // Pictures are decoded with the platform's image readers.
  bool lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) override;
  // Prints the entry still open (the last one), if any.
  void concluirLog();

  bool registraLog() const override { return gRegistraLog; }
  void setRegistraLog(bool valor) { gRegistraLog = valor; }
  void setLogGeral(const QString& mensagem, CorLog cor) override;
  void instrucaoConcluida() override { concluirLog(); }

  void mostrarInformacao(const QString& texto) override;
  void mostrarErro(const QString& texto) override;
  QString perguntarSimNao(const QString& texto) override;
  void mostrarDica(const QString& identificador, const QString& texto, int altura) override;
  QString pedirValor(const QString& pergunta, const QString& valorInicial) override;
  void mostrarMensagem(const QString& texto) override;
  void mostrarErroNaoTratado(const QString& mensagem) override;
  void mostrarPasso(const QString& texto) override;

  void escrever(const QString& linha) { gTerminal.escrever(linha); }

 private:
  // The next answer, from the list or the terminal; empty when none is left.
  std::optional<QString> proximaResposta(const QString& prompt);
  void dialogo(const QString& tipo, const QString& texto);

  CLTerminal gTerminal;
  QStringList gRespostas;
  qsizetype gProximaResposta = 0;
  bool gUsaRespostas = false;
  bool gSilencioso = false;
  bool gRegistraLog = true;
  bool gEntradaAberta = false;
};

}  // namespace mivo
