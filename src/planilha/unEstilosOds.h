#pragma once
// The number styles of an OpenDocument spreadsheet (number:number-style,
// percentage, currency, date, time and boolean styles) turned into the format
// codes that unFormatoNumero applies, and the cell styles that name them, so
// that an .ods cell comes out as its own style shows it.

#include <QHash>
#include <QList>
#include <QString>
#include <QXmlStreamReader>

#include "unFormatoNumero.h"

namespace mivo {

// An attribute by its local name ("table:style-name" -> "style-name").
QStringView atributoOds(const QXmlStreamAttributes& atributos, QLatin1StringView local);

// What a cell style does to a value.
struct FormatoOds {
  bool booleano = false;   // numbers shown as VERDADEIRO / FALSO
  CLFormatoNumero numero;  // otherwise the number (or date) under this code
};

class CLEstilosOds {
 public:
  // One token of styles.xml or of content.xml (until its body starts).
  void token(const QXmlStreamReader& xml, QXmlStreamReader::TokenType tipo);
  // The format of a cell style, taken from its parent styles when it names
  // none itself; null for none (the value shown as any plain value).
  const FormatoOds* formato(const QString& estiloCelula);
  // The format code of a number style, its conditional sections included.
  QString codigo(const QString& estiloDados) const;

 private:
  struct EstiloDados {
    QString codigo;  // this style's own section
    bool booleano = false;
    QList<std::pair<QString, QString>> condicoes;  // condition, style applied
  };
  struct EstiloCelula {
    QString dados, pai;
  };
  void inicio(QStringView nome, const QXmlStreamAttributes& a);
  void fim(QStringView nome);
  QString codigoEm(const QString& estiloDados, int profundidade) const;

  QHash<QString, EstiloDados> gDados;
  QHash<QString, EstiloCelula> gCelulas;
  QHash<QString, FormatoOds> gFormatos;  // by cell style, as resolved
  QHash<QString, bool> gSemFormato;

  // The number style being read.
  bool gEmEstilo = false;
  QString gNome;
  EstiloDados gAtual;
  bool gPorcentagem = false;
  bool gDecorrido = false;      // time-style: the first unit is not cut at 24 hours
  bool gDecorridoUsado = false;
  QString gTexto;  // of <number:text>, <number:currency-symbol>, <number:embedded-text>
  // <number:number> waits for its embedded texts.
  bool gEmNumero = false;
  QXmlStreamAttributes gAtributosNumero;
  QList<std::pair<int, QString>> gEmbutidos;
  int gPosicaoEmbutido = -1;
};

}  // namespace mivo
