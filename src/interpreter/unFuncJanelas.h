#pragma once
// Windows, pictures, messages and the workbench's tabs: finding, waiting for,
// activating, maximising and placing the windows of other programs, copying
// a picture file to the clipboard, messages and tips, and "&MivoAbaClicar".

#include <QString>

#include "unCLDesktop.h"

namespace mivo {

class CLScript;
struct CLArgumentos;

// Mivo's own windows (the workbench, its dialogs and bars: this process's)
// are never what a script looks for. A script saved as
// "whatsapp_envio.mivo" puts "whatsapp" into the workbench's caption, and
// activating the workbench would send the messages into Mivo itself.
bool processoDoMivo(ProcessoId processo);
bool janelaDoMivo(const CLDesktop& desktop, JanelaId janela);

QString fnJanelaAtivaTexto(CLScript& s, const CLArgumentos& a);
QString fnJanelaAtivaAguardar(CLScript& s, const CLArgumentos& a);
QString fnJanelaAtivaMaximizar(CLScript& s, const CLArgumentos& a);
QString fnJanelaAtivaPosicionar(CLScript& s, const CLArgumentos& a);
QString fnJanelaAtivar(CLScript& s, const CLArgumentos& a);
QString fnJanelaAtivarExe(CLScript& s, const CLArgumentos& a);
QString fnImagemArquivoCopiar(CLScript& s, const CLArgumentos& a);
QString fnMsgExibir(CLScript& s, const CLArgumentos& a);
QString fnMsgDica(CLScript& s, const CLArgumentos& a);
QString fnMivoAbaClicar(CLScript& s, const CLArgumentos& a);

}  // namespace mivo
