#pragma once
// TfrmStart, the start-parameters window ("Inicialização do Script"):
// before a fresh run of a script whose "##parametros" section holds lines,
// the user confirms the parameters (name, value, description; choice lists
// and file pickers), the requirements the pre-load section demands are
// checked, the values are remembered in the ".params" file beside the
// script and every parameter becomes a variable of the run.
//
// The window is not modal and knows the workbench only through
// CLBancadaParametros, so that it can be tested with a fake workbench.

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "unParametrosScript.h"

class QComboBox;
class QLabel;

namespace Ui {
class TfrmStart;
}

namespace mivo {

// What the pre-load section demands before a run ("exigir_dados",
// "exigir_texto", "exigir_config" set to "sim").
struct ExigenciasScript {
  bool dados = false;   // data in the table
  bool texto = false;   // an auxiliary text
  bool config = false;  // a look at the "Configurações" page
};

// A variable handed to the run: the parameter's name as typed and its value
// (the selected option for a choice list).
struct VariavelParametro {
  QString nome;
  QString valor;
  bool operator==(const VariavelParametro&) const = default;
};

// The main tabs of the workbench the window may bring forward.
enum class AbaBancada { Dados = 1, TextoAuxiliar = 2 };

// What the start-parameters window needs from the workbench. TfrmMain
// implements it; the window holds a reference, so the workbench must close
// (delete) the window before it is destroyed itself.
class CLBancadaParametros {
 public:
  virtual ~CLBancadaParametros() = default;

  // --- Read by the requirements ------------------------------------------------
  // Row 1 of the data table's data grid (the first record) holds non-blank
  // text in some cell.
  virtual bool primeiraLinhaComDados() const = 0;
  // The auxiliary text (mmoTexto) is not blank.
  virtual bool temTextoAuxiliar() const = 0;
  // The text of the info memo (mmoInfo), shown by "Instruções do script".
  virtual QString textoInformacoes() const = 0;
  // A run has already been started in this process (gRodou): the
  // requirements are then skipped.
  virtual bool jaRodou() const = 0;
  // What the pre-load section demands (read when the script was opened or
  // by "Variáveis iniciais").
  virtual ExigenciasScript exigencias() const = 0;

  // --- The document ----------------------------------------------------------------
  // The path of the script file (pScriptPath); empty for an unnamed script.
  // The ".params" file is derived from it at the moment it is read or
  // written.
  virtual QString caminhoScript() const = 0;
  // The "##parametros" section of the editor's text as it is now, comments
  // kept (definirConfig with eliminarComentarios false), lines joined by
  // CR LF. Read by "Carregar padrão".
  virtual QString secaoParametros() const = 0;
  // The document changed ("Inserir linha"): gSalvo := false and the status
  // bar brought up to date.
  virtual void marcarNaoSalvo() = 0;

  // --- The workbench window ------------------------------------------------------------
  // Restores and shows the workbench, brings it to the front and selects
  // the main tab `aba`. Called by "Definir dados", "Definir texto auxiliar"
  // and by setarDadosOk/setarTextoOk, which the workbench itself calls when
  // the user picks those tabs: selecting the tab that is already current
  // must not call them again (QTabWidget emits no change then).
  virtual void mostrarAbaBancada(AbaBancada aba) = 0;

  // --- The run --------------------------------------------------------------------------
  // "&Rodar o script": the window is hidden and the parameters file written;
  // the workbench applies the config section (rodarSecaoConfig), clears
  // the log, logs "Iniciando execução " in the window-text colour, hides
  // its green shape, gives the interpreter the data table's current grid,
  // appends `variaveis` in order to the interpreter's variable store
  // (without checking for existing names), calls rodarScript(status ≠
  // "Pausado"), then clears gParar and sets gRodou. Returns when the run
  // has ended; the window then closes itself.
  virtual void iniciarExecucao(const QList<VariavelParametro>& variaveis) = 0;
  // The window closed without starting a run (Cancelar, Esc, the close
  // button): the workbench enables "Executar" again, shows its green shape,
  // "Variáveis iniciais", "Resetar cliques" and "Ajuda", and becomes
  // visible. Called once, from the window's close handling; the window is
  // deleted right after (WA_DeleteOnClose), so a QPointer to it turns null.
  virtual void fechadaSemExecucao() = 0;
};

class TfrmStart : public QWidget {
  Q_OBJECT

 public:
  // The file dialog of "Arquivo...": the chosen path, empty when
  // cancelled. `filtro` is a Qt name filter. Replaceable by tests.
  using EscolherArquivo = std::function<QString(QWidget* pai, const QString& filtro, const QString& pastaInicial)>;

  // A top-level window of its own (own taskbar button), deleted when it
  // closes.
  explicit TfrmStart(CLBancadaParametros& bancada, QWidget* pai = nullptr);
  ~TfrmStart() override;

  // The filter of the file dialog as designed ("description|patterns|..."),
  // and as Qt wants it ("description (patterns);;...").
  static const QString kFiltroArquivos;
  static QString filtroQt(const QString& filtroDelphi);

  void setEscolherArquivo(EscolherArquivo escolher) { gEscolherArquivo = std::move(escolher); }

  // --- Called by the workbench, in this order, after creating the window ----------
  // When the ".params" file beside the script is usable, `listaParam`
  // (gListaParam) is replaced by its lines and true returned. A script
  // without a path or whose file name does not end in ".mivo" has no
  // parameters file; a missing, unreadable, oversized or damaged file
  // (control characters, undecodable bytes) leaves the list alone.
  bool carregarAnterior(QStringList& listaParam);
  // Fills the grid from parameter lines (also after a script update) and
  // rebuilds the option lists (identificaCombos).
  void loadConfig(const QString& dados);
  // Builds gListaCombo (one entry per row: the options joined by ";", the
  // selected first, or "#/" for a plain row) and reduces choice cells to
  // their selected option. Idempotent: loadConfig already calls it.
  void identificaCombos();
  // The header title (an empty title keeps "Confirme os dados de
  // inicialização do script") and the description panel.
  void setTitulo(const QString& titulo);
  void setDescricao(const QString& descricao);

  // --- Called by the workbench when the user picks its tabs ------------------------------
  void setarDadosOk();
  void setarTextoOk();

  // --- Requirements -------------------------------------------------------------------------
  void checarRequisitos();
  // True when every demanded requirement is satisfied; places the green
  // shape behind "&Rodar o script" then. Also run on every activation.
  bool podeRodar();
  void setarConfigOk();

  // --- Choice lists, files, values ----------------------------------------------------------
  void gridDadosSelectCell(int linha, int coluna);
  void cmbOpcoesExit();
  void defineComboValue();
  void atualizaListaConfigs();
  // The variables of the run, one per row in row order.
  QList<VariavelParametro> saveConfig() const;
  // Writes the parameters file; false with `erro` when it could not be
  // written. True without writing when the script has no parameters file.
  bool salvarArquivo(QString* erro = nullptr) const;
  void inserirArquivo();
  // The rows as parameter lines (the choice lists whole, selected first).
  QList<ParametroScript> parametros() const;
  const QStringList& listaCombo() const { return gListaCombo; }
  bool destaqueRodar() const;  // the green shape is shown

  // --- Buttons -------------------------------------------------------------------------------
  void btnRodarClick();
  void btnCancelarClick();
  void btnPadraoClick();
  void btnInserirLinhaClick();
  void btnFileSetClick();
  void btnInstrucoesClick();
  void btnDadosClick();
  void btnTextoClick();
  void btnConfigClick();

 protected:
  bool event(QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  // The keyboard starts on the first control of the page shown.
  void focarPrimeiroControle();
  void ocultarRequisitos();
  // Commits and hides an open drop-down; false when none was open.
  bool fecharCombo();
  void atualizarRequisito(QLabel* rotulo, bool presente, bool& checou);
  bool linhaEhEscolha(int linha) const;
  QString celula(int linha, int coluna) const;
  void setCelula(int linha, int coluna, const QString& texto);
  void setDestaqueRodar(bool visivel);
  void posicionarJanela();

  std::unique_ptr<Ui::TfrmStart> ui;
  QComboBox* cmbOpcoes = nullptr;  // over a choice row's value cell while picking
  CLBancadaParametros& gBancada;
  EscolherArquivo gEscolherArquivo;
  QStringList gListaCombo;
  bool gChecouDados = false, gChecouTexto = false, gChecouConfig = false;
  ExigenciasScript gExigencias;
  bool gRequisitosIgnorados = false;  // second run, or nothing demanded
  bool gExibida = false;
  bool gPosicionada = false;
  bool gRodando = false;           // inside btnRodarClick's run
  bool gIniciouExecucao = false;   // this window started a run
  bool gAvisouFechamento = false;  // fechadaSemExecucao was called
  bool gDestaque = false;          // the green shape is shown
  bool gMostrandoAba = false;      // guards setarDadosOk/setarTextoOk against re-entry
  int gLinhaCombo = -1;            // the row the drop-down stands over
};

}  // namespace mivo
