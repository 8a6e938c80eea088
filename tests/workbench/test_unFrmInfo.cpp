#include "unFrmInfo.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "unCLDesktopSimulado.h"

namespace mivo {
namespace {

TEST(FormasDoPonto, NumaTelaDe1920Por1080) {
  const TamanhoTela tela{1920, 1080};
  struct Caso {
    PontoTela p;
    const char *quadrante, *centro;
  };
  const Caso casos[] = {
      {{1500, 100}, "-420;100", "540;-440"},  {{960, 540}, "960;540", "0;0"},
      {{0, 0}, "0;0", "-960;-540"},           {{1919, 0}, "-1;0", "959;-540"},
      {{0, 1079}, "0;-1", "-960;539"},        {{1919, 1079}, "-1;-1", "959;539"},
      {{961, 541}, "-959;-539", "1;1"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(formaAbsoluta(c.p), QStringLiteral("%1;%2").arg(c.p.x).arg(c.p.y));
    EXPECT_EQ(formaQuadrante(c.p, tela), QString::fromLatin1(c.quadrante)) << c.p.x << "," << c.p.y;
    EXPECT_EQ(formaCentro(c.p, tela), QString::fromLatin1(c.centro)) << c.p.x << "," << c.p.y;
  }
}

TEST(FormasDoPonto, Cores) {
  EXPECT_EQ(textoCorRgb(corRgb(255, 128, 0)), QStringLiteral("rgb[255,128,0]"));
  EXPECT_EQ(TColorToHex(corRgb(255, 128, 0)), QStringLiteral("#FF8000"));
  EXPECT_EQ(TColorToHex(corRgb(1, 2, 171)), QStringLiteral("#0102AB"));
  EXPECT_EQ(textoCorRgb(kCorInvalida), QString());
}

// The live values every 200 ms, F4 freezing them, a click copying one.
TEST(Inspetor, ValoresAoVivoF4ECopia) {
  CLDesktopSimulado desktop;
  desktop.setTelaTamanho({1920, 1080});
  desktop.setCorFundo(corRgb(255, 128, 0));
  desktop.setCursor({1500, 100});
  TfrmInfo janela(desktop);
  QStringList copiados;
  janela.setCopiar([&](const QString& t) { copiados << t; });
  auto campo = [&](const char* nome) { return janela.findChild<QLineEdit*>(QString::fromLatin1(nome)); };
  janela.tmGetPointTimer();
  EXPECT_EQ(campo("edtMabs")->text(), QStringLiteral("1500;100"));
  EXPECT_EQ(campo("edtMNormal")->text(), QStringLiteral("-420;100"));
  EXPECT_EQ(campo("edtMCentro")->text(), QStringLiteral("540;-440"));
  EXPECT_EQ(campo("edtRgb")->text(), QStringLiteral("rgb[255,128,0]"));
  EXPECT_EQ(campo("edtWeb")->text(), QStringLiteral("#FF8000"));
  EXPECT_EQ(campo("edtJanelaAtiva")->text(), QString());  // no foreground window
  // Not frozen until F4.
  janela.tmKeyTimer();
  EXPECT_EQ(campo("edtMouseAbs")->text(), QString());
  desktop.setTeclaEstado(tecla::kF4, true, false);
  janela.tmKeyTimer();
  desktop.setTeclaEstado(tecla::kF4, false, false);
  EXPECT_EQ(campo("edtMouseAbs")->text(), QStringLiteral("1500;100"));
  EXPECT_EQ(campo("edtRgb2")->text(), QStringLiteral("rgb[255,128,0]"));
  // The pointer moves on; the frozen values stay.
  desktop.setCursor({10, 10});
  janela.tmGetPointTimer();
  EXPECT_EQ(campo("edtMabs")->text(), QStringLiteral("10;10"));
  EXPECT_EQ(campo("edtMouseAbs")->text(), QStringLiteral("1500;100"));
  // The active window's title, its trailing blanks removed.
  JanelaSimulada conversa;
  conversa.titulo = u"Conversa — Ana   ";
  desktop.setPrimeiroPlano(desktop.adicionarJanela(conversa, true));
  janela.tmGetPointTimer();
  EXPECT_EQ(campo("edtJanelaAtiva")->text(), QStringLiteral("Conversa — Ana"));
  QTest::mouseClick(campo("edtMouseNormal"), Qt::LeftButton);
  QTRY_COMPARE_WITH_TIMEOUT(copiados, QStringList({QStringLiteral("-420;100")}), 5000);
}

// The instruction above the frozen values shows whole: wrapped at the
// window's width into as many lines as it needs, and the window still has
// room for every control at its own height, none over another.
TEST(Inspetor, InstrucaoInteiraEControlesNoLugar) {
  CLDesktopSimulado desktop;
  TfrmInfo janela(desktop);
  janela.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
  auto* instrucao = janela.findChild<QLabel*>(QStringLiteral("lbInstrucao"));
  ASSERT_NE(instrucao, nullptr);
  EXPECT_TRUE(instrucao->text().startsWith(QStringLiteral("Pressione F4 para salvar a posição do mouse e a cor.")));
  EXPECT_EQ(janela.width(), 296);
  EXPECT_GE(janela.height(), 312);
  // More than one line at this width, and all of them shown.
  const int precisa = instrucao->heightForWidth(instrucao->width());
  EXPECT_GE(precisa, 2 * instrucao->fontMetrics().lineSpacing());
  EXPECT_GE(instrucao->height(), precisa);
  QList<QWidget*> controles;
  for (QWidget* w : janela.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible()) controles << w;
  ASSERT_GE(controles.size(), 20);
  for (QWidget* w : controles) {
    const std::string nome = (w->objectName() + QLatin1Char(' ') + w->metaObject()->className()).toStdString();
    EXPECT_TRUE(janela.rect().contains(w->geometry())) << nome;
    EXPECT_GE(w->height(), w->minimumSizeHint().height()) << nome;
    for (QWidget* outro : controles)
      EXPECT_TRUE(w == outro || !w->geometry().intersects(outro->geometry())) << nome;
  }
}

TEST(Passo, MostraEAfastaEnquantoOPonteiroEstaNoTopo) {
  CLDesktopSimulado desktop;
  int encerrados = 0;
  TfrmStep passo(&desktop, [&] { ++encerrados; });
  EXPECT_FALSE(passo.isVisible());
  passo.showStep(QStringLiteral("Enviando para Ana"));
  EXPECT_TRUE(passo.isVisible());
  EXPECT_EQ(passo.comentario(), QStringLiteral("Enviando para Ana"));
  EXPECT_EQ(passo.windowTitle(), QStringLiteral("Comentário do script"));
  // The pointer over it: it steps aside until the pointer goes down to 24.
  desktop.setCursor({300, 10});
  passo.pnComentarioMouseMove();
  EXPECT_FALSE(passo.isVisible());
  passo.tmCheckTimer();
  EXPECT_FALSE(passo.isVisible());
  passo.showStep(QStringLiteral("Próximo"));  // still aside
  EXPECT_FALSE(passo.isVisible());
  desktop.setCursor({300, 24});
  passo.tmCheckTimer();
  EXPECT_TRUE(passo.isVisible());
  EXPECT_FALSE(passo.afastada());
  EXPECT_EQ(passo.height(), 22);
  EXPECT_EQ(passo.comentario(), QStringLiteral("Próximo"));
  passo.Panel1Click();
  EXPECT_EQ(encerrados, 1);
}

}  // namespace
}  // namespace mivo
