#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unDialogos.h"
#include "unFrmInput.h"

using namespace mivo;

TEST(FrmInput, MostraOsTextosDoChamadorEDevolveOMemoSoPeloBotao) {
  for (const bool pressionarBotao : {true, false}) {
    SCOPED_TRACE(pressionarBotao);
    QString titulo, descricao, legenda, esc, selecionado;
    teste::CLEsperaModal<TfrmInput> espera([&](TfrmInput& j) {
      titulo = j.findChild<QLabel*>(QStringLiteral("lbTitle"))->text();
      descricao = j.findChild<QLabel*>(QStringLiteral("lbDesc"))->text();
      esc = j.findChild<QLabel*>(QStringLiteral("lbEsc"))->text();
      auto* botao = j.findChild<QPushButton*>(QStringLiteral("btnFechar"));
      legenda = botao->text();
      auto* memo = j.findChild<QPlainTextEdit*>(QStringLiteral("mmoInput"));
      // Entering the memo selects all of it: typing replaces the text.
      botao->setFocus();
      memo->setFocus();
      selecionado = memo->textCursor().selectedText();
      teste::digitar(memo, QStringLiteral("nome;email\nJoão;j@x.com"));
      if (pressionarBotao)
        QTest::mouseClick(botao, Qt::LeftButton);
      else
        teste::tecla(&j, Qt::Key_Escape);
    });
    bool confirmado = !pressionarBotao;
    const QString texto =
        dialogos::mostrarEntrada(QStringLiteral("Digite ou cole os dados que quer inserir na lista de dados"),
                                 QStringLiteral("Uma linha por registro"), QStringLiteral("antigo\r\ntexto"),
                                 QStringLiteral("Ok"), &confirmado);
    ASSERT_TRUE(espera.atendida());
    EXPECT_EQ(titulo, QStringLiteral("Digite ou cole os dados que quer inserir na lista de dados"));
    EXPECT_EQ(descricao, QStringLiteral("Uma linha por registro"));
    EXPECT_EQ(esc, QStringLiteral("Pressione ESC para fechar"));
    EXPECT_EQ(legenda, QStringLiteral("Ok"));
    EXPECT_EQ(selecionado, QStringLiteral("antigo\u2029texto"));  // Qt's paragraph separator
    EXPECT_EQ(confirmado, pressionarBotao);
    EXPECT_EQ(texto, pressionarBotao ? QStringLiteral("nome;email\r\nJoão;j@x.com") : QString());
  }
}

TEST(FrmInput, TamanhoFixo) {
  TfrmInput janela;
  EXPECT_EQ(janela.size(), QSize(582, 576));
  EXPECT_EQ(janela.minimumSize(), janela.maximumSize());
}
