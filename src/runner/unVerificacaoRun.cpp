#include "unVerificacaoRun.h"

#include "unArquivoLista.h"
#include "unCLNegOffice.h"
#include "unSecoesScript.h"
#include "unUtil.h"

namespace mivo {

namespace {

// The titles of a list file (its first line, split as the loader splits
// titles; a spreadsheet's first row); empty when it cannot be read.
QStringList titulosDoArquivo(const QString& caminho) {
  QStringList titulos;
  if (!caminho.isEmpty() && CLNegOffice::ehPlanilha(caminho)) {
    CLNegOffice().lerTitulos(caminho, titulos);
    return titulos;
  }
  QString texto;
  if (caminho.isEmpty() || !lerArquivoTexto(caminho, texto)) return {};
  const qsizetype fim = texto.indexOf(u'\n');
  QString primeira = fim < 0 ? texto : texto.left(fim);
  primeira.replace(u',', u';');
  for (const QString& t : primeira.split(u';')) titulos << aparar(t);
  return titulos;
}

}  // namespace

std::optional<QStringList> colunasDoScript(const QStringList& documento, const QString& lista) {
  std::optional<QStringList> colunas;
  auto acrescentar = [&](const QStringList& titulos) {
    if (!colunas) colunas = QStringList();
    *colunas += titulos;
  };
  if (!lista.isEmpty()) acrescentar(titulosDoArquivo(lista));
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

QList<CLAchado> verificarParaRodar(const QStringList& documento, const QString& lista) {
  CLContextoVerificacao contexto;
  contexto.colunas = colunasDoScript(documento, lista);
  return verificarScript(documento, contexto);
}

}  // namespace mivo
