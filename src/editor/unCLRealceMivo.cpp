#include "unCLRealceMivo.h"

#include <Qsci/qsciscintilla.h>

#include <QGuiApplication>
#include <QPalette>
#include <array>

#include "unCatalogo.h"

namespace mivo {

namespace {

// The accented letters that belong to identifiers, all in U+00C0..U+00FF and
// so written in UTF-8 as 0xC3 followed by (code point - 0x40).
constexpr char16_t kAcentos[] = u"áÁéÉíÍóÓúÚçÇãÃõÕêÊôÔ";

const std::array<bool, 256>& segundosBytesAcentos() {
  static const std::array<bool, 256> tabela = [] {
    std::array<bool, 256> t{};
    for (char16_t c : kAcentos)
      if (c >= 0xC0 && c <= 0xFF) t[0x80 + (c - 0xC0)] = true;
    return t;
  }();
  return tabela;
}

bool asciiIdentificador(unsigned char c) {
  return c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool digito(unsigned char c) { return c >= '0' && c <= '9'; }

// Bytes of the identifier character at `i`: 1 for ASCII, 2 for an accented
// letter, 0 when it is no identifier character.
int bytesIdentificador(const QByteArray& t, qsizetype i) {
  const auto c = static_cast<unsigned char>(t[i]);
  if (asciiIdentificador(c)) return 1;
  if (c == 0xC3 && i + 1 < t.size() && segundosBytesAcentos()[static_cast<unsigned char>(t[i + 1])]) return 2;
  return 0;
}

// Length of the UTF-8 sequence that starts at `i` (1 for stray bytes).
int bytesCaractere(const QByteArray& t, qsizetype i) {
  const auto c = static_cast<unsigned char>(t[i]);
  int n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  for (int k = 1; k < n; ++k)
    if (i + k >= t.size() || (static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}

}  // namespace

CLRealceMivo::CLRealceMivo(QObject* pai) : QsciLexerCustom(pai) {
  for (const QString& p : catalogo::palavrasChave()) gPalavras.insert(p.toLatin1());
}

const char* CLRealceMivo::language() const { return "Mivo"; }

QString CLRealceMivo::description(int estilo) const {
  switch (estilo) {
    case Padrao: return QStringLiteral("Padrão");
    case Comentario: return QStringLiteral("Comentário");
    case PalavraChave: return QStringLiteral("Palavra-chave");
    case Identificador: return QStringLiteral("Identificador");
    case Numero: return QStringLiteral("Número");
    case Texto: return QStringLiteral("Texto");
    case Espaco: return QStringLiteral("Espaço");
    default: return {};
  }
}

QColor CLRealceMivo::corWindows(quint32 valor) {
  return QColor(int(valor & 0xFF), int((valor >> 8) & 0xFF), int((valor >> 16) & 0xFF));
}

QFont CLRealceMivo::fonteFixa(int alturaPixels) {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  f.setPointSizeF(alturaPixels * 72.0 / 96.0);
  return f;
}

QColor CLRealceMivo::defaultColor(int estilo) const {
  switch (estilo) {
    case Comentario: return corWindows(352487);  // an orange
    // Windows' hot-light colour is the palette's link colour there.
    case PalavraChave: return QGuiApplication::palette().color(QPalette::Link);
    case Identificador: return corWindows(5329233);  // a dark grey
    case Numero: return QColor(0xFF, 0x00, 0xFF);    // fuchsia
    case Texto: return QColor(0x00, 0x80, 0x80);     // teal
    case Espaco: return QColor(0xFF, 0x00, 0x00);    // red
    default: return QColor(Qt::black);
  }
}

QColor CLRealceMivo::defaultPaper(int) const { return QColor(Qt::white); }

QFont CLRealceMivo::defaultFont(int estilo) const {
  QFont f = fonteFixa(13);
  if (estilo == Numero) f.setBold(true);
  return f;
}

QByteArray CLRealceMivo::estilizar(const QByteArray& t, Estilo estadoInicial) const {
  const qsizetype n = t.size();
  QByteArray estilos(n, char(Padrao));
  char* e = estilos.data();
  qsizetype i = 0;
  auto marcar = [&](qsizetype ate, Estilo estilo) {
    std::fill(e + i, e + ate, char(estilo));
    i = ate;
  };
  auto fecharTexto = [&](qsizetype de) {
    const qsizetype fim = t.indexOf('"', de);
    marcar(fim < 0 ? n : fim + 1, Texto);
  };
  // A string left open on an earlier line runs on from where the text starts.
  if (estadoInicial == Texto) fecharTexto(0);

  while (i < n) {
    const auto c = static_cast<unsigned char>(t[i]);
    const unsigned char prox = i + 1 < n ? static_cast<unsigned char>(t[i + 1]) : 0;
    if (c == '/' && prox == '/') {
      qsizetype fim = i + 2;
      while (fim < n && t[fim] != '\n' && t[fim] != '\r') ++fim;
      marcar(fim, Comentario);
    } else if (c == '"') {
      fecharTexto(i + 1);
    } else if (c == ' ' || c == '\t') {
      qsizetype fim = i + 1;
      while (fim < n && (t[fim] == ' ' || t[fim] == '\t')) ++fim;
      marcar(fim, Espaco);
    } else if (digito(c)) {
      qsizetype fim = i + 1;
      while (fim < n && (digito(static_cast<unsigned char>(t[fim])) ||
                         (t[fim] == '.' && fim + 1 < n && digito(static_cast<unsigned char>(t[fim + 1])))))
        ++fim;
      marcar(fim, Numero);
    } else if (int b = bytesIdentificador(t, i)) {
      qsizetype fim = i + b;
      bool ascii = b == 1;
      while (fim < n) {
        const int k = bytesIdentificador(t, fim);
        if (!k) break;
        ascii = ascii && k == 1;
        fim += k;
      }
      bool chave = false;
      if (ascii && fim - i <= 32) chave = gPalavras.contains(t.mid(i, fim - i).toLower());
      marcar(fim, chave ? PalavraChave : Identificador);
    } else {
      marcar(i + bytesCaractere(t, i), Padrao);
    }
  }
  return estilos;
}

void CLRealceMivo::styleText(int inicio, int fim) {
  QsciScintilla* ed = editor();
  if (!ed || fim <= inicio) return;
  QByteArray texto(fim - inicio + 1, '\0');
  ed->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, inicio, fim, texto.data());
  texto.chop(1);
  // `inicio` is a line start: the line break before it carries the state.
  Estilo estado = Padrao;
  if (inicio > 0) {
    const auto anterior = static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, inicio - 1));
    if (anterior == Texto) estado = Texto;
  }
  const QByteArray estilos = estilizar(texto, estado);
  startStyling(inicio);
  ed->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<uintptr_t>(estilos.size()),
                    estilos.constData());
}

}  // namespace mivo
