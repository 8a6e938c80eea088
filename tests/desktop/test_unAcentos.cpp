#include "unAcentos.h"

#include <gtest/gtest.h>

namespace mivo {
namespace {

TextoTecla texto(const std::u16string& t) { return {t, 0}; }
TextoTecla morta(char32_t acento) { return {{}, acento}; }

// The letter after each dead key, the blank, a letter the accent does not
// go on, another dead key and a key that types nothing.
TEST(Acentos, TeclaDepoisDeUmaTeclaMorta) {
  const struct {
    char32_t pendente;
    TextoTecla tecla;
    TextoTecla esperado;
  } casos[] = {
      {U'´', texto(u"A"), texto(u"Á")},  {U'´', texto(u"e"), texto(u"é")},  {U'´', texto(u"c"), texto(u"ç")},
      {U'`', texto(u"a"), texto(u"à")},  {U'~', texto(u"O"), texto(u"Õ")},  {U'~', texto(u"n"), texto(u"ñ")},
      {U'^', texto(u"E"), texto(u"Ê")},  {U'¨', texto(u"u"), texto(u"ü")},  {U'¸', texto(u"C"), texto(u"Ç")},
      {U'´', texto(u" "), texto(u"´")},  {U'~', texto(u"k"), texto(u"~k")}, {U'^', texto(u"1"), texto(u"^1")},
      {U'´', morta(U'´'), texto(u"´")},  {U'´', morta(U'`'), texto(u"´`")}, {U'´', texto(u""), texto(u"")},
      {0, texto(u"a"), texto(u"a")},     {0, morta(U'~'), morta(U'~')},
      {U'\'', texto(u"E"), texto(u"É")}, {U'"', texto(u"u"), texto(u"ü")}, {U'\'', texto(u" "), texto(u"'")},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(aplicarAcento(c.pendente, c.tecla), c.esperado)
        << static_cast<unsigned>(c.pendente) << " " << static_cast<unsigned>(c.tecla.acento);
  }
  EXPECT_EQ(comporAcento(U'´', U'x'), 0u);
  EXPECT_EQ(comporAcento(U'x', U'a'), 0u);
}

}  // namespace
}  // namespace mivo
