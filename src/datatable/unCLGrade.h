#pragma once
// The data table: a grid of text cells whose row 0 holds the column titles and
// whose rows 1 and up are the records. Free of any window toolkit, so that the
// interpreter and a Qt view can share one instance without copying the data:
// a view reads the cells directly and follows the changes as a
// CLGradeObservador.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "unCLGradeObservador.h"
#include "unCLLinhaGrade.h"

namespace mivo {

class CLGrade {
 public:
  CLGrade();  // 1 column, 2 rows (titles plus one blank record)
  CLGrade(const CLGrade&) = delete;
  CLGrade& operator=(const CLGrade&) = delete;

  int RowCount() const { return static_cast<int>(gLinhas.size()); }
  int ColCount() const { return gColunas; }
  // Both keep the invariants: at least 2 rows and 1 column.
  void setRowCount(int linhas);
  void setColCount(int colunas);
  // The record count shown to the user: RowCount - 1, so a blank table has 1.
  int qtdRegistros() const { return RowCount() - 1; }

  // Cells are indexed column first, as in the grid; out-of-range reads give
  // an empty text and out-of-range writes are ignored.
  QString cell(int col, int row) const;
  void setCell(int col, int row, const QString& valor);
  // All cells of a row (exactly ColCount of them); empty when out of range.
  QStringList celulasLinha(int row) const;
  // A cell without copying it; valid until the row changes.
  QStringView celula(int col, int row) const;

  // The current cell. The current record is never the title row.
  int Row() const { return gLinhaAtual; }
  void setRow(int row);
  int Col() const { return gColunaAtual; }
  void setCol(int col);

  // --- Whole rows and columns -------------------------------------------
  // The cells are cleared, then filled in order from the first; an empty
  // line is stored as " " and lines beyond the row's width (the column's
  // height) are dropped.
  void setLinhaInteira(int row, const QStringList& linhas);
  void setColunaInteira(int col, const QStringList& linhas);
  // The cells in order, each followed by CR LF.
  QString textoLinha(int row) const;
  QString textoColuna(int col) const;
  // Every cell blank after trimming.
  bool linhaEmBranco(int row) const;
  bool colunaEmBranco(int col) const;

  // --- Structure ----------------------------------------------------------
  // Appends a blank record row and returns its index.
  int adicionarLinha();
  // Appends a record with these cells (the grid widens when they are more
  // than its columns) and returns its index.
  int adicionarLinha(const QStringList& celulas);
  // The same from cells held elsewhere (a text being read).
  int adicionarLinhaDe(const QList<QStringView>& celulas);
  // Appends these records, taken over without copying their text (the grid
  // widens to the widest); the single blank record of a table without
  // records takes the first. Observers get one batch.
  void acrescentarLinhas(QList<CLLinhaGrade>&& linhas);
  // Deletes records primeira .. primeira + qtd - 1 (the title row is never
  // deleted); when no record is left, one blank record row takes their place.
  void removerLinhas(int primeira, int qtd);
  // Inserts an untitled, empty column before `posicao` (ColCount appends).
  void incluirColuna(int posicao);
  // Deletes a column (later columns move left); the last remaining column
  // is cleared instead, so the grid always keeps one.
  void removerColuna(int col);
  // Deletes these columns (in increasing order, each once) in one pass over
  // the rows; observers see one redefinition. At least one column must stay.
  void removerColunas(const QList<int>& colunas);
  // Moves a column to another position, the others closing up.
  void moverColuna(int de, int para);
  // Clears the record cells of a column and keeps its title.
  void limparColuna(int col);
  // Clears every cell, titles included; the size stays.
  void limparCelulas();
  // Puts the records in a new order without copying their text: record k
  // (from 1) becomes the row that was ordem[k - 1]. `ordem` must name every
  // record row once; otherwise nothing changes and false is returned.
  // Observers get one batch.
  bool reordenarLinhas(const QList<int>& ordem);

  // --- Columns by title ---------------------------------------------------
  // Index of the first column whose title, trimmed and lower-cased, equals
  // `titulo` trimmed and lower-cased; -1 when there is none. A hash lookup:
  // the titles are indexed on first use after row 0 last changed.
  int colunaPorTitulo(const QString& titulo) const;
  // Cell of the current record in that column; empty when there is none.
  QString valorAtual(const QString& titulo) const;
  // Gives a title to a column: column 0 when its title is blank, else
  // column 1 when its title is blank (the grid grows to two columns when it
  // has one), else a new column at the right end.
  void adicionarColuna(const QString& titulo);
  // Splits `titulos` at every ";" and "," and adds, in order, each trimmed
  // title that no column has yet, as adicionarColuna places it. Existing
  // columns and records never change. The grid changes once, however many
  // titles there are: observers get one column insertion and one change of
  // the title row.
  void inserirColunas(const QString& titulos);
  // The same with the titles already split, each placed as it is (a title
  // read from a list keeps its blanks; it is still compared trimmed).
  void inserirColunas(const QStringList& titulos);
  // Row 0 as inserirColunas(titulos) would leave it, the grid unchanged.
  QStringList titulosCom(const QStringList& titulos) const;
  // Writes one record from values separated by ";" (CR LF inside them
  // becomes the two characters "\n"; each value is trimmed), by position.
  // The single blank record of an empty table is reused; otherwise a row is
  // appended. Blank text writes nothing. Returns false when there were more
  // values than columns.
  // As a script writes it (the default), a value equal to any column title
  // leaves its cell empty and the extra values are dropped. As a list file
  // is loaded (`carga`), nothing read is lost: a line that only repeats the
  // titles is no record, and extra values go into new untitled columns.
  bool inserirLinha(const QString& valores, bool carga = false);
  // The same with the values already split (a loaded record whose quoted
  // fields may hold ";").
  bool inserirCampos(QStringList valores, bool carga);

  // Replaces every row, titles included (linhas[0]), with these rows, taken
  // over without copying their text (an importer builds them whole). The
  // grid gets `colunas` columns and each row is fitted to them; with no
  // record row a blank one is added. The current cell goes to the first
  // record. Observers get one batch.
  void substituirLinhas(QList<CLLinhaGrade>&& linhas, int colunas);
  // The same with every row of `origem`, which is left as a new grid (one
  // blank column and record).
  void substituirPor(CLGrade& origem);

  // --- Change notification ------------------------------------------------
  void adicionarObservador(CLGradeObservador* observador);
  void removerObservador(CLGradeObservador* observador);
  // Between iniciarLote and concluirLote (which nest) observers get one
  // gradeARedefinir/gradeRedefinida pair instead of each change.
  void iniciarLote();
  void concluirLote();
  class Lote {
   public:
    explicit Lote(CLGrade& grade) : gGrade(grade) { gGrade.iniciarLote(); }
    ~Lote() { gGrade.concluirLote(); }
    Lote(const Lote&) = delete;
    Lote& operator=(const Lote&) = delete;

   private:
    CLGrade& gGrade;
  };

 private:
  bool avisando() const { return gLote == 0 && !gObservadores.isEmpty(); }
  template <typename F>
  void avisar(F&& f) {
    if (avisando())
      for (CLGradeObservador* o : gObservadores) f(*o);
  }
  void ajustarSelecao();
  // The title index, rebuilt when row 0 is no longer the row it was built
  // from (see colunaPorTitulo).
  const QHash<QString, int>& indiceTitulos() const;

  QList<CLLinhaGrade> gLinhas;  // each row holds exactly gColunas cells
  int gColunas = 1;
  int gLinhaAtual = 1;
  int gColunaAtual = 0;
  int gLote = 0;
  QList<CLGradeObservador*> gObservadores;

  // Each title of row 0, trimmed and lower-cased, to the first column that
  // has it. `gIndiceFonte` is a copy of row 0 as it was when the index was
  // built: sharing its text, it stops being the same text the moment row 0
  // changes in any way (a cell, a column inserted, removed or moved), so no
  // change can leave a stale index behind. Not for concurrent readers.
  mutable QHash<QString, int> gIndiceTitulos;
  mutable CLLinhaGrade gIndiceFonte;
  mutable bool gIndiceMontado = false;
};

}  // namespace mivo
