// The windows of the X11 desktop under openbox, end to end, and without a
// window manager.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest and Qt

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>

#include "unServidorXTeste.h"
#include "unJanelasX11.h"
#include "unTextoDesktop.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

JanelaId id(const CLAlvoTeste& alvo) { return JanelaId{alvo.janela()}; }

std::string texto(const RetanguloJanela& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.largura) + "x" +
         std::to_string(r.altura);
}

// "&JanelaAtivar": the first window, in desktop order, whose title holds the
// part (letter case ignored), activated by its whole title.
bool ativarPorParte(CLDesktop& desktop, const std::u16string& parte) {
  auto minusculas = [](std::u16string t) {
    for (auto& c : t) c = static_cast<char16_t>(minusculaSimples(c));
    return t;
  };
  for (JanelaId j : desktop.janelasEmOrdem()) {
    const std::u16string titulo = desktop.janelaTitulo(j);
    if (minusculas(titulo).find(minusculas(parte)) != std::u16string::npos) {
      return desktop.janelaAtivar(desktop.janelaPorTitulo(titulo));
    }
  }
  return false;
}

// "&JanelaAtivarExe": the program's process, then its first visible window.
bool ativarPorExecutavel(CLDesktop& desktop, const std::u16string& arquivo) {
  for (const auto& p : desktop.programasEmExecucao()) {
    if (iguaisIgnorandoCaixa(p.arquivo, arquivo)) {
      const JanelaId j = desktop.janelaDoProcesso(p.processo);
      return j != JanelaId::Nenhuma && desktop.janelaAtivar(j);
    }
  }
  return false;
}

// A window of the test's own connection, for what the target cannot do.
struct JanelaCrua {
  Display* d;
  Window w;
  JanelaCrua(const std::string& tela, bool sobreposta) {
    d = XOpenDisplay(tela.c_str());
    XSetWindowAttributes atributos{};
    atributos.override_redirect = sobreposta;
    w = XCreateWindow(d, DefaultRootWindow(d), 10, 10, 50, 50, 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect, &atributos);
  }
  ~JanelaCrua() {
    XDestroyWindow(d, w);
    XCloseDisplay(d);
  }
};

}  // namespace

class JanelasX11 : public TesteX11 {};

TEST_F(JanelasX11, PrimeiroPlanoTituloEOrdem) {
  auto a = abrirAlvo("Janela Ação Ünïcode 😀");
  EXPECT_EQ(desktop->janelaPrimeiroPlano(), id(*a));
  EXPECT_EQ(desktop->janelaPrimeiroPlanoTitulo(), u"Janela Ação Ünïcode 😀");
  auto b = abrirAlvo("Segunda");
  EXPECT_EQ(desktop->janelaPrimeiroPlanoTitulo(), u"Segunda");
  auto ordem = [&] {
    std::vector<JanelaId> r;
    for (JanelaId j : desktop->janelasEmOrdem()) {
      if (j == id(*a) || j == id(*b)) r.push_back(j);
    }
    return r;
  };
  EXPECT_EQ(ordem(), (std::vector<JanelaId>{id(*b), id(*a)}));  // the topmost first
  ASSERT_TRUE(desktop->janelaAtivar(id(*a)));
  EXPECT_EQ(ordem(), (std::vector<JanelaId>{id(*a), id(*b)}));
  // The title as it changes; a window that is gone has none.
  a->comando("titulo Outro título");
  EXPECT_TRUE(a->aguardarLinha("titulo"));
  EXPECT_TRUE(aguardar([&] { return desktop->janelaTitulo(id(*a)) == u"Outro título"; }));
  b->parar();
  EXPECT_TRUE(aguardar([&] { return desktop->janelaTitulo(id(*b)).empty(); }));
  EXPECT_EQ(desktop->janelaTitulo(JanelaId::Nenhuma), u"");
}

TEST_F(JanelasX11, TituloAntigoEJanelasSemGerenciador) {
  // Only WM_NAME, in Latin-1, on a window openbox does not manage.
  JanelaCrua crua(tela, /*sobreposta=*/true);
  const char latin1[] = "T\xedtulo antigo";
  XStoreName(crua.d, crua.w, latin1);
  XSync(crua.d, False);
  const JanelaId j{crua.w};
  EXPECT_EQ(desktop->janelaTitulo(j), u"Título antigo");
  // Unmanaged and never shown: still listed (after the managed ones), not visible.
  const auto ordem = desktop->janelasEmOrdem();
  EXPECT_NE(std::find(ordem.begin(), ordem.end(), j), ordem.end());
  EXPECT_FALSE(desktop->janelaVisivel(j));
  EXPECT_EQ(desktop->janelaPorTitulo(u"TÍTULO ANTIGO"), j);
  EXPECT_EQ(desktop->janelaPorTitulo(u"Título"), JanelaId::Nenhuma);  // exact titles only
}

TEST_F(JanelasX11, AtivaPorParteDoTituloEPorExecutavel) {
  // Under a name of its own: other tests may run target windows meanwhile.
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Cadastro de Clientes - Mivo";
  opcoes.executavel = "Cadastro-" + std::to_string(getpid());
  auto a = abrirAlvo(opcoes);
  auto b = abrirAlvo("Planilha de vendas");
  struct Caso {
    std::u16string parte;
    const CLAlvoTeste* alvo;
  };
  for (const Caso& c : {Caso{u"clientes", a.get()}, Caso{u"VENDAS", b.get()}, Caso{u"cadastro de c", a.get()}}) {
    ASSERT_TRUE(ativarPorParte(*desktop, c.parte));
    EXPECT_EQ(desktop->janelaPrimeiroPlano(), id(*c.alvo));
  }
  EXPECT_FALSE(ativarPorParte(*desktop, u"nenhuma janela assim"));
  // Keys go to the window that was activated.
  b->esquecer();
  ASSERT_TRUE(ativarPorParte(*desktop, u"planilha"));
  desktop->caractereDigitar(U'x');
  EXPECT_TRUE(b->aguardarTexto("x"));

  EXPECT_EQ(desktop->janelaProcesso(id(*a)), static_cast<ProcessoId>(a->pid()));
  const std::u16string executavel = utf16DeUtf8(opcoes.executavel);
  EXPECT_EQ(desktop->janelaExecutavel(id(*a)), executavel);
  EXPECT_EQ(desktop->janelaDoProcesso(static_cast<ProcessoId>(a->pid())), id(*a));
  ASSERT_TRUE(ativarPorExecutavel(*desktop, u"CADASTRO-" + executavel.substr(9)));
  EXPECT_EQ(desktop->janelaPrimeiroPlano(), id(*a));
  EXPECT_FALSE(ativarPorExecutavel(*desktop, u"nao-existe"));
}

// A window this very process made names this process, as
// QCoreApplication::applicationPid() does: Mivo tells its own windows from
// the others by it. A Qt window names it itself (_NET_WM_PID); for a window
// that does not, the server is asked.
TEST_F(JanelasX11, JanelaDesteProcessoTemOPidDesteProcesso) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  int argc = 1;
  char nome[] = "test_unJanelasX11";
  char* argv[] = {nome, nullptr};
  QGuiApplication aplicacao(argc, argv);
  QWindow qt;
  qt.setTitle(QStringLiteral("Janela Qt deste processo"));
  qt.setGeometry(200, 200, 300, 200);
  qt.show();
  JanelaCrua crua(tela, /*sobreposta=*/false);
  XStoreName(crua.d, crua.w, "Janela crua deste processo");
  XMapWindow(crua.d, crua.w);
  XSync(crua.d, False);

  const auto este = static_cast<ProcessoId>(QCoreApplication::applicationPid());
  ASSERT_EQ(este, static_cast<ProcessoId>(getpid()));
  for (const std::u16string titulo : {u"Janela Qt deste processo", u"Janela crua deste processo"}) {
    JanelaId janela = JanelaId::Nenhuma;
    EXPECT_TRUE(aguardar(
        [&] {
          QCoreApplication::processEvents();
          janela = desktop->janelaPorTitulo(titulo);
          return janela != JanelaId::Nenhuma;
        },
        20000))
        << utf8DeUtf16(titulo);
    EXPECT_EQ(desktop->janelaProcesso(janela), este) << utf8DeUtf16(titulo);
  }
  // Another program's window does not.
  auto outro = abrirAlvo("Janela de outro processo");
  EXPECT_EQ(desktop->janelaProcesso(id(*outro)), static_cast<ProcessoId>(outro->pid()));
  EXPECT_NE(desktop->janelaProcesso(id(*outro)), este);
}

TEST_F(JanelasX11, AtivaOXtermPeloExecutavel) {
  if (!programaInstalado("xterm")) GTEST_SKIP() << "o xterm não está instalado";
  auto alvo = abrirAlvo("Na frente do terminal");
  // A copy under a name of its own: other xterms may run on this machine.
  char pasta[] = "/tmp/mivo-xterm-XXXXXX";
  ASSERT_NE(mkdtemp(pasta), nullptr);
  const std::string nome = "xterm-" + std::to_string(getpid());
  const std::string copia = std::string(pasta) + "/" + nome;
  std::filesystem::copy_file("/usr/bin/xterm", copia);
  CLProcessoTeste xterm;
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"DISPLAY", tela}};
  ASSERT_TRUE(xterm.iniciar({copia, "-title", "Terminal"}, opcoes));
  JanelaId terminal = JanelaId::Nenhuma;
  ASSERT_TRUE(aguardar([&] {
    terminal = desktop->janelaPorTitulo(u"terminal");
    return terminal != JanelaId::Nenhuma && desktop->janelaVisivel(terminal);
  }));
  ASSERT_TRUE(desktop->janelaAtivar(id(*alvo)));
  EXPECT_EQ(desktop->janelaProcesso(terminal), static_cast<ProcessoId>(xterm.pid()));
  ASSERT_TRUE(ativarPorExecutavel(*desktop, utf16DeUtf8(nome)));
  EXPECT_EQ(desktop->janelaPrimeiroPlano(), terminal);
  xterm.parar();
  std::filesystem::remove_all(pasta);
}

TEST_F(JanelasX11, RestauraMinimizadaAoAtivar) {
  auto a = abrirAlvo("Minimizada");
  auto b = abrirAlvo("Por cima");
  Display* d = XOpenDisplay(tela.c_str());
  XIconifyWindow(d, a->janela(), DefaultScreen(d));
  XSync(d, False);
  XCloseDisplay(d);
  ASSERT_TRUE(aguardar([&] { return desktop->janelaMinimizada(id(*a)); }));
  EXPECT_TRUE(desktop->janelaVisivel(id(*a)));  // minimised windows still count as visible
  ASSERT_TRUE(desktop->janelaAtivar(id(*a)));
  EXPECT_FALSE(desktop->janelaMinimizada(id(*a)));
  EXPECT_EQ(desktop->janelaPrimeiroPlano(), id(*a));
}

TEST_F(JanelasX11, MoveRedimensionaEMaximiza) {
  auto alvo = abrirAlvo("Mover");
  for (const RetanguloJanela& r : {RetanguloJanela{50, 60, 500, 400}, RetanguloJanela{300, 200, 320, 240}}) {
    ASSERT_TRUE(desktop->janelaMover(id(*alvo), r));
    EXPECT_EQ(desktop->janelaRetangulo(id(*alvo)), r);
  }
  ASSERT_TRUE(desktop->janelaMaximizar(id(*alvo)));
  EXPECT_TRUE(aguardar([&] { return desktop->janelaRetangulo(id(*alvo)).largura == 1280; }));
  // Moving a maximised window gives it the rectangle asked for.
  ASSERT_TRUE(desktop->janelaMover(id(*alvo), {10, 20, 400, 300}));
  EXPECT_TRUE(aguardar([&] { return desktop->janelaRetangulo(id(*alvo)) == RetanguloJanela{10, 20, 400, 300}; }))
      << texto(desktop->janelaRetangulo(id(*alvo)));
  EXPECT_FALSE(desktop->janelaMover(JanelaId{0x7fffff}, {0, 0, 10, 10}));
}

TEST_F(JanelasX11, JanelaQueFechaDuranteAAtivacao) {
  EXPECT_FALSE(desktop->janelaAtivar(JanelaId::Nenhuma));
  {
    JanelaCrua fechada(tela, false);
    XSync(fechada.d, False);
    const JanelaId j{fechada.w};
    XDestroyWindow(fechada.d, fechada.w);
    XSync(fechada.d, False);
    EXPECT_FALSE(desktop->janelaAtivar(j));
    fechada.w = XCreateSimpleWindow(fechada.d, DefaultRootWindow(fechada.d), 0, 0, 1, 1, 0, 0, 0);
  }
  // openbox never activates a window it does not manage: the wait is under
  // way when the window goes. (A live window is active, so that the active
  // window property never names an old id the new window may reuse.)
  auto alvo = abrirAlvo("Ativa antes");
  JanelaCrua crua(tela, /*sobreposta=*/true);
  XMapWindow(crua.d, crua.w);
  XSync(crua.d, False);
  const auto inicio = std::chrono::steady_clock::now();
  auto resultado = std::async(std::launch::async, [&] { return desktop->janelaAtivar(JanelaId{crua.w}); });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  XDestroyWindow(crua.d, crua.w);
  XSync(crua.d, False);
  EXPECT_FALSE(resultado.get());
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::milliseconds(CLJanelasX11::kLimiteAtivacaoMs));
  crua.w = XCreateSimpleWindow(crua.d, DefaultRootWindow(crua.d), 0, 0, 1, 1, 0, 0, 0);
}

TEST_F(JanelasX11, SemGerenciadorDeJanelas) {
  CLServidorXTeste servidor;
  std::string erro;
  ASSERT_TRUE(servidor.iniciar(/*comGerenciador=*/false, erro)) << erro;
  std::u16string erroDesktop;
  auto semGerenciador = CLDesktopX11::criar(servidor.nome(), erroDesktop);
  ASSERT_NE(semGerenciador, nullptr);
  CLAlvoTeste a, b;
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Primeira";
  ASSERT_TRUE(a.iniciar(servidor.nome(), opcoes));
  opcoes.titulo = "Segunda";
  opcoes.x = 200;
  ASSERT_TRUE(b.iniciar(servidor.nome(), opcoes));
  // Focus and raising by hand; the order comes from the window tree.
  for (CLAlvoTeste* alvo : {&a, &b, &a}) {
    ASSERT_TRUE(semGerenciador->janelaAtivar(JanelaId{alvo->janela()}));
    EXPECT_EQ(semGerenciador->janelaPrimeiroPlano(), JanelaId{alvo->janela()});
    EXPECT_EQ(semGerenciador->janelasEmOrdem().front(), JanelaId{alvo->janela()});
  }
  EXPECT_TRUE(a.aguardarLinha("foco"));
  semGerenciador->caractereDigitar(U'ç');
  EXPECT_TRUE(a.aguardarTexto("ç"));
  EXPECT_EQ(a.textoRecebido(), "ç");
  ASSERT_TRUE(semGerenciador->janelaMover(JanelaId{b.janela()}, {5, 6, 200, 100}));
  EXPECT_EQ(semGerenciador->janelaRetangulo(JanelaId{b.janela()}), (RetanguloJanela{5, 6, 200, 100}));
}
