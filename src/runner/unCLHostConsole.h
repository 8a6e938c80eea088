#pragma once
// The console host of the headless runner: log entries and dialogs become
// lines of text, questions and value entries take their answers from a list
// (or from the terminal), and waits run on a real or a virtual clock.

#include <QByteArray>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "unCLHostMemoria.h"

class QFile;

namespace mivo {

// What waiting for a line typed in the terminal gave.
enum class LeituraTerminal {
  Nada,   // nothing was typed in time
  Linha,  // a whole line (without its line break)
  Fim,    // the terminal is gone: nothing more will come
};

// Where the console host writes and reads. Tests capture the lines.
struct CLTerminal {
  std::function<void(const QString&)> escrever;  // one whole line of stdout
  std::function<void(const QString&)> escreverErro;  // one whole line of stderr
  // Interactive answer: shows the prompt (no line break) and reads one line;
  // empty when there is no terminal to ask.
  std::function<std::optional<QString>(const QString&)> perguntar;
  // True once the user asked from outside that the run stop (Ctrl+C,
  // SIGTERM, the terminal closing). Asked on every event pump; empty: never.
  std::function<bool()> paradaPedida;
  // While a run is paused: waits up to `ms` milliseconds for a line typed in
  // the terminal. Empty when there is no terminal to type in; F9 then stops
  // the run instead of pausing it.
  std::function<LeituraTerminal(int ms, QString& linha)> lerLinha;
};

// How often, at most, the console host looks at the F9 key: in wall-clock
// time, whatever clock the run waits on.
inline constexpr std::chrono::milliseconds kIntervaloF9{10};

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

  // Streams the log to `caminho` as the run goes, one entry per line (line
  // breaks inside an entry written as "\n"), each entry once it can no
  // longer change. False, with the reason in `erro`, when the file cannot be
  // created.
  bool abrirLog(const QString& caminho, QString& erro);
  // Writes the last entry and closes the file; the reason when some of the
  // log could not be written, or empty.
  QString fecharLog();

  bool registraLog() const override { return gRegistraLog; }
  void setRegistraLog(bool valor) { gRegistraLog = valor; }
  void setLogGeral(const QString& mensagem, CorLog cor) override;
  // Also empties the log file.
  void limparLog() override;
  // Prints the entry, and pauses the run when F9 asked for it.
  void instrucaoConcluida() override;

  // Reads the stop request of the terminal (every time) and, at most every
  // kIntervaloF9 of wall-clock time, the F9 key on the desktop the run
  // already uses (a desktop is never created for it). F9 pauses a running
  // script after its current statement (or stops it when there is no
  // terminal); while paused, Enter in the terminal resumes it and "e" +
  // Enter stops it.
  void bombearEventos() override;
  // True once the terminal told of a stop request.
  bool paradaPedida() const { return gTerminal.paradaPedida && gTerminal.paradaPedida(); }
  // A stop request from outside counts from the moment it arrives: the
  // statement under way is the last one, and its waits end early.
  bool parar() const override { return CLHostMemoria::parar() || paradaPedida(); }

  void mostrarInformacao(const QString& texto) override;
  void mostrarErro(const QString& texto) override;
  RespostaSimNao perguntarSimNao(const QString& texto) override;
  void mostrarDica(const QString& identificador, const QString& texto, int altura) override;
  QString pedirValor(const QString& pergunta, const QString& valorInicial) override;
  void mostrarMensagem(const QString& texto) override;
  void mostrarErroNaoTratado(const QString& mensagem) override;
  void mostrarAviso(const QString& texto) override;
  void mostrarPasso(const QString& texto) override;

  void escrever(const QString& linha) { gTerminal.escrever(linha); }

 private:
  // The next answer, from the list or the terminal; empty when none is left.
  std::optional<QString> proximaResposta(const QString& prompt);
  void dialogo(const QString& tipo, const QString& texto);
  void verificarF9();
  void aguardarNaPausa();
  void gravarNoLog(const EntradaLog& entrada);
  void descarregarLog();

  CLTerminal gTerminal;
  QStringList gRespostas;
  qsizetype gProximaResposta = 0;
  bool gUsaRespostas = false;
  bool gSilencioso = false;
  bool gRegistraLog = true;
  bool gEntradaAberta = false;

  // The log file: bytes not yet written, whether the last entry still has
  // to go there, whether a write failed.
  std::unique_ptr<QFile> gArquivoLog;
  QByteArray gBufferLog;
  bool gUltimaPendente = false;
  bool gFalhaLog = false;
  std::chrono::steady_clock::time_point gLogDescarregadoEm{};

  bool gParadaVista = false;
  bool gF9Baixa = false;
  bool gPausaPedida = false;
  std::chrono::steady_clock::time_point gF9LidaEm{};
};

}  // namespace mivo
