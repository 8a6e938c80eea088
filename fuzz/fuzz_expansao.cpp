// Fuzz target: value expansion. The input is a script: each of its first
// lines is expanded as a value and as a text (the calls written in it run,
// its [variables] and {columns} are filled in) and compared as the test of
// "&Se", on a host with a virtual clock and a simulated desktop, within the
// host's budget.

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
  CLScript& script = motor.script;
  fuzz::CLHostFuzz& host = motor.host;
  script.valores().acrescentar(QStringLiteral("nome"), QStringLiteral("[x]"));
  (void)executarProtegido(host, [&] {
    for (int i = 0; i < linhas.size() && i < fuzz::kMaxLinhasLidas && !host.esgotado(); ++i) {
      (void)script.expandirValor(linhas[i]);
      (void)script.expandirValor(linhas[i], true);
      (void)script.testeLogico(linhas[i]);
    }
  });
  return 0;
}
