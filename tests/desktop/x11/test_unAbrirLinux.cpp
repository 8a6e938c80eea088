// Opening programs, documents and links.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "unAbrirLinux.h"
#include "unTextoDesktop.h"

using namespace mivo;
namespace fs = std::filesystem;

namespace {

std::string ler(const fs::path& arquivo) {
  std::ifstream f(arquivo);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Waits, polling, until `arquivo` holds a whole line.
std::string aguardarLinha(const fs::path& arquivo) {
  const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::string texto;
  while ((texto = ler(arquivo)).find('\n') == std::string::npos && std::chrono::steady_clock::now() < fim) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return texto;
}

class AbrirLinux : public ::testing::Test {
 protected:
  void SetUp() override {
    char modelo[] = "/tmp/mivo-abrir-XXXXXX";
    ASSERT_NE(mkdtemp(modelo), nullptr);
    pasta = modelo;
    const char* path = std::getenv("PATH");
    pathAntes = path ? path : "";
    // A program and a stand-in for xdg-open that write what they got.
    escreverScript(pasta / "programa-mivo", "echo programa \"$@\" > " + (pasta / "saida.txt").string());
    escreverScript(pasta / "xdg-open", "echo xdg-open \"$@\" > " + (pasta / "saida.txt").string());
    setenv("PATH", (pasta.string() + ":" + pathAntes).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", pathAntes.c_str(), 1);
    fs::remove_all(pasta);
  }
  void escreverScript(const fs::path& caminho, const std::string& corpo) {
    std::ofstream(caminho) << "#!/bin/sh\n" << corpo << "\n";
    fs::permissions(caminho, fs::perms::owner_all);
  }
  fs::path pasta;
  std::string pathAntes;
};

}  // namespace

TEST_F(AbrirLinux, ProgramasDocumentosEEnderecos) {
  std::ofstream(pasta / "documento com espaço.txt") << "oi";
  struct Caso {
    std::string comando;
    std::string saida;
  };
  const Caso casos[] = {
      {"programa-mivo", "programa\n"},                                    // a name found in PATH
      {(pasta / "programa-mivo").string(), "programa\n"},                // a path
      {"  programa-mivo  ", "programa\n"},                                // blanks around it
      {"https://exemplo.com.br/a?b=1", "xdg-open https://exemplo.com.br/a?b=1\n"},
      {"mailto:alguem@exemplo.com.br", "xdg-open mailto:alguem@exemplo.com.br\n"},
      {(pasta / "documento com espaço.txt").string(),
       "xdg-open " + (pasta / "documento com espaço.txt").string() + "\n"},
      {pasta.string(), "xdg-open " + pasta.string() + "\n"},             // a folder
  };
  for (const auto& c : casos) {
    fs::remove(pasta / "saida.txt");
    ASSERT_TRUE(abrirNoShellLinux(c.comando)) << c.comando;
    EXPECT_EQ(aguardarLinha(pasta / "saida.txt"), c.saida) << c.comando;
  }
}

TEST_F(AbrirLinux, RecusaOQueNaoExisteOuNaoTemComoAbrir) {
  for (const std::string comando : {"", "   ", "/nao/existe/arquivo.txt", "programa-que-nao-existe-mivo"}) {
    EXPECT_FALSE(abrirNoShellLinux(comando)) << comando;
  }
  // Without xdg-open, addresses cannot be opened.
  fs::remove(pasta / "xdg-open");
  setenv("PATH", pasta.c_str(), 1);
  EXPECT_FALSE(abrirNoShellLinux("https://exemplo.com.br"));
  EXPECT_TRUE(abrirNoShellLinux("programa-mivo"));
}
