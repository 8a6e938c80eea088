#pragma once
// How the engine reads a statement: comments, the function name, the argument
// text, the splitting into arguments, the quotes, the first nested call.
// Reading never fails: malformed text yields empty names or odd arguments.

#include <QString>
#include <QStringList>

namespace mivo::leitura {

// Cuts the comment off a line (trimmed first); "//" inside a call is kept.
void removerComentario(QString& linha);

// One statement of a script as reading finds it at line `indice`: a blank or
// comment line, a statement (joined over its continuation lines up to the
// line that completes ")."), or a statement that the text ends before
// completing.
struct LinhaDoScript {
  enum class Tipo { Vazia, Instrucao, NaoTerminada } tipo = Tipo::Vazia;
  int ultima = 0;  // index of the statement's last line
  QString passo;   // step comment ("//*" and what follows, trimmed)
  QString texto;   // the statement as one line
};
LinhaDoScript lerLinhaDoScript(const QStringList& linhas, int indice);

// Index of the line where a run from the beginning starts: the last line
// holding the end marker of the header section that ends last in the text.
int linhaDeInicio(const QStringList& linhas);

// The function name of a statement: the characters from the second up to the
// first "(", trimmed; empty when there is no "(".
QString nomeDaFuncao(const QString& instrucao);
// Collapses runs of blanks, removes blanks around ";" and trims.
QString normalizar(const QString& instrucao);
// The argument text of a statement (normalised first).
QString textoArgumentos(const QString& instrucao);

// One argument: trimmed, and stripped of one outer pair of double quotes when
// its first and last characters (before trimming) are both quotes.
QString getParamValue(const QString& valor);
// For comparisons: trim, then strip one outer pair of quotes.
QString removerAspas(const QString& valor);
// Splits an argument text at ";" outside nested calls; empty pieces dropped.
QStringList getParams2(const QString& valor);
// The first complete nested call ("&" up to its matching ")") outside
// quotes, or empty.
QString getNextFunctionName(const QString& valor);

}  // namespace mivo::leitura
