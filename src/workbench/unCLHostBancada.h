#pragma once
// The workbench's host services: the engine's surroundings when it runs
// inside the window. It keeps the run state (status, stop request, the
// engine of the current run, the current line), the log, the F9 poll, and
// waits that keep the window alive; whatever needs a widget goes to the
// window through CLVisaoBancada, so tests can run scripts without one.

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "unCLDesktop.h"
#include "unCLExecucao.h"
#include "unCLHostMemoria.h"
#include "unCLModeloLog.h"
#include "unCLStatusExecucao.h"

namespace mivo {

class CLScript;

// What the host asks of the workbench window.
class CLVisaoBancada {
 public:
  virtual ~CLVisaoBancada() = default;

  // Messages.
  virtual void mostrarInformacao(const QString& texto) = 0;
  virtual void mostrarErro(const QString& texto) = 0;
  virtual void mostrarAviso(const QString& texto) = 0;
  virtual void mostrarMensagem(const QString& texto) = 0;
  virtual RespostaSimNao perguntarSimNao(const QString& texto) = 0;
  virtual void mostrarDica(const QString& identificador, const QString& texto, int altura) = 0;
  // The text entered (line breaks CR LF), `confirmado` false when cancelled.
  virtual QString pedirValor(const QString& pergunta, const QString& valorInicial, bool& confirmado) = 0;
  virtual CLProgresso& progresso() = 0;

  // The script editor.
  virtual void editorSeguir(int linha) = 0;
  virtual QString editorTexto() const = 0;
  virtual void setEditorTexto(const QString& texto) = 0;
  virtual void salvarScript() = 0;

  // The auxiliary text.
  virtual QStringList textoAuxiliarLinhas() const = 0;
  virtual void setTextoAuxiliarLinhas(const QStringList& linhas) = 0;
  virtual void registrarTextoAberto(const QString& caminho) = 0;

  // Tabs and the data table.
  virtual void selecionarAbaPrincipal(int indice) = 0;
  virtual void selecionarAbaScript(int indice) = 0;
  virtual void ajustarColunas() = 0;

  // The run as the window shows it.
  virtual void statusAlterado(StatusExecucao status) = 0;      // configToolbar
  virtual void updateRodando(int linha, const QString& mensagem) = 0;  // the run bar
  virtual void antesDaExecucao() = 0;
  virtual void depoisDaExecucao(const ResultadoExecucao& resultado) = 0;
  // F9 paused the run: the message was shown; bring the window forward.
  virtual void pausadoPorTecla() = 0;
  // The step-comment bar.
  virtual void mostrarPasso(const QString& texto) = 0;
  virtual void esconderPasso() = 0;
};

class CLHostBancada : public CLHostMemoria {
 public:
  // How often F9 is looked at while a run is active.
  static constexpr int kIntervaloF9Ms = 10;
  // bombearEventos handles the window's events at most this often.
  static constexpr int kIntervaloBombeioMs = 5;
  // With the log paused, a run's statements reach the run bar at most this often.
  static constexpr int kIntervaloBarraMs = 40;

  explicit CLHostBancada(CLVisaoBancada& visao, bool relogioVirtual = false);
  ~CLHostBancada() override;

  CLModeloLog& modeloLog() { return gLog; }
  const CLStatusExecucao& estado() const { return gEstado; }

  // --- Run control -------------------------------------------------------------
  // The engine of the current (or last) run, gScript; created with the host.
  CLScript& script() { return *gScript; }
  // A fresh start replaces the engine by a new one on the data table.
  CLScript& novoScript();
  // Runs the current engine on the editor's text (from its start line when
  // `doInicio`); returns when the run has ended. Refused (Parado) while a
  // run is active.
  ResultadoExecucao executar(bool doInicio);
  bool emExecucao() const { return gEmExecucao; }
  // The run's statements are still being run: false once its loop has
  // ended, while the run only closes (the question about learned click
  // points, for instance).
  bool lacoAtivo() const { return gEmExecucao && !gLacoTerminado; }
  int linhaAtual() const { return gLinhaAtual; }  // pScriptCurrentLine
  // "Pausar", "Executar" while paused, "Encerrar", Esc on an unnamed script.
  // A pause remembers the window the run was typing into (the one in
  // front, or the last one of another program seen in front: the user's
  // click on "Pausar" made the workbench the front one); resuming gives
  // that window the focus back before the run goes on.
  bool pausar();
  bool retomar();
  void encerrarExecucao() override;
  void encerrarPorEsc();
  // tmKeyTimer: F9 held while running pauses the run at once (a text being
  // typed stops between two characters); the message saying so shows as
  // soon as the script holds no key down. Also notes which window is in
  // front.
  void verificarF9();
  // The window a pause or a message of the script took the focus from;
  // Nenhuma when none is known.
  JanelaId janelaDoAlvo();
  bool tmKeyAtivo() const { return gTmKey.isActive(); }

  // --- CLHost --------------------------------------------------------------------
  // With "Pausar log" checked the log list takes nothing and the run bar is
  // only drawn a few times a second: a run's entry is built when the bar is
  // due for one, not at every statement.
  bool registraLog() const override;
  void setLogGeral(const QString& mensagem, CorLog cor) override;
  void editLogGeral(const QString& textoadd) override;
  void limparLog() override { gLog.zerar(); }

  // The script's dialogs. Each takes the focus (the user must answer it);
  // when it closes during a run, the window that had the focus gets it
  // back, so that the next keys reach it and not Mivo.
  void mostrarInformacao(const QString& texto) override;
  void mostrarErro(const QString& texto) override;
  RespostaSimNao perguntarSimNao(const QString& texto) override;
  QString pedirValor(const QString& pergunta, const QString& valorInicial) override;
  void mostrarMensagem(const QString& texto) override;
  void mostrarErroNaoTratado(const QString& mensagem) override;
  void mostrarAviso(const QString& texto) override;

  void progressoAbrir(const QString& operacao, int maximo, const QString& legenda1, const QString& legenda2,
                      const QString& legenda3) override;
  void progressoPasso(const QString& legenda2) override { gVisao.progresso().progressoPasso(legenda2); }
  void progressoLegenda3(const QString& legenda3) override { gVisao.progresso().progressoLegenda3(legenda3); }
  bool progressoCancelado() override { return gVisao.progresso().progressoCancelado(); }
  void progressoFechar() override { gVisao.progresso().progressoFechar(); }

  void editorSeguir(int linha) override { gVisao.editorSeguir(linha); }
  QString editorTexto() const override { return gVisao.editorTexto(); }
  void setEditorTexto(const QString& texto) override { gVisao.setEditorTexto(texto); }
  void salvarScript() override { gVisao.salvarScript(); }

  bool lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) override;
  void ajustarColunas() override { gVisao.ajustarColunas(); }

  QStringList textoAuxiliarLinhas() const override { return gVisao.textoAuxiliarLinhas(); }
  void setTextoAuxiliarLinhas(const QStringList& linhas) override { gVisao.setTextoAuxiliarLinhas(linhas); }
  void registrarTextoAberto(const QString& caminho) override;

  // Lets the window handle input and timers (and looks at F9 through them).
  void bombearEventos() override;
  // Waits while the window stays alive; on the virtual clock it only moves
  // the hands and handles pending events.
  void dormir(qint64 ms) override;

  // The end of every run's loop, whatever its outcome.
  void soltarTudo() override;

  bool parar() const override { return gEstado.parar(); }
  void setParar(bool valor) override { gEstado.setParar(valor); }
  bool debugAtivo() const override { return gLog.debug(); }
  StatusExecucao statusExecucao() const override { return gEstado.status(); }
  void setStatusExecucao(StatusExecucao status) override;

  void mostrarPasso(const QString& texto) override { gVisao.mostrarPasso(texto); }
  void esconderPasso() override { gVisao.esconderPasso(); }

  void selecionarAbaPrincipal(int indice) override { gVisao.selecionarAbaPrincipal(indice); }
  void selecionarAbaScript(int indice) override { gVisao.selecionarAbaScript(indice); }

 protected:
  void mostrarDica(const QString& identificador, const QString& texto, int altura) override;

 private:
  bool f9Pressionada();
  // The window in front, noted while a run is active.
  void notarPrimeiroPlano();
  // Gives `janela` the focus again when another one took it.
  void devolverFoco(JanelaId janela);
  // Runs a dialog of the script: the run bar first shows the statement that
  // opened it; afterwards the focus goes back where it was.
  void dialogoDoScript(const std::function<void()>& dialogo);
  // The F9 message, once nothing is held down.
  void avisarPausaPorTecla();

  CLVisaoBancada& gVisao;
  CLModeloLog gLog;
  CLStatusExecucao gEstado;
  std::unique_ptr<CLScript> gScript;
  QTimer gTmKey;
  QElapsedTimer gUltimoBombeio;
  QElapsedTimer gUltimaEntrada;  // the last entry given to the run bar
  bool gEmExecucao = false;
  int gLinhaAtual = 0;
  bool gSemDesktopParaF9 = false;  // the desktop could not be created: F9 is not looked at
  bool gLacoTerminado = false;
  bool gAvisoPausaPendente = false;  // F9 paused the run; its message is still to show
  mutable bool gEntradaAtrasada = false;  // the run bar missed the entry of the statement being run
  JanelaId gUltimaVista = JanelaId::Nenhuma;   // in front at the last look
  JanelaId gUltimaAlheia = JanelaId::Nenhuma;  // the last window of another program in front
  JanelaId gJanelaDaPausa = JanelaId::Nenhuma;  // gets the focus back on resume
};

}  // namespace mivo
