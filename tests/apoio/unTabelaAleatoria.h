#pragma once
// Random tables for the round-trip tests of list files: every table comes
// from one seed, so a failure is reproduced from the seed it reports. The
// seeds tried are kSementeInicial onwards; MIVO_SEMENTE=N tries seed N only.
//
// Cells hold what breaks naive lists: ";", ",", tabs, double quotes, CR, LF,
// leading and trailing blanks, control characters, empty cells, accented
// letters and any Unicode character (emoji included). Some tables keep to
// the characters of Windows-1252, so that both encodings the writer chooses
// are exercised. Each column has a non-blank cell (the data-table window
// drops blank columns on reading, by design), and no record repeats the
// titles (the loader skips such a line as a title line read again).

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <iterator>
#include <random>

#include "unCLGrade.h"
#include "unGradeTeste.h"
#include "unUtil.h"

namespace mivo::teste {

constexpr std::uint32_t kSementeInicial = 20240601;

// The seeds to try: `quantas` from kSementeInicial, or MIVO_SEMENTE alone.
inline QList<std::uint32_t> sementes(int quantas) {
  bool ok = false;
  const std::uint32_t escolhida = qEnvironmentVariable("MIVO_SEMENTE").toUInt(&ok);
  if (ok) return {escolhida};
  QList<std::uint32_t> r;
  for (int i = 0; i < quantas; ++i) r.append(kSementeInicial + std::uint32_t(i));
  return r;
}

class CLTabelaAleatoria {
 public:
  explicit CLTabelaAleatoria(std::uint32_t semente) : gAleatorio(semente) {
    gSoWindows1252 = sorteio(3) == 0;
  }

  bool soWindows1252() const { return gSoWindows1252; }

  // Title row first; 1 to 5 columns, 1 to 6 records (a table always has
  // one).
  Linhas tabela() {
    const int colunas = sorteio(3) == 0 ? 1 : 1 + sorteio(5);
    const int registros = 1 + sorteio(6);
    Linhas linhas;
    for (int r = 0; r <= registros; ++r) {
      QStringList linha;
      for (int c = 0; c < colunas; ++c) linha.append(celula());
      linhas.append(linha);
    }
    for (int c = 0; c < colunas; ++c) {
      bool temAlgo = false;
      for (const QStringList& l : linhas) temAlgo = temAlgo || !aparar(l[c]).isEmpty();
      if (!temAlgo) linhas[sorteio(static_cast<int>(linhas.size()))][c] += QStringLiteral("x");
    }
    for (int r = 1; r < linhas.size(); ++r)
      if (repeteTitulos(linhas[r], linhas[0])) linhas[r][0] += QStringLiteral("#");
    return linhas;
  }

 private:
  int sorteio(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gAleatorio); }

  static bool repeteTitulos(const QStringList& registro, const QStringList& titulos) {
    for (int c = 0; c < registro.size(); ++c)
      if (aparar(registro[c]).toLower() != aparar(titulos[c]).toLower()) return false;
    return true;
  }

  QString celula() {
    if (sorteio(6) == 0) return {};
    QString texto;
    const int n = 1 + sorteio(8);
    for (int i = 0; i < n; ++i) texto += caractere();
    return texto;
  }

  QString caractere() {
    static const char16_t kEspeciais[] = {u';', u',', u'\t', u'"', u'\r', u'\n', u' ', u' ', u'\x01', u'\x1F'};
    static const char16_t kWindows1252[] = {u'é', u'ã', u'ç', u'Á', u'€', u'“', u'ß', u'ÿ', u'\xA0', u'º'};
    switch (sorteio(8)) {
      case 0:
      case 1: return QString(QChar(kEspeciais[sorteio(std::size(kEspeciais))]));
      case 2: return QString(QChar(kWindows1252[sorteio(std::size(kWindows1252))]));
      case 3:
        if (!gSoWindows1252) return qualquerUnicode();
        [[fallthrough]];
      default: return QString(QChar(u'a' + sorteio(26)));
    }
  }

  // Any character that a text file can hold: no lone surrogates.
  QString qualquerUnicode() {
    char32_t c = 0;
    do {
      c = sorteio(4) == 0 ? char32_t(0x10000 + sorteio(0x100000)) : char32_t(0x80 + sorteio(0xFF80));
    } while (c >= 0xD800 && c <= 0xDFFF);
    return QString::fromUcs4(&c, 1);
  }

  std::mt19937 gAleatorio;
  bool gSoWindows1252 = false;
};

}  // namespace mivo::teste
