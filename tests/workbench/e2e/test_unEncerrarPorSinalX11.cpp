// The keyboard map after a run of the workbench, on a test X display in
// the US layout, which lacks ã, é, ü and ñ: the X11 desktop lends keycodes
// to type them, and the map must be the user's again when the run ends by
// itself, by an error, by "Encerrar", and when the program `mivo` is ended
// by a signal (SIGTERM, SIGINT, SIGHUP) while a script types, while a
// script's message is open, or idle. A signal ends the program normally
// (status 128 + the signal) so that everything is put back.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest and Qt

#include <signal.h>
#include <sys/wait.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "unFabricaDesktop.h"
#include "unFrmMain.h"
#include "unTextoDesktop.h"

using namespace mivo;
using namespace mivo::teste;
namespace fs = std::filesystem;

namespace {

constexpr const char* kAlvo = "Alvo dos acentos";
const std::string kAtivarEDigitar = std::string("&JanelaAtivar(\"") + kAlvo + "\").\n&TextoDigitar(\"ãéüñ\").\n";
const std::string kDigitarSemFim = "&Marcador(volta).\n" + kAtivarEDigitar + "&VaiPara(volta).\n";

std::string lerArquivo(const fs::path& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// The program `mivo` on a base folder of its own, opening `script` (and
// running it, unless `rodar` is false).
struct Bancada {
  Bancada(const std::string& tela, const std::string& script, bool rodar = true) {
    char modelo[] = "/tmp/mivo-mapa-XXXXXX";
    if (mkdtemp(modelo)) pasta = modelo;
    std::ofstream(pasta / "script.mivo") << script;
    CLProcessoTeste::Opcoes opcoes;
    opcoes.ambiente = {{"DISPLAY", tela}, {"MIVO_BASE_DIR", pasta.string()}};
    opcoes.saida = (pasta / "saida.txt").string();
    std::vector<std::string> argumentos = {MIVO_BANCADA, (pasta / "script.mivo").string()};
    if (!rodar) argumentos.push_back("rodar=0");
    iniciou = mivo.iniciar(argumentos, opcoes);
  }
  ~Bancada() {
    mivo.parar();
    fs::remove_all(pasta);
  }
  std::string saida() const { return lerArquivo(pasta / "saida.txt"); }
  fs::path pasta;
  CLProcessoTeste mivo;
  bool iniciou = false;
};

class MapaBancadaX11 : public TesteX11 {
 protected:
  void SetUp() override {
    TesteX11::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    std::string erro;
    if (!definirLayout(tela, "us", erro)) GTEST_SKIP() << erro;
    original = mapaDoTeclado(tela);
    ASSERT_FALSE(original.empty());
  }

  bool mapaOriginal() { return mapaDoTeclado(tela) == original; }

  // The visible window of process `pid` whose title is `titulo`; Nenhuma
  // when there is none within `limiteMs`.
  JanelaId janelaDe(pid_t pid, const std::u16string& titulo, int limiteMs = 30000) {
    JanelaId achada = JanelaId::Nenhuma;
    aguardar(
        [&] {
          for (JanelaId j : desktop->janelasEmOrdem()) {
            if (desktop->janelaProcesso(j) == static_cast<ProcessoId>(pid) && desktop->janelaVisivel(j) &&
                desktop->janelaTitulo(j) == titulo) {
              achada = j;
              return true;
            }
          }
          return false;
        },
        limiteMs);
    return achada;
  }

  // Ends `bancada` with SIGTERM; it must end by itself, normally.
  void encerrarComSigterm(Bancada& bancada) {
    ASSERT_EQ(kill(bancada.mivo.pid(), SIGTERM), 0);
    int status = 0;
    ASSERT_TRUE(bancada.mivo.aguardarFim(30000, &status)) << "o mivo não terminou com o SIGTERM";
    EXPECT_TRUE(WIFEXITED(status)) << "terminado pelo sinal, sem se encerrar: " << status;
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM) << bancada.saida();
  }

  std::vector<unsigned long> original;
};

}  // namespace

// The run ends by itself, or by an error whose message the user answers:
// the workbench stays open, and the map is the user's again.
TEST_F(MapaBancadaX11, FimDaExecucaoDevolveOMapa) {
  struct Caso {
    const char* nome;
    std::string script;
    const char16_t* mensagem;  // answered with Enter; null: none
  };
  const Caso casos[] = {
      {"fim normal", kAtivarEDigitar, nullptr},
      {"erro", kAtivarEDigitar + "&TeclarID(\"abc\").\n&TextoDigitar(\"não chega\").\n", u"Mivo"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    auto alvo = abrirAlvo(kAlvo);
    Bancada bancada(tela, c.script);
    ASSERT_TRUE(bancada.iniciou);
    EXPECT_TRUE(alvo->aguardarTexto("ãéüñ", 30000)) << bancada.saida();
    if (c.mensagem) {
      const JanelaId mensagem = janelaDe(bancada.mivo.pid(), c.mensagem);
      ASSERT_NE(mensagem, JanelaId::Nenhuma) << "a mensagem de erro não apareceu";
      EXPECT_TRUE(desktop->janelaAtivar(mensagem));
      desktop->teclaPressionar(tecla::kEnter);
      desktop->teclaSoltar(tecla::kEnter);
      EXPECT_TRUE(aguardar([&] { return !desktop->janelaVisivel(mensagem); }, 20000));
    }
    EXPECT_TRUE(aguardar([&] { return mapaOriginal(); }, 20000)) << "o mapa do teclado ficou mudado";
    EXPECT_TRUE(bancada.mivo.vivo());
    EXPECT_EQ(alvo->textoRecebido(), "ãéüñ");
    encerrarComSigterm(bancada);
  }
}

// A signal in the middle of a run, with a script's message open, or with
// no run: the program stops the run, closes the message and ends normally,
// the map given back and no key left down.
TEST_F(MapaBancadaX11, SinalEncerraOMivoEDevolveOMapa) {
  struct Caso {
    const char* nome;
    int sinal;
    std::string script;
    bool rodar;
    const char16_t* janela;  // shown before the signal; null: the target got the text twice
  };
  const Caso casos[] = {
      {"SIGTERM digitando", SIGTERM, kDigitarSemFim, true, nullptr},
      {"SIGINT com mensagem aberta", SIGINT, kAtivarEDigitar + "&MsgExibir(\"Enviado\").\n", true, u"Informação"},
      {"SIGHUP parado", SIGHUP, kDigitarSemFim, false, u"Mivo - script"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    auto alvo = abrirAlvo(kAlvo);
    Bancada bancada(tela, c.script, c.rodar);
    ASSERT_TRUE(bancada.iniciou);
    if (c.janela) {
      ASSERT_NE(janelaDe(bancada.mivo.pid(), c.janela), JanelaId::Nenhuma) << bancada.saida();
    } else {
      ASSERT_TRUE(alvo->aguardarTexto("ãéüñãéüñ", 30000)) << bancada.saida();
    }
    if (c.rodar) {
      EXPECT_FALSE(mapaOriginal()) << "o script digita em teclas emprestadas";
    }
    ASSERT_EQ(kill(bancada.mivo.pid(), c.sinal), 0);
    int status = 0;
    ASSERT_TRUE(bancada.mivo.aguardarFim(30000, &status)) << "o mivo não terminou com o sinal";
    ASSERT_TRUE(WIFEXITED(status)) << "terminado pelo sinal, sem se encerrar: " << status;
    EXPECT_EQ(WEXITSTATUS(status), 128 + c.sinal) << bancada.saida();
    EXPECT_TRUE(mapaOriginal()) << "o mapa do teclado ficou mudado";
    EXPECT_TRUE(desktop->teclasPressionadas().none());
  }
}

// "Encerrar" in the workbench's window (in this process, on Qt's xcb
// platform): the run stops and the map is the user's again at once, the
// window still open.
TEST_F(MapaBancadaX11, EncerrarDevolveOMapa) {
  auto alvo = abrirAlvo(kAlvo);
  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  const QString script = base.filePath(QStringLiteral("laco.mivo"));
  std::ofstream(script.toStdString()) << kDigitarSemFim;

  qputenv("QT_QPA_PLATFORM", "xcb");
  int argc = 1;
  char nome[] = "test_unEncerrarPorSinalX11";
  char* argv[] = {nome, nullptr};
  QApplication aplicacao(argc, argv);
  auto janela = std::make_unique<TfrmMain>();
  janela->host().setFabricaDesktop([](QString& erro) -> std::unique_ptr<CLDesktop> {
    DesktopCriado criado = criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  });
  auto* rodar = janela->findChild<QPushButton*>(QStringLiteral("btnRodar"));
  auto* encerrar = janela->findChild<QPushButton*>(QStringLiteral("btnEncerrar"));
  ASSERT_TRUE(rodar && encerrar);
  janela->iniciar({script, QStringLiteral("rodar=0")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return janela->isVisible() && rodar->isVisible(); }, 30000));

  // The run lives inside the click; a timer, which also fires inside the
  // run's event pumps, clicks "Encerrar" once the target got the text.
  bool clicou = false;
  bool mudouAntes = false;
  QTimer vigia;
  QElapsedTimer relogio;
  relogio.start();
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    if (clicou || !janela->host().emExecucao()) return;
    const bool pronto = alvo->textoRecebido().size() >= std::string("ãéüñãéüñ").size();
    if (!pronto && relogio.elapsed() < 30000) return;
    clicou = true;
    mudouAntes = !mapaOriginal();
    QTest::mouseClick(encerrar, Qt::LeftButton);
  });
  vigia.start(10);
  QMetaObject::invokeMethod(
      rodar, [rodar] { QTest::mouseClick(rodar, Qt::LeftButton); }, Qt::QueuedConnection);
  ASSERT_TRUE(QTest::qWaitFor([&] { return clicou && !janela->host().emExecucao(); }, 60000));
  vigia.stop();
  EXPECT_TRUE(mudouAntes) << "o script digita em teclas emprestadas";
  EXPECT_GE(alvo->textoRecebido().size(), std::string("ãéüñãéüñ").size());
  // Nothing of the workbench's runs now: the map went back with the run.
  EXPECT_TRUE(aguardar([&] { return mapaOriginal(); }, 5000)) << "o mapa do teclado ficou mudado";
  EXPECT_TRUE(janela->isVisible());
  janela.reset();
  qunsetenv("MIVO_BASE_DIR");
}
