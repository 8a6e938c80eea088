// The running programs, read from /proc.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "unProcessosLinux.h"
#include "unTextoDesktop.h"

using namespace mivo;
namespace fs = std::filesystem;

TEST(ProcessosLinux, ListaEsteProcessoPeloNomeDoExecutavel) {
  const std::string proprio = fs::read_symlink("/proc/self/exe").filename();
  const auto programas = listarProgramasLinux();
  const auto it = std::find_if(programas.begin(), programas.end(),
                               [](const auto& p) { return p.processo == static_cast<ProcessoId>(getpid()); });
  ASSERT_NE(it, programas.end());
  EXPECT_EQ(it->arquivo, utf16DeUtf8(proprio));
  EXPECT_GT(programas.size(), 1u);
  EXPECT_TRUE(listarProgramasLinux("/pasta/que/nao/existe").empty());
}
