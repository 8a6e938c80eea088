// Reaching the X server, and its faults: no display, a display that refuses
// or never answers, a server that dies in the middle of a run.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "unConexaoX11.h"
#include "unFabricaDesktop.h"
#include "unServidorXTeste.h"
#include "unTextoDesktop.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

using Relogio = std::chrono::steady_clock;

// Sets an environment variable for the scope, putting the old value back.
struct AmbienteTemporario {
  std::string nome;
  std::optional<std::string> antes;
  AmbienteTemporario(const std::string& n, const char* valor) : nome(n) {
    if (const char* v = std::getenv(n.c_str())) antes = v;
    if (valor) setenv(n.c_str(), valor, 1);
    else unsetenv(n.c_str());
  }
  ~AmbienteTemporario() {
    if (antes) setenv(nome.c_str(), antes->c_str(), 1);
    else unsetenv(nome.c_str());
  }
};

// A TCP port of the X range (6000 + display) that accepts connections and
// never says a word; -1 when none is free.
int servidorMudo(int& tela) {
  const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  for (tela = 90; tela < 200; ++tela) {
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_port = htons(static_cast<uint16_t>(6000 + tela));
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0 && listen(s, 4) == 0) return s;
  }
  close(s);
  return -1;
}

}  // namespace

TEST(ConexaoX11, FabricaSemTelaOuComTelaInexistente) {
  struct Caso {
    const char* display;
    std::u16string erro;
  };
  const Caso casos[] = {
      {nullptr, u"Não foi possível conectar à tela X: a variável DISPLAY não está definida"},
      {"", u"Não foi possível conectar à tela X: a variável DISPLAY não está definida"},
      {":4987", u"Não foi possível conectar à tela X \":4987\": o servidor não existe ou recusou a conexão"},
      {"tela-que-nao-existe.invalid:3",
       u"Não foi possível conectar à tela X \"tela-que-nao-existe.invalid:3\": o servidor não existe ou recusou a conexão"},
  };
  for (const auto& c : casos) {
    AmbienteTemporario display("DISPLAY", c.display);
    const auto inicio = Relogio::now();
    const DesktopCriado criado = criarDesktop({});
    EXPECT_EQ(criado.desktop, nullptr);
    EXPECT_EQ(criado.erro, c.erro) << (c.display ? c.display : "(sem DISPLAY)");
    EXPECT_LT(Relogio::now() - inicio, std::chrono::seconds(3));
  }
}

TEST(ConexaoX11, ServidorQueNuncaRespondeTemLimite) {
  int tela = 0;
  const int mudo = servidorMudo(tela);
  if (mudo < 0) GTEST_SKIP() << "nenhuma porta livre para o servidor mudo";
  const std::string nome = "127.0.0.1:" + std::to_string(tela);
  std::u16string erro;
  const auto inicio = Relogio::now();
  EXPECT_EQ(CLConexaoX11::abrir(nome, erro, 300), nullptr);
  EXPECT_LT(Relogio::now() - inicio, std::chrono::seconds(2));
  EXPECT_EQ(erro, u"Não foi possível conectar à tela X \"" + utf16DeUtf8(nome) +
                      u"\": o servidor não respondeu em 300 ms");
  close(mudo);
}

class ConexaoX11ComTela : public TesteX11 {};

TEST_F(ConexaoX11ComTela, FabricaUsaATelaDoAmbiente) {
  AmbienteTemporario display("DISPLAY", tela.c_str());
  const DesktopCriado criado = criarDesktop({});
  ASSERT_NE(criado.desktop, nullptr) << std::string(criado.erro.begin(), criado.erro.end());
  EXPECT_EQ(criado.desktop->telaTamanho(), (TamanhoTela{1280, 800}));
}

TEST_F(ConexaoX11ComTela, ServidorQueMorreNoMeioDaExecucao) {
  CLServidorXTeste servidor;
  std::string motivo;
  ASSERT_TRUE(servidor.iniciar(/*comGerenciador=*/false, motivo)) << motivo;
  std::u16string erro;
  auto vitima = CLDesktopX11::criar(servidor.nome(), erro);
  ASSERT_NE(vitima, nullptr);
  CLAlvoTeste alvo;
  ASSERT_TRUE(alvo.iniciar(servidor.nome(), {}));
  ASSERT_TRUE(vitima->janelaAtivar(JanelaId{alvo.janela()}));
  ASSERT_TRUE(vitima->areaTransferenciaDefinirTexto(u"antes"));
  vitima->caractereDigitar(U'ã');  // a keycode is lent when the server dies

  servidor.derrubar();
  const auto inicio = Relogio::now();
  vitima->teclaPressionar(tecla::kEnter);
  vitima->teclaSoltar(tecla::kEnter);
  vitima->caractereDigitar(U'õ');
  vitima->cursorPosicionar({10, 10});
  vitima->botaoPressionar(BotaoMouse::Esquerdo);
  vitima->rodaGirar(120);
  EXPECT_TRUE(vitima->conexaoPerdida());
  EXPECT_EQ(vitima->cursorPosicao(), (PontoTela{}));
  EXPECT_EQ(vitima->pixelCor({1, 1}), kCorInvalida);
  EXPECT_EQ(vitima->telaTamanho(), (TamanhoTela{}));
  EXPECT_EQ(vitima->teclaEstado(tecla::kShift), 0);
  EXPECT_EQ(vitima->janelaPrimeiroPlano(), JanelaId::Nenhuma);
  EXPECT_TRUE(vitima->janelasEmOrdem().empty());
  EXPECT_EQ(vitima->janelaTitulo(JanelaId{alvo.janela()}), u"");
  EXPECT_FALSE(vitima->janelaAtivar(JanelaId{alvo.janela()}));
  EXPECT_FALSE(vitima->janelaMover(JanelaId{alvo.janela()}, {0, 0, 10, 10}));
  EXPECT_EQ(vitima->areaTransferenciaTexto(), std::nullopt);
  EXPECT_FALSE(vitima->areaTransferenciaDefinirTexto(u"depois"));
  vitima.reset();  // closing the dead connection gives nothing back and ends nothing
  EXPECT_LT(Relogio::now() - inicio, std::chrono::seconds(3));
}
