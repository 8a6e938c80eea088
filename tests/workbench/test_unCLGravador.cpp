#include "unCLGravador.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QTest>

#include "unCLDesktopSimulado.h"
#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unApoioDialogos.h"
#include "unFrmMacro.h"
#include "unFrmMain.h"
#include "unFrmMsg.h"

namespace mivo {
namespace {

// A simulated desktop a test presses keys on, and a clock it moves.
class Gravador : public ::testing::Test {
 protected:
  CLDesktopSimulado desktop;
  qint64 agoraMs = 1'000'000;
  CLGravador gravador{desktop, [this] { return agoraMs; }};
  QStringList script;  // the "Script" column

  void segurar(int tecla, bool baixo) { desktop.setTeclaEstado(tecla, baixo, false); }
  // One polling step; what it wrote goes into the script column.
  CLGravador::Gravado passo() {
    CLGravador::Gravado g = gravador.passo(!script.isEmpty());
    script += g.linhas;
    return g;
  }
  // A press and release of `tecla`, polled as the timer does.
  CLGravador::Gravado toque(int tecla) {
    segurar(tecla, true);
    CLGravador::Gravado g = passo();
    // Held for a while: reported once.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(passo().tecla, 0);
    segurar(tecla, false);
    EXPECT_EQ(passo().tecla, 0);
    return g;
  }
};

TEST_F(Gravador, CliqueDepoisDeSegundosParadoGanhaUmaPausa) {
  // A line the user wrote before recording; the first action of all has no
  // pause before it, not one measured from the clock's zero.
  script << QStringLiteral("// meu envio");
  desktop.setCursor({500, 500});
  EXPECT_EQ(toque(tecla::kBotaoEsquerdo).texto, QStringLiteral("Mouse (ação)"));
  EXPECT_EQ(script, QStringList({"// meu envio", "&MouseNormal(500;500).", "&MouseClicarAcao(500;500)."}));
  agoraMs += 3'400;
  desktop.setCursor({120, 300});
  toque(tecla::kBotaoEsquerdo);
  agoraMs += 900;  // under a second: no pause
  desktop.setCursor({7, 9});
  EXPECT_EQ(toque(tecla::kBotaoDireito).texto, QStringLiteral("Mouse (menu)"));
  EXPECT_EQ(script.mid(3), QStringList({"&Pausar(3).", "&MouseNormal(120;300).", "&MouseClicarAcao(120;300).",
                                        "&MouseNormal(7;9).", "&MouseClicarMenu(7;9)."}));
  // After "Limpar tudo", however long ago: no pause.
  script.clear();
  agoraMs += 60'000;
  toque('B');
  EXPECT_EQ(script, QStringList({"&TeclarID(66). //b"}));
}

TEST_F(Gravador, ShiftDepoisMaiusculaTeclasSemTextoEF10) {
  // Shift held while a letter is typed: only Shift; the next letter in capitals.
  segurar(tecla::kShift, true);
  EXPECT_EQ(passo().tecla, tecla::kShift);
  segurar('A', true);
  EXPECT_EQ(passo().tecla, 0);
  segurar('A', false);
  segurar(tecla::kShift, false);
  passo();
  EXPECT_EQ(toque('A').texto, QStringLiteral("A"));
  EXPECT_EQ(toque(tecla::kEnter).texto, QString());
  toque(tecla::kCima);
  toque('7');
  // F10 stops and is not written.
  segurar(121, true);
  const CLGravador::Gravado f10 = passo();
  EXPECT_TRUE(f10.parar);
  EXPECT_TRUE(f10.linhas.isEmpty());
  EXPECT_EQ(script, QStringList({"&TeclarID(16). //SHIFT", "&TeclarID(65). //A", "&TeclarID(13). //",
                                 "&TeclarID(38). //", "&TeclarID(55). //7"}));
}

TEST_F(Gravador, TextosDasTeclas) {
  const std::pair<int, const char*> casos[] = {
      {1, "Mouse (ação)"}, {9, "TAB"}, {32, " "}, {48, "0"}, {57, "9"}, {65, "a"}, {90, "z"}, {112, "F1"},
      {123, "F12"}, {186, "ç"}, {226, "\\"}, {13, ""}, {37, ""}, {96, ""}, {300, ""}};
  for (const auto& [tecla, texto] : casos) EXPECT_EQ(CLGravador::charToString(tecla), QString::fromUtf8(texto)) << tecla;
  const QStringList tabela = CLGravador::tabelaCaracteres();
  EXPECT_TRUE(tabela.contains(QStringLiteral("65 -> A")));
  EXPECT_TRUE(tabela.contains(QStringLiteral("231 -> ç")));
  for (const QString& linha : tabela) {
    const int codigo = linha.section(u' ', 0, 0).toInt();
    EXPECT_TRUE(codigo > 32 && (codigo < 127 || codigo > 159)) << linha.toStdString();
  }
}

// A pointer on a screen left of the primary one: the lines keep the
// negative coordinates, and they run: the engine clicks where the
// recorder saw the click.
TEST_F(Gravador, LinhasGravadasRodamDeVolta) {
  desktop.setCursor({-250, 310});
  toque(tecla::kBotaoEsquerdo);
  agoraMs += 2'000;
  toque(tecla::kShift);
  toque('M');
  ASSERT_EQ(script, QStringList({"&MouseNormal(-250;310).", "&MouseClicarAcao(-250;310).", "&Pausar(2).",
                                 "&TeclarID(16). //SHIFT", "&TeclarID(77). //M"}));
  CLDesktopSimulado alvo;
  teste::CLHostTeste host;
  host.usarDesktop(alvo);
  CLScript s(host);
  prepararInicio(s, script);
  EXPECT_EQ(rodarScript(s).fim, FimExecucao::Normal);
  std::vector<std::string> acoes;
  for (const AcaoSimulada& a : alvo.acoes()) acoes.push_back(a.linha());
  const std::vector<std::string> esperadas = {
      "Desktop: cursor -250,310", "Desktop: botão esquerdo baixo", "Desktop: botão esquerdo cima",
      "Desktop: tecla 16 baixo", "Desktop: tecla 16 cima", "Desktop: tecla 77 baixo", "Desktop: tecla 77 cima"};
  for (const std::string& e : esperadas)
    EXPECT_NE(std::find(acoes.begin(), acoes.end(), e), acoes.end()) << e;
}

// The recorder's window: what a step records lands in its three columns,
// F10 stops, the shrunk bar while recording and back.
TEST_F(Gravador, JanelaDoGravador) {
  TfrmMacro janela(desktop, [this] { return agoraMs; });
  janela.show();
  auto* script = janela.findChild<QPlainTextEdit*>(QStringLiteral("mmoScript"));
  auto* ids = janela.findChild<QPlainTextEdit*>(QStringLiteral("mmoID"));
  auto* teclas = janela.findChild<QPlainTextEdit*>(QStringLiteral("mmoTecla"));
  auto* status = janela.findChild<QLabel*>(QStringLiteral("pnStatus"));
  auto* parar = janela.findChild<QPushButton*>(QStringLiteral("btnParar"));
  ASSERT_TRUE(script && ids && teclas && status && parar);
  EXPECT_EQ(janela.windowTitle(), QStringLiteral("Gravador de Macro"));

  janela.iniciarGravacao();
  EXPECT_TRUE(janela.gravando());
  EXPECT_TRUE(status->isVisible());
  EXPECT_FALSE(parar->isEnabled());  // the switch is off: the buttons stay as they were
  segurar('K', true);
  janela.tmMacroTimer();
  janela.tmMacroTimer();
  segurar('K', false);
  janela.tmMacroTimer();
  EXPECT_EQ(script->toPlainText(), QStringLiteral("&TeclarID(75). //k"));
  EXPECT_EQ(ids->toPlainText(), QStringLiteral("75"));
  EXPECT_EQ(teclas->toPlainText(), QStringLiteral("k"));
  segurar(121, true);
  janela.tmMacroTimer();
  segurar(121, false);
  EXPECT_FALSE(janela.gravando());
  EXPECT_FALSE(status->isVisible());
  EXPECT_EQ(script->toPlainText(), QStringLiteral("&TeclarID(75). //k"));

  // "Minimizar ao gravar": a small bar on top while recording.
  janela.findChild<QCheckBox*>(QStringLiteral("togMinimizar"))->setChecked(true);
  janela.iniciarGravacao();
  EXPECT_TRUE(parar->isEnabled());
  EXPECT_FALSE(janela.findChild<QWidget*>(QStringLiteral("pnTool"))->isVisible());
  // 350 x 53 as asked, unless the system's style needs a little more width.
  EXPECT_EQ(janela.height(), 53);
  EXPECT_LE(janela.width(), 400);
  EXPECT_TRUE(janela.windowFlags() & Qt::WindowStaysOnTopHint);
  janela.pararGravacao();
  EXPECT_FALSE(janela.gravando());
  EXPECT_EQ(janela.height(), 481);
  EXPECT_GE(janela.width(), 787);
  EXPECT_FALSE(janela.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(janela.findChild<QWidget*>(QStringLiteral("pnTool"))->isVisible());

  janela.btnMostrarClick();
  EXPECT_TRUE(script->toPlainText().contains(QStringLiteral("\n65 -> A\n")));
  janela.btnLimparClick();
  EXPECT_TRUE(script->toPlainText().isEmpty() && ids->toPlainText().isEmpty() && teclas->toPlainText().isEmpty());
}

// "Gravador de ações" in the workbench: the tip first, then a recorder.
TEST(GravadorNaBancada, DicaEDepoisOGravador) {
  QTemporaryDir base;
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  {
    TfrmMain bancada(true);
    bancada.host().setDesktop(std::make_unique<CLDesktopSimulado>());
    QString dica;
    teste::CLEsperaModal<TfrmMsg> espera([&](TfrmMsg& j) {
      dica = j.tipId();
      j.reject();
    });
    TfrmMacro* gravador = bancada.btnGravadorClick();
    EXPECT_EQ(dica, QStringLiteral("11219"));
    ASSERT_NE(gravador, nullptr);
    EXPECT_TRUE(gravador->isVisible());
    gravador->close();  // frees itself
  }
  qunsetenv("MIVO_BASE_DIR");
}

}  // namespace
}  // namespace mivo

