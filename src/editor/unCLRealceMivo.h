#pragma once
// The highlighter of the script editor: comments ("//" to the end of the
// line), the catalogue's keywords in any letter case, identifiers (accented
// letters included), numbers, strings in double quotes that may span lines,
// and blanks.
//
// The language has no block comment: text between slash-asterisk and
// asterisk-slash runs like any other, so it is coloured as what it is.
//
// Styling is incremental: Scintilla asks for the range from the first
// unstyled line to the end of what is shown, and the state a line starts in
// (inside a string or not) is read from the style of the line break before
// it. A 5 MB script is therefore styled a screen at a time.

#include <Qsci/qscilexercustom.h>

#include <QByteArray>
#include <QColor>
#include <QSet>

namespace mivo {

class CLRealceMivo : public QsciLexerCustom {
  Q_OBJECT

 public:
  enum Estilo {
    Padrao = 0,           // symbols and anything else
    Comentario = 1,       // "//" to the end of the line
    PalavraChave = 2,
    Identificador = 3,
    Numero = 4,
    Texto = 5,            // between double quotes
    Espaco = 6,           // blanks
  };
  static constexpr int kQtdEstilos = 7;

  explicit CLRealceMivo(QObject* pai = nullptr);

  const char* language() const override;
  QString description(int estilo) const override;
  QColor defaultColor(int estilo) const override;
  QColor defaultPaper(int estilo) const override;
  QFont defaultFont(int estilo) const override;
  void styleText(int inicio, int fim) override;

  // One style byte for every byte of `texto` (UTF-8), starting in
  // `estadoInicial` (Padrao or Texto).
  QByteArray estilizar(const QByteArray& texto, Estilo estadoInicial = Padrao) const;

  // The keywords, lower case (the catalogue's names and the section words).
  const QSet<QByteArray>& palavras() const { return gPalavras; }

  // A colour written as a Windows colour value (0x00BBGGRR).
  static QColor corWindows(quint32 valor);
  // Courier New of the given pixel height (at 96 dpi), as a point size.
  static QFont fonteFixa(int alturaPixels);

 private:
  QSet<QByteArray> gPalavras;
};

}  // namespace mivo
