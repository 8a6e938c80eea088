#include "unMapaTeclasX11.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>
#include <unordered_map>

#include "unCLDesktop.h"

namespace mivo {

namespace {

struct TeclaKeysyms {
  int tecla;
  std::array<KeySym, 2> keysyms;  // NoSymbol fills the unused place
};

// Windows virtual-key number -> keysyms. Letters and digits are added in
// tabela() below.
constexpr TeclaKeysyms kTabela[] = {
    {8, {XK_BackSpace}}, {9, {XK_Tab}}, {12, {XK_Clear}}, {13, {XK_Return}},
    {16, {XK_Shift_L, XK_Shift_R}}, {17, {XK_Control_L, XK_Control_R}}, {18, {XK_Alt_L, XK_Alt_R}},
    {19, {XK_Pause}}, {20, {XK_Caps_Lock}}, {27, {XK_Escape}}, {32, {XK_space}},
    {33, {XK_Prior}}, {34, {XK_Next}}, {35, {XK_End}}, {36, {XK_Home}},
    {37, {XK_Left}}, {38, {XK_Up}}, {39, {XK_Right}}, {40, {XK_Down}},
    {41, {XK_Select}}, {43, {XK_Execute}}, {44, {XK_Print}}, {45, {XK_Insert}},
    {46, {XK_Delete}}, {47, {XK_Help}},
    {91, {XK_Super_L}}, {92, {XK_Super_R}}, {93, {XK_Menu}}, {95, {XF86XK_Sleep}},
    {96, {XK_KP_0}}, {97, {XK_KP_1}}, {98, {XK_KP_2}}, {99, {XK_KP_3}}, {100, {XK_KP_4}},
    {101, {XK_KP_5}}, {102, {XK_KP_6}}, {103, {XK_KP_7}}, {104, {XK_KP_8}}, {105, {XK_KP_9}},
    {106, {XK_KP_Multiply}}, {107, {XK_KP_Add}}, {108, {XK_KP_Separator}},
    {109, {XK_KP_Subtract}}, {110, {XK_KP_Decimal}}, {111, {XK_KP_Divide}},
    {144, {XK_Num_Lock}}, {145, {XK_Scroll_Lock}},
    {160, {XK_Shift_L}}, {161, {XK_Shift_R}}, {162, {XK_Control_L}}, {163, {XK_Control_R}},
    {164, {XK_Alt_L}}, {165, {XK_Alt_R, XK_ISO_Level3_Shift}},
    {166, {XF86XK_Back}}, {167, {XF86XK_Forward}}, {168, {XF86XK_Refresh}}, {169, {XF86XK_Stop}},
    {170, {XF86XK_Search}}, {171, {XF86XK_Favorites}}, {172, {XF86XK_HomePage}},
    {173, {XF86XK_AudioMute}}, {174, {XF86XK_AudioLowerVolume}}, {175, {XF86XK_AudioRaiseVolume}},
    {176, {XF86XK_AudioNext}}, {177, {XF86XK_AudioPrev}}, {178, {XF86XK_AudioStop}},
    {179, {XF86XK_AudioPlay}}, {180, {XF86XK_Mail}}, {181, {XF86XK_AudioMedia}},
    {186, {XK_semicolon}}, {187, {XK_equal}}, {188, {XK_comma}}, {189, {XK_minus}},
    {190, {XK_period}}, {191, {XK_slash}}, {192, {XK_grave}}, {219, {XK_bracketleft}},
    {220, {XK_backslash}}, {221, {XK_bracketright}}, {222, {XK_apostrophe}}, {226, {XK_less}},
};

struct Tabelas {
  std::array<std::array<KeySym, 2>, 256> daTecla{};
  std::array<int, 256> quantos{};
  std::unordered_map<KeySym, int> doKeysym;

  void definir(int tecla, std::array<KeySym, 2> keysyms) {
    daTecla[tecla] = keysyms;
    quantos[tecla] = keysyms[1] == NoSymbol ? 1 : 2;
    // The first code that names a keysym keeps it: 16 (Shift) rather than
    // 160 (left Shift), as Windows answers for a character.
    for (int i = 0; i < quantos[tecla]; ++i) doKeysym.emplace(keysyms[i], tecla);
  }
};

const Tabelas& tabelas() {
  static const Tabelas t = [] {
    Tabelas n;
    for (const auto& linha : kTabela) n.definir(linha.tecla, linha.keysyms);
    for (int d = 0; d <= 9; ++d) n.definir('0' + d, {static_cast<KeySym>(XK_0 + d)});
    for (int l = 0; l < 26; ++l) n.definir('A' + l, {static_cast<KeySym>(XK_a + l)});
    for (int f = 0; f < 24; ++f) n.definir(112 + f, {static_cast<KeySym>(XK_F1 + f)});
    return n;
  }();
  return t;
}

constexpr KeySym kUnicode = 0x01000000;

}  // namespace

std::span<const KeySym> keysymsDaTecla(int tecla) {
  if (tecla < 0 || tecla > 255) return {};
  const Tabelas& t = tabelas();
  return std::span<const KeySym>(t.daTecla[tecla].data(), t.quantos[tecla]);
}

int teclaDoKeysym(KeySym keysym) {
  const Tabelas& t = tabelas();
  // A capital letter's keysym stands for the same key as the small one.
  if (keysym >= XK_A && keysym <= XK_Z) keysym += XK_a - XK_A;
  auto it = t.doKeysym.find(keysym);
  return it == t.doKeysym.end() ? kSemTecla : it->second;
}

KeySym keysymDoCaractere(char32_t c) {
  switch (c) {
    case U'\b': return XK_BackSpace;
    case U'\t': return XK_Tab;
    case U'\n':
    case U'\r': return XK_Return;
    case 0x1B: return XK_Escape;
    case 0x7F: return XK_Delete;
    default: break;
  }
  if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) return c;
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    return NoSymbol;
  }
  return kUnicode + c;
}

char32_t caractereDoKeysym(KeySym keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
    return static_cast<char32_t>(keysym);
  }
  if (keysym >= kUnicode + 0xA0 && keysym <= kUnicode + 0x10FFFF) {
    return static_cast<char32_t>(keysym - kUnicode);
  }
  switch (keysym) {
    case XK_BackSpace: return U'\b';
    case XK_Tab: return U'\t';
    case XK_Return: return U'\r';
    case XK_Escape: return 0x1B;
    case XK_Delete: return 0x7F;
    case XK_EuroSign: return 0x20AC;
    default: return 0;
  }
}

}  // namespace mivo
