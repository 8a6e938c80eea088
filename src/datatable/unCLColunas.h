#pragma once
// The column commands of the data-table window without the window: naming,
// inserting, renaming, clearing, deleting, moving, copying and sorting
// columns. Questions stay with the caller, which passes the user's answer
// in; the texts of those questions and messages are here so that the window
// and the tests share them.
//
// Commands given a CLLista act on its active grid (gGrid) where the window's
// header popup does, and keep the filter view and the data grid in step:
// a column command on the view reaches the data column the view mirrors
// (view column k + 1 is data column k; view column 0, "Linha", is no data).

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "unCLProgresso.h"

namespace mivo {

class CLGrade;
class CLLista;

// --- Texts ------------------------------------------------------------------
namespace colunas {
inline QString tituloInserir() { return QStringLiteral("Inserir coluna"); }
inline QString tituloRenomear() { return QStringLiteral("Renomear coluna"); }
inline QString promptNome() { return QStringLiteral("Defina o nome desta coluna"); }
inline QString erroSemColuna() {
  return QStringLiteral("É preciso selecionar uma coluna para realizar essa operação");
}
inline QString perguntaLimpar() { return QStringLiteral("Deseja apagar os dados desta coluna?"); }
// "Deseja excluir a coluna " + title + "?"
QString perguntaExcluir(const QString& titulo);
}  // namespace colunas

// Title normalisation: every space becomes "-", then lower case (pt-BR).
// Nothing is trimmed.
QString formatColumnName(const QString& valor);

// The column chooser's entries, one per column of `grade` in column order:
// the title trimmed; for an untitled column "Coluna " + index ("#,##", so
// column 0 gives "Coluna " alone) and, when the first record's cell is not
// blank, " (" + that value trimmed + ")".
QStringList preencherComboColunas(const CLGrade& grade);

// "Inserir coluna (F4)" with the input box's answer: nothing when the
// normalised answer is empty (a cancelled box gives ""); otherwise, when the
// current column of gridDados (the view's current column while the filter
// view is shown) has a title, a new column with that name is appended at
// the right end, else the current column gets the name. Sets gEditou.
// Returns the column named, or -1 when nothing changed.
int inserirColuna(CLLista& lista, const QString& resposta);

// "Renomear" (or a click on an untitled title) with the answer: the
// normalised answer, when not empty, becomes the title of column `coluna` of
// gGrid. gEditou is left as it was. False when nothing changed (empty
// answer, no such column, or the view's "Linha" column).
bool renomearColuna(CLLista& lista, int coluna, const QString& resposta);

// The column definition page ("Definir colunas").
struct DefinicaoColuna {
  QString exemplo;  // "Exemplo": the first record's value, or "Coluna " + k when blank
  QString nome;     // "Nome do campo": the title
};
// One entry per column of gridDados.
QList<DefinicaoColuna> showColunas(const CLGrade& grade);
// "Salvar": name k, normalised, becomes the title of column k of gridDados,
// unless it is "#" after trimming (the title stays). A name left as it was
// shown keeps its title as it is (a title read from a file, or the " " of an
// untitled column, is not renamed by saving the page unchanged).
void setColunas(CLLista& lista, const QStringList& nomes);

// "Excluir coluna": deletes column `indice` of gGrid (from the header popup)
// and sets gEditou; the grid always keeps one column (the last one is
// cleared instead). On the filter view the data column goes too; its
// "Linha" column cannot be deleted (false).
bool eliminarColuna(CLLista& lista, int indice);
// The same for a column of gridDados (the "Eliminar coluna" page, whose
// chooser lists the data columns).
bool eliminarColunaDados(CLLista& lista, int coluna);

// "Excluir dados desta coluna": clears the record cells of column `coluna`
// of gGrid, keeps its title, sets gEditou. On the filter view the same cells
// of the records it shows are cleared in gridDados too.
bool limparColuna(CLLista& lista, int coluna);

// "Mover coluna": moves a column of gridDados (and its mirror in the view);
// gEditou is left as it was.
void moverColuna(CLLista& lista, int de, int para);

// "Copiar dados desta coluna": the column's cells from the title down,
// joined by CR LF, the whole text trimmed at both ends (blank cells at the
// very top or bottom vanish).
QString copiarColuna(const CLGrade& grade, int coluna);

// "Copiar": the whole grid as text, title row first, cells joined by ";"
// (a cell is written as a list file holds it, so the text reads back the
// same), every line ended by CR LF. Progress "Copiando dados..." stepped
// every 10 rows. Nothing when the user cancels.
std::optional<QString> copiarTudo(const CLGrade& grade, CLProgresso* progresso = nullptr);
// "Copiar itens marcados": the title row and the given records, as copiarTudo
// writes them.
QString copiarLinhas(const CLGrade& grade, QList<int> linhas);

// "Ordenar": sorts the records of `grade` by column `coluna`. Each record's
// sort text is its cell in that column, "%", then its cells as lines (each
// ended by CR LF); the texts are compared as pt-BR sorts them without regard
// to case, so records come in order of their key cell and equal keys in
// order of their contents. Descending writes that order from the last row
// up. The records are written back by whole-row assignment (a blank cell
// becomes " "); the title row never moves, and a cell comes back exactly as
// it was whatever it holds ("%", line breaks). Progress "Ordenando
// dados..."; cancelled: the grid is unchanged. gEditou is left as it was.
Desfecho SortStringGrid(CLGrade& grade, int coluna, bool desc, CLProgresso* progresso = nullptr);
// The popup's "Ordenar" on gGrid: edits pending in the filter view are
// written back first, so that no edit is lost when its row moves.
Desfecho ordenarColuna(CLLista& lista, int coluna, bool desc, CLProgresso* progresso = nullptr);

}  // namespace mivo
