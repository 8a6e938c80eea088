#pragma once
// Variables, values and pauses: define, ask, read, load, increment and edit
// variables; date, time and greeting; expansion off and on; pauses.

#include <QString>

namespace mivo {

class CLScript;
struct CLArgumentos;

QString fnValorDefinir(CLScript& s, const CLArgumentos& a);
QString fnValorPedir(CLScript& s, const CLArgumentos& a);
QString fnValor(CLScript& s, const CLArgumentos& a);
QString fnValordoArquivo(CLScript& s, const CLArgumentos& a);
QString fnValorInc(CLScript& s, const CLArgumentos& a);
QString fnValorSubstituir(CLScript& s, const CLArgumentos& a);
QString fnData(CLScript& s, const CLArgumentos& a);
QString fnHora(CLScript& s, const CLArgumentos& a);
QString fnSaudacao(CLScript& s, const CLArgumentos& a);
QString fnParametrosDesativar(CLScript& s, const CLArgumentos& a);
QString fnParametrosAtivar(CLScript& s, const CLArgumentos& a);
QString fnPausar(CLScript& s, const CLArgumentos& a);
QString fnPausar100(CLScript& s, const CLArgumentos& a);
QString fnPausaPadrao(CLScript& s, const CLArgumentos& a);

// The greeting for an hour of the day: "bom dia", "boa tarde" or "boa noite".
QString saudacaoPara(int hora);

}  // namespace mivo
