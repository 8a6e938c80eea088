#include "unFormatoNumero.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

#include <cmath>
#include <iomanip>

using namespace mivo;

TEST(FormatoNumero, NumeroGeralSemRuidoComVirgula) {
  const QList<std::pair<double, QString>> casos = {
      {0, "0"},
      {42, "42"},
      {-42, "-42"},
      {5511987654321.0, "5511987654321"},
      {0.1 + 0.2, "0,3"},
      {1234.5, "1234,5"},
      {1.0 / 3, "0,333333333333333"},
      {123456789012345678.0, "1,23456789012346E+17"},
      {1.5e-20, "1,5E-20"},
      {0.000123, "0,000123"},
  };
  for (const auto& [v, esperado] : casos) EXPECT_EQ(numeroGeral(v), esperado) << v;
}

TEST(FormatoNumero, CodigosDeFormato) {
  struct Caso {
    double valor;
    const char* codigo;
    const char* esperado;
  };
  const QList<Caso> casos = {
      {1234.5, "0", "1235"},
      {1234.5, "0.00", "1234,50"},
      {1.005, "0.00", "1,01"},
      {1234567.891, "#,##0.00", "1.234.567,89"},
      {-1234.5, "#,##0.00", "-1.234,50"},
      {0.5, "#.##", ",5"},
      {3, "0.0#", "3,0"},
      {0.256, "0%", "26%"},
      {0.2567, "0.00%", "25,67%"},
      {1234567, "00000\\-000", "01234-567"},
      {11987654321.0, "(00) 00000-0000", "(11) 98765-4321"},
      {-10.5, "\"R$ \"#,##0.00;\\-\"R$ \"#,##0.00", "-R$ 10,50"},
      {10.5, "[$R$-416] #,##0.00", "R$ 10,50"},
      {-5, "0;[Red](0)", "(5)"},
      {0, "0;-0;\"zero\"", "zero"},
      {12345, "0.00E+00", "1,23E+04"},
      {1500000, "#,##0,\" mil\"", "1.500 mil"},
      {1234.5, "_-* #,##0.00_-", "1.234,50"},
      {7, "@", "7"},
      {7, "General\" un\"", "7 un"},
      {32947, "dd/mm/yyyy", "15/03/1990"},
      {32947, "d/m/yy", "15/3/90"},
      {45366, "dddd, d \"de\" mmmm \"de\" yyyy", "sexta-feira, 15 de março de 2024"},
      {45366, "ddd dd-mmm", "sex 15-mar"},
      {45366.5625, "dd/mm/yyyy hh:mm", "15/03/2024 13:30"},
      {45366.5625, "h:mm AM/PM", "1:30 PM"},
      {0.5625, "hh:mm:ss", "13:30:00"},
      {1.5, "[h]:mm", "36:00"},
      {0.999999999, "hh:mm:ss", "00:00:00"},
      {0.00001, "mm:ss.0", "00:00,9"},
      {60, "dd/mm/yyyy", "29/02/1900"},
      {61, "dd/mm/yyyy", "01/03/1900"},
      // Beyond the last date: the number, as with no format; more digits
      // of a second than a double holds come out as zeros.
      {6.5e173, "[h]:mm", "6,5E+173"},
      {2958467, "dd/mm/yyyy hh:mm", "2958467"},
      {0.5 + 0.25 / 86400, "ss.000000000000", "00,250000000000"},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(formatarNumero(c.valor, QString::fromUtf8(c.codigo)), QString::fromUtf8(c.esperado))
        << c.codigo << " " << c.valor;
}

TEST(FormatoNumero, FormatosEmbutidosEDatas) {
  EXPECT_TRUE(formatoDeData(formatoEmbutido(14)));
  EXPECT_TRUE(formatoDeData(formatoEmbutido(22)));
  EXPECT_TRUE(formatoDeData(QStringLiteral("[$-416]dd/mm/yyyy;@")));
  EXPECT_FALSE(formatoDeData(formatoEmbutido(4)));
  EXPECT_FALSE(formatoDeData(QStringLiteral("\"dia\" 0")));
  EXPECT_EQ(formatarNumero(0, QStringLiteral("dd/mm/yyyy"), true), QStringLiteral("01/01/1904"));
  EXPECT_EQ(formatarNumero(45366, formatoEmbutido(14)), QStringLiteral("15/03/2024"));
}

TEST(FormatoNumero, NumeroGeralArredondaEm15Digitos) {
  const QList<std::pair<double, QString>> casos = {
      {2.9999999999999996, "3"},                      // rounds to a whole number
      {99999999999999.99, "100000000000000"},         // ... with all its digits
      {999999999999999.9, "1E+15"},                   // ... past the fixed range
      {78698.50999999999, "78698,51"},
      {-602.8200000000001, "-602,82"},
      {-0.5, "-0,5"},
      {1e-9, "0,000000001"},                          // the smallest fixed one
      {9.99e-10, "9,99E-10"},
      {-1.5e300, "-1,5E+300"},
      {123456.789012345678, "123456,789012346"},
  };
  for (const auto& [v, esperado] : casos) EXPECT_EQ(numeroGeral(v), esperado) << v;
}

TEST(FormatoNumero, NumeroDoTextoEmBytesIgualAoDoTexto) {
  // The byte version appends to what is there and agrees with the text one,
  // including on what it leaves to the conversion.
  const QList<const char*> casos = {"42",   "-0",    "-0.000", "007",  "1234.50", "0.5",   ".5",
                                    "5.",   "1e5",   "-7.25",  "",     "-",       "0",     "0.0",
                                    "12345678901234567",       "123456789012345", "1.23456789012345",
                                    "-.5",  " 1",    "1.2.3",  "0.000123"};
  for (const char* c : casos) {
    QString texto;
    const bool ok = numeroGeralDoTexto(QString::fromLatin1(c), texto);
    QString bytes = QStringLiteral("antes|");
    EXPECT_EQ(anexarNumeroGeralDoTexto(QByteArrayView(c), bytes), ok) << c;
    EXPECT_EQ(bytes, ok ? QStringLiteral("antes|") + texto : QStringLiteral("antes|")) << c;
  }
}

TEST(FormatoNumero, AnexarIgualAFormatar) {
  // Plain dates are written straight into the destination; everything else
  // goes through formatar. Both must show the same.
  const QStringList codigos = {"dd/mm/yyyy", "d/m/yy",    "yyyy-mm-dd",       " dd/mm/yyyy ", "mm/dd/yyyy",
                               "yyyy",       "d-mmm-yy",  "dd/mm/yyyy hh:mm", "0.00",         "General",
                               "dd/mm/yyyy;@", "\"dia \"d"};
  const QList<double> valores = {1, 59, 60, 61, 366, 32947, 45366, 45366.5, 2958465, 2958466, 2958467,
                                 0, -1, 1e10, 0.25};
  for (const QString& codigo : codigos) {
    const CLFormatoNumero f(codigo);
    for (double v : valores)
      for (bool d1904 : {false, true}) {
        QString r = QStringLiteral("x");
        f.anexar(v, d1904, r);
        EXPECT_EQ(r, QStringLiteral("x") + f.formatar(v, d1904)) << codigo.toStdString() << " " << v << " " << d1904;
      }
  }
  QString r;
  CLFormatoNumero(QStringLiteral("dd/mm/yyyy")).anexar(45366, false, r);
  EXPECT_EQ(r, QStringLiteral("15/03/2024"));
}

// The general format as it was first written (rounding to 15 digits by a
// round trip through text, then printing with as many decimals as the
// magnitude leaves): the faster one must show the very same text.
QString numeroGeralReferencia(double valor) {
  if (std::fabs(valor) < 1e15 && valor == std::floor(valor)) return QString::number(qint64(valor));
  const double v = QString::number(valor, 'g', 15).toDouble();
  const double a = std::fabs(v);
  if (a < 1e15 && v == std::floor(v)) return QString::number(qint64(v));
  QString r;
  if (a >= 1e15 || a < 1e-9) {
    r = QString::number(v, 'e', 14);
    const qsizetype e = r.indexOf(u'e');
    QString mantissa = r.left(e);
    while (mantissa.endsWith(u'0')) mantissa.chop(1);
    if (mantissa.endsWith(u'.')) mantissa.chop(1);
    const int expoente = r.mid(e + 1).toInt();
    r = mantissa + u'E' + (expoente < 0 ? u'-' : u'+') + QString::number(std::abs(expoente)).rightJustified(2, u'0');
  } else {
    r = QString::number(v, 'f', std::max(0, 14 - int(std::floor(std::log10(a)))));
    if (r.contains(u'.')) {
      while (r.endsWith(u'0')) r.chop(1);
      if (r.endsWith(u'.')) r.chop(1);
    }
  }
  return r.replace(u'.', u',');
}

TEST(FormatoNumero, NumeroGeralEmMuitasGrandezas) {
  // Many values one after another, of every size and sign: each text stands
  // on its own, whatever the one before it was.
  quint64 x = 88172645463325252ull;
  auto proximo = [&] {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return x;
  };
  for (int i = 0; i < 5000; ++i) {
    const double mantissa = double(proximo() % (quint64(1) << 53)) / double(quint64(1) << 53);
    const int grandeza = int(proximo() % 61) - 30;
    double v = mantissa * std::pow(10.0, grandeza);
    if (proximo() % 2) v = -v;
    if (v == 0) continue;
    ASSERT_EQ(numeroGeral(v), numeroGeralReferencia(v)) << std::setprecision(17) << v;
  }
}

TEST(FormatoNumero, SerialDaDataDesfazDataDoSerial) {
  // Both sides of the invented 29/02/1900, a date with its time, and the
  // days before the calendar starts.
  for (double serial : {1.0, 59.0, 61.0, 32947.0, 45366.5625}) {
    double volta = -1;
    ASSERT_TRUE(serialDaData(dataDoSerial(serial), volta)) << serial;
    EXPECT_DOUBLE_EQ(volta, serial);
  }
  double serial = 0;
  EXPECT_TRUE(serialDaData(QDateTime(QDate(1900, 3, 1), QTime(0, 0)), serial));
  EXPECT_EQ(serial, 61);
  EXPECT_FALSE(serialDaData(QDateTime(QDate(1899, 12, 31), QTime(12, 0)), serial));
  EXPECT_FALSE(serialDaData(QDateTime(), serial));
}
