#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "impressaoQt.h"
#include "unApoioDialogos.h"
#include "unFrmSplash.h"

using namespace mivo;

TEST(FrmSplash, AparecePorCimaSemBordaEComAVersao) {
  QPointer<TfrmSplash> splash = TfrmSplash::exibir();
  ASSERT_TRUE(splash);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(splash->size(), QSize(600, 450));
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("lbVersao"))->text(),
            QStringLiteral("Versão 1 - Build 1621 - novembro - 2020"));
  EXPECT_TRUE(splash->findChild<QLabel*>(QStringLiteral("lbEstatisticas"))->text().isEmpty());
  EXPECT_TRUE(splash->findChild<QPushButton*>(QStringLiteral("btnFechar"))->isHidden());
  EXPECT_FALSE(splash->fechamentoIniciado());  // nothing closes it unless asked
  delete splash;
}

TEST(FrmSplash, FechaELiberaComEscCliqueOuTemporizador) {
  enum class Como { Esc, Clique, Temporizador };
  for (const Como como : {Como::Esc, Como::Clique, Como::Temporizador}) {
    SCOPED_TRACE(static_cast<int>(como));
    QPointer<TfrmSplash> splash = TfrmSplash::exibir();
    switch (como) {
      case Como::Esc: teste::tecla(splash, Qt::Key_Escape); break;
      case Como::Clique: QTest::mouseClick(splash, Qt::LeftButton); break;
      case Como::Temporizador: splash->iniciarFechamento(20); break;
    }
    // Closing frees it (deferred, once the event loop runs).
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
  }
}
