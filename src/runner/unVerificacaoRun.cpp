#include "unVerificacaoRun.h"

#include "unCLCargaLista.h"
#include "unCLNegOffice.h"
#include "unSecoesScript.h"
#include "unUtil.h"

namespace mivo {

namespace {

// The titles of a list file (its first record, as the loader reads it; a
// spreadsheet's first row); empty when it cannot be read.
QStringList titulosDoArquivo(const QString& caminho) {
  if (caminho.isEmpty()) return {};
  QStringList titulos;
  if (CLNegOffice::ehPlanilha(caminho))
    CLNegOffice().lerTitulos(caminho, titulos);
  else
    titulos = titulosDaLista(caminho);
  return titulos;
}

}  // namespace

std::optional<QStringList> colunasDoScript(const QStringList& documento, const QString& lista,
                                           const QStringList* titulosDaLista) {
  std::optional<QStringList> colunas;
  auto acrescentar = [&](const QStringList& titulos) {
    if (!colunas) colunas = QStringList();
    *colunas += titulos;
  };
  if (titulosDaLista)
    acrescentar(*titulosDaLista);
  else if (!lista.isEmpty())
    acrescentar(titulosDoArquivo(lista));
  for (const QString& linha : definirConfig(documento, QStringLiteral("##pre_carregar"), true)) {
    const qsizetype igual = linha.indexOf(u'=');
    if (igual < 0) continue;
    const QString chave = aparar(linha.left(igual)).toLower();
    const QString valor = aparar(linha.mid(igual + 1));
    if (chave == QLatin1String("pre_lista"))
      acrescentar(titulosDoArquivo(getBestPath(valor, QStringLiteral("dados\\listas"))));
    else if (chave == QLatin1String("pre_colunas"))
      acrescentar(QString(valor).replace(u',', u';').split(u';'));
  }
  return colunas;
}

QList<CLAchado> verificarParaRodar(const QStringList& documento, const QString& lista,
                                   const QStringList* titulosDaLista) {
  CLContextoVerificacao contexto;
  contexto.colunas = colunasDoScript(documento, lista, titulosDaLista);
  return verificarScript(documento, contexto);
}

}  // namespace mivo
