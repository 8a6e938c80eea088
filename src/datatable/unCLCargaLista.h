#pragma once
// Loading a list the way scripts load lists ("&LaAbrir", a script's
// pre-loaded list, mivo-run --lista): the first record names the columns,
// every further record is written by position (split at the delimiter of
// the first record, ";" when it has none). Values are data: stored exactly
// as read, never run or expanded; a quoted value keeps its blanks and line
// breaks. Blank records add nothing; a record longer than the titles keeps
// its extra values in new untitled columns; a record that only repeats the
// titles is no record.
//
// Into a table that holds nothing (every title and cell blank, as a new or
// emptied table) the list comes as it is: its titles by position, as many
// columns as it has. Into a table that holds something, titles it lacks are
// added (as &LaInserirColunas adds them) and records are appended, the
// single blank record of a table without records taking the first.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "unCLLeitorLista.h"
#include "unCLLinhaGrade.h"

namespace mivo {

class CLGrade;

// The titles of a list's first record: a quoted field is one title as
// written; any other is split at ";" and ",", each part trimmed.
QStringList titulosDosCampos(const QList<CampoLista>& campos);

// Gathers the records a CLLeitorLista gives and puts them into the grid at
// the end, so that a list that cannot be read leaves the grid as it was.
class CLCargaLista {
 public:
  // `grade` is the grid the records will go into; it must not change
  // before aplicar.
  explicit CLCargaLista(const CLGrade& grade);
  bool registro(const QList<CampoLista>& campos);
  // Forgets what was gathered (the reader starts over).
  void recomecar();
  // False when no record held anything: the grid is then left alone.
  bool aplicar(CLGrade& grade);

 private:
  bool repeteTitulos(const QList<CampoLista>& campos, qsizetype qtd) const;

  const CLGrade& gGrade;
  bool gGradeVazia = true;
  bool gPrimeiro = true;
  bool gTemAlgo = false;
  bool gAlgumTitulo = false;
  QStringList gTitulosLidos;  // as the list names them
  QStringList gTitulos;       // the grid's titles once they are in
  qsizetype gLargura = 0;     // the grid's width so far
  QList<CLLinhaGrade> gLinhas;
  QList<QStringView> gVistas;
};

// Loads list text into the grid. False when the text is blank.
bool carregarComTitulos(CLGrade& grade, const QString& texto);

// Loads a list file into the grid, reading it in pieces. Nothing when the
// file cannot be read (`erro` says why, the grid is unchanged); otherwise
// whether it held anything (false: a blank file, the grid unchanged).
std::optional<bool> carregarArquivoComTitulos(CLGrade& grade, const QString& caminho, QString* erro = nullptr,
                                              qsizetype tamanhoPedaco = 1 << 20);

// The column titles of a list file as the loader reads them, from its first
// record only; empty when it cannot be read.
QStringList titulosDaLista(const QString& caminho);

}  // namespace mivo
