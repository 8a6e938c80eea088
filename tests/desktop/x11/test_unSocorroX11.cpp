// The crash rescue of the X11 desktop: a program that crashes while it
// holds keys and a button leaves nothing down on the server. The program
// (quedaX11) keeps its connections open past the crash through a guard
// process, so only the crash handler can have released them. After SIGKILL
// nothing can be released from inside: the README's recovery command does it.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace mivo;
using namespace mivo::teste;
namespace fs = std::filesystem;

namespace {

std::string lerArquivo(const fs::path& caminho) {
  std::ifstream f(caminho);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The command the README gives for keys left down after a SIGKILL.
std::string comandoDoReadme() {
  std::ifstream readme(MIVO_README);
  for (std::string linha; std::getline(readme, linha);) {
    const auto inicio = linha.find("xdotool keyup");
    if (inicio != std::string::npos) return linha.substr(inicio);
  }
  return {};
}

}  // namespace

class SocorroX11 : public TesteX11 {
 protected:
  // Starts quedaX11 in `modo` and waits until it holds its keys; the guard's pid.
  pid_t segurar(CLProcessoTeste& queda, const char* modo, const fs::path& saida) {
    fs::remove(saida);
    CLProcessoTeste::Opcoes opcoes;
    opcoes.ambiente = {{"DISPLAY", tela}};
    opcoes.entrada = true;
    opcoes.saida = saida.string();
    EXPECT_TRUE(queda.iniciar({MIVO_QUEDA_X11, modo}, opcoes));
    EXPECT_TRUE(aguardar([&] { return lerArquivo(saida).find("segurando") != std::string::npos; }, 10000))
        << lerArquivo(saida);
    pid_t guarda = -1;
    std::istringstream(lerArquivo(saida).substr(std::string("guarda ").size())) >> guarda;
    return guarda;
  }
};

TEST_F(SocorroX11, QuedaSoltaAsTeclasEOBotaoSegurados) {
  struct Caso {
    const char* modo;
    int sinal;
  };
  const int seguradas[] = {tecla::kCtrl, 'A', tecla::kBotaoEsquerdo};
  for (const Caso& c : {Caso{"segv", SIGSEGV}, Caso{"abort", SIGABRT}}) {
    SCOPED_TRACE(c.modo);
    const fs::path saida = fs::temp_directory_path() / ("mivo-queda-" + std::to_string(getpid()) + ".txt");
    CLProcessoTeste queda;
    const pid_t guarda = segurar(queda, c.modo, saida);
    ASSERT_GT(guarda, 0) << lerArquivo(saida);
    for (int t : seguradas) EXPECT_TRUE(desktop->teclaEstado(t) & kTeclaPressionada) << t;

    queda.escrever("vai\n");
    int status = 0;
    ASSERT_TRUE(queda.aguardarFim(10000, &status));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.sinal) << status;
    // The guard still holds the crashed program's connections open.
    EXPECT_EQ(kill(guarda, 0), 0);
    for (int t : seguradas) {
      EXPECT_TRUE(aguardar([&] { return !(desktop->teclaEstado(t) & kTeclaPressionada); })) << t;
    }
    kill(guarda, SIGKILL);
    fs::remove(saida);
  }
}

TEST_F(SocorroX11, ComandoDoReadmeSoltaOQueUmSigkillDeixou) {
  if (!programaInstalado("xdotool")) GTEST_SKIP() << "o xdotool não está instalado";
  const std::string comando = comandoDoReadme();
  ASSERT_FALSE(comando.empty()) << "o README não traz o comando";
  const fs::path saida = fs::temp_directory_path() / ("mivo-sigkill-" + std::to_string(getpid()) + ".txt");
  CLProcessoTeste queda;
  const pid_t guarda = segurar(queda, "segurar", saida);
  ASSERT_GT(guarda, 0) << lerArquivo(saida);
  kill(queda.pid(), SIGKILL);
  ASSERT_TRUE(queda.aguardarFim(10000));
  const int seguradas[] = {tecla::kCtrl, 'A', tecla::kBotaoEsquerdo};
  for (int t : seguradas) EXPECT_TRUE(desktop->teclaEstado(t) & kTeclaPressionada) << "ainda segura " << t;

  CLProcessoTeste recuperar;
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"DISPLAY", tela}};
  ASSERT_TRUE(recuperar.iniciar({"sh", "-c", comando}, opcoes));
  int status = -1;
  ASSERT_TRUE(recuperar.aguardarFim(10000, &status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << comando;
  for (int t : seguradas) {
    EXPECT_TRUE(aguardar([&] { return !(desktop->teclaEstado(t) & kTeclaPressionada); })) << t;
  }
  kill(guarda, SIGKILL);
  fs::remove(saida);
}
