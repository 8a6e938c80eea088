// A whole script through mivo-run on the X11 desktop: it finds the target
// window behind another one, waits for its colour, clicks in each frame of
// coordinates and fills it from the data table, row by row.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <filesystem>
#include <fstream>

using namespace mivo;
using namespace mivo::teste;
namespace fs = std::filesystem;

class MivoRunX11 : public TesteX11 {};

TEST_F(MivoRunX11, PreencheAJanelaComATabelaLinhaPorLinha) {
  // The target covers the screen's centre (640, 400); another window lies on top of it.
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Cadastro de Contatos - Alvo";
  opcoes.x = 440;
  opcoes.y = 250;
  opcoes.cor = "ff8000";
  auto cadastro = abrirAlvo(opcoes);
  opcoes.titulo = "Outra janela";
  opcoes.cor = "0000ff";
  auto outra = abrirAlvo(opcoes);
  ASSERT_EQ(desktop->pixelCor({640, 400}), corRgb(0, 0, 255));
  cadastro->esquecer();

  char modelo[] = "/tmp/mivo-script-XXXXXX";
  ASSERT_NE(mkdtemp(modelo), nullptr);
  const fs::path pasta = modelo;
  std::ofstream(pasta / "contatos.txt") << "nome;email\n"
                                          "Ana Souza;ana@exemplo.com.br\n"
                                          "João Conceição;joao@exemplo.com.br\n"
                                          "Zé 😀;ze@exemplo.com.br\n";
  std::ofstream(pasta / "cadastro.mivo") << R"(##info
nome=Preencher o cadastro
##info_fim
&JanelaAtivar("cadastro de contatos").
&SeResultado(FALHA;&VaiPara(fim)).
&MouseAguardarCorPonto("igual";rgb[255,128,0];5;640;400).
&SeResultado(FALHA;&VaiPara(fim)).
&MouseCentro(0;0).
&MouseClicarAcao(0;0).
&MouseQuadrante(-600;-300).
&MouseClicarAcao(0;0).
&MouseArrastar(600;350;700;450).
&MouseRolarBaixo(0).
&LaIrLinha(1).
&Marcador(proximo).
&MouseClicarAcao(620;380).
&TextoColar("{nome} <{email}>").
&TextoDigitar("-ok;ação!").
&TeclarEnter().
&LaProximaLinha().
&SeResultado(OK;&VaiPara(proximo)).
&Marcador(fim).
)";
  CLProcessoTeste mivoRun;
  CLProcessoTeste::Opcoes execucao;
  execucao.ambiente = {{"DISPLAY", tela}, {"MIVO_BASE_DIR", pasta.string()}};
  execucao.saida = (pasta / "saida.txt").string();
  ASSERT_TRUE(mivoRun.iniciar({MIVO_RUN, "--silencioso", "--lista", (pasta / "contatos.txt").string(),
                               (pasta / "cadastro.mivo").string()},
                              execucao));
  int status = -1;
  ASSERT_TRUE(mivoRun.aguardarFim(30000, &status));
  std::ifstream saida(pasta / "saida.txt");
  const std::string mensagens((std::istreambuf_iterator<char>(saida)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << mensagens;

  std::vector<std::string> acoes;
  for (const auto& l : cadastro->linhas()) {
    if (l.rfind("texto ", 0) != 0 && l.rfind("tecla ", 0) != 0 && l != "foco") acoes.push_back(l);
  }
  std::vector<std::string> esperadas = {
      "pressiona 1 640 400", "solta 1 640 400",  // the screen's centre
      "pressiona 1 680 500", "solta 1 680 500",  // from the bottom-right corner
      "pressiona 1 600 350", "solta 1 700 450",  // dragged
      "roda baixo"};
  for (const char* contato : {"Ana Souza <ana@exemplo.com.br>", "João Conceição <joao@exemplo.com.br>",
                              "Zé 😀 <ze@exemplo.com.br>"}) {
    for (const char* l : {"pressiona 1 620 380", "solta 1 620 380"}) esperadas.push_back(l);
    esperadas.push_back(std::string("colado ") + contato);
  }
  EXPECT_EQ(acoes, esperadas);
  EXPECT_EQ(cadastro->textoRecebido(), "-ok;ação!\r-ok;ação!\r-ok;ação!\r");
  EXPECT_EQ(desktop->janelaPrimeiroPlano(), JanelaId{cadastro->janela()});
  EXPECT_TRUE(outra->linhas().size() <= 2) << "nada foi para a outra janela";
  fs::remove_all(pasta);
}
