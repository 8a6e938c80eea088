#pragma once
// List files: one record per line, cells joined by ";", every line ended by
// CR LF; a cell that would not read back the same is written in double
// quotes (see precisaDeAspas), and may then span lines. These helpers turn a
// grid into list-file text and write it; CLLeitorLista reads it back, and
// unCLCargaLista loads it as scripts do.

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "unCLCargaLista.h"
#include "unCLProgresso.h"

namespace mivo {

class CLGrade;
class CLProgresso;

// The delimiter of a pasted or loaded text, chosen from its first line:
// ";" when the line has one, else a tab, else ","; a null QChar when none
// (each line is then one cell).
QChar escolherDelimitador(const QString& primeiraLinha);

// The fields of one line, as the data-table window read them before a
// record could span lines: the line is trimmed (blank: no fields), split at
// every delimiter outside double quotes (empty fields are kept, a trailing
// delimiter gives an empty last field) and each field trimmed, quoted ones
// too. A field written in double quotes loses them ("" inside stands for
// one quote); other double quotes are kept as they are. The readers of
// lists use CLLeitorLista, which keeps quoted text as written.
QStringList dividirCampos(const QString& linha, QChar delimitador);

// The whole grid as list-file text, title row first. The progress window
// shows `operacao` ("Preparando dados..." for saving) and is stepped every
// `passo` rows. Nothing (std::nullopt) when the user cancels.
std::optional<QString> gradeParaTexto(const CLGrade& grade, CLProgresso* progresso = nullptr, int passo = 1,
                                      const QString& operacao = QStringLiteral("Preparando dados..."));

// Writes the whole grid as a list file (as gradeParaTexto would give it)
// without first building the text: rows are encoded and written as they
// come, through a temporary file renamed over the target at the end, so a
// cancel or a failure leaves the old file as it was. The encoding is that
// of gravarLista.
Desfecho salvarGrade(const CLGrade& grade, const QString& caminho, CLProgresso* progresso = nullptr,
                     int passo = 1, QString* erro = nullptr);

// Writes list-file text through a temporary file renamed over the target:
// Windows-1252 without a byte-order mark when every character fits,
// otherwise UTF-8 with one.
bool gravarLista(const QString& caminho, const QString& texto, QString* erro = nullptr);

// Where a cell goes in a list file: in the title row, and whether the
// table has a single column (its lines then hold no ";", and the delimiter
// a reader chooses comes from the title).
struct PosicaoCampo {
  bool titulo = false;
  bool colunaUnica = false;
};

// Whether a cell is written in double quotes: when it holds ";" or a line
// break, starts with a double quote, starts or ends with a blank or control
// character (a reader trims those), and when a title holds "," (titles are
// also split at ","); in a single-column table also when it is empty (a
// blank line is no record) or holds "," or a tab (either may be the
// delimiter there). Any other cell is written as it is, so lists read the
// same by programs that know nothing of quotes.
bool precisaDeAspas(QStringView celula, PosicaoCampo posicao = {});
// A cell as a list file holds it: as it is, or in double quotes with its
// quotes doubled.
QString campoParaArquivo(const QString& celula, PosicaoCampo posicao = {});
void anexarCampo(QString& linha, QStringView celula, PosicaoCampo posicao = {});
// Row r of the grid as a list-file line, CR LF included.
void anexarLinhaDaGrade(QString& texto, const CLGrade& grade, int r);

}  // namespace mivo
