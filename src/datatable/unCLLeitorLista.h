#pragma once
// Reads list text record by record. A record is one line, except that a
// field written in double quotes may hold line breaks; what stands between
// the quotes is the field's text exactly as written ("" inside stands for
// one quote), while an unquoted field is trimmed.
//
// The rules, which keep files written by other programs and by earlier
// versions reading as they always did:
// - Lines end in CR LF, CR or LF. A record is trimmed of blanks and control
//   characters at both ends; a blank record has no fields.
// - Fields are split at every delimiter outside quotes; empty fields are
//   kept, and a trailing delimiter gives an empty last field.
// - A field is quoted when, after blanks, it starts with a double quote and
//   a closing quote follows, itself followed by blanks and then the
//   delimiter or the end of the line. A quote that does neither is text.
//   Such a field may run over line breaks only when it starts right at the
//   quote and every quote inside it is doubled; otherwise it ends with its
//   line as before, and then is not quoted: it is read as it stands.
// - The delimiter is chosen from the first record, as escolherDelimitador
//   chooses it from a line.
//
// Files are read and decoded in pieces, as decodificarTexto would decode
// them whole (a byte-order mark, else UTF-8 when the whole file is valid
// UTF-8, else Windows-1252), so a big list is never held twice in memory.

#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>
#include <functional>

namespace mivo {

// `texto` without the blanks and control characters at either end, as
// aparar gives it, without copying.
QStringView apararVista(QStringView texto);

// A field as read.
struct CampoLista {
  QStringView texto;    // valid while the record is being handled
  bool citado = false;  // written in double quotes: the text is verbatim
};

class CLLeitorLista {
 public:
  // Called for each record in order with its fields (none for a blank
  // record); returning false stops the reading.
  using AoRegistro = std::function<bool(const QList<CampoLista>& campos)>;

  // `seNenhum` is the delimiter to use when the first record holds none of
  // ";", tab and "," (a null QChar: each line is then one field).
  explicit CLLeitorLista(QChar seNenhum = {}) : gSeNenhum(seNenhum) {}

  // Splits at `delimitador` (a null QChar: nowhere) instead of choosing.
  void fixarDelimitador(QChar delimitador) {
    gDelimitador = delimitador;
    gFixo = true;
  }
  // The delimiter in use once the first record was read.
  QChar delimitador() const { return gDelimitador; }

  // Reads a whole text.
  void lerTexto(QStringView texto, const AoRegistro& aoRegistro);

  // Reads a file in pieces of `tamanhoPedaco` bytes. When the file turns
  // out not to be UTF-8 after records were given as UTF-8, `aoRecomecar` is
  // called and the records are given again from the first, decoded as
  // Windows-1252. False when the file cannot be opened or read (`erro` then
  // holds a message in Portuguese).
  bool lerArquivo(const QString& caminho, const AoRegistro& aoRegistro, const std::function<void()>& aoRecomecar,
                  QString* erro = nullptr, qsizetype tamanhoPedaco = 1 << 20);

 private:
  struct Faixa {
    qsizetype ini = 0, fim = 0;
    bool citado = false, aspasDuplas = false;
  };
  enum class Decodificacao { Utf8OuWindows1252, Utf8ComMarca, Windows1252 };

  // Gives the complete records at the start of `texto` (all of it when
  // `final`) and returns how much it used; false in `continuar` when the
  // reader stopped.
  qsizetype lerRegistros(QStringView texto, bool final, const AoRegistro& aoRegistro, bool& continuar);
  // One record from `ini`: its end (past its line break) or -1 when the
  // text ends before the record does and is not `final`.
  qsizetype analisar(QStringView t, qsizetype ini, bool final, bool qualquerDelimitador);
  qsizetype fimCitado(QStringView t, qsizetype aspa, bool podeQuebrar, bool final, bool qualquer, bool& duplas) const;
  bool ehDelimitador(QChar c, bool qualquer) const {
    if (qualquer) return c == u';' || c == u'\t' || c == u',';
    return c == gDelimitador && !gDelimitador.isNull();
  }
  bool escolherDelimitador(QStringView texto, bool final);
  bool entregar(QStringView t, const AoRegistro& aoRegistro);

  QChar gSeNenhum;
  QChar gDelimitador;
  bool gFixo = false;
  bool gEscolhido = false;
  QList<Faixa> gFaixas;
  QList<CampoLista> gCampos;
  QString gSemAspas;  // the quoted fields whose doubled quotes were undone
};

}  // namespace mivo
