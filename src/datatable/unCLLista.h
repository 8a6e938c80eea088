#pragma once
// The state and commands of the data-table window without the window: the
// table of records (gridDados), the active grid (gGrid: gridDados, or the
// filter view while it is shown), the list file it belongs to, the edited
// flag and the recent-lists register. Questions and messages stay with the
// caller: operations return how they ended, and an error text in Portuguese
// where there is one.

#include <QString>
#include <QStringList>
#include <functional>

#include "unArquivoLista.h"
#include "unCLGrade.h"
#include "unCLProgresso.h"
#include "unCLRecentes.h"

namespace mivo {

class CLLista {
 public:
  explicit CLLista(QString arquivoRecentes = CLRecentes::arquivoPadrao());
  CLLista(const CLLista&) = delete;
  CLLista& operator=(const CLLista&) = delete;

  CLGrade gridDados;
  // The filter view: "Linha" (the record's row in gridDados) and then the
  // data columns; the active grid while it is shown (see unCLFiltro.h).
  CLGrade gridFiltro;
  CLGrade* gGrid = &gridDados;  // the grid that saving and column commands act on
  QString gArquivo;             // list file the table belongs to; empty when none
  QString gLastFile;            // list file last opened or saved
  bool gEditou = false;         // changed since it was last loaded or saved
  int gSortedColumn = 0;        // column whose title was last clicked
  int gFiltroEditedLine = 0;    // view row last edited and not yet written back; 0: none
  QList<int> gFiltroPendentes;  // every view row edited and not yet written back
  int gMarcados = 0;            // marked records (the copy command asks about them)
  CLRecentes gRecentes;
  // The title rows of the lists written in this session, newest first: a
  // list file the program wrote starts with them (see pareceLinhaDeTitulos).
  QList<QStringList> gTitulosGravados;
  // Called wherever the status bar must be refreshed, with the grid to show.
  std::function<void(const CLGrade&)> aoMostrarStatus;

  bool filtroVisivel() const { return gGrid == &gridFiltro; }
  // The table counts as saved when it belongs to a file and has not changed.
  bool estaSalvo() const;
  // True when some record cell of gridDados is not blank.
  bool temDados() const;
  // "dados/listas" under the base folder, created when missing (a failure
  // is ignored: the dialogs then start elsewhere).
  static QString pastaListas();

  // Empties the table: two rows, every cell cleared; with limparColunas two
  // untitled columns, otherwise the columns stay and get their titles back
  // (an empty title comes back as " ").
  void gridZerar(bool limparColunas);
  // Appends the records of a text (delimiter from its first line, one record
  // per line, the first included), drops the blank starter row of an empty
  // table, detaches the table from its file and removes blank columns.
  // False when the user cancelled through the progress window (the records
  // appended so far stay; the caller shows "Operação cancelada").
  bool colarCheck(QStringView texto, CLProgresso* progresso = nullptr);
  // Deletes the columns of gridDados that are blank, title included; one
  // column always stays.
  void eliminarColunasVazias();

  // Loads list files in order (each as by colarCheck) after emptying the
  // table when descartarExistentes; registers each in the recents. One file
  // becomes the table's file; several leave the table without one. On
  // Falhou, `erro` holds the reason (the window shows "Erro: " + erro).
  Desfecho abrirArquivos(const QStringList& caminhos, bool descartarExistentes,
                         CLProgresso* progresso = nullptr, QString* erro = nullptr);
  // Appends the records of one file and makes it the table's file.
  bool abrirViaFilename(const QString& filename, QString* erro = nullptr);
  // Writes the active grid to `arquivo` (which the caller has already chosen
  // and, if it exists, agreed to replace). On success the table belongs to
  // that file and counts as saved. Cancelled: nothing is written (the caller
  // shows "Procedimento cancelado").
  Desfecho salvarComo(const QString& arquivo, CLProgresso* progresso = nullptr,
                      QString* erro = nullptr);
  // After the active grid was written to `arquivo` (by salvarComo or by
  // the save-as window): the table belongs to that file and counts as
  // saved, the file goes into the recents and the titles written are
  // remembered in gTitulosGravados.
  void registrarGravacao(const QString& arquivo);
  // Starts a new list. When the table holds data, `confirmar` is asked the
  // question and only a true answer goes on; returns false when declined.
  bool novaLista(bool excluirColunas, const std::function<bool(const QString&)>& confirmar);
  static QString perguntaNovaLista();

  // Appends a blank record and makes it current (in column 0 with
  // irColuna1).
  void novalinha(bool irColuna1);
  // Appends an untitled column and makes it current.
  void novaColuna();
  // A cell edited in place by the user.
  void editarCelula(int col, int row, const QString& texto);
  // Makes the current record the title row ("Esta linha tem o nome das
  // colunas") and deletes it; the table keeps at least one record row.
  void linhaParaTitulos();

  // Deletes the records topo..base of gridDados (the title row never goes;
  // the last record is cleared instead) and makes the row at topo current.
  // Refused with an error while the filter view is the active grid.
  bool deletarSelecionados(int topo, int base, QString* erro = nullptr);
  // The same for any set of rows; the lowest of them becomes current.
  bool deletarSelecionados(QList<int> linhas, QString* erro = nullptr);

 private:
  void mostrarStatus(const CLGrade& grade);
  bool podeDeletar(QString* erro) const;
};

}  // namespace mivo
