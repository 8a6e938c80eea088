#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unArquivoDicas.h"
#include "unDialogos.h"
#include "unFrmMsg.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

QPushButton* botao(QWidget& janela, const char* nome) { return janela.findChild<QPushButton*>(QLatin1String(nome)); }
QString textoDe(QWidget& janela) { return janela.findChild<QLabel*>(QStringLiteral("lbMsg"))->text(); }

QString lerDicas(const teste::CLPastaBaseTeste& base) {
  QString texto;
  lerArquivoTexto(base.filePath(QStringLiteral("tipfile.txt")), texto);
  return texto;
}

}  // namespace

TEST(Dialogos, MensagensMostramTipoETexto) {
  const struct {
    void (*mostrar)(const QString&, QWidget*);
    const char* legenda;
  } casos[] = {{dialogos::mostrarInformacao, "Informação"}, {dialogos::mostrarErro, "Erro"},
               {dialogos::mostrarAviso, "Aviso"}};
  for (const auto& c : casos) {
    QString legenda, texto;
    teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
      legenda = j.windowTitle();
      texto = textoDe(j);
      QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton);
    });
    c.mostrar(QStringLiteral("Arquivo salvo.\\nAté logo"), nullptr);
    EXPECT_EQ(legenda, QString::fromUtf8(c.legenda));
    EXPECT_EQ(texto, QStringLiteral("Arquivo salvo.\nAté logo"));
  }
}

TEST(Dialogos, SoSimEhSim) {
  const struct {
    const char* acao;
    int resultado;
  } casos[] = {{"sim", kResultadoSim}, {"nao", kResultadoNao}, {"esc", kResultadoCancelar}};
  for (const auto& c : casos) {
    for (const bool viaConfirmar : {false, true}) {
      teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
        EXPECT_EQ(j.windowTitle(), QStringLiteral("Pergunta"));
        if (c.acao == std::string_view("sim")) QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton);
        if (c.acao == std::string_view("nao")) QTest::mouseClick(botao(j, "btnCancelar"), Qt::LeftButton);
        if (c.acao == std::string_view("esc")) teste::tecla(&j, Qt::Key_Escape);
      });
      if (viaConfirmar)
        EXPECT_EQ(dialogos::confirmar(QStringLiteral("Deseja continuar?")), c.resultado == kResultadoSim) << c.acao;
      else
        EXPECT_EQ(dialogos::perguntarSimNao(QStringLiteral("Deseja continuar?")), c.resultado) << c.acao;
      EXPECT_TRUE(espera.atendida());
    }
  }
}

TEST(Dialogos, DicaEscondidaNaoAparece) {
  teste::CLPastaBaseTeste base;
  ASSERT_TRUE(gravarArquivo(base.filePath(QStringLiteral("tipfile.txt")), "11219=true\r\noutra=TRUE\r\n"));
  {
    teste::CLEsperaModal<TfrmMsg> espera([](TfrmMsg& j) { j.reject(); }, 300);
    dialogos::mostrarDica(QStringLiteral("11219"), QStringLiteral("Gravação"), 500);
    EXPECT_FALSE(espera.atendida());
  }
  // Only the exact text "true" hides a tip.
  teste::CLEsperaModal<TfrmMsg> espera([](TfrmMsg& j) { j.reject(); });
  dialogos::mostrarDica(QStringLiteral("outra"), QStringLiteral("Gravação"), 250);
  EXPECT_TRUE(espera.atendida());
}

TEST(Dialogos, MarcarNaoExibirGravaNaHoraEDesmarcarVolta) {
  teste::CLPastaBaseTeste base;
  ASSERT_FALSE(QFile::exists(base.filePath(QStringLiteral("tipfile.txt"))));
  QString aposMarcar, aposDesmarcar;
  teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
    auto* ckb = j.findChild<QCheckBox*>(QStringLiteral("ckbHide"));
    EXPECT_TRUE(ckb->isVisible());
    EXPECT_EQ(ckb->text(), QStringLiteral("Não exibir mais essa mensagem"));
    QTest::mouseClick(ckb, Qt::LeftButton);
    aposMarcar = lerDicas(base);
    QTest::mouseClick(ckb, Qt::LeftButton);
    aposDesmarcar = lerDicas(base);
    QTest::mouseClick(ckb, Qt::LeftButton);
    QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton);
  });
  dialogos::mostrarDica(QStringLiteral("Gravador"), QStringLiteral("Uma dica"), 250);
  ASSERT_TRUE(espera.atendida());
  EXPECT_EQ(aposMarcar, QStringLiteral("Gravador=true\r\n"));  // the missing file is created
  EXPECT_EQ(aposDesmarcar, QStringLiteral("Gravador=false\r\n"));
  EXPECT_TRUE(dicas::dicaOculta(dicas::caminhoArquivoDicas(), QStringLiteral("gravador")));
  teste::CLEsperaModal<TfrmMsg> nenhuma([](TfrmMsg& j) { j.reject(); }, 300);
  dialogos::mostrarDica(QStringLiteral("GRAVADOR"), QStringLiteral("Uma dica"), 250);
  EXPECT_FALSE(nenhuma.atendida());
}

TEST(Dialogos, MarcaQueNaoPodeSerGravadaEhDesfeitaEAvisada) {
  teste::CLPastaBaseTeste base;
  // A folder where the tip file should be: it can be neither read nor written.
  ASSERT_TRUE(QDir(base.path()).mkdir(QStringLiteral("tipfile.txt")));
  QString erro;
  bool marcadaDepois = true;
  teste::CLEsperaModal<TfrmMsg> dica([&](TfrmMsg& j) {
    auto* ckb = j.findChild<QCheckBox*>(QStringLiteral("ckbHide"));
    teste::CLEsperaModal<TfrmMsg> aviso([&](TfrmMsg& a) {
      erro = a.windowTitle() + u'|' + textoDe(a);
      a.reject();
    });
    QTest::mouseClick(ckb, Qt::LeftButton);
    EXPECT_TRUE(aviso.atendida());
    marcadaDepois = ckb->isChecked();
    j.reject();
  });
  dialogos::mostrarDica(QStringLiteral("x"), QStringLiteral("Uma dica"), 250);
  ASSERT_TRUE(dica.atendida());
  EXPECT_TRUE(erro.startsWith(QStringLiteral("Erro|Não foi possível gravar"))) << erro.toStdString();
  EXPECT_FALSE(marcadaDepois);
}

TEST(Dialogos, AlturaDaAjudaEDaDica) {
  const int tela = QGuiApplication::primaryScreen()->availableGeometry().height();
  const struct {
    int pedida;
    int esperada;
  } casos[] = {{250, 249}, {500, 500}, {100000, tela}};
  for (const auto& c : casos) {
    for (const bool dica : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.pedida << (dica ? " dica" : " ajuda"));
      teste::CLPastaBaseTeste base;
      QSize tamanho;
      QString legenda;
      teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
        tamanho = j.size();
        legenda = j.windowTitle();
        j.reject();
      });
      if (dica)
        dialogos::mostrarDica(QStringLiteral("altura"), QStringLiteral("Texto longo"), c.pedida);
      else
        dialogos::mostrarAjuda(QStringLiteral("Texto longo"), c.pedida);
      EXPECT_EQ(legenda, dica ? QStringLiteral("Dica") : QStringLiteral("Ajuda"));
      EXPECT_EQ(tamanho, QSize(617, c.esperada));
    }
  }
}
