#include "unCLLeitorLista.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

#include "unArquivoLista.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr qsizetype kFalta = -1;     // the text ends before the record does
constexpr qsizetype kSemAspas = -2;  // the field is not quoted after all

bool ehQuebra(QChar c) { return c == u'\r' || c == u'\n'; }
bool ehBranco(QChar c) { return c.unicode() <= 0x20; }

// Past the line break at `i` (CR LF is one); kFalta when a CR ends a text
// that goes on.
qsizetype depoisDaQuebra(QStringView t, qsizetype i, bool final) {
  if (t[i] == u'\n') return i + 1;
  if (i + 1 < t.size()) return t[i + 1] == u'\n' ? i + 2 : i + 1;
  return final ? i + 1 : kFalta;
}

// The record's own text, without the line break that ends it.
QStringView semQuebraFinal(QStringView registro) {
  if (registro.endsWith(u'\n')) registro.chop(1);
  if (registro.endsWith(u'\r')) registro.chop(1);
  return registro;
}

bool temNaoAscii(const char* p, qsizetype n) {
  for (qsizetype i = 0; i < n; ++i)
    if (static_cast<unsigned char>(p[i]) >= 0x80) return true;
  return false;
}

// Where a piece of UTF-8 may end without cutting a character in two: before
// the lead byte of a sequence that starts in the last four bytes.
qsizetype corteUtf8(const QByteArray& bytes) {
  const qsizetype n = bytes.size();
  for (qsizetype k = 1; k <= 4 && k <= n; ++k) {
    const auto b = static_cast<unsigned char>(bytes[n - k]);
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte
    return b >= 0xC0 ? n - k : n;
  }
  return n;
}

// Text decoded from a file and not yet given as records: its start moves on
// as records are given, and what is left goes back to the front of the same
// memory before more text comes in, so the buffer is allocated once.
class CLTextoPendente {
 public:
  QStringView vista() const { return QStringView(gTexto).sliced(gInicio); }
  void consumir(qsizetype n) { gInicio += n; }
  void limpar() {
    gTexto.resize(0);
    gInicio = 0;
  }
  // Room for `n` more characters at the end, returned to be written.
  QChar* abrir(qsizetype n) {
    if (gInicio > 0) {
      std::copy(gTexto.cbegin() + gInicio, gTexto.cend(), gTexto.begin());
      gTexto.resize(gTexto.size() - gInicio);
      gInicio = 0;
    }
    const qsizetype antes = gTexto.size();
    if (gTexto.capacity() < antes + n) gTexto.reserve(2 * (antes + n));
    gTexto.resize(antes + n);
    return gTexto.data() + antes;
  }
  // Keeps what was written since abrir up to `fim`; returns how much that is.
  qsizetype fechar(const QChar* fim, qsizetype aberto) {
    const qsizetype escrito = aberto - (gTexto.constData() + gTexto.size() - fim);
    gTexto.resize(fim - gTexto.constData());
    return escrito;
  }
  // Forgets the last `n` characters.
  void tirarDoFim(qsizetype n) { gTexto.chop(n); }

 private:
  QString gTexto;
  qsizetype gInicio = 0;
};

// Both return how many characters they appended.
qsizetype anexarUtf8(QStringDecoder& decodificador, QByteArrayView bytes, CLTextoPendente& texto) {
  const qsizetype espaco = decodificador.requiredSpace(bytes.size());
  QChar* destino = texto.abrir(espaco);
  return texto.fechar(decodificador.appendToBuffer(destino, bytes), espaco);
}

qsizetype anexarWindows1252(QByteArrayView bytes, CLTextoPendente& texto) {
  const QString decodificado = decodificarWindows1252(bytes.toByteArray());
  QChar* destino = texto.abrir(decodificado.size());
  return texto.fechar(std::copy(decodificado.cbegin(), decodificado.cend(), destino), decodificado.size());
}

}  // namespace

QStringView apararVista(QStringView texto) {
  qsizetype ini = 0, fim = texto.size();
  while (ini < fim && ehBranco(texto[ini])) ++ini;
  while (fim > ini && ehBranco(texto[fim - 1])) --fim;
  return texto.sliced(ini, fim - ini);
}

qsizetype CLLeitorLista::fimCitado(QStringView t, qsizetype aspa, bool podeQuebrar, bool final, bool qualquer,
                                   bool& duplas) const {
  const qsizetype n = t.size();
  bool quebrou = false;  // a line break was crossed
  bool solta = false;    // a lone quote was taken as text
  qsizetype i = aspa + 1;
  while (true) {
    if (i >= n) return final ? kSemAspas : kFalta;
    const QChar c = t[i];
    if (c != u'"') {
      if (ehQuebra(c)) {
        if (!podeQuebrar || solta) return kSemAspas;
        quebrou = true;
      }
      ++i;
      continue;
    }
    if (i + 1 >= n && !final) return kFalta;
    if (i + 1 < n && t[i + 1] == u'"') {
      duplas = true;
      i += 2;
      continue;
    }
    qsizetype f = i + 1;
    while (f < n && ehBranco(t[f]) && !ehQuebra(t[f]) && !ehDelimitador(t[f], qualquer)) ++f;
    if (f == n) return final ? i : kFalta;
    if (ehQuebra(t[f]) || ehDelimitador(t[f], qualquer)) return i;  // the closing quote
    // A quote inside the text: allowed on the field's first line only.
    if (quebrou) return kSemAspas;
    solta = true;
    ++i;
  }
}

qsizetype CLLeitorLista::analisar(QStringView t, qsizetype ini, bool final, bool qualquer) {
  gFaixas.clear();
  const qsizetype n = t.size();
  auto brancoDeCampo = [&](QChar c) { return ehBranco(c) && !ehQuebra(c) && !ehDelimitador(c, qualquer); };
  qsizetype i = ini;
  while (i < n && ehBranco(t[i]) && !ehQuebra(t[i])) ++i;
  if (i == n) return final ? n : kFalta;
  if (ehQuebra(t[i])) return depoisDaQuebra(t, i, final);  // a blank record
  while (true) {
    const qsizetype inicio = i;
    qsizetype aspa = inicio;
    while (aspa < n && brancoDeCampo(t[aspa])) ++aspa;
    if (aspa == n && !final) return kFalta;
    qsizetype fim = kSemAspas;  // where the field ends: a delimiter, a line break or the end
    if (aspa < n && t[aspa] == u'"') {
      bool duplas = false;
      const qsizetype fecha = fimCitado(t, aspa, aspa == inicio, final, qualquer, duplas);
      if (fecha == kFalta) return kFalta;
      if (fecha >= 0) {
        gFaixas.append({aspa + 1, fecha, true, duplas});
        fim = fecha + 1;
        while (fim < n && brancoDeCampo(t[fim])) ++fim;
      }
    }
    if (fim == kSemAspas) {
      fim = inicio;
      if (qualquer) {
        while (fim < n && !ehQuebra(t[fim]) && !ehDelimitador(t[fim], true)) ++fim;
      } else {
        // The hot loop of a big list: a line break stands in for no delimiter.
        const char16_t d = gDelimitador.isNull() ? u'\n' : gDelimitador.unicode();
        const char16_t* p = t.utf16();
        while (fim < n && p[fim] != d && p[fim] != u'\n' && p[fim] != u'\r') ++fim;
      }
      if (fim == n && !final) return kFalta;
      qsizetype a = inicio, b = fim;
      while (a < b && ehBranco(t[a])) ++a;
      while (b > a && ehBranco(t[b - 1])) --b;
      gFaixas.append({a, b, false, false});
    }
    if (fim == n) return n;
    if (ehQuebra(t[fim])) return depoisDaQuebra(t, fim, final);
    i = fim + 1;
    if (ehBranco(t[fim])) {
      // A tab delimiter with only blanks after it is trimmed off the
      // record, as the blanks are.
      qsizetype k = i;
      while (k < n && ehBranco(t[k]) && !ehQuebra(t[k])) ++k;
      if (k == n) return final ? n : kFalta;
      if (ehQuebra(t[k])) return depoisDaQuebra(t, k, final);
    }
  }
}

bool CLLeitorLista::escolherDelimitador(QStringView texto, bool final) {
  // The first record's extent, with any of the three as its delimiter.
  const qsizetype fim = analisar(texto, 0, final, true);
  if (fim == kFalta) return false;
  const QChar d = mivo::escolherDelimitador(semQuebraFinal(texto.first(fim)).toString());
  gDelimitador = d.isNull() ? gSeNenhum : d;
  gEscolhido = true;
  return true;
}

bool CLLeitorLista::entregar(QStringView t, const AoRegistro& aoRegistro) {
  qsizetype total = 0;
  for (const Faixa& f : gFaixas)
    if (f.aspasDuplas) total += f.fim - f.ini;
  if (gSemAspas.size() < total) gSemAspas.resize(total);
  QChar* d = gSemAspas.data();
  qsizetype usado = 0;
  gCampos.resize(gFaixas.size());
  for (qsizetype k = 0; k < gFaixas.size(); ++k) {
    const Faixa& f = gFaixas[k];
    if (!f.aspasDuplas) {
      gCampos[k] = {t.sliced(f.ini, f.fim - f.ini), f.citado};
      continue;
    }
    const qsizetype ini = usado;
    for (qsizetype i = f.ini; i < f.fim; ++i) {
      d[usado++] = t[i];
      if (t[i] == u'"' && i + 1 < f.fim && t[i + 1] == u'"') ++i;  // "" is one quote
    }
    gCampos[k] = {QStringView(d + ini, usado - ini), true};
  }
  return aoRegistro(gCampos);
}

qsizetype CLLeitorLista::lerRegistros(QStringView texto, bool final, const AoRegistro& aoRegistro, bool& continuar) {
  if (!gEscolhido && !escolherDelimitador(texto, final)) return 0;
  qsizetype pos = 0;
  while (pos < texto.size()) {
    const qsizetype fim = analisar(texto, pos, final, false);
    if (fim == kFalta) break;
    pos = fim;
    if (!entregar(texto, aoRegistro)) {
      continuar = false;
      break;
    }
  }
  return pos;
}

void CLLeitorLista::lerTexto(QStringView texto, const AoRegistro& aoRegistro) {
  gEscolhido = gFixo;
  bool continuar = true;
  lerRegistros(texto, true, aoRegistro, continuar);
}

bool CLLeitorLista::lerArquivo(const QString& caminho, const AoRegistro& aoRegistro,
                               const std::function<void()>& aoRecomecar, QString* erro, qsizetype tamanhoPedaco) {
  QFile arquivo(caminho);
  if (nomeReservadoNoWindows(caminho) || QFileInfo(caminho).isDir() || !arquivo.open(QIODevice::ReadOnly)) {
    QString texto;
    return lerArquivoTexto(caminho, texto, erro);  // says why, in the same words
  }
  const QByteArray marca = arquivo.peek(3);
  if (marca.startsWith("\xFF\xFE") || marca.startsWith("\xFE\xFF")) {
    // UTF-16 lists are rare and small: read whole.
    QString texto;
    if (!lerArquivoTexto(caminho, texto, erro)) return false;
    lerTexto(texto, aoRegistro);
    return true;
  }
  Decodificacao modo = Decodificacao::Utf8OuWindows1252;
  if (marca.startsWith("\xEF\xBB\xBF")) {
    modo = Decodificacao::Utf8ComMarca;
    arquivo.skip(3);
  }
  auto falhaDeLeitura = [&] {
    if (erro) *erro = QStringLiteral("Não foi possível ler o arquivo \"%1\"").arg(caminho);
    return false;
  };

  gEscolhido = gFixo;
  // Each piece decoded on its own: a U+FEFF that starts one is text, not a
  // mark (the file's mark was skipped above).
  QStringDecoder utf8(QStringConverter::Utf8,
                      QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  bool soAscii = true;   // every byte decoded so far was ASCII
  bool continuar = true;
  qsizetype tamanho = std::max<qsizetype>(tamanhoPedaco, 4);
  QByteArray bytes;  // read and not decoded yet: the end of a character cut off
  CLTextoPendente texto;
  while (true) {
    // Stopped early: the records given stand unless the rest of the file
    // is not UTF-8 after all, which matters only when they were not ASCII.
    if (!continuar && (soAscii || modo != Decodificacao::Utf8OuWindows1252)) return true;
    const qsizetype guardados = bytes.size();
    bytes.resize(guardados + tamanho);
    const qint64 lidos = arquivo.read(bytes.data() + guardados, tamanho);
    if (lidos < 0) return falhaDeLeitura();
    bytes.resize(guardados + lidos);
    const bool final = arquivo.atEnd() || lidos == 0;
    const qsizetype corte =
        final || modo == Decodificacao::Windows1252 ? bytes.size() : corteUtf8(bytes);
    const QByteArrayView pedaco(bytes.constData(), corte);
    if (!continuar) texto.limpar();  // only checking that the rest is UTF-8
    if (modo == Decodificacao::Windows1252) {
      anexarWindows1252(pedaco, texto);
    } else {
      const qsizetype decodificados = anexarUtf8(utf8, pedaco, texto);
      const bool asciiAqui = soAscii && !temNaoAscii(pedaco.data(), pedaco.size());
      if (modo == Decodificacao::Utf8OuWindows1252 && utf8.hasError()) {
        // Not UTF-8: Windows-1252. Text given before is the same in both
        // when it was ASCII; otherwise everything is read again.
        modo = Decodificacao::Windows1252;
        if (!soAscii) {
          if (aoRecomecar) aoRecomecar();
          if (!arquivo.seek(0)) return falhaDeLeitura();
          gEscolhido = gFixo;
          continuar = true;
          soAscii = true;
          bytes.clear();
          texto.limpar();
          continue;
        }
        // This piece again, in place of its UTF-8 reading.
        texto.tirarDoFim(decodificados);
        anexarWindows1252(pedaco, texto);
      }
      soAscii = asciiAqui;
    }
    bytes.remove(0, corte);
    if (continuar) {
      const qsizetype usado = lerRegistros(texto.vista(), final, aoRegistro, continuar);
      // A record longer than what is at hand: read more at a time, so that
      // it is looked at again only a few times.
      if (usado == 0 && !final) tamanho *= 2;
      texto.consumir(usado);
    }
    if (final) return true;
  }
}

}  // namespace mivo
