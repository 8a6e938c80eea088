#include "unTextoDesktop.h"

namespace mivo {

namespace {

constexpr char32_t kSubstituto = 0xFFFD;

bool ehAlto(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool ehBaixo(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void anexarUtf8(std::string& saida, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kSubstituto;
  if (c < 0x80) {
    saida += static_cast<char>(c);
  } else if (c < 0x800) {
    saida += static_cast<char>(0xC0 | (c >> 6));
    saida += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    saida += static_cast<char>(0xE0 | (c >> 12));
    saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    saida += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    saida += static_cast<char>(0xF0 | (c >> 18));
    saida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    saida += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void anexarUtf16(std::u16string& saida, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kSubstituto;
  if (c < 0x10000) {
    saida += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    saida += static_cast<char16_t>(0xD800 + (c >> 10));
    saida += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

// Length of the UTF-8 sequence that starts with `b`; 0 for a byte that
// cannot start one.
int comprimentoUtf8(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

}  // namespace

std::string utf8DeUtf16(std::u16string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char16_t c = texto[i];
    if (ehAlto(c) && i + 1 < texto.size() && ehBaixo(texto[i + 1])) {
      anexarUtf8(saida, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (texto[i + 1] - 0xDC00));
      ++i;
    } else {
      anexarUtf8(saida, c);  // an unpaired surrogate becomes U+FFFD there
    }
  }
  return saida;
}

std::u16string utf16DeUtf8(std::string_view texto) {
  std::u16string saida;
  saida.reserve(texto.size());
  std::size_t i = 0;
  while (i < texto.size()) {
    const auto b = static_cast<unsigned char>(texto[i]);
    const int n = comprimentoUtf8(b);
    if (n == 0 || i + n > texto.size()) {
      anexarUtf16(saida, kSubstituto);
      ++i;
      continue;
    }
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    bool valido = true;
    for (int k = 1; k < n; ++k) {
      const auto seguinte = static_cast<unsigned char>(texto[i + k]);
      if ((seguinte & 0xC0) != 0x80) {
        valido = false;
        break;
      }
      c = c << 6 | (seguinte & 0x3F);
    }
    // overlong forms, surrogates and values past U+10FFFF are invalid
    const char32_t minimo[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valido || c < minimo[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      anexarUtf16(saida, kSubstituto);
      ++i;
      continue;
    }
    anexarUtf16(saida, c);
    i += n;
  }
  return saida;
}

std::string utf8DeCaractere(char32_t caractere) {
  std::string saida;
  anexarUtf8(saida, caractere);
  return saida;
}

std::u16string utf16DeCaractere(char32_t caractere) {
  std::u16string saida;
  anexarUtf16(saida, caractere);
  return saida;
}

char32_t minusculaSimples(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;  // À..Þ, except the sign ×
  if (c == 0x178) return 0xFF;                   // Ÿ
  // Latin Extended-A: pairs of capital and small letter
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x400 && c <= 0x40F) return c + 80;                // Cyrillic Ѐ..Џ
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic А..Я
  return c;
}

bool iguaisIgnorandoCaixa(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (minusculaSimples(a[i]) != minusculaSimples(b[i])) return false;
  }
  return true;
}

}  // namespace mivo
