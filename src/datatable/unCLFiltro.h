#pragma once
// The filter view, search highlight, "Ir para linha...", marks and "Listar
// dados" of the data-table window, without the window.
//
// The view is CLLista::gridFiltro: column 0 "Linha" holds each shown
// record's row in gridDados, columns 1 on mirror the data columns. While it
// is shown CLLista::gGrid points at it, so saving, copying, listing, the
// header popup and a script started then all work on the view. Edits made in
// the view reach gridDados only when they are written back.

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

#include "unCLProgresso.h"

namespace mivo {

class CLGrade;
class CLLista;

namespace filtro {
inline QString tituloLinha() { return QStringLiteral("Linha"); }
inline QString perguntaDesfazer() {
  return QStringLiteral(
      "Houve alterações nos dados filtrados. Deseja salvar essas alterações na tabela de dados "
      "original?");
}
inline QString tituloIrParaLinha() { return QStringLiteral("Ir para linha..."); }
inline QString promptIrParaLinha() {
  return QStringLiteral("Informe o número da linha para onde quer ir:");
}
inline QString tituloListar() { return QStringLiteral("Dados listados:"); }
}  // namespace filtro

// "Filtrar" (or Enter in the filter box): builds the view from the records
// of gridDados that contain `valor` (lower-cased, pt-BR) in their lower-cased
// row text (cells as lines, each ended by CR LF); an empty `valor` matches
// nothing. With `termoExato` a record matches when its lower-cased row text,
// trimmed, equals `valor` trimmed (its only non-blank content is the term).
// Row 0 is "Linha" and the titles; the matches follow in data order (with
// none, one empty row). Then the view becomes the active grid (gGrid), with
// no pending edit (edits pending in a view shown before are written back
// first). Progress "Filtrando dados..."; cancelled: the view stays as it was
// and is not shown.
Desfecho filtrarGrid(CLLista& lista, const QString& valor, bool termoExato,
                     CLProgresso* progresso = nullptr);

// A view cell opened for editing (or edited): that view row has an edit
// pending ("Aplicar alterações" is shown while filtroPendente is true).
void filtroIniciarEdicao(CLLista& lista, int linhaView);
// A view cell edited in place: writes it and marks its row pending.
void filtroEditarCelula(CLLista& lista, int col, int linhaView, const QString& texto);
bool filtroPendente(const CLLista& lista);

// Writes every pending view row back into gridDados (selecting another cell
// of the view, "Aplicar alterações", "Sim" to "Desfazer filtro"): the row's
// cells after "Linha" go by whole-row assignment to the data row that its
// "Linha" cell names. A "Linha" cell that is not the number of a record of
// gridDados writes nothing. Sets gEditou when a row was written; returns how
// many were.
int filtroSalvarDados(CLLista& lista);
// The view row `linhaView` alone (the bench and tests write a whole view
// back through filtroSalvarDados after marking every row).
bool filtroSalvarLinha(CLLista& lista, int linhaView);

// Hides the view: gGrid back to gridDados. With `aplicar` the pending rows
// are written back first ("Desfazer filtro" after a "Sim"); without it
// ("Não", or Esc in the filter box) they are dropped.
void desfazerFiltro(CLLista& lista, bool aplicar);

// The first case-insensitive occurrence of the filter text in a cell's
// text, as the painter marks it: position and length in the cell's own
// text. Nothing when the filter text is empty or absent.
struct Destaque {
  qsizetype posicao = 0;
  qsizetype tamanho = 0;
  bool operator==(const Destaque&) const = default;
};
std::optional<Destaque> destaqueFiltro(QStringView textoCelula, QStringView filtroTexto);

// "Ir para linha...": the row to select in gridDados for the input box's
// answer: a whole number above 0 that names a record; nothing otherwise
// (not a number, 0, negative, past the last record, a cancelled box).
std::optional<int> irParaLinha(const CLGrade& grade, const QString& resposta);

// The selection of the marks, as the grid's range selection.
struct Selecao {
  int colIni = 0, linIni = 0, colFim = 0, linFim = 0;
  bool operator==(const Selecao&) const = default;
};
// "Marcar tudo": all cells of all records.
Selecao marcarTudo(const CLGrade& grade);
// "Desmarcar tudo": the selection collapses to the first cell (column 0 of
// the title row); the marks are cleared.
Selecao desmarcarTudo(CLLista& lista);
// Esc and "Limpar itens marcados (ESC)": gMarcados := 0; cells untouched.
void cancelarMarcados(CLLista& lista);

// "Listar dados": one line per row of the grid, title row first, cells
// joined by ";", lines joined by CR LF.
QString listarDados(const CLGrade& grade);

// The cell detail panel's text: every "\n" (backslash and n, either case)
// becomes a line break.
QString textoDetalheCelula(const QString& celula);

}  // namespace mivo
