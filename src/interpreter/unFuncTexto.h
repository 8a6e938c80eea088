#pragma once
// The auxiliary text functions ("&Ta...") and the clipboard functions
// ("&Memoria...").

#include <QString>
#include <QStringList>

namespace mivo {

class CLScript;
struct CLArgumentos;

QString fnTaPegarTudo(CLScript& s, const CLArgumentos& a);
QString fnTaLinhaPegar(CLScript& s, const CLArgumentos& a);
QString fnTaLinhaAdicionar(CLScript& s, const CLArgumentos& a);
QString fnTaLinhaApagar(CLScript& s, const CLArgumentos& a);
QString fnTaDefinir(CLScript& s, const CLArgumentos& a);
QString fnTaAbrir(CLScript& s, const CLArgumentos& a);
QString fnTaSalvar(CLScript& s, const CLArgumentos& a);
QString fnMemoriaDefinir(CLScript& s, const CLArgumentos& a);
QString fnMemoriaLer(CLScript& s, const CLArgumentos& a);
QString fnMemoriaCopiar(CLScript& s, const CLArgumentos& a);
QString fnMemoriaColar(CLScript& s, const CLArgumentos& a);

// Loads a text file into the auxiliary text ("OK"/"FALHA"); the path is
// already resolved.
QString abrirTextoAuxiliar(CLScript& s, const QString& caminho);
// Writes the auxiliary text as UTF-8 with a byte-order mark.
void salvarTextoAuxiliar(CLScript& s, const QString& caminho);
// The whole auxiliary text, each line followed by CR LF.
QString textoAuxiliarCompleto(const QStringList& linhas);

}  // namespace mivo
