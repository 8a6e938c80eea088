#include "unFormatoNumero.h"

#include <QList>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace mivo {

namespace {

const char* const kMeses[] = {"janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
                              "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
const char* const kDias[] = {"segunda-feira", "terça-feira", "quarta-feira", "quinta-feira",
                             "sexta-feira",   "sábado",      "domingo"};

// One piece of a format section.
struct Peca {
  enum Tipo { Literal, Digito, Ponto, Virgula, Porcento, Expoente, Data, Decorrido, AmPm, Texto, Geral };
  Tipo tipo;
  QString texto;   // Literal: the text; Expoente: "+" or "-"; AmPm: "AM/PM" or "A/P"
  QChar letra;     // Digito: 0 # ?; Data and Decorrido: y m d h s
  int qtd = 1;     // Data: how many letters
};

bool ehLetraData(QChar c) {
  const QChar l = c.toLower();
  return l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u's';
}

// The sections of a code, split at ";" outside quotes, escapes and brackets.
QStringList secoes(const QString& codigo) {
  QStringList r;
  QString atual;
  bool aspas = false, colchete = false;
  for (qsizetype i = 0; i < codigo.size(); ++i) {
    const QChar c = codigo[i];
    if (!colchete && c == u'"') aspas = !aspas;
    else if (!aspas && c == u'[') colchete = true;
    else if (!aspas && c == u']') colchete = false;
    else if (!aspas && !colchete && (c == u'\\' || c == u'_' || c == u'*') && i + 1 < codigo.size()) {
      atual += c;
      atual += codigo[++i];
      continue;
    } else if (!aspas && !colchete && c == u';') {
      r << atual;
      atual.clear();
      continue;
    }
    atual += c;
  }
  r << atual;
  return r;
}

QList<Peca> pecas(const QString& s) {
  QList<Peca> r;
  auto literal = [&](const QString& t) {
    if (!r.isEmpty() && r.last().tipo == Peca::Literal) r.last().texto += t;
    else r.append({Peca::Literal, t, {}});
  };
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c == u'"') {
      const qsizetype fim = s.indexOf(u'"', i + 1);
      literal(s.mid(i + 1, (fim < 0 ? s.size() : fim) - i - 1));
      i = fim < 0 ? s.size() : fim;
    } else if (c == u'\\' && i + 1 < s.size()) {
      literal(QString(s[++i]));
    } else if (c == u'_' && i + 1 < s.size()) {
      ++i;
      literal(QStringLiteral(" "));
    } else if (c == u'*' && i + 1 < s.size()) {
      ++i;
    } else if (c == u'[') {
      const qsizetype fim = s.indexOf(u']', i + 1);
      const QString dentro = s.mid(i + 1, (fim < 0 ? s.size() : fim) - i - 1);
      i = fim < 0 ? s.size() : fim;
      if (dentro.startsWith(u'$')) {
        const qsizetype traco = dentro.indexOf(u'-');
        literal(dentro.mid(1, traco < 0 ? -1 : traco - 1));
      } else if (!dentro.isEmpty() && ehLetraData(dentro[0]) && dentro.toLower().count(dentro[0].toLower()) == dentro.size()) {
        r.append({Peca::Decorrido, {}, dentro[0].toLower(), int(dentro.size())});
      }  // colours and conditions show nothing
    } else if (c == u'0' || c == u'#' || c == u'?') {
      r.append({Peca::Digito, {}, c});
    } else if (c == u'.') {
      r.append({Peca::Ponto, {}, c});
    } else if (c == u',') {
      r.append({Peca::Virgula, {}, c});
    } else if (c == u'%') {
      r.append({Peca::Porcento, {}, c});
    } else if ((c == u'E' || c == u'e') && i + 1 < s.size() && (s[i + 1] == u'+' || s[i + 1] == u'-')) {
      r.append({Peca::Expoente, QString(s[++i]), c});
    } else if (s.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
      r.append({Peca::AmPm, QStringLiteral("AM/PM"), {}});
      i += 4;
    } else if (s.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
      r.append({Peca::AmPm, QStringLiteral("A/P"), {}});
      i += 2;
    } else if (s.mid(i, 7).compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
      r.append({Peca::Geral, {}, {}});
      i += 6;
    } else if (s.mid(i, 5).compare(QLatin1String("Geral"), Qt::CaseInsensitive) == 0) {
      r.append({Peca::Geral, {}, {}});
      i += 4;
    } else if (ehLetraData(c)) {
      qsizetype j = i;
      while (j < s.size() && s[j].toLower() == c.toLower()) ++j;
      r.append({Peca::Data, {}, c.toLower(), int(j - i)});
      i = j - 1;
    } else if (c == u'@') {
      r.append({Peca::Texto, {}, c});
    } else {
      literal(QString(c));
    }
  }
  return r;
}

bool temData(const QList<Peca>& p) {
  for (const Peca& x : p)
    if (x.tipo == Peca::Data || x.tipo == Peca::Decorrido || x.tipo == Peca::AmPm) return true;
  return false;
}

QString fixoDecimalMontar(const QString& digitos, int ponto, int casas) {
  QString r = digitos.left(ponto);
  while (r.size() > 1 && r.startsWith(u'0')) r.remove(0, 1);
  if (casas > 0) r += u'.' + digitos.mid(ponto, casas);
  return r;
}

// `a` (not negative) with `casas` decimals, rounded half up in decimal on
// its 15 significant digits: 1.005 gives "1.01", as the spreadsheet shows it.
QString fixoDecimal(double a, int casas) {
  if (a == 0 || !std::isfinite(a)) return QString::number(a, 'f', casas);
  const QString e = QString::number(a, 'e', 14);  // d.dddddddddddddde+XX
  const qsizetype pe = e.indexOf(u'e');
  QString digitos = e.left(1) + e.mid(2, pe - 2);
  const int expoente = e.mid(pe + 1).toInt();
  // digitos holds the number times 10^(14 - expoente) as an integer.
  const int inteiros = expoente + 1;  // digits before the point
  if (inteiros <= 0) {
    digitos.prepend(QString(1 - inteiros, u'0'));
  }
  const int ponto = std::max(inteiros, 1);
  const int manter = ponto + casas;
  if (digitos.size() > manter) {
    const bool sobe = digitos[manter] >= u'5';
    digitos.truncate(manter);
    if (sobe) {
      int i = manter - 1;
      for (; i >= 0; --i) {
        if (digitos[i] == u'9') {
          digitos[i] = u'0';
        } else {
          digitos[i] = QChar(digitos[i].unicode() + 1);
          break;
        }
      }
      if (i < 0) {
        digitos.prepend(u'1');
        return fixoDecimalMontar(digitos, ponto + 1, casas);
      }
    }
  } else {
    digitos += QString(manter - digitos.size(), u'0');
  }
  return fixoDecimalMontar(digitos, ponto, casas);
}

bool temDigitoNaoZero(QStringView t) {
  for (QChar c : t)
    if (c >= u'1' && c <= u'9') return true;
  return false;
}

QString agrupar(const QString& digitos) {
  QString r = digitos;
  for (qsizetype i = r.size() - 3; i > 0; i -= 3) r.insert(i, u'.');
  return r;
}

// Day `dia` of a workbook's calendar, the one place that knows its rule. The
// 1904 system counts from 01/01/1904. The 1900 system counts from 31/12/1899
// and wrongly holds a 29/02/1900 as day 60, so the days after it count from
// 30/12/1899; that day 60, which no calendar has, and the days before day 1
// come back invalid.
QDate diaDoSerial(qint64 dia, bool data1904) {
  if (data1904) return QDate(1904, 1, 1).addDays(dia);
  if (dia < 1 || dia == 60) return {};
  return (dia >= 61 ? QDate(1899, 12, 30) : QDate(1899, 12, 31)).addDays(dia);
}

QString dataFormatada(double serial, const QList<Peca>& p, bool data1904) {
  bool fracao = false;
  int casasFracao = 0;
  bool doze = false;
  for (qsizetype i = 0; i < p.size(); ++i) {
    if (p[i].tipo == Peca::AmPm) doze = true;
    if (p[i].tipo == Peca::Ponto && i > 0 && p[i - 1].tipo == Peca::Data && p[i - 1].letra == u's') {
      fracao = true;
      for (qsizetype j = i + 1; j < p.size() && p[j].tipo == Peca::Digito; ++j) ++casasFracao;
    }
  }
  // Beyond 31/12/9999 no date or time is shown (the spreadsheet shows
  // "####"); the number itself is kept.
  if (!(serial <= 2958466.0)) return numeroGeral(serial);
  // Rounded to what the format shows: whole seconds, or the fraction (past
  // the ninth digit, zeros: a double holds no more, nor does a qint64).
  const int casasCalculadas = std::min(casasFracao, 9);
  const double unidade = fracao ? std::pow(10.0, casasCalculadas) : 1.0;
  const double totalUnidades = std::round(serial * 86400.0 * unidade);
  const qint64 totalSeg = qint64(std::floor(totalUnidades / unidade));
  const qint64 resto = qint64(totalUnidades - double(totalSeg) * unidade);
  const QTime hora = QTime(0, 0).addSecs(int(totalSeg % 86400));
  // The date as Excel shows it, its two invented days included: day 0 of
  // the 1900 system is 00/01/1900 and day 60 is 29/02/1900 (a Wednesday).
  const qint64 dia = totalSeg / 86400;
  int ano = 1900, mes = 1, diaMes = 0, diaSemana = 6;  // day 0: a Saturday
  if (!data1904 && dia == 60) {
    mes = 2;
    diaMes = 29;
    diaSemana = 3;
  } else if (data1904 || dia > 0) {
    const QDate d = dia <= 2958466 ? diaDoSerial(dia, data1904) : QDate();
    if (!d.isValid()) return numeroGeral(serial);
    d.getDate(&ano, &mes, &diaMes);
    diaSemana = d.dayOfWeek();
  }
  QString r;
  for (qsizetype i = 0; i < p.size(); ++i) {
    const Peca& x = p[i];
    switch (x.tipo) {
      case Peca::Literal: r += x.texto; break;
      case Peca::Decorrido: {
        const qint64 v = x.letra == u'h' ? totalSeg / 3600 : x.letra == u'm' ? totalSeg / 60 : totalSeg;
        r += QString::number(v).rightJustified(x.qtd, u'0');
        break;
      }
      case Peca::AmPm:
        r += hora.hour() < 12 ? (x.texto.size() > 3 ? QStringLiteral("AM") : QStringLiteral("A"))
                              : (x.texto.size() > 3 ? QStringLiteral("PM") : QStringLiteral("P"));
        break;
      case Peca::Virgula: r += u','; break;
      case Peca::Porcento: r += u'%'; break;
      case Peca::Ponto:
        if (fracao && i > 0 && p[i - 1].tipo == Peca::Data && p[i - 1].letra == u's') {
          r += u',';
          r += QString::number(resto).rightJustified(casasCalculadas, u'0');
          r += QString(casasFracao - casasCalculadas, u'0');
          while (i + 1 < p.size() && p[i + 1].tipo == Peca::Digito) ++i;
        } else {
          r += u'.';
        }
        break;
      case Peca::Data: {
        const QChar l = x.letra;
        auto dois = [&](int v) { return x.qtd >= 2 ? QString::number(v).rightJustified(2, u'0') : QString::number(v); };
        if (l == u'y') {
          r += x.qtd <= 2 ? QString::number(ano % 100).rightJustified(2, u'0') : QString::number(ano);
        } else if (l == u'd') {
          if (x.qtd <= 2) r += dois(diaMes);
          else {
            const QString nome = QString::fromUtf8(kDias[diaSemana - 1]);
            r += x.qtd == 3 ? nome.left(3) : nome;
          }
        } else if (l == u'h') {
          int h = hora.hour();
          if (doze) h = h % 12 == 0 ? 12 : h % 12;
          r += dois(h);
        } else if (l == u's') {
          r += dois(hora.second());
        } else {  // m: minutes after hours or before seconds, otherwise the month
          bool minutos = false;
          for (qsizetype j = i - 1; j >= 0; --j)
            if (p[j].tipo == Peca::Data || p[j].tipo == Peca::Decorrido) {
              minutos = p[j].letra == u'h';
              break;
            }
          for (qsizetype j = i + 1; !minutos && j < p.size(); ++j)
            if (p[j].tipo == Peca::Data || p[j].tipo == Peca::Decorrido) {
              minutos = p[j].letra == u's';
              break;
            }
          if (minutos || x.qtd > 5) {
            r += dois(hora.minute());
          } else if (x.qtd <= 2) {
            r += dois(mes);
          } else {
            const QString nome = QString::fromUtf8(kMeses[mes - 1]);
            r += x.qtd == 3 ? nome.left(3) : x.qtd == 4 ? nome : nome.left(1);
          }
        }
        break;
      }
      default: break;
    }
  }
  return r;
}

QString numeroFormatado(double v, const QList<Peca>& p, bool sinal) {
  // Where the parts of the number are.
  qsizetype ponto = -1, expoente = -1, ultimoDigito = -1, primeiroDigito = -1;
  int porcentos = 0;
  for (qsizetype i = 0; i < p.size(); ++i) {
    const Peca& x = p[i];
    if (x.tipo == Peca::Digito) {
      if (primeiroDigito < 0) primeiroDigito = i;
      if (expoente < 0) ultimoDigito = i;
    } else if (x.tipo == Peca::Ponto && ponto < 0 && expoente < 0) {
      ponto = i;
    } else if (x.tipo == Peca::Expoente && expoente < 0) {
      expoente = i;
    } else if (x.tipo == Peca::Porcento) {
      ++porcentos;
    }
  }
  if (primeiroDigito < 0) {
    // No digits: literals, and General or @ where they stand.
    QString r;
    for (const Peca& x : p) {
      if (x.tipo == Peca::Literal) r += x.texto;
      else if (x.tipo == Peca::Geral || x.tipo == Peca::Texto) r += numeroGeral(sinal ? v : std::fabs(v));
      else if (x.tipo == Peca::Porcento) r += u'%';
    }
    return r;
  }
  const qsizetype fimInteiro = ponto >= 0 ? ponto : (expoente >= 0 ? expoente : p.size());
  const qsizetype fimDecimal = expoente >= 0 ? expoente : p.size();
  bool agrupa = false;
  int escala = 0;
  QList<qsizetype> posInt, posDec, posExp;
  for (qsizetype i = 0; i < p.size(); ++i) {
    if (p[i].tipo == Peca::Digito) {
      if (i < fimInteiro) posInt << i;
      else if (i < fimDecimal) posDec << i;
      else posExp << i;
    } else if (p[i].tipo == Peca::Virgula && i < fimDecimal) {
      // Between digits of the integer part: thousands; after the last
      // digit: the number is shown in thousands.
      if (i > ultimoDigito) ++escala;
      else if (i > primeiroDigito && i < fimInteiro) agrupa = true;
    }
  }
  double a = std::fabs(v) * std::pow(100.0, porcentos) / std::pow(1000.0, escala);
  const int casas = int(posDec.size());
  int exp10 = 0;
  if (expoente >= 0 && a != 0) {
    const int inteiros = std::max<int>(1, int(posInt.size()));
    exp10 = int(std::floor(std::log10(a))) - (inteiros - 1);
    a = a / std::pow(10.0, exp10);
    if (std::round(a * std::pow(10.0, casas)) >= std::pow(10.0, inteiros + casas)) {
      a /= 10;
      ++exp10;
    }
  }
  const QString fixo = fixoDecimal(a, casas);
  const qsizetype pp = fixo.indexOf(u'.');
  QString inteiro = pp < 0 ? fixo : fixo.left(pp);
  QString decimal = pp < 0 ? QString() : fixo.mid(pp + 1);
  const bool negativo = sinal && v < 0 && temDigitoNaoZero(fixo);
  // Integer digits: at least as many as the format's zeros.
  int zeros = 0;
  for (qsizetype i : posInt) zeros += p[i].letra == u'0';
  if (inteiro == QLatin1String("0") && zeros == 0) inteiro.clear();
  if (inteiro.size() < zeros) inteiro = inteiro.rightJustified(zeros, u'0');

  QList<QString> saida(p.size());
  if (agrupa || posInt.isEmpty()) {
    if (!posInt.isEmpty()) saida[posInt.first()] = agrupa ? agrupar(inteiro) : inteiro;
  } else {
    // Right to left over the placeholders; the leftmost takes what is left.
    qsizetype k = inteiro.size();
    for (qsizetype j = posInt.size() - 1; j >= 0; --j) {
      const Peca& x = p[posInt[j]];
      if (j == 0) saida[posInt[j]] = inteiro.left(k);
      else if (k > 0) saida[posInt[j]] = inteiro.mid(--k, 1);
      else saida[posInt[j]] = x.letra == u'?' ? QStringLiteral(" ") : QString();
      if (j == 0 && k == 0 && x.letra == u'?') saida[posInt[j]] = QStringLiteral(" ");
    }
  }
  // Decimals: trailing zeros under "#" go, under "?" become blanks.
  qsizetype ultimoMostrado = -1;
  for (qsizetype j = 0; j < posDec.size(); ++j)
    if (p[posDec[j]].letra == u'0' || temDigitoNaoZero(QStringView(decimal).mid(j)))
      ultimoMostrado = j;
  for (qsizetype j = 0; j < posDec.size(); ++j) {
    if (j <= ultimoMostrado) saida[posDec[j]] = decimal.mid(j, 1);
    else if (p[posDec[j]].letra == u'?') saida[posDec[j]] = QStringLiteral(" ");
  }
  QString r;
  for (qsizetype i = 0; i < p.size(); ++i) {
    const Peca& x = p[i];
    switch (x.tipo) {
      case Peca::Literal: r += x.texto; break;
      case Peca::Digito:
        if (i >= fimDecimal) break;
        r += saida[i];
        break;
      case Peca::Ponto:
        if (i == ponto) {
          if (ultimoMostrado >= 0) r += u',';
        } else {
          r += u'.';
        }
        break;
      case Peca::Porcento: r += u'%'; break;
      case Peca::Expoente: {
        int minimo = 0;
        for (qsizetype j : posExp) minimo += p[j].letra == u'0';
        r += u'E';
        if (exp10 < 0) r += u'-';
        else if (x.texto == QLatin1String("+")) r += u'+';
        r += QString::number(std::abs(exp10)).rightJustified(std::max(minimo, 1), u'0');
        break;
      }
      case Peca::Geral:
      case Peca::Texto: r += numeroGeral(std::fabs(v)); break;
      default: break;
    }
  }
  return negativo ? u'-' + r : r;
}

}  // namespace

QString formatoEmbutido(int id) {
  switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 5: case 6: case 42: return QStringLiteral("\"R$ \"#,##0;\\-\"R$ \"#,##0");
    case 7: case 8: case 44: return QStringLiteral("\"R$ \"#,##0.00;\\-\"R$ \"#,##0.00");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 11: return QStringLiteral("0.00E+00");
    case 12: case 13: return QString();  // fractions: shown as decimals
    case 14: return QStringLiteral("dd/mm/yyyy");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("hh:mm");
    case 21: return QStringLiteral("hh:mm:ss");
    case 22: return QStringLiteral("dd/mm/yyyy hh:mm");
    case 37: case 38: case 41: return QStringLiteral("#,##0;-#,##0");
    case 39: case 40: case 43: return QStringLiteral("#,##0.00;-#,##0.00");
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mm:ss.0");
    case 48: return QStringLiteral("##0.0E+0");
    case 49: return QStringLiteral("@");
    default:
      if ((id >= 27 && id <= 36) || (id >= 50 && id <= 58)) return QStringLiteral("dd/mm/yyyy");
      return QString();
  }
}

bool formatoDeData(const QString& codigo) {
  const QStringList s = secoes(codigo);
  return !s.isEmpty() && temData(pecas(s.first()));
}

namespace {

char16_t codigo(QChar c) { return c.unicode(); }
char16_t codigo(char c) { return char16_t(uchar(c)); }

// Where the text of a plain decimal that numeroGeralDoTexto accepts ends
// once its trailing decimal zeros (and a bare point) are dropped, and where
// its point is (-1 for none); false for any other text.
template <typename Texto>
bool cortarNumeroGeral(const Texto& t, qsizetype& fim, qsizetype& ponto) {
  qsizetype i = 0, significativos = 0;
  ponto = -1;
  bool inicio = true;
  auto cod = [&](qsizetype k) { return codigo(t[k]); };
  if (i < t.size() && cod(i) == u'-') ++i;
  const qsizetype digitosIni = i;
  for (; i < t.size(); ++i) {
    const char16_t c = cod(i);
    if (c == u'.' && ponto < 0) {
      ponto = i;
    } else if (c >= u'0' && c <= u'9') {
      if (c != u'0') inicio = false;
      if (!inicio) ++significativos;
    } else {
      return false;
    }
  }
  // Leading zeros ("007") or a bare sign or point are left to the
  // conversion, and so are more digits than the sheet shows.
  if (i == digitosIni || significativos > 15 || ponto == digitosIni || ponto == t.size() - 1) return false;
  if (cod(digitosIni) == u'0' && (ponto < 0 ? t.size() - digitosIni > 1 : ponto - digitosIni > 1)) return false;
  fim = t.size();
  if (ponto >= 0) {
    while (fim > ponto + 1 && cod(fim - 1) == u'0') --fim;
    if (fim == ponto + 1) fim = ponto;
  }
  return true;
}

}  // namespace

bool numeroGeralDoTexto(QStringView t, QString& r) {
  qsizetype fim, ponto;
  if (!cortarNumeroGeral(t, fim, ponto)) return false;
  r = t.first(fim).toString();
  if (r == QLatin1String("-0")) r = QStringLiteral("0");
  if (ponto >= 0 && ponto < fim) r[ponto] = u',';
  return true;
}

bool anexarNumeroGeralDoTexto(QByteArrayView t, QString& destino) {
  qsizetype fim, ponto;
  if (!cortarNumeroGeral(t, fim, ponto)) return false;
  if (fim == 2 && t[0] == '-' && t[1] == '0') {
    destino += u'0';
    return true;
  }
  const qsizetype antes = destino.size();
  destino.resize(antes + fim);
  QChar* d = destino.data() + antes;
  for (qsizetype k = 0; k < fim; ++k) d[k] = QChar(char16_t(k == ponto ? ',' : t[k]));
  return true;
}

QString numeroGeral(double valor) {
  if (!std::isfinite(valor)) return QString::number(valor);
  if (std::fabs(valor) < 1e15 && valor == std::floor(valor)) return QString::number(qint64(valor));
  // The 15 significant digits the sheet shows, as "[-]d.dddddddddddddde[+-]XX"
  // (a tie rounds away from zero, as the sheet does): no float noise ever
  // reaches the text.
  const QByteArray emE = QByteArray::number(valor, 'e', 14);
  const std::string_view e(emE.constData(), size_t(emE.size()));
  const bool negativo = e.front() == '-';
  const size_t posE = e.find('e');
  if (posE == std::string_view::npos || posE + 1 >= e.size()) return QString::number(valor);
  int expoente = 0;
  const char* iniExpoente = e.data() + posE + 1;
  if (*iniExpoente == '+') ++iniExpoente;  // from_chars takes only "-"
  std::from_chars(iniExpoente, e.data() + e.size(), expoente);
  std::string digitos;  // the 15 digits, without the point
  digitos += e[negativo ? 1 : 0];
  digitos += e.substr(negativo ? 3 : 2, posE - (negativo ? 3 : 2));
  while (digitos.size() > 1 && digitos.back() == '0') digitos.pop_back();
  QString r;
  if (negativo) r += u'-';
  if (expoente >= 15 || expoente < -9) {
    r += QLatin1Char(digitos[0]);
    if (digitos.size() > 1) {
      r += u',';
      r += QLatin1StringView(digitos.data() + 1, qsizetype(digitos.size() - 1));
    }
    r += u'E';
    r += expoente < 0 ? u'-' : u'+';
    r += QString::number(std::abs(expoente)).rightJustified(2, u'0');
  } else if (expoente < 0) {
    r += QLatin1StringView("0,");
    r += QString(-expoente - 1, u'0');
    r += QLatin1StringView(digitos.data(), qsizetype(digitos.size()));
  } else {
    const size_t inteiros = size_t(expoente) + 1;
    if (digitos.size() <= inteiros) {
      r += QLatin1StringView(digitos.data(), qsizetype(digitos.size()));
      r += QString(qsizetype(inteiros - digitos.size()), u'0');
    } else {
      r += QLatin1StringView(digitos.data(), qsizetype(inteiros));
      r += u',';
      r += QLatin1StringView(digitos.data() + inteiros, qsizetype(digitos.size() - inteiros));
    }
  }
  return r;
}

QDateTime dataDoSerial(double serial, bool data1904) {
  if (!std::isfinite(serial) || serial < 0 || serial > 2958466) return {};
  const double dias = std::floor(serial);
  const qint64 ms = qint64(std::llround((serial - dias) * 86400000.0));
  // Day 60 of the 1900 system, a 29/02/1900 no calendar has, is taken as
  // the day before it.
  const qint64 n = qint64(dias);
  const QDate dia = diaDoSerial(!data1904 && n == 60 ? 59 : n, data1904);
  if (!dia.isValid()) return {};
  // In UTC: a serial number is a wall-clock time, with no zone to look up.
  return QDateTime(dia, QTime(0, 0), Qt::UTC).addMSecs(ms);
}

bool serialDaData(const QDateTime& dt, double& serial) {
  if (!dt.isValid()) return false;
  qint64 dias = QDate(1899, 12, 30).daysTo(dt.date());
  if (dias < 61) --dias;  // before 01/03/1900, as diaDoSerial() counts them
  if (dias < 1) return false;
  serial = double(dias) + double(dt.time().msecsSinceStartOfDay()) / 86400000.0;
  return true;
}

QString textoData(const QDate& data) { return data.toString(QStringLiteral("dd/MM/yyyy")); }

QString textoDataHora(const QDateTime& dt) {
  if (dt.time() == QTime(0, 0)) return textoData(dt.date());
  return textoData(dt.date()) + u' ' +
         dt.time().toString(dt.time().second() == 0 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
}

QString textoBooleano(bool valor) { return valor ? QStringLiteral("VERDADEIRO") : QStringLiteral("FALSO"); }

struct CLFormatoNumero::Secoes {
  QList<QList<Peca>> lista;
  // The first section shows only the date in digits (d, dd, m, mm, yy,
  // yyyy) and literals: whole serial days are written without the general
  // formatting.
  bool dataSimples = false;
};

namespace {

bool soDataEmDigitos(const QList<Peca>& p) {
  bool temData = false;
  for (const Peca& x : p) {
    if (x.tipo == Peca::Literal) continue;
    if (x.tipo != Peca::Data) return false;
    if (x.letra == u'y') {
      temData = true;
    } else if (x.letra == u'd' || x.letra == u'm') {
      // mmm.. are month names and ddd.. weekdays.
      if (x.qtd > 2) return false;
      temData = true;
    } else {
      return false;  // hours, minutes, seconds
    }
  }
  return temData;
}

// Appends a number of at least `largura` digits (zeros in front).
void anexarInteiro(QString& destino, int valor, int largura) {
  char16_t buf[12];
  int n = 0;
  do {
    buf[n++] = char16_t(u'0' + valor % 10);
    valor /= 10;
  } while (valor > 0 && n < 12);
  while (n < largura) buf[n++] = u'0';
  while (n > 0) destino += QChar(buf[--n]);
}

}  // namespace

CLFormatoNumero::CLFormatoNumero(const QString& codigo) {
  const QString c = codigo.trimmed();
  if (c.isEmpty() || c.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 ||
      c.compare(QLatin1String("Geral"), Qt::CaseInsensitive) == 0 || c == QLatin1String("@"))
    return;
  auto secoesLidas = std::make_shared<Secoes>();
  for (const QString& s : secoes(c)) secoesLidas->lista << pecas(s);
  gData = temData(secoesLidas->lista.first());
  secoesLidas->dataSimples = soDataEmDigitos(secoesLidas->lista.first());
  gSecoes = std::move(secoesLidas);
}

QString CLFormatoNumero::formatar(double valor, bool data1904) const {
  if (!gSecoes) return numeroGeral(valor);
  const QList<QList<Peca>>& s = gSecoes->lista;
  const QList<Peca>* p = &s.first();
  bool sinal = true;
  if (s.size() >= 3 && valor == 0) {
    p = &s[2];
  } else if (s.size() >= 2 && valor < 0) {
    p = &s[1];
    sinal = false;
  }
  if (temData(*p)) return valor < 0 ? numeroGeral(valor) : dataFormatada(valor, *p, data1904).trimmed();
  return numeroFormatado(valor, *p, sinal).trimmed();
}

void CLFormatoNumero::anexar(double valor, bool data1904, QString& destino) const {
  // A whole number of days after the start of the calendar, under a plain
  // date format: as dataFormatada() shows it, without building pieces.
  if (!gSecoes || !gSecoes->dataSimples || !(valor > 0) || valor > 2958466 || valor != std::floor(valor)) {
    destino += formatar(valor, data1904);
    return;
  }
  const qint64 dia = qint64(valor);
  int ano = 1900, mes = 2, diaMes = 29;  // day 60 of the 1900 system
  if (data1904 || dia != 60) {
    const QDate d = diaDoSerial(dia, data1904);
    if (!d.isValid()) {
      destino += formatar(valor, data1904);
      return;
    }
    d.getDate(&ano, &mes, &diaMes);
  }
  const qsizetype inicio = destino.size();
  for (const Peca& x : gSecoes->lista.first()) {
    if (x.tipo == Peca::Literal) {
      destino += x.texto;
    } else if (x.letra == u'y') {
      if (x.qtd <= 2) anexarInteiro(destino, ano % 100, 2);
      else anexarInteiro(destino, ano, 1);
    } else {
      anexarInteiro(destino, x.letra == u'd' ? diaMes : mes, x.qtd >= 2 ? 2 : 1);
    }
  }
  // Trimmed, as formatar() gives it.
  qsizetype fim = destino.size();
  while (fim > inicio && destino.at(fim - 1).isSpace()) --fim;
  destino.truncate(fim);
  qsizetype primeiro = inicio;
  while (primeiro < fim && destino.at(primeiro).isSpace()) ++primeiro;
  if (primeiro > inicio) destino.remove(inicio, primeiro - inicio);
}

QString formatarNumero(double valor, const QString& codigo, bool data1904) {
  return CLFormatoNumero(codigo).formatar(valor, data1904);
}

}  // namespace mivo
