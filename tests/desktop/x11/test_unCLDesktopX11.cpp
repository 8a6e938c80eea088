// Mouse and screen of the X11 desktop, end to end: what the target window
// receives and shows.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <X11/Xlib.h>

using namespace mivo;
using namespace mivo::teste;

namespace {

std::string ponto(PontoTela p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

// A point inside the target's own area (below its title bar).
PontoTela dentro(CLDesktop& desktop, const CLAlvoTeste& alvo, int dx = 0, int dy = 0) {
  const RetanguloJanela r = desktop.janelaRetangulo(JanelaId{alvo.janela()});
  return {r.x + r.largura / 2 + dx, r.y + r.altura / 2 + dy};
}

}  // namespace

class DesktopX11 : public TesteX11 {};

TEST_F(DesktopX11, TelaECursor) {
  EXPECT_EQ(desktop->telaTamanho(), (TamanhoTela{1280, 800}));
  struct Caso {
    PontoTela pedido;
    PontoTela obtido;
  };
  const Caso casos[] = {
      {{0, 0}, {0, 0}},           {{640, 400}, {640, 400}},   {{1279, 799}, {1279, 799}},
      {{5000, 5000}, {1279, 799}}, {{-20, 30}, {0, 30}},
  };
  for (const auto& c : casos) {
    desktop->cursorPosicionar(c.pedido);
    EXPECT_EQ(desktop->cursorPosicao(), c.obtido) << ponto(c.pedido);
  }
  for (PontoTela fora : {PontoTela{-1, 0}, PontoTela{1280, 0}, PontoTela{0, 800}, PontoTela{3000, -5}}) {
    EXPECT_EQ(desktop->pixelCor(fora), kCorInvalida) << ponto(fora);
  }
}

TEST_F(DesktopX11, CorDoPixelAcompanhaAJanela) {
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Cores";
  opcoes.cor = "ff8000";
  auto alvo = abrirAlvo(opcoes);
  const PontoTela p = dentro(*desktop, *alvo);
  EXPECT_EQ(desktop->pixelCor(p), corRgb(255, 128, 0));
  // Waiting for a colour, as a script does: it changes on the target's command.
  struct Caso {
    std::string rrggbb;
    CorTela cor;
  };
  for (const Caso& c : {Caso{"00ff00", corRgb(0, 255, 0)}, Caso{"1234ab", corRgb(0x12, 0x34, 0xAB)},
                        Caso{"000000", corRgb(0, 0, 0)}, Caso{"ffffff", corRgb(255, 255, 255)}}) {
    alvo->comando("cor " + c.rrggbb);
    EXPECT_TRUE(aguardar([&] { return desktop->pixelCor(p) == c.cor; })) << c.rrggbb;
  }
}

TEST_F(DesktopX11, CliquesEArrasto) {
  auto alvo = abrirAlvo("Cliques");
  const PontoTela p = dentro(*desktop, *alvo, -50, -40);
  const PontoTela q = dentro(*desktop, *alvo, 60, 70);
  struct Caso {
    BotaoMouse botao;
    std::string numero;
  };
  for (const Caso& c : {Caso{BotaoMouse::Esquerdo, "1"}, Caso{BotaoMouse::Direito, "3"}}) {
    alvo->esquecer();
    desktop->cursorPosicionar(p);
    desktop->botaoPressionar(c.botao);
    desktop->botaoSoltar(c.botao);
    EXPECT_TRUE(alvo->aguardarLinha("solta " + c.numero + " " + ponto(p)));
    EXPECT_EQ(alvo->linhas(), (std::vector<std::string>{"pressiona " + c.numero + " " + ponto(p),
                                                        "solta " + c.numero + " " + ponto(p)}));
  }
  // Dragging: down at one point, up at another.
  alvo->esquecer();
  desktop->cursorPosicionar(p);
  desktop->botaoPressionar(BotaoMouse::Esquerdo);
  desktop->cursorPosicionar(q);
  desktop->botaoSoltar(BotaoMouse::Esquerdo);
  EXPECT_TRUE(alvo->aguardarLinha("solta 1 " + ponto(q)));
  EXPECT_EQ(alvo->linhas(), (std::vector<std::string>{"pressiona 1 " + ponto(p), "solta 1 " + ponto(q)}));
  EXPECT_EQ(desktop->cursorPosicao(), q);
}

TEST_F(DesktopX11, RodaDoMouse) {
  auto alvo = abrirAlvo("Roda");
  desktop->cursorPosicionar(dentro(*desktop, *alvo));
  struct Caso {
    std::vector<int> deltas;
    std::vector<std::string> linhas;
  };
  const Caso casos[] = {
      {{120}, {"roda cima"}},
      {{-240}, {"roda baixo", "roda baixo"}},
      {{360}, {"roda cima", "roda cima", "roda cima"}},
      // Less than a notch is kept until it adds up to one.
      {{60, 60}, {"roda cima"}},
      {{-100, 0, -20}, {"roda baixo"}},
  };
  for (const auto& c : casos) {
    alvo->esquecer();
    for (int d : c.deltas) desktop->rodaGirar(d);
    EXPECT_TRUE(alvo->aguardar([&](const auto& ls) { return ls.size() >= c.linhas.size(); }));
    EXPECT_EQ(alvo->linhas(), c.linhas);
  }
}

TEST_F(DesktopX11, BotoesTrocadosPeloMapeamentoDoPonteiro) {
  auto alvo = abrirAlvo("Canhoto");
  Display* d = XOpenDisplay(tela.c_str());
  ASSERT_NE(d, nullptr);
  unsigned char normal[32];
  const int n = XGetPointerMapping(d, normal, 32);
  EXPECT_FALSE(desktop->botoesTrocados());
  unsigned char trocado[32];
  std::copy(normal, normal + n, trocado);
  std::swap(trocado[0], trocado[2]);
  ASSERT_EQ(XSetPointerMapping(d, trocado, n), MappingSuccess);
  XSync(d, False);
  EXPECT_TRUE(desktop->botoesTrocados());
  // The physical left button is now the logical button 3.
  const PontoTela p = dentro(*desktop, *alvo);
  desktop->cursorPosicionar(p);
  desktop->botaoPressionar(BotaoMouse::Esquerdo);
  desktop->botaoSoltar(BotaoMouse::Esquerdo);
  EXPECT_TRUE(alvo->aguardarLinha("solta 3 " + ponto(p)));
  XSetPointerMapping(d, normal, n);
  XCloseDisplay(d);
  EXPECT_FALSE(desktop->botoesTrocados());
}

// What a run that ends half-way left held goes up: the keys on the server
// (XQueryKeymap), the button in the target window.
TEST_F(DesktopX11, SoltarTudoSoltaTeclasEBotoesSegurados) {
  auto alvo = abrirAlvo("Soltar tudo");
  const PontoTela p = dentro(*desktop, *alvo);
  desktop->cursorPosicionar(p);
  desktop->teclaPressionar(tecla::kCtrl);
  desktop->teclaPressionar('A');
  desktop->botaoPressionar(BotaoMouse::Esquerdo);
  desktop->teclaPressionar(tecla::kShift);
  desktop->teclaSoltar(tecla::kShift);
  EXPECT_EQ(desktop->teclasSeguradas(), (std::vector<int>{tecla::kCtrl, 'A'}));
  EXPECT_EQ(desktop->botoesSegurados(), std::vector<BotaoMouse>{BotaoMouse::Esquerdo});
  ASSERT_TRUE(alvo->aguardarLinha("pressiona 1 " + ponto(p)));
  const int seguradas[] = {tecla::kCtrl, 'A', tecla::kBotaoEsquerdo};
  for (int t : seguradas) ASSERT_TRUE(desktop->teclaEstado(t) & kTeclaPressionada) << t;
  // All codes at once say the same as each one asked alone.
  const std::bitset<256> todas = desktop->teclasPressionadas();
  for (int t = 1; t <= 254; ++t)
    EXPECT_EQ(todas[t], (desktop->teclaEstado(t) & kTeclaPressionada) != 0) << t;
  EXPECT_TRUE(todas[tecla::kCtrl] && todas['A'] && todas[tecla::kBotaoEsquerdo]);
  EXPECT_FALSE(todas[tecla::kShift] || todas[tecla::kBotaoDireito] || todas['B']);

  desktop->soltarTudo();
  EXPECT_TRUE(aguardar([&] { return desktop->teclasPressionadas().none(); }));
  EXPECT_TRUE(desktop->teclasSeguradas().empty());
  EXPECT_TRUE(desktop->botoesSegurados().empty());
  EXPECT_TRUE(alvo->aguardarLinha("solta 1 " + ponto(p)));
  // Asked of the server on a connection of its own.
  std::u16string erro;
  auto outro = CLDesktopX11::criar(tela, erro);
  ASSERT_NE(outro, nullptr);
  for (int t : seguradas) {
    EXPECT_TRUE(aguardar([&] { return !(outro->teclaEstado(t) & kTeclaPressionada); })) << t;
  }
}
