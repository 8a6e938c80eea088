#include "unFuncTabela.h"

#include <QFileInfo>

#include "unArquivoLista.h"
#include "unCLErro.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QString kPastaListas = QStringLiteral("dados\\listas");

int coluna(const CLScript& s, const QString& argumentos) {
  return s.gGrid->colunaPorTitulo(aparar(leitura::getParamValue(argumentos)));
}

}  // namespace

QString fnLaInserirColunas(CLScript& s, const QString& argumentos) {
  s.gGrid->inserirColunas(leitura::getParamValue(argumentos));
  return {};
}

QString fnLaInserirLinha(CLScript& s, const QString& argumentos) {
  const QString valores = s.expandirValor(leitura::getParamValue(argumentos));
  return s.gGrid->inserirLinha(valores) ? kOk : kFalha;
}

QString fnLaValor(CLScript& s, const QString& argumentos) {
  const int c = coluna(s, argumentos);
  return c < 0 ? QString() : s.expandirValor(s.gGrid->cell(c, s.gGrid->Row()));
}

QString fnLaIrLinha(CLScript& s, const QString& argumentos) {
  const QString texto = aparar(leitura::getParamValue(argumentos));
  bool ok = false;
  const int n = texto.toInt(&ok);
  if (!ok) throw CLErro(QStringLiteral("'%1' não é um número de linha válido").arg(texto));
  // The title row is never the current record.
  if (n < 1 || n > s.gGrid->RowCount() - 1) return kFalha;
  s.gGrid->setRow(n);
  return kOk;
}

QString fnLaProximaLinha(CLScript& s, const QString&) {
  CLGrade& g = *s.gGrid;
  if (g.Row() >= g.RowCount() - 1) return kFalha;
  g.setRow(g.Row() + 1);
  return kOk;
}

QString abrirListaComTitulos(CLScript& s, const QString& caminho) {
  if (!QFileInfo(caminho).isFile()) return kFalha;
  QString texto, erro;
  if (!lerArquivoTexto(caminho, texto, &erro)) throw CLErro(erro);
  CLLista& lista = s.host().lista();
  lista.gArquivo = caminho;
  s.host().showStatus(lista.gridDados);
  if (aparar(texto).isEmpty()) return kFalha;
  carregarComTitulos(*s.gGrid, texto, [&s](const QString& linha) { return s.expandirValor(linha); });
  return kOk;
}

QString fnLaAbrir(CLScript& s, const QString& argumentos) {
  const QString nome = s.expandirValor(leitura::getParamValue(argumentos));
  return abrirListaComTitulos(s, s.host().getBestPath(nome, kPastaListas, QString()));
}

bool salvarTabela(CLScript& s, const QString& caminho) {
  // Always the full table, never the filter view.
  QString erro;
  switch (salvarGrade(s.host().lista().gridDados, caminho, &s.host(), 1000, &erro)) {
    case Desfecho::Concluido: return true;
    case Desfecho::Cancelado:
      s.host().mostrarInformacao(QStringLiteral("Procedimento cancelado"));
      return false;
    case Desfecho::Falhou: break;
  }
  throw CLErro(erro);
}

QString fnLaSalvar(CLScript& s, const QString& argumentos) {
  const QString nome = s.expandirValor(leitura::getParamValue(argumentos));
  salvarTabela(s, s.host().getBestPath(nome, kPastaListas, QString()));
  return {};
}

QString fnLaValorMudar(CLScript& s, const QString& argumentos) {
  const QStringList a = leitura::getParams2(argumentos);
  if (a.size() < 2) {
    s.setErroFatal(s.linhaDeErro(QStringLiteral(" | LaValorMudar - Verifique a sintaxe de uso desta função.")));
    return {};
  }
  const int c = s.gGrid->colunaPorTitulo(leitura::getParamValue(a[0]));
  QString valor = leitura::getParamValue(a[1]);
  valor.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
  valor = s.expandirValor(valor);
  if (c < 0) return kFalha;
  s.gGrid->setCell(c, s.gGrid->Row(), valor);
  return kOk;
}

QString fnLaTemColuna(CLScript& s, const QString& argumentos) {
  const QString procurado = leitura::getParamValue(argumentos).toLower();
  const CLGrade& g = *s.gGrid;
  for (int c = 0; c < g.ColCount(); ++c)
    if (g.cell(c, 0).toLower() == procurado) return kOk;  // titles are not trimmed here
  return kFalha;
}

QString fnLaAjustarColunas(CLScript& s, const QString&) {
  CLGrade& g = *s.gGrid;
  s.host().ajustarColunas();
  // One trailing blank record goes per column fitted.
  for (int c = 0; c < g.ColCount(); ++c)
    if (g.RowCount() > 2 && g.linhaEmBranco(g.RowCount() - 1)) g.setRowCount(g.RowCount() - 1);
  return {};
}

QString fnLaQtdLinhas(CLScript& s, const QString&) { return QString::number(s.gGrid->RowCount() - 1); }

QString fnLaColunaLimpar(CLScript& s, const QString& argumentos) {
  const int c = coluna(s, argumentos);
  if (c < 0) return kFalha;
  s.gGrid->limparColuna(c);
  return kOk;
}

QString fnLaColunaValor(CLScript& s, const QString& argumentos) {
  const int c = coluna(s, argumentos);
  return c < 0 ? kFalha : s.gGrid->textoColuna(c);
}

QString fnLaColunaApagar(CLScript& s, const QString& argumentos) {
  const int c = coluna(s, argumentos);
  if (c < 0) return kFalha;
  s.gGrid->removerColuna(c);
  return kOk;
}

}  // namespace mivo
