#include "unEstilosOds.h"

#include <QMap>
#include <algorithm>

#include "unArquivoZip.h"

namespace mivo {

namespace {

bool ehEstiloDeNumero(QStringView nome) {
  for (const char16_t* n : {u"number-style", u"currency-style", u"percentage-style", u"date-style", u"time-style",
                            u"boolean-style", u"text-style"})
    if (nome == QStringView(n)) return true;
  return false;
}

int inteiro(const QXmlStreamAttributes& a, QLatin1StringView local, int padrao) {
  bool ok = false;
  const int n = atributoOds(a, local).toInt(&ok);
  return ok ? std::clamp(n, 0, 64) : padrao;
}

bool longo(const QXmlStreamAttributes& a) { return atributoOds(a, QLatin1StringView("style")) == u"long"; }

// Text shown as it is: quoted, or one escaped character at a time when it
// holds a quote itself.
QString literal(const QString& t) {
  if (t.isEmpty()) return {};
  if (!t.contains(u'"')) return u'"' + t + u'"';
  QString r;
  for (QChar c : t) {
    r += u'\\';
    r += c;
  }
  return r;
}

// <number:number>: digits, grouping, decimals, texts among the integer
// digits (number:embedded-text, counted from the decimal point) and a
// display factor (1000 per trailing comma). Without a number of decimals it
// is the general format (LibreOffice writes its "General" so).
QString codigoNumero(const QXmlStreamAttributes& a, const QList<std::pair<int, QString>>& embutidos) {
  if (atributoOds(a, QLatin1StringView("decimal-places")).isEmpty()) return QStringLiteral("General");
  const int casas = inteiro(a, QLatin1StringView("decimal-places"), 0);
  const int minCasas = std::min(inteiro(a, QLatin1StringView("min-decimal-places"), casas), casas);
  const int minInteiros = inteiro(a, QLatin1StringView("min-integer-digits"), 0);
  QMap<int, QString> textos;
  int digitos = std::max(minInteiros, 1);
  for (const auto& [posicao, texto] : embutidos) {
    textos[posicao] += texto;
    digitos = std::max(digitos, posicao);
  }
  QString r;
  if (atributoOds(a, QLatin1StringView("grouping")) == u"true") r += QStringLiteral("#,");
  for (int i = digitos - 1; i >= 0; --i) {
    if (textos.contains(i + 1)) r += literal(textos.value(i + 1));
    r += i < minInteiros ? u'0' : u'#';
  }
  if (casas > 0) r += u'.' + QString(minCasas, u'0') + QString(casas - minCasas, u'#');
  if (textos.contains(0)) r += literal(textos.value(0));
  bool ok = false;
  double fator = atributoOds(a, QLatin1StringView("display-factor")).toDouble(&ok);
  for (; ok && fator >= 1000; fator /= 1000) r += u',';
  return r;
}

}  // namespace

QStringView atributoOds(const QXmlStreamAttributes& atributos, QLatin1StringView local) {
  for (const QXmlStreamAttribute& a : atributos)
    if (nomeLocal(a.qualifiedName()) == local) return a.value();
  return {};
}

void CLEstilosOds::token(const QXmlStreamReader& x, QXmlStreamReader::TokenType tipo) {
  if (tipo == QXmlStreamReader::StartElement) inicio(nomeLocal(x.qualifiedName()), x.attributes());
  else if (tipo == QXmlStreamReader::EndElement) fim(nomeLocal(x.qualifiedName()));
  else if (tipo == QXmlStreamReader::Characters && gEmEstilo) gTexto += x.text();
}

void CLEstilosOds::inicio(QStringView nome, const QXmlStreamAttributes& a) {
  if (nome == u"style") {
    if (atributoOds(a, QLatin1StringView("family")) == u"table-cell")
      gCelulas.insert(atributoOds(a, QLatin1StringView("name")).toString(),
                      {atributoOds(a, QLatin1StringView("data-style-name")).toString(),
                       atributoOds(a, QLatin1StringView("parent-style-name")).toString()});
    return;
  }
  if (ehEstiloDeNumero(nome)) {
    gEmEstilo = true;
    gNome = atributoOds(a, QLatin1StringView("name")).toString();
    gAtual = {};
    gAtual.booleano = nome == u"boolean-style";
    gPorcentagem = nome == u"percentage-style";
    gDecorrido = atributoOds(a, QLatin1StringView("truncate-on-overflow")) == u"false";
    gDecorridoUsado = false;
    return;
  }
  if (!gEmEstilo) return;
  gTexto.clear();
  QString& c = gAtual.codigo;
  // A time unit that is not cut at its largest (hours past 24) goes in
  // brackets, as "[h]".
  auto unidade = [&](const QString& letras) {
    if (gDecorrido && !gDecorridoUsado) {
      gDecorridoUsado = true;
      c += u'[' + letras + u']';
    } else {
      c += letras;
    }
  };
  if (nome == u"number") {
    gEmNumero = true;
    gAtributosNumero = a;
    gEmbutidos.clear();
  } else if (nome == u"embedded-text") {
    gPosicaoEmbutido = inteiro(a, QLatin1StringView("position"), 0);
  } else if (nome == u"scientific-number") {
    c += QString(std::max(inteiro(a, QLatin1StringView("min-integer-digits"), 1), 1), u'0');
    const int casas = inteiro(a, QLatin1StringView("decimal-places"), 0);
    if (casas > 0) c += u'.' + QString(casas, u'0');
    c += QStringLiteral("E+") + QString(std::max(inteiro(a, QLatin1StringView("min-exponent-digits"), 2), 1), u'0');
  } else if (nome == u"fraction") {
    c += QStringLiteral("General");  // fractions are shown as decimals
  } else if (nome == u"day") {
    c += longo(a) ? QStringLiteral("dd") : QStringLiteral("d");
  } else if (nome == u"month") {
    const bool extenso = atributoOds(a, QLatin1StringView("textual")) == u"true";
    c += extenso ? (longo(a) ? QStringLiteral("mmmm") : QStringLiteral("mmm"))
                 : (longo(a) ? QStringLiteral("mm") : QStringLiteral("m"));
  } else if (nome == u"year") {
    c += longo(a) ? QStringLiteral("yyyy") : QStringLiteral("yy");
  } else if (nome == u"day-of-week") {
    c += longo(a) ? QStringLiteral("dddd") : QStringLiteral("ddd");
  } else if (nome == u"hours") {
    unidade(longo(a) ? QStringLiteral("hh") : QStringLiteral("h"));
  } else if (nome == u"minutes") {
    unidade(longo(a) ? QStringLiteral("mm") : QStringLiteral("m"));
  } else if (nome == u"seconds") {
    unidade(longo(a) ? QStringLiteral("ss") : QStringLiteral("s"));
    const int casas = inteiro(a, QLatin1StringView("decimal-places"), 0);
    if (casas > 0) c += u'.' + QString(casas, u'0');
  } else if (nome == u"am-pm") {
    c += QStringLiteral("AM/PM");
  } else if (nome == u"text-content") {
    c += u'@';
  } else if (nome == u"map") {
    gAtual.condicoes.append({atributoOds(a, QLatin1StringView("condition")).toString().remove(u' '),
                             atributoOds(a, QLatin1StringView("apply-style-name")).toString()});
  }
}

void CLEstilosOds::fim(QStringView nome) {
  if (!gEmEstilo) return;
  QString& c = gAtual.codigo;
  if (ehEstiloDeNumero(nome)) {
    gEmEstilo = false;
    gDados.insert(gNome, gAtual);
  } else if (nome == u"embedded-text") {
    if (gEmNumero) gEmbutidos.append({gPosicaoEmbutido, gTexto});
    gTexto.clear();
  } else if (nome == u"number") {
    gEmNumero = false;
    c += codigoNumero(gAtributosNumero, gEmbutidos);
  } else if (nome == u"text" || nome == u"currency-symbol") {
    // The "%" of a percentage style is what multiplies the value by 100.
    if (gPorcentagem && gTexto.contains(u'%')) {
      const QStringList partes = gTexto.split(u'%');
      for (qsizetype i = 0; i < partes.size(); ++i) c += (i > 0 ? QStringLiteral("%") : QString()) + literal(partes[i]);
    } else {
      c += literal(gTexto);
    }
    gTexto.clear();
  }
}

QString CLEstilosOds::codigo(const QString& estiloDados) const { return codigoEm(estiloDados, 0); }

QString CLEstilosOds::codigoEm(const QString& nome, int profundidade) const {
  const auto it = gDados.constFind(nome);
  if (it == gDados.cend()) return {};
  const QString proprio = it->codigo.isEmpty() ? QStringLiteral("General") : it->codigo;
  if (it->condicoes.isEmpty() || profundidade > 2) return proprio;
  // Conditional styles as the sections of a format code: positive;negative;zero.
  QString positivo, negativo, zeroOuMais;
  for (const auto& [condicao, estilo] : it->condicoes) {
    const QString secao = codigoEm(estilo, profundidade + 1);
    if (condicao == u"value()>=0") zeroOuMais = secao;
    else if (condicao == u"value()>0") positivo = secao;
    else if (condicao == u"value()<0") negativo = secao;
  }
  if (!zeroOuMais.isEmpty()) return zeroOuMais + u';' + (negativo.isEmpty() ? proprio : negativo);
  if (!positivo.isEmpty())
    return positivo + u';' + (negativo.isEmpty() ? proprio : negativo) + u';' + proprio;
  if (!negativo.isEmpty()) return proprio + u';' + negativo;
  return proprio;
}

const FormatoOds* CLEstilosOds::formato(const QString& estiloCelula) {
  if (estiloCelula.isEmpty() || gSemFormato.contains(estiloCelula)) return nullptr;
  const auto feito = gFormatos.constFind(estiloCelula);
  if (feito != gFormatos.cend()) return &*feito;
  // The first style up the parents that names a number style.
  QString dados;
  QString nome = estiloCelula;
  for (int passos = 0; passos < 16 && dados.isEmpty(); ++passos) {
    const auto it = gCelulas.constFind(nome);
    if (it == gCelulas.cend()) break;
    dados = it->dados;
    nome = it->pai;
  }
  const auto it = gDados.constFind(dados);
  if (it == gDados.cend()) {
    gSemFormato.insert(estiloCelula, true);
    return nullptr;
  }
  FormatoOds f;
  f.booleano = it->booleano;
  if (!f.booleano) f.numero = CLFormatoNumero(codigo(dados));
  return &*gFormatos.insert(estiloCelula, f);
}

}  // namespace mivo
