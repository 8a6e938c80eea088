#pragma once
// A small pull parser for the big XML parts of a workbook (the worksheet and
// its shared strings), several times faster than QXmlStreamReader on them:
// it reads UTF-8 bytes block by block from a part, hands out elements and
// text without building anything, and decodes only what is asked for. It
// knows the five XML entities and character references and nothing else: a
// document type declaration (DTD) or any other entity is refused, so no
// entity is ever expanded.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <algorithm>
#include <functional>
#include <memory>

#include "unArquivoZip.h"

namespace mivo {

// Compares a name with a literal without a library call: the parser's hot
// loops compare a few short names for every element.
inline bool mesmoNome(QByteArrayView a, QByteArrayView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}
// The same with a literal, whose length is known without looking for its end.
template <qsizetype N>
inline bool mesmoNome(QByteArrayView a, const char (&b)[N]) {
  return mesmoNome(a, QByteArrayView(b, N - 1));
}

// Appends UTF-8 text to a QString without a temporary string; invalid
// bytes become U+FFFD, as QString::fromUtf8 makes them.
void anexarUtf8(QString& destino, QByteArrayView utf8);

class CLXmlRapido {
 public:
  enum Tipo { Inicio, Fim, Texto, FimDocumento, Erro };
  explicit CLXmlRapido(std::unique_ptr<CLArquivoZip::Fluxo> fluxo);

  Tipo proximo();
  // Inicio and Fim: the element's local name ("x:row" -> "row"). An empty
  // element (<c/>) gives Inicio and then Fim.
  QByteArrayView nome() const { return gNome; }
  // Inicio: an attribute by its local name, still escaped (empty when
  // absent), or decoded.
  QByteArrayView atributoBruto(QByteArrayView local) const;
  template <qsizetype N>
  QByteArrayView atributoBruto(const char (&local)[N]) const {
    return atributoBruto(QByteArrayView(local, N - 1));
  }
  QString atributo(QByteArrayView local) const;
  // Several attributes in one pass over the tag: valores[k] gets the raw
  // value of nomes[k] (empty when absent).
  template <size_t N>
  void atributosBrutos(const QByteArrayView (&nomes)[N], QByteArrayView (&valores)[N]) const {
    atributosBrutos(nomes, valores, N);
  }
  // Texto: the text, decoded, appended to `destino`.
  void anexarTexto(QString& destino);
  // Texto: the text still escaped (plain ASCII numbers need no decoding).
  QByteArrayView textoBruto() const { return gTexto; }
  bool textoCdata() const { return gTextoCdata; }
  // Portuguese reason after Erro.
  const QString& erro() const { return gErro; }
  // What has been read from the part but not yet parsed, and the stream
  // itself, to scan the rest of the part raw.
  QByteArrayView naoLido() const { return QByteArrayView(gBuf).sliced(gPos); }
  CLArquivoZip::Fluxo* fluxo() const { return gFluxo.get(); }

 private:
  bool carregar();  // more bytes; false at the end of the part or on an error
  qsizetype buscar(QByteArrayView padrao, qsizetype de);  // loads as needed; -1 when never found
  template <qsizetype N>
  qsizetype buscar(const char (&padrao)[N], qsizetype de) {
    return buscar(QByteArrayView(padrao, N - 1), de);
  }
  // One character, usually a few bytes away: a plain loop over the next
  // bytes before the general search (a library call per tag costs more than
  // the scan itself).
  qsizetype buscarPerto(char c, qsizetype de) {
    const char* d = gBuf.constData();
    const qsizetype ate = std::min(gBuf.size(), de + 64);
    for (qsizetype i = de; i < ate; ++i)
      if (d[i] == c) return i;
    return buscar(QByteArrayView(&c, 1), de);
  }
  Tipo falhar(const QString& mensagem);
  static bool decodificar(QByteArrayView bruto, QString& destino);
  void atributosBrutos(const QByteArrayView* nomes, QByteArrayView* valores, size_t n) const;

  std::unique_ptr<CLArquivoZip::Fluxo> gFluxo;
  QByteArray gBuf;
  qsizetype gPos = 0;
  QByteArrayView gNome, gEtiqueta, gTexto;
  bool gTextoCdata = false;
  bool gFimPendente = false;  // an empty element still owes its Fim
  int gProfundidade = 0;
  bool gRaizVista = false;
  QString gErro;
};

}  // namespace mivo
