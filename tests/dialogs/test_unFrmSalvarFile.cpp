#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unFrmMsg.h"
#include "unFrmSalvarFile.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

QPushButton* botao(QWidget& j, const char* nome) { return j.findChild<QPushButton*>(QLatin1String(nome)); }
QLineEdit* edtNome(QWidget& j) { return j.findChild<QLineEdit*>(QStringLiteral("edtNome")); }

QByteArray conteudo(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<sem arquivo>");
}

void salvarTexto(TfrmSalvarFile& janela, const QString& nome) {
  edtNome(janela)->selectAll();
  teste::digitar(edtNome(janela), nome);
}

}  // namespace

TEST(FrmSalvarFile, NomeSimplesVaiParaAPastaPadraoComAExtensao) {
  teste::CLPastaBaseTeste base;
  TfrmSalvarFile janela;
  QString titulo, rotulo, proposto;
  teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
    titulo = j.findChild<QLabel*>(QStringLiteral("lbTitle"))->text();
    rotulo = j.findChild<QLabel*>(QStringLiteral("lbNome"))->text();
    proposto = edtNome(j)->text();
    salvarTexto(j, QStringLiteral("Promoção"));
    teste::tecla(edtNome(j), Qt::Key_Return, QStringLiteral("\r"));  // Enter is "&Ok"
  });
  const QString gravado = janela.salvarArquivo(QStringLiteral("Salvar texto auxiliar"), QStringLiteral(".txt"),
                                               QStringLiteral("dados\\textos\\"), QStringLiteral("Olá\nmundo"),
                                               QStringLiteral("antigo"));
  EXPECT_EQ(janela.windowTitle(), QStringLiteral("Salvar..."));
  EXPECT_EQ(titulo, QStringLiteral("Salvar texto auxiliar"));
  EXPECT_EQ(rotulo, QStringLiteral("Salvar na pasta padrão com o nome:"));
  EXPECT_EQ(proposto, QStringLiteral("antigo"));
  EXPECT_EQ(gravado, base.filePath(QStringLiteral("dados/textos/Promoção.txt")));
  EXPECT_EQ(conteudo(gravado), QByteArray("Ol\xE1\r\nmundo\r\n"));
  // The window keeps the name and the text until the next call.
  EXPECT_EQ(janela.nome(), QStringLiteral("Promoção"));
  EXPECT_EQ(janela.dados(), QStringLiteral("Olá\nmundo"));
}

// A fresh installation has no "dados/scripts" yet: the first save of a
// script makes it instead of failing. Another folder that does not exist is
// not made: the user is told.
TEST(FrmSalvarFile, PastaPadraoQueFaltaECriada) {
  teste::CLPastaBaseTeste base;
  QDir(base.filePath(QStringLiteral("dados"))).removeRecursively();
  const struct {
    QString nome;
    QString gravado;  // empty: nothing written
  } casos[] = {
      {QStringLiteral("primeiro"), base.filePath(QStringLiteral("dados/scripts/primeiro.mivo"))},
      {base.filePath(QStringLiteral("nao/existe/outro.mivo")), QString()},
  };
  for (const auto& c : casos) {
    TfrmSalvarFile janela;
    QString erro;
    teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
      salvarTexto(j, c.nome);
      QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton);
    });
    teste::CLEsperaModal<TfrmMsg> aviso([&](TfrmMsg& j) {
      erro = j.findChild<QLabel*>(QStringLiteral("lbMsg"))->text();
      j.reject();
    });
    const QString gravado = janela.salvarArquivo(QStringLiteral("Salvar Mivo Script..."), QStringLiteral(".mivo"),
                                                 QStringLiteral("dados\\scripts"), QStringLiteral("&TeclarEnter()."),
                                                 QString());
    EXPECT_EQ(QDir::fromNativeSeparators(gravado), c.gravado) << c.nome.toStdString();
    if (c.gravado.isEmpty()) {
      EXPECT_FALSE(erro.isEmpty());
      EXPECT_FALSE(QFileInfo::exists(base.filePath(QStringLiteral("nao"))));
    } else {
      EXPECT_EQ(conteudo(c.gravado), QByteArray("&TeclarEnter().\r\n"));
    }
  }
}

TEST(FrmSalvarFile, CancelarNaoGrava) {
  teste::CLPastaBaseTeste base;
  for (const bool esc : {false, true}) {
    TfrmSalvarFile janela;
    teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
      if (esc)
        teste::tecla(&j, Qt::Key_Escape);
      else
        QTest::mouseClick(botao(j, "btnCancelar"), Qt::LeftButton);
    });
    EXPECT_EQ(janela.salvarArquivo(QStringLiteral("Salvar lista de dados"), QStringLiteral(".txt"),
                                   QStringLiteral("dados\\listas\\"), QStringLiteral("a;b"), QStringLiteral("lista")),
              QString());
    EXPECT_TRUE(espera.atendida());
    EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("dados/listas/lista.txt"))));
  }
}

TEST(FrmSalvarFile, ArquivoExistenteSoESobrepostoComSim) {
  teste::CLPastaBaseTeste base;
  const QString caminho = base.filePath(QStringLiteral("dados/listas/lista.txt"));
  for (const bool sim : {false, true}) {
    ASSERT_TRUE(gravarArquivo(caminho, "velho\r\n"));
    TfrmSalvarFile janela;
    QString pergunta;
    teste::CLEsperaModal<TfrmSalvarFile> espera(
        [&](TfrmSalvarFile& j) { QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton); });
    teste::CLEsperaModal<TfrmMsg> resposta([&](TfrmMsg& j) {
      pergunta = j.findChild<QLabel*>(QStringLiteral("lbMsg"))->text();
      QTest::mouseClick(botao(j, sim ? "btnOk" : "btnCancelar"), Qt::LeftButton);
    });
    const QString gravado = janela.salvarArquivo(QStringLiteral("Salvar lista de dados"), QStringLiteral(".txt"),
                                                 QStringLiteral("dados\\listas\\"), QStringLiteral("novo"),
                                                 QStringLiteral("lista"));
    EXPECT_EQ(pergunta, QStringLiteral("Esse arquivo já existe. Deseja sobrepor?"));
    EXPECT_EQ(gravado, sim ? caminho : QString());
    EXPECT_EQ(conteudo(caminho), sim ? QByteArray("novo\r\n") : QByteArray("velho\r\n"));
  }
}

TEST(FrmSalvarFile, OutroLocalUsaODialogoPadrao) {
  teste::CLPastaBaseTeste base;
  QTemporaryDir outra;
  const QString escolhido = outra.filePath(QStringLiteral("meu script.mivo"));
  TfrmSalvarFile janela;
  QStringList pedidos;
  int chamadas = 0;
  janela.setEscolherArquivo([&](QWidget*, const QString& pasta, const QString& filtro, const QString& sufixo) {
    pedidos = {pasta, filtro, sufixo};
    // The first time the user gives up and stays in the window.
    return ++chamadas == 1 ? QString() : escolhido;
  });
  bool abertaAposDesistir = false;
  teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
    QTest::mouseClick(botao(j, "btnOutroLocal"), Qt::LeftButton);
    abertaAposDesistir = j.isVisible();
    QTest::mouseClick(botao(j, "btnOutroLocal"), Qt::LeftButton);
  });
  const QString gravado = janela.salvarArquivo(QStringLiteral("Salvar Mivo Script..."), QStringLiteral(".mivo"),
                                               QStringLiteral("dados\\scripts"), QStringLiteral("&TeclarEnter()."),
                                               QStringLiteral("novo"));
  EXPECT_EQ(botao(janela, "btnOutroLocal")->text(), QStringLiteral("Prefiro salvar em outro local..."));
  EXPECT_TRUE(abertaAposDesistir);
  // It opens in the default folder with the name typed so far.
  EXPECT_EQ(pedidos, (QStringList{base.filePath(QStringLiteral("dados/scripts/novo")), QStringLiteral("*.mivo (*.mivo)"),
                                  QStringLiteral("mivo")}));
  EXPECT_EQ(QDir::fromNativeSeparators(gravado), escolhido);
  EXPECT_EQ(conteudo(escolhido), QByteArray("&TeclarEnter().\r\n"));
}

TEST(FrmSalvarFile, NomeEmBrancoNaoConfirma) {
  teste::CLPastaBaseTeste base;
  TfrmSalvarFile janela;
  bool habilitado = true, abertaAposEnter = false;
  teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
    edtNome(j)->clear();
    teste::digitar(edtNome(j), QStringLiteral("   "));
    habilitado = botao(j, "btnOk")->isEnabled();
    teste::tecla(edtNome(j), Qt::Key_Return, QStringLiteral("\r"));
    abertaAposEnter = j.isVisible();
    teste::tecla(&j, Qt::Key_Escape);
  });
  EXPECT_EQ(janela.salvarArquivo(QStringLiteral("Salvar"), QStringLiteral(".txt"), QStringLiteral("dados\\textos"),
                                 QStringLiteral("x"), QStringLiteral("nome")),
            QString());
  EXPECT_FALSE(habilitado);
  EXPECT_TRUE(abertaAposEnter);
  EXPECT_TRUE(QDir(base.filePath(QStringLiteral("dados/textos"))).isEmpty());
}

TEST(FrmSalvarFile, FalhaAoGravarEhMostradaENadaEhDevolvido) {
  teste::CLPastaBaseTeste base;
  // Where the folder should be stands a file: nothing can be written there.
  ASSERT_TRUE(gravarArquivo(base.filePath(QStringLiteral("dados/pasta_que_falta")), "x"));
  TfrmSalvarFile janela;
  QString erro;
  teste::CLEsperaModal<TfrmSalvarFile> espera(
      [&](TfrmSalvarFile& j) { QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton); });
  teste::CLEsperaModal<TfrmMsg> aviso([&](TfrmMsg& j) {
    erro = j.windowTitle() + u'|' + j.findChild<QLabel*>(QStringLiteral("lbMsg"))->text();
    j.reject();
  });
  EXPECT_EQ(janela.salvarArquivo(QStringLiteral("Salvar"), QStringLiteral(".txt"),
                                 QStringLiteral("dados\\pasta_que_falta"), QStringLiteral("x"), QStringLiteral("nome")),
            QString());
  EXPECT_TRUE(erro.startsWith(QStringLiteral("Erro|Não foi possível gravar o arquivo"))) << erro.toStdString();
}

TEST(FrmSalvarFile, TextoAuxiliarEmUtf8) {
  teste::CLPastaBaseTeste base;
  TfrmSalvarFile janela;
  teste::CLEsperaModal<TfrmSalvarFile> espera(
      [&](TfrmSalvarFile& j) { QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton); });
  const QString gravado =
      janela.salvarArquivo(QStringLiteral("Salvar texto auxiliar"), QStringLiteral(".txt"),
                           QStringLiteral("dados\\textos\\"), QStringLiteral("ação"), QStringLiteral("auxiliar"),
                           CodificacaoArquivo::Utf8ComBom);
  EXPECT_EQ(conteudo(gravado), QByteArray("\xEF\xBB\xBF" "a\xC3\xA7\xC3\xA3o\r\n"));
}
