#pragma once
// Reading the parts of a zip package (.xlsx, .ods) as streams, with every
// part capped: a part is never inflated beyond what its directory entry
// declares nor beyond the importer's limit, so a crafted archive (a "zip
// bomb") costs at most that much work and no memory beyond one buffer.

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <functional>
#include <limits>
#include <memory>

struct zip;
struct zip_file;

namespace mivo {

class CLArquivoZip {
 public:
  CLArquivoZip();
  ~CLArquivoZip();
  CLArquivoZip(const CLArquivoZip&) = delete;
  CLArquivoZip& operator=(const CLArquivoZip&) = delete;

  // Opens the archive (read through QFile, so any path the system accepts
  // works); false with a Portuguese reason.
  bool abrir(const QString& caminho, QString& erro);
  bool existe(const QString& nome) const;
  // Uncompressed size that the directory declares; -1 when there is no such part.
  qint64 tamanhoDeclarado(const QString& nome) const;

  class Fluxo;
  // A part as a stream of bytes: at most `limite` bytes, and never more
  // than declared. Null with `erro` set when it cannot be opened.
  std::unique_ptr<Fluxo> abrirParte(const QString& nome, qint64 limite, QString& erro) const;
  // A whole (small) part; false with `erro`.
  bool lerParte(const QString& nome, qint64 limite, QByteArray& dados, QString& erro) const;

 private:
  qint64 indice(const QString& nome) const;
  zip* gZip = nullptr;
  struct Fonte;
  std::unique_ptr<Fonte> gFonte;
};

class CLArquivoZip::Fluxo {
 public:
  Fluxo(zip_file* arquivo, QString nome, qint64 declarado, qint64 limite);
  ~Fluxo();
  Fluxo(const Fluxo&) = delete;
  Fluxo& operator=(const Fluxo&) = delete;
  // The next block of bytes; empty at the end of the part or on an error
  // (then erro() is set).
  QByteArray ler(qint64 bloco = 256 * 1024);
  bool fim() const { return gFim; }
  const QString& erro() const { return gErro; }
  qint64 lidos() const { return gLidos; }
  // From now on the part is inflated on a thread of its own, up to
  // `adiante` blocks of `bloco` bytes ahead of the reader, so that
  // inflating and parsing a big part overlap. ler() then hands over those
  // blocks, whatever size it asks for; the limits and errors stay the same.
  // The thread stops when the stream goes.
  void lerEmParalelo(qint64 bloco = 256 * 1024, int adiante = 4);
  // Hands over no more than `bytes` of the part: past them the stream ends
  // with `mensagem` as its error (work bounded for a slow reader, whatever
  // size the part has).
  void limitarLeitura(qint64 bytes, const QString& mensagem);

 private:
  // Inflating: the state of the part as libzip reads it.
  struct Inflagem {
    zip_file* arquivo;
    qint64 declarado, limite;
    qint64 lidos = 0;
    bool fim = false;
    QString erro;
    QByteArray ler(qint64 bloco);
  };
  struct Paralelo;
  Inflagem gInflagem;
  std::unique_ptr<Paralelo> gParalelo;
  QString gNome;
  // What the reader has received so far, and may receive.
  qint64 gLidos = 0;
  qint64 gMaxLidos = std::numeric_limits<qint64>::max();
  QString gMensagemMaxLidos;
  bool gFim = false;
  QString gErro;
};

// QXmlStreamReader fed block by block from a part. Documents with a DTD are
// refused (no entity of theirs is ever expanded), and so is any reference
// to an entity that XML itself does not define.
class CLLeitorXml {
 public:
  explicit CLLeitorXml(std::unique_ptr<CLArquivoZip::Fluxo> fluxo);
  // Called with every block before the parser sees it (the merged-cell scan
  // reads the raw text this way).
  std::function<void(const QByteArray&)> aoLerBloco;
  // The next token; Invalid at the end of the document or on an error.
  QXmlStreamReader::TokenType proximo();
  QXmlStreamReader& xml() { return gXml; }
  // Portuguese reason when the part could not be read; empty otherwise.
  QString erro() const;

 private:
  std::unique_ptr<CLArquivoZip::Fluxo> gFluxo;
  QXmlStreamReader gXml;
  QString gErroProprio;
  int gProfundidade = 0;
  bool gRaizFechada = false;
};

// The local part of a qualified name ("x:row" -> "row").
inline QStringView nomeLocal(QStringView nome) {
  const qsizetype i = nome.lastIndexOf(u':');
  return i < 0 ? nome : nome.mid(i + 1);
}

// Message for a damaged or incomplete file.
QString mensagemDanificado();

}  // namespace mivo
