// The clipboard of the X11 desktop against other programs: xclip and the
// target window, both ways.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest and Qt

#include <QImage>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>

#include "unAreaTransferenciaX11.h"
#include "unTextoDesktop.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

// Runs a shell command on the test display; its standard output.
std::string executar(const std::string& tela, const std::string& comando, const std::string& entrada = {}) {
  const std::string linha = "DISPLAY=" + tela + " timeout 5 " + comando;
  std::string saida;
  if (entrada.empty()) {
    FILE* p = popen(linha.c_str(), "r");
    char buf[65536];
    std::size_t n;
    while (p && (n = fread(buf, 1, sizeof buf, p)) > 0) saida.append(buf, n);
    if (p) pclose(p);
  } else {
    FILE* p = popen(linha.c_str(), "w");
    if (p) {
      fwrite(entrada.data(), 1, entrada.size(), p);
      pclose(p);
    }
  }
  return saida;
}

class AreaTransferenciaX11 : public TesteX11 {
 protected:
  void SetUp() override {
    TesteX11::SetUp();
    if (!IsSkipped() && !programaInstalado("xclip")) GTEST_SKIP() << "o xclip não está instalado";
  }
};

}  // namespace

TEST_F(AreaTransferenciaX11, OutrosProgramasColamOQueOMivoCopiou) {
  auto alvo = abrirAlvo("Colar");
  // What Mivo copies, and what a Linux program gets: line breaks as LF.
  const std::pair<std::u16string, std::string> textos[] = {
      {u"Olá, mundo", "Olá, mundo"},
      {u"ação ç Ç 😀 €", "ação ç Ç 😀 €"},
      {u"linha 1\r\nlinha 2\r\n", "linha 1\nlinha 2\n"},
      {u"só LF\ne CR\r", "só LF\ne CR\r"},
      {u"  espaços  ", "  espaços  "},
  };
  for (const auto& [texto, colado] : textos) {
    ASSERT_TRUE(desktop->areaTransferenciaDefinirTexto(texto));
    EXPECT_EQ(executar(tela, "xclip -selection clipboard -o"), colado);
    EXPECT_EQ(executar(tela, "xclip -selection clipboard -o -t UTF8_STRING"), colado);
    alvo->esquecer();
    alvo->comando("colar");
    EXPECT_TRUE(alvo->aguardar([](const auto& ls) { return !ls.empty(); }));
    ASSERT_EQ(alvo->linhas().size(), 1u);
    EXPECT_EQ(CLAlvoTeste::desescapar(alvo->linhas()[0].substr(7)), colado);
  }
  // Latin-1 for old programs, with "?" for what it cannot hold; the targets on offer.
  ASSERT_TRUE(desktop->areaTransferenciaDefinirTexto(u"ação €"));
  EXPECT_EQ(executar(tela, "xclip -selection clipboard -o -t STRING"), "a\xe7\xe3o ?");
  const std::string alvos = executar(tela, "xclip -selection clipboard -o -t TARGETS");
  for (const char* t : {"TARGETS", "UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8"}) {
    EXPECT_NE(alvos.find(t), std::string::npos) << t;
  }
  // Another connection of ours (another Mivo) reads it as well.
  std::u16string erro;
  auto outro = CLDesktopX11::criar(tela, erro);
  EXPECT_EQ(outro->areaTransferenciaTexto(), std::optional<std::u16string>(u"ação €"));
  EXPECT_EQ(desktop->areaTransferenciaTexto(), std::optional<std::u16string>(u"ação €"));
}

// A paste counts only when a program took what Mivo copied: Ctrl+V in the
// target does; a key that nothing answers with a read does not.
TEST_F(AreaTransferenciaX11, ColagemSoContaQuandoAlguemLe) {
  auto alvo = abrirAlvo("Colagem");
  ASSERT_TRUE(desktop->janelaAtivar(JanelaId{alvo->janela()}));
  struct Caso {
    int tecla;
    bool entregue;
  };
  for (const Caso c : {Caso{'V', true}, Caso{'B', false}}) {
    alvo->esquecer();
    ASSERT_TRUE(desktop->areaTransferenciaDefinirTexto(u"colar isto"));
    desktop->teclaPressionar(tecla::kCtrl);
    desktop->teclaPressionar(c.tecla);
    desktop->teclaSoltar(c.tecla);
    desktop->teclaSoltar(tecla::kCtrl);
    EXPECT_EQ(desktop->colagemEntregue(), c.entregue) << char(c.tecla);
    if (c.entregue) EXPECT_TRUE(alvo->aguardarLinha("colado colar isto"));
  }
}

TEST_F(AreaTransferenciaX11, LeOQueOutrosCopiaram) {
  auto alvo = abrirAlvo("Copiar");
  alvo->comando("copiar Copiado pelo alvo: ação");
  ASSERT_TRUE(alvo->aguardarLinha("copiou"));
  EXPECT_EQ(desktop->areaTransferenciaTexto(), std::optional<std::u16string>(u"Copiado pelo alvo: ação"));
  struct Caso {
    std::string comando;
    std::string entrada;
    std::u16string lido;
  };
  const Caso casos[] = {
      {"xclip -selection clipboard -i", "de xclip 😀\nsegunda linha", u"de xclip 😀\nsegunda linha"},
      // An owner with Latin-1 only: asked for UTF-8 first, then for Latin-1.
      {"xclip -selection clipboard -i -t STRING", "cora\xe7\xe3o", u"coração"},
      // Large texts arrive in pieces (INCR).
      {"xclip -selection clipboard -i", std::string(3 << 20, 'x'), std::u16string(3 << 20, u'x')},
  };
  for (const auto& c : casos) {
    // xclip takes the clipboard from a child of its own, maybe a moment
    // after the command returned.
    executar(tela, c.comando, c.entrada);
    std::optional<std::u16string> lido;
    EXPECT_TRUE(aguardar([&] { return (lido = desktop->areaTransferenciaTexto()) == c.lido; })) << c.comando;
    ASSERT_TRUE(lido.has_value()) << c.comando;
    EXPECT_EQ(lido->size(), c.lido.size()) << c.comando;
  }
}

TEST_F(AreaTransferenciaX11, SemDonoOuDonoQueNaoResponde) {
  // Nobody owns it: an empty text.
  Display* d = XOpenDisplay(tela.c_str());
  XSetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False), None, CurrentTime);
  XSync(d, False);
  XCloseDisplay(d);
  EXPECT_EQ(desktop->areaTransferenciaTexto(), std::optional<std::u16string>(u""));
  // An owner that never answers: nothing, within the time limit.
  auto alvo = abrirAlvo("Mudo");
  alvo->comando("ocupar");
  ASSERT_TRUE(alvo->aguardarLinha("ocupou"));
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_EQ(desktop->areaTransferenciaTexto(), std::nullopt);
  const auto passou = std::chrono::steady_clock::now() - inicio;
  EXPECT_GE(passou, std::chrono::milliseconds(CLAreaTransferenciaX11::kLimiteLeituraMs - 50));
  EXPECT_LT(passou, std::chrono::milliseconds(CLAreaTransferenciaX11::kLimiteLeituraMs + 1000));
  // Taking the clipboard back works at once.
  ASSERT_TRUE(desktop->areaTransferenciaDefinirTexto(u"de volta"));
  EXPECT_EQ(desktop->areaTransferenciaTexto(), std::optional<std::u16string>(u"de volta"));
}

TEST_F(AreaTransferenciaX11, ImagemComoPng) {
  ImagemPixels imagem;
  imagem.largura = 3;
  imagem.altura = 2;
  imagem.pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0x80123456};
  ASSERT_TRUE(desktop->areaTransferenciaDefinirImagem(imagem));
  EXPECT_NE(executar(tela, "xclip -selection clipboard -o -t TARGETS").find("image/png"), std::string::npos);
  const std::string png = executar(tela, "xclip -selection clipboard -o -t image/png");
  QImage lida;
  ASSERT_TRUE(lida.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
  lida = lida.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(lida.width(), 3);
  ASSERT_EQ(lida.height(), 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(lida.pixel(x, y), imagem.pixels[y * 3 + x]) << x << "," << y;
  }
  // A picture holds no text; an empty picture is refused.
  EXPECT_EQ(desktop->areaTransferenciaTexto(), std::optional<std::u16string>(u""));
  EXPECT_FALSE(desktop->areaTransferenciaDefinirImagem(ImagemPixels{}));
}
