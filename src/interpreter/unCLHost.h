#pragma once
// The host services: everything the engine needs from its surroundings (log,
// dialogs, editor, run flags, tabs, waiting and the clock). The workbench
// implements them with windows, the headless runner with a console, tests
// with scripted answers. Every service has a quiet default, so a host only
// overrides what it offers.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "unCLProgresso.h"
#include "unCLRelogio.h"

namespace mivo {
class CLGrade;
}

namespace mivo {

class CLDesktop;
class CLLista;

enum class CorLog { Texto, Vermelho };

struct EntradaLog {
  QString texto;
  CorLog cor = CorLog::Texto;
};

class CLHost : public CLProgresso {
 public:
  explicit CLHost(bool relogioVirtual = false);
  virtual ~CLHost();
  CLHost(const CLHost&) = delete;
  CLHost& operator=(const CLHost&) = delete;

  // --- Log -----------------------------------------------------------------
  // False when nobody will read log entries; the engine then does not even
  // build their text.
  virtual bool registraLog() const { return true; }
  virtual void setLogGeral(const QString& mensagem, CorLog cor);
  // Appends a blank and the text to the last entry (nothing when empty).
  virtual void editLogGeral(const QString& textoadd);
  // Called when a statement read by loadLine has finished: its log entry is
  // complete (a console host prints it then).
  virtual void instrucaoConcluida() {}
  const QList<EntradaLog>& log() const { return gLog; }
  void limparLog() { gLog.clear(); }

  // --- Dialogs -------------------------------------------------------------
  virtual void mostrarInformacao(const QString& texto) {}
  virtual void mostrarErro(const QString& texto) {}
  // The answer as given; only "Sim" counts as yes.
  virtual QString perguntarSimNao(const QString& texto) { return QStringLiteral("Não"); }
  virtual void mostrarDica(const QString& identificador, const QString& texto, int altura) {}
  // The entered text, each line ended by CR LF; empty when cancelled.
  virtual QString pedirValor(const QString& pergunta, const QString& valorInicial) { return {}; }
  // The plain message box of the platform.
  virtual void mostrarMensagem(const QString& texto) {}
  // An error that escaped a script function; shown as "Erro: " + message.
  virtual void mostrarErroNaoTratado(const QString& mensagem) {}

  // --- Progress window -------------------------------------------------------
  // progressoAbrir, progressoPasso, progressoLegenda3, progressoCancelado and
  // progressoFechar come from CLProgresso, so long table operations report
  // straight to the host.

  // --- Step comment window -------------------------------------------------
  virtual void mostrarPasso(const QString& texto) {}
  virtual void esconderPasso() {}

  // --- Script editor ---------------------------------------------------------
  virtual void editorSeguir(int linha) {}  // 1-based
  virtual QString editorTexto() const { return gTextoEditor; }
  virtual void setEditorTexto(const QString& texto) { gTextoEditor = texto; }
  virtual int editorQtdLinhas() const;
  // Saves the script (after learned click points were written into it).
  virtual void salvarScript() {}

  // --- Desktop ----------------------------------------------------------------
  // The desktop the script acts on, created on first use. By default a quiet
  // simulated desktop; throws CLErroSemDesktop when none can be had.
  virtual CLDesktop& desktop();

  // --- Data table window ------------------------------------------------------
  // The data table the user sees: its full table (gridDados), the active grid
  // (gGrid), its list file (gArquivo) and edited flag (gEditou).
  virtual CLLista& lista();
  // Refreshes the data table's status bar from `grade`.
  virtual void showStatus(const CLGrade& grade) {}
  // Fits the columns of the data table's view to their texts.
  virtual void ajustarColunas() {}
  // The list file pre-loaded when the script was opened (gPrelistaFile).
  virtual void setPrelistaFile(const QString& caminho) { gPrelistaFile = caminho; }
  QString prelistaFile() const { return gPrelistaFile; }

  // --- Auxiliary text ---------------------------------------------------------
  // The lines of the auxiliary text, as its editor holds them.
  virtual QStringList textoAuxiliarLinhas() const { return gTextoAuxiliar; }
  virtual void setTextoAuxiliarLinhas(const QStringList& linhas) { gTextoAuxiliar = linhas; }
  // Records the text file the auxiliary text came from (gTextoAberto, saved,
  // its label shows the file name).
  virtual void registrarTextoAberto(const QString& caminho) { gTextoAberto = caminho; }
  QString textoAberto() const { return gTextoAberto; }
  // The text file pre-loaded when the script was opened (gPreTextoFile).
  virtual void setPreTextoFile(const QString& caminho) { gPreTextoFile = caminho; }
  QString preTextoFile() const { return gPreTextoFile; }

  // --- Files ----------------------------------------------------------------
  // Resolves a file name typed by a user or a script against a default
  // folder under the base folder and a default extension.
  virtual QString getBestPath(const QString& nome, const QString& pasta, const QString& extensao);

  // --- Events, waiting and the clock -----------------------------------------
  virtual void bombearEventos() {}
  virtual qint64 agoraMs() { return gRelogio.agoraMs(); }
  virtual void dormir(qint64 ms) { gRelogio.dormir(ms); }
  virtual QDateTime dataHora() { return gRelogio.dataHora(); }
  // Waits while pumping events.
  virtual void pausarSegundos(double segundos);
  CLRelogio& relogio() { return gRelogio; }

  // --- Run flags -----------------------------------------------------------
  virtual bool parar() const { return gParar; }
  virtual void setParar(bool valor) { gParar = valor; }
  // The same as the user pressing "Encerrar".
  virtual void encerrarExecucao();
  virtual bool debugAtivo() const { return gDebug; }
  void setDebugAtivo(bool valor) { gDebug = valor; }
  // "Inativo", "Rodando", "Pausado" or "encerrado".
  virtual QString statusExecucao() const { return gStatus; }
  virtual void setStatusExecucao(const QString& status) { gStatus = status; }

  // --- Workbench tabs ------------------------------------------------------
  // main tabs: 0 "Script", 1 "Dados", 2 "Texto auxiliar";
  // script tabs: 0 "Informações", 1 "Log", 2 "Código"
  virtual void selecionarAbaPrincipal(int indice) {}
  virtual void selecionarAbaScript(int indice) {}

  // --- Tips (keyboard, mouse, window and message functions) -----------------
  // Shows the tip (mostrarDica) unless the user switched it off for good.
  virtual void exibirDica(const QString& identificador, const QString& texto, int altura);
  // True when the user switched the tip off for good; by default the tip
  // file "tipfile.txt" of the base folder says so.
  virtual bool dicaOculta(const QString& identificador) const;

 private:
  CLRelogio gRelogio;
  std::unique_ptr<CLDesktop> gDesktopPadrao;
  std::unique_ptr<CLLista> gLista;
  QStringList gTextoAuxiliar;
  QString gTextoAberto, gPrelistaFile, gPreTextoFile;
  QList<EntradaLog> gLog;
  QString gTextoEditor;
  QString gStatus = QStringLiteral("Inativo");
  bool gParar = false;
  bool gDebug = false;
};

}  // namespace mivo
