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
  QList<CLGravador::Entrada> colunas;  // the "ID da tecla" and "Tecla" columns

  void segurar(int tecla, bool baixo) { desktop.setTeclaEstado(tecla, baixo, false); }
  // One polling step, 10 ms after the last; what it wrote goes into the columns.
  CLGravador::Gravado passo() {
    agoraMs += 10;
    CLGravador::Gravado g = gravador.passo(!script.isEmpty());
    script += g.linhas;
    colunas += g.linhasTecla;
    return g;
  }
  // Adds what `g` recorded to `total`.
  static void somar(CLGravador::Gravado& total, const CLGravador::Gravado& g) {
    total.linhas += g.linhas;
    total.linhasTecla += g.linhasTecla;
    if (g.tecla != 0) {
      total.tecla = g.tecla;
      total.texto = g.texto;
    }
  }
  // A press and release of `tecla`, held for a few polls, with Shift held
  // around it when asked: everything those steps recorded.
  CLGravador::Gravado toque(int tecla, bool shift = false) {
    CLGravador::Gravado total;
    if (shift) {
      segurar(tecla::kShift, true);
      somar(total, passo());
    }
    segurar(tecla, true);
    for (int i = 0; i < 6; ++i) somar(total, passo());
    segurar(tecla, false);
    somar(total, passo());
    if (shift) {
      segurar(tecla::kShift, false);
      somar(total, passo());
    }
    return total;
  }
  // Runs the recorded lines on a fresh simulated desktop `alvo`.
  void rodar(CLDesktopSimulado& alvo, const QStringList& linhas) {
    teste::CLHostTeste host;
    host.usarDesktop(alvo);
    CLScript s(host);
    prepararInicio(s, linhas);
    EXPECT_EQ(rodarScript(s).fim, FimExecucao::Normal);
  }
  static std::vector<std::string> acoes(const CLDesktopSimulado& alvo) {
    std::vector<std::string> r;
    for (const AcaoSimulada& a : alvo.acoes()) r.push_back(a.linha());
    return r;
  }
};

// What a script typed on the simulated desktop: characters typed as they
// are, and each key pressed through its code the character that key types
// alone.
QString textoDigitado(const CLDesktopSimulado& alvo) {
  QString texto;
  for (const AcaoSimulada& a : alvo.acoes()) {
    if (a.tipo == TipoAcao::Caractere) texto += QString::fromUcs4(&a.caractere, 1);
    if (a.tipo == TipoAcao::TeclaPressionada)
      texto += QString::fromStdU16String(alvo.teclaTexto(a.valor, 0, false).texto);
  }
  return texto;
}

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

// A character that its key's code alone would not type back (a letter with
// Shift held, a shifted symbol) is written as the character itself; the
// Shift press that made it writes nothing. Shift alone, and keys whose code
// types them back, keep their key lines; F10 stops without a line.
TEST_F(Gravador, ShiftComTeclaGravaOCaractereDigitado) {
  const struct {
    int tecla;
    bool shift;
    const char* linha;
    const char* texto;
  } casos[] = {
      {'A', true, "&TextoDigitar(\"A\").", "A"},
      {'1', true, "&TextoDigitar(\"!\").", "!"},
      {0xDB, true, "&TextoDigitar(\"{\").", "{"},
      {0xDE, true, "&TextoDigitar(\"\"\").", "\""},
      {0xBA, true, "&TextoDigitar(\":\").", ":"},
      {0xDB, false, "&TeclarID(219). //", ""},
      {'7', false, "&TeclarID(55). //7", "7"},
      {tecla::kEnter, false, "&TeclarID(13). //", ""},
      {tecla::kEnter, true, nullptr, nullptr},  // Shift and a key without a character: both lines
      {tecla::kCima, false, "&TeclarID(38). //", ""},
  };
  for (const auto& c : casos) {
    script.clear();
    colunas.clear();
    toque(c.tecla, c.shift);
    if (!c.linha) {
      EXPECT_EQ(script, QStringList({"&TeclarID(16). //SHIFT", "&TeclarID(13). //"}));
      continue;
    }
    EXPECT_EQ(script, QStringList({QString::fromUtf8(c.linha)})) << c.tecla;
    ASSERT_EQ(colunas.size(), 1);
    EXPECT_EQ(colunas[0], (CLGravador::Entrada{c.tecla, QString::fromUtf8(c.texto)}));
  }
  // Shift alone is written when it goes up; the letter typed after it is
  // shown in capitals, as designed.
  script.clear();
  toque(tecla::kShift);
  EXPECT_EQ(script, QStringList({"&TeclarID(16). //SHIFT"}));
  EXPECT_EQ(toque('A').texto, QStringLiteral("A"));
  EXPECT_EQ(script.last(), QStringLiteral("&TeclarID(65). //A"));
  // Both Shift codes go down with the shared one: one press. Two letters
  // under one Shift: two characters, no Shift line.
  script.clear();
  segurar(tecla::kShift, true);
  segurar(0xA0, true);
  passo();
  toque('O');
  toque('K');
  segurar(tecla::kShift, false);
  segurar(0xA0, false);
  passo();
  EXPECT_EQ(script, QStringList({"&TextoDigitar(\"O\").", "&TextoDigitar(\"K\").", }));
  // Caps Lock lit: the capital is what was typed.
  script.clear();
  desktop.setTeclaEstado(tecla::kCapsLock, false, true);
  toque('Q');
  EXPECT_EQ(script, QStringList({"&TextoDigitar(\"Q\")."}));
  desktop.setTeclaEstado(tecla::kCapsLock, false, false);
  // Ctrl+C: combinations are not recorded, only Ctrl.
  script.clear();
  segurar(tecla::kCtrl, true);
  passo();
  toque('C');
  segurar(tecla::kCtrl, false);
  passo();
  EXPECT_EQ(script, QStringList({"&TeclarID(17). //CTRL"}));
  // F10 stops and is not written.
  segurar(tecla::kShift, true);
  passo();
  segurar(121, true);
  const CLGravador::Gravado f10 = passo();
  EXPECT_TRUE(f10.parar);
  EXPECT_TRUE(f10.linhas.isEmpty());
  segurar(121, false);
  segurar(tecla::kShift, false);
  EXPECT_TRUE(passo().linhas.isEmpty());
}

// Dead keys (the international layout): the accent waits for the next key
// and the accented letter is written; the dead key writes nothing.
TEST_F(Gravador, TeclaMortaGravaALetraAcentuada) {
  desktop.setTeclasMortas(true);
  const int kAgudo = 0xDE, kGrave = 0xC0;
  const struct {
    int morta;
    bool shiftMorta;
    int tecla;
    bool shift;
    const char* texto;
  } casos[] = {
      {kAgudo, false, 'A', true, "Á"}, {kAgudo, false, 'E', false, "é"}, {kAgudo, false, 'C', true, "Ç"},
      {kGrave, false, 'A', false, "à"}, {kGrave, true, 'O', false, "õ"}, {'6', true, 'E', true, "Ê"},
      {kAgudo, true, 'U', false, "ü"}, {kAgudo, false, tecla::kEspaco, false, "'"},
      {kAgudo, false, 'K', false, "'k"}, {kGrave, true, kGrave, true, "~"},
  };
  for (const auto& c : casos) {
    script.clear();
    colunas.clear();
    EXPECT_TRUE(toque(c.morta, c.shiftMorta).linhas.isEmpty()) << c.texto;
    toque(c.tecla, c.shift);
    const QString texto = QString::fromUtf8(c.texto);
    EXPECT_EQ(script, QStringList({"&TextoDigitar(\"" + texto + "\")."})) << c.texto;
    EXPECT_EQ(colunas, QList<CLGravador::Entrada>({{c.tecla, texto}})) << c.texto;
  }
  // A dead key followed by a key that types nothing: the accent is dropped.
  script.clear();
  toque(kAgudo);
  toque(tecla::kEnter);
  toque('A');
  EXPECT_EQ(script, QStringList({"&TeclarID(13). //", "&TeclarID(65). //a"}));
}

// Typing a text with capitals, accents, symbols, brackets, braces, quotes
// and backslashes is recorded as lines that, run by the engine, type the
// same text again.
TEST_F(Gravador, TextoDigitadoVoltaIgualAoRodar) {
  desktop.setTeclasMortas(true);
  // The strokes of one character on the international layout: dead key
  // (with Shift or not) and key (with Shift or not).
  struct Toque {
    int tecla;
    bool shift;
  };
  auto toques = [](char32_t c) -> std::vector<Toque> {
    const std::u32string acentuadas = U"ÁÉÍÓÚÇáéíóúçÀàÃÕãõÂÊÔâêôÜü";
    const std::u32string bases = U"AEIOUCaeioucAaAOaoAEOaeoUu";
    const std::u32string mortas = U"´´´´´´´´´´´´``~~~~^^^^^^¨¨";
    if (const auto i = acentuadas.find(c); i != std::u32string::npos) {
      std::vector<Toque> t;
      switch (mortas[i]) {
        case U'´': t.push_back({0xDE, false}); break;
        case U'`': t.push_back({0xC0, false}); break;
        case U'~': t.push_back({0xC0, true}); break;
        case U'^': t.push_back({'6', true}); break;
        default: t.push_back({0xDE, true}); break;
      }
      const char32_t b = bases[i];
      t.push_back({static_cast<int>(QChar::toUpper(b)), QChar::isUpper(b)});
      return t;
    }
    if (c >= U'a' && c <= U'z') return {{static_cast<int>(c - 32), false}};
    if (c >= U'A' && c <= U'Z') return {{static_cast<int>(c), true}};
    if (c >= U'0' && c <= U'9') return {{static_cast<int>(c), false}};
    const std::u32string simbolos = U" ;:=+,<-_.>/?[{\\|]}!@#$%&*()";
    const int teclas[] = {32, 0xBA, 0xBA, 0xBB, 0xBB, 0xBC, 0xBC, 0xBD, 0xBD, 0xBE, 0xBE, 0xBF, 0xBF, 0xDB, 0xDB,
                          0xDC, 0xDC, 0xDD, 0xDD, '1', '2', '3', '4', '5', '7', '8', '9', '0'};
    const bool shift[] = {false, false, true, false, true, false, true, false, true, false, true, false, true, false, true,
                          false, true, false, true, true, true, true, true, true, true, true, true, true};
    if (const auto i = simbolos.find(c); i != std::u32string::npos) return {{teclas[i], shift[i]}};
    // The dead keys' own characters: the key, then a blank.
    if (c == U'\'') return {{0xDE, false}, {32, false}};
    if (c == U'"') return {{0xDE, true}, {32, false}};
    if (c == U'~') return {{0xC0, true}, {32, false}};
    if (c == U'^') return {{'6', true}, {32, false}};
    ADD_FAILURE() << "sem toques para " << static_cast<int>(c);
    return {};
  };
  const QString texto = QStringLiteral(
      "Olá, AÇÃO É já! Preço: R$ 10,50 (à vista) [nome] {email} \"citação\" 'ok' a\\b|c ~ ^ "
      "Você; ÜBER & Ôôô ÁÊÍÓÚ 100% @x #1 /fim? <> _+=-* Àç");
  ASSERT_GE(texto.size(), 50);
  for (const char32_t c : texto.toUcs4())
    for (const Toque& t : toques(c)) toque(t.tecla, t.shift);
  EXPECT_TRUE(script.contains(QStringLiteral("&TextoDigitar(\"Ç\").")));
  EXPECT_TRUE(script.contains(QStringLiteral("&TextoDigitar(\"[\").")) ||
              script.contains(QStringLiteral("&TeclarID(219). //")));
  bool mostrouA = false;
  for (const auto& e : colunas) mostrouA = mostrouA || e.texto == QStringLiteral("Á");
  EXPECT_TRUE(mostrouA);

  CLDesktopSimulado alvo;
  alvo.setTeclasMortas(true);
  rodar(alvo, script);
  EXPECT_EQ(textoDigitado(alvo).toStdString(), texto.toStdString()) << script.join(u'\n').toStdString();
}

// The tip shown before the recorder opens tells what typing records:
// capitals, accented letters and "ç" come back as "&TextoDigitar", and the
// tip says so instead of warning that they are lost.
TEST_F(Gravador, DicaDizQueAcentosSaoGravados) {
  desktop.setTeclasMortas(true);
  const QString dica = TfrmMacro::textoDica();
  QString teclas;  // the item about typed keys
  for (const QString& item : dica.split(QStringLiteral("\\n")))
    if (item.startsWith(QStringLiteral("3-"))) teclas = item;
  ASSERT_FALSE(teclas.isEmpty()) << dica.toStdString();
  EXPECT_FALSE(teclas.contains(QStringLiteral("não"))) << teclas.toStdString();
  EXPECT_TRUE(teclas.contains(QStringLiteral("&TextoDigitar"))) << teclas.toStdString();
  EXPECT_FALSE(dica.contains(QStringLiteral("com acento."))) << dica.toStdString();
  const int kAgudo = 0xDE;
  const struct {
    const char* palavra;
    std::vector<std::pair<int, bool>> toques;  // key, with Shift
    const char* linha;
  } casos[] = {
      {"maiúsculas", {{'A', true}}, "&TextoDigitar(\"A\")."},
      {"acento", {{kAgudo, false}, {'E', false}}, "&TextoDigitar(\"é\")."},
      {"cedilha", {{kAgudo, false}, {'C', false}}, "&TextoDigitar(\"ç\")."},
  };
  for (const auto& c : casos) {
    script.clear();
    for (const auto& [tecla, shift] : c.toques) toque(tecla, shift);
    EXPECT_EQ(script, QStringList({QString::fromUtf8(c.linha)})) << c.palavra;
    EXPECT_TRUE(teclas.contains(QString::fromUtf8(c.palavra))) << c.palavra;
  }
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

// The left button down at one point and up at another is a drag, also on a
// screen left of the primary one; a button that moved less is a click where
// it went down. Both replay as they were made.
TEST_F(Gravador, ArrastoGravadoArrastaAoRodar) {
  const struct {
    PontoTela de, ate;
    QStringList linhas;
    std::vector<std::string> acoes;
  } casos[] = {
      {{100, 200}, {400, 250}, {"&MouseArrastar(100;200;400;250)."},
       {"Desktop: cursor 100,200", "Desktop: botão esquerdo baixo", "Desktop: cursor 400,250",
        "Desktop: botão esquerdo cima"}},
      {{-300, 50}, {-120, 80}, {"&MouseArrastar(-300;50;-120;80)."},
       {"Desktop: cursor -300,50", "Desktop: botão esquerdo baixo", "Desktop: cursor -120,80",
        "Desktop: botão esquerdo cima"}},
      {{600, 600}, {602, 597}, {"&MouseNormal(600;600).", "&MouseClicarAcao(600;600)."},
       {"Desktop: cursor 600,600", "Desktop: cursor 600,600", "Desktop: botão esquerdo baixo",
        "Desktop: botão esquerdo cima", "Desktop: cursor 600,600"}},
  };
  for (const auto& c : casos) {
    script.clear();
    desktop.setCursor(c.de);
    segurar(tecla::kBotaoEsquerdo, true);
    EXPECT_TRUE(passo().linhas.isEmpty());  // nothing until the release tells which
    for (int i = 1; i <= 5; ++i) {
      desktop.setCursor({c.de.x + (c.ate.x - c.de.x) * i / 5, c.de.y + (c.ate.y - c.de.y) * i / 5});
      passo();
    }
    segurar(tecla::kBotaoEsquerdo, false);
    const CLGravador::Gravado g = passo();
    EXPECT_EQ(g.texto, QStringLiteral("Mouse (ação)"));
    EXPECT_EQ(script, c.linhas);
    CLDesktopSimulado alvo;
    alvo.setTelaTamanho({1920, 1080});
    rodar(alvo, script);
    std::vector<std::string> feitas;
    for (const std::string& a : acoes(alvo))
      if (a.find("cursor") != std::string::npos || a.find("botão") != std::string::npos) feitas.push_back(a);
    EXPECT_EQ(feitas, c.acoes) << c.linhas.join(' ').toStdString();
  }
}

// An hour of recording on the virtual clock with one action at its end:
// the recorder keeps nothing per step (the desktop is only looked at, no
// action is logged) and writes one pause for the whole hour. A key held for
// ten seconds is one line, also a Shifted one.
TEST_F(Gravador, UmaHoraGravandoEUmaTeclaSeguraDezSegundos) {
  script << QStringLiteral("&TeclarEnter().");
  toque('X');
  const int linhasAntes = script.size();
  for (int i = 0; i < 360'000; ++i) {
    const CLGravador::Gravado g = passo();
    if (g.tecla != 0 || !g.linhas.isEmpty()) FAIL() << "passo " << i << " gravou algo parado";
  }
  EXPECT_TRUE(desktop.acoes().empty());
  EXPECT_EQ(script.size(), linhasAntes);
  segurar('Y', true);
  for (int i = 0; i < 1'000; ++i) passo();
  segurar('Y', false);
  passo();
  segurar(tecla::kShift, true);
  passo();
  segurar('Z', true);
  for (int i = 0; i < 1'000; ++i) passo();
  segurar('Z', false);
  segurar(tecla::kShift, false);
  passo();
  EXPECT_EQ(script.mid(linhasAntes),
            QStringList({"&Pausar(3600).", "&TeclarID(89). //y", "&Pausar(10).", "&TextoDigitar(\"Z\")."}));
}

// The screen changes size while recording (a monitor plugged, the
// resolution changed): clicks before and after are recorded where they
// were, and the lines run on the smaller screen without an error.
TEST_F(Gravador, TelaMudaDeTamanhoDuranteAGravacao) {
  desktop.setTelaTamanho({1920, 1080});
  desktop.setCursor({1800, 1000});
  toque(tecla::kBotaoEsquerdo);
  desktop.setTelaTamanho({1024, 768});
  desktop.setCursor({1000, 700});
  toque(tecla::kBotaoDireito);
  toque('A', true);
  EXPECT_EQ(script, QStringList({"&MouseNormal(1800;1000).", "&MouseClicarAcao(1800;1000).", "&MouseNormal(1000;700).",
                                 "&MouseClicarMenu(1000;700).", "&TextoDigitar(\"A\")."}));
  CLDesktopSimulado alvo;
  alvo.setTelaTamanho({1024, 768});
  rodar(alvo, script);
  EXPECT_EQ(textoDigitado(alvo), QStringLiteral("A"));
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
  // A dead key and Shift+A: one row, the character in "Tecla".
  desktop.setTeclasMortas(true);
  for (const auto& [tecla, baixo] : std::vector<std::pair<int, bool>>{
           {0xDE, true}, {0xDE, false}, {tecla::kShift, true}, {'A', true}, {'A', false}, {tecla::kShift, false}}) {
    segurar(tecla, baixo);
    janela.tmMacroTimer();
  }
  EXPECT_EQ(script->toPlainText(), QStringLiteral("&TeclarID(75). //k\n&TextoDigitar(\"Á\")."));
  EXPECT_EQ(ids->toPlainText(), QStringLiteral("75\n65"));
  EXPECT_EQ(teclas->toPlainText(), QStringLiteral("k\nÁ"));
  segurar(121, true);
  janela.tmMacroTimer();
  segurar(121, false);
  EXPECT_FALSE(janela.gravando());
  EXPECT_FALSE(status->isVisible());
  EXPECT_EQ(script->toPlainText(), QStringLiteral("&TeclarID(75). //k\n&TextoDigitar(\"Á\")."));

  // "Minimizar ao gravar": a small bar on top while recording, then the
  // window back where and as large as it was.
  janela.move(40, 30);
  janela.resize(700, 400);
  const QRect antes = janela.geometry();
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
  EXPECT_EQ(janela.geometry(), antes);
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

