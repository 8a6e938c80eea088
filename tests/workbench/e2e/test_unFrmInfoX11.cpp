// The mouse and colour inspector on a real X desktop (Xvfb with openbox), in
// this process on Qt's xcb platform with the X11 desktop: its instruction
// shows whole in the fonts of the system, and F4 pressed by the user
// (XTest) over another program's window freezes the pointer, the colour
// under it and that window's title. Screenshots go to capturas/ in the
// build folder.

#include "unJanelaX11Teste.h"  // first: Xlib's macros would break GoogleTest

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "unFrmInfo.h"
#include "unTecladoXTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

class InspetorX11 : public JanelaX11 {};

TEST_F(InspetorX11, InstrucaoInteiraEF4GuardaPontoCorEJanela) {
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Conversa - Alvo";
  opcoes.x = 900, opcoes.y = 100, opcoes.largura = 300, opcoes.altura = 300;
  opcoes.cor = "2080ff";
  auto alvo = abrirAlvo(opcoes);
  ASSERT_FALSE(HasFailure());
  criarAplicacao();
  CLTecladoXTeste teclado;
  ASSERT_TRUE(teclado.abrir(tela));

  QPointer<TfrmInfo> janela = new TfrmInfo(*desktop);
  janela->show();
  ASSERT_TRUE(aguardarFirme([&] { return exposta(janela) && extensoes(janela).topo > 0; }));
  auto* instrucao = janela->findChild<QLabel*>(QStringLiteral("lbInstrucao"));
  ASSERT_NE(instrucao, nullptr);
  EXPECT_GE(instrucao->height(), instrucao->heightForWidth(instrucao->width()));
  EXPECT_GE(instrucao->heightForWidth(instrucao->width()), 2 * instrucao->fontMetrics().lineSpacing());
  // On the screen whole, title bar included.
  const RetanguloJanela fora = molduraFirme(janela);
  const TamanhoTela tamanho = desktop->telaTamanho();
  EXPECT_TRUE(fora.x >= 0 && fora.y >= 0 && fora.x + fora.largura <= tamanho.largura &&
              fora.y + fora.altura <= tamanho.altura);

  // The user points into the other program's window and presses F4.
  ASSERT_TRUE(desktop->janelaAtivar(JanelaId{alvo->janela()}));
  desktop->cursorPosicionar({1000, 200});
  auto campo = [&](const char* nome) { return janela->findChild<QLineEdit*>(QString::fromLatin1(nome)); };
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return campo("edtMabs")->text() == QStringLiteral("1000;200") &&
               campo("edtJanelaAtiva")->text() == QStringLiteral("Conversa - Alvo");
      },
      20000))
      << campo("edtMabs")->text().toStdString() << " " << campo("edtJanelaAtiva")->text().toStdString();
  QTest::qWait(300);  // the repaint reaches the server
  capturar(QStringLiteral("inspetor-1-ao-vivo"));
  ASSERT_TRUE(teclado.pressionar("F4"));
  const bool guardou = QTest::qWaitFor([&] { return !campo("edtMouseAbs")->text().isEmpty(); }, 20000);
  EXPECT_TRUE(teclado.soltar("F4"));
  ASSERT_TRUE(guardou) << "o F4 não guardou os valores";
  EXPECT_EQ(campo("edtMouseAbs")->text(), QStringLiteral("1000;200"));
  EXPECT_EQ(campo("edtMouseNormal")->text(), QStringLiteral("-280;200"));
  EXPECT_EQ(campo("edtRgb2")->text(), QStringLiteral("rgb[32,128,255]"));
  EXPECT_EQ(campo("edtWeb2")->text(), QStringLiteral("#2080FF"));
  EXPECT_EQ(campo("edtJanelaAtiva2")->text(), QStringLiteral("Conversa - Alvo"));
  QTest::qWait(300);  // the last repaint reaches the server
  capturar(QStringLiteral("inspetor-2-depois-do-F4"));
  janela->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return janela.isNull(); }, 5000));
}

}  // namespace
