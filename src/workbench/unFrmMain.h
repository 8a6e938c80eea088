#pragma once
// TfrmMain, the workbench: one script document opened, edited, configured
// and run. The run state, the log and the engine live in its host
// (CLHostBancada); the document's name and saved state in
// CLDocumentoScript; the toolbar rules in configToolbar. The window wires
// them to its widgets.

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "unCLDocumentoScript.h"
#include "unCLHostBancada.h"
#include "unFrmStart.h"
#include "unVerificador.h"

namespace Ui {
class TfrmMain;
}

namespace mivo {

class CLAlvoAjuda;
class TfrmLista;
class TfrmMacro;
class TfrmInfo;
class TfrmStep;
class TfrmProgress;
class TfrmSalvarFile;

// The question asked before running a script with findings: how many, the
// first few with their lines, and whether to run anyway.
QString perguntaAchados(const QList<CLAchado>& achados);
// The question on closing when the data list or the auxiliary text has
// changes not saved; empty when neither has.
QString perguntaSairSemSalvar(bool lista, bool texto);
// Where a workbench opened by "Novo" goes: below and to the right of the
// one at `anterior`, back near the corner when that would leave the screen.
QPoint posicaoEmCascata(QPoint anterior, const QRect& tela);

class TfrmMain : public QMainWindow, private CLVisaoBancada, private CLBancadaParametros {
  Q_OBJECT

 public:
  // `relogioVirtual`: waits of scripts take no time (tests).
  explicit TfrmMain(bool relogioVirtual = false, QWidget* pai = nullptr);
  ~TfrmMain() override;

  CLHostBancada& host() { return *gHost; }
  CLDocumentoScript& documento() { return gDocumento; }

  // --- Start-up ----------------------------------------------------------------
  // Arms the load timer (tmLoad, 100 ms) that handles `argumentos`, the
  // command line without the program's name.
  void iniciar(const QStringList& argumentos);
  // What the command line asks for: nothing or "novo": the workbench with
  // the new-script template in edit mode; a script path: open it and run
  // it (unless "rodar=0" follows or its pre-load says "rodar=não").
  void checkParams(const QStringList& argumentos);
  void showForm();

  // --- The document --------------------------------------------------------------
  // Opens a script (an empty name asks for the file); false, with the reason
  // shown to the user, when it cannot be opened: nothing changes then.
  bool abrirScript(const QString& filename);
  void loadStartScript();
  void setScriptName();
  void loadInfo();
  void rodarSecaoConfig();
  void rodarSecaoPre();
  void entrarModoEdicao();
  QString textoScript() const;

  // --- Toolbar -------------------------------------------------------------------
  void btnRodarClick();
  void btnPausarClick();
  void btnEncerrarClick();
  void btnSalvarScriptClick();
  void btnDuplicarClick();
  void btnAbrirClick();
  void btnSaveInfoClick();
  void btnEdicaoClick();
  void btnResetarClick();  // "Resetar cliques"
  // "Gravador de ações": the tip, then a new recorder (null when there is
  // no desktop to record).
  TfrmMacro* btnGravadorClick();
  // "Mouse && cor": the inspector to the front, created when there is none.
  TfrmInfo* btnMouseCorClick();
  TfrmStep& janelaPasso() { return *gStep; }
  // The data-table window docked in the "Dados" tab.
  TfrmLista& janelaLista() { return *gFrmLista; }
  void fecharMivo();  // "Fechar o Mivo": ends without the unsaved-changes question
  void configToolbar();
  void configStatus();
  // The run bar's status label follows the pause ("Status: pausado").
  void refreshStatusRodando();
  // "Recarregar": a new code editor with the same text in place of the old.
  void recriarEditor();
  // The developer help window the line help follows (it comes with the
  // catalogue); null while there is none.
  void setAlvoAjuda(CLAlvoAjuda* alvo) { gAlvoAjuda = alvo; }
  // Every second: the help window filters by the statement of the caret's
  // line (only while it is shown and this window is active).
  void showLineHelp();
  // Esc: stops an active run (after asking) and closes the window.
  void teclaEsc();

  // --- The auxiliary text ------------------------------------------------------------
  void abrirTextoAuxiliar();  // "Abrir texto"
  void sClick();              // "Salvar texto"
  void btnNovoTextoClick();   // "Novo"
  bool textoAbertoSalvo() const { return gTextoAbertoSalvo; }
  // A list file chosen by the user into the data table; false when none was.
  bool abrirListaAuxiliar();
  // The file-open window: the chosen file's text, or its path; empty when
  // cancelled. Replaceable by tests.
  using EscolherArquivoAbrir = std::function<QString(const QString& pastaPadrao, const QString& titulo)>;
  void setEscolherArquivoAbrir(EscolherArquivoAbrir escolher) { gEscolherArquivoAbrir = std::move(escolher); }
  QString abrirTexto(const QString& pastaPadrao, const QString& tituloRecentes, const QString& tituloArquivos);
  // The script file chosen in the file-open window (through the function
  // above when one was given); empty when cancelled.
  QString escolherScript();
  // Changes that closing would lose besides the script's.
  bool listaNaoSalva() const;
  bool textoNaoSalvo() const;
  QString abrirFileName(const QString& pastaPadrao, const QString& tituloRecentes, const QString& tituloArquivos);

  // Settings read from the sections.
  bool impedirRodar() const { return gImpedirRodar; }
  bool executarMinimizado() const { return gExecutarMinimizado; }
  bool fecharAoTerminar() const { return gFecharAoTerminar; }
  bool rodou() const { return gRodou; }
  const QString& tituloParametros() const { return gTituloParametros; }

  // The save window, created on first use and kept.
  TfrmSalvarFile& janelaSalvar();
  // The start-parameters window while it is open (before a run of a script
  // with parameter lines); null otherwise.
  TfrmStart* janelaParametros() const { return gFrmStart; }

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  // --- CLVisaoBancada ----------------------------------------------------------------
  void mostrarInformacao(const QString& texto) override;
  void mostrarErro(const QString& texto) override;
  void mostrarAviso(const QString& texto) override;
  void mostrarMensagem(const QString& texto) override;
  RespostaSimNao perguntarSimNao(const QString& texto) override;
  void mostrarDica(const QString& identificador, const QString& texto, int altura) override;
  QString pedirValor(const QString& pergunta, const QString& valorInicial, bool& confirmado) override;
  CLProgresso& progresso() override;
  void editorSeguir(int linha) override;
  QString editorTexto() const override { return textoScript(); }
  void setEditorTexto(const QString& texto) override;
  void salvarScript() override { btnSalvarScriptClick(); }
  QStringList textoAuxiliarLinhas() const override;
  void setTextoAuxiliarLinhas(const QStringList& linhas) override;
  void registrarTextoAberto(const QString& caminho) override;
  void selecionarAbaPrincipal(int indice) override;
  void selecionarAbaScript(int indice) override;
  void ajustarColunas() override;
  void statusAlterado(StatusExecucao status) override;
  void updateRodando(int linha, const QString& mensagem) override;
  void antesDaExecucao() override;
  void depoisDaExecucao(const ResultadoExecucao& resultado) override;
  void pausadoPorTecla() override;
  void mostrarPasso(const QString& texto) override;
  void esconderPasso() override;

  // --- CLBancadaParametros ----------------------------------------------------------
  bool primeiraLinhaComDados() const override;
  bool temTextoAuxiliar() const override;
  QString textoInformacoes() const override;
  bool jaRodou() const override { return gRodou; }
  ExigenciasScript exigencias() const override { return gExigencias; }
  QString caminhoScript() const override { return gDocumento.caminho(); }
  QString secaoParametros() const override;
  void marcarNaoSalvo() override;
  void mostrarAbaBancada(AbaBancada aba) override;
  void iniciarExecucao(const QList<VariavelParametro>& variaveis) override;
  void fechadaSemExecucao() override;

  // A message of kind `tipo` (TipoMensagem) with its modal result; during a
  // run it leaves the workbench usable and closes when the run is stopped.
  int mensagemDaExecucao(const QString& texto, int tipo);
  bool execucaoEncerrando() const;
  // A window just shown waits (at most a moment) until it has the focus.
  void aguardarAtivacao();
  // The checker's findings on the editor's text: none, or the user chose
  // to run anyway.
  bool confirmarAchados();
  // The host's desktop for a tool window; null, with the reason shown
  // ("<quem> precisa da área de trabalho: ..."), when there is none.
  CLDesktop* desktopPara(const QString& quem);
  void rodarSecaoParam2();
  void rodarScript(bool doInicio);
  void carregarNoEditor(const QString& texto);
  void aplicarAbas(const AbasVisiveis& abas);
  void destacarLinha(bool ativo);
  void mmoScriptChange();
  void ligarEditor();
  void mmoTextoChange();
  void mostrarTextoAberto(const QString& caminho);
  void pgcPrincipalChange(int indice);
  void pgcPrincipalMudou(int indice);
  // While a run is active the editor's line, the run bar and the log's
  // scrolling are brought up to date by tmTela, a few times a second,
  // instead of at every statement: drawing them per statement made a run
  // in the window hundreds of times slower than in the console.
  void atualizarTela();
  bool adiarTela() const;

  std::unique_ptr<Ui::TfrmMain> ui;
  std::unique_ptr<CLHostBancada> gHost;
  CLDocumentoScript gDocumento;
  TfrmLista* gFrmLista = nullptr;  // docked in the "Dados" tab
  std::unique_ptr<TfrmSalvarFile> gSalvarFile;
  std::unique_ptr<TfrmProgress> gProgress;
  std::unique_ptr<TfrmStep> gStep;
  QPointer<TfrmInfo> gInfo;
  QPointer<TfrmStart> gFrmStart;
  CLAlvoAjuda* gAlvoAjuda = nullptr;
  ExigenciasScript gExigencias;  // what the pre-load section demands before a run
  QList<QPointer<TfrmMacro>> gGravadores;
  QTimer gTmLoad, gTmGeral, gTmTela;
  QStringList gArgumentos;

  int gLinhaSeguir = 0;             // the editor line waiting for tmTela, 0 for none
  bool gRodandoPendente = false;    // the run bar waits for tmTela
  int gLinhaRodando = 0;
  QString gMensagemRodando;
  bool gRolarLog = false;           // the log list waits for tmTela to scroll to its end
  bool gCarregandoEditor = false;
  bool gTextoAbertoSalvo = false;   // the auxiliary text has no unsaved change
  bool gCarregandoTexto = false;    // the auxiliary text is being replaced by the program
  EscolherArquivoAbrir gEscolherArquivoAbrir;  // the editor's text is being replaced by the program
  bool gImpedirRodar = false;
  bool gExecutarMinimizado = false;
  bool gFecharAoTerminar = false;
  bool gRodou = false;
  bool gModoEdicao = false;
  bool gJaExibida = false;
  bool gFecharAposExecucao = false;  // asked to close while a run was active
  bool gSaidaConfirmada = false;     // close without asking again
  QString gTituloParametros, gDescricaoParametros;
};

}  // namespace mivo
