#pragma once
// The data table: a grid of text cells whose row 0 holds the column titles and
// whose rows 1 and up are the records. Free of any window toolkit, so that the
// interpreter and a Qt view can share one instance without copying the data.

#include <QList>
#include <QString>
#include <QStringList>

namespace mivo {

class CLGrade {
 public:
  CLGrade();  // 1 column, 2 rows (titles plus one blank record)

  int RowCount() const { return static_cast<int>(gLinhas.size()); }
  int ColCount() const { return gColunas; }
  // Both keep the invariants: at least 2 rows and 1 column.
  void setRowCount(int linhas);
  void setColCount(int colunas);

  // Cells are indexed column first, as in the grid; out-of-range reads give
  // an empty text and out-of-range writes are ignored.
  QString cell(int col, int row) const;
  void setCell(int col, int row, const QString& valor);

  // The current record (never the title row).
  int Row() const { return gLinhaAtual; }
  void setRow(int row);

  // Index of the first column whose title, trimmed and lower-cased, equals
  // `titulo` trimmed and lower-cased; -1 when there is none.
  int colunaPorTitulo(const QString& titulo) const;
  // Cell of the current record in that column; empty when there is none.
  QString valorAtual(const QString& titulo) const;

 private:
  QList<QStringList> gLinhas;  // each row holds exactly gColunas cells
  int gColunas = 1;
  int gLinhaAtual = 1;
};

}  // namespace mivo
