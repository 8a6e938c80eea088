// mivo-run --lista with a spreadsheet: the first worksheet fills the data
// table before the script runs.
#include <gtest/gtest.h>

#include <QFile>

#include "impressaoQt.h"
#include "unCLDesktop.h"
#include "unMivoRun.h"
#include "unPastaBaseTeste.h"
#include "unPlanilhaTeste.h"
#include "unUtil.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

struct Execucao {
  int codigo = -1;
  QStringList saida, erros;
};

Execucao executar(const QStringList& args) {
  Execucao e;
  CLTerminal t;
  t.escrever = [&](const QString& l) { e.saida << l; };
  t.escreverErro = [&](const QString& l) { e.erros << l; };
  e.codigo = executarMivoRun(args, t, [](QString& erro) -> std::unique_ptr<CLDesktop> {
    erro = QStringLiteral("sem área de trabalho neste teste");
    return nullptr;
  });
  return e;
}

class MivoRunPlanilha : public ::testing::Test {
 protected:
  CLPastaBaseTeste base;
  QString caminho(const QString& nome) const { return base.filePath(nome); }
  QString escrever(const QString& nome, const QByteArray& dados) {
    QFile f(caminho(nome));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dados);
    return caminho(nome);
  }
};

TEST_F(MivoRunPlanilha, ListaXlsxPreencheATabelaEOScriptLeAsColunas) {
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "fone"}, {QStringLiteral("Ana"), "11"}, {"Bia", "22"}}))
           << folhaXlsx(linhasXlsx({{"outra"}}));
  ASSERT_TRUE(x.gravar(caminho("contatos.xlsx")));
  const QString script = escrever("s.mivo", "&MsgExibir(\"{nome} {fone}\").\r\n");
  const Execucao e = executar({QStringLiteral("--silencioso"), QStringLiteral("--lista"), caminho("contatos.xlsx"),
                               QStringLiteral("--salvar-lista"), caminho("saida.txt"), script});
  EXPECT_EQ(e.codigo, 0) << e.erros.join(u'\n').toStdString();
  const QString saida = e.saida.join(u'\n');
  EXPECT_TRUE(saida.contains(QStringLiteral("Apenas a primeira planilha será importada"))) << saida.toStdString();
  EXPECT_TRUE(saida.contains(QStringLiteral("Ana 11"))) << saida.toStdString();
  QString lista;
  ASSERT_TRUE(lerArquivoTexto(caminho("saida.txt"), lista));
  EXPECT_EQ(lista, QStringLiteral("nome;fone\r\nAna;11\r\nBia;22\r\n"));
}

TEST_F(MivoRunPlanilha, PlanilhaIlegivelEhErroDeUso) {
  escrever("falsa.xlsx", "nome;fone\r\nAna;11\r\n");
  const QString script = escrever("s.mivo", "&MsgExibir(\"oi\").\r\n");
  const Execucao e = executar({QStringLiteral("--lista"), caminho("falsa.xlsx"), script});
  EXPECT_EQ(e.codigo, 2);
  ASSERT_FALSE(e.erros.isEmpty());
  EXPECT_TRUE(e.erros.first().startsWith(QStringLiteral("mivo-run: não foi possível importar a planilha")))
      << e.erros.first().toStdString();
  EXPECT_TRUE(e.saida.isEmpty());
}

TEST_F(MivoRunPlanilha, VerificarConheceAsColunasDaPlanilha) {
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "fone"}, {"Ana", "11"}}));
  ASSERT_TRUE(x.gravar(caminho("c.xlsx")));
  const QString script = escrever("s.mivo", "&MsgExibir(\"{nome} {fone} {email}\").\r\n");
  const Execucao e = executar({QStringLiteral("--verificar"), QStringLiteral("--lista"), caminho("c.xlsx"), script});
  EXPECT_EQ(e.codigo, 4);
  const QString saida = e.saida.join(u'\n');
  EXPECT_TRUE(saida.contains(QStringLiteral("{email}"))) << saida.toStdString();
  EXPECT_FALSE(saida.contains(QStringLiteral("{nome}"))) << saida.toStdString();
  EXPECT_FALSE(saida.contains(QStringLiteral("{fone}"))) << saida.toStdString();
}

}  // namespace

// A script opening a spreadsheet itself (&LaAbrir, and the pre-load
// section's list) goes through the same importer; a file that is not one
// stops the run with the reason, and the table stays as it was.
TEST_F(MivoRunPlanilha, ScriptAbrePlanilhaPeloImportador) {
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "fone"}, {QStringLiteral("Zé"), "33"}}));
  ASSERT_TRUE(x.gravar(caminho("lista.xlsx")));
  escrever("falsa.xlsx", "nome;fone\r\nAna;11\r\n");
  struct Caso {
    QByteArray script;
    int codigo;
    QString esperado;
  };
  const Caso casos[] = {
      {"&SeResultado(FALHA;&MsgExibir(\"falhou\")).\r\n&LaAbrir(\"" + caminho("lista.xlsx").toUtf8() +
           "\").\r\n&MsgExibir(\"{nome} {fone}\").\r\n",
       0, QStringLiteral("Zé 33")},
      {"##pre_carregar\r\npre_lista=" + caminho("lista.xlsx").toUtf8() +
           "\r\n##pre_carregar_fim\r\n&MsgExibir(\"{nome} {fone}\").\r\n",
       0, QStringLiteral("Zé 33")},
      {"&LaAbrir(\"" + caminho("falsa.xlsx").toUtf8() + "\").\r\n&MsgExibir(\"depois\").\r\n", 1,
       QStringLiteral("não")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.script.toStdString());
    const QString script = escrever("s.mivo", c.script);
    const Execucao e = executar({QStringLiteral("--silencioso"), script});
    EXPECT_EQ(e.codigo, c.codigo) << e.erros.join(u'\n').toStdString();
    const QString tudo = e.saida.join(u'\n') + u'\n' + e.erros.join(u'\n');
    EXPECT_TRUE(tudo.contains(c.esperado)) << tudo.toStdString();
    if (c.codigo != 0) {
      EXPECT_FALSE(tudo.contains(QStringLiteral("Informação: depois"))) << tudo.toStdString();
    }
  }
}
