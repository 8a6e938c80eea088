#pragma once
// Windows, pictures, messages and the workbench's tabs: finding, waiting for,
// activating, maximising and placing the windows of other programs, copying
// a picture file to the clipboard, messages and tips, and "&MivoAbaClicar".

#include <QString>

namespace mivo {

class CLScript;

QString fnJanelaAtivaTexto(CLScript& s, const QString& argumentos);
QString fnJanelaAtivaAguardar(CLScript& s, const QString& argumentos);
QString fnJanelaAtivaMaximizar(CLScript& s, const QString& argumentos);
QString fnJanelaAtivaPosicionar(CLScript& s, const QString& argumentos);
QString fnJanelaAtivar(CLScript& s, const QString& argumentos);
QString fnJanelaAtivarExe(CLScript& s, const QString& argumentos);
QString fnImagemArquivoCopiar(CLScript& s, const QString& argumentos);
QString fnMsgExibir(CLScript& s, const QString& argumentos);
QString fnMsgDica(CLScript& s, const QString& argumentos);
QString fnMivoAbaClicar(CLScript& s, const QString& argumentos);

}  // namespace mivo
