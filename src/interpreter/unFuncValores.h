#pragma once
// Variables, values and pauses: define, ask, read, load, increment and edit
// variables; date, time and greeting; expansion off and on; pauses.

#include <QString>

namespace mivo {

class CLScript;

QString fnValorDefinir(CLScript& s, const QString& argumentos);
QString fnValorPedir(CLScript& s, const QString& argumentos);
QString fnValor(CLScript& s, const QString& argumentos);
QString fnValordoArquivo(CLScript& s, const QString& argumentos);
QString fnValorInc(CLScript& s, const QString& argumentos);
QString fnValorSubstituir(CLScript& s, const QString& argumentos);
QString fnData(CLScript& s, const QString& argumentos);
QString fnHora(CLScript& s, const QString& argumentos);
QString fnSaudacao(CLScript& s, const QString& argumentos);
QString fnParametrosDesativar(CLScript& s, const QString& argumentos);
QString fnParametrosAtivar(CLScript& s, const QString& argumentos);
QString fnPausar(CLScript& s, const QString& argumentos);
QString fnPausar100(CLScript& s, const QString& argumentos);
QString fnPausaPadrao(CLScript& s, const QString& argumentos);

// The greeting for an hour of the day: "bom dia", "boa tarde" or "boa noite".
QString saudacaoPara(int hora);

}  // namespace mivo
