#include "unXmlRapido.h"

#include <QStringDecoder>

namespace mivo {

namespace {

QByteArrayView local(QByteArrayView nome) {
  // Names are short: a plain loop beats a library call here.
  for (qsizetype i = nome.size() - 1; i >= 0; --i)
    if (nome[i] == ':') return nome.sliced(i + 1);
  return nome;
}

bool branco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

void anexarUtf8(QString& destino, QByteArrayView utf8) {
  const qsizetype n = utf8.size();
  if (n == 0) return;
  const qsizetype antes = destino.size();
  // UTF-16 never needs more units than UTF-8 has bytes.
  destino.resize(antes + n);
  QChar* d = destino.data() + antes;
  const auto* b = reinterpret_cast<const uchar*>(utf8.data());
  qsizetype i = 0;
  while (i < n && b[i] < 0x80) *d++ = QChar(char16_t(b[i++]));
  if (i < n) {
    // Not plain ASCII: the rest goes through Qt's decoder, which treats
    // invalid sequences as fromUtf8 does.
    QStringDecoder decodificador(QStringDecoder::Utf8,
                                  QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    d = decodificador.appendToBuffer(d, utf8.sliced(i));
  }
  destino.resize(d - destino.constData());
}

CLXmlRapido::CLXmlRapido(std::unique_ptr<CLArquivoZip::Fluxo> fluxo) : gFluxo(std::move(fluxo)) {}

bool CLXmlRapido::carregar() {
  if (!gFluxo || gFluxo->fim()) return false;
  const QByteArray bloco = gFluxo->ler();
  if (!gFluxo->erro().isEmpty()) {
    gErro = gFluxo->erro();
    return false;
  }
  if (bloco.isEmpty()) return false;
  // Views into the buffer stay valid only until the next token.
  if (gPos > 0) {
    gBuf.remove(0, gPos);
    gPos = 0;
  }
  gBuf += bloco;
  return true;
}

qsizetype CLXmlRapido::buscar(QByteArrayView padrao, qsizetype de) {
  // No tag or text of a workbook comes near this size (a cell holds at most
  // 32767 characters): beyond it the part is damaged or crafted, and the
  // buffer must not grow with it.
  constexpr qsizetype kMaxItem = qsizetype(16) << 20;
  qsizetype desde = de;
  while (true) {
    const qsizetype i = padrao.size() == 1 ? QByteArrayView(gBuf).indexOf(padrao[0], desde)
                                           : QByteArrayView(gBuf).indexOf(padrao, desde);
    if (i >= 0) return i;
    if (gBuf.size() - gPos > kMaxItem) {
      falhar(mensagemDanificado());
      return -1;
    }
    const qsizetype antes = gPos;
    desde = std::max<qsizetype>(gBuf.size() - padrao.size() + 1, de);
    if (!carregar()) return -1;
    // carregar() drops what lies before gPos: shift the offsets with it.
    desde -= antes - gPos;
    de -= antes - gPos;
  }
}

CLXmlRapido::Tipo CLXmlRapido::falhar(const QString& mensagem) {
  if (gErro.isEmpty()) gErro = mensagem;
  return Erro;
}

CLXmlRapido::Tipo CLXmlRapido::proximo() {
  if (!gErro.isEmpty()) return Erro;
  if (gFimPendente) {
    gFimPendente = false;
    if (--gProfundidade == 0) gRaizVista = true;
    return Fim;
  }
  while (true) {
    if (gPos >= gBuf.size() && !carregar()) {
      if (!gErro.isEmpty()) return Erro;
      return gRaizVista ? FimDocumento : falhar(mensagemDanificado());
    }
    if (gRaizVista) {
      // After the root element only blanks, comments and processing
      // instructions may follow: nothing of interest.
      gPos = gBuf.size();
      continue;
    }
    if (gBuf.constData()[gPos] != '<') {
      const qsizetype i = buscarPerto('<', gPos);
      if (i < 0) return gErro.isEmpty() ? falhar(mensagemDanificado()) : Erro;
      gTexto = QByteArrayView(gBuf).sliced(gPos, i - gPos);
      gTextoCdata = false;
      gPos = i;
      if (gProfundidade > 0) return Texto;
      continue;
    }
    // A tag: make sure the buffer holds enough to tell which kind.
    while (gBuf.size() - gPos < 9 && carregar()) {
    }
    const char segundo = gBuf.size() - gPos > 1 ? gBuf.constData()[gPos + 1] : '\0';
    if (segundo == '?') {
      const qsizetype fim = buscar("?>", gPos);
      if (fim < 0) return falhar(mensagemDanificado());
      gPos = fim + 2;
      continue;
    }
    if (segundo == '!') {
      const QByteArrayView resto = QByteArrayView(gBuf).sliced(gPos);
      if (resto.startsWith("<!--")) {
        const qsizetype fim = buscar("-->", gPos + 4);
        if (fim < 0) return falhar(mensagemDanificado());
        gPos = fim + 3;
        continue;
      }
      if (resto.startsWith("<![CDATA[")) {
        const qsizetype fim = buscar("]]>", gPos + 9);
        if (fim < 0) return falhar(mensagemDanificado());
        gTexto = QByteArrayView(gBuf).sliced(gPos + 9, fim - gPos - 9);
        gTextoCdata = true;
        gPos = fim + 3;
        if (gProfundidade > 0) return Texto;
        continue;
      }
      return falhar(QStringLiteral("O arquivo não pode ser importado: ele traz definições de entidades XML "
                                   "(DTD), que uma planilha não usa."));
    }
    // An element, the common case.
    const qsizetype fim = buscarPerto('>', gPos + 1);
    if (fim < 0) return falhar(mensagemDanificado());
    // A ">" inside a quoted attribute value is legal; Office writers escape
    // it, and a value cut there only spoils that value.
    QByteArrayView etiqueta = QByteArrayView(gBuf).sliced(gPos + 1, fim - gPos - 1);
    gPos = fim + 1;
    if (etiqueta.startsWith('/')) {
      etiqueta = etiqueta.sliced(1);
      while (!etiqueta.isEmpty() && branco(etiqueta.back())) etiqueta.chop(1);
      gNome = local(etiqueta);
      if (--gProfundidade < 0) return falhar(mensagemDanificado());
      if (gProfundidade == 0) gRaizVista = true;
      return Fim;
    }
    const bool vazio = etiqueta.endsWith('/');
    if (vazio) etiqueta.chop(1);
    qsizetype n = 0;
    while (n < etiqueta.size() && !branco(etiqueta[n])) ++n;
    if (n == 0) return falhar(mensagemDanificado());
    gNome = local(etiqueta.first(n));
    gEtiqueta = etiqueta.sliced(n);
    ++gProfundidade;
    gFimPendente = vazio;
    return Inicio;
  }
}

void CLXmlRapido::atributosBrutos(const QByteArrayView* nomes, QByteArrayView* valores, size_t n) const {
  // Scanned where they stand: a tag has a handful of attributes, and keeping
  // them in a list would cost more than looking.
  for (size_t k = 0; k < n; ++k) valores[k] = {};
  const QByteArrayView e = gEtiqueta;
  const qsizetype tamanho = e.size();
  qsizetype i = 0;
  size_t achados = 0;
  while (i < tamanho && achados < n) {
    while (i < tamanho && branco(e[i])) ++i;
    const qsizetype ini = i;
    while (i < tamanho && e[i] != '=' && !branco(e[i])) ++i;
    const QByteArrayView nome = local(e.sliced(ini, i - ini));
    while (i < tamanho && branco(e[i])) ++i;
    if (i >= tamanho || e[i] != '=') break;
    ++i;
    while (i < tamanho && branco(e[i])) ++i;
    if (i >= tamanho || (e[i] != '"' && e[i] != '\'')) break;
    const char aspa = e[i++];
    const qsizetype iniValor = i;
    while (i < tamanho && e[i] != aspa) ++i;
    for (size_t k = 0; k < n; ++k)
      if (valores[k].isNull() && mesmoNome(nome, nomes[k])) {
        // A view that is not null even when the value is empty, so that a
        // later attribute of the same name does not take its place.
        valores[k] = e.sliced(iniValor, i - iniValor);
        ++achados;
        break;
      }
    ++i;
  }
}

QByteArrayView CLXmlRapido::atributoBruto(QByteArrayView procurado) const {
  QByteArrayView valor;
  atributosBrutos(&procurado, &valor, 1);
  return valor;
}

QString CLXmlRapido::atributo(QByteArrayView nome) const {
  QString r;
  if (!decodificar(atributoBruto(nome), r)) r.clear();
  return r;
}

void CLXmlRapido::anexarTexto(QString& destino) {
  if (gTextoCdata) {
    anexarUtf8(destino, gTexto);
    return;
  }
  if (!decodificar(gTexto, destino)) falhar(mensagemDanificado());
}

bool CLXmlRapido::decodificar(QByteArrayView bruto, QString& destino) {
  qsizetype ini = 0;
  while (true) {
    const qsizetype amp = bruto.indexOf('&', ini);
    anexarUtf8(destino, bruto.sliced(ini, (amp < 0 ? bruto.size() : amp) - ini));
    if (amp < 0) return true;
    const qsizetype fim = bruto.indexOf(';', amp);
    if (fim < 0) return false;
    const QByteArrayView ent = bruto.sliced(amp + 1, fim - amp - 1);
    if (ent == "amp") destino += u'&';
    else if (ent == "lt") destino += u'<';
    else if (ent == "gt") destino += u'>';
    else if (ent == "quot") destino += u'"';
    else if (ent == "apos") destino += u'\'';
    else if (ent.startsWith('#')) {
      bool ok = false;
      const uint cp = ent.size() > 1 && (ent[1] == 'x' || ent[1] == 'X') ? ent.sliced(2).toUInt(&ok, 16)
                                                                         : ent.sliced(1).toUInt(&ok, 10);
      if (!ok || cp == 0 || cp > 0x10FFFF) return false;
      if (cp < 0xD800) {
        destino += QChar(char16_t(cp));
      } else {
        const char32_t c = cp;
        destino += QString::fromUcs4(&c, 1);
      }
    } else {
      return false;  // an entity XML does not define
    }
    ini = fim + 1;
  }
}

}  // namespace mivo
