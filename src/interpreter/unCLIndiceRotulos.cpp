#include "unCLIndiceRotulos.h"

namespace mivo {

namespace {
const QString kMarcador = QStringLiteral("&marcador(");
const QString kBloco = QStringLiteral("&bloco[");

// The name in lower case; a name that already is (the usual case) is not
// copied.
QString minusculas(const QString& nome) {
  for (const QChar c : nome)
    if (c.unicode() >= 0x80 || (c.unicode() >= u'A' && c.unicode() <= u'Z')) return nome.toLower();
  return nome;
}
}  // namespace

void CLIndiceRotulos::registrar(Tabela& t, const QString& minuscula, const QString& abertura,
                                QChar fecha, int linha) {
  auto anotar = [&](const QString& chave) {
    Posicoes& p = t[chave];
    if (p.primeira < 0) p.primeira = linha;
    p.ultima = linha;
  };
  qsizetype pos = 0;
  while ((pos = minuscula.indexOf(abertura, pos)) >= 0) {
    pos += abertura.size();
    // Plain form: the name runs up to the first closing character.
    const qsizetype fim = minuscula.indexOf(fecha, pos);
    if (fim >= 0) anotar(minuscula.mid(pos, fim - pos));
    // Quoted form: a quote, the name, a quote, the closing character.
    if (pos < minuscula.size() && minuscula[pos] == u'"') {
      const qsizetype aspa = minuscula.indexOf(u'"', pos + 1);
      if (aspa >= 0 && aspa + 1 < minuscula.size() && minuscula[aspa + 1] == fecha)
        anotar(minuscula.mid(pos + 1, aspa - pos - 1));
    }
  }
}

void CLIndiceRotulos::atualizar(const QStringList& linhas) {
  if (gValido && linhas.constData() == gLinhas.constData() && linhas.size() == gLinhas.size()) return;
  gLinhas = linhas;
  gUltimoRotulo.clear();
  gMarcadores.clear();
  gBlocos.clear();
  for (int i = 0; i < gLinhas.size(); ++i) {
    const QString& linha = gLinhas.at(i);
    if (!linha.contains(u'&')) continue;
    const QString minuscula = linha.toLower();
    registrar(gMarcadores, minuscula, kMarcador, u')', i);
    registrar(gBlocos, minuscula, kBloco, u']', i);
  }
  gValido = true;
}

int CLIndiceRotulos::procurarNasLinhas(const QStringList& linhas, const QString& alvo1,
                                       const QString& alvo2, bool ultima) {
  int achada = -1;
  for (int i = 0; i < linhas.size(); ++i) {
    const QString& l = linhas.at(i);
    if (l.contains(alvo1, Qt::CaseInsensitive) || l.contains(alvo2, Qt::CaseInsensitive)) {
      achada = i;
      if (!ultima) break;
    }
  }
  return achada;
}

int CLIndiceRotulos::ultimoMarcador(const QStringList& linhas, const QString& rotulo) {
  const QString r = minusculas(rotulo);
  if (r.contains(u')') || r.contains(u'"'))
    return procurarNasLinhas(linhas, kMarcador + r + u')', kMarcador + u'"' + r + QLatin1String("\")"), true);
  atualizar(linhas);
  if (gUltimoRotulo.isNull() || gUltimoRotulo != r) {
    gUltimoRotulo = r;
    gUltimoMarcador = gMarcadores.value(r).ultima;
  }
  return gUltimoMarcador;
}

int CLIndiceRotulos::primeiroBloco(const QStringList& linhas, const QString& nome) {
  const QString n = minusculas(nome);
  if (n.contains(u']') || n.contains(u'"'))
    return procurarNasLinhas(linhas, kBloco + n + u']', kBloco + u'"' + n + QLatin1String("\"]"), false);
  atualizar(linhas);
  return gBlocos.value(n).primeira;
}

}  // namespace mivo
