#include "unXmlRapido.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

#include <QTemporaryDir>

#include "unPlanilhaTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

TEST(XmlRapido, AnexarUtf8ComoFromUtf8) {
  const QList<QByteArray> casos = {
      "",
      "abc",
      "S\xc3\xa3o Jo\xc3\xa3o",               // two-byte sequences
      "\xe2\x82\xac 10",                      // euro sign, three bytes
      "a\xf0\x9f\x98\x80z",                   // an emoji: a surrogate pair
      "meio \xc3",                            // cut in the middle of a sequence
      "\xff\xfe inv\xe1lido",                 // bytes that are never UTF-8
      "\xed\xa0\x80",                         // an encoded surrogate
      QByteArray(300, 'x') + "\xc3\xa7",      // long ASCII run, then more
  };
  for (const QByteArray& c : casos) {
    QString r = QStringLiteral("antes|");
    anexarUtf8(r, c);
    EXPECT_EQ(r, QStringLiteral("antes|") + QString::fromUtf8(c)) << c.toHex().constData();
  }
}

// Elements and attributes of a small part, as the worksheet reader sees them.
TEST(XmlRapido, AtributosDeUmaPassada) {
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("x.zip"));
  ASSERT_TRUE(gravarZip(caminho, {{QStringLiteral("p.xml"),
                                   QByteArray("<?xml version=\"1.0\"?><x:raiz xmlns:x=\"u\">"
                                              "<c r=\"B2\" s='3' t=\"\" r=\"Z9\"/>"
                                              "<c  x:t = \"inlineStr\"  r=\"A1\">t&amp;&#233;&#x1F600;</c>"
                                              "</x:raiz>")}}));
  CLArquivoZip zip;
  QString erro;
  ASSERT_TRUE(zip.abrir(caminho, erro)) << erro.toStdString();
  CLXmlRapido xml(zip.abrirParte(QStringLiteral("p.xml"), 1 << 20, erro));
  static constexpr QByteArrayView kNomes[] = {QByteArrayView("r", 1), QByteArrayView("t", 1),
                                               QByteArrayView("s", 1), QByteArrayView("falta", 5)};
  QList<QStringList> vistos;
  QString texto;
  for (CLXmlRapido::Tipo t; (t = xml.proximo()) != CLXmlRapido::FimDocumento;) {
    ASSERT_NE(t, CLXmlRapido::Erro) << xml.erro().toStdString();
    if (t == CLXmlRapido::Texto) xml.anexarTexto(texto);
    if (t != CLXmlRapido::Inicio || !mesmoNome(xml.nome(), "c")) continue;
    QByteArrayView v[4];
    xml.atributosBrutos(kNomes, v);
    QStringList l;
    for (const QByteArrayView& a : v) l << (a.isNull() ? QStringLiteral("-") : QString::fromUtf8(a));
    EXPECT_EQ(xml.atributoBruto("r"), v[0]);
    vistos << l;
  }
  // The first of a repeated name counts; an empty value is still present.
  EXPECT_EQ(vistos, (QList<QStringList>{{"B2", "", "3", "-"}, {"A1", "inlineStr", "-", "-"}}));
  EXPECT_EQ(texto, QString(QStringLiteral("t&\u00e9") + QString::fromUcs4(U"\U0001F600")));
}

}  // namespace
