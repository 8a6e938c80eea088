#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unDialogos.h"
#include "unFrmGetValue.h"

using namespace mivo;

TEST(FrmGetValue, DevolveOTextoDigitadoOuVazioAoCancelar) {
  enum class Fim { Ok, Cancelar, Esc, Fechar };
  const struct {
    const char* inicial;
    const char* digitado;
    Fim fim;
    const char* valor;
    bool confirmado;
  } casos[] = {
      {"", "João\nda Conceição", Fim::Ok, "João\r\nda Conceição", true},  // no break added at the end
      {"Maria", "", Fim::Ok, "Maria", true},                                // the initial text as it was
      {"linha 1\r\nlinha 2", "", Fim::Ok, "linha 1\r\nlinha 2", true},
      {"", "", Fim::Ok, "", true},  // an empty entry, told apart from a cancel by `confirmado`
      {"Maria", "x", Fim::Cancelar, "", false},
      {"Maria", "x", Fim::Esc, "", false},
      {"Maria", "x", Fim::Fechar, "", false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.digitado);
    QString titulo, inicial;
    teste::CLEsperaModal<TfrmGetValue> espera([&](TfrmGetValue& j) {
      titulo = j.findChild<QLabel*>(QStringLiteral("lbtitle"))->text();
      auto* memo = j.findChild<QPlainTextEdit*>(QStringLiteral("mmoValor"));
      inicial = memo->toPlainText();
      teste::digitar(memo, QString::fromUtf8(c.digitado));
      switch (c.fim) {
        case Fim::Ok: QTest::mouseClick(j.findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton); break;
        case Fim::Cancelar:
          QTest::mouseClick(j.findChild<QPushButton*>(QStringLiteral("btnCancelar")), Qt::LeftButton);
          break;
        case Fim::Esc: teste::tecla(&j, Qt::Key_Escape); break;
        case Fim::Fechar: j.close(); break;
      }
    });
    bool confirmado = !c.confirmado;
    EXPECT_EQ(dialogos::pedirValor(QStringLiteral("Nome da variável:"), QString::fromUtf8(c.inicial), &confirmado),
              QString::fromUtf8(c.valor));
    EXPECT_EQ(confirmado, c.confirmado);
    EXPECT_EQ(titulo, QStringLiteral("Nome da variável:"));
    EXPECT_EQ(inicial, quebrasQt(QString::fromUtf8(c.inicial)));
  }
}

TEST(FrmGetValue, LegendaEBotoes) {
  TfrmGetValue janela;
  EXPECT_EQ(janela.windowTitle(), QStringLiteral("Entrada de valor"));
  EXPECT_EQ(janela.findChild<QPushButton*>(QStringLiteral("btnOk"))->text(), QStringLiteral("&Ok"));
  EXPECT_EQ(janela.findChild<QPushButton*>(QStringLiteral("btnCancelar"))->text(), QStringLiteral("&Cancelar"));
  EXPECT_EQ(janela.size(), QSize(707, 231));
}
