#pragma once
// The code editor of the workbench (`mmoScript`): Courier New with line
// numbers and no folding, the script highlighter, the completion list of
// the catalogue, search, the checker's underlines and the helpers the
// workbench and the interpreter use (follow a line, whole text, line count,
// line help).

#include <Qsci/qsciscintilla.h>

#include <QTimer>
#include <functional>

#include "unCLAjudaLinha.h"
#include "unVerificador.h"

namespace mivo {

class CLRealceMivo;
class CLListaCompletar;
class CLVerificacaoEditor;

class CLEditorScript : public QsciScintilla {
  Q_OBJECT

 public:
  // Asks the user for a text: (title, initial text) -> the text, empty when
  // cancelled.
  using PedirTexto = std::function<QString(const QString& titulo, const QString& inicial)>;

  explicit CLEditorScript(QWidget* pai = nullptr);
  ~CLEditorScript() override;

  // --- Text ------------------------------------------------------------------
  // The whole text, lines joined by "\n"; setting it keeps the undo history
  // clean and scrolls to the top. `textChanged()` signals every change.
  QString textoScript() const;
  void setTextoScript(const QString& texto);
  int qtdLinhas() const;
  // The caret's line, counting from 1, and its text without the line break.
  int linhaAtual() const;
  QString textoLinhaAtual() const;
  // Moves the caret to the start of `linha` (from 1, kept inside the text)
  // and scrolls so that the line is centred.
  void seguirLinha(int linha);
  // Marks `linha` (from 1) with the running-line background; 0 clears it.
  void destacarLinha(int linha);
  // The name the developer help filters by for the caret's line
  // (nomeAjudaDaLinha).
  QString nomeAjudaLinha() const;

  // --- Search ----------------------------------------------------------------
  // Asks for the text ("Localizar..."), keeps it (without line breaks at its
  // end) as the search text and, when it is not empty, searches it (from the
  // start when `doInicio`).
  void LocalizarTexto(bool doInicio);
  // Searches the search text without regard to letter case, from the start
  // (or, backwards, from the end) when `doInicio`, otherwise from the
  // selection. A hit is selected; without a hit (or without a search text)
  // the beep sounds and the selection collapses to its end (forwards) or its
  // start (backwards). True on a hit.
  bool DoSearchReplaceText(bool doInicio, bool ABackwards);
  bool localizarProximo() { return DoSearchReplaceText(false, false); }
  bool localizarAnterior() { return DoSearchReplaceText(false, true); }
  QString searchText() const { return gSearchText; }
  void setSearchText(const QString& texto) { gSearchText = texto; }
  // Defaults: pedirValor of the dialogs and the system's beep.
  void setPedirTexto(PedirTexto pedir) { gPedirTexto = std::move(pedir); }
  void setBipe(std::function<void()> bipe) { gBipe = std::move(bipe); }

  // --- Completion list -------------------------------------------------------
  // The list opens this long after "&" is typed (500 ms), or at once with
  // Ctrl+Space or abrirCompletar().
  void setAtrasoCompletar(int ms) { gTmCompletar.setInterval(ms); }
  int atrasoCompletar() const { return gTmCompletar.interval(); }
  bool completarPendente() const { return gTmCompletar.isActive(); }
  void abrirCompletar();
  void fecharCompletar();
  bool completarVisivel() const;
  CLListaCompletar* listaCompletar() const { return gLista; }
  // Replaces the typed token with the current entry's insert text and
  // closes the list; false when the list has no entry.
  bool completar();

  // --- Checker ---------------------------------------------------------------
  CLVerificacaoEditor* verificacao() const { return gVerificacao; }
  // Findings of the last check (see verificacaoEmDia()).
  int qtdProblemas() const;
  QList<CLAchado> achados() const;
  bool verificacaoEmDia() const;
  // The findings of the text as it is now, in line order, each with its line
  // (from 1) and message: those of the last check when it is up to date,
  // otherwise those of a check made here and now (not shown in the editor).
  QList<CLAchado> achadosAtuais() const;
  void verificarAgora();
  // The tooltip text of the finding at a text position; empty when none.
  QString dicaEm(int posicao) const;

  CLRealceMivo* realce() const { return gRealce; }

 signals:
  // A check ended and its findings are shown.
  void verificacaoConcluida(int qtdProblemas);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  // The token before the caret ("&Tecl", "Tecl" or "") and its size in
  // bytes.
  QString tokenAntesDoCursor(int* bytes = nullptr) const;
  void atualizarCompletar();
  void tmCompletarTimer();
  void ajustarMargem();
  void selecionarBytes(long ancora, long cursor);
  // Scrolls so that document line `linha` (from 0) is in the middle.
  void centrarLinha(long linha);
  // Scrolls so that `linha` (from 0) shows with some lines of context above
  // and below: a line already shown that way stays where it is, any other is
  // centred.
  void mostrarComContexto(long linha);
  // The first hit of the search text from byte `de` towards byte `ate`
  // (backwards when `ate` < `de`).
  bool localizarBytes(long de, long ate, long* inicio, long* fim) const;

  CLRealceMivo* gRealce;
  CLListaCompletar* gLista;
  CLVerificacaoEditor* gVerificacao;
  QTimer gTmCompletar;
  QString gSearchText;
  PedirTexto gPedirTexto;
  std::function<void()> gBipe;
  int gDigitosMargem = 0;
  long gInicioToken = 0;  // where the token of the open list starts (bytes)
  bool gAbertoSemToken = false;  // the list was opened where no token was
};

}  // namespace mivo
