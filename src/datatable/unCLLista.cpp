#include "unCLLista.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "unCLLeitorLista.h"
#include "unUtil.h"

namespace mivo {

CLLista::CLLista(QString arquivoRecentes) : gRecentes(std::move(arquivoRecentes)) {}

bool CLLista::estaSalvo() const { return !aparar(gArquivo).isEmpty() && !gEditou; }

bool CLLista::temDados() const {
  for (int r = 1; r < gridDados.RowCount(); ++r)
    if (!gridDados.linhaEmBranco(r)) return true;
  return false;
}

QString CLLista::pastaListas() {
  const QString pasta = QDir(pastaBase()).filePath(QStringLiteral("dados/listas"));
  QDir().mkpath(pasta);
  return pasta;
}

void CLLista::mostrarStatus(const CLGrade& grade) {
  if (aoMostrarStatus) aoMostrarStatus(grade);
}

void CLLista::gridZerar(bool limparColunas) {
  CLGrade& g = gridDados;
  CLGrade::Lote lote(g);
  const QStringList titulos = g.celulasLinha(0);
  g.limparCelulas();
  g.setRowCount(2);
  if (limparColunas)
    g.setColCount(2);
  else
    g.setLinhaInteira(0, titulos);
  g.setRow(1);
  g.setCol(0);
}

bool CLLista::colarCheck(QStringView texto, CLProgresso* progresso) {
  bool concluido = true;
  if (!apararVista(texto).isEmpty()) {
    CLGrade& g = gridDados;
    CLGrade::Lote lote(g);
    const qsizetype total = progresso ? contarLinhas(texto) : 0;
    if (progresso)
      progresso->progressoAbrir(QStringLiteral("Carregando dados..."), static_cast<int>(total / 10),
                                QStringLiteral("Total de registros: ") + formatarContagem(total),
                                QString(), QString());
    qsizetype i = 0;
    QList<QStringView> celulas;
    // Records are read one at a time, so the text is never held twice.
    CLLeitorLista().lerTexto(texto, [&](const QList<CampoLista>& campos) {
      celulas.resize(campos.size());
      for (qsizetype k = 0; k < campos.size(); ++k) celulas[k] = campos[k].texto;
      g.adicionarLinhaDe(celulas);
      gEditou = true;
      if (progresso) {
        if (i % 10 == 0) progresso->progressoPasso(QStringLiteral("Processados: ") + formatarContagem(i));
        if (progresso->progressoCancelado()) concluido = false;
      }
      ++i;
      return concluido;
    });
    if (concluido) {
      // The blank record of an emptied table is not data: drop it. A first
      // record that holds anything stays.
      if (g.RowCount() > 2 && g.linhaEmBranco(1)) g.removerLinhas(1, 1);
      g.setRow(1);
    }
    if (progresso) progresso->progressoFechar();
  }
  gArquivo.clear();
  mostrarStatus(gridDados);
  eliminarColunasVazias();
  return concluido;
}

void CLLista::eliminarColunasVazias() {
  CLGrade& g = gridDados;
  QList<int> brancas;
  for (int c = 0; c < g.ColCount(); ++c)
    if (g.colunaEmBranco(c)) brancas.append(c);
  // When every column is blank, the last one stays.
  if (brancas.size() == g.ColCount()) brancas.removeLast();
  g.removerColunas(brancas);
}

Desfecho CLLista::abrirArquivos(const QStringList& caminhos, bool descartarExistentes,
                                CLProgresso* progresso, QString* erro) {
  Desfecho desfecho = caminhos.isEmpty() ? Desfecho::Cancelado : Desfecho::Concluido;
  if (!caminhos.isEmpty() && descartarExistentes) gridZerar(true);
  for (const QString& caminho : caminhos) {
    if (progresso && progresso->progressoCancelado()) {
      desfecho = Desfecho::Cancelado;
      break;
    }
    QString texto;
    if (!lerArquivoTexto(caminho, texto, erro)) {
      desfecho = Desfecho::Falhou;
      break;
    }
    // The text trimmed without a copy of it: a big list is held once.
    const bool concluido = colarCheck(apararVista(texto), progresso);
    gRecentes.recentesAdd(caminho);
    if (!concluido) {
      desfecho = Desfecho::Cancelado;
      break;
    }
  }
  if (desfecho == Desfecho::Concluido) {
    gArquivo = caminhos.size() == 1 ? caminhos.first() : QString();
    gLastFile = gArquivo;
    gSortedColumn = 0;
    mostrarStatus(gridDados);
  }
  eliminarColunasVazias();
  gRecentes.recentesSave();
  return desfecho;
}

bool CLLista::abrirViaFilename(const QString& filename, QString* erro) {
  QString texto;
  if (!QFileInfo(filename).isFile()) {
    if (erro) *erro = QStringLiteral("O arquivo \"%1\" não existe").arg(filename);
    return false;
  }
  if (!lerArquivoTexto(filename, texto, erro)) return false;
  colarCheck(apararVista(texto));
  gRecentes.recentesAdd(filename);
  gArquivo = filename;
  gLastFile = filename;
  mostrarStatus(gridDados);
  return true;
}

Desfecho CLLista::salvarComo(const QString& arquivo, CLProgresso* progresso, QString* erro) {
  if (aparar(arquivo).isEmpty()) {
    if (erro) *erro = QStringLiteral("Informe o nome do arquivo da lista.");
    return Desfecho::Falhou;
  }
  const Desfecho d = salvarGrade(*gGrid, arquivo, progresso, 100, erro);
  if (d == Desfecho::Concluido) registrarGravacao(arquivo);
  return d;
}

void CLLista::registrarGravacao(const QString& arquivo) {
  constexpr int kMaxTitulosGravados = 10;
  gEditou = false;
  gRecentes.recentesAdd(arquivo);
  gRecentes.recentesSave();
  gArquivo = arquivo;
  gLastFile = arquivo;
  const QStringList titulos = gGrid->celulasLinha(0);
  gTitulosGravados.removeAll(titulos);
  gTitulosGravados.prepend(titulos);
  while (gTitulosGravados.size() > kMaxTitulosGravados) gTitulosGravados.removeLast();
  mostrarStatus(*gGrid);
}

QString CLLista::perguntaNovaLista() {
  return QStringLiteral(
      "As modificações atuais não estão salvas e serão descartadas. Deseja continuar?");
}

bool CLLista::novaLista(bool excluirColunas,
                        const std::function<bool(const QString&)>& confirmar) {
  if (temDados() && !(confirmar && confirmar(perguntaNovaLista()))) return false;
  gridZerar(excluirColunas);
  gLastFile.clear();
  gArquivo.clear();
  mostrarStatus(gridDados);
  return true;
}

void CLLista::novalinha(bool irColuna1) {
  const int r = gridDados.adicionarLinha();
  gridDados.setRow(r);
  if (irColuna1) gridDados.setCol(0);
  gEditou = true;
  mostrarStatus(gridDados);
}

void CLLista::novaColuna() {
  gridDados.setColCount(gridDados.ColCount() + 1);
  gridDados.setCol(gridDados.ColCount() - 1);
}

void CLLista::editarCelula(int col, int row, const QString& texto) {
  gridDados.setCell(col, row, texto);
  if (gArquivo.contains(QLatin1String("lastrecipients"))) gArquivo.clear();
  gEditou = true;
  mostrarStatus(gridDados);
}

void CLLista::linhaParaTitulos() {
  const int r = gridDados.Row();
  gridDados.setLinhaInteira(0, gridDados.celulasLinha(r));
  gridDados.removerLinhas(r, 1);
  gEditou = true;
  mostrarStatus(gridDados);
}

bool CLLista::podeDeletar(QString* erro) const {
  if (gGrid == &gridDados) return true;
  if (erro) *erro = QStringLiteral("Não é possível excluir dados filtrados");
  return false;
}

bool CLLista::deletarSelecionados(int topo, int base, QString* erro) {
  if (!podeDeletar(erro)) return false;
  if (topo > base) std::swap(topo, base);
  topo = std::max(topo, 1);
  base = std::min(base, gridDados.RowCount() - 1);
  if (base < topo) return true;
  gridDados.removerLinhas(topo, base - topo + 1);
  gridDados.setRow(std::min(topo, gridDados.RowCount() - 1));
  gEditou = true;
  mostrarStatus(gridDados);
  return true;
}

bool CLLista::deletarSelecionados(QList<int> linhas, QString* erro) {
  if (!podeDeletar(erro)) return false;
  linhas.removeIf([&](int r) { return r < 1 || r >= gridDados.RowCount(); });
  if (linhas.isEmpty()) return true;
  std::sort(linhas.begin(), linhas.end(), std::greater<int>());
  linhas.erase(std::unique(linhas.begin(), linhas.end()), linhas.end());
  {
    CLGrade::Lote lote(gridDados);
    for (int r : linhas) gridDados.removerLinhas(r, 1);
    gridDados.setRow(std::min(linhas.last(), gridDados.RowCount() - 1));
  }
  gEditou = true;
  mostrarStatus(gridDados);
  return true;
}

}  // namespace mivo
