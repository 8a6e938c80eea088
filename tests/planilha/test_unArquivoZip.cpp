#include "unArquivoZip.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

#include <QTemporaryDir>

#include "unPlanilhaTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

// A part of a few megabytes that compresses (repeated rows with a counter).
QByteArray parteGrande() {
  QByteArray d;
  for (int i = 0; d.size() < (5 << 20); ++i) d += "<row r=\"" + QByteArray::number(i) + "\"><c><v>1</v></c></row>";
  return d;
}

QByteArray lerTudo(CLArquivoZip::Fluxo& f, qint64 bloco) {
  QByteArray r;
  while (!f.fim()) r += f.ler(bloco);
  return r;
}

TEST(ArquivoZip, LerEmParaleloDaOsMesmosBytes) {
  QTemporaryDir pasta;
  const QByteArray dados = parteGrande();
  ASSERT_TRUE(gravarZip(pasta.filePath(QStringLiteral("p.zip")), {{QStringLiteral("p.xml"), dados}}));
  CLArquivoZip zip;
  QString erro;
  ASSERT_TRUE(zip.abrir(pasta.filePath(QStringLiteral("p.zip")), erro));
  for (bool paralelo : {false, true}) {
    SCOPED_TRACE(paralelo ? "paralelo" : "sequencial");
    auto f = zip.abrirParte(QStringLiteral("p.xml"), dados.size(), erro);
    ASSERT_TRUE(f);
    if (paralelo) f->lerEmParalelo(64 * 1024, 2);
    EXPECT_EQ(lerTudo(*f, 100000), dados);
    EXPECT_TRUE(f->erro().isEmpty()) << f->erro().toStdString();
    EXPECT_EQ(f->lidos(), dados.size());
    EXPECT_TRUE(f->ler().isEmpty());  // after the end, nothing more
  }
}

TEST(ArquivoZip, ParaleloLargadoNoMeioTerminaSemEsperarOFim) {
  // The reader stops after one block: the inflating thread, blocked with
  // its blocks ready, must stop when the stream goes.
  QTemporaryDir pasta;
  const QByteArray dados = parteGrande();
  ASSERT_TRUE(gravarZip(pasta.filePath(QStringLiteral("p.zip")), {{QStringLiteral("p.xml"), dados}}));
  CLArquivoZip zip;
  QString erro;
  ASSERT_TRUE(zip.abrir(pasta.filePath(QStringLiteral("p.zip")), erro));
  for (int lidos : {0, 1, 3}) {
    auto f = zip.abrirParte(QStringLiteral("p.xml"), dados.size(), erro);
    ASSERT_TRUE(f);
    f->lerEmParalelo(16 * 1024, 2);
    QByteArray r;
    for (int i = 0; i < lidos; ++i) r += f->ler();
    EXPECT_EQ(r, dados.left(r.size()));
    f.reset();  // joins the thread
  }
  // The archive is still usable afterwards.
  auto f = zip.abrirParte(QStringLiteral("p.xml"), dados.size(), erro);
  ASSERT_TRUE(f);
  EXPECT_EQ(lerTudo(*f, 1 << 20), dados);
}

}  // namespace
