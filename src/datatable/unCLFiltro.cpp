#include "unCLFiltro.h"

#include <algorithm>
#include <atomic>

#include "unCLGrade.h"
#include "unEmDuasPartes.h"
#include "unCLLeitorLista.h"
#include "unCLLista.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr int kMinimoProgresso = 20000;
constexpr int kPassoProgresso = 1000;

// Lower case in place. Portuguese has no casing rules of its own, so the
// Unicode default is pt-BR's; ASCII (most of a contact list) is done here
// without a copy.
void minusculas(QString& texto) {
  QChar* p = texto.data();
  for (qsizetype i = 0, n = texto.size(); i < n; ++i) {
    const char16_t c = p[i].unicode();
    if (c >= 0x80) {
      texto = std::move(texto).toLower();
      return;
    }
    if (c >= u'A' && c <= u'Z') p[i] = QChar(char16_t(c + 32));
  }
}

void mostrarStatus(CLLista& lista) {
  if (lista.aoMostrarStatus) lista.aoMostrarStatus(*lista.gGrid);
}

}  // namespace

Desfecho filtrarGrid(CLLista& lista, const QString& valor, bool termoExato,
                     CLProgresso* progresso) {
  // Filtering again while the view shows edits: they go back first, or the
  // new view would drop them.
  if (lista.filtroVisivel()) filtroSalvarDados(lista);
  const CLGrade& d = lista.gridDados;
  QString procurado = valor;
  minusculas(procurado);
  const QStringView exato = apararVista(procurado);
  const int n = d.RowCount() - 1;
  if (n < kMinimoProgresso) progresso = nullptr;
  if (progresso)
    progresso->progressoAbrir(QStringLiteral("Filtrando dados..."), n / kPassoProgresso,
                              QStringLiteral("Total de registros: ") + formatarContagem(n),
                              QString(), QString());

  // The row text (cells as lines) of each record, lower-cased, in one
  // buffer reused from record to record; a big table is shared between this
  // thread and a helper (only this one talks to the progress).
  std::atomic<bool> cancelado = false;
  auto procurar = [&](int de, int ate, QList<int>& achados, CLProgresso* p) {
    if (!termoExato && procurado.isEmpty()) return;  // matches nothing
    QString linha;
    linha.reserve(256);
    for (int r = de; r < ate; ++r) {
      if (p && (r - de) % kPassoProgresso == 0) {
        p->progressoPasso(QStringLiteral("Processados: ") +
                          formatarContagem(qint64(n) / (ate - de) * (r - de)));
        if (p->progressoCancelado()) cancelado = true;
      }
      if (cancelado) return;
      linha.clear();
      for (int c = 0; c < d.ColCount(); ++c) {
        linha += d.celula(c, r);
        linha += QLatin1String("\r\n");
      }
      minusculas(linha);
      if (termoExato ? apararVista(linha) == exato : linha.contains(procurado)) achados.append(r);
    }
  };
  QList<int> achados, daSegunda;
  const int meio = n >= 2 * kMinimoProgresso ? 1 + n / 2 : n + 1;
  emDuasPartes(
      meio <= n, [&] { procurar(meio, n + 1, daSegunda, nullptr); }, [&] { procurar(1, meio, achados, progresso); });
  if (cancelado) {
    progresso->progressoFechar();
    return Desfecho::Cancelado;
  }
  achados += daSegunda;

  CLGrade& v = lista.gridFiltro;
  {
    CLGrade::Lote lote(v);
    v.setRowCount(2);
    v.setColCount(d.ColCount() + 1);
    v.setLinhaInteira(1, {});
    QStringList titulos = d.celulasLinha(0);
    titulos.prepend(filtro::tituloLinha());
    v.setLinhaInteira(0, titulos);
    v.setRowCount(1 + std::max(1, static_cast<int>(achados.size())));
    for (int k = 0; k < achados.size(); ++k) {
      QStringList celulas = d.celulasLinha(achados[k]);
      celulas.prepend(QString::number(achados[k]));
      v.setLinhaInteira(k + 1, celulas);
    }
    v.setRow(1);
    v.setCol(std::min(1, v.ColCount() - 1));
  }
  lista.gGrid = &v;
  lista.gFiltroEditedLine = 0;
  lista.gFiltroPendentes.clear();
  if (progresso) progresso->progressoFechar();
  mostrarStatus(lista);
  return Desfecho::Concluido;
}

void filtroIniciarEdicao(CLLista& lista, int linhaView) {
  if (!lista.filtroVisivel() || linhaView < 1 || linhaView >= lista.gridFiltro.RowCount()) return;
  lista.gFiltroEditedLine = linhaView;
  lista.gFiltroPendentes.append(linhaView);
}

void filtroEditarCelula(CLLista& lista, int col, int linhaView, const QString& texto) {
  if (!lista.filtroVisivel()) return;
  lista.gridFiltro.setCell(col, linhaView, texto);
  filtroIniciarEdicao(lista, linhaView);
}

bool filtroPendente(const CLLista& lista) {
  return lista.gFiltroEditedLine > 0 || !lista.gFiltroPendentes.isEmpty();
}

bool filtroSalvarLinha(CLLista& lista, int linhaView) {
  const CLGrade& v = lista.gridFiltro;
  CLGrade& d = lista.gridDados;
  if (linhaView < 1 || linhaView >= v.RowCount()) return false;
  // Only the number of a record: a title row or a row past the end would
  // take a record's cells somewhere they do not belong.
  bool ok = false;
  const int alvo = aparar(v.cell(0, linhaView)).toInt(&ok);
  if (!ok || alvo < 1 || alvo >= d.RowCount()) return false;
  QStringList celulas = v.celulasLinha(linhaView);
  celulas.removeFirst();
  d.setLinhaInteira(alvo, celulas);
  return true;
}

int filtroSalvarDados(CLLista& lista) {
  QList<int> linhas = std::move(lista.gFiltroPendentes);
  lista.gFiltroPendentes.clear();
  if (lista.gFiltroEditedLine > 0) linhas.append(lista.gFiltroEditedLine);
  lista.gFiltroEditedLine = 0;
  if (linhas.isEmpty()) return 0;
  std::sort(linhas.begin(), linhas.end());
  linhas.erase(std::unique(linhas.begin(), linhas.end()), linhas.end());
  int escritas = 0;
  {
    CLGrade::Lote lote(lista.gridDados);
    for (int r : linhas)
      if (filtroSalvarLinha(lista, r)) ++escritas;
  }
  if (escritas > 0) lista.gEditou = true;
  return escritas;
}

void desfazerFiltro(CLLista& lista, bool aplicar) {
  if (aplicar) filtroSalvarDados(lista);
  lista.gFiltroPendentes.clear();
  lista.gFiltroEditedLine = 0;
  if (lista.filtroVisivel()) {
    lista.gGrid = &lista.gridDados;
    // The hidden view keeps no copy of the records.
    CLGrade& v = lista.gridFiltro;
    CLGrade::Lote lote(v);
    v.setRowCount(2);
    v.limparCelulas();
  }
  mostrarStatus(lista);
}

std::optional<Destaque> destaqueFiltro(QStringView textoCelula, QStringView filtroTexto) {
  if (filtroTexto.isEmpty()) return std::nullopt;
  const qsizetype pos = textoCelula.indexOf(filtroTexto, 0, Qt::CaseInsensitive);
  if (pos < 0) return std::nullopt;
  return Destaque{pos, filtroTexto.size()};
}

std::optional<int> irParaLinha(const CLGrade& grade, const QString& resposta) {
  bool ok = false;
  const int linha = aparar(resposta).toInt(&ok);
  if (!ok || linha < 1 || linha >= grade.RowCount()) return std::nullopt;
  return linha;
}

Selecao marcarTudo(const CLGrade& grade) {
  return {0, 1, grade.ColCount() - 1, grade.RowCount() - 1};
}

Selecao desmarcarTudo(CLLista& lista) {
  lista.gMarcados = 0;
  return {};
}

void cancelarMarcados(CLLista& lista) { lista.gMarcados = 0; }

QString listarDados(const CLGrade& grade) {
  QString texto;
  for (int r = 0; r < grade.RowCount(); ++r) {
    if (r > 0) texto += QLatin1String("\r\n");
    for (int c = 0; c < grade.ColCount(); ++c) {
      if (c > 0) texto += u';';
      texto += grade.celula(c, r);
    }
  }
  return texto;
}

QString textoDetalheCelula(const QString& celula) {
  QString texto = celula;
  texto.replace(QLatin1String("\\n"), QLatin1String("\n"), Qt::CaseInsensitive);
  return texto;
}

}  // namespace mivo
