#include "unFormatoNumero.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

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
