// Whole scripts through mivo-run on the X11 desktop: one finds the target
// window behind another one, waits for its colour, clicks in each frame of
// coordinates and fills it from the data table, row by row; others are
// stopped from outside (SIGTERM, F9) in the middle of a loop.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

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

namespace {

std::string lerArquivo(const fs::path& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::vector<std::string> linhasQueComecamCom(const std::string& texto, const std::string& inicio) {
  std::vector<std::string> r;
  std::istringstream s(texto);
  for (std::string l; std::getline(s, l);)
    if (l.rfind(inicio, 0) == 0) r.push_back(l);
  return r;
}

// A folder of its own with a list and a script that presses Ctrl+A for
// ever (or `script`), and mivo-run started on it (stdout and stderr to
// saida.txt, no terminal).
struct LacoSemFim {
  explicit LacoSemFim(const std::string& tela,
                      const std::string& script = "&Marcador(volta).\n&TeclarControlMais(\"a\").\n"
                                                  "&LaValorMudar(nome;\"visto\").\n&VaiPara(volta).\n") {
    char modelo[] = "/tmp/mivo-laco-XXXXXX";
    if (mkdtemp(modelo)) pasta = modelo;
    std::ofstream(pasta / "contatos.txt") << "nome;cidade\r\nAna;Recife\r\n";
    std::ofstream(pasta / "laco.mivo") << script;
    CLProcessoTeste::Opcoes opcoes;
    opcoes.ambiente = {{"DISPLAY", tela}, {"MIVO_BASE_DIR", pasta.string()}};
    opcoes.saida = (pasta / "saida.txt").string();
    iniciou = mivoRun.iniciar({MIVO_RUN, "--log", (pasta / "log.txt").string(), "--lista",
                               (pasta / "contatos.txt").string(), "--salvar-lista",
                               (pasta / "lista.txt").string(), (pasta / "laco.mivo").string()},
                              opcoes);
  }
  ~LacoSemFim() {
    mivoRun.parar();
    fs::remove_all(pasta);
  }
  fs::path pasta;
  CLProcessoTeste mivoRun;
  bool iniciou = false;
};

bool ctrlAChegou(CLAlvoTeste& alvo, std::size_t vezes) {
  return alvo.aguardar(
      [&](const std::vector<std::string>& linhas) {
        return std::count(linhas.begin(), linhas.end(), std::string("tecla a ctrl")) >= static_cast<long>(vezes);
      },
      20000);
}

}  // namespace

// SIGTERM in the middle of a loop of Ctrl+A: the run stops with exit status
// 3, nothing stays down on the server, and the log and the list are written.
TEST_F(MivoRunX11, SigtermNoMeioDoLacoSoltaAsTeclasEGravaOLogEALista) {
  auto alvo = abrirAlvo("Alvo do laço");
  LacoSemFim laco(tela);
  ASSERT_TRUE(laco.iniciou);
  ASSERT_TRUE(ctrlAChegou(*alvo, 2)) << lerArquivo(laco.pasta / "saida.txt");
  kill(laco.mivoRun.pid(), SIGTERM);
  int status = 0;
  ASSERT_TRUE(laco.mivoRun.aguardarFim(20000, &status));
  const std::string saida = lerArquivo(laco.pasta / "saida.txt");
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 3) << saida;

  for (int t : {int(tecla::kCtrl), int('A')})
    EXPECT_TRUE(aguardar([&] { return !(desktop->teclaEstado(t) & kTeclaPressionada); })) << t;
  const std::string log = lerArquivo(laco.pasta / "log.txt");
  EXPECT_EQ(linhasQueComecamCom(log, ""), linhasQueComecamCom(saida, "Linha: "));
  EXPECT_NE(log.find("{TeclarControlMais... \"a\"}"), std::string::npos) << log;
  EXPECT_EQ(lerArquivo(laco.pasta / "lista.txt"), "nome;cidade\r\nvisto;Recife\r\n");
}

// Characters the US layout lacks are typed on lent keycodes; when the run
// ends, by itself or stopped by SIGTERM, the keyboard map is the user's again.
TEST_F(MivoRunX11, MapaDoTecladoVoltaAoFimEAoSigterm) {
  std::string erro;
  if (!definirLayout(tela, "us", erro)) GTEST_SKIP() << erro;
  const std::vector<unsigned long> original = mapaDoTeclado(tela);
  ASSERT_FALSE(original.empty());
  struct Caso {
    const char* nome;
    std::string script;
    bool sigterm;
    int status;
  };
  const Caso casos[] = {
      {"fim normal", "&JanelaAtivar(\"Alvo dos acentos\").\n&TextoDigitar(\"ãéüñ\").\n", false, 0},
      {"SIGTERM", "&Marcador(volta).\n&JanelaAtivar(\"Alvo dos acentos\").\n&TextoDigitar(\"ãéüñ\").\n"
                  "&VaiPara(volta).\n", true, 3},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    auto alvo = abrirAlvo("Alvo dos acentos");
    LacoSemFim execucao(tela, c.script);
    ASSERT_TRUE(execucao.iniciou);
    EXPECT_TRUE(alvo->aguardarTexto(c.sigterm ? "ãéüñãéüñ" : "ãéüñ", 20000))
        << alvo->textoRecebido() << "\n" << lerArquivo(execucao.pasta / "saida.txt");
    if (c.sigterm) {
      EXPECT_NE(mapaDoTeclado(tela), original) << "o script digita em teclas emprestadas";
      kill(execucao.mivoRun.pid(), SIGTERM);
    }
    int status = 0;
    ASSERT_TRUE(execucao.mivoRun.aguardarFim(20000, &status));
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), c.status) << lerArquivo(execucao.pasta / "saida.txt");
    EXPECT_TRUE(mapaDoTeclado(tela) == original);
    if (!c.sigterm) EXPECT_EQ(alvo->textoRecebido(), "ãéüñ");
    EXPECT_TRUE(desktop->teclasPressionadas().none());
  }
}

// F9 held by the user stops a run that has no terminal to resume it from.
TEST_F(MivoRunX11, F9SemTerminalEncerraAExecucao) {
  auto alvo = abrirAlvo("Alvo do F9");
  LacoSemFim laco(tela);
  ASSERT_TRUE(laco.iniciou);
  ASSERT_TRUE(ctrlAChegou(*alvo, 2)) << lerArquivo(laco.pasta / "saida.txt");
  desktop->teclaPressionar(tecla::kF9);
  int status = 0;
  const bool terminou = laco.mivoRun.aguardarFim(20000, &status);
  desktop->teclaSoltar(tecla::kF9);
  ASSERT_TRUE(terminou);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 3);
  EXPECT_EQ(lerArquivo(laco.pasta / "saida.txt").find("Informação:"), std::string::npos);
  EXPECT_EQ(lerArquivo(laco.pasta / "lista.txt"), "nome;cidade\r\nvisto;Recife\r\n");
}
