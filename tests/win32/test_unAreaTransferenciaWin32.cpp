#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "unAreaTransferenciaWin32.h"
#include "unJanelaAlvo.h"
#include "unTextoDesktop.h"

using namespace mivo;
using mivo::teste::esperarAte;

namespace {

// The text on the clipboard read directly; nullopt when it cannot be opened.
std::optional<std::u16string> textoDireto() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::u16string texto;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const char16_t*>(GlobalLock(h))) {
      texto = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return texto;
}

bool definirTextoDireto(const std::u16string& texto) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL bloco = GlobalAlloc(GMEM_MOVEABLE, (texto.size() + 1) * 2);
  std::memcpy(GlobalLock(bloco), texto.c_str(), (texto.size() + 1) * 2);
  GlobalUnlock(bloco);
  const bool ok = SetClipboardData(CF_UNICODETEXT, bloco) != nullptr;
  CloseClipboard();
  return ok;
}

// Another thread holds the clipboard open for a window of its own, as
// another program does, until released.
class AreaOcupada {
 public:
  AreaOcupada() {
    gThread = std::thread([this] {
      HWND janela = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
      gAberta = janela && OpenClipboard(janela);
      gPronta = true;
      while (!gSoltar) Sleep(5);
      if (gAberta) CloseClipboard();
      if (janela) DestroyWindow(janela);
    });
    while (!gPronta) Sleep(1);
  }
  ~AreaOcupada() { soltar(); }
  bool aberta() const { return gAberta; }
  void soltar() {
    gSoltar = true;
    if (gThread.joinable()) gThread.join();
  }

 private:
  std::atomic<bool> gAberta{false}, gPronta{false}, gSoltar{false};
  std::thread gThread;
};

// Milliseconds that `f` took.
template <class F>
ULONGLONG medir(F f) {
  const ULONGLONG inicio = GetTickCount64();
  f();
  return GetTickCount64() - inicio;
}

constexpr EsperaAreaTransferencia kEsperaCurta{10, 20};  // about 200 ms

}  // namespace

TEST(AreaTransferenciaWin32, TextoNosDoisSentidos) {
  AreaTransferenciaWin32 area(kEsperaCurta);
  const std::vector<std::u16string> textos = {
      u"simples", u"Olá, ação! ÇÃÕ ü ß €", u"linha 1\r\nlinha 2\r\n", u"emoji 😀 e 中文", u""};
  for (const auto& texto : textos) {
    ASSERT_TRUE(area.definirTexto(texto)) << utf8DeUtf16(texto);
    EXPECT_EQ(textoDireto(), std::optional(texto)) << utf8DeUtf16(texto);

    const std::u16string outro = u"de fora: " + texto;
    ASSERT_TRUE(definirTextoDireto(outro));
    EXPECT_EQ(area.texto(), std::optional(outro)) << utf8DeUtf16(texto);
  }
}

TEST(AreaTransferenciaWin32, OcupadaPorOutroProgramaFalhaNoPrazo) {
  AreaTransferenciaWin32 area(kEsperaCurta);
  ASSERT_TRUE(area.definirTexto(u"antes"));
  AreaOcupada ocupada;
  ASSERT_TRUE(ocupada.aberta());
  EXPECT_LT(medir([&] { EXPECT_EQ(area.texto(), std::nullopt); }), 2000u);
  EXPECT_LT(medir([&] { EXPECT_FALSE(area.definirTexto(u"depois")); }), 2000u);
  EXPECT_LT(medir([&] { EXPECT_FALSE(area.definirImagem({1, 1, {0xFF000000u}})); }), 2000u);
  ocupada.soltar();
  EXPECT_EQ(area.texto(), std::optional<std::u16string>(u"antes"));
}

TEST(AreaTransferenciaWin32, EsperaQuemSoltaDentroDoPrazo) {
  AreaTransferenciaWin32 area({100, 10});  // up to about a second
  AreaOcupada ocupada;
  ASSERT_TRUE(ocupada.aberta());
  std::thread soltar([&] {
    Sleep(150);
    ocupada.soltar();
  });
  EXPECT_TRUE(area.definirTexto(u"esperou"));
  soltar.join();
  EXPECT_EQ(textoDireto(), std::optional<std::u16string>(u"esperou"));
}

TEST(AreaTransferenciaWin32, ImagemVaiComoDibDeBaixoParaCima) {
  // 3 x 2: red, green, blue on top; white, black, half-transparent grey below.
  const ImagemPixels imagem{3, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,  //
                                   0xFFFFFFFFu, 0xFF000000u, 0x80808080u}};
  AreaTransferenciaWin32 area(kEsperaCurta);
  ASSERT_TRUE(area.definirImagem(imagem));

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_DIB);
  ASSERT_NE(h, nullptr);
  const auto* dados = static_cast<const std::uint8_t*>(GlobalLock(h));
  ASSERT_NE(dados, nullptr);
  BITMAPINFOHEADER cab;
  std::memcpy(&cab, dados, sizeof(cab));
  std::vector<std::uint32_t> pixels(6);
  std::memcpy(pixels.data(), dados + cab.biSize, 6 * 4);
  GlobalUnlock(h);
  CloseClipboard();

  EXPECT_EQ(cab.biWidth, 3);
  EXPECT_EQ(cab.biHeight, 2);
  EXPECT_EQ(cab.biBitCount, 32);
  EXPECT_EQ(cab.biCompression, static_cast<DWORD>(BI_RGB));
  const std::vector<std::uint32_t> esperado = {0xFFFFFFFFu, 0xFF000000u, 0x80808080u,
                                               0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  EXPECT_EQ(pixels, esperado);
  // A picture is not text: the text is empty, not a failure.
  EXPECT_EQ(area.texto(), std::optional<std::u16string>(u""));
}

TEST(AreaTransferenciaWin32, ImagemQueNaoPodeSerColocadaDeixaOQueHavia) {
  struct Caso {
    const char* nome;
    ImagemPixels imagem;
  };
  const std::vector<Caso> casos = {
      {"vazia", {0, 0, {}}},
      {"largura negativa", {-1, 1, {0u}}},
      {"pixels de menos", {2, 2, {0u, 0u, 0u}}},
      {"pixels demais", {1, 1, {0u, 0u}}},
      {"grande demais", {100000, 100000, {0u}}},
      {"estouro da multiplicação", {1 << 30, 1 << 30, {}}},
  };
  AreaTransferenciaWin32 area(kEsperaCurta);
  ASSERT_TRUE(area.definirTexto(u"fica"));
  for (const Caso& c : casos) {
    EXPECT_EQ(dibDaImagem(c.imagem), std::nullopt) << c.nome;
    EXPECT_FALSE(area.definirImagem(c.imagem)) << c.nome;
    EXPECT_EQ(textoDireto(), std::optional<std::u16string>(u"fica")) << c.nome;
  }
}
