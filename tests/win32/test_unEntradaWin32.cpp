#include <gtest/gtest.h>

#include "unEntradaWin32.h"

using namespace mivo;

namespace {

// One keyboard record in a form that is easy to compare.
struct Teclado {
  WORD tecla;
  WORD codigo;
  DWORD sinais;
  friend bool operator==(const Teclado&, const Teclado&) = default;
};

std::vector<Teclado> teclado(const std::vector<INPUT>& entradas) {
  std::vector<Teclado> r;
  for (const INPUT& e : entradas) {
    EXPECT_EQ(e.type, static_cast<DWORD>(INPUT_KEYBOARD));
    r.push_back({e.ki.wVk, e.ki.wScan, e.ki.dwFlags});
  }
  return r;
}

constexpr DWORD U = KEYEVENTF_UNICODE;
constexpr DWORD UP = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;

}  // namespace

TEST(EntradaWin32, CaracteresViramEntradaUnicodeOuTeclasDeControle) {
  struct Caso {
    char32_t caractere;
    std::vector<Teclado> esperado;
  };
  const WORD enter = static_cast<WORD>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC));
  const WORD tab = static_cast<WORD>(MapVirtualKeyW(VK_TAB, MAPVK_VK_TO_VSC));
  const std::vector<Caso> casos = {
      {U'a', {{0, u'a', U}, {0, u'a', UP}}},
      {U'A', {{0, u'A', U}, {0, u'A', UP}}},
      {U'ç', {{0, u'ç', U}, {0, u'ç', UP}}},
      {U'€', {{0, u'€', U}, {0, u'€', UP}}},
      // Beyond the Basic Multilingual Plane: the two halves of the pair.
      {U'😀', {{0, 0xD83D, U}, {0, 0xD83D, UP}, {0, 0xDE00, U}, {0, 0xDE00, UP}}},
      {U'\n', {{VK_RETURN, enter, 0}, {VK_RETURN, enter, KEYEVENTF_KEYUP}}},
      {U'\r', {{VK_RETURN, enter, 0}, {VK_RETURN, enter, KEYEVENTF_KEYUP}}},
      {U'\t', {{VK_TAB, tab, 0}, {VK_TAB, tab, KEYEVENTF_KEYUP}}},
      {0xD800, {}},    // a lone surrogate is no character
      {0x110000, {}},  // beyond Unicode
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(teclado(entradasDoCaractere(c.caractere)), c.esperado)
        << "U+" << std::hex << static_cast<unsigned>(c.caractere);
  }
}

TEST(EntradaWin32, TeclasPorCodigoComSinalDeEstendida) {
  struct Caso {
    int tecla;
    bool soltar;
    bool existe;
    DWORD sinais;
  };
  const std::vector<Caso> casos = {
      {'A', false, true, 0},
      {'A', true, true, KEYEVENTF_KEYUP},
      {VK_SHIFT, false, true, 0},
      {VK_LEFT, false, true, KEYEVENTF_EXTENDEDKEY},
      {VK_DELETE, true, true, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP},
      {VK_HOME, false, true, KEYEVENTF_EXTENDEDKEY},
      {0, false, false, 0},
      {255, false, false, 0},
      {-13, false, false, 0},
      {1000, false, false, 0},
  };
  for (const Caso& c : casos) {
    const auto entradas = teclado(entradasDaTecla(c.tecla, c.soltar));
    ASSERT_EQ(entradas.size(), c.existe ? 1u : 0u) << c.tecla;
    if (!c.existe) continue;
    EXPECT_EQ(entradas[0].tecla, c.tecla);
    EXPECT_EQ(entradas[0].sinais, c.sinais) << c.tecla;
    EXPECT_EQ(entradas[0].codigo, MapVirtualKeyW(c.tecla, MAPVK_VK_TO_VSC)) << c.tecla;
  }
}

TEST(EntradaWin32, BotoesERoda) {
  struct Caso {
    std::vector<INPUT> entradas;
    DWORD sinais;
    DWORD dados;
  };
  const std::vector<Caso> casos = {
      {entradasDoBotao(BotaoMouse::Esquerdo, false), MOUSEEVENTF_LEFTDOWN, 0},
      {entradasDoBotao(BotaoMouse::Esquerdo, true), MOUSEEVENTF_LEFTUP, 0},
      {entradasDoBotao(BotaoMouse::Direito, false), MOUSEEVENTF_RIGHTDOWN, 0},
      {entradasDoBotao(BotaoMouse::Direito, true), MOUSEEVENTF_RIGHTUP, 0},
      {entradasDaRoda(120), MOUSEEVENTF_WHEEL, 120},
      {entradasDaRoda(-240), MOUSEEVENTF_WHEEL, static_cast<DWORD>(-240)},
  };
  for (const Caso& c : casos) {
    ASSERT_EQ(c.entradas.size(), 1u);
    EXPECT_EQ(c.entradas[0].type, static_cast<DWORD>(INPUT_MOUSE));
    EXPECT_EQ(c.entradas[0].mi.dwFlags, c.sinais);
    EXPECT_EQ(c.entradas[0].mi.mouseData, c.dados);
    EXPECT_EQ(c.entradas[0].mi.dx, 0);  // at the pointer: no movement
  }
  EXPECT_TRUE(entradasDaRoda(0).empty());
}

// A button event placed at a point must land on exactly that pixel, on any
// screen size and with screens left of the primary one (negative origin).
TEST(EntradaWin32, BotaoNumPontoLevaAPosicaoAbsolutaExata) {
  for (const int tamanho : {800, 1024, 1366, 1920, 3840, 5760}) {
    for (const int origem : {0, -1920}) {
      for (int pixel = 0; pixel < tamanho; ++pixel) {
        const long long absoluta = coordenadaAbsoluta(origem + pixel, origem, tamanho);
        ASSERT_GE(absoluta, 0);
        ASSERT_LE(absoluta, 65535);
        ASSERT_EQ(absoluta * tamanho / 65536, pixel) << tamanho << " " << origem;
      }
    }
  }
  // Outside the screens: the nearest edge.
  EXPECT_EQ(coordenadaAbsoluta(-5, 0, 1024), 0);
  EXPECT_EQ(coordenadaAbsoluta(5000, 0, 1024), coordenadaAbsoluta(1023, 0, 1024));

  const RECT tela{-1920, 0, 1920, 1080};
  const std::vector<INPUT> e = entradasDoBotaoEm(BotaoMouse::Direito, true, {100, 540}, tela);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].mi.dwFlags,
            DWORD(MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK));
  EXPECT_EQ(e[0].mi.dx, coordenadaAbsoluta(100, -1920, 3840));
  EXPECT_EQ(e[0].mi.dy, coordenadaAbsoluta(540, 0, 1080));
}
