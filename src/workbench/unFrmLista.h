#pragma once
// TfrmLista, the data-table window ("Lista de trabalho"): the table of
// records in a grid over CLLista's gridDados (the titles are the grid's
// header), its toolbars and menus, paste and typed input, opening, saving,
// new list, deleting records, the column commands, the filter bar and view
// (gridFiltro over CLLista's gridFiltro), the search highlight, the marks,
// the cell detail panel and the status bar.
// The state and the commands themselves live in CLLista, which the
// workbench owns; this window shows it and asks the user. Every question,
// message and file dialog goes through CLDialogosLista, which tests replace.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "unCLDialogosLista.h"
#include "unCLGradeObservador.h"
#include "unCLLista.h"
#include "unRegrasLista.h"

class QAction;
class QMenu;
class QModelIndex;
class QTableView;

namespace Ui {
class TfrmLista;
}

namespace mivo {

class CLModeloGrade;
class CLNegOffice;
class TfrmProgress;
class TfrmSalvarFile;

class TfrmLista : public QWidget, private CLGradeObservador {
  Q_OBJECT

 public:
  // `lista` belongs to the caller and must outlive the window. Without a
  // parent the window is a top-level window; the workbench docks it
  // borderless into its "Dados" tab.
  explicit TfrmLista(CLLista& lista, QWidget* pai = nullptr);
  ~TfrmLista() override;

  CLLista& lista() { return gLista; }
  QTableView* gridDados() const;
  CLNegOffice& negOffice() { return *gNegOffice; }

  // --- What the workbench and the tests set -----------------------------------------
  void setDialogos(CLDialogosLista dialogos);
  CLDialogosLista& dialogos() { return gDialogos; }
  // The progress window of long operations; by default one of the
  // window's own, created on first use. Not owned. The workbench hands its
  // own through a function, so that it is still created only when needed.
  void setProgresso(std::function<CLProgresso&()> fornecer) { gProgressoExterno = std::move(fornecer); }
  void setProgresso(CLProgresso* progresso) {
    setProgresso([progresso]() -> CLProgresso& { return *progresso; });
  }
  CLProgresso& progresso();
  // The program's save-as window ("Salvar..."), which "Salvar (F2)" shows
  // for a list that belongs to no file; by default one of the window's
  // own, created on first use. Not owned. The workbench hands its own.
  void setJanelaSalvar(std::function<TfrmSalvarFile&()> fornecer) { gJanelaSalvarExterna = std::move(fornecer); }
  TfrmSalvarFile& janelaSalvar();
  // The script's text, read by "Nova lista (eliminar colunas)" for the
  // columns a script demands (pre_colunas).
  void setTextoScript(std::function<QString()> textoScript) { gTextoScript = std::move(textoScript); }
  // Hides the pending-actions panel (column moving, marks).
  void ocultarAcoesPendentes();
  // The cell detail panel (a script setting may hide it).
  void setDetalheVisivel(bool visivel);
  // gColunaBase: set by the workbench; no command reads it.
  QString gColunaBase;

  // --- Status ----------------------------------------------------------------------------
  // The status bar from this grid ("Posição:", "Itens:", "Está salvo:",
  // "Arquivo: ").
  void showStatus(const CLGrade& aGrid);
  QString textoPosicao() const;
  QString textoItens() const;
  QString textoSalvo() const;
  QString textoArquivo() const;

  // --- Commands ----------------------------------------------------------------------------
  // Clipboard text into the table (Ctrl+V).
  void executarColar();
  // "Digitar ou colar dados (F3)": the multi-line input window.
  void inserirInput();
  // Text into the table with the progress window; false when cancelled
  // (after "Operação cancelada").
  bool colar(const QString& texto);
  // The open dialog and the load of list files; the outcome (Cancelado also
  // when the dialog was cancelled).
  Desfecho abrirDeArquivo(bool descartarExistentes);
  // The open dialog with its filter; the chosen files.
  QStringList escolherArquivosLista();
  // "Nova lista (...)": false when the user declined.
  bool novaLista(bool excluirColunas);
  // "Salva os dados no arquivo carregado", F2: over the table's file without
  // asking; without one, through the save-as window ("Salvar lista de
  // dados"), after which the table belongs to the file written.
  bool salvar();
  // "Salvar como...": the save dialog, the question when the file exists,
  // then the write. True when written.
  bool salvarComoDialogo();
  // Writes the active grid to `arquivo` with the progress window.
  bool salvarComo(const QString& arquivo);
  // Deletes the selected records (Del).
  void deletarSelecionados();
  // "Esta linha tem o nome das colunas".
  void linhaParaTitulos();
  // "Obter caminho de arquivo...".
  void obterCaminhoArquivo();
  // "Ir para linha...".
  void irParaLinha();
  // "Copiar": the whole table to the clipboard.
  void copiarTudo();
  // "Listar dados".
  void listarDados();
  // Column widths of the data grid (see larguraColunasAuto).
  void AutoSizeGrid();
  // Opens the open/import window on the text page (then auto-sizes, and
  // offers once to make a first line read as a record the titles, see
  // oferecerTitulos) or on the spreadsheet page.
  void abrirJanelaTexto();
  void abrirJanelaPlanilha();
  // The question of oferecerTitulos for these cells of record 1.
  static QString perguntaTitulos(const QStringList& celulas);

  // --- Keys ---------------------------------------------------------------------------------
  // Window-level keys, seen before the focused control: F2, F3, F4, Esc.
  // True when handled.
  bool teclaJanela(int tecla, Qt::KeyboardModifiers modificadores);
  // The grid's keys outside cell editing: Del, Ctrl+V, Down on the last row,
  // Right on the last column, Enter. True when handled.
  bool teclaGrade(int tecla, Qt::KeyboardModifiers modificadores);

  // --- Cell detail ------------------------------------------------------------------------------
  // The 100 ms timer that shows the current cell in the detail panel.
  QTimer& tmCelula() { return gTmCelula; }
  void tmCelulaTimer();
  QString textoDetalhe() const;

  // --- Column commands, filter and marks --------------------------------------------------------
  // Their logic lives in the column and filter units; the window only
  // routes the commands here. gSortedColumn is set before the header popup.
  void inserirColuna();          // F4, "Inserir coluna (F4)"
  void renomearColunas();        // "Renomear colunas"
  void excluirColunaMenu();      // "Excluir coluna"
  void moverColuna();            // "Mover coluna"
  void renomearColuna(int coluna);
  void ordenarColuna();          // popup "Ordenar"
  void copiarColuna();           // popup "Copiar dados desta coluna"
  void limparColuna();           // popup "Excluir dados desta coluna"
  void eliminarColuna();         // popup "Excluir coluna"
  void localizar();              // "Localizar"
  void marcarTudo();             // "Marcar tudo"
  void desmarcarTudo();          // "Desmarcar tudo"
  void cancelarMarcados();       // Esc, "Limpar itens marcados (ESC)"
  // Column moving: the data grid's titles can be dragged until a column has
  // been moved, the entry's button or Esc.
  bool movendoColuna() const { return gMovendoColuna; }
  void pararMoverColuna();
  // The definition page: "Salvar" and "Voltar".
  void salvarColunas();
  // The "Eliminar coluna" page: "Aplicar".
  void aplicarEliminarColuna();
  void mostrarPaginaDados();

  // The filter bar and view: "Filtrar" (Enter in the box), "Desfazer
  // filtro", Esc in the box, "Aplicar alterações".
  void filtrar();
  void desfazerFiltro();
  void cancelarFiltro();
  void aplicarAlteracoesFiltro();
  QTableView* gridFiltro() const;
  // While a script runs it walks the grid that was active when it started
  // (the filter view, when shown): the filter bar is disabled until the run
  // ends, so that the view is neither built again nor dropped under it.
  void setExecucaoAtiva(bool ativa);
  // A title clicked: the popup (a titled column) or renaming (an untitled
  // one). Returns the popup, not yet shown, or null.
  QMenu* tituloClicado(int coluna);

  // Menus and buttons, for the workbench and the tests.
  QMenu* menuAbrir() const { return gMenuAbrir; }
  QMenu* menuEditar() const { return gMenuEditar; }
  QMenu* menuSalvar() const { return gMenuSalvar; }
  QMenu* menuColunas() const { return gMenuColunas; }
  QMenu* menuNovaLista() const { return gMenuNovaLista; }
  QMenu* menuTitulo() const { return gMenuTitulo; }
  // The action of a menu item by its caption (any of the window's menus).
  QAction* acao(const QString& legenda) const;

 signals:
  // "Abrir lista...": the workbench opens a list through its open-file
  // window and the interpreter's loader (which takes the first line as the
  // titles).
  void abrirRecentesPedido();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  // CLGradeObservador: the grid's current cell moved.
  void selecaoAlterada(int col, int row) override;

  void montarMenus();
  void conectar();
  // Puts the view's current cell on the grid's (not while the grid's rows
  // or columns are changing: the view then moves its own on its way).
  void seguirCelulaAtual();
  void estruturaMudou();
  void celulaAtualMudou(const QModelIndex& atual);
  void atualizarStatus();
  // Ends an open cell editor, keeping what was typed.
  void concluirEdicao();
  // The selected record rows of the data grid as runs (first, last), top
  // first.
  QList<std::pair<int, int>> faixasSelecionadas() const;
  void mostrarErroArquivo(const QString& erro);
  // "Salvar (F2)" for a table without a file: the active grid's text in the
  // save-as window.
  bool salvarNaJanelaSalvar();
  // Right after a text list was opened into a table that held no records:
  // when record 1 looks like a title line (pareceLinhaDeTitulos, with the
  // script's placeholders and the titles known: those of lists written in
  // this session and those the table had before), asks whether it holds the
  // column names and, on "Sim", makes it the titles as "Esta linha tem o
  // nome das colunas" does. Asks at most once per open. True when it did.
  bool oferecerTitulos();
  // Sets up a grid's title row: a click opens the header popup.
  void prepararTitulos(QTableView* grade);
  // The view's current cell moved: edits pending in the view go back first.
  void celulaFiltroMudou(const QModelIndex& atual, const QModelIndex& anterior);
  // Shows the view or the data grid as gGrid says.
  void sincronizarFiltro();
  void atualizarBotaoAplicar();
  // A title dragged to another place: the move goes to the grid, and the
  // header's own order is put back (the model holds the order).
  void colunaArrastada(int logica, int deVisual, int paraVisual);
  // The pending-actions panel is shown while one of its entries is.
  void atualizarAcoesPendentes();
  // The input box of the column names; empty when cancelled.
  QString pedirNomeColuna(const QString& titulo);
  // The grid shown for gGrid.
  QTableView* gradeAtiva() const;

  std::unique_ptr<Ui::TfrmLista> ui;
  CLLista& gLista;
  CLModeloGrade* gModelo = nullptr;
  CLModeloGrade* gModeloFiltro = nullptr;
  bool gMovendoColuna = false;
  std::unique_ptr<CLNegOffice> gNegOffice;
  CLDialogosLista gDialogos;
  std::function<CLProgresso&()> gProgressoExterno;
  std::unique_ptr<TfrmProgress> gProgress;
  std::function<TfrmSalvarFile&()> gJanelaSalvarExterna;
  std::unique_ptr<TfrmSalvarFile> gSalvarFile;
  // Set by an open that put a file's first line into record 1: the titles
  // the table had before; taken by oferecerTitulos.
  std::optional<QStringList> gTitulosAntesDeAbrir;
  std::function<QString()> gTextoScript;
  QTimer gTmCelula;
  QMenu* gMenuAbrir = nullptr;
  QMenu* gMenuEditar = nullptr;
  QMenu* gMenuSalvar = nullptr;
  QMenu* gMenuColunas = nullptr;
  QMenu* gMenuNovaLista = nullptr;
  QMenu* gMenuTitulo = nullptr;
  bool gMudandoEstrutura = false;  // between a model's "about to" signal and its end
  bool gSeguindo = false;  // the view is being moved to the grid's current cell
};

}  // namespace mivo
