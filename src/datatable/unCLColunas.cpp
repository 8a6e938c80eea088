#include "unCLColunas.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <vector>

#include "unArquivoLista.h"
#include "unCLFiltro.h"
#include "unCLGrade.h"
#include "unEmDuasPartes.h"
#include "unCLLista.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Below this many records a sort is quick: no progress window, no helper
// thread.
constexpr int kMinimoProgresso = 20000;
constexpr int kPassoProgresso = 1000;

// The view's column for a data column, and back; -1 when there is none.
int colunaDaVisao(int colunaDados) { return colunaDados + 1; }
int colunaDosDados(const CLLista& lista, int colunaGrade) {
  return lista.filtroVisivel() ? colunaGrade - 1 : colunaGrade;
}

// Row 0 of the view: "Linha" and the data titles, one column more than the
// data grid.
void acertarTitulosDaVisao(CLLista& lista) {
  if (!lista.filtroVisivel()) return;
  CLGrade& v = lista.gridFiltro;
  v.setColCount(lista.gridDados.ColCount() + 1);
  QStringList titulos = lista.gridDados.celulasLinha(0);
  titulos.prepend(filtro::tituloLinha());
  v.setLinhaInteira(0, titulos);
}

// The data rows the view shows (its "Linha" cells that name a record).
QList<int> linhasDaVisao(const CLLista& lista) {
  QList<int> linhas;
  const CLGrade& v = lista.gridFiltro;
  for (int r = 1; r < v.RowCount(); ++r) {
    bool ok = false;
    const int d = aparar(v.cell(0, r)).toInt(&ok);
    if (ok && d >= 1 && d < lista.gridDados.RowCount()) linhas.append(d);
  }
  return linhas;
}

// The sort text of a record: key cell, "%", the cells as lines.
void montarTextoOrdenacao(const CLGrade& grade, int coluna, int r, QString& texto) {
  texto.clear();
  texto += grade.celula(coluna, r);
  texto += u'%';
  for (int c = 0; c < grade.ColCount(); ++c) {
    texto += grade.celula(c, r);
    texto += QLatin1String("\r\n");
  }
}

QCollator comparadorBR() {
  QCollator comparador(localeBR());
  comparador.setCaseSensitivity(Qt::CaseInsensitive);
  return comparador;
}

using Posicao = std::vector<int>::iterator;

// The sort keys of the texts montar(i, texto) for i in 0 .. n - 1, computed
// once each: a big set is shared between this thread and a helper, each
// with a comparator of its own (only this thread talks to the progress).
// False when the user cancelled.
template <typename Montar>
bool calcularChaves(const QCollator& comparador, int n, const Montar& montar,
                    std::vector<QCollatorSortKey>& chaves, CLProgresso* progresso) {
  std::atomic<bool> cancelado = false;
  const int meio = n >= 2 * kMinimoProgresso ? n / 2 : n;
  std::vector<QCollatorSortKey> doAjudante;
  auto gerar = [&](int ini, int fim, std::vector<QCollatorSortKey>& saida, const QCollator& comparador,
                   CLProgresso* p) {
    saida.reserve(fim - ini);
    QString texto;
    texto.reserve(256);
    // A step per kPassoProgresso keys of the whole, this thread doing its share.
    const int passo = std::max(1, static_cast<int>(qint64(kPassoProgresso) * (fim - ini) / n));
    for (int i = ini; i < fim; ++i) {
      if (p && (i - ini) % passo == 0) {
        p->progressoPasso(QStringLiteral("Processados: ") +
                          formatarContagem(qint64(i - ini) * n / (fim - ini)));
        if (p->progressoCancelado()) cancelado = true;
      }
      if (cancelado) return;
      montar(i, texto);
      saida.push_back(comparador.sortKey(texto));
    }
  };
  chaves.clear();
  emDuasPartes(
      meio < n, [&] { gerar(meio, n, doAjudante, comparadorBR(), nullptr); },
      [&] { gerar(0, meio, chaves, comparador, progresso); });
  if (cancelado) return false;
  chaves.reserve(n);
  std::move(doAjudante.begin(), doAjudante.end(), std::back_inserter(chaves));
  return true;
}

// Sorts 0 .. n - 1 (stable) by their keys, for many keys: a sample of the
// keys gives the bounds of buckets; each key finds its bucket by a binary
// search among the bounds (few keys, which stay in the cache), a counting
// pass puts the buckets in order, and each bucket, small, is sorted on its
// own, the buckets shared between this thread and a helper. Equal keys
// always share a bucket, so the whole stays stable.
void ordenarPorAmostra(std::vector<int>& pos, const std::vector<QCollatorSortKey>& chaves) {
  const int n = static_cast<int>(pos.size());
  auto menor = [&chaves](int a, int b) { return chaves[a].compare(chaves[b]) < 0; };
  constexpr int kBaldes = 1024, kPorBalde = 4;
  std::vector<int> amostra;
  amostra.reserve(kBaldes * kPorBalde);
  for (int k = 0; k < kBaldes * kPorBalde; ++k)
    amostra.push_back(static_cast<int>(qint64(k) * n / (kBaldes * kPorBalde)));
  std::sort(amostra.begin(), amostra.end(), menor);
  std::vector<int> limites;
  for (int b = 1; b < kBaldes; ++b) limites.push_back(amostra[b * kPorBalde]);

  std::vector<quint16> balde(n);
  auto classificar = [&](int ini, int fim) {
    for (int i = ini; i < fim; ++i)
      balde[i] = static_cast<quint16>(std::upper_bound(limites.begin(), limites.end(), i, menor) -
                                      limites.begin());
  };
  emDuasPartes(true, [&] { classificar(n / 2, n); }, [&] { classificar(0, n / 2); });
  std::vector<int> inicio(kBaldes + 1, 0);
  for (int i = 0; i < n; ++i) ++inicio[balde[i] + 1];
  for (int b = 0; b < kBaldes; ++b) inicio[b + 1] += inicio[b];
  {
    std::vector<int> proximo(inicio.begin(), inicio.end() - 1);
    for (int i = 0; i < n; ++i) pos[proximo[balde[i]]++] = i;
  }
  // The buckets split where about half the keys lie below.
  const int corte = static_cast<int>(
      std::lower_bound(inicio.begin(), inicio.end(), n / 2) - inicio.begin());
  auto ordenarBaldes = [&](int de, int ate) {
    for (int b = de; b < ate; ++b)
      std::stable_sort(pos.begin() + inicio[b], pos.begin() + inicio[b + 1], menor);
  };
  emDuasPartes(
      true, [&] { ordenarBaldes(std::min(corte, kBaldes), kBaldes); },
      [&] { ordenarBaldes(0, std::min(corte, kBaldes)); });
}

// Sorts the indexes ini .. fim - 1 (stable) by the sort keys of their texts
// (montar(k, texto) for the k-th of them).
template <typename Montar>
bool ordenarTrecho(const QCollator& comparador, Posicao ini, Posicao fim, const Montar& montar,
                   CLProgresso* progresso) {
  const int n = static_cast<int>(fim - ini);
  if (n < 2) return true;
  std::vector<QCollatorSortKey> chaves;
  if (!calcularChaves(comparador, n, montar, chaves, progresso)) return false;
  // The keys follow the indexes' current order: sort positions, then apply.
  std::vector<int> pos(n);
  for (int i = 0; i < n; ++i) pos[i] = i;
  if (n >= 2 * kMinimoProgresso)
    ordenarPorAmostra(pos, chaves);
  else
    std::stable_sort(pos.begin(), pos.end(),
                     [&chaves](int a, int b) { return chaves[a].compare(chaves[b]) < 0; });
  std::vector<int> antes(ini, fim);
  for (int i = 0; i < n; ++i) ini[i] = antes[pos[i]];
  return true;
}

// U+FFFF: collated above every other character, so that "prefix" + U+FFFF
// is above everything that starts with the prefix.
constexpr char16_t kMaximo = 0xFFFF;

// Whether the collation has the property ordenarPorPrefixos relies on (the
// system's collation might not), and no key cell holds U+FFFF itself.
bool podeOrdenarPorPrefixos(const CLGrade& grade, int coluna) {
  const QCollator comparador = comparadorBR();
  const QString a = QStringLiteral("a") + QChar(kMaximo);
  if (comparador.compare(a, QStringLiteral("azz")) <= 0 ||
      comparador.compare(a, QStringLiteral("a b")) <= 0 ||
      comparador.compare(a, QStringLiteral("a%")) <= 0 ||
      comparador.compare(a, QString::fromUtf8("AÇ\xe4\xb8\x80")) <= 0 ||
      comparador.compare(a, QStringLiteral("b")) >= 0)
    return false;
  for (int r = 1; r < grade.RowCount(); ++r)
    if (grade.celula(coluna, r).contains(QChar(kMaximo))) return false;
  return true;
}

// The first-level (primary) collation weight of the characters below 256
// that have exactly one, whatever their neighbours: printable ASCII and the
// Latin-1 letters with accents, which weigh as their base letter. Found from
// the collator itself (so from whatever collation the system has) and
// checked; 0 for every other character, and for all of them when the
// collator does not behave as expected. Weights go from 1 up, in collation
// order.
struct PesosPrimarios {
  std::array<quint8, 256> peso{};
};

// The table from the ASCII characters `de` .. 0x7E; empty when the
// collator does not behave as expected.
PesosPrimarios montarPesos(const QCollator& comparador, char16_t de) {
  PesosPrimarios p;
  auto texto = [](char16_t c) { return QString(QChar(c)); };
  // In collation order; equal ones (a and A) share a weight.
  QList<char16_t> ascii;
  for (char16_t c = de; c < 0x7F; ++c)
    if (c >= 0x20 || (c >= 0x09 && c <= 0x0D))
      if (comparador.compare(texto(c), QString()) != 0) ascii.append(c);
  std::stable_sort(ascii.begin(), ascii.end(), [&](char16_t a, char16_t b) {
    return comparador.compare(texto(a), texto(b)) < 0;
  });
  int peso = 0;
  for (qsizetype k = 0; k < ascii.size(); ++k) {
    if (k == 0 || comparador.compare(texto(ascii[k - 1]), texto(ascii[k])) != 0) ++peso;
    if (peso > 250) return {};
    p.peso[ascii[k]] = static_cast<quint8>(peso);
  }
  // Inside a word too, each weighs as ranked (a collation that skips some
  // signs at the first level, as some do with "-" and "'", fails here).
  for (qsizetype k = 1; k < ascii.size(); ++k) {
    const char16_t a = ascii[k - 1], b = ascii[k];
    const bool ok = p.peso[a] < p.peso[b]
                        ? comparador.compare(u'a' + texto(a) + u'z', u'a' + texto(b) + u'a') < 0
                        : comparador.compare(u'a' + texto(a) + u'b', u'a' + texto(b) + u'c') < 0;
    if (!ok) return {};
  }
  // À..ÿ: the base letter, for those whose accent only counts at the
  // second level (checked: "áb" < "ac" and "ab" < "ác").
  static constexpr char base[] = "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0\0"
                                 "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y";
  for (char16_t c = 0xC0; c <= 0xFF; ++c) {
    const char16_t b = static_cast<unsigned char>(base[c - 0xC0]);
    if (b == 0 || p.peso[b] == 0) continue;
    const bool mesmoPeso = comparador.compare(texto(c) + u'b', texto(b) + u'c') < 0 &&
                           comparador.compare(texto(b) + u'b', texto(c) + u'c') < 0 &&
                           comparador.compare(u'a' + texto(c) + u'b', u'a' + texto(b) + u'c') < 0 &&
                           comparador.compare(u'a' + texto(b) + u'b', u'a' + texto(c) + u'c') < 0;
    if (mesmoPeso) p.peso[c] = p.peso[b];
  }
  return p;
}

const PesosPrimarios& pesosPrimarios() {
  // Tab, line feed and carriage return (the row texts have CR LF) when the
  // collation gives them weights of their own, else only the printable ones.
  static const PesosPrimarios pesos = [] {
    const QCollator comparador = comparadorBR();
    PesosPrimarios p = montarPesos(comparador, 0x09);
    if (p.peso[u'\r'] == 0) p = montarPesos(comparador, 0x20);
    return p;
  }();
  return pesos;
}

// Whether the key `x`, collated after `t`, starts with `t` at the first
// level: decided here when both are made of simple characters, otherwise
// by the collator against `limite` (t + U+FFFF).
bool comecaCom(const QCollator& comparador, QStringView x, QStringView t, const QString& limite) {
  const auto& peso = pesosPrimarios().peso;
  auto pesoDe = [&peso](QChar c) { return c.unicode() < 256 ? peso[c.unicode()] : quint8(0); };
  bool simples = x.size() >= t.size();
  for (qsizetype k = 0; simples && k < t.size(); ++k) {
    const quint8 a = pesoDe(t[k]), b = pesoDe(x[k]);
    if (a == 0 || b == 0) simples = false;
    else if (a != b) return false;
  }
  if (simples) return true;
  return comparador.compare(x, limite) < 0;
}

// The runs of ordenarPorPrefixos found by walking from `de` until a run
// ends at or past `ate`; `fim` gets where the walk stopped.
std::vector<std::pair<int, int>> acharGrupos(const QCollator& comparador, const CLGrade& grade,
                                             int coluna, const std::vector<int>& ordem, int de,
                                             int ate, int& fim) {
  std::vector<std::pair<int, int>> grupos;
  const int n = static_cast<int>(ordem.size());
  QString limite;
  int i = de;
  while (i < ate) {
    limite.clear();
    limite += grade.celula(coluna, ordem[i] + 1);
    limite += QChar(kMaximo);
    int j = i + 1;
    const QStringView t = grade.celula(coluna, ordem[i] + 1);
    while (j < n && comecaCom(comparador, grade.celula(coluna, ordem[j] + 1), t, limite)) ++j;
    if (j - i > 1) grupos.emplace_back(i, j);
    i = j;
  }
  fim = i;
  return grupos;
}

using Grupos = std::vector<std::pair<int, int>>;

// The records in order of their key cells as the collator ranks them, and
// the runs of records whose keys start with the run's first key (found with
// that key + U+FFFF as the bound). False when cancelled.
bool ordenarPorChaves(const CLGrade& grade, int coluna, const QCollator& comparador,
                      std::vector<int>& ordem, Grupos& grupos, CLProgresso* progresso) {
  const auto chave = [&](int i, QString& texto) {
    texto.clear();
    texto += grade.celula(coluna, ordem[i] + 1);
  };
  if (!ordenarTrecho(comparador, ordem.begin(), ordem.end(), chave, progresso)) return false;

  // The runs, looked for in two halves at once: the walk of the second half
  // may start inside a run of the first, but then it only meets runs nested
  // in that one until it reaches the point where the first walk stopped;
  // from there on its runs are the true ones.
  const int n = static_cast<int>(ordem.size());
  const int meio = n >= 2 * kMinimoProgresso ? n / 2 : n;
  int fimPrimeira = 0, fimSegunda = 0;
  Grupos segunda;
  emDuasPartes(
      meio < n, [&] { segunda = acharGrupos(comparadorBR(), grade, coluna, ordem, meio, n, fimSegunda); },
      [&] { grupos = acharGrupos(comparador, grade, coluna, ordem, 0, meio, fimPrimeira); });
  for (const auto& g : segunda)
    if (g.first >= fimPrimeira) grupos.push_back(g);
  return true;
}

// Sorts the indexes ini .. fim - 1 by the first-level weights of their
// texts (montar(k, texto) for the k-th), without the collator, when every
// character has a known weight (pesosPrimarios); false otherwise, the
// indexes untouched, or when cancelled (`cancelado`). Each text becomes its
// weights, compared as bytes (the first 16 kept beside the index); equal
// sequences keep their order. `grupos` gets the runs (positions from ini)
// that the weights leave undecided: with `prefixos`, each run of sequences
// that start with the run's first one; otherwise each run of equal ones.
template <typename Montar>
bool ordenarPorPesos(Posicao ini, Posicao fim, const Montar& montar, bool prefixos, Grupos& grupos,
                     CLProgresso* progresso, bool& cancelado) {
  const auto& peso = pesosPrimarios().peso;
  const int n = static_cast<int>(fim - ini);
  struct Item {
    quint64 p0 = 0, p1 = 0;  // bytes 0-7 and 8-15, the first in the high byte
    quint32 tam = 0;
    qint32 idx = 0;
  };
  std::vector<Item> itens(n);
  std::vector<quint32> inicio(n + 1);
  QByteArray pesos;
  QString texto;
  for (int i = 0; i < n; ++i) {
    if (progresso && i % kPassoProgresso == 0) {
      progresso->progressoPasso(QStringLiteral("Processados: ") + formatarContagem(i));
      if (progresso->progressoCancelado()) {
        cancelado = true;
        return false;
      }
    }
    inicio[i] = static_cast<quint32>(pesos.size());
    montar(i, texto);
    for (const QChar c : texto) {
      const quint8 w = c.unicode() < 256 ? peso[c.unicode()] : 0;
      if (w == 0) return false;
      pesos.append(static_cast<char>(w));
    }
    if (pesos.size() > 0x7FFF0000) return false;
    Item& it = itens[i];
    it.idx = i;
    it.tam = static_cast<quint32>(pesos.size()) - inicio[i];
    const uchar* b = reinterpret_cast<const uchar*>(pesos.constData()) + inicio[i];
    for (quint32 k = 0; k < 16 && k < it.tam; ++k) {
      if (k < 8)
        it.p0 |= quint64(b[k]) << (8 * (7 - k));
      else
        it.p1 |= quint64(b[k]) << (8 * (15 - k));
    }
  }
  inicio[n] = static_cast<quint32>(pesos.size());
  const uchar* base = reinterpret_cast<const uchar*>(pesos.constData());
  // Bytes 16 on of two sequences whose first 16 are equal.
  auto resto = [&](const Item& a, const Item& b) {
    const quint32 ra = a.tam > 16 ? a.tam - 16 : 0, rb = b.tam > 16 ? b.tam - 16 : 0;
    const int c = std::memcmp(base + inicio[a.idx] + 16, base + inicio[b.idx] + 16, std::min(ra, rb));
    return c != 0 ? c : (ra < rb ? -1 : ra > rb ? 1 : 0);
  };
  // Weights are never 0, so a shorter sequence is padded below any longer one.
  auto comparar = [&](const Item& a, const Item& b) {
    if (a.p0 != b.p0) return a.p0 < b.p0 ? -1 : 1;
    if (a.p1 != b.p1) return a.p1 < b.p1 ? -1 : 1;
    if (a.tam > 16 || b.tam > 16) return resto(a, b);
    return a.tam < b.tam ? -1 : a.tam > b.tam ? 1 : 0;
  };
  auto menor = [&](const Item& a, const Item& b) {
    const int c = comparar(a, b);
    return c != 0 ? c < 0 : a.idx < b.idx;
  };
  {
    const int meio = n >= 2 * kMinimoProgresso ? n / 2 : n;
    emDuasPartes(
        meio < n, [&] { std::sort(itens.begin() + meio, itens.end(), menor); },
        [&] { std::sort(itens.begin(), itens.begin() + meio, menor); });
    std::inplace_merge(itens.begin(), itens.begin() + meio, itens.end(), menor);
  }
  // Whether x's sequence starts with all of t's.
  auto comeca = [&](const Item& x, const Item& t) {
    if (x.tam < t.tam) return false;
    if (t.tam <= 8) return t.tam == 0 || ((x.p0 ^ t.p0) >> (8 * (8 - t.tam))) == 0;
    if (x.p0 != t.p0) return false;
    if (t.tam <= 16) return ((x.p1 ^ t.p1) >> (8 * (16 - t.tam))) == 0;
    return x.p1 == t.p1 &&
           std::memcmp(base + inicio[x.idx] + 16, base + inicio[t.idx] + 16, t.tam - 16) == 0;
  };
  for (int i = 0; i < n;) {
    int j = i + 1;
    while (j < n && (prefixos ? comeca(itens[j], itens[i]) : comparar(itens[j], itens[i]) == 0)) ++j;
    if (j - i > 1) grupos.emplace_back(i, j);
    i = j;
  }
  std::vector<int> antes(ini, fim);
  for (int i = 0; i < n; ++i) ini[i] = antes[itens[i].idx];
  return true;
}

// The order of the sort texts (key, "%", row) without collating every whole
// row. Two sort texts compare as their key cells do unless one key is, as
// collated, a prefix of the other (equal keys included): the first
// difference then lies inside both keys. So the records are sorted by their
// key cells alone; then every run of records whose keys start with the
// run's first key is sorted again by the whole sort texts. Runs are nested
// or apart, never overlapping, so the top-level runs are all there is to
// re-sort.
bool ordenarPorPrefixos(const CLGrade& grade, int coluna, std::vector<int>& ordem,
                        CLProgresso* progresso) {
  const QCollator comparador = comparadorBR();
  Grupos grupos;
  bool cancelado = false;
  // Each key followed by "%": its sequence then ends where the sort text's
  // key does.
  const auto chave = [&](int i, QString& texto) {
    texto.clear();
    texto += grade.celula(coluna, ordem[i] + 1);
    texto += u'%';
  };
  if (!ordenarPorPesos(ordem.begin(), ordem.end(), chave, true, grupos, progresso, cancelado)) {
    if (cancelado) return false;
    grupos.clear();
    if (!podeOrdenarPorPrefixos(grade, coluna)) {
      // Every whole sort text collated.
      const auto textoOrdenacao = [&](int i, QString& texto) {
        montarTextoOrdenacao(grade, coluna, ordem[i] + 1, texto);
      };
      return ordenarTrecho(comparador, ordem.begin(), ordem.end(), textoOrdenacao, progresso);
    }
    if (!ordenarPorChaves(grade, coluna, comparador, ordem, grupos, progresso)) return false;
  }

  // Each run sorted again by the whole sort texts: by their weights where
  // they have known ones, by the collator where those are equal (or
  // unknown); the runs shared out between two threads.
  auto ordenarGrupo = [&](const QCollator& c, Posicao de, Posicao ate) {
    const auto textoOrdenacao = [&](int i, QString& texto) {
      montarTextoOrdenacao(grade, coluna, de[i] + 1, texto);
    };
    Grupos iguais;
    bool semUso = false;
    if (!ordenarPorPesos(de, ate, textoOrdenacao, false, iguais, nullptr, semUso)) {
      ordenarTrecho(c, de, ate, textoOrdenacao, nullptr);
      return;
    }
    for (const auto& g : iguais) {
      const auto inicio = de + g.first;
      const auto texto = [&](int i, QString& t) {
        montarTextoOrdenacao(grade, coluna, inicio[i] + 1, t);
      };
      ordenarTrecho(c, inicio, de + g.second, texto, nullptr);
    }
  };
  auto ordenarGrupos = [&](const QCollator& c, size_t de, size_t ate) {
    for (size_t k = de; k < ate; ++k)
      ordenarGrupo(c, ordem.begin() + grupos[k].first, ordem.begin() + grupos[k].second);
  };
  qint64 total = 0;
  for (const auto& g : grupos) total += g.second - g.first;
  size_t corte = 0;
  for (qint64 soma = 0; corte < grupos.size() && soma < total / 2; ++corte)
    soma += grupos[corte].second - grupos[corte].first;
  if (total < 2 * kMinimoProgresso) corte = grupos.size();
  emDuasPartes(
      corte < grupos.size(), [&] { ordenarGrupos(comparadorBR(), corte, grupos.size()); },
      [&] { ordenarGrupos(comparador, 0, corte); });
  return true;
}

}  // namespace

QString colunas::perguntaExcluir(const QString& titulo) {
  return QStringLiteral("Deseja excluir a coluna ") + titulo + u'?';
}

QString formatColumnName(const QString& valor) {
  QString nome = valor;
  nome.replace(u' ', u'-');
  return localeBR().toLower(nome);
}

QStringList preencherComboColunas(const CLGrade& grade) {
  QStringList entradas;
  for (int c = 0; c < grade.ColCount(); ++c) {
    const QString titulo = aparar(grade.cell(c, 0));
    if (!titulo.isEmpty()) {
      entradas.append(titulo);
      continue;
    }
    QString entrada = QStringLiteral("Coluna ") + formatarContagem(c);
    const QString primeiro = aparar(grade.cell(c, 1));
    if (!primeiro.isEmpty()) entrada += QStringLiteral(" (") + primeiro + u')';
    entradas.append(entrada);
  }
  return entradas;
}

int inserirColuna(CLLista& lista, const QString& resposta) {
  const QString nome = formatColumnName(resposta);
  if (nome.isEmpty()) return -1;
  CLGrade& g = lista.gridDados;
  int atual = lista.filtroVisivel() ? lista.gridFiltro.Col() - 1 : g.Col();
  atual = std::clamp(atual, 0, g.ColCount() - 1);
  lista.gEditou = true;
  int alvo = atual;
  if (!aparar(g.cell(atual, 0)).isEmpty()) {
    alvo = g.ColCount();
    g.setColCount(alvo + 1);
  }
  g.setCell(alvo, 0, nome);
  acertarTitulosDaVisao(lista);
  return alvo;
}

bool renomearColuna(CLLista& lista, int coluna, const QString& resposta) {
  const QString nome = formatColumnName(resposta);
  CLGrade& g = *lista.gGrid;
  if (nome.isEmpty() || coluna < 0 || coluna >= g.ColCount()) return false;
  const int dados = colunaDosDados(lista, coluna);
  if (dados < 0) return false;  // the view's "Linha"
  lista.gridDados.setCell(dados, 0, nome);
  acertarTitulosDaVisao(lista);
  return true;
}

QList<DefinicaoColuna> showColunas(const CLGrade& grade) {
  QList<DefinicaoColuna> definicoes;
  for (int c = 0; c < grade.ColCount(); ++c) {
    QString exemplo = grade.cell(c, 1);
    if (aparar(exemplo).isEmpty()) exemplo = QStringLiteral("Coluna ") + formatarContagem(c);
    definicoes.append({exemplo, grade.cell(c, 0)});
  }
  return definicoes;
}

void setColunas(CLLista& lista, const QStringList& nomes) {
  CLGrade& g = lista.gridDados;
  const int n = std::min(static_cast<int>(nomes.size()), g.ColCount());
  QStringList titulos = g.celulasLinha(0);
  bool mudou = false;
  for (int c = 0; c < n; ++c) {
    if (nomes[c] == titulos[c]) continue;
    const QString nome = formatColumnName(nomes[c]);
    if (aparar(nome) == QLatin1String("#")) continue;
    titulos[c] = nome;
    mudou = true;
  }
  if (!mudou) return;
  {
    CLGrade::Lote lote(g);
    for (int c = 0; c < n; ++c) g.setCell(c, 0, titulos[c]);
  }
  acertarTitulosDaVisao(lista);
}

bool eliminarColunaDados(CLLista& lista, int coluna) {
  CLGrade& g = lista.gridDados;
  if (coluna < 0 || coluna >= g.ColCount()) return false;
  const bool ultima = g.ColCount() == 1;
  g.removerColuna(coluna);
  if (lista.filtroVisivel()) {
    CLGrade& v = lista.gridFiltro;
    if (ultima)
      v.limparColuna(colunaDaVisao(coluna));
    else
      v.removerColuna(colunaDaVisao(coluna));
    acertarTitulosDaVisao(lista);
  }
  lista.gEditou = true;
  return true;
}

bool eliminarColuna(CLLista& lista, int indice) {
  if (indice < 0 || indice >= lista.gGrid->ColCount()) return false;
  return eliminarColunaDados(lista, colunaDosDados(lista, indice));
}

bool limparColuna(CLLista& lista, int coluna) {
  CLGrade& g = *lista.gGrid;
  if (coluna < 0 || coluna >= g.ColCount()) return false;
  const int dados = colunaDosDados(lista, coluna);
  if (dados < 0) return false;  // the view's "Linha" is no data
  if (lista.filtroVisivel()) {
    CLGrade::Lote lote(lista.gridDados);
    for (int r : linhasDaVisao(lista)) lista.gridDados.setCell(dados, r, QString());
  }
  g.limparColuna(coluna);
  lista.gEditou = true;
  return true;
}

void moverColuna(CLLista& lista, int de, int para) {
  CLGrade& g = lista.gridDados;
  if (de < 0 || de >= g.ColCount() || para < 0 || para >= g.ColCount() || de == para) return;
  g.moverColuna(de, para);
  if (lista.filtroVisivel()) lista.gridFiltro.moverColuna(colunaDaVisao(de), colunaDaVisao(para));
}

QString copiarColuna(const CLGrade& grade, int coluna) {
  if (coluna < 0 || coluna >= grade.ColCount()) return {};
  return aparar(grade.textoColuna(coluna));
}

std::optional<QString> copiarTudo(const CLGrade& grade, CLProgresso* progresso) {
  // The text a list file holds, stepped every 10 rows.
  return gradeParaTexto(grade, progresso, 10, QStringLiteral("Copiando dados..."));
}

QString copiarLinhas(const CLGrade& grade, QList<int> linhas) {
  std::sort(linhas.begin(), linhas.end());
  linhas.erase(std::unique(linhas.begin(), linhas.end()), linhas.end());
  QString texto;
  anexarLinhaDaGrade(texto, grade, 0);
  for (int r : linhas)
    if (r >= 1 && r < grade.RowCount()) anexarLinhaDaGrade(texto, grade, r);
  return texto;
}

Desfecho SortStringGrid(CLGrade& grade, int coluna, bool desc, CLProgresso* progresso) {
  if (coluna < 0 || coluna >= grade.ColCount()) return Desfecho::Falhou;
  const int n = grade.RowCount() - 1;
  if (n < kMinimoProgresso) progresso = nullptr;
  if (progresso)
    progresso->progressoAbrir(QStringLiteral("Ordenando dados..."), n / kPassoProgresso,
                              QStringLiteral("Total de registros: ") + formatarContagem(n),
                              QString(), QString());
  std::vector<int> ordem(n);  // record indexes from 0, in sorted order
  for (int i = 0; i < n; ++i) ordem[i] = i;
  if (!ordenarPorPrefixos(grade, coluna, ordem, progresso)) {
    progresso->progressoFechar();
    return Desfecho::Cancelado;
  }

  QList<int> linhas;
  linhas.reserve(n);
  for (int i = 0; i < n; ++i) linhas.append(ordem[desc ? n - 1 - i : i] + 1);
  {
    CLGrade::Lote lote(grade);
    grade.reordenarLinhas(linhas);
    // Written back by whole-row assignment: a blank cell becomes " ".
    for (int r = 1; r <= n; ++r) {
      bool vazia = false;
      for (int c = 0; c < grade.ColCount() && !vazia; ++c) vazia = grade.celula(c, r).isEmpty();
      if (vazia) grade.setLinhaInteira(r, grade.celulasLinha(r));
    }
  }
  if (progresso) progresso->progressoFechar();
  return Desfecho::Concluido;
}

Desfecho ordenarColuna(CLLista& lista, int coluna, bool desc, CLProgresso* progresso) {
  if (lista.filtroVisivel()) filtroSalvarDados(lista);
  return SortStringGrid(*lista.gGrid, coluna, desc, progresso);
}

}  // namespace mivo
