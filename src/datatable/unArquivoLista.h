#pragma once
// List files: one record per line, cells joined by ";", every line ended by
// CR LF. Reading goes through lerArquivoTexto (byte-order mark, else UTF-8
// when valid, else Windows-1252); these helpers split the text into records
// and turn a grid back into list-file text.

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "unCLProgresso.h"

namespace mivo {

class CLGrade;
class CLProgresso;

// The delimiter of a pasted or loaded text, chosen from its first line:
// ";" when the line has one, else a tab, else ","; a null QChar when none
// (each line is then one cell).
QChar escolherDelimitador(const QString& primeiraLinha);

// The fields of one line: the line is trimmed (blank: no fields), split at
// every delimiter outside double quotes (empty fields are kept, a trailing
// delimiter gives an empty last field) and each field trimmed. A field
// written in double quotes loses them ("" inside stands for one quote);
// other double quotes are kept as they are.
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

// The interpreter's way of loading a list into a grid: the first line names
// the columns (split at ";" and ","; titles the grid lacks are added), every
// further line is written as a record by position (split at ";", or at the
// first line's delimiter when that is "," or a tab; a field in double quotes
// keeps its delimiters). Values are data: they are stored exactly as read,
// never run or expanded. Blank lines add nothing; a record longer than the
// titles keeps its extra values in new untitled columns. False when the text
// is blank.
bool carregarComTitulos(CLGrade& grade, const QString& texto);

// A cell as a list file holds it: as it is, or, when it holds ";" or starts
// with a double quote (it would not read back the same), in double quotes
// with its quotes doubled.
QString campoParaArquivo(const QString& celula);
void anexarCampo(QString& linha, QStringView celula);

}  // namespace mivo
