#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "unCLRecentes.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"
#include "impressaoQt.h"

using namespace mivo;

namespace {

QString criar(const QTemporaryDir& pasta, const QString& nome, const QByteArray& bytes) {
  const QString caminho = pasta.filePath(nome);
  QFile f(caminho);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
  return caminho;
}

QStringList caminhos(const CLRecentes& r) {
  QStringList lista;
  for (const ItemRecente& i : r.itens()) lista << i.caminho;
  return lista;
}

class CLRecentesTeste : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    registro = pasta.filePath(QStringLiteral("recentfiles.txt"));
  }
  QTemporaryDir pasta;
  QString registro;
};

}  // namespace

TEST_F(CLRecentesTeste, NovosNoTopoReusadosSobemComADataDeHoje) {
  const QString a = criar(pasta, QStringLiteral("a.txt"), "x\r\ny\r\nz\r\n");
  const QString b = criar(pasta, QStringLiteral("b.txt"), QByteArray());
  const QDate antes = QDate::currentDate();
  CLRecentes r(registro);
  r.setHoje([] { return QDate(2024, 3, 5); });
  r.recentesAdd(a);
  r.recentesAdd(b);
  EXPECT_EQ(caminhos(r), QStringList({b, a}));
  const ItemRecente& novo = r.itens().last();
  EXPECT_EQ(novo.nome, QStringLiteral("a.txt"));
  EXPECT_EQ(novo.linhas, QStringLiteral("3"));
  EXPECT_TRUE(novo.data == dataCurtaBR(antes) || novo.data == dataCurtaBR(QDate::currentDate()))
      << "a new entry carries the file's creation date: " << novo.data.toStdString();
  EXPECT_EQ(r.itens().first().linhas, QString()) << "zero lines print as nothing";

  r.recentesAdd(a);
  EXPECT_EQ(caminhos(r), QStringList({a, b}));
  EXPECT_EQ(r.itens().first().data, QStringLiteral("05/03/2024"));

  EXPECT_TRUE(r.recentesRemove(b));
  EXPECT_FALSE(r.recentesRemove(b));
  EXPECT_EQ(caminhos(r), QStringList({a}));
}

TEST_F(CLRecentesTeste, ArquivoAusenteTemDataZeroELinhasErro) {
  CLRecentes r(registro);
  const QString ausente = pasta.filePath(QStringLiteral("sumiu.txt"));
  r.recentesAdd(ausente);
  ASSERT_EQ(r.itens().size(), 1);
  EXPECT_EQ(r.itens()[0].data, QStringLiteral("30/12/1899"));
  EXPECT_EQ(r.itens()[0].linhas, QStringLiteral("erro"));
}

TEST_F(CLRecentesTeste, GravaNoFormatoDoRegistroELeDeVolta) {
  const QString a = criar(pasta, QStringLiteral("contatos.txt"), "1\n2\n");
  const QString b = criar(pasta, QStringLiteral("clientes.csv"), "1\n");
  CLRecentes r(registro);
  r.setHoje([] { return QDate(2024, 12, 31); });
  r.recentesAdd(a);
  r.recentesAdd(b);
  r.recentesUpdate(a);
  ASSERT_TRUE(r.recentesSave());

  QString texto;
  ASSERT_TRUE(lerArquivoTexto(registro, texto));
  const QStringList linhas = texto.split(QStringLiteral("\r\n"));
  ASSERT_EQ(linhas.size(), 3);
  EXPECT_EQ(linhas[0], QStringLiteral("contatos.txt;2;31/12/2024;") + a + u';');
  EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("clientes.csv;1;")));
  EXPECT_TRUE(linhas[1].endsWith(b + u';'));
  EXPECT_EQ(linhas[2], QString());

  CLRecentes outro(registro);
  outro.recentesLoad();
  ASSERT_EQ(outro.itens().size(), 2);
  EXPECT_EQ(outro.itens()[0].nome, QStringLiteral("contatos.txt"));
  EXPECT_EQ(outro.itens()[0].linhas, QStringLiteral("2"));
  EXPECT_EQ(outro.itens()[0].data, QStringLiteral("31/12/2024"));
  EXPECT_EQ(caminhos(outro), QStringList({a, b}));
}

TEST_F(CLRecentesTeste, LeituraFicaComAsPrimeiras15Linhas) {
  QByteArray bytes;
  for (int i = 1; i <= 20; ++i) bytes += QStringLiteral("l%1.txt;1;01/01/2024;/x/l%1.txt;\r\n").arg(i).toUtf8();
  criar(pasta, QStringLiteral("recentfiles.txt"), bytes);
  CLRecentes r(registro);
  r.recentesLoad();
  ASSERT_EQ(r.itens().size(), 15);
  EXPECT_EQ(r.itens().first().caminho, QStringLiteral("/x/l1.txt"));
  EXPECT_EQ(r.itens().last().caminho, QStringLiteral("/x/l15.txt"));

  QFile::remove(registro);
  r.recentesLoad();
  EXPECT_TRUE(r.itens().isEmpty());
}

TEST_F(CLRecentesTeste, RegistroPadraoFicaNaPastaBase) {
  teste::CLPastaBaseTeste base;
  EXPECT_EQ(CLRecentes().arquivo(), QDir(base.path()).filePath(QStringLiteral("recentfiles.txt")));
}
