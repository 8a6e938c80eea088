#pragma once
// Numbers of a spreadsheet as a person sees them in it, in Brazilian
// Portuguese: the cell's number format (Excel's format codes) applied to the
// stored value, dates and times included, with a decimal comma.

#include <QDateTime>
#include <QString>
#include <memory>

namespace mivo {

// The format code of a built-in number format id (as a Brazilian Excel
// shows it); empty for General and unknown ids.
QString formatoEmbutido(int numFmtId);

// True when the code shows dates or times.
bool formatoDeData(const QString& codigo);

// A number without a format: every significant digit up to 15 (so no float
// noise), no thousands separator, a decimal comma; very large or small
// magnitudes in scientific notation ("1,5E-20").
QString numeroGeral(double valor);
// The same straight from a number as a file stores it ("1234.5"), without
// converting it, when it is a plain decimal of at most 15 significant
// digits; false otherwise.
bool numeroGeralDoTexto(QStringView texto, QString& resultado);
// The same from the bytes of the file, appended to `destino` (left as it
// was when false).
bool anexarNumeroGeralDoTexto(QByteArrayView texto, QString& destino);

// A format code read once, for the many cells that share it.
class CLFormatoNumero {
 public:
  CLFormatoNumero() = default;  // General
  explicit CLFormatoNumero(const QString& codigo);
  // The number under this format. Dates are serial day numbers (Excel's
  // 1900 system, or 1904 with `data1904`).
  QString formatar(double valor, bool data1904 = false) const;
  // The same appended to `destino`; plain dates (day, month and year in
  // digits, the common case of a sheet) are written straight into it.
  void anexar(double valor, bool data1904, QString& destino) const;
  bool data() const { return gData; }
  // False for General.
  bool temFormato() const { return bool(gSecoes); }

 private:
  struct Secoes;
  std::shared_ptr<const Secoes> gSecoes;  // null: General
  bool gData = false;
};

// The number under a format code. Dates are serial day numbers (Excel's
// 1900 system, or 1904 with `data1904`).
QString formatarNumero(double valor, const QString& codigo, bool data1904 = false);

// A serial day number as a date and time (milliseconds rounded); invalid
// for numbers outside the years 1900..9999.
QDateTime dataDoSerial(double serial, bool data1904 = false);

// The serial day number of a date and time (Excel's 1900 system, its
// invented 29/02/1900 included); false before 01/01/1900.
bool serialDaData(const QDateTime& dataHora, double& serial);

// Date and time texts as the table shows them.
QString textoData(const QDate& data);                        // dd/mm/aaaa
QString textoDataHora(const QDateTime& dataHora);            // dd/mm/aaaa hh:mm[:ss]
QString textoBooleano(bool valor);                           // VERDADEIRO / FALSO

}  // namespace mivo
