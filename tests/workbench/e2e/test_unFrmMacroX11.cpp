// The recorder's window on a real X desktop (Xvfb with openbox), in this
// process on Qt's xcb platform with the X11 desktop: where it opens, and
// "Minimizar ao gravar" with "Iniciar gravação" clicked and F10 pressed by
// the user (XTest): the small bar at the top while recording, then the
// window back as it was, frame, title bar and place. Screenshots of each
// state go to capturas/ in the build folder.

#include "unJanelaX11Teste.h"  // first: Xlib's macros would break GoogleTest

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <ostream>

#include "unFrmMacro.h"
#include "unTecladoXTeste.h"

namespace mivo {
// For the failure messages.
inline std::ostream& operator<<(std::ostream& s, const RetanguloJanela& r) {
  return s << r.x << "," << r.y << " " << r.largura << "x" << r.altura;
}
}  // namespace mivo

using namespace mivo;
using namespace mivo::teste;

namespace {

class GravadorJanelaX11 : public JanelaX11 {
 protected:
  void SetUp() override {
    JanelaX11::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    criarAplicacao();
  }
  void TearDown() override {
    // Freed as a user closes it.
    if (gJanela) gJanela->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gJanela.isNull(); }, 5000));
    JanelaX11::TearDown();
  }

  // A recorder as the workbench makes one ("Gravador de ações"), shown and
  // settled in its frame.
  TfrmMacro* abrir() {
    gJanela = new TfrmMacro(*desktop);
    gJanela->show();
    EXPECT_TRUE(aguardarFirme([&] { return exposta(gJanela) && extensoes(gJanela).topo > 0; }))
        << "o gravador não apareceu com moldura";
    return gJanela;
  }

  QPointer<TfrmMacro> gJanela;
};

// Over a window that fills the screen, as the workbench often does, the
// window manager finds no free place of its own: the recorder must still
// open in the middle of the screen.
TEST_F(GravadorJanelaX11, AbreNoMeioDaTela) {
  const TamanhoTela tela = desktop->telaTamanho();
  CLAlvoTeste::Opcoes grande;
  grande.titulo = "Mivo - envio";
  grande.x = 0, grande.y = 0, grande.largura = tela.largura, grande.altura = tela.altura;
  grande.cor = "d0d0d0";
  auto fundo = abrirAlvo(grande);
  ASSERT_FALSE(HasFailure());
  TfrmMacro* janela = abrir();
  ASSERT_FALSE(HasFailure());
  const RetanguloJanela fora = molduraFirme(janela);
  capturar(QStringLiteral("gravador-1-aberto"));
  // Frame included, centred within a few pixels (its frame is only known
  // once the window manager has put it on).
  EXPECT_LE(std::abs(fora.x + fora.largura / 2 - tela.largura / 2), 20) << fora;
  EXPECT_LE(std::abs(fora.y + fora.altura / 2 - tela.altura / 2), 20) << fora;
}

TEST_F(GravadorJanelaX11, MinimizarAoGravarEF10VoltaComoEstava) {
  CLTecladoXTeste teclado;
  ASSERT_TRUE(teclado.abrir(tela));
  TfrmMacro* janela = abrir();
  ASSERT_FALSE(HasFailure());
  // The user put it somewhere of their own.
  const RetanguloJanela aberta = molduraFirme(janela);
  ASSERT_TRUE(desktop->janelaMover(idJanela(janela), {130, 90, aberta.largura, aberta.altura}));
  const RetanguloJanela antes = molduraFirme(janela);
  ASSERT_EQ(antes, (RetanguloJanela{130, 90, aberta.largura, aberta.altura}));
  const Extensoes molduraAntes = extensoes(janela);
  ASSERT_GT(molduraAntes.topo, 0);  // a title bar
  const QSize clienteAntes = janela->size();

  auto* minimizar = janela->findChild<QCheckBox*>(QStringLiteral("togMinimizar"));
  auto* iniciar = janela->findChild<QPushButton*>(QStringLiteral("btnIniciar"));
  ASSERT_TRUE(minimizar && iniciar);
  clicar(minimizar);
  ASSERT_TRUE(QTest::qWaitFor([&] { return minimizar->isChecked(); }, 20000));
  clicar(iniciar);
  ASSERT_TRUE(aguardarFirme([&] { return janela->gravando() && exposta(janela) && janela->height() == 53; }));
  // The bar: at the top of the screen, whole (its title bar too), centred.
  const RetanguloJanela barra = molduraFirme(janela);
  capturar(QStringLiteral("gravador-2-barra"));
  EXPECT_EQ(barra.y, 0) << barra;
  EXPECT_LE(std::abs(barra.x + barra.largura / 2 - desktop->telaTamanho().largura / 2), 20) << barra;
  EXPECT_TRUE(janela->windowFlags() & Qt::WindowStaysOnTopHint);

  ASSERT_TRUE(teclado.pressionar("F10"));
  const bool parou = QTest::qWaitFor([&] { return !janela->gravando(); }, 20000);
  EXPECT_TRUE(teclado.soltar("F10"));
  ASSERT_TRUE(parou) << "o F10 não parou a gravação";
  // Back as it was: framed with its title bar, where the user had put it,
  // its size.
  const bool voltou = aguardarFirme([&] { return exposta(janela) && moldura(janela) == antes; });
  capturar(QStringLiteral("gravador-3-depois-do-F10"));
  EXPECT_TRUE(voltou) << "antes " << antes << ", depois " << moldura(janela);
  const Extensoes depois = extensoes(janela);
  EXPECT_EQ(depois.topo, molduraAntes.topo);
  EXPECT_EQ(depois.esquerda, molduraAntes.esquerda);
  EXPECT_EQ(janela->size(), clienteAntes);
  EXPECT_FALSE(janela->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(iniciar->isVisible() && iniciar->isEnabled());
}

}  // namespace
