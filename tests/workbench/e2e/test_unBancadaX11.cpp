// The workbench on a real X desktop (Xvfb with openbox), with the X11
// desktop backend and the real clock. The program `mivo` runs a script
// that fills a target window from a list and closes by itself; then the
// main window, in this process on Qt's xcb platform, runs a long loop that
// the user pauses with F9 (pressed on the server through XTest), resumes
// with "Executar" and stops with "Encerrar". Screenshots of the display in
// each state go to the build folder (capturas/).

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <sys/wait.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "unCLScript.h"
#include "unCLStatusExecucao.h"
#include "unFabricaDesktop.h"
#include "unFrmMain.h"
#include "unFrmMsg.h"
#include "unTecladoXTeste.h"

using namespace mivo;
using namespace mivo::teste;
namespace fs = std::filesystem;

namespace {

std::string lerArquivo(const fs::path& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// What the target window got, in order: pasted texts and typed characters.
std::string transcricao(CLAlvoTeste& alvo) {
  std::string texto;
  for (const auto& l : alvo.linhas()) {
    if (l.rfind("colado ", 0) == 0) texto += CLAlvoTeste::desescapar(l.substr(7));
    if (l.rfind("texto ", 0) == 0) texto += CLAlvoTeste::desescapar(l.substr(6));
  }
  return texto;
}

std::size_t linhasIguais(CLAlvoTeste& alvo, const std::string& linha) {
  const auto linhas = alvo.linhas();
  return static_cast<std::size_t>(std::count(linhas.begin(), linhas.end(), linha));
}

std::size_t ocorrencias(const std::string& texto, const std::string& trecho) {
  std::size_t n = 0;
  for (std::size_t p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + trecho.size())) ++n;
  return n;
}

// A screenshot of the whole test display, as PNG, into the build folder.
void capturar(const QString& nome) {
  QDir().mkpath(QStringLiteral(MIVO_CAPTURAS_DIR));
  const QString caminho = QStringLiteral(MIVO_CAPTURAS_DIR "/") + nome + QStringLiteral(".png");
  QScreen* tela = QGuiApplication::primaryScreen();
  ASSERT_NE(tela, nullptr);
  const QPixmap imagem = tela->grabWindow(0);
  EXPECT_FALSE(imagem.isNull()) << nome.toStdString();
  EXPECT_TRUE(imagem.save(caminho, "PNG")) << caminho.toStdString();
  std::cout << "Captura: " << caminho.toStdString() << std::endl;
}

// Steps run by a timer every 10 ms, also inside the event pumps of a run:
// each one waits until its condition holds, then acts. A step still waiting
// after its deadline fails the test and calls `socorro`, which must end the
// run so that the test ends too.
class CLRoteiro {
 public:
  explicit CLRoteiro(std::function<void()> socorro) : gSocorro(std::move(socorro)) {
    QObject::connect(&gTimer, &QTimer::timeout, [this] { verificar(); });
  }
  void passo(std::string nome, std::function<bool()> pronto, std::function<void()> acao, int limiteMs = 30000) {
    gPassos.push_back({std::move(nome), std::move(pronto), std::move(acao), limiteMs});
  }
  void iniciar() {
    gRelogio.start();
    gTimer.start(10);
  }
  bool terminado() const { return gAtual >= gPassos.size() || !gFalha.empty(); }
  // The step that timed out; empty when none did.
  const std::string& falha() const { return gFalha; }

 private:
  struct Passo {
    std::string nome;
    std::function<bool()> pronto;
    std::function<void()> acao;
    int limiteMs;
  };
  void verificar() {
    if (terminado()) {
      gTimer.stop();
      return;
    }
    Passo& p = gPassos[gAtual];
    if (p.pronto()) {
      // Moved on first: the action may run nested event loops.
      ++gAtual;
      gRelogio.start();
      p.acao();
    } else if (gRelogio.elapsed() > p.limiteMs) {
      gFalha = p.nome;
      gTimer.stop();
      ADD_FAILURE() << "Passo não atingido em " << p.limiteMs << " ms: " << p.nome;
      gSocorro();
    }
  }

  std::vector<Passo> gPassos;
  std::size_t gAtual = 0;
  std::string gFalha;
  std::function<void()> gSocorro;
  QTimer gTimer;
  QElapsedTimer gRelogio;
};

// `condicao` held without interruption for at least `ms`.
std::function<bool()> porAlgumTempo(std::function<bool()> condicao, int ms) {
  auto desde = std::make_shared<QElapsedTimer>();
  return [condicao = std::move(condicao), desde, ms] {
    if (!condicao()) {
      desde->invalidate();
      return false;
    }
    if (!desde->isValid()) desde->start();
    return desde->elapsed() >= ms;
  };
}

// `valor` gave the same result for at least `ms`.
std::function<bool()> semMudarPor(std::function<std::string()> valor, int ms) {
  auto anterior = std::make_shared<std::optional<std::string>>();
  return porAlgumTempo(
      [valor = std::move(valor), anterior] {
        std::string atual = valor();
        const bool igual = *anterior && **anterior == atual;
        *anterior = std::move(atual);
        return igual;
      },
      ms);
}

TfrmMsg* mensagemAberta() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* msg = qobject_cast<TfrmMsg*>(w);
    if (msg && msg->isVisible()) return msg;
  }
  return nullptr;
}

bool exposta(QWidget* w) { return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed(); }

class BancadaX11 : public TesteX11 {
 protected:
  static void TearDownTestSuite() { gAplicacao.reset(); }

  // The application of this process, on the test display (DISPLAY was set
  // when the test server started).
  static void criarAplicacao() {
    if (gAplicacao) return;
    qputenv("QT_QPA_PLATFORM", "xcb");
    gAplicacao = std::make_unique<QApplication>(gArgc, gArgv);
  }

  static inline int gArgc = 1;
  static inline char gNome[] = "test_unBancadaX11";
  static inline char* gArgv[] = {gNome, nullptr};
  static inline std::unique_ptr<QApplication> gAplicacao;
};

}  // namespace

// `mivo script.mivo`: the script opens its list, activates the target and
// writes one line per row (pasted with the row's values, then typed); its
// config section says "fechar_ao_terminar=sim", so the program ends by
// itself, with status 0.
TEST_F(BancadaX11, MivoRodaOScriptComALinhaDeComandoEFechaAoTerminar) {
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Pedidos da Padaria - Alvo";
  opcoes.x = 1060;
  opcoes.y = 100;
  opcoes.largura = 200;
  opcoes.altura = 300;
  auto alvo = abrirAlvo(opcoes);

  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  const fs::path pasta = base.path().toStdString();
  std::ofstream(pasta / "clientes.txt") << "nome;pedido\r\n"
                                          "João;pão de queijo\r\n"
                                          "Maria Antônia;açaí\r\n"
                                          "Zé;café com leite\r\n";
  // The workbench's window shows as the run starts; the window manager's
  // focus for it must not take the target's place after the script has
  // activated the target.
  std::ofstream(pasta / "avisar.mivo") << "##config\n"
                                          "fechar_ao_terminar=sim // fecha o Mivo no fim\n"
                                          "##config_fim\n"
                                          "&LaAbrir(\"" << (pasta / "clientes.txt").string() << "\").\n"
                                          "&JanelaAtivar(\"pedidos da padaria\").\n"
                                          "&SeResultado(FALHA;&VaiPara(fim)).\n"
                                          "&LaIrLinha(1).\n"
                                          "&Marcador(proximo).\n"
                                          "&TextoColar(\"Olá, {nome}! Seu pedido de {pedido} está pronto.\").\n"
                                          "&TeclarEnter().\n"
                                          "&TextoDigitar(\"Até já, obrigado pela preferência!\").\n"
                                          "&TeclarEnter().\n"
                                          "&LaProximaLinha().\n"
                                          "&SeResultado(OK;&VaiPara(proximo)).\n"
                                          "&Marcador(fim).\n";
  CLProcessoTeste mivo;
  CLProcessoTeste::Opcoes execucao;
  execucao.ambiente = {{"DISPLAY", tela}, {"MIVO_BASE_DIR", pasta.string()}};
  execucao.saida = (pasta / "saida.txt").string();
  ASSERT_TRUE(mivo.iniciar({MIVO_BANCADA, (pasta / "avisar.mivo").string()}, execucao));
  int status = -1;
  const bool terminou = mivo.aguardarFim(30000, &status);
  EXPECT_TRUE(terminou) << "o mivo não fechou sozinho";
  if (!terminou) mivo.parar();
  const std::string saida = lerArquivo(pasta / "saida.txt");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << saida;

  std::string esperado;
  for (const char* linha : {"Olá, João! Seu pedido de pão de queijo está pronto.",
                            "Olá, Maria Antônia! Seu pedido de açaí está pronto.",
                            "Olá, Zé! Seu pedido de café com leite está pronto."})
    esperado += std::string(linha) + "\rAté já, obrigado pela preferência!\r";
  EXPECT_TRUE(alvo->aguardar([&](const std::vector<std::string>&) { return transcricao(*alvo).size() >= esperado.size(); },
                             20000));
  EXPECT_EQ(transcricao(*alvo), esperado);
}

// F9 held on the server pauses the run in the window: the message says so,
// the pause bar shows, nothing more is typed; "Executar" resumes it and
// "Encerrar" ends it after the statement in progress, with no key left down.
TEST_F(BancadaX11, F9PausaExecutarRetomaEEncerrarPara) {
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = "Alvo da bancada";
  opcoes.x = 1060;
  opcoes.y = 100;
  opcoes.largura = 200;
  opcoes.altura = 300;
  opcoes.cor = "2080ff";
  auto alvo = abrirAlvo(opcoes);
  ASSERT_FALSE(HasFailure());

  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  constexpr int kVoltas = 2000;
  const QString script = base.filePath(QStringLiteral("laco.mivo"));
  {
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("&ValorDefinir(\"i\";\"0\").\r\n"
                           "&Marcador(volta).\r\n"
                           "&JanelaAtivar(\"alvo da bancada\").\r\n"
                           "&ValorInc(\"i\";1).\r\n"
                           "&TextoDigitar(\"ação.\").\r\n"
                           "&Pausar100(3).\r\n"
                           "&Se([i]<%1;&VaiPara(volta)).\r\n")
                .arg(kVoltas)
                .toUtf8());
  }

  criarAplicacao();
  CLTecladoXTeste teclado;
  ASSERT_TRUE(teclado.abrir(tela));
  auto janela = std::make_unique<TfrmMain>();
  // The real desktop, as the program hands it over.
  janela->host().setFabricaDesktop([](QString& erro) -> std::unique_ptr<CLDesktop> {
    DesktopCriado criado = criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  });
  auto botao = [&](const char* nome) {
    auto* b = janela->findChild<QPushButton*>(QString::fromLatin1(nome));
    EXPECT_NE(b, nullptr) << nome;
    return b;
  };
  auto painel = [&](const char* nome) {
    auto* w = janela->findChild<QWidget*>(QString::fromLatin1(nome));
    EXPECT_NE(w, nullptr) << nome;
    return w;
  };
  QPushButton* rodar = botao("btnRodar");
  QPushButton* pausar = botao("btnPausar");
  QPushButton* encerrar = botao("btnEncerrar");
  QWidget* barraPausa = painel("pnStatus");
  QWidget* barraExecucao = painel("pnRodando");
  ASSERT_FALSE(HasFailure());
  auto status = [&] { return janela->host().statusExecucao(); };
  auto texto = [&] { return alvo->textoRecebido(); };
  auto itens = [&] { return ocorrencias(texto(), "ação."); };
  auto contador = [&] { return janela->host().script().valores().valor(QStringLiteral("i")).toInt(); };
  // The toolbar as the user sees it: Executar, Pausar, Encerrar, the pause
  // bar and the run bar.
  auto barra = [&] {
    return std::vector<bool>{rodar->isVisible(), pausar->isVisible(), encerrar->isVisible(), barraPausa->isVisible(),
                             barraExecucao->isVisible()};
  };
  using B = std::vector<bool>;

  std::size_t itensNaPausa = 0;
  int contadorAoEncerrar = -1;
  bool f9Pressionada = false;
  QString textoMensagem;
  CLRoteiro roteiro([&] {
    // A step timed out: what the run and the target were doing, then
    // nothing stays down and the run ends.
    std::string ultimas;
    const auto linhas = alvo->linhas();
    for (std::size_t i = linhas.size() > 10 ? linhas.size() - 10 : 0; i < linhas.size(); ++i)
      ultimas += linhas[i] + "\n";
    ADD_FAILURE() << "status " << status().toStdString() << ", em execução " << janela->host().emExecucao()
                  << ", contador " << contador() << "; últimas linhas do alvo:\n" << ultimas;
    if (f9Pressionada) teclado.soltar("F9");
    if (TfrmMsg* msg = mensagemAberta()) msg->reject();
    janela->host().encerrarExecucao();
  });
  roteiro.passo(
      "janela aberta, inativa", porAlgumTempo([&] { return exposta(janela.get()) && status() == status::kInativo; }, 300),
      [&] {
        EXPECT_EQ(barra(), (B{true, false, false, false, false}));
        capturar(QStringLiteral("1-inativa"));
        // Clicked from a posted event: the run lives inside the click.
        QMetaObject::invokeMethod(
            rodar, [rodar] { QTest::mouseClick(rodar, Qt::LeftButton); }, Qt::QueuedConnection);
      });
  roteiro.passo(
      "rodando, o alvo recebe as linhas", [&] { return status() == status::kRodando && itens() >= 3; },
      [&] {
        EXPECT_EQ(barra(), (B{false, true, true, false, true}));
        capturar(QStringLiteral("2-rodando"));
        f9Pressionada = teclado.pressionar("F9");
        EXPECT_TRUE(f9Pressionada);
      });
  roteiro.passo(
      "F9 mostra a mensagem", [&] { return mensagemAberta() != nullptr; },
      [&] {
        EXPECT_EQ(status(), status::kPausado);
        EXPECT_TRUE(teclado.soltar("F9"));
        f9Pressionada = false;
        auto* lb = mensagemAberta()->findChild<QLabel*>(QStringLiteral("lbMsg"));
        if (lb) textoMensagem = lb->text();
      });
  roteiro.passo(
      "mensagem desenhada", porAlgumTempo([&] { return mensagemAberta() && exposta(mensagemAberta()); }, 300), [&] {
        capturar(QStringLiteral("3-pausado-mensagem"));
        auto* ok = mensagemAberta()->findChild<QPushButton*>(QStringLiteral("btnOk"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
      });
  // Paused: no more text arrives (a run going on would type an item every
  // few tens of milliseconds).
  roteiro.passo(
      "pausado, sem mensagem e sem texto novo",
      [&, parado = semMudarPor(texto, 600)] {
        return !mensagemAberta() && status() == status::kPausado && parado();
      },
      [&] {
        EXPECT_EQ(barra(), (B{true, false, true, true, true}));
        auto* legenda = qobject_cast<QLabel*>(barraPausa);
        EXPECT_TRUE(legenda && legenda->text() == QStringLiteral("Script pausado"));
        capturar(QStringLiteral("4-pausado"));
        itensNaPausa = itens();
        // The pause brought the workbench forward; the user goes back to
        // the target before resuming, so that the keys reach it.
        const std::size_t focos = linhasIguais(*alvo, "foco");
        EXPECT_TRUE(desktop->janelaAtivar(JanelaId{alvo->janela()}));
        EXPECT_TRUE(alvo->aguardar(
            [&](const std::vector<std::string>& ls) {
              return static_cast<std::size_t>(std::count(ls.begin(), ls.end(), "foco")) > focos;
            },
            20000));
        QTest::mouseClick(rodar, Qt::LeftButton);
        EXPECT_EQ(status(), status::kRodando);
      });
  roteiro.passo(
      "retomado, o alvo recebe mais linhas",
      [&] { return status() == status::kRodando && itens() >= itensNaPausa + 3; },
      [&] {
        EXPECT_EQ(barra(), (B{false, true, true, false, true}));
        contadorAoEncerrar = contador();
        QTest::mouseClick(encerrar, Qt::LeftButton);
      });
  roteiro.passo(
      "encerrado", [&] { return !janela->host().emExecucao() && status() == status::kInativo; }, [] {});

  QElapsedTimer relogio;
  relogio.start();
  janela->iniciar({script, QStringLiteral("rodar=0")});
  roteiro.iniciar();
  EXPECT_TRUE(QTest::qWaitFor([&] { return roteiro.terminado() && !janela->host().emExecucao(); }, 90000));
  ASSERT_EQ(roteiro.falha(), "");
  std::cout << "Do início ao fim da execução: " << relogio.elapsed() << " ms" << std::endl;

  EXPECT_EQ(textoMensagem, QStringLiteral("O script foi pausado por sua solicitação"));
  // Stopped after the statement in progress: the items typed are those the
  // counter had reached when "Encerrar" was clicked, each one whole.
  ASSERT_GT(contadorAoEncerrar, 0);
  EXPECT_LT(contadorAoEncerrar, kVoltas);
  std::string esperado;
  for (int i = 0; i < contadorAoEncerrar; ++i) esperado += "ação.";
  EXPECT_TRUE(alvo->aguardar([&](const std::vector<std::string>&) { return texto().size() >= esperado.size(); },
                             20000));
  EXPECT_EQ(texto(), esperado);
  EXPECT_TRUE(aguardar([&] { return teclado.teclasPressionadas().empty(); }, 20000))
      << "teclas ainda pressionadas: " << teclado.teclasPressionadas().size();
  EXPECT_TRUE(QTest::qWaitFor([&] { return barra() == B{true, false, false, false, false}; }, 20000));
  EXPECT_EQ(mensagemAberta(), nullptr);
  QTest::qWait(300);  // the last repaint reaches the server
  capturar(QStringLiteral("5-encerrado"));
  janela.reset();
  qunsetenv("MIVO_BASE_DIR");
}
