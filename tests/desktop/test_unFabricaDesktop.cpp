#include <gtest/gtest.h>

#include <QString>

#include "unFabricaDesktop.h"

using namespace mivo;

namespace {

std::u16string exemplo() { return QStringLiteral(MIVO_CENARIOS_DIR "/exemplo.json").toStdU16String(); }

}  // namespace

TEST(FabricaDesktop, SemBackendDaPlataformaPedeOSimulado) {
  if (MIVO_TEM_DESKTOP_REAL) GTEST_SKIP() << "este sistema tem um backend real, testado em separado";
  const DesktopCriado criado = criarDesktop({});
  EXPECT_EQ(criado.desktop, nullptr);
  EXPECT_EQ(criado.erro, u"Este sistema ainda não tem um backend de área de trabalho; use --simular");
}

TEST(FabricaDesktop, SimuladoComCenarioObservadorEEspera) {
  std::vector<std::string> linhas;
  std::vector<int> esperas;
  OpcoesDesktop opcoes;
  opcoes.simular = true;
  opcoes.cenario = exemplo();
  opcoes.observador = [&](const std::string& linha) { linhas.push_back(linha); };
  opcoes.dormir = [&](int ms) { esperas.push_back(ms); };
  const DesktopCriado criado = criarDesktop(opcoes);
  ASSERT_NE(criado.desktop, nullptr);
  EXPECT_TRUE(criado.erro.empty());
  CLDesktop& desktop = *criado.desktop;
  EXPECT_EQ(desktop.telaTamanho(), (TamanhoTela{1366, 768}));
  desktop.janelaAtivar(desktop.janelaPorTitulo(u"mensageiro"));
  desktop.dormir(250);
  EXPECT_EQ(linhas, (std::vector<std::string>{"Desktop: janela ativada \"Mensageiro\""}));
  EXPECT_EQ(esperas, (std::vector<int>{250}));
}

TEST(FabricaDesktop, SimuladoSemCenarioComecaVazio) {
  OpcoesDesktop opcoes;
  opcoes.simular = true;
  const DesktopCriado criado = criarDesktop(opcoes);
  ASSERT_NE(criado.desktop, nullptr);
  EXPECT_TRUE(criado.desktop->janelasEmOrdem().empty());
  criado.desktop->teclaPressionar(tecla::kEnter);  // no observer: nothing breaks
}

TEST(FabricaDesktop, CenarioInvalidoNaoCriaDesktop) {
  OpcoesDesktop opcoes;
  opcoes.simular = true;
  opcoes.cenario = u"/nao/existe.json";
  const DesktopCriado criado = criarDesktop(opcoes);
  EXPECT_EQ(criado.desktop, nullptr);
  EXPECT_EQ(criado.erro, u"Cenário \"/nao/existe.json\": arquivo não encontrado");
}
