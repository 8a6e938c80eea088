#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unFrmMsg.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

QPushButton* botao(QWidget& janela, const char* nome) { return janela.findChild<QPushButton*>(QLatin1String(nome)); }

}  // namespace

TEST(FrmMsg, CadaTipoMostraLegendaImagemEBotoes) {
  const struct {
    int tipo;
    const char* legenda;
    const char* primeiro;
    bool segundo;
  } casos[] = {{1, "Informação", "Ok", false}, {2, "Erro", "Ok", false},  {3, "Aviso", "Ok", false},
               {4, "Pergunta", "&Sim", true},  {5, "Dica", "Ok", false},  {6, "Ajuda", "Ok", false}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.tipo);
    TfrmMsg janela;
    janela.exibirMensagem(QStringLiteral("texto"), c.tipo);
    EXPECT_EQ(janela.windowTitle(), QString::fromUtf8(c.legenda));
    EXPECT_EQ(botao(janela, "btnOk")->text(), QString::fromUtf8(c.primeiro));
    EXPECT_EQ(!botao(janela, "btnCancelar")->isHidden(), c.segundo);
    if (c.segundo) {
      EXPECT_EQ(botao(janela, "btnCancelar")->text(), QStringLiteral("&Não"));
    }
    EXPECT_FALSE(janela.findChild<QLabel*>(QStringLiteral("imgTipo"))->pixmap().isNull());
    EXPECT_TRUE(janela.findChild<QCheckBox*>(QStringLiteral("ckbHide"))->isHidden());
  }
}

TEST(FrmMsg, TipoForaDaTabelaMantemLegendaEImagem) {
  TfrmMsg janela;
  janela.exibirMensagem(QStringLiteral("primeira"), 2);
  janela.exibirMensagem(QStringLiteral("segunda"), 9);
  EXPECT_EQ(janela.windowTitle(), QStringLiteral("Erro"));
  EXPECT_EQ(janela.tipo(), 2);
  EXPECT_EQ(janela.findChild<QLabel*>(QStringLiteral("lbMsg"))->text(), QStringLiteral("segunda"));
}

TEST(FrmMsg, TextoMostradoComoTextoSimplesComQuebras) {
  TfrmMsg janela;
  janela.exibirMensagem(QStringLiteral("Linha 1\\nLinha <b>2</b>"), 1);
  const QLabel* lb = janela.findChild<QLabel*>(QStringLiteral("lbMsg"));
  EXPECT_EQ(lb->text(), QStringLiteral("Linha 1\nLinha <b>2</b>"));
  EXPECT_EQ(lb->textFormat(), Qt::PlainText);  // a message is never read as HTML
}

TEST(FrmMsg, ResultadosModais) {
  enum class Acao { Primeiro, Segundo, Esc, Enter, EnterDepoisEsc, Fechar };
  const struct {
    int tipo;
    Acao acao;
    int resultado;
  } casos[] = {
      {1, Acao::Primeiro, 6}, {4, Acao::Primeiro, 6}, {4, Acao::Segundo, 7},
      {4, Acao::Esc, 2},      {1, Acao::Esc, 2},      {1, Acao::Enter, 1},
      {5, Acao::Enter, 1},    {4, Acao::EnterDepoisEsc, 2},  // Enter does nothing in a question
      {4, Acao::Fechar, 2},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(testing::Message() << "tipo " << c.tipo << " ação " << static_cast<int>(c.acao));
    TfrmMsg janela;
    janela.exibirMensagem(QStringLiteral("Continuar?"), c.tipo);
    bool abertaAposEnter = false;
    teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
      switch (c.acao) {
        case Acao::Primeiro: QTest::mouseClick(botao(j, "btnOk"), Qt::LeftButton); break;
        case Acao::Segundo: QTest::mouseClick(botao(j, "btnCancelar"), Qt::LeftButton); break;
        case Acao::Esc: teste::tecla(&j, Qt::Key_Escape); break;
        case Acao::Enter: teste::tecla(botao(j, "btnOk"), Qt::Key_Return, QStringLiteral("\r")); break;
        case Acao::EnterDepoisEsc:
          teste::tecla(botao(j, "btnOk"), Qt::Key_Return, QStringLiteral("\r"));
          abertaAposEnter = j.isVisible();
          teste::tecla(&j, Qt::Key_Escape);
          break;
        case Acao::Fechar: j.close(); break;
      }
    });
    EXPECT_EQ(janela.exec(), c.resultado);
    EXPECT_TRUE(espera.atendida());
    if (c.acao == Acao::EnterDepoisEsc) {
      EXPECT_TRUE(abertaAposEnter);
    }
  }
}

TEST(FrmMsg, DicaEscondidaNaoEPreparada) {
  teste::CLPastaBaseTeste base;
  ASSERT_TRUE(gravarArquivo(base.filePath(QStringLiteral("tipfile.txt")), "escondida=true\r\nmaiuscula=TRUE\r\n"));
  const struct {
    const char* id;
    bool mostrar;
  } casos[] = {{"escondida", false}, {"ESCONDIDA", false}, {"maiuscula", true}, {"nova", true}};
  for (const auto& c : casos) {
    TfrmMsg janela;
    EXPECT_EQ(janela.showTip(QString::fromUtf8(c.id), QStringLiteral("Uma dica"), 5), c.mostrar) << c.id;
    EXPECT_EQ(!janela.findChild<QCheckBox*>(QStringLiteral("ckbHide"))->isHidden(), c.mostrar) << c.id;
    if (c.mostrar) {
      EXPECT_EQ(janela.windowTitle(), QStringLiteral("Dica"));
      EXPECT_EQ(janela.tipId(), QString::fromUtf8(c.id));
    }
  }
}
