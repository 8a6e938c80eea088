#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

TEST(Util, ApararRemoveBrancosEControlesSoNasPontas) {
  EXPECT_EQ(aparar(QStringLiteral(" \t\r\n a b \x01")), QStringLiteral("a b"));
  EXPECT_EQ(aparar(QStringLiteral("   ")), QString());
  // A no-break space is not a control character: it stays.
  EXPECT_EQ(aparar(QStringLiteral("\u00A0x ")), QStringLiteral("\u00A0x"));
}

TEST(Util, DecodificaPelaMarcaOuPeloConteudo) {
  struct Caso {
    QByteArray bytes;
    QString esperado;
  } casos[] = {
      {QByteArray("\xEF\xBB\xBF" "Ol\xC3\xA1"), QStringLiteral("Olá")},
      {QByteArray("Ol\xC3\xA1 \xC3\xA7"), QStringLiteral("Olá ç")},
      {QByteArray("Ol\xE1 \xE7\x80"), QStringLiteral("Olá ç€")},  // not UTF-8: Windows-1252
      {QByteArray("\xFF\xFE" "O\0l\0\xE1\0", 8), QStringLiteral("Olá")},
      {QByteArray("\xFE\xFF" "\0O\0l\0\xE1", 8), QStringLiteral("Olá")},
      {QByteArray(), QString()},
      // After the mark, U+FEFF is text.
      {QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "a"), QStringLiteral("\uFEFFa")},
      {QByteArray("\xFF\xFE\xFF\xFE" "a\0", 6), QStringLiteral("\uFEFFa")},
      {QByteArray("\xFE\xFF\xFE\xFF" "\0a", 6), QStringLiteral("\uFEFFa")},
  };
  for (const auto& c : casos) EXPECT_EQ(decodificarTexto(c.bytes), c.esperado) << c.bytes.toHex().constData();
}

TEST(Util, CodificaEmWindows1252QuandoCabeSenaoUtf8ComMarca) {
  EXPECT_EQ(codificarTexto(QStringLiteral("Olá €")), QByteArray("Ol\xE1 \x80"));
  const QByteArray emoji = codificarTexto(QStringLiteral("Olá 😀"));
  EXPECT_TRUE(emoji.startsWith("\xEF\xBB\xBF"));
  EXPECT_EQ(decodificarTexto(emoji), QStringLiteral("Olá 😀"));
}

TEST(Util, TextoCodificadoLeDeVoltaIgual) {
  // Windows-1252 only when its bytes would not be read as something else:
  // a byte-order mark, or UTF-8 (mojibake such as "JoÃ£o" is valid UTF-8
  // once written in Windows-1252).
  const struct {
    const char* texto;
    bool windows1252;
  } casos[] = {
      {"Olá €", true},
      {"ação; São Paulo", true},
      {"só ASCII", true},
      {"", true},
      {"JoÃ£o", false},
      {"Ã©", false},
      {"Â\u00a0", false},
      {"JoÃ£o e José", true},  // "é" alone is no UTF-8: the whole is not
      {"ï»¿nome", false},      // the UTF-8 byte-order mark
      {"ÿþnome", false},       // UTF-16 LE
      {"þÿnome", false},       // UTF-16 BE
      {"nome ÿþ", true},       // only the start counts
      {"emoji 😀", false},
  };
  for (const auto& c : casos) {
    const QString texto = QString::fromUtf8(c.texto);
    const QByteArray bytes = codificarTexto(texto);
    EXPECT_EQ(decodificarTexto(bytes), texto) << c.texto;
    EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBF"), !c.windows1252) << c.texto;
    if (c.windows1252) EXPECT_EQ(bytes, codificarWindows1252(texto)) << c.texto;
  }
  // A zero-width no-break space first (fromUtf8 would drop it from a literal).
  const QString marcaNoTexto = QChar(0xFEFF) + QStringLiteral("nome");
  EXPECT_EQ(decodificarTexto(codificarTexto(marcaNoTexto)), marcaNoTexto);
}

TEST(Util, DivideLinhasEmQualquerQuebra) {
  EXPECT_EQ(dividirLinhas(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(dividirLinhas(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
  EXPECT_TRUE(dividirLinhas(QString()).isEmpty());
}

TEST(Util, QuebrasViramBarraN) {
  EXPECT_EQ(quebrasComoBarraN(QStringLiteral("a\r\nb\nc\rd")), QStringLiteral("a\\nb\\nc\\nd"));
}

TEST(Util, GravaELeArquivoPorArquivoTemporario) {
  QTemporaryDir dir;
  const QString caminho = dir.filePath(QStringLiteral("x.txt"));
  ASSERT_TRUE(gravarArquivo(caminho, codificarTexto(QStringLiteral("ação"))));
  QString lido;
  ASSERT_TRUE(lerArquivoTexto(caminho, lido));
  EXPECT_EQ(lido, QStringLiteral("ação"));
  QString erro;
  EXPECT_FALSE(lerArquivoTexto(dir.filePath(QStringLiteral("nao-existe")), lido, &erro));
  EXPECT_FALSE(erro.isEmpty());
  EXPECT_FALSE(gravarArquivo(dir.filePath(QStringLiteral("sem/pasta/x.txt")), "x"));
}

// A file made read-only is never replaced, not even by a user (root) the
// system would let through.
TEST(Util, ArquivoSomenteLeituraNaoEhSobrescrito) {
  QTemporaryDir dir;
  const QString caminho = dir.filePath(QStringLiteral("x.txt"));
  ASSERT_TRUE(gravarArquivo(caminho, "antes"));
  ASSERT_TRUE(QFile::setPermissions(caminho, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  QString erro;
  EXPECT_FALSE(gravarArquivo(caminho, "depois", &erro));
  EXPECT_TRUE(erro.contains(QStringLiteral("somente leitura"))) << erro.toStdString();
  QString lido;
  ASSERT_TRUE(lerArquivoTexto(caminho, lido));
  EXPECT_EQ(lido, QStringLiteral("antes"));
  QFile::setPermissions(caminho, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_TRUE(gravarArquivo(caminho, "depois"));
}

// On Windows these names reach a device: reading "con" waits for the
// keyboard forever. They are refused everywhere, with a clear message.
TEST(Util, NomesReservadosDoWindowsSaoRecusados) {
  struct Caso {
    const char* caminho;
    bool reservado;
  };
  for (const Caso& c : {Caso{"con", true}, Caso{"CON.txt", true}, Caso{"dados/listas/Aux.mivo", true},
                        Caso{"C:\\pasta\\nul", true}, Caso{"lpt1.txt", true}, Caso{"com9", true},
                        Caso{"prn .txt", true}, Caso{"nul/lista.txt", false}, Caso{"contatos.txt", false},
                        Caso{"auxiliar.txt", false}, Caso{"com10.txt", false}, Caso{"icon.txt", false},
                        Caso{"lpt.txt", false}, Caso{"", false}}) {
    EXPECT_EQ(nomeReservadoNoWindows(QString::fromUtf8(c.caminho)), c.reservado) << c.caminho;
  }
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString caminho = dir.filePath(QStringLiteral("con.txt"));
  QString erro;
  EXPECT_FALSE(gravarArquivo(caminho, "texto", &erro));
  EXPECT_TRUE(erro.contains(QStringLiteral("reservado pelo Windows"))) << erro.toStdString();
  EXPECT_FALSE(QFile::exists(caminho));
  QString texto;
  erro.clear();
  EXPECT_FALSE(lerArquivoTexto(caminho, texto, &erro));
  EXPECT_TRUE(erro.contains(QStringLiteral("reservado pelo Windows"))) << erro.toStdString();
}

TEST(Util, PastaBaseObedeceVariavelDeAmbiente) {
  teste::CLPastaBaseTeste dir;
  EXPECT_EQ(pastaBase(), QDir(dir.path()).absolutePath());
}

TEST(Util, NumerosEDatasNoPadraoBrasileiro) {
  bool ok = false;
  EXPECT_DOUBLE_EQ(localeBR().toDouble(QStringLiteral("1,5"), &ok), 1.5);
  EXPECT_TRUE(ok);
  localeBR().toDouble(QStringLiteral("1.5"), &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(dataCurtaBR(QDate(2026, 3, 7)), QStringLiteral("07/03/2026"));
  EXPECT_EQ(horaLongaBR(QTime(9, 5, 3)), QStringLiteral("09:05:03"));
}
