#pragma once
// Free helpers shared by every layer: trimming as the script language knows
// it, text files with encoding detection, the base folder and pt-BR formats.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace mivo {

// Removes blanks and control characters (anything up to U+0020) at both ends.
QString aparar(const QString& texto);
QString apararDireita(const QString& texto);

// Replaces line breaks (CR LF, CR or LF) by the two characters "\n", so that
// one text fits on one line of console output or of a log file.
QString quebrasComoBarraN(const QString& texto);

// Decodes bytes read from a text file: a byte-order mark selects UTF-8 or
// UTF-16; without one, valid UTF-8 is read as UTF-8 and anything else as
// Windows-1252.
QString decodificarTexto(const QByteArray& bytes);
QString decodificarWindows1252(const QByteArray& bytes);
// Encodes in Windows-1252 when every character fits and the bytes read back
// as Windows-1252, otherwise as UTF-8 with a byte-order mark, so that no
// character is lost. (Windows-1252 bytes would be read otherwise when they
// start like a byte-order mark, "ï»¿", "ÿþ" or "þÿ", or when their
// non-ASCII bytes happen to be valid UTF-8, as "JoÃ£o" is.)
QByteArray codificarTexto(const QString& texto);

// codificarTexto's choice for a text written piece by piece (a list file,
// row by row): every piece in order, where text between pieces is ASCII.
class CLCodificacaoTexto {
 public:
  void anexar(QStringView parte);
  // Whether later pieces can still leave Windows-1252 the choice.
  bool podeSerWindows1252() const { return gCabe && !gMarca; }
  // True: Windows-1252; false: UTF-8 with a byte-order mark.
  bool windows1252() const { return gCabe && !gMarca && (!gNaoAscii || gNaoUtf8); }

 private:
  bool gPrimeira = true;
  bool gCabe = true;       // every character has a Windows-1252 byte
  bool gMarca = false;     // the text would start like a byte-order mark
  bool gNaoAscii = false;  // some byte is not ASCII...
  bool gNaoUtf8 = false;   // ...and some piece is not valid UTF-8
};
bool cabeEmWindows1252(QStringView texto);
QByteArray codificarWindows1252(const QString& texto);
// Appends the Windows-1252 bytes of `texto` ("?" for what does not fit).
void anexarWindows1252(QStringView texto, QByteArray& destino);
QByteArray codificarUtf8ComBom(const QString& texto);

// True when the file name of `caminho` is a device name of Windows (CON, PRN, AUX,
// NUL, COM1..COM9, LPT1..LPT9, in any case, with or without an extension):
// there, opening such a "file" reaches the device (reading CON waits for the
// keyboard forever). Such names are refused on every system, so that a
// script behaves the same everywhere.
bool nomeReservadoNoWindows(const QString& caminho);

// Reads a whole text file. Returns false (and leaves `texto` empty) when the
// file cannot be opened; `erro` then carries a message in Portuguese.
bool lerArquivoTexto(const QString& caminho, QString& texto, QString* erro = nullptr);
// Writes through a temporary file renamed over the target. Both refuse a
// name reserved by Windows (see nomeReservadoNoWindows).
bool gravarArquivo(const QString& caminho, const QByteArray& bytes, QString* erro = nullptr);

// Splits a text into lines at CR LF, CR or LF; a final line break does not
// start another (empty) line.
QStringList dividirLinhas(const QString& texto);

// Resolves `nome` against `pasta` (Windows-style, e.g. "dados\\listas") under
// the base folder, unless it is absolute already (a drive with ":\\", or a
// leading "/"), and appends `extensao` (".txt" when empty) when the file
// name lacks it (unless a file exists under the name as typed). Both
// separators are accepted in what users type.
QString getBestPath(const QString& nome, const QString& pasta, const QString& extensao = {});

// Calls f(QStringView) for every line of `texto` (CR LF, CR or LF), as
// dividirLinhas splits it, without building the list.
template <class F>
void paraCadaLinha(QStringView texto, F&& f) {
  qsizetype ini = 0;
  const qsizetype n = texto.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = texto[i];
    if (c == u'\r' || c == u'\n') {
      f(texto.mid(ini, i - ini));
      if (c == u'\r' && i + 1 < n && texto[i + 1] == u'\n') ++i;
      ini = i + 1;
    }
  }
  if (ini < n) f(texto.mid(ini));
}
// The text up to its first line break.
QStringView primeiraLinha(QStringView texto);
// How many lines paraCadaLinha would give.
qsizetype contarLinhas(QStringView texto);

// The program's base folder: MIVO_BASE_DIR when set, otherwise the folder of
// the running executable.
QString pastaBase();

// Brazilian Portuguese conventions, the same on every machine.
const QLocale& localeBR();
QString dataCurtaBR(const QDate& data);  // dd/MM/yyyy
QString horaLongaBR(const QTime& hora);  // HH:mm:ss

}  // namespace mivo
