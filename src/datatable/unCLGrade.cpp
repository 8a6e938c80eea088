#include "unCLGrade.h"

#include <algorithm>

#include "unUtil.h"

namespace mivo {

namespace {

// How titles are compared: trimmed, without regard to case.
QString chaveDoTitulo(const QString& titulo) { return aparar(titulo).toLower(); }

bool mesmoTitulo(const QString& a, const QString& b) { return chaveDoTitulo(a) == chaveDoTitulo(b); }

}  // namespace

CLGrade::CLGrade() {
  gLinhas.resize(2);
  for (auto& l : gLinhas) l.resize(gColunas);
}

void CLGrade::setRowCount(int linhas) {
  linhas = std::max(linhas, 2);
  const int antes = RowCount();
  if (linhas > antes) {
    avisar([&](CLGradeObservador& o) { o.linhasAInserir(antes, linhas - 1); });
    gLinhas.resize(linhas);
    for (int r = antes; r < linhas; ++r) gLinhas[r].resize(gColunas);
    avisar([](CLGradeObservador& o) { o.linhasInseridas(); });
  } else if (linhas < antes) {
    avisar([&](CLGradeObservador& o) { o.linhasARemover(linhas, antes - 1); });
    gLinhas.resize(linhas);
    avisar([](CLGradeObservador& o) { o.linhasRemovidas(); });
    ajustarSelecao();
  }
}

void CLGrade::setColCount(int colunas) {
  colunas = std::max(colunas, 1);
  const int antes = gColunas;
  if (colunas == antes) return;
  if (colunas > antes)
    avisar([&](CLGradeObservador& o) { o.colunasAInserir(antes, colunas - 1); });
  else
    avisar([&](CLGradeObservador& o) { o.colunasARemover(colunas, antes - 1); });
  gColunas = colunas;
  for (auto& l : gLinhas) l.resize(gColunas);
  if (colunas > antes) {
    avisar([](CLGradeObservador& o) { o.colunasInseridas(); });
  } else {
    avisar([](CLGradeObservador& o) { o.colunasRemovidas(); });
    ajustarSelecao();
  }
}

QString CLGrade::cell(int col, int row) const {
  if (col < 0 || col >= gColunas || row < 0 || row >= RowCount()) return {};
  return gLinhas[row].at(col);
}

void CLGrade::setCell(int col, int row, const QString& valor) {
  if (col < 0 || col >= gColunas || row < 0 || row >= RowCount()) return;
  gLinhas[row].set(col, valor);
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(col, row, col, row); });
}

QStringList CLGrade::celulasLinha(int row) const {
  return (row < 0 || row >= RowCount()) ? QStringList() : gLinhas[row].lista();
}

QStringView CLGrade::celula(int col, int row) const {
  if (row < 0 || row >= RowCount()) return {};
  return gLinhas[row].celula(col);
}

void CLGrade::setRow(int row) {
  if (row < 1 || row >= RowCount() || row == gLinhaAtual) return;
  gLinhaAtual = row;
  avisar([&](CLGradeObservador& o) { o.selecaoAlterada(gColunaAtual, gLinhaAtual); });
}

void CLGrade::setCol(int col) {
  if (col < 0 || col >= gColunas || col == gColunaAtual) return;
  gColunaAtual = col;
  avisar([&](CLGradeObservador& o) { o.selecaoAlterada(gColunaAtual, gLinhaAtual); });
}

void CLGrade::ajustarSelecao() {
  const int linha = std::clamp(gLinhaAtual, 1, RowCount() - 1);
  const int coluna = std::clamp(gColunaAtual, 0, gColunas - 1);
  if (linha == gLinhaAtual && coluna == gColunaAtual) return;
  gLinhaAtual = linha;
  gColunaAtual = coluna;
  avisar([&](CLGradeObservador& o) { o.selecaoAlterada(gColunaAtual, gLinhaAtual); });
}

// --- Whole rows and columns -------------------------------------------------

void CLGrade::setLinhaInteira(int row, const QStringList& linhasRecebidas) {
  if (row < 0 || row >= RowCount()) return;
  QStringList celulas = linhasRecebidas.mid(0, gColunas);
  for (QString& c : celulas)
    if (c.isEmpty()) c = QStringLiteral(" ");
  celulas.resize(gColunas);
  gLinhas[row] = CLLinhaGrade(celulas);
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(0, row, gColunas - 1, row); });
}

void CLGrade::setColunaInteira(int col, const QStringList& linhasRecebidas) {
  if (col < 0 || col >= gColunas) return;
  const QStringList linhas = linhasRecebidas;
  for (int r = 0; r < RowCount(); ++r) {
    if (r >= linhas.size())
      gLinhas[r].set(col, {});
    else
      gLinhas[r].set(col, linhas[r].isEmpty() ? QStringLiteral(" ") : linhas[r]);
  }
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(col, 0, col, RowCount() - 1); });
}

QString CLGrade::textoLinha(int row) const {
  QString texto;
  if (row < 0 || row >= RowCount()) return texto;
  for (int c = 0; c < gColunas; ++c) {
    texto += gLinhas[row].celula(c);
    texto += QLatin1String("\r\n");
  }
  return texto;
}

QString CLGrade::textoColuna(int col) const {
  QString texto;
  if (col < 0 || col >= gColunas) return texto;
  for (const CLLinhaGrade& linha : gLinhas) {
    texto += linha.celula(col);
    texto += QLatin1String("\r\n");
  }
  return texto;
}

bool CLGrade::linhaEmBranco(int row) const {
  return row < 0 || row >= RowCount() || gLinhas[row].emBranco();
}

bool CLGrade::colunaEmBranco(int col) const {
  if (col < 0 || col >= gColunas) return true;
  return std::all_of(gLinhas.begin(), gLinhas.end(),
                     [col](const CLLinhaGrade& l) { return aparar(l.at(col)).isEmpty(); });
}

// --- Structure ----------------------------------------------------------------

int CLGrade::adicionarLinha() {
  setRowCount(RowCount() + 1);
  return RowCount() - 1;
}

int CLGrade::adicionarLinha(const QStringList& celulas) {
  QList<QStringView> vistas;
  vistas.reserve(celulas.size());
  for (const QString& c : celulas) vistas.append(c);
  return adicionarLinhaDe(vistas);
}

int CLGrade::adicionarLinhaDe(const QList<QStringView>& celulas) {
  if (celulas.size() > gColunas) setColCount(static_cast<int>(celulas.size()));
  const int r = RowCount();
  avisar([&](CLGradeObservador& o) { o.linhasAInserir(r, r); });
  if (celulas.size() == gColunas) {
    gLinhas.append(CLLinhaGrade::deCelulas(celulas));
  } else {
    QList<QStringView> completa = celulas;
    completa.resize(gColunas);
    gLinhas.append(CLLinhaGrade::deCelulas(completa));
  }
  avisar([](CLGradeObservador& o) { o.linhasInseridas(); });
  return r;
}

void CLGrade::acrescentarLinhas(QList<CLLinhaGrade>&& linhas) {
  if (linhas.isEmpty()) return;
  Lote lote(*this);
  int largura = gColunas;
  for (const CLLinhaGrade& l : linhas) largura = std::max(largura, l.size());
  setColCount(largura);
  auto ajustada = [this](CLLinhaGrade&& l) {
    if (l.size() != gColunas) l.resize(gColunas);
    return std::move(l);
  };
  qsizetype k = 0;
  if (RowCount() == 2 && linhaEmBranco(1)) gLinhas[1] = ajustada(std::move(linhas[k++]));
  gLinhas.reserve(gLinhas.size() + linhas.size() - k);
  for (; k < linhas.size(); ++k) gLinhas.append(ajustada(std::move(linhas[k])));
}

void CLGrade::removerLinhas(int primeira, int qtd) {
  primeira = std::max(primeira, 1);
  const int ultima = std::min(primeira + qtd, RowCount()) - 1;
  if (ultima < primeira) return;
  const int n = ultima - primeira + 1;
  avisar([&](CLGradeObservador& o) { o.linhasARemover(primeira, ultima); });
  gLinhas.remove(primeira, n);
  avisar([](CLGradeObservador& o) { o.linhasRemovidas(); });
  if (gLinhaAtual > ultima) gLinhaAtual -= n;
  if (RowCount() < 2) setRowCount(2);
  ajustarSelecao();
}

void CLGrade::incluirColuna(int posicao) {
  posicao = std::clamp(posicao, 0, gColunas);
  avisar([&](CLGradeObservador& o) { o.colunasAInserir(posicao, posicao); });
  for (auto& l : gLinhas) l.insert(posicao, QString());
  ++gColunas;
  avisar([](CLGradeObservador& o) { o.colunasInseridas(); });
}

void CLGrade::removerColuna(int col) {
  if (col < 0 || col >= gColunas) return;
  if (gColunas == 1) {
    Lote lote(*this);
    limparCelulas();
    return;
  }
  avisar([&](CLGradeObservador& o) { o.colunasARemover(col, col); });
  for (auto& l : gLinhas) l.removeAt(col);
  --gColunas;
  avisar([](CLGradeObservador& o) { o.colunasRemovidas(); });
  ajustarSelecao();
}

void CLGrade::removerColunas(const QList<int>& colunas) {
  if (colunas.isEmpty() || colunas.size() >= gColunas) return;
  Lote lote(*this);
  QList<QStringView> mantidas;
  mantidas.reserve(gColunas - colunas.size());
  for (auto& l : gLinhas) {
    mantidas.resize(0);
    qsizetype k = 0;
    for (int c = 0; c < gColunas; ++c) {
      if (k < colunas.size() && colunas[k] == c)
        ++k;
      else
        mantidas.append(l.celula(c));
    }
    l = CLLinhaGrade::deCelulas(mantidas);
  }
  gColunas -= int(colunas.size());
  ajustarSelecao();
}

void CLGrade::moverColuna(int de, int para) {
  if (de < 0 || de >= gColunas || para < 0 || para >= gColunas || de == para) return;
  Lote lote(*this);
  for (auto& l : gLinhas) l.move(de, para);
}

void CLGrade::limparColuna(int col) {
  if (col < 0 || col >= gColunas) return;
  for (int r = 1; r < RowCount(); ++r) gLinhas[r].set(col, {});
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(col, 1, col, RowCount() - 1); });
}

void CLGrade::limparCelulas() {
  for (auto& l : gLinhas) l = CLLinhaGrade(gColunas);
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(0, 0, gColunas - 1, RowCount() - 1); });
}

bool CLGrade::reordenarLinhas(const QList<int>& ordem) {
  const int n = RowCount() - 1;
  if (ordem.size() != n) return false;
  QList<bool> visto(n + 1, false);
  for (int r : ordem) {
    if (r < 1 || r > n || visto[r]) return false;
    visto[r] = true;
  }
  Lote lote(*this);
  QList<CLLinhaGrade> novas;
  novas.reserve(RowCount());
  novas.append(std::move(gLinhas[0]));
  for (int r : ordem) novas.append(std::move(gLinhas[r]));
  gLinhas = std::move(novas);
  return true;
}

// --- Columns by title ---------------------------------------------------------

const QHash<QString, int>& CLGrade::indiceTitulos() const {
  const CLLinhaGrade& titulos = gLinhas[0];
  if (gIndiceMontado && titulos.mesmoTexto(gIndiceFonte)) return gIndiceTitulos;
  gIndiceTitulos.clear();
  gIndiceTitulos.reserve(gColunas);
  for (int c = gColunas - 1; c >= 0; --c) gIndiceTitulos.insert(chaveDoTitulo(titulos.at(c)), c);
  gIndiceFonte = titulos;
  gIndiceMontado = true;
  return gIndiceTitulos;
}

int CLGrade::colunaPorTitulo(const QString& titulo) const {
  return indiceTitulos().value(chaveDoTitulo(titulo), -1);
}

QString CLGrade::valorAtual(const QString& titulo) const {
  const int c = colunaPorTitulo(titulo);
  return c < 0 ? QString() : cell(c, gLinhaAtual);
}

void CLGrade::adicionarColuna(const QString& titulo) {
  if (aparar(gLinhas[0].at(0)).isEmpty()) {
    setCell(0, 0, titulo);
    return;
  }
  if (gColunas < 2) setColCount(2);
  if (aparar(gLinhas[0].at(1)).isEmpty()) {
    setCell(1, 0, titulo);
    return;
  }
  setColCount(gColunas + 1);
  setCell(gColunas - 1, 0, titulo);
}

void CLGrade::inserirColunas(const QString& titulos) {
  QString texto = titulos;
  texto.replace(u',', u';');
  QStringList lista = texto.split(u';');
  for (QString& t : lista) t = aparar(t);
  inserirColunas(lista);
}

void CLGrade::inserirColunas(const QStringList& titulos) {
  const QStringList linha0 = titulosCom(titulos);
  if (linha0 == gLinhas[0].lista()) return;  // every title was there already
  if (linha0.size() > gColunas) setColCount(static_cast<int>(linha0.size()));
  gLinhas[0] = CLLinhaGrade(linha0);
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(0, 0, gColunas - 1, 0); });
}

QStringList CLGrade::titulosCom(const QStringList& lista) const {
  // The titles are placed on a copy of row 0, one by one as adicionarColuna
  // would place them, with an index of that copy kept in step.
  QStringList linha0 = gLinhas[0].lista();
  QHash<QString, int> indice = indiceTitulos();
  auto branco = [&](int c) { return aparar(linha0[c]).isEmpty(); };
  // The blank title's entry, after the column it named got a title.
  auto reindexarBranco = [&] {
    indice.remove(QString());
    for (int c = 0; c < linha0.size(); ++c)
      if (branco(c)) {
        indice.insert(QString(), c);
        break;
      }
  };
  for (const QString& titulo : lista) {
    const QString chave = chaveDoTitulo(titulo);
    if (indice.contains(chave)) continue;
    int c = -1;
    if (branco(0)) {
      c = 0;
    } else {
      if (linha0.size() < 2) {
        linha0.append(QString());
        if (!indice.contains(QString())) indice.insert(QString(), 1);
      }
      c = branco(1) ? 1 : static_cast<int>(linha0.size());
      if (c == linha0.size()) linha0.append(QString());
    }
    const bool eraBranco = indice.value(QString(), -1) == c;
    linha0[c] = titulo;
    indice.insert(chave, c);
    if (eraBranco && !chave.isEmpty()) reindexarBranco();
  }
  return linha0;
}

bool CLGrade::inserirLinha(const QString& valores, bool carga) {
  if (aparar(valores).isEmpty()) return true;
  return inserirCampos(valores.split(u';'), carga);
}

bool CLGrade::inserirCampos(QStringList lista, bool carga) {
  if (lista.isEmpty()) return true;
  for (QString& v : lista) v = aparar(v).replace(QLatin1String("\r\n"), QLatin1String("\\n"));
  // Empty values past the last column (a trailing ";") are no data.
  while (carga && lista.size() > gColunas && lista.last().isEmpty()) lista.removeLast();
  const int qtd = static_cast<int>(lista.size());

  // A line that only repeats the titles (the title line of a list read
  // again) is not a record.
  if (carga) {
    bool repeteTitulos = qtd <= gColunas;
    for (int k = 0; repeteTitulos && k < qtd; ++k)
      repeteTitulos = mesmoTitulo(lista[k], gLinhas[0].at(k));
    if (repeteTitulos) return true;
  }

  const bool cabem = qtd <= gColunas;
  if (!cabem && carga) setColCount(qtd);
  const int alvo = (RowCount() == 2 && linhaEmBranco(1)) ? 1 : adicionarLinha();
  const int n = std::min(qtd, gColunas);
  QStringList celulas = gLinhas[alvo].lista();
  for (int k = 0; k < n; ++k) {
    const bool ehTitulo = !carga && colunaPorTitulo(lista[k]) >= 0;
    celulas[k] = ehTitulo ? QString() : lista[k];
  }
  gLinhas[alvo] = CLLinhaGrade(celulas);
  avisar([&](CLGradeObservador& o) { o.celulasAlteradas(0, alvo, n - 1, alvo); });
  return cabem;
}

// --- Change notification ------------------------------------------------------

void CLGrade::adicionarObservador(CLGradeObservador* observador) {
  if (observador && !gObservadores.contains(observador)) gObservadores.append(observador);
}

void CLGrade::removerObservador(CLGradeObservador* observador) {
  gObservadores.removeAll(observador);
}

void CLGrade::substituirLinhas(QList<CLLinhaGrade>&& linhas, int colunas) {
  Lote lote(*this);
  gColunas = std::max(colunas, 1);
  gLinhas = std::move(linhas);
  for (CLLinhaGrade& l : gLinhas)
    if (l.size() != gColunas) l.resize(gColunas);
  while (RowCount() < 2) gLinhas.append(CLLinhaGrade(gColunas));
  gLinhaAtual = 1;
  gColunaAtual = std::clamp(gColunaAtual, 0, gColunas - 1);
}

void CLGrade::substituirPor(CLGrade& origem) {
  if (&origem == this) return;
  const int colunas = origem.gColunas;
  QList<CLLinhaGrade> linhas = std::move(origem.gLinhas);
  origem.substituirLinhas({}, 1);
  substituirLinhas(std::move(linhas), colunas);
}

void CLGrade::iniciarLote() {
  if (gLote++ == 0)
    for (CLGradeObservador* o : gObservadores) o->gradeARedefinir();
}

void CLGrade::concluirLote() {
  if (gLote == 0 || --gLote > 0) return;
  for (CLGradeObservador* o : gObservadores) {
    o->gradeRedefinida();
    o->selecaoAlterada(gColunaAtual, gLinhaAtual);
  }
}

}  // namespace mivo
