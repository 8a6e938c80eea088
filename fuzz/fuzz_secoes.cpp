// Fuzz target: the header sections of a script and its start parameters.
// The input is a script document: each section is read, the pre-load
// section is applied to an engine (columns, list and text files in the
// sandbox) and the parameter lines are read and written back.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "unApoioFuzz.h"
#include "unCLExecucao.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unParametrosScript.h"
#include "unSecoesScript.h"

using namespace mivo;

namespace {

QStringList secao(const QStringList& documento, const char* nome, bool eliminarComentarios) {
  const QStringList linhas = definirConfig(documento, QString::fromLatin1(nome), eliminarComentarios);
  for (const QString& l : linhas) MIVO_FUZZ_EXIGIR(l == aparar(l));
  if (!linhas.isEmpty()) MIVO_FUZZ_EXIGIR(!linhas.first().isEmpty() && !linhas.last().isEmpty());
  return linhas;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  const QString texto = fuzz::texto(dados, tamanho);
  const QStringList documento = dividirLinhas(texto);

  (void)secao(documento, "##info", false);
  (void)secao(documento, "##config", true);
  const QStringList pre = secao(documento, "##pre_carregar", true);
  const QStringList linhasDosParametros = secao(documento, "##parametros", false);

  // Parameters: read, written as the ".params" file holds them, read again.
  const QList<ParametroScript> parametros = lerParametros(linhasDosParametros);
  for (const ParametroScript& p : parametros) {
    MIVO_FUZZ_EXIGIR(p.nome == aparar(p.nome) && !p.nome.contains(u'='));
    if (p.ehEscolha()) MIVO_FUZZ_EXIGIR(p.valor == p.opcoes.first());
  }
  const QStringList escritas = linhasParametros(parametros);
  MIVO_FUZZ_EXIGIR(escritas.size() == parametros.size());
  const QList<ParametroScript> relidos = lerParametros(escritas);
  for (qsizetype i = 0; i < relidos.size() && i < parametros.size(); ++i)
    MIVO_FUZZ_EXIGIR(relidos[i].nome == parametros[i].nome);
  for (const QString& l : documento.mid(0, 4)) (void)caminhoParametros(l);

  // The pre-load section, as opening the script applies it.
  fuzz::CLHostFuzz host;
  CLScript abertura(host);
  abertura.setGrade(*host.lista().gGrid);
  (void)executarProtegido(host, [&] { (void)rodarSecaoPre(abertura, pre); });
  return 0;
}
