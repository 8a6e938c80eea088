#pragma once
// Control flow: markers and jumps, conditions, the last result, blocks and
// shell commands.

#include <QString>

namespace mivo {

class CLScript;
struct CLArgumentos;

QString fnVaiPara(CLScript& s, const CLArgumentos& a);
QString fnSe(CLScript& s, const CLArgumentos& a);
QString fnSeResultado(CLScript& s, const CLArgumentos& a);
QString fnResultado(CLScript& s, const CLArgumentos& a);
QString fnBlocoExec(CLScript& s, const CLArgumentos& a);
QString fnBlocoFim(CLScript& s, const CLArgumentos& a);
QString fnExecutarComando(CLScript& s, const CLArgumentos& a);

}  // namespace mivo
