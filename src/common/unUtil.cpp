#include "unUtil.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTime>
#include <algorithm>
#include <utility>

namespace mivo {

namespace {

bool ehBranco(QChar c) { return c.unicode() <= 0x20; }

// Windows-1252 code points for the bytes 0x80..0x9F; the five undefined
// bytes map to the control character of the same number, as Windows does.
constexpr char16_t kCp1252Alto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byteWindows1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kCp1252Alto[i] == c) return 0x80 + i;
  return -1;
}

}  // namespace

QString aparar(const QString& texto) {
  qsizetype ini = 0, fim = texto.size();
  while (ini < fim && ehBranco(texto[ini])) ++ini;
  while (fim > ini && ehBranco(texto[fim - 1])) --fim;
  if (ini == 0 && fim == texto.size()) return texto;
  return texto.mid(ini, fim - ini);
}

QString apararDireita(const QString& texto) {
  qsizetype fim = texto.size();
  while (fim > 0 && ehBranco(texto[fim - 1])) --fim;
  return fim == texto.size() ? texto : texto.left(fim);
}

QString quebrasComoBarraN(const QString& texto) {
  if (!texto.contains(u'\r') && !texto.contains(u'\n')) return texto;
  QString r;
  r.reserve(texto.size() + 8);
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const QChar c = texto[i];
    if (c == u'\r') {
      r += QLatin1String("\\n");
      if (i + 1 < texto.size() && texto[i + 1] == u'\n') ++i;
    } else if (c == u'\n') {
      r += QLatin1String("\\n");
    } else {
      r += c;
    }
  }
  return r;
}

QString decodificarWindows1252(const QByteArray& bytes) {
  QString r(bytes.size(), Qt::Uninitialized);
  QChar* d = r.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    d[i] = QChar((b >= 0x80 && b < 0xA0) ? kCp1252Alto[b - 0x80] : char16_t(b));
  }
  return r;
}

QString decodificarTexto(const QByteArray& bytes) {
  // Once the file's own mark is gone, a U+FEFF that follows is text (Qt's
  // decoders would drop it as a second mark, and a saved list whose first
  // cell began with it lost it).
  auto decodificar = [&](QStringConverter::Encoding codificacao, qsizetype marca) {
    QStringDecoder d(codificacao, QStringConverter::Flag::ConvertInitialBom);
    return QString(d.decode(QByteArrayView(bytes).sliced(marca)));
  };
  if (bytes.startsWith("\xEF\xBB\xBF")) return decodificar(QStringConverter::Utf8, 3);
  if (bytes.startsWith("\xFF\xFE")) return decodificar(QStringConverter::Utf16LE, 2);
  if (bytes.startsWith("\xFE\xFF")) return decodificar(QStringConverter::Utf16BE, 2);
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString texto = utf8.decode(bytes);
  if (!utf8.hasError()) return texto;
  return decodificarWindows1252(bytes);
}

bool cabeEmWindows1252(QStringView texto) {
  for (QChar c : texto)
    if (byteWindows1252(c.unicode()) < 0) return false;
  return true;
}

void anexarWindows1252(QStringView texto, QByteArray& destino) {
  const qsizetype inicio = destino.size();
  destino.resize(inicio + texto.size());
  char* d = destino.data() + inicio;
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const int b = byteWindows1252(texto[i].unicode());
    d[i] = static_cast<char>(b < 0 ? '?' : b);
  }
}

QByteArray codificarWindows1252(const QString& texto) {
  QByteArray r;
  anexarWindows1252(texto, r);
  return r;
}

QByteArray codificarUtf8ComBom(const QString& texto) {
  return QByteArray("\xEF\xBB\xBF") + texto.toUtf8();
}

void CLCodificacaoTexto::anexar(QStringView parte) {
  const bool primeira = std::exchange(gPrimeira, false);
  if (!podeSerWindows1252()) return;
  bool ascii = true;
  for (const QChar c : parte) {
    if (c.unicode() < 0x80) continue;
    ascii = false;
    if (byteWindows1252(c.unicode()) < 0) {
      gCabe = false;
      return;
    }
  }
  if (ascii) return;
  gNaoAscii = true;
  QByteArray bytes;
  anexarWindows1252(parte, bytes);
  if (primeira)
    gMarca = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
  // ASCII separates the pieces, so the whole is valid UTF-8 exactly when
  // every piece is.
  if (!gNaoUtf8) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString lido = utf8.decode(bytes);  // decoding happens on the conversion
    gNaoUtf8 = utf8.hasError();
  }
}

QByteArray codificarTexto(const QString& texto) {
  CLCodificacaoTexto codificacao;
  codificacao.anexar(texto);
  return codificacao.windows1252() ? codificarWindows1252(texto) : codificarUtf8ComBom(texto);
}

bool nomeReservadoNoWindows(const QString& caminho) {
  static const QRegularExpression reservado(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
  // The file's own name: folders with such names cannot exist on Windows,
  // and elsewhere they are ordinary folders.
  const qsizetype barra = std::max(caminho.lastIndexOf(u'/'), caminho.lastIndexOf(u'\\'));
  // Windows ignores what follows the first dot, and trailing blanks.
  QString base = caminho.mid(barra + 1).section(u'.', 0, 0);
  while (base.endsWith(u' ')) base.chop(1);
  return reservado.match(base).hasMatch();
}

bool lerArquivoTexto(const QString& caminho, QString& texto, QString* erro) {
  texto.clear();
  if (nomeReservadoNoWindows(caminho)) {
    if (erro) *erro = QStringLiteral("Não foi possível abrir o arquivo \"%1\": o nome é reservado pelo Windows").arg(caminho);
    return false;
  }
  QFile f(caminho);
  if (QFileInfo(caminho).isDir() || !f.open(QIODevice::ReadOnly)) {
    if (erro) *erro = QStringLiteral("Não foi possível abrir o arquivo \"%1\"").arg(caminho);
    return false;
  }
  texto = decodificarTexto(f.readAll());
  return true;
}

bool gravarArquivo(const QString& caminho, const QByteArray& bytes, QString* erro) {
  if (nomeReservadoNoWindows(caminho)) {
    if (erro) *erro = QStringLiteral("Não foi possível gravar o arquivo \"%1\": o nome é reservado pelo Windows").arg(caminho);
    return false;
  }
  // The file is written beside and renamed over the old one, which would
  // also replace a file the user made read-only (and does so for root):
  // such a file is left as it is.
  const QFileInfo info(caminho);
  if (info.exists() && !info.isDir() && !(info.permissions() & QFileDevice::WriteOwner)) {
    if (erro) *erro = QStringLiteral("Não foi possível gravar o arquivo \"%1\": o arquivo é somente leitura").arg(caminho);
    return false;
  }
  QSaveFile f(caminho);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
    if (erro) *erro = QStringLiteral("Não foi possível gravar o arquivo \"%1\"").arg(caminho);
    return false;
  }
  return true;
}

QStringList dividirLinhas(const QString& texto) {
  QStringList linhas;
  paraCadaLinha(texto, [&linhas](QStringView l) { linhas.append(l.toString()); });
  return linhas;
}

namespace {
#ifdef Q_OS_WIN
constexpr bool kBarraInvertidaSepara = false;
#else
constexpr bool kBarraInvertidaSepara = true;
#endif

QString comBarras(QString caminho) {
  if (kBarraInvertidaSepara) caminho.replace(u'\\', u'/');
  return caminho;
}
}  // namespace

QString getBestPath(const QString& nome, const QString& pasta, const QString& extensao) {
  const bool absoluto = nome.contains(QLatin1String(":\\")) || nome.contains(QLatin1String(":/")) ||
                        nome.startsWith(u'/') || nome.startsWith(QLatin1String("\\\\"));
  QString resultado = absoluto ? comBarras(nome)
                               : QDir(pastaBase()).filePath(comBarras(pasta) + u'/' + comBarras(nome));
  resultado = QDir::cleanPath(resultado);
  const QString ext = extensao.isEmpty() ? QStringLiteral(".txt") : extensao;
  // Only the file's own name is looked at: a folder named "x.txt" does not
  // count as the extension.
  // A file that exists under the name as typed ("contatos.csv") is taken
  // as it is.
  const QString arquivo = resultado.mid(resultado.lastIndexOf(u'/') + 1);
  if (!arquivo.toLower().contains(ext.toLower()) && !QFileInfo(resultado).isFile()) resultado += ext;
  return resultado;
}

QStringView primeiraLinha(QStringView texto) {
  for (qsizetype i = 0; i < texto.size(); ++i)
    if (texto[i] == u'\r' || texto[i] == u'\n') return texto.left(i);
  return texto;
}

qsizetype contarLinhas(QStringView texto) {
  qsizetype n = 0;
  paraCadaLinha(texto, [&n](QStringView) { ++n; });
  return n;
}

QString pastaBase() {
  const QByteArray env = qgetenv("MIVO_BASE_DIR");
  if (!env.isEmpty()) return QDir(QString::fromLocal8Bit(env)).absolutePath();
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  const QFileInfo exe(QStringLiteral("/proc/self/exe"));
  if (exe.exists()) return QFileInfo(exe.symLinkTarget()).absolutePath();
  return QDir::currentPath();
}

const QLocale& localeBR() {
  static const QLocale locale = [] {
    QLocale l(QLocale::Portuguese, QLocale::Brazil);
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l;
  }();
  return locale;
}

QString dataCurtaBR(const QDate& data) { return data.toString(QStringLiteral("dd/MM/yyyy")); }
QString horaLongaBR(const QTime& hora) { return hora.toString(QStringLiteral("HH:mm:ss")); }

}  // namespace mivo
