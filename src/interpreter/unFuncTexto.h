#pragma once
// The auxiliary text functions ("&Ta...") and the clipboard functions
// ("&Memoria...").

#include <QString>
#include <QStringList>

namespace mivo {

class CLScript;

QString fnTaPegarTudo(CLScript& s, const QString& argumentos);
QString fnTaLinhaPegar(CLScript& s, const QString& argumentos);
QString fnTaLinhaAdicionar(CLScript& s, const QString& argumentos);
QString fnTaLinhaApagar(CLScript& s, const QString& argumentos);
QString fnTaDefinir(CLScript& s, const QString& argumentos);
QString fnTaAbrir(CLScript& s, const QString& argumentos);
QString fnTaSalvar(CLScript& s, const QString& argumentos);
QString fnMemoriaDefinir(CLScript& s, const QString& argumentos);
QString fnMemoriaLer(CLScript& s, const QString& argumentos);
QString fnMemoriaCopiar(CLScript& s, const QString& argumentos);
QString fnMemoriaColar(CLScript& s, const QString& argumentos);

// Loads a text file into the auxiliary text ("OK"/"FALHA"); the path is
// already resolved.
QString abrirTextoAuxiliar(CLScript& s, const QString& caminho);
// Writes the auxiliary text as UTF-8 with a byte-order mark.
void salvarTextoAuxiliar(CLScript& s, const QString& caminho);
// The whole auxiliary text, each line followed by CR LF.
QString textoAuxiliarCompleto(const QStringList& linhas);

}  // namespace mivo
