#include "unAcentos.h"

namespace mivo {

namespace {

struct Composicao {
  char32_t acento;
  char32_t base;
  char32_t letra;
};

// The letters of Portuguese and its neighbours. The acute on a c gives the
// cedilla, as the Brazilian keyboards type it.
constexpr Composicao kComposicoes[] = {
    {U'´', U'A', U'Á'}, {U'´', U'E', U'É'}, {U'´', U'I', U'Í'}, {U'´', U'O', U'Ó'}, {U'´', U'U', U'Ú'},
    {U'´', U'Y', U'Ý'}, {U'´', U'C', U'Ç'}, {U'´', U'a', U'á'}, {U'´', U'e', U'é'}, {U'´', U'i', U'í'},
    {U'´', U'o', U'ó'}, {U'´', U'u', U'ú'}, {U'´', U'y', U'ý'}, {U'´', U'c', U'ç'},
    {U'`', U'A', U'À'}, {U'`', U'E', U'È'}, {U'`', U'I', U'Ì'}, {U'`', U'O', U'Ò'}, {U'`', U'U', U'Ù'},
    {U'`', U'a', U'à'}, {U'`', U'e', U'è'}, {U'`', U'i', U'ì'}, {U'`', U'o', U'ò'}, {U'`', U'u', U'ù'},
    {U'~', U'A', U'Ã'}, {U'~', U'O', U'Õ'}, {U'~', U'N', U'Ñ'}, {U'~', U'a', U'ã'}, {U'~', U'o', U'õ'},
    {U'~', U'n', U'ñ'},
    {U'^', U'A', U'Â'}, {U'^', U'E', U'Ê'}, {U'^', U'I', U'Î'}, {U'^', U'O', U'Ô'}, {U'^', U'U', U'Û'},
    {U'^', U'a', U'â'}, {U'^', U'e', U'ê'}, {U'^', U'i', U'î'}, {U'^', U'o', U'ô'}, {U'^', U'u', U'û'},
    {U'¨', U'A', U'Ä'}, {U'¨', U'E', U'Ë'}, {U'¨', U'I', U'Ï'}, {U'¨', U'O', U'Ö'}, {U'¨', U'U', U'Ü'},
    {U'¨', U'Y', U'Ÿ'}, {U'¨', U'a', U'ä'}, {U'¨', U'e', U'ë'}, {U'¨', U'i', U'ï'}, {U'¨', U'o', U'ö'},
    {U'¨', U'u', U'ü'}, {U'¨', U'y', U'ÿ'},
    {U'¸', U'C', U'Ç'}, {U'¸', U'c', U'ç'},
};

void acrescentar(std::u16string& texto, char32_t c) {
  if (c > 0xFFFF) {
    c -= 0x10000;
    texto += static_cast<char16_t>(0xD800 + (c >> 10));
    texto += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    texto += static_cast<char16_t>(c);
  }
}

}  // namespace

char32_t comporAcento(char32_t acento, char32_t base) {
  // The apostrophe and the double quote stand for the acute and the
  // diaeresis where the dead keys are named after them.
  if (acento == U'\'') acento = U'´';
  if (acento == U'"') acento = U'¨';
  for (const Composicao& c : kComposicoes) {
    if (c.acento == acento && c.base == base) return c.letra;
  }
  return 0;
}

TextoTecla aplicarAcento(char32_t pendente, TextoTecla daTecla) {
  if (pendente == 0) return daTecla;
  TextoTecla r;
  if (daTecla.acento != 0) {
    // Two dead keys: the same one twice types its accent once; two
    // different ones type both.
    acrescentar(r.texto, pendente);
    if (daTecla.acento != pendente) acrescentar(r.texto, daTecla.acento);
    return r;
  }
  if (daTecla.texto.empty()) return daTecla;
  if (daTecla.texto.size() == 1) {
    const char32_t base = daTecla.texto.front();
    if (const char32_t letra = comporAcento(pendente, base)) {
      acrescentar(r.texto, letra);
      return r;
    }
    if (base == U' ') {
      acrescentar(r.texto, pendente);
      return r;
    }
  }
  acrescentar(r.texto, pendente);
  r.texto += daTecla.texto;
  return r;
}

}  // namespace mivo
