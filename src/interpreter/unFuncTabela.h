#pragma once
// The data table functions ("&La..."): columns, records, the current record,
// loading and saving list files.

#include <QString>

namespace mivo {

class CLScript;
struct CLArgumentos;
class CLGrade;

QString fnLaInserirColunas(CLScript& s, const CLArgumentos& a);
QString fnLaInserirLinha(CLScript& s, const CLArgumentos& a);
QString fnLaValor(CLScript& s, const CLArgumentos& a);
QString fnLaIrLinha(CLScript& s, const CLArgumentos& a);
QString fnLaProximaLinha(CLScript& s, const CLArgumentos& a);
QString fnLaAbrir(CLScript& s, const CLArgumentos& a);
QString fnLaSalvar(CLScript& s, const CLArgumentos& a);
QString fnLaValorMudar(CLScript& s, const CLArgumentos& a);
QString fnLaTemColuna(CLScript& s, const CLArgumentos& a);
QString fnLaAjustarColunas(CLScript& s, const CLArgumentos& a);
QString fnLaQtdLinhas(CLScript& s, const CLArgumentos& a);
QString fnLaColunaLimpar(CLScript& s, const CLArgumentos& a);
QString fnLaColunaValor(CLScript& s, const CLArgumentos& a);
QString fnLaColunaApagar(CLScript& s, const CLArgumentos& a);

// Loads a list file into the engine's table with its first line as titles
// ("OK"/"FALHA"); the path is already resolved.
QString abrirListaComTitulos(CLScript& s, const QString& caminho);
// Writes the full data table to `caminho` as a list file. False when the
// user cancelled from the progress window (nothing is written then).
bool salvarTabela(CLScript& s, const QString& caminho);

}  // namespace mivo
