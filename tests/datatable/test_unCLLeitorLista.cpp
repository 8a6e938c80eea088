#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "impressaoQt.h"
#include "unCLLeitorLista.h"
#include "unUtil.h"

using namespace mivo;

namespace {

// A record as a list of fields, a quoted one written as «text».
using Registros = QList<QStringList>;

QStringList comoTexto(const QList<CampoLista>& campos) {
  QStringList r;
  for (const CampoLista& c : campos)
    r << (c.citado ? QStringLiteral("«") + c.texto.toString() + QStringLiteral("»") : c.texto.toString());
  return r;
}

Registros lerTexto(const QString& texto, QChar seNenhum = {}) {
  Registros r;
  CLLeitorLista(seNenhum).lerTexto(texto, [&](const QList<CampoLista>& campos) {
    r << comoTexto(campos);
    return true;
  });
  return r;
}

QString gravar(const QTemporaryDir& pasta, const QByteArray& bytes) {
  const QString caminho = pasta.filePath(QStringLiteral("lista.txt"));
  QFile f(caminho);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
  return caminho;
}

// What reading a file gives, with the records given before a restart
// forgotten, as a loader does.
struct LeituraDeArquivo {
  bool ok = false;
  Registros registros;
  int recomecos = 0;
};

LeituraDeArquivo lerArquivo(const QString& caminho, qsizetype pedaco, int parar = -1) {
  LeituraDeArquivo r;
  r.ok = CLLeitorLista().lerArquivo(
      caminho,
      [&](const QList<CampoLista>& campos) {
        r.registros << comoTexto(campos);
        return r.registros.size() != parar;
      },
      [&] {
        ++r.recomecos;
        r.registros.clear();
      },
      nullptr, pedaco);
  return r;
}

}  // namespace

TEST(CLLeitorLista, CamposERegistros) {
  const struct {
    const char* texto;
    Registros esperado;
  } casos[] = {
      // Quoted text is kept as written: blanks, line breaks, delimiters.
      {"a;b\r\n\" x \";\"linha 1\r\nlinha 2\";\"c;d\"\r\n",
       {{"a", "b"}, {"« x »", "«linha 1\r\nlinha 2»", "«c;d»"}}},
      {"a;b\n\"Rua A\nApto 3\";Recife\nfim;x", {{"a", "b"}, {"«Rua A\nApto 3»", "Recife"}, {"fim", "x"}}},
      {"a;b\r\n\"so CR\rdentro\";\"\"\"VIP\"\"\"\r\n", {{"a", "b"}, {"«so CR\rdentro»", "«\"VIP\"»"}}},
      // Unquoted fields are trimmed; blank lines are records without fields.
      {"a;b\n  Ana ; Recife \n\n\t\n;", {{"a", "b"}, {"Ana", "Recife"}, {}, {}, {"", ""}}},
      // As before: a quote that closes nothing is text, and a field that
      // never closes on its line ends with it.
      {"a;b\n\"aberto;sem fim\nBia;\"y\"", {{"a", "b"}, {"\"aberto", "sem fim"}, {"Bia", "«y»"}}},
      {"a;b\n\"Casa\" da Ana;x\nBia;\"y\"", {{"a", "b"}, {"\"Casa\" da Ana", "x"}, {"Bia", "«y»"}}},
      {"a;b\n\"diz \"oi\" pra ela\";x", {{"a", "b"}, {"«diz \"oi\" pra ela»", "x"}}},
      {"a;b\nMonitor 24\";100", {{"a", "b"}, {"Monitor 24\"", "100"}}},
      // A field runs over a line break only when it starts at its quote and
      // every quote in it is doubled.
      {"a;b\nx; \"Rua\nfim\";y", {{"a", "b"}, {"x", "\"Rua"}, {"fim\"", "y"}}},
      {"a;b\n\"Rua \"A\"\nfim\";y", {{"a", "b"}, {"«Rua \"A»"}, {"fim\"", "y"}}},
      {"a;b\n\"Rua\n\"A\" fim\";y", {{"a", "b"}, {"\"Rua"}, {"«A\" fim»", "y"}}},
      // A tab delimiter at the end of a line goes with the trimming.
      {"a\tb\nc\t\t \nd\t\te", {{"a", "b"}, {"c"}, {"d", "", "e"}}},
      // No delimiter: one field per line.
      {"nomes\nAna;Recife\n\"Bia, Rio\"", {{"nomes"}, {"Ana;Recife"}, {"«Bia, Rio»"}}},
      {"", {}},
      {"\"sem fim\r\n", {{"\"sem fim"}}},
  };
  for (const auto& c : casos) {
    Registros esperado = c.esperado;
    EXPECT_EQ(lerTexto(QString::fromUtf8(c.texto)), esperado) << c.texto;
  }
}

TEST(CLLeitorLista, DelimitadorDoPrimeiroRegistro) {
  const struct {
    const char* texto;
    QChar seNenhum;
    QChar esperado;
  } casos[] = {
      {"nome;email,x\ty\n", {}, u';'},
      {"nome\temail,x\n", {}, u'\t'},
      {"nome,email\n", {}, u','},
      {"nome\na;b\n", {}, QChar()},
      {"nome\na;b\n", u';', u';'},
      // A title holding a line break: the whole first record decides.
      {"\"linha 1\nlinha 2\";email\n", {}, u';'},
      {"\"a\tb\nc\";d\n", {}, u';'},
  };
  for (const auto& c : casos) {
    CLLeitorLista leitor(c.seNenhum);
    leitor.lerTexto(QString::fromUtf8(c.texto), [](const QList<CampoLista>&) { return true; });
    EXPECT_EQ(leitor.delimitador(), c.esperado) << c.texto;
  }
  EXPECT_EQ(lerTexto(QStringLiteral("\"a\tb\nc\";d\nx;y")), (Registros{{"«a\tb\nc»", "d"}, {"x", "y"}}));
}

// A file read in pieces of any size gives what its whole text gives, in
// each encoding a list may have; a file that looks like UTF-8 at first and
// is not is read again as Windows-1252.
TEST(CLLeitorLista, ArquivoEmPedacosDeQualquerTamanho) {
  const QString texto = QStringLiteral(
      "nome;cidade;obs\r\n\"Zé; Jr.\";São Paulo;\"duas\r\nlinhas\"\r\n\r\nÁgata;\"\"\"Rio\"\"\";€ 5\rfim;;\n\"x\"");
  const Registros esperado = lerTexto(texto);
  auto utf16le = [](const QString& t) {
    QStringEncoder e(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE") + QByteArray(e(t));
  };
  const struct {
    const char* nome;
    QByteArray bytes;
    QString texto;  // what the bytes hold
  } arquivos[] = {
      {"windows-1252", codificarWindows1252(texto), texto},
      {"utf-8", texto.toUtf8(), texto},
      {"utf-8 com marca", QByteArray("\xEF\xBB\xBF") + texto.toUtf8(), texto},
      {"utf-16", utf16le(texto), texto},
      // Valid UTF-8 up to a Windows-1252 byte near the end: all of it is
      // Windows-1252.
      {"utf-8 e depois nao", texto.toUtf8() + "\xE9", decodificarWindows1252(texto.toUtf8() + "\xE9")},
      // U+FEFF in the text, first and where a piece may start: text, not a mark.
      {"utf-8 com marca e U+FEFF no texto", QByteArray("\xEF\xBB\xBF") + QStringLiteral("\uFEFFnome;x\r\n\uFEFFAna;\uFEFF").toUtf8(),
       QStringLiteral("\uFEFFnome;x\r\n\uFEFFAna;\uFEFF")},
  };
  QTemporaryDir pasta;
  for (const auto& a : arquivos) {
    const QString caminho = gravar(pasta, a.bytes);
    ASSERT_EQ(decodificarTexto(a.bytes), a.texto) << a.nome;
    const Registros doTexto = lerTexto(a.texto);
    if (a.texto == texto) {
      ASSERT_EQ(doTexto, esperado) << a.nome;
    }
    for (const qsizetype pedaco : {1, 2, 3, 5, 7, 16, 1 << 20}) {
      const LeituraDeArquivo r = lerArquivo(caminho, pedaco);
      EXPECT_TRUE(r.ok);
      EXPECT_EQ(r.registros, doTexto) << a.nome << " " << pedaco;
    }
  }
}

TEST(CLLeitorLista, PararNoPrimeiroRegistroAindaDecideACodificacao) {
  QTemporaryDir pasta;
  // The titles are valid UTF-8, a byte further on is not: the titles are
  // Windows-1252 too, as the whole file is.
  const QByteArray bytes = QByteArray("endere\xC3\xA7o;cidade\r\n") + QByteArray(5000, 'a') + "\xE9\r\n";
  const LeituraDeArquivo r = lerArquivo(gravar(pasta, bytes), 64, 1);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.recomecos, 1);
  EXPECT_EQ(r.registros, (Registros{{QStringLiteral("endereÃ§o"), QStringLiteral("cidade")}}));
  // ASCII titles stand, whatever follows.
  const LeituraDeArquivo ascii = lerArquivo(gravar(pasta, "nome;cidade\r\nZ\xE9\r\n"), 4, 1);
  EXPECT_EQ(ascii.recomecos, 0);
  EXPECT_EQ(ascii.registros, (Registros{{"nome", "cidade"}}));
}

TEST(CLLeitorLista, ArquivoQueNaoAbre) {
  QTemporaryDir pasta;
  QString erro;
  const auto nada = [](const QList<CampoLista>&) { return true; };
  EXPECT_FALSE(CLLeitorLista().lerArquivo(pasta.filePath(QStringLiteral("falta.txt")), nada, {}, &erro));
  EXPECT_TRUE(erro.contains(QStringLiteral("falta.txt"))) << erro.toStdString();
  EXPECT_FALSE(CLLeitorLista().lerArquivo(pasta.path(), nada, {}, &erro));
}
