#include "unRegrasLista.h"

#include <QSet>
#include <algorithm>

#include "unSecoesScript.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr int kLarguraMinima = 60;
constexpr int kLarguraMaxima = 400;
constexpr int kLarguraColunasLargas = 200;  // the third and fourth columns

}  // namespace

QList<int> linhasMedidas(int qtdLinhas) {
  QList<int> linhas;
  if (qtdLinhas <= kMaxLinhasMedidas) {
    linhas.reserve(qtdLinhas);
    for (int r = 0; r < qtdLinhas; ++r) linhas.append(r);
    return linhas;
  }
  // Half from the top (titles and the first records: what the user sees
  // first), an eighth from the bottom, the rest spread evenly in between.
  const int topo = kMaxLinhasMedidas / 2;
  const int base = kMaxLinhasMedidas / 8;
  const int meio = kMaxLinhasMedidas - topo - base;
  linhas.reserve(kMaxLinhasMedidas);
  for (int r = 0; r < topo; ++r) linhas.append(r);
  const int ini = topo, fim = qtdLinhas - base;  // the middle: [ini, fim)
  for (int k = 0; k < meio; ++k) linhas.append(ini + int(qint64(fim - ini) * k / meio));
  for (int r = fim; r < qtdLinhas; ++r) linhas.append(r);
  linhas.erase(std::unique(linhas.begin(), linhas.end()), linhas.end());
  return linhas;
}

QList<int> larguraColunasAuto(const CLGrade& grade, const std::function<int(const QString&)>& medir) {
  QList<int> larguras(grade.ColCount(), 0);
  for (int r : linhasMedidas(grade.RowCount()))
    for (int c = 0; c < grade.ColCount(); ++c) {
      const QStringView celula = grade.celula(c, r);
      if (!celula.isEmpty()) larguras[c] = std::max(larguras[c], medir(celula.toString()));
    }
  for (int& l : larguras) l = std::clamp(l, kLarguraMinima, kLarguraMaxima) + 10;
  for (int c = 2; c <= 3 && c < larguras.size(); ++c) larguras[c] = std::max(larguras[c], kLarguraColunasLargas);
  return larguras;
}

QString preColunasDoScript(const QString& textoScript) {
  const QStringList linhas = definirConfig(dividirLinhas(textoScript), QStringLiteral("##pre_carregar"), true);
  for (const QString& linha : linhas) {
    const qsizetype igual = linha.indexOf(u'=');
    if (igual < 0) continue;
    if (aparar(linha.left(igual)).toLower() == QLatin1String("pre_colunas")) return linha.mid(igual + 1);
  }
  return {};
}

QSet<QString> colunasDoScript(const QString& textoScript) {
  QSet<QString> nomes;
  qsizetype pos = 0;
  while ((pos = textoScript.indexOf(u'{', pos)) >= 0) {
    const qsizetype fim = textoScript.indexOf(u'}', pos + 1);
    if (fim < 0) break;
    const QString nome = aparar(textoScript.mid(pos + 1, fim - pos - 1));
    const bool feitoNaExecucao = nome.contains(u'[') || nome.contains(u'{') || nome.contains(u'&');
    // A "{" inside the name starts another reference: look again from it.
    if (!nome.isEmpty() && !feitoNaExecucao && !nome.contains(u'\n')) nomes.insert(nome.toLower());
    pos = nome.contains(u'{') ? pos + 1 : fim + 1;
  }
  return nomes;
}

namespace {

// A row's cells as titles compare: trimmed, lower-cased, blank cells at the
// end dropped.
QStringList comoTitulos(const QStringList& celulas) {
  QStringList r;
  r.reserve(celulas.size());
  for (const QString& c : celulas) r << aparar(c).toLower();
  while (!r.isEmpty() && r.last().isEmpty()) r.removeLast();
  return r;
}

}  // namespace

bool pareceLinhaDeTitulos(const CLGrade& grade, const QSet<QString>& colunasScript,
                          const QList<QStringList>& titulosConhecidos) {
  if (grade.RowCount() < 2 || !comoTitulos(grade.celulasLinha(0)).isEmpty()) return false;
  const QStringList primeira = comoTitulos(grade.celulasLinha(1));
  if (primeira.isEmpty()) return false;
  for (const QStringList& conhecidos : titulosConhecidos)
    if (comoTitulos(conhecidos) == primeira) return true;
  for (int c = 0; c < primeira.size(); ++c) {
    if (primeira[c].isEmpty() || !colunasScript.contains(primeira[c])) continue;
    bool repete = false;
    for (int r = 2; r < grade.RowCount() && !repete; ++r)
      repete = aparar(grade.celula(c, r).toString()).compare(primeira[c], Qt::CaseInsensitive) == 0;
    if (!repete) return true;
  }
  return false;
}

bool colarComoRegistros(const QString& texto) {
  const QString t = aparar(texto);
  return t.contains(u'\n') || t.contains(u'\r') || t.contains(u'\t');
}

}  // namespace mivo
