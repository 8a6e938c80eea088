// Xlib's macros (None, Bool) must come after GoogleTest.
#include <gtest/gtest.h>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <algorithm>

#include "unCLDesktop.h"
#include "unMapaTeclasX11.h"

using namespace mivo;

TEST(MapaTeclasX11, CodigosDoMivoViramKeysyms) {
  struct Caso {
    int tecla;
    KeySym primeiro;
    std::size_t quantos;
  };
  const Caso casos[] = {
      {tecla::kEnter, XK_Return, 1},   {tecla::kTab, XK_Tab, 1},        {tecla::kEsc, XK_Escape, 1},
      {tecla::kEspaco, XK_space, 1},   {tecla::kShift, XK_Shift_L, 2},  {tecla::kCtrl, XK_Control_L, 2},
      {tecla::kAlt, XK_Alt_L, 2},      {tecla::kF4, XK_F4, 1},          {135, XK_F24, 1},
      {'A', XK_a, 1},                  {'Z', XK_z, 1},                  {'0', XK_0, 1},
      {'V', XK_v, 1},                  {tecla::kEsquerda, XK_Left, 1},  {tecla::kBaixo, XK_Down, 1},
      {46, XK_Delete, 1},              {8, XK_BackSpace, 1},            {96, XK_KP_0, 1},
      {0xBA, XK_semicolon, 1},         {0xDE, XK_apostrophe, 1},        {173, XF86XK_AudioMute, 1},
      {165, XK_Alt_R, 2},              {tecla::kCapsLock, XK_Caps_Lock, 1},
  };
  for (const auto& c : casos) {
    const auto ks = keysymsDaTecla(c.tecla);
    ASSERT_EQ(ks.size(), c.quantos) << c.tecla;
    EXPECT_EQ(ks.front(), c.primeiro) << c.tecla;
  }
  // Codes with no key, and values outside a byte.
  for (int semTecla : {0, 7, 10, 0xFF, -1, 256, 1000}) EXPECT_TRUE(keysymsDaTecla(semTecla).empty()) << semTecla;
}

TEST(MapaTeclasX11, KeysymsVoltamAoCodigo) {
  struct Caso {
    KeySym keysym;
    int tecla;
  };
  const Caso casos[] = {
      {XK_Return, 13},   {XK_a, 'A'},          {XK_A, 'A'},  {XK_7, '7'},       {XK_F12, 123},
      {XK_Shift_L, 16},  {XK_Shift_R, 16},     {XK_Control_R, 17}, {XK_comma, 0xBC}, {XK_KP_5, 101},
      {XK_ISO_Level3_Shift, 165}, {XK_ccedilla, kSemTecla}, {XK_dead_acute, kSemTecla},
  };
  for (const auto& c : casos) EXPECT_EQ(teclaDoKeysym(c.keysym), c.tecla) << std::hex << c.keysym;
  // Every keysym a code names leads back to a code that names it too (160,
  // the left Shift, leads to 16, Shift).
  for (int t = 0; t < 256; ++t) {
    for (KeySym ks : keysymsDaTecla(t)) {
      const auto volta = keysymsDaTecla(teclaDoKeysym(ks));
      EXPECT_NE(std::find(volta.begin(), volta.end(), ks), volta.end()) << t;
    }
  }
}

TEST(MapaTeclasX11, CaracteresEKeysyms) {
  struct Caso {
    char32_t caractere;
    KeySym keysym;
    char32_t volta;  // the character the keysym types back
  };
  const Caso casos[] = {
      {U'a', XK_a, U'a'},           {U'Z', XK_Z, U'Z'},
      {U'!', XK_exclam, U'!'},      {U' ', XK_space, U' '},
      {U'ç', XK_ccedilla, U'ç'},    {U'Ã', XK_Atilde, U'Ã'},
      {U'é', XK_eacute, U'é'},      {0xA0, XK_nobreakspace, 0xA0},
      {U'€', 0x010020AC, U'€'},     {U'😀', 0x0101F600, U'😀'},
      {U'ő', 0x01000151, U'ő'},     {U'\t', XK_Tab, U'\t'},
      {U'\r', XK_Return, U'\r'},    {U'\n', XK_Return, U'\r'},
      {U'\b', XK_BackSpace, U'\b'}, {0x1B, XK_Escape, 0x1B},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(keysymDoCaractere(c.caractere), c.keysym) << static_cast<unsigned>(c.caractere);
    EXPECT_EQ(caractereDoKeysym(c.keysym), c.volta) << static_cast<unsigned>(c.caractere);
  }
  for (char32_t nenhum : {char32_t{0}, char32_t{0x01}, char32_t{0x85}, char32_t{0xD800}, char32_t{0x110000}}) {
    EXPECT_EQ(keysymDoCaractere(nenhum), static_cast<KeySym>(NoSymbol)) << static_cast<unsigned>(nenhum);
  }
  EXPECT_EQ(caractereDoKeysym(XK_EuroSign), U'€');
  for (KeySym semTexto : {KeySym{XK_F1}, KeySym{XK_Shift_L}, KeySym{XK_dead_tilde}, KeySym{NoSymbol}}) {
    EXPECT_EQ(caractereDoKeysym(semTexto), 0u) << std::hex << semTexto;
  }
}
