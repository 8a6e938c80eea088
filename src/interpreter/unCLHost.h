#pragma once
// The host services: everything the engine needs from its surroundings (log,
// dialogs, editor, run flags, tabs, the data table, the auxiliary text, files,
// waiting and the clock). A pure interface: the workbench implements it with
// windows, the headless runner with a console, tests with scripted answers.
// Every host says which desktop the script acts on.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "unCLProgresso.h"

namespace mivo {

// Where a run is. The run loop sets Rodando at the start and Inativo at the
// end; Pausado holds it between two statements (or two typed letters) until
// the host sets Rodando again; Inativo or Encerrado set from outside (the
// user's "Encerrar" on a paused run, Esc on an unnamed script) end it.
enum class StatusExecucao { Inativo, Rodando, Pausado, Encerrado };

// The answer to a yes/no question (a question closed without one is Nao).
enum class RespostaSimNao { Sim, Nao };

// The status as the workbench shows it ("Status Rodando").
inline QString textoStatus(StatusExecucao status) {
  switch (status) {
    case StatusExecucao::Rodando: return QStringLiteral("Rodando");
    case StatusExecucao::Pausado: return QStringLiteral("Pausado");
    case StatusExecucao::Encerrado: return QStringLiteral("encerrado");
    case StatusExecucao::Inativo: break;
  }
  return QStringLiteral("Inativo");
}

class CLDesktop;
class CLGrade;
class CLLista;
struct ImagemPixels;

enum class CorLog { Texto, Vermelho };

class CLHost : public CLProgresso {
 public:
  ~CLHost() override = default;

  // --- Log -------------------------------------------------------------------
  // False when nobody will read log entries; the engine then does not even
  // build their text.
  virtual bool registraLog() const = 0;
  virtual void setLogGeral(const QString& mensagem, CorLog cor) = 0;
  // Appends a blank and the text to the last entry (nothing when empty).
  virtual void editLogGeral(const QString& textoadd) = 0;
  // Called when a statement read by loadLine has finished: its log entry is
  // complete (a console host prints it then).
  virtual void instrucaoConcluida() = 0;

  // --- Dialogs ---------------------------------------------------------------
  virtual void mostrarInformacao(const QString& texto) = 0;
  virtual void mostrarErro(const QString& texto) = 0;
  virtual RespostaSimNao perguntarSimNao(const QString& texto) = 0;
  // Shows the tip unless the user switched it off for good.
  virtual void exibirDica(const QString& identificador, const QString& texto, int altura) = 0;
  // The entered text, each line ended by CR LF; empty when cancelled.
  virtual QString pedirValor(const QString& pergunta, const QString& valorInicial) = 0;
  // The plain message box of the platform.
  virtual void mostrarMensagem(const QString& texto) = 0;
  // An error that escaped a script function; shown as "Erro: " + message.
  virtual void mostrarErroNaoTratado(const QString& mensagem) = 0;
  // Something the author should know that does not stop the run (a column
  // the list lacks); shown as "Aviso: " + text.
  virtual void mostrarAviso(const QString& texto) = 0;

  // --- Progress window -------------------------------------------------------
  // progressoAbrir, progressoPasso, progressoLegenda3, progressoCancelado and
  // progressoFechar come from CLProgresso, so long table operations report
  // straight to the host.

  // --- Step comment window ---------------------------------------------------
  virtual void mostrarPasso(const QString& texto) = 0;
  virtual void esconderPasso() = 0;

  // --- Script editor ---------------------------------------------------------
  virtual void editorSeguir(int linha) = 0;  // 1-based
  virtual QString editorTexto() const = 0;
  virtual void setEditorTexto(const QString& texto) = 0;
  // Saves the script (after learned click points were written into it).
  virtual void salvarScript() = 0;

  // --- Desktop ---------------------------------------------------------------
  // The desktop the script acts on; throws CLErroSemDesktop when this system
  // offers none.
  virtual CLDesktop& desktop() = 0;
  // Decodes a picture file for the clipboard; false with a Portuguese reason.
  virtual bool lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) = 0;
  // Releases every key and mouse button the script pressed on the desktop
  // and left down (CLDesktop::soltarTudo); nothing when no desktop was
  // created. Called once at the end of every run, whatever its outcome.
  virtual void soltarTudo() = 0;

  // --- Data table window -----------------------------------------------------
  // The data table the user sees: its full table (gridDados), the active grid
  // (gGrid), its list file (gArquivo) and edited flag (gEditou).
  virtual CLLista& lista() = 0;
  // Refreshes the data table's status bar from `grade`.
  virtual void showStatus(const CLGrade& grade) = 0;
  // Fits the columns of the data table's view to their texts.
  virtual void ajustarColunas() = 0;
  // The list file pre-loaded when the script was opened (gPrelistaFile).
  virtual void setPrelistaFile(const QString& caminho) = 0;

  // --- Auxiliary text --------------------------------------------------------
  // The lines of the auxiliary text, as its editor holds them.
  virtual QStringList textoAuxiliarLinhas() const = 0;
  virtual void setTextoAuxiliarLinhas(const QStringList& linhas) = 0;
  // Records the text file the auxiliary text came from (gTextoAberto, saved,
  // its label shows the file name).
  virtual void registrarTextoAberto(const QString& caminho) = 0;
  // The text file pre-loaded when the script was opened (gPreTextoFile).
  virtual void setPreTextoFile(const QString& caminho) = 0;

  // --- Files -----------------------------------------------------------------
  // Resolves a file name typed by a user or a script against a default
  // folder under the base folder and a default extension.
  virtual QString getBestPath(const QString& nome, const QString& pasta, const QString& extensao) = 0;

  // --- Events, waiting and the clock -----------------------------------------
  virtual void bombearEventos() = 0;
  virtual qint64 agoraMs() = 0;
  virtual void dormir(qint64 ms) = 0;
  virtual QDateTime dataHora() = 0;

  // --- Run flags -------------------------------------------------------------
  virtual bool parar() const = 0;
  virtual void setParar(bool valor) = 0;
  // The same as the user pressing "Encerrar".
  virtual void encerrarExecucao() = 0;
  virtual bool debugAtivo() const = 0;
  virtual StatusExecucao statusExecucao() const = 0;
  virtual void setStatusExecucao(StatusExecucao status) = 0;

  // --- Workbench tabs --------------------------------------------------------
  // main tabs: 0 "Script", 1 "Dados", 2 "Texto auxiliar";
  // script tabs: 0 "Informações", 1 "Log", 2 "Código"
  virtual void selecionarAbaPrincipal(int indice) = 0;
  virtual void selecionarAbaScript(int indice) = 0;
};

}  // namespace mivo
