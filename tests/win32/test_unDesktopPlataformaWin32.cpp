// The desktop this platform offers: the Win32 one.

#include <gtest/gtest.h>

#include "unCLDesktopWin32.h"
#include "unDesktopPlataforma.h"
#include "unTextoDesktop.h"

using namespace mivo;

TEST(DesktopPlataformaWin32, CriaODesktopDoWindows) {
  std::u16string erro;
  auto criado = criarDesktopDaPlataforma(erro);
  ASSERT_NE(criado, nullptr) << utf8DeUtf16(erro);
  EXPECT_NE(dynamic_cast<CLDesktopWin32*>(criado.get()), nullptr);
  EXPECT_TRUE(erro.empty());
}
