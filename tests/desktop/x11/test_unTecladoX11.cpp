// The keyboard of the X11 desktop, end to end: what the target window and
// xterm receive from caractereDigitar and from key presses.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <X11/Xlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "unTextoDesktop.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

void digitar(CLDesktop& desktop, const std::u32string& texto) {
  for (char32_t c : texto) desktop.caractereDigitar(c);
}

std::string utf8(const std::u32string& texto) {
  std::string r;
  for (char32_t c : texto) r += utf8DeCaractere(c);
  return r;
}

}  // namespace

class TecladoX11 : public TesteX11 {};

TEST_F(TecladoX11, DigitaCadaCaractereExatamente) {
  auto alvo = abrirAlvo("Digitação");
  struct Caso {
    std::u32string digitado;
    std::u32string recebido;
  };
  const Caso casos[] = {
      {U"abc xyz 0123456789", U"abc xyz 0123456789"},
      {U"Olá Mundo", U"Olá Mundo"},
      {U"!@#$%^&*()_+{}|:\"<>?~", U"!@#$%^&*()_+{}|:\"<>?~"},
      {U"-=[]\\;',./`", U"-=[]\\;',./`"},
      {U"ação ÇÃO ç é à õ Ê ü", U"ação ÇÃO ç é à õ Ê ü"},
      {U"€ ½ ß ñ", U"€ ½ ß ñ"},
      {U"😀👍", U"😀👍"},
      {U"a\tb", U"a\tb"},
      // CR LF is one line break; a lone LF is one too.
      {U"x\r\ny\nz", U"x\ry\rz"},
  };
  for (const auto& c : casos) {
    alvo->esquecer();
    digitar(*desktop, c.digitado);
    EXPECT_TRUE(alvo->aguardarTexto(utf8(c.recebido)));
    EXPECT_EQ(alvo->textoRecebido(), utf8(c.recebido));
  }
}

TEST_F(TecladoX11, MaisCaracteresQueTeclasLivres) {
  // More distinct missing characters than spare keycodes: the oldest
  // lent keycodes are lent again, and nothing is lost on the way.
  auto alvo = abrirAlvo("Muitos");
  std::u32string texto;
  for (char32_t c = 0x3041; c < 0x3041 + 30; ++c) texto += c;  // hiragana
  texto += texto.substr(0, 5);
  digitar(*desktop, texto);
  EXPECT_TRUE(alvo->aguardarTexto(utf8(texto)));
  EXPECT_EQ(alvo->textoRecebido(), utf8(texto));
}

TEST_F(TecladoX11, DigitaComCapsLockLigado) {
  auto alvo = abrirAlvo("Caps");
  desktop->teclaPressionar(tecla::kCapsLock);
  desktop->teclaSoltar(tecla::kCapsLock);
  digitar(*desktop, U"aB1!");
  desktop->teclaPressionar(tecla::kCapsLock);
  desktop->teclaSoltar(tecla::kCapsLock);
  EXPECT_TRUE(alvo->aguardarTexto("aB1!"));
  EXPECT_EQ(alvo->textoRecebido(), "aB1!");
}

TEST_F(TecladoX11, CombinacoesDeTeclas) {
  auto alvo = abrirAlvo("Combinações");
  struct Caso {
    std::vector<int> teclas;  // pressed in order, released in reverse
    std::string linha;
  };
  const Caso casos[] = {
      {{tecla::kCtrl, 'C'}, "tecla c ctrl"},
      {{tecla::kCtrl, 86}, "tecla v ctrl"},
      {{tecla::kCtrl, tecla::kEnter}, "tecla Return ctrl"},
      {{tecla::kShift, tecla::kTab}, "tecla ISO_Left_Tab shift"},
      {{tecla::kCtrl, tecla::kShift, 'S'}, "tecla S ctrl+shift"},
      {{tecla::kAlt, 'X'}, "tecla x alt"},
      {{tecla::kF4 - 3}, "tecla F1 -"},
      {{tecla::kEsquerda}, "tecla Left -"},
  };
  for (const auto& c : casos) {
    alvo->esquecer();
    for (int t : c.teclas) desktop->teclaPressionar(t);
    for (auto t = c.teclas.rbegin(); t != c.teclas.rend(); ++t) desktop->teclaSoltar(*t);
    EXPECT_TRUE(alvo->aguardarLinha(c.linha)) << c.linha;
  }
  // Alt+F4 asks openbox to close the window, which the window reports.
  alvo->esquecer();
  desktop->teclaPressionar(tecla::kAlt);
  desktop->teclaPressionar(tecla::kF4);
  desktop->teclaSoltar(tecla::kF4);
  desktop->teclaSoltar(tecla::kAlt);
  EXPECT_TRUE(alvo->aguardarLinha("fechada"));
}

TEST_F(TecladoX11, TeclaDoCaractereNoMapaAtual) {
  struct Caso {
    char32_t caractere;
    int tecla;
  };
  const Caso casos[] = {
      {U'a', 'A'},        {U'A', 0x100 | 'A'}, {U'1', '1'},         {U'!', 0x100 | '1'},
      {U';', 0xBA},       {U':', 0x1BA},       {U' ', 32},          {U'\r', 13},
      {U'\t', 9},         {U'\n', 0x20D},      {U'ç', kSemTecla},   {U'😀', kSemTecla},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(desktop->teclaDoCaractere(c.caractere), c.tecla) << static_cast<unsigned>(c.caractere);
  }
}

TEST_F(TecladoX11, EstadoDeTeclasEBotoes) {
  auto alvo = abrirAlvo("Estado");
  EXPECT_EQ(desktop->teclaEstado(tecla::kShift), 0);
  desktop->teclaPressionar(tecla::kShift);
  EXPECT_EQ(desktop->teclaEstado(tecla::kShift) & kTeclaPressionada, kTeclaPressionada);
  EXPECT_EQ(desktop->teclaEstado(161) & kTeclaPressionada, 0);  // the right Shift is up
  desktop->teclaSoltar(tecla::kShift);
  EXPECT_EQ(desktop->teclaEstado(tecla::kShift), 0);

  desktop->teclaPressionar(tecla::kCapsLock);
  desktop->teclaSoltar(tecla::kCapsLock);
  EXPECT_EQ(desktop->teclaEstado(tecla::kCapsLock), kTeclaLigada);
  desktop->teclaPressionar(tecla::kCapsLock);
  desktop->teclaSoltar(tecla::kCapsLock);
  EXPECT_EQ(desktop->teclaEstado(tecla::kCapsLock), 0);

  // openbox holds a click on a window until it has looked at it: the
  // state follows a moment later.
  desktop->cursorPosicionar({300, 250});
  desktop->botaoPressionar(BotaoMouse::Esquerdo);
  EXPECT_TRUE(aguardar([&] { return desktop->teclaEstado(tecla::kBotaoEsquerdo) == kTeclaPressionada; }));
  EXPECT_EQ(desktop->teclaEstado(tecla::kBotaoDireito), 0);
  desktop->botaoSoltar(BotaoMouse::Esquerdo);
  EXPECT_TRUE(aguardar([&] { return desktop->teclaEstado(tecla::kBotaoEsquerdo) == 0; }));
}

TEST_F(TecladoX11, MapaRestauradoDepoisDeDigitarOQueFalta) {
  const std::vector<KeySym> antes = mapaDoTeclado(tela);
  ASSERT_FALSE(antes.empty());
  auto alvo = abrirAlvo("Mapa");
  // Idle lent keycodes go back between operations, the desktop still open.
  digitar(*desktop, U"ãç😀");
  EXPECT_TRUE(alvo->aguardarTexto("ãç😀"));
  EXPECT_NE(mapaDoTeclado(tela), antes);
  EXPECT_TRUE(aguardar([&] {
    desktop->dormir(50);
    return mapaDoTeclado(tela) == antes;
  }));
  // A run that ends by an error: the desktop goes while the stack unwinds.
  try {
    std::u16string erro;
    auto outro = CLDesktopX11::criar(tela, erro);
    digitar(*outro, U"õé");
    throw std::runtime_error("falha no meio do script");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(mapaDoTeclado(tela), antes);
  EXPECT_EQ(alvo->textoRecebido(), "ãç😀õé");
}

// The end of a run (CLDesktop::soltarTudo, with nothing held) gives every
// lent keycode back at once, in the US layout, which lacks these letters;
// the desktop stays open, as the workbench's does between runs.
TEST_F(TecladoX11, SoltarTudoDevolveAsTeclasEmprestadas) {
  std::string erro;
  if (!definirLayout(tela, "us", erro)) GTEST_SKIP() << erro;
  const std::vector<unsigned long> antes = mapaDoTeclado(tela);
  ASSERT_FALSE(antes.empty());
  auto alvo = abrirAlvo("Fim da execução");
  digitar(*desktop, U"ãéüñ");
  EXPECT_TRUE(alvo->aguardarTexto("ãéüñ"));
  EXPECT_EQ(alvo->textoRecebido(), "ãéüñ");
  EXPECT_NE(mapaDoTeclado(tela), antes);
  ASSERT_TRUE(desktop->teclasSeguradas().empty());
  desktop->soltarTudo();
  EXPECT_EQ(mapaDoTeclado(tela), antes);
  // Lent again by the next run, and given back again.
  digitar(*desktop, U"ñ");
  desktop->soltarTudo();
  EXPECT_EQ(mapaDoTeclado(tela), antes);
  EXPECT_TRUE(alvo->aguardarTexto("ãéüññ"));
  EXPECT_EQ(alvo->textoRecebido(), "ãéüññ");
}

TEST_F(TecladoX11, DigitaNoXterm) {
  if (!programaInstalado("xterm")) GTEST_SKIP() << "o xterm não está instalado";
  const std::string arquivo = std::filesystem::temp_directory_path() / ("mivo-xterm-" + std::to_string(getpid()));
  CLProcessoTeste xterm;
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"DISPLAY", tela}, {"LC_ALL", "C.UTF-8"}};
  ASSERT_TRUE(xterm.iniciar({"xterm", "-u8", "-title", "Terminal de teste", "-e", "sh", "-c",
                             "stty -echo; cat > " + arquivo},
                            opcoes));
  JanelaId janela = JanelaId::Nenhuma;
  ASSERT_TRUE(aguardar([&] {
    janela = desktop->janelaPorTitulo(u"terminal de TESTE");
    return janela != JanelaId::Nenhuma;
  }));
  ASSERT_TRUE(desktop->janelaAtivar(janela));
  const std::u32string texto = U"Olá, ação! Ç \"aspas\" {chaves} ~til 😀\r";
  digitar(*desktop, texto);
  const std::string esperado = "Olá, ação! Ç \"aspas\" {chaves} ~til 😀\n";
  std::string lido;
  EXPECT_TRUE(aguardar([&] {
    std::ifstream f(arquivo, std::ios::binary);
    lido.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return lido.size() >= esperado.size();
  }));
  EXPECT_EQ(lido, esperado);
  xterm.parar();
  std::filesystem::remove(arquivo);
}
