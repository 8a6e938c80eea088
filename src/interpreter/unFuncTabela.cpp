#include "unFuncTabela.h"

#include <QFileInfo>

#include "unArquivoLista.h"
#include "unCLErro.h"
#include "unCLLista.h"
#include "unCLNegOffice.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unCLInstrucao.h"
#include "unUtil.h"

namespace mivo {

namespace {

const QString kPastaListas = QStringLiteral("dados\\listas");

int coluna(const CLScript& s, const CLArgumentos& a) { return s.grade().colunaPorTitulo(a[0]); }

}  // namespace

QString fnLaInserirColunas(CLScript& s, const CLArgumentos& a) {
  s.grade().inserirColunas(a[0]);
  return {};
}

QString fnLaInserirLinha(CLScript& s, const CLArgumentos& a) {
  return s.grade().inserirLinha(a[0]) ? kOk : kFalha;
}

QString fnLaValor(CLScript& s, const CLArgumentos& a) {
  const int c = coluna(s, a);
  // The cell is data: given as it is, never run or expanded.
  return c < 0 ? QString() : s.grade().cell(c, s.grade().Row());
}

QString fnLaIrLinha(CLScript& s, const CLArgumentos& a) {
  const QString& texto = a[0];
  bool ok = false;
  const int n = texto.toInt(&ok);
  if (!ok) throw CLErro(QStringLiteral("'%1' não é um número de linha válido").arg(texto));
  // The title row is never the current record.
  if (n < 1 || n > s.grade().RowCount() - 1) return kFalha;
  s.grade().setRow(n);
  return kOk;
}

QString fnLaProximaLinha(CLScript& s, const CLArgumentos&) {
  CLGrade& g = s.grade();
  if (g.Row() >= g.RowCount() - 1) return kFalha;
  g.setRow(g.Row() + 1);
  return kOk;
}

// A spreadsheet goes through the importer: the table is replaced only
// when something was read, and it belongs to no file afterwards (saving
// must never write list text over the spreadsheet).
QString importarPlanilha(CLScript& s, const QString& caminho) {
  CLHost& host = s.host();
  CLAmbienteImportacao ambiente;
  ambiente.progresso = &host;
  ambiente.informar = [&host](const QString& aviso) { host.mostrarInformacao(aviso); };
  const ResultadoImportacao r = CLNegOffice().importar(caminho, ambiente, s.grade());
  CLLista& lista = host.lista();
  if (r.desfecho == Desfecho::Falhou) throw CLErro(r.mensagem);
  lista.gArquivo.clear();
  host.showStatus(lista.gridDados);
  if (r.desfecho == Desfecho::Cancelado) {
    host.mostrarInformacao(r.mensagem);
    return kFalha;
  }
  return kOk;
}

QString abrirListaComTitulos(CLScript& s, const QString& caminho) {
  if (!QFileInfo(caminho).isFile()) return kFalha;
  if (CLNegOffice::ehPlanilha(caminho)) return importarPlanilha(s, caminho);
  QString erro;
  const std::optional<bool> carregada = carregarArquivoComTitulos(s.grade(), caminho, &erro);
  if (!carregada) throw CLErro(erro);
  CLLista& lista = s.host().lista();
  lista.gArquivo = caminho;
  s.host().showStatus(lista.gridDados);
  return *carregada ? kOk : kFalha;
}

QString fnLaAbrir(CLScript& s, const CLArgumentos& a) {
  return abrirListaComTitulos(s, s.host().getBestPath(a[0], kPastaListas, QString()));
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

QString fnLaSalvar(CLScript& s, const CLArgumentos& a) {
  salvarTabela(s, s.host().getBestPath(a[0], kPastaListas, QString()));
  return {};
}

QString fnLaValorMudar(CLScript& s, const CLArgumentos& a) {
  const int c = s.grade().colunaPorTitulo(a[0]);
  QString valor = a[1];
  valor.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
  valor = s.expandirValor(valor);
  if (c < 0) return kFalha;
  s.grade().setCell(c, s.grade().Row(), valor);
  return kOk;
}

QString fnLaTemColuna(CLScript& s, const CLArgumentos& a) {
  const QString procurado = a[0].toLower();
  const CLGrade& g = s.grade();
  for (int c = 0; c < g.ColCount(); ++c)
    if (g.cell(c, 0).toLower() == procurado) return kOk;  // titles are not trimmed here
  return kFalha;
}

QString fnLaAjustarColunas(CLScript& s, const CLArgumentos&) {
  CLGrade& g = s.grade();
  s.host().ajustarColunas();
  // One trailing blank record goes per column fitted.
  for (int c = 0; c < g.ColCount(); ++c)
    if (g.RowCount() > 2 && g.linhaEmBranco(g.RowCount() - 1)) g.setRowCount(g.RowCount() - 1);
  return {};
}

QString fnLaQtdLinhas(CLScript& s, const CLArgumentos&) { return QString::number(s.grade().RowCount() - 1); }

QString fnLaColunaLimpar(CLScript& s, const CLArgumentos& a) {
  const int c = coluna(s, a);
  if (c < 0) return kFalha;
  s.grade().limparColuna(c);
  return kOk;
}

QString fnLaColunaValor(CLScript& s, const CLArgumentos& a) {
  const int c = coluna(s, a);
  return c < 0 ? kFalha : s.grade().textoColuna(c);
}

QString fnLaColunaApagar(CLScript& s, const CLArgumentos& a) {
  const int c = coluna(s, a);
  if (c < 0) return kFalha;
  s.grade().removerColuna(c);
  return kOk;
}

}  // namespace mivo
