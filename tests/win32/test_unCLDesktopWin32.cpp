#include <gtest/gtest.h>

#include <bitset>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "unCLDesktopWin32.h"
#include "unJanelaAlvo.h"
#include "unTextoDesktop.h"

using namespace mivo;
using mivo::teste::esperarAte;
using mivo::teste::EventoMouse;
using mivo::teste::JanelaAlvo;
using mivo::teste::OpcoesJanelaAlvo;

namespace {

OpcoesJanelaAlvo opcoes(std::u16string titulo, RECT r = {100, 100, 500, 400},
                        COLORREF cor = RGB(12, 200, 77)) {
  OpcoesJanelaAlvo o;
  o.titulo = std::move(titulo);
  o.retangulo = r;
  o.cor = cor;
  return o;
}

std::string u8(const std::u16string& t) { return utf8DeUtf16(t); }

class DesktopWin32 : public ::testing::Test {
 protected:
  void TearDown() override {
    // Whatever a failed test left pressed or swapped is put back.
    for (int t : {tecla::kShift, tecla::kCtrl, tecla::kAlt}) {
      if (desktop.teclaEstado(t) & kTeclaPressionada) desktop.teclaSoltar(t);
    }
    SwapMouseButton(FALSE);
  }

  // Activates the window and waits until it has the focus.
  void ativar(const JanelaAlvo& alvo) {
    ASSERT_TRUE(desktop.janelaAtivar(alvo.id()));
    ASSERT_TRUE(esperarAte([&] { return desktop.janelaPrimeiroPlano() == alvo.id(); }));
  }

  void digitar(const std::u32string& texto) {
    for (char32_t c : texto) desktop.caractereDigitar(c);
  }

  // Presses the keys in order and releases them in reverse.
  void combinacao(std::initializer_list<int> teclas) {
    for (int t : teclas) desktop.teclaPressionar(t);
    for (auto t = std::rbegin(teclas); t != std::rend(teclas); ++t) desktop.teclaSoltar(*t);
  }

  bool textoFica(const JanelaAlvo& alvo, const std::u16string& esperado) {
    return esperarAte([&] { return alvo.textoEdicao() == esperado; });
  }

  bool temEvento(const JanelaAlvo& alvo, UINT mensagem) {
    return esperarAte([&] {
      const auto ev = alvo.eventosMouse();
      return std::any_of(ev.begin(), ev.end(),
                         [&](const EventoMouse& e) { return e.mensagem == mensagem; });
    });
  }

  CLDesktopWin32 desktop;
};

}  // namespace

TEST_F(DesktopWin32, DigitaCadaCaractereExatamente) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo digitação"));
  ativar(alvo);
  struct Caso {
    std::u32string texto;
    std::u16string esperado;
  };
  const std::vector<Caso> casos = {
      {U"mivo 123 abc", u"mivo 123 abc"},
      {U"Olá! @#$%&*() ?:\"<>{}|~^", u"Olá! @#$%&*() ?:\"<>{}|~^"},
      {U"ação çÇ é à ü ÃÕ ñ €", u"ação çÇ é à ü ÃÕ ñ €"},
      {U"sorriso 😀 fim", u"sorriso 😀 fim"},
      {U"linha 1\nlinha 2\tcoluna", u"linha 1\r\nlinha 2\tcoluna"},
  };
  for (const Caso& c : casos) {
    alvo.limparEdicao();
    digitar(c.texto);
    EXPECT_TRUE(textoFica(alvo, c.esperado)) << u8(c.esperado) << " -> " << u8(alvo.textoEdicao());
  }
}

TEST_F(DesktopWin32, TeclaDoCaractereDoLayout) {
  struct Caso {
    char32_t caractere;
    int esperado;
  };
  // On the United States layout that Xvfb starts with; the shift state in
  // the high byte.
  const std::vector<Caso> casos = {
      {U'a', 'A'}, {U'A', 0x100 | 'A'}, {U'1', '1'}, {U'!', 0x100 | '1'}, {U' ', VK_SPACE},
      {U'中', kSemTecla}, {U'😀', kSemTecla}, {0, kSemTecla}, {0xDC00, kSemTecla},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(desktop.teclaDoCaractere(c.caractere), c.esperado)
        << "U+" << std::hex << static_cast<unsigned>(c.caractere);
  }
}

TEST_F(DesktopWin32, DigitaPelasTeclasDoLayout) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo teclas"));
  ativar(alvo);
  const std::u16string texto = u"Mivo 2024 ok";
  for (char16_t c : texto) {
    const int k = desktop.teclaDoCaractere(c);
    ASSERT_NE(k, kSemTecla);
    if (k & 0x100) desktop.teclaPressionar(tecla::kShift);
    desktop.teclaPressionar(k & 0xFF);
    desktop.teclaSoltar(k & 0xFF);
    if (k & 0x100) desktop.teclaSoltar(tecla::kShift);
  }
  EXPECT_TRUE(textoFica(alvo, texto)) << u8(alvo.textoEdicao());
}

TEST_F(DesktopWin32, CombinacoesDeTeclas) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo combinações"));
  ativar(alvo);

  // Shift with arrows selects; what is typed replaces the selection.
  digitar(U"abcd");
  ASSERT_TRUE(textoFica(alvo, u"abcd"));
  combinacao({tecla::kShift, tecla::kEsquerda});
  combinacao({tecla::kShift, tecla::kEsquerda});
  digitar(U"X");
  EXPECT_TRUE(textoFica(alvo, u"abX")) << u8(alvo.textoEdicao());

  // Ctrl+Home, Shift+End, Ctrl+C, End, Ctrl+V: the text goes through the clipboard.
  ASSERT_TRUE(desktop.areaTransferenciaDefinirTexto(u"vazio"));
  combinacao({tecla::kCtrl, VK_HOME});
  combinacao({tecla::kShift, VK_END});
  // Wait for the copy without opening the clipboard: an open clipboard would
  // make the edit box's own copy fail.
  const DWORD sequencia = GetClipboardSequenceNumber();
  combinacao({tecla::kCtrl, 'C'});
  EXPECT_TRUE(esperarAte([&] { return GetClipboardSequenceNumber() != sequencia; }));
  EXPECT_EQ(desktop.areaTransferenciaTexto(), std::optional<std::u16string>(u"abX"));
  combinacao({VK_END});
  combinacao({tecla::kCtrl, 'V'});
  EXPECT_TRUE(textoFica(alvo, u"abXabX")) << u8(alvo.textoEdicao());

  // Backspace and Enter as keys.
  combinacao({VK_BACK});
  EXPECT_TRUE(textoFica(alvo, u"abXab")) << u8(alvo.textoEdicao());
  combinacao({tecla::kEnter});
  EXPECT_TRUE(textoFica(alvo, u"abXab\r\n")) << u8(alvo.textoEdicao());
}

TEST_F(DesktopWin32, EstadoDasTeclas) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo estado"));
  ativar(alvo);
  desktop.teclaPressionar(tecla::kShift);
  EXPECT_TRUE(esperarAte([&] { return desktop.teclaEstado(tecla::kShift) & kTeclaPressionada; }));
  // All the codes at once (the action recorder's poll) agree.
  const std::bitset<256> todas = desktop.teclasPressionadas();
  EXPECT_TRUE(todas[tecla::kShift]);
  EXPECT_FALSE(todas['Q'] || todas[tecla::kBotaoDireito]);
  // What a key types (the recorder): with the state of now, Shift makes a
  // capital; pressed alone it would type the small letter; an accent left
  // by a dead key goes onto the letter; keys without a character type none.
  const bool capsLigado = desktop.teclaEstado(tecla::kCapsLock) & kTeclaLigada;
  EXPECT_EQ(desktop.teclaTexto('A', 0, true).texto, capsLigado ? u"a" : u"A");
  EXPECT_EQ(desktop.teclaTexto('A', 0, false).texto, capsLigado ? u"A" : u"a");
  EXPECT_EQ(desktop.teclaTexto('E', U'\u00B4', false).texto, capsLigado ? u"\u00C9" : u"\u00E9");
  for (int semTexto : {tecla::kShift, tecla::kEnter, VK_F5, tecla::kBotaoEsquerdo, 0, 300})
    EXPECT_EQ(desktop.teclaTexto(semTexto, 0, true), TextoTecla{}) << semTexto;
  desktop.teclaSoltar(tecla::kShift);
  EXPECT_TRUE(
      esperarAte([&] { return !(desktop.teclaEstado(tecla::kShift) & kTeclaPressionada); }));

  // Caps Lock toggles; pressing it again puts it back.
  const int antes = desktop.teclaEstado(tecla::kCapsLock) & kTeclaLigada;
  combinacao({tecla::kCapsLock});
  EXPECT_TRUE(esperarAte(
      [&] { return (desktop.teclaEstado(tecla::kCapsLock) & kTeclaLigada) != antes; }));
  combinacao({tecla::kCapsLock});
  EXPECT_TRUE(esperarAte(
      [&] { return (desktop.teclaEstado(tecla::kCapsLock) & kTeclaLigada) == antes; }));

  for (int invalida : {0, -1, 255, 4000}) EXPECT_EQ(desktop.teclaEstado(invalida), 0);
}

// What a run that ends half-way left held goes up: keys (asked of the
// system), then a button (seen by the target window). Apart, because under
// Wine a click makes the system read the modifiers again from X.
TEST_F(DesktopWin32, SoltarTudoSoltaAsTeclasEOsBotoesQueSegura) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo soltar tudo"));
  ativar(alvo);
  desktop.teclaPressionar(tecla::kCtrl);
  desktop.teclaPressionar('A');
  desktop.teclaPressionar(tecla::kShift);
  desktop.teclaSoltar(tecla::kShift);
  EXPECT_EQ(desktop.teclasSeguradas(), (std::vector<int>{tecla::kCtrl, 'A'}));
  for (int t : {int(tecla::kCtrl), int('A')})
    ASSERT_TRUE(esperarAte([&] { return desktop.teclaEstado(t) & kTeclaPressionada; })) << t;
  desktop.soltarTudo();
  EXPECT_TRUE(desktop.teclasSeguradas().empty());
  for (int t : {int(tecla::kCtrl), int('A')})
    EXPECT_TRUE(esperarAte([&] { return !(desktop.teclaEstado(t) & kTeclaPressionada); })) << t;

  desktop.cursorPosicionar(alvo.centroPintado());
  alvo.limparEventos();
  desktop.botaoPressionar(BotaoMouse::Esquerdo);
  EXPECT_EQ(desktop.botoesSegurados(), std::vector<BotaoMouse>{BotaoMouse::Esquerdo});
  ASSERT_TRUE(temEvento(alvo, WM_LBUTTONDOWN));
  desktop.soltarTudo();
  EXPECT_TRUE(desktop.botoesSegurados().empty());
  EXPECT_TRUE(temEvento(alvo, WM_LBUTTONUP));
  EXPECT_TRUE(esperarAte([&] { return !(desktop.teclaEstado(tecla::kBotaoEsquerdo) & kTeclaPressionada); }));
}

TEST_F(DesktopWin32, TamanhoDaTelaECursor) {
  const TamanhoTela tela = desktop.telaTamanho();
  ASSERT_GT(tela.largura, 200);
  ASSERT_GT(tela.altura, 200);
  // Under Wine the test script says how large it made the desktop.
  if (const char* esperado = std::getenv("MIVO_TELA_WINE")) {
    EXPECT_EQ(std::to_string(tela.largura) + "x" + std::to_string(tela.altura), esperado);
  }
  struct Caso {
    PontoTela pedido;
    PontoTela esperado;
  };
  const std::vector<Caso> casos = {
      {{100, 120}, {100, 120}},
      {{0, 0}, {0, 0}},
      {{tela.largura - 1, tela.altura - 1}, {tela.largura - 1, tela.altura - 1}},
      // The pointer stops at the edges of the screen.
      {{tela.largura + 50, tela.altura + 50}, {tela.largura - 1, tela.altura - 1}},
      {{-30, -40}, {0, 0}},
  };
  for (const Caso& c : casos) {
    desktop.cursorPosicionar(c.pedido);
    // Wine moves the X pointer after the call returns: on a busy machine a
    // read right after it may still see where an earlier test left it.
    esperarAte([&] { return desktop.cursorPosicao() == c.esperado; });
    EXPECT_EQ(desktop.cursorPosicao(), c.esperado) << c.pedido.x << "," << c.pedido.y;
  }
}

TEST_F(DesktopWin32, CliquesChegamOndeEstaOPonteiro) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo cliques"));
  ativar(alvo);
  const PontoTela centro = alvo.centroPintado();
  POINT esperado{centro.x, centro.y};
  ScreenToClient(alvo.hwnd(), &esperado);
  desktop.cursorPosicionar(centro);

  struct Caso {
    BotaoMouse botao;
    UINT desce;
    UINT sobe;
  };
  for (const Caso& c : {Caso{BotaoMouse::Esquerdo, WM_LBUTTONDOWN, WM_LBUTTONUP},
                        Caso{BotaoMouse::Direito, WM_RBUTTONDOWN, WM_RBUTTONUP}}) {
    alvo.limparEventos();
    desktop.botaoPressionar(c.botao);
    desktop.botaoSoltar(c.botao);
    ASSERT_TRUE(temEvento(alvo, c.sobe));
    const auto ev = alvo.eventosMouse();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].mensagem, c.desce);
    EXPECT_EQ(ev[1].mensagem, c.sobe);
    EXPECT_EQ(ev[0].cliente.x, esperado.x);
    EXPECT_EQ(ev[0].cliente.y, esperado.y);
  }
}

// The metric follows the system setting. Windows applies the swap to
// injected buttons as well (the physical left one then clicks as the right
// one); Wine delivers them unswapped, so only a whole click is required here.
TEST_F(DesktopWin32, BotoesTrocados) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo trocados"));
  ativar(alvo);
  desktop.cursorPosicionar(alvo.centroPintado());
  EXPECT_FALSE(desktop.botoesTrocados());
  SwapMouseButton(TRUE);
  EXPECT_TRUE(desktop.botoesTrocados());
  for (BotaoMouse b : {BotaoMouse::Direito, BotaoMouse::Esquerdo}) {
    alvo.limparEventos();
    desktop.botaoPressionar(b);
    desktop.botaoSoltar(b);
    ASSERT_TRUE(esperarAte([&] { return alvo.eventosMouse().size() >= 2; }));
    const auto ev = alvo.eventosMouse();
    ASSERT_EQ(ev.size(), 2u);
    const bool esquerdo = ev[0].mensagem == WM_LBUTTONDOWN && ev[1].mensagem == WM_LBUTTONUP;
    const bool direito = ev[0].mensagem == WM_RBUTTONDOWN && ev[1].mensagem == WM_RBUTTONUP;
    EXPECT_TRUE(esquerdo || direito) << std::hex << ev[0].mensagem << " " << ev[1].mensagem;
  }
  SwapMouseButton(FALSE);
  EXPECT_FALSE(desktop.botoesTrocados());
}

TEST_F(DesktopWin32, RodaDoMouse) {
  JanelaAlvo alvo(opcoes(u"Mivo alvo roda"));
  ativar(alvo);
  desktop.cursorPosicionar(alvo.centroPintado());
  for (int delta : {120, -240}) {
    alvo.limparEventos();
    desktop.rodaGirar(delta);
    ASSERT_TRUE(temEvento(alvo, WM_MOUSEWHEEL)) << delta;
    EXPECT_EQ(alvo.eventosMouse().front().delta, delta);
  }
}

TEST_F(DesktopWin32, CorDoPixelNaTela) {
  const CorTela verde = corRgb(12, 200, 77);
  JanelaAlvo alvo(opcoes(u"Mivo alvo cor"));
  ativar(alvo);
  const PontoTela centro = alvo.centroPintado();
  EXPECT_TRUE(esperarAte([&] { return desktop.pixelCor(centro) == verde; }))
      << std::hex << desktop.pixelCor(centro);

  // Another window painted over the same spot changes what the screen shows.
  JanelaAlvo frente(opcoes(u"Mivo alvo cor por cima", {100, 100, 500, 400}, RGB(250, 10, 130)));
  ativar(frente);
  EXPECT_TRUE(esperarAte([&] { return desktop.pixelCor(centro) == corRgb(250, 10, 130); }))
      << std::hex << desktop.pixelCor(centro);

  const TamanhoTela tela = desktop.telaTamanho();
  for (PontoTela fora : {PontoTela{-1, 0}, PontoTela{0, -1}, PontoTela{tela.largura, 0},
                         PontoTela{0, tela.altura}}) {
    EXPECT_EQ(desktop.pixelCor(fora), kCorInvalida) << fora.x << "," << fora.y;
  }
}

TEST_F(DesktopWin32, OrdemDasJanelasSegueAAtivacao) {
  JanelaAlvo a(opcoes(u"Mivo janela Á"));
  JanelaAlvo b(opcoes(u"Mivo janela B", {150, 150, 550, 450}));
  auto posicao = [&](JanelaId j) {
    const auto ordem = desktop.janelasEmOrdem();
    return std::find(ordem.begin(), ordem.end(), j) - ordem.begin();
  };
  ativar(a);
  EXPECT_TRUE(esperarAte([&] { return posicao(a.id()) < posicao(b.id()); }));
  EXPECT_EQ(desktop.janelaPrimeiroPlanoTitulo(), u"Mivo janela Á");
  ativar(b);
  EXPECT_TRUE(esperarAte([&] { return posicao(b.id()) < posicao(a.id()); }));
  EXPECT_EQ(desktop.janelaPrimeiroPlanoTitulo(), u"Mivo janela B");
  EXPECT_EQ(desktop.janelaTitulo(a.id()), u"Mivo janela Á");
}

TEST_F(DesktopWin32, AtivarRestauraJanelaMinimizada) {
  JanelaAlvo a(opcoes(u"Mivo minimizada"));
  JanelaAlvo b(opcoes(u"Mivo outra"));
  ativar(b);
  ShowWindow(a.hwnd(), SW_MINIMIZE);
  ASSERT_TRUE(esperarAte([&] { return desktop.janelaMinimizada(a.id()); }));
  ativar(a);
  EXPECT_FALSE(desktop.janelaMinimizada(a.id()));
  EXPECT_TRUE(desktop.janelaVisivel(a.id()));
  // It takes the keyboard too.
  digitar(U"ok");
  EXPECT_TRUE(textoFica(a, u"ok")) << u8(a.textoEdicao());
}

TEST_F(DesktopWin32, MoverEMaximizar) {
  JanelaAlvo alvo(opcoes(u"Mivo mover"));
  const RetanguloJanela r1{40, 50, 320, 240};
  ASSERT_TRUE(desktop.janelaMover(alvo.id(), r1));
  EXPECT_EQ(desktop.janelaRetangulo(alvo.id()), r1);

  ASSERT_TRUE(desktop.janelaMaximizar(alvo.id()));
  EXPECT_TRUE(IsZoomed(alvo.hwnd()));
  // A maximised window is restored before it is placed.
  const RetanguloJanela r2{70, 80, 300, 200};
  ASSERT_TRUE(desktop.janelaMover(alvo.id(), r2));
  EXPECT_FALSE(IsZoomed(alvo.hwnd()));
  EXPECT_EQ(desktop.janelaRetangulo(alvo.id()), r2);
}

TEST_F(DesktopWin32, JanelaPorTituloIgnoraCaixa) {
  JanelaAlvo visivel(opcoes(u"Mivo Título Único"));
  OpcoesJanelaAlvo o = opcoes(u"Mivo Escondida");
  o.visivel = false;
  JanelaAlvo escondida(o);
  struct Caso {
    std::u16string titulo;
    JanelaId esperado;
  };
  const std::vector<Caso> casos = {
      {u"Mivo Título Único", visivel.id()},
      {u"mivo título único", visivel.id()},
      {u"MIVO TÍTULO ÚNICO", visivel.id()},
      {u"mivo escondida", escondida.id()},  // hidden windows count too
      {u"Mivo Título", JanelaId::Nenhuma},  // a part is not the title
      {u"Mivo Título Único e mais", JanelaId::Nenhuma},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(desktop.janelaPorTitulo(c.titulo), c.esperado) << u8(c.titulo);
  }
}

TEST_F(DesktopWin32, JanelaDoProcessoEPai) {
  OpcoesJanelaAlvo o = opcoes(u"Mivo escondida do processo");
  o.visivel = false;
  JanelaAlvo escondida(o);
  JanelaAlvo principal(opcoes(u"Mivo principal"));
  OpcoesJanelaAlvo od = opcoes(u"Mivo dialogo", {120, 120, 300, 300});
  od.dono = principal.hwnd();
  JanelaAlvo dialogo(od);
  ativar(dialogo);  // the owned window is now the topmost of the process

  // Every window this process made, shown or not, owned or not, names it:
  // Mivo tells its own windows from the others by it.
  const ProcessoId este = GetCurrentProcessId();
  for (const JanelaAlvo* j : {&principal, &dialogo, &escondida}) EXPECT_EQ(desktop.janelaProcesso(j->id()), este);
  EXPECT_EQ(desktop.janelaPai(dialogo.id()), principal.id());
  EXPECT_EQ(desktop.janelaPai(principal.id()), JanelaId::Nenhuma);
  EXPECT_FALSE(desktop.janelaVisivel(escondida.id()));
  EXPECT_EQ(desktop.janelaDoProcesso(este), principal.id());
  EXPECT_TRUE(iguaisIgnorandoCaixa(desktop.janelaExecutavel(principal.id()), u"test_mivo_win32.exe"))
      << u8(desktop.janelaExecutavel(principal.id()));
  EXPECT_EQ(desktop.janelaDoProcesso(0x7FFFFFF0u), JanelaId::Nenhuma);
}

TEST_F(DesktopWin32, JanelaQueFechouNaoQuebraNada) {
  JanelaAlvo alvo(opcoes(u"Mivo vai fechar"));
  const JanelaId id = alvo.id();
  const HWND hwnd = alvo.hwnd();
  alvo.fechar();
  ASSERT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(desktop.janelaTitulo(id), u"");
  EXPECT_EQ(desktop.janelaRetangulo(id), RetanguloJanela{});
  EXPECT_FALSE(desktop.janelaMinimizada(id));
  EXPECT_FALSE(desktop.janelaVisivel(id));
  EXPECT_EQ(desktop.janelaPai(id), JanelaId::Nenhuma);
  EXPECT_EQ(desktop.janelaProcesso(id), 0u);
  EXPECT_FALSE(desktop.janelaAtivar(id));
  EXPECT_FALSE(desktop.janelaMover(id, {0, 0, 100, 100}));
  EXPECT_FALSE(desktop.janelaMaximizar(id));
  EXPECT_FALSE(desktop.janelaAtivar(JanelaId::Nenhuma));
  EXPECT_EQ(desktop.janelaPorTitulo(u"Mivo vai fechar"), JanelaId::Nenhuma);
}

// A program that stopped reading its messages: every operation comes back
// within its time limit, and the changes take effect once it answers again.
TEST_F(DesktopWin32, JanelaQueNaoRespondeNaoTrava) {
  JanelaAlvo outra(opcoes(u"Mivo respondendo"));
  JanelaAlvo alvo(opcoes(u"Mivo ocupada"));
  ativar(outra);
  alvo.ocupar(3000);
  const RetanguloJanela r{60, 70, 330, 250};
  struct Caso {
    const char* nome;
    std::function<void()> operacao;
    ULONGLONG limiteMs;
  };
  const std::vector<Caso> casos = {
      {"título", [&] { EXPECT_EQ(desktop.janelaTitulo(alvo.id()), u"Mivo ocupada"); }, 100},
      {"mover", [&] { EXPECT_TRUE(desktop.janelaMover(alvo.id(), r)); }, 1000},
      // Not maximised yet: the program is busy.
      {"maximizar", [&] { EXPECT_FALSE(desktop.janelaMaximizar(alvo.id())); }, 1000},
      {"ativar", [&] { desktop.janelaAtivar(alvo.id()); }, 1500},
  };
  for (const Caso& c : casos) {
    const ULONGLONG inicio = GetTickCount64();
    c.operacao();
    EXPECT_LT(GetTickCount64() - inicio, c.limiteMs) << c.nome;
  }

  // Handed over in order: maximised, then activated; the move came first.
  EXPECT_TRUE(esperarAte([&] { return IsZoomed(alvo.hwnd()) != FALSE; }, 5000));
  EXPECT_TRUE(esperarAte([&] { return desktop.janelaPrimeiroPlano() == alvo.id(); }, 5000));
  ShowWindow(alvo.hwnd(), SW_RESTORE);
  EXPECT_EQ(desktop.janelaRetangulo(alvo.id()), r);
}
