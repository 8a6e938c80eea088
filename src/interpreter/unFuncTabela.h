#pragma once
// The data table functions ("&La..."): columns, records, the current record,
// loading and saving list files.

#include <QString>

namespace mivo {

class CLScript;
class CLGrade;

QString fnLaInserirColunas(CLScript& s, const QString& argumentos);
QString fnLaInserirLinha(CLScript& s, const QString& argumentos);
QString fnLaValor(CLScript& s, const QString& argumentos);
QString fnLaIrLinha(CLScript& s, const QString& argumentos);
QString fnLaProximaLinha(CLScript& s, const QString& argumentos);
QString fnLaAbrir(CLScript& s, const QString& argumentos);
QString fnLaSalvar(CLScript& s, const QString& argumentos);
QString fnLaValorMudar(CLScript& s, const QString& argumentos);
QString fnLaTemColuna(CLScript& s, const QString& argumentos);
QString fnLaAjustarColunas(CLScript& s, const QString& argumentos);
QString fnLaQtdLinhas(CLScript& s, const QString& argumentos);
QString fnLaColunaLimpar(CLScript& s, const QString& argumentos);
QString fnLaColunaValor(CLScript& s, const QString& argumentos);
QString fnLaColunaApagar(CLScript& s, const QString& argumentos);

// Loads a list file into the engine's table with its first line as titles
// ("OK"/"FALHA"); the path is already resolved.
QString abrirListaComTitulos(CLScript& s, const QString& caminho);
// Writes the full data table to `caminho` as a list file. False when the
// user cancelled from the progress window (nothing is written then).
bool salvarTabela(CLScript& s, const QString& caminho);

}  // namespace mivo
