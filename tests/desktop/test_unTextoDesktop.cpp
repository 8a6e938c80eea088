#include <gtest/gtest.h>

#include "unTextoDesktop.h"

using namespace mivo;

TEST(TextoDesktop, ConverteEntreUtf16EUtf8) {
  struct Caso {
    std::u16string utf16;
    std::string utf8;
  } casos[] = {
      {u"", ""},
      {u"Bloco de notas", "Bloco de notas"},
      {u"ação ç €", "a\xC3\xA7\xC3\xA3o \xC3\xA7 \xE2\x82\xAC"},
      {u"😀!", "\xF0\x9F\x98\x80!"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(utf8DeUtf16(c.utf16), c.utf8);
    EXPECT_EQ(utf16DeUtf8(c.utf8), c.utf16) << c.utf8;
  }
  EXPECT_EQ(utf8DeCaractere(U'ç'), "\xC3\xA7");
  EXPECT_EQ(utf16DeCaractere(U'😀'), u"😀");
}

TEST(TextoDesktop, SequenciasInvalidasViramCaractereDeSubstituicao) {
  const std::u16string semPar = {u'a', char16_t(0xD83D), u'b'};
  EXPECT_EQ(utf8DeUtf16(semPar),
            "a\xEF\xBF\xBD"
            "b");
  struct Caso {
    std::string utf8;
    std::u16string esperado;
  } casos[] = {
      {"\xC0\x80", u"\uFFFD\uFFFD"},  // overlong form of U+0000
      {"a\x80"
       "b",
       u"a\uFFFDb"},                            // continuation byte alone
      {"\xE2\x82", u"\uFFFD\uFFFD"},            // cut short
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
  };
  for (const auto& c : casos) EXPECT_EQ(utf16DeUtf8(c.utf8), c.esperado);
}

TEST(TextoDesktop, ComparaTitulosSemDiferenciarMaiusculas) {
  struct Caso {
    std::u16string a, b;
    bool iguais;
  } casos[] = {
      {u"Sem título - Bloco de Notas", u"SEM TÍTULO - BLOCO DE NOTAS", true},
      {u"AÇÃO ÊXITO", u"ação êxito", true},
      {u"ŁÓDŹ Ÿ", u"łódź ÿ", true},
      {u"ПРИВЕТ ΑΒΓ", u"привет αβγ", true},
      {u"", u"", true},
      {u"abc", u"abd", false},
      {u"abc", u"abc ", false},
      {u"×", u"÷", false},  // signs, not letters
  };
  for (const auto& c : casos) {
    EXPECT_EQ(iguaisIgnorandoCaixa(c.a, c.b), c.iguais) << utf8DeUtf16(c.a) << " / " << utf8DeUtf16(c.b);
    EXPECT_EQ(iguaisIgnorandoCaixa(c.b, c.a), c.iguais);
  }
}
