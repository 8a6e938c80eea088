#include "unPontoClique.h"

#include <QRegularExpression>
#include <vector>

#include "unLeitura.h"
#include "unUtil.h"

namespace mivo {

namespace {

// A line as the engine reads it: the first line of a statement is trimmed
// before its comment is cut; the following ones are trimmed after.
QString primeiraLinha(const QString& linha) {
  QString t = aparar(linha);
  leitura::removerComentario(t);
  return t;
}

QString linhaSeguinte(const QString& linha) {
  QString t = linha;
  leitura::removerComentario(t);
  return aparar(t);
}

// The statement that starts on `primeira`; empty when the line starts none
// or the script ends before the statement does.
InstrucaoNoScript instrucaoDesde(const QStringList& linhas, int primeira) {
  QString texto = primeiraLinha(linhas[primeira]);
  if (!texto.startsWith(u'&')) return {};
  if (texto.contains(QLatin1String(")."))) return {primeira, primeira, texto};
  for (int k = primeira + 1; k < linhas.size(); ++k) {
    const QString pedaco = linhaSeguinte(linhas[k]);
    const bool terminou = (texto.endsWith(u')') && pedaco.startsWith(u'.')) || pedaco.contains(QLatin1String(")."));
    texto += pedaco;
    if (terminou) return {primeira, k, texto};
  }
  return {};
}

// The index of the ")" that closes the "(" at `abre`; parentheses inside
// double quotes do not count. -1 when it is not closed.
qsizetype fechamento(const QString& texto, qsizetype abre) {
  int profundidade = 0;
  bool emAspas = false;
  for (qsizetype i = abre; i < texto.size(); ++i) {
    const QChar c = texto[i];
    if (c == u'"') {
      emAspas = !emAspas;
    } else if (!emAspas && c == u'(') {
      ++profundidade;
    } else if (!emAspas && c == u')' && --profundidade == 0) {
      return i;
    }
  }
  return -1;
}

// Replaces the first call that still asks for its point and would write it
// into the script; only calls that end before `limite` count.
bool substituirChamada(QString& texto, qsizetype limite, int x, int y) {
  static const QRegularExpression kChamada(QStringLiteral("&\\s*mousecliqueperguntar\\s*\\("),
                                           QRegularExpression::CaseInsensitiveOption);
  auto encontradas = kChamada.globalMatch(texto);
  while (encontradas.hasNext()) {
    const QRegularExpressionMatch m = encontradas.next();
    const qsizetype abre = m.capturedEnd() - 1;
    const qsizetype fecha = fechamento(texto, abre);
    if (fecha < 0 || fecha >= limite) return false;
    const QStringList a = leitura::getParams2(texto.mid(abre + 1, fecha - abre - 1));
    if (a.size() < 3 || aparar(a[1]) != QLatin1String("0") || aparar(a[2]) != QLatin1String("0")) continue;
    if (a.size() == 4 && leitura::getParamValue(aparar(a[3])) != QLatin1String("sim")) continue;
    const QString nova = QStringLiteral("&MouseCliquePerguntar(\"") + leitura::getParamValue(a[0]) +
                         QStringLiteral("\";%1;%2)").arg(x).arg(y);
    texto.replace(m.capturedStart(), fecha - m.capturedStart() + 1, nova);
    return true;
  }
  return false;
}

}  // namespace

InstrucaoNoScript instrucaoTerminadaEm(const QStringList& linhas, int ultima) {
  if (ultima < 0 || ultima >= linhas.size()) return {};
  // The earliest start whose statement ends on `ultima`: a line inside a
  // statement may itself start with "&" (a nested call on a line of its own).
  // A line holding ")." before `ultima` ends whatever was open, so no
  // statement that starts above it reaches `ultima`.
  InstrucaoNoScript achada;
  for (int j = ultima; j >= 0; --j) {
    const QString t = primeiraLinha(linhas[j]);
    if (j < ultima && t.contains(QLatin1String(")."))) break;
    if (!t.startsWith(u'&')) continue;
    const InstrucaoNoScript i = instrucaoDesde(linhas, j);
    if (i.ultima == ultima) achada = i;
  }
  return achada;
}

int escreverPontoClique(QStringList& linhas, int ultima, int x, int y) {
  const InstrucaoNoScript instrucao = instrucaoTerminadaEm(linhas, ultima);
  if (instrucao.primeira < 0) return -1;
  if (instrucao.primeira == ultima) {
    // Only the statement's code is searched, not the comment after it.
    QString linha = linhas[ultima];
    qsizetype inicio = 0;
    while (inicio < linha.size() && linha[inicio].unicode() <= 0x20) ++inicio;
    if (!substituirChamada(linha, inicio + instrucao.texto.size(), x, y)) return -1;
    linhas[ultima] = linha;
    return 0;
  }
  QString texto = instrucao.texto;
  if (!substituirChamada(texto, texto.size(), x, y)) return -1;
  linhas[instrucao.primeira] = texto;
  linhas.remove(instrucao.primeira + 1, ultima - instrucao.primeira);
  return ultima - instrucao.primeira;
}

namespace {

// Calls to `funcao` ("&" + name) in the code of `linha`, with the indexes
// of their name and of the ")" that closes them; calls not closed on the
// line, and calls in its comment, are left out.
struct ChamadaNaLinha {
  qsizetype inicio, fim;
  QStringList argumentos;
};
std::vector<ChamadaNaLinha> chamadasNaLinha(const QString& linha, const QRegularExpression& funcao) {
  // Only the statement's code counts, not the comment after it.
  QString codigo = linha;
  leitura::removerComentario(codigo);
  qsizetype inicio = 0;
  while (inicio < linha.size() && linha[inicio].unicode() <= 0x20) ++inicio;
  const qsizetype limite = inicio + codigo.size();
  std::vector<ChamadaNaLinha> chamadas;
  auto encontradas = funcao.globalMatch(linha);
  while (encontradas.hasNext()) {
    const QRegularExpressionMatch m = encontradas.next();
    const qsizetype abre = m.capturedEnd() - 1;
    const qsizetype fecha = fechamento(linha, abre);
    if (fecha < 0 || fecha >= limite) continue;
    chamadas.push_back({m.capturedStart(), fecha, leitura::getParams2(linha.mid(abre + 1, fecha - abre - 1))});
  }
  return chamadas;
}

}  // namespace

ResetConfigs resetarConfigs(const QStringList& linhas) {
  static const QRegularExpression kClique(QStringLiteral("&\\s*mousecliqueperguntar\\s*\\("),
                                          QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression kDica(QStringLiteral("&\\s*msgdica\\s*\\("),
                                        QRegularExpression::CaseInsensitiveOption);
  ResetConfigs r;
  r.linhas = linhas;
  for (QString& linha : r.linhas) {
    const std::vector<ChamadaNaLinha> cliques = chamadasNaLinha(linha, kClique);
    // From the last to the first, so that the indexes of the earlier stay valid.
    for (auto c = cliques.rbegin(); c != cliques.rend(); ++c) {
      if (c->argumentos.isEmpty()) continue;
      QString nova = QStringLiteral("&MouseCliquePerguntar(\"") + aparar(leitura::getParamValue(c->argumentos[0])) +
                     QStringLiteral("\";0;0");
      if (c->argumentos.size() >= 4 &&
          aparar(leitura::getParamValue(c->argumentos[3])).compare(QStringLiteral("não"), Qt::CaseInsensitive) == 0)
        nova += QStringLiteral(";\"não\"");
      nova += u')';
      linha.replace(c->inicio, c->fim - c->inicio + 1, nova);
    }
    for (const ChamadaNaLinha& d : chamadasNaLinha(linha, kDica)) {
      if (d.argumentos.isEmpty()) continue;
      const QString id = aparar(leitura::getParamValue(d.argumentos[0]));
      if (!id.isEmpty() && !r.dicas.contains(id)) r.dicas << id;
    }
  }
  return r;
}

}  // namespace mivo
