#include "unCLNegOffice.h"

#include <QFileInfo>

#include "unCLLista.h"

namespace mivo {

namespace {

QString mensagemCancelada(int registros) {
  if (registros == 0) return QStringLiteral("Importação cancelada: nada foi importado e a tabela ficou como estava.");
  if (registros == 1) return QStringLiteral("Importação cancelada: o registro lido até aqui ficou na tabela.");
  return QStringLiteral("Importação cancelada: os %1 registros lidos até aqui ficaram na tabela.").arg(registros);
}

// Bytes a row takes in the table.
qint64 memoriaDaLinha(const CLLinhaGrade& linha) {
  qint64 caracteres = 0;
  for (int c = 0; c < linha.size(); ++c) caracteres += linha.celula(c).size();
  return CLLinhaGrade::memoria(linha.size(), caracteres);
}

}  // namespace

QString CLNegOffice::mensagemVariasPlanilhas() {
  return QStringLiteral("Verificamos que o arquivo tem mais de uma planilha. Apenas a primeira planilha será importada");
}

bool CLNegOffice::ehPlanilha(const QString& caminho) {
  const QString ext = QFileInfo(caminho).suffix().toLower();
  return ext == QLatin1String("xlsx") || ext == QLatin1String("xlsm") || ext == QLatin1String("ods") ||
         ext == QLatin1String("xls");
}

void substituirGrade(const CLGrade& origem, CLGrade& destino) {
  CLGrade::Lote lote(destino);
  destino.setRowCount(2);
  destino.limparCelulas();
  destino.setColCount(origem.ColCount());
  for (int c = 0; c < origem.ColCount(); ++c) destino.setCell(c, 0, origem.cell(c, 0));
  // The records go after the blank starter row, which then goes.
  for (int r = 1; r < origem.RowCount(); ++r) destino.adicionarLinha(origem.celulasLinha(r));
  destino.removerLinhas(1, 1);
  destino.setRow(1);
}

ResultadoImportacao CLNegOffice::importar(const QString& aFileName, const CLAmbienteImportacao& aAni, CLGrade& aGrid) {
  ResultadoImportacao r;
  CLProgresso* progresso = aAni.progresso;
  auto terminando = [&] { return aAni.terminando && aAni.terminando(); };
  auto cancelou = [&] { return progresso && progresso->progressoCancelado(); };
  // A failure leaves the table as it was, however many rows were read.
  auto falhar = [&](const QString& mensagem) {
    if (progresso) progresso->progressoFechar();
    r.desfecho = Desfecho::Falhou;
    r.registros = r.colunas = 0;
    r.mensagem = mensagem;
    return r;
  };
  auto cancelar = [&] {
    if (progresso) progresso->progressoFechar();
    r.desfecho = Desfecho::Cancelado;
    r.mensagem = mensagemCancelada(0);
    return r;
  };
  const QString aguarde = QStringLiteral("Aguarde...");

  // Opening the workbook.
  if (progresso) progresso->progressoAbrir(QStringLiteral("Abrindo arquivo..."), 1, aguarde, QString(), QString());
  QString erro;
  std::unique_ptr<CLLeitorPlanilha> leitor = criarLeitorPlanilha(aFileName, gLimites, erro);
  if (!leitor || !leitor->abrir(erro)) return falhar(erro);
  if (progresso) progresso->progressoPasso(QString());
  if (leitor->qtdPlanilhas() > 1 && aAni.informar) aAni.informar(mensagemVariasPlanilhas());

  // The titles: row 1, from column A up to the first empty cell.
  if (progresso)
    progresso->progressoAbrir(QStringLiteral("identificando colunas..."), 1, aguarde, QString(), QString());
  if (!leitor->prepararPrimeira([&] { return cancelou() || terminando(); }, erro))
    return erro.isEmpty() ? cancelar() : falhar(erro);
  int numero = 0;
  QStringList celulas;
  const bool temLinha = leitor->proximaLinha(numero, celulas, erro);
  if (!erro.isEmpty()) return falhar(erro);
  qsizetype qtdColunas = 0;
  if (temLinha && numero == 1)
    while (qtdColunas < std::min<qsizetype>(celulas.size(), gLimites.maxColunas) && !celulas[qtdColunas].isEmpty())
      ++qtdColunas;
  if (qtdColunas == 0)
    return falhar(QStringLiteral("A primeira linha da planilha está vazia. Ela precisa ter o nome das colunas, "
                                 "a partir da coluna A."));
  leitor->limitarColunas(int(qtdColunas));
  leitor->limitarMemoriaDaLinha(gLimites.maxMemoriaLinhas);
  // The table's rows, titles first, built as the table keeps them: they go
  // into it whole at the end, without a copy.
  QList<CLLinhaGrade> linhas;
  celulas.resize(qtdColunas);
  // What the rows take as the table keeps them, the titles first: merged
  // ranges can make a row far bigger than the cells the file holds (the
  // titles may share one long text, counted before the row gets a copy of
  // each).
  qint64 caracteres = 0;
  for (const QString& t : std::as_const(celulas)) caracteres += t.size();
  qint64 memoria = CLLinhaGrade::memoria(qtdColunas, caracteres);
  if (memoria > gLimites.maxMemoriaLinhas) return falhar(mensagemGrandeDemais(gLimites));
  linhas.append(CLLinhaGrade(celulas));
  CLLinhaGrade linha;
  if (progresso) progresso->progressoPasso(QString());

  // The records: from row 2 down to the first row whose column A is empty.
  if (progresso)
    progresso->progressoAbrir(QStringLiteral("Lendo dados..."), std::max(gLimites.maxLinhas - 1, 1), aguarde,
                              QString(), QString());
  bool interrompido = false;
  for (int esperada = 2; esperada <= gLimites.maxLinhas; ++esperada) {
    if (terminando()) {
      interrompido = true;
      break;
    }
    if (!leitor->proximaLinhaCompacta(numero, linha, erro)) {
      if (!erro.isEmpty()) return falhar(erro);
      break;
    }
    // A row the file skips is an empty row.
    if (numero != esperada || linha.size() == 0 || linha.celula(0).isEmpty()) break;
    // Only the title columns; the table fills in the missing ones itself.
    if (linha.size() > qtdColunas) linha.resize(int(qtdColunas));
    memoria += memoriaDaLinha(linha);
    if (memoria > gLimites.maxMemoriaLinhas) return falhar(mensagemGrandeDemais(gLimites));
    linhas.append(std::move(linha));
    ++r.registros;
    if (progresso) {
      progresso->progressoPasso(QStringLiteral("Linhas lidas: ") + QString::number(numero));
      if (progresso->progressoCancelado()) {
        interrompido = true;
        break;
      }
    }
  }
  if (progresso) progresso->progressoFechar();
  leitor.reset();  // what it still holds goes before the table grows

  r.colunas = int(qtdColunas);
  if (interrompido) {
    r.desfecho = Desfecho::Cancelado;
    r.mensagem = mensagemCancelada(r.registros);
    if (r.registros == 0) {
      r.colunas = 0;
      return r;
    }
  } else {
    r.desfecho = Desfecho::Concluido;
  }
  aGrid.substituirLinhas(std::move(linhas), int(qtdColunas));
  return r;
}

bool CLNegOffice::openExcelToGrid(const QString& aFileName, const CLAmbienteImportacao& aAni, CLGrade& aGrid,
                                  QString* aMensagem) {
  const ResultadoImportacao r = importar(aFileName, aAni, aGrid);
  if (aMensagem) *aMensagem = r.mensagem;
  return r.desfecho == Desfecho::Concluido;
}

ResultadoImportacao CLNegOffice::importarParaLista(const QString& aFileName, const CLAmbienteImportacao& aAni,
                                                   CLLista& aLista) {
  const ResultadoImportacao r = importar(aFileName, aAni, aLista.gridDados);
  if (r.desfecho == Desfecho::Concluido || r.registros > 0) {
    aLista.gArquivo.clear();
    aLista.gLastFile.clear();
    aLista.gSortedColumn = 0;
    if (aLista.aoMostrarStatus) aLista.aoMostrarStatus(aLista.gridDados);
  }
  return r;
}

bool CLNegOffice::lerTitulos(const QString& aFileName, QStringList& titulos, QString* erro) {
  LimitesPlanilha limites = gLimites;
  limites.maxLinhas = 1;
  CLGrade grade;
  const ResultadoImportacao r = CLNegOffice(limites).importar(aFileName, {}, grade);
  if (erro) *erro = r.mensagem;
  if (r.desfecho != Desfecho::Concluido) return false;
  titulos = grade.celulasLinha(0);
  return true;
}

}  // namespace mivo
