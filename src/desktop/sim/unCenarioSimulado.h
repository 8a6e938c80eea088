#pragma once
// Reads a simulated desktop's starting state from a JSON scenario file (the
// format is described in CENARIO.md beside this file).

#include <QByteArray>
#include <QString>

#include "unEstadoSimulado.h"

namespace mivo {

// Reads the scenario file at `caminho` into `cenario`. On failure returns
// false, leaves `cenario` untouched and puts a message in Portuguese in `erro`.
bool lerCenarioSimulado(const QString& caminho, CenarioSimulado& cenario, QString* erro = nullptr);
// The same for a scenario already in memory.
bool lerCenarioSimuladoJson(const QByteArray& json, CenarioSimulado& cenario,
                            QString* erro = nullptr);

}  // namespace mivo
