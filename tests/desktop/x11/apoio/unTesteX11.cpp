#include "unTesteX11.h"

#include <X11/Xlib.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "unServidorXTeste.h"

namespace mivo::teste {

namespace {

class AmbienteX11 : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!programaInstalado("Xvfb")) {
      gMotivo = "o Xvfb não está instalado";
      return;
    }
    gServidor = std::make_unique<CLServidorXTeste>();
    if (!gServidor->iniciar(/*comGerenciador=*/true, gMotivo)) {
      gServidor.reset();
      gFalhou = true;
      return;
    }
    gTela = gServidor->nome();
    setenv("DISPLAY", gTela.c_str(), 1);
  }
  void TearDown() override { gServidor.reset(); }

  std::unique_ptr<CLServidorXTeste> gServidor;
  std::string gTela;
  std::string gMotivo;
  bool gFalhou = false;
};

AmbienteX11* const gAmbiente =
    static_cast<AmbienteX11*>(::testing::AddGlobalTestEnvironment(new AmbienteX11));

}  // namespace

const std::string& telaDeTeste(std::string* motivo) {
  if (motivo) *motivo = gAmbiente->gMotivo;
  return gAmbiente->gTela;
}

std::vector<unsigned long> mapaDoTeclado(const std::string& tela) {
  Display* d = XOpenDisplay(tela.c_str());
  if (!d) return {};
  int minimo = 0, maximo = 0, porKeycode = 0;
  XDisplayKeycodes(d, &minimo, &maximo);
  KeySym* mapa = XGetKeyboardMapping(d, static_cast<KeyCode>(minimo), maximo - minimo + 1, &porKeycode);
  std::vector<unsigned long> r(mapa, mapa + (maximo - minimo + 1) * porKeycode);
  XFree(mapa);
  XCloseDisplay(d);
  return r;
}

bool definirLayout(const std::string& tela, const std::string& layout, std::string& erro) {
  if (!programaInstalado("setxkbmap")) {
    erro = "o setxkbmap não está instalado (pacote x11-xkb-utils)";
    return false;
  }
  CLProcessoTeste setxkbmap;
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"DISPLAY", tela}};
  int status = -1;
  if (!setxkbmap.iniciar({"setxkbmap", "-layout", layout}, opcoes) || !setxkbmap.aguardarFim(20000, &status) ||
      !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    erro = "setxkbmap -layout " + layout + " falhou";
    return false;
  }
  return true;
}

void TesteX11::SetUp() {
  std::string motivo;
  tela = telaDeTeste(&motivo);
  if (tela.empty() && !gAmbiente->gFalhou) GTEST_SKIP() << "Sem teste de X11: " << motivo;
  ASSERT_FALSE(tela.empty()) << "Servidor X de teste: " << motivo;
  std::u16string erro;
  desktop = CLDesktopX11::criar(tela, erro);
  ASSERT_NE(desktop, nullptr);
}

void TesteX11::TearDown() { desktop.reset(); }

bool TesteX11::aguardar(const std::function<bool()>& condicao, int limiteMs) {
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(limiteMs);
  while (!condicao()) {
    if (std::chrono::steady_clock::now() >= fim) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

std::unique_ptr<CLAlvoTeste> TesteX11::abrirAlvo(const CLAlvoTeste::Opcoes& opcoes) {
  auto alvo = std::make_unique<CLAlvoTeste>();
  const bool ok = alvo->iniciar(tela, opcoes);
  EXPECT_TRUE(ok) << "a janela alvo não abriu: " << alvo->saida();
  const JanelaId id{alvo->janela()};
  EXPECT_TRUE(desktop->janelaAtivar(id));
  EXPECT_TRUE(alvo->aguardarLinha("foco"));
  return alvo;
}

std::unique_ptr<CLAlvoTeste> TesteX11::abrirAlvo(const std::string& titulo) {
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = titulo;
  return abrirAlvo(opcoes);
}

}  // namespace mivo::teste
