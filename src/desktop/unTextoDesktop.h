#pragma once
// Text helpers of the desktop layer, in plain C++ so that every backend can
// use them: UTF-8 encoding and letter case comparison of window titles.

#include <string>
#include <string_view>

namespace mivo {

// UTF-8 of a UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string utf8DeUtf16(std::u16string_view texto);
// UTF-16 of a UTF-8 text; an invalid sequence becomes U+FFFD.
std::u16string utf16DeUtf8(std::string_view texto);
std::string utf8DeCaractere(char32_t caractere);
std::u16string utf16DeCaractere(char32_t caractere);

// The small letter of a capital in the Latin, Greek and Cyrillic alphabets;
// any other character unchanged.
char32_t minusculaSimples(char32_t caractere);
// Compares two texts with letter case ignored, as window titles are compared.
bool iguaisIgnorandoCaixa(std::u16string_view a, std::u16string_view b);

}  // namespace mivo
