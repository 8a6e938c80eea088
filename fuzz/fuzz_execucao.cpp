// Fuzz target: a short run of the run loop. The input is a script: it runs
// whole, as mivo-run runs it (a fresh engine on the data table), on a host
// with a virtual clock and a simulated desktop, within the host's budget.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "unApoioFuzz.h"
#include "unCLExecucao.h"
#include "unCLScript.h"

using namespace mivo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QString texto = fuzz::texto(dados, tamanho);
  const QStringList linhas = dividirLinhas(texto);
  fuzz::CLScriptFuzz motor(texto);
  prepararInicio(motor.script, linhas);
  (void)rodarScript(motor.script);
  return 0;
}
