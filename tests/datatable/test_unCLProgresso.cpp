#include <gtest/gtest.h>

#include "impressaoQt.h"
#include "unCLProgresso.h"

using namespace mivo;

TEST(CLProgresso, ContagemNoPadraoDasLegendas) {
  EXPECT_EQ(formatarContagem(0), QString());
  EXPECT_EQ(formatarContagem(999), QStringLiteral("999"));
  EXPECT_EQ(formatarContagem(1234), QStringLiteral("1.234"));
  EXPECT_EQ(formatarContagem(1234567), QStringLiteral("1.234.567"));
  EXPECT_EQ(formatarContagem(1000), QStringLiteral("1.000"));
  EXPECT_EQ(formatarContagem(-1234), QStringLiteral("-1.234"));
}
