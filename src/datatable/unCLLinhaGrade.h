#pragma once
// One row of the data table, kept compact: all its cells live in a single
// string, after a small header with the number of cells and where each one
// starts. A million-record list then costs one allocation per record instead
// of one per cell, and reading a cell stays O(1).

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace mivo {

class CLLinhaGrade {
 public:
  CLLinhaGrade() : CLLinhaGrade(0) {}
  explicit CLLinhaGrade(int celulas);  // that many empty cells
  explicit CLLinhaGrade(const QStringList& celulas);
  // A row of these cells built in one go, with a single allocation.
  static CLLinhaGrade deCelulas(const QList<QStringView>& celulas);

  int size() const { return static_cast<int>(ler(0)); }
  // The cell's text; empty out of range.
  QStringView celula(int c) const;
  QString at(int c) const { return celula(c).toString(); }
  void set(int c, QStringView valor);
  // Grows with empty cells or drops cells at the end.
  void resize(int celulas);
  void insert(int posicao, const QString& valor);
  void removeAt(int posicao);
  void move(int de, int para);
  QStringList lista() const;
  // Every cell blank after trimming.
  bool emBranco() const;
  // Bytes a row of `celulas` cells holding `caracteres` characters in all
  // takes: its one text (the header, then the characters) and its place in
  // a list of rows. The importers count their rows by it.
  static qint64 memoria(qint64 celulas, qint64 caracteres) {
    return 2 * (qint64(cabecalhoPara(celulas)) + caracteres) + 48;
  }
  // True when this row is a copy of `outra` and neither changed since: both
  // still share one text. Any change gives a row a text of its own, so a copy
  // kept aside tells whether the row changed, whatever changed it.
  bool mesmoTexto(const CLLinhaGrade& outra) const {
    return gDados.constData() == outra.gDados.constData() && gDados.size() == outra.gDados.size();
  }

 private:
  quint32 ler(qsizetype pos) const {
    return quint32(gDados[pos].unicode()) | (quint32(gDados[pos + 1].unicode()) << 16);
  }
  quint32 inicio(int c) const { return ler(2 + 2 * qsizetype(c)); }
  static qsizetype cabecalhoPara(qint64 celulas) { return qsizetype(2 + 2 * (celulas + 1)); }
  qsizetype cabecalho() const { return cabecalhoPara(size()); }
  void montar(const QList<QStringView>& celulas);
  struct SemTexto {};
  explicit CLLinhaGrade(SemTexto) {}  // for deCelulas only: montar() follows

  QString gDados;
};

}  // namespace mivo

// A row is its one QString, which may be moved in memory as bytes: a list of
// a million rows then grows by reallocation instead of a move per row.
Q_DECLARE_TYPEINFO(mivo::CLLinhaGrade, Q_RELOCATABLE_TYPE);
