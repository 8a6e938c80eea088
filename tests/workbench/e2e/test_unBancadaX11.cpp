// The workbench on a real X desktop (Xvfb with openbox), with the X11
// desktop backend and the real clock. The program `mivo` runs a script
// that fills a target window from a list and closes by itself; then the
// main window, in this process on Qt's xcb platform, runs a long loop that
// the user pauses with F9 (pressed on the server through XTest), resumes
// with "Executar" and stops with "Encerrar". Screenshots of the display in
// each state go to the build folder (capturas/).

#include "unJanelaX11Teste.h"  // first: Xlib's macros would break GoogleTest

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
#include "unFrmInfo.h"
#include "unFrmMain.h"
#include "unFrmMsg.h"
#include "unRoteiroTeste.h"
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

// A target window at the right of the screen, beside the workbench.
CLAlvoTeste::Opcoes alvoAoLado(const std::string& titulo) {
  CLAlvoTeste::Opcoes opcoes;
  opcoes.titulo = titulo;
  opcoes.x = 1060;
  opcoes.y = 100;
  opcoes.largura = 200;
  opcoes.altura = 300;
  return opcoes;
}

class BancadaX11 : public JanelaX11 {
 protected:
  // The real desktop, as the program hands it over.
  static void usarDesktopReal(TfrmMain& janela) {
    janela.host().setFabricaDesktop([](QString& erro) -> std::unique_ptr<CLDesktop> {
      DesktopCriado criado = criarDesktop({});
      if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
      return std::move(criado.desktop);
    });
  }
};

}  // namespace

// `mivo script.mivo`: the script opens its list, activates the target and
// writes one line per row (pasted with the row's values, then typed); its
// config section says "fechar_ao_terminar=sim", so the program ends by
// itself, with status 0.
TEST_F(BancadaX11, MivoRodaOScriptComALinhaDeComandoEFechaAoTerminar) {
  auto alvo = abrirAlvo(alvoAoLado("Pedidos da Padaria - Alvo"));

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

// Item after item typed into the target by a long &TextoDigitar. F9 held
// on the server in the middle of a text pauses at once: the message says
// so and nothing more is typed anywhere while it is open or while the run
// waits (the workbench, brought forward, gets no keys: its run does not end
// by itself). The user clicks "Executar" on the workbench with the mouse:
// the target gets the focus back and the text goes on from the character
// where it stopped. An F9 pressed for a quarter of a second right after
// that pauses again; "Encerrar" ends the run after the statement in
// progress, with no key left down. What arrived is the script's text,
// every character once.
TEST_F(BancadaX11, F9PausaNoMeioDoTextoEExecutarDevolveOFoco) {
  CLAlvoTeste::Opcoes opcoes = alvoAoLado("Alvo da bancada");
  opcoes.cor = "2080ff";
  auto alvo = abrirAlvo(opcoes);
  ASSERT_FALSE(HasFailure());

  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  std::string item;
  // Long enough for F9 to land in the middle of a text.
  for (int p = 1; p <= 150; ++p) item += (p > 1 ? " ação" : "ação") + std::to_string(p);
  constexpr int kVoltas = 2000;
  const QString script = base.filePath(QStringLiteral("laco.mivo"));
  {
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("&ValorDefinir(\"i\";\"0\").\r\n"
                           "&Marcador(volta).\r\n"
                           "&JanelaAtivar(\"alvo da bancada\").\r\n"
                           "&ValorInc(\"i\";1).\r\n"
                           "&TextoDigitar(\"%2\").\r\n"
                           "&TeclarEnter().\r\n"
                           "&Se([i]<%1;&VaiPara(volta)).\r\n")
                .arg(kVoltas)
                .arg(QString::fromStdString(item))
                .toUtf8());
  }
  const std::string linha = item + "\r";

  criarAplicacao();
  CLTecladoXTeste teclado;
  ASSERT_TRUE(teclado.abrir(tela));
  auto janela = std::make_unique<TfrmMain>();
  usarDesktopReal(*janela);
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
  auto* statusRodando = qobject_cast<QLabel*>(painel("lbStatusRodando"));
  ASSERT_FALSE(HasFailure());
  auto status = [&] { return janela->host().statusExecucao(); };
  auto texto = [&] { return alvo->textoRecebido(); };
  auto contador = [&] { return janela->host().script().valores().valor(QStringLiteral("i")).toInt(); };
  // The toolbar as the user sees it: Executar, Pausar, Encerrar, the pause
  // bar and the run bar.
  auto barra = [&] {
    return std::vector<bool>{rodar->isVisible(), pausar->isVisible(), encerrar->isVisible(), barraPausa->isVisible(),
                             barraExecucao->isVisible()};
  };
  using B = std::vector<bool>;
  QString editorAntes;

  std::size_t tamanhoNaPausa = 0;
  int pausas = 0;
  int contadorAoEncerrar = -1;
  bool f9Pressionada = false;
  QStringList textosMensagem;
  auto soltarF9 = [&] {
    if (f9Pressionada) {
      EXPECT_TRUE(teclado.soltar("F9"));
    }
    f9Pressionada = false;
  };
  CLRoteiro roteiro([&] {
    // A step timed out: what the run and the target were doing, then
    // nothing stays down and the run ends.
    const std::string t = texto();
    ADD_FAILURE() << "status " << textoStatus(status()).toStdString() << ", em execução " << janela->host().emExecucao()
                  << ", contador " << contador() << "; fim do texto do alvo: "
                  << t.substr(t.size() > 200 ? t.size() - 200 : 0);
    soltarF9();
    if (TfrmMsg* msg = mensagemAberta()) msg->reject();
    janela->host().encerrarExecucao();
  });
  auto pausaPorF9 = [&](const std::string& nome) {
    roteiro.passo(
        nome + ": F9 mostra a mensagem", [&] { return mensagemAberta() != nullptr; },
        [&] {
          EXPECT_EQ(status(), StatusExecucao::Pausado);
          soltarF9();
          textosMensagem << mensagemAberta()->findChild<QLabel*>(QStringLiteral("lbMsg"))->text();
          tamanhoNaPausa = texto().size();
          ++pausas;
        });
    // While the message is open nothing more arrives (what the target
    // reports may trail what was typed before the pause by a moment).
    auto semMudar = std::make_shared<QElapsedTimer>();
    roteiro.passo(
        nome + ": mensagem desenhada, nada digitado",
        [&, semMudar] {
          if (!semMudar->isValid() || texto().size() != tamanhoNaPausa) {
            tamanhoNaPausa = texto().size();
            semMudar->start();
          }
          return mensagemAberta() && exposta(mensagemAberta()) && semMudar->elapsed() >= 600;
        },
        [&] {
          // The first pause came in the middle of a text.
          if (pausas == 1) {
            EXPECT_NE(tamanhoNaPausa % linha.size(), 0u) << tamanhoNaPausa;
          }
          capturar(QStringLiteral("pausa%1-mensagem").arg(pausas));
          clicar(mensagemAberta()->findChild<QPushButton*>(QStringLiteral("btnOk")));
        });
    // Paused: nothing arrives in the target, and the workbench in front
    // takes no keys (its run goes on waiting).
    roteiro.passo(
        nome + ": pausado, sem mensagem e sem texto novo",
        porAlgumTempo([&] { return !mensagemAberta() && status() == StatusExecucao::Pausado && texto().size() == tamanhoNaPausa; },
                      800),
        [&] {
          EXPECT_EQ(barra(), (B{true, false, true, true, true}));
          EXPECT_EQ(statusRodando->text(), QStringLiteral("  Status: pausado  "));
          EXPECT_EQ(janela->textoScript(), editorAntes);
          capturar(QStringLiteral("pausa%1-pausado").arg(pausas));
          // The user clicks "Executar" on the workbench.
          clicar(rodar);
        });
  };
  roteiro.passo(
      "janela aberta, inativa", porAlgumTempo([&] { return exposta(janela.get()) && status() == StatusExecucao::Inativo; }, 300),
      [&] {
        EXPECT_EQ(barra(), (B{true, false, false, false, false}));
        editorAntes = janela->textoScript();
        capturar(QStringLiteral("1-inativa"));
        clicar(rodar);
      });
  roteiro.passo(
      "rodando, o alvo está no meio do segundo item",
      [&] { return status() == StatusExecucao::Rodando && texto().size() >= linha.size() + linha.size() / 3; },
      [&] {
        EXPECT_EQ(barra(), (B{false, true, true, false, true}));
        EXPECT_EQ(statusRodando->text(), QStringLiteral("  Status: rodando  "));
        capturar(QStringLiteral("2-rodando"));
        f9Pressionada = teclado.pressionar("F9");
        EXPECT_TRUE(f9Pressionada);
      });
  pausaPorF9("primeira pausa");
  roteiro.passo(
      "retomado: o alvo recebe o resto do texto", [&] { return status() == StatusExecucao::Rodando && texto().size() > tamanhoNaPausa; },
      [&] {
        // A short F9 right after resuming pauses again.
        f9Pressionada = teclado.pressionar("F9");
        QTimer::singleShot(250, [&] { soltarF9(); });
      });
  pausaPorF9("segunda pausa");
  roteiro.passo(
      "retomado de novo, o alvo recebe mais um item",
      [&] { return status() == StatusExecucao::Rodando && texto().size() >= tamanhoNaPausa + linha.size(); },
      [&] {
        EXPECT_EQ(barra(), (B{false, true, true, false, true}));
        contadorAoEncerrar = contador();
        clicar(encerrar);
      });
  roteiro.passo(
      "encerrado", [&] { return !janela->host().emExecucao() && status() == StatusExecucao::Inativo; }, [] {});

  QElapsedTimer relogio;
  relogio.start();
  janela->iniciar({script, QStringLiteral("rodar=0")});
  roteiro.iniciar();
  EXPECT_TRUE(QTest::qWaitFor([&] { return roteiro.terminado() && !janela->host().emExecucao(); }, 120000));
  ASSERT_EQ(roteiro.falha(), "");
  std::cout << "Do início ao fim da execução: " << relogio.elapsed() << " ms" << std::endl;

  EXPECT_EQ(textosMensagem, QStringList(2, QStringLiteral("O script foi pausado por sua solicitação")));
  // Every item before the one in progress when "Encerrar" was clicked
  // arrived whole and once; that one stopped between two characters (the
  // click put the focus on the workbench: the rest would have gone there).
  // Nothing else arrived, and nothing went into the workbench.
  ASSERT_GT(contadorAoEncerrar, 1);
  EXPECT_LT(contadorAoEncerrar, kVoltas);
  std::string inteiros;
  for (int i = 1; i < contadorAoEncerrar; ++i) inteiros += linha;
  QTest::qWait(500);
  const std::string recebido = texto();
  ASSERT_GE(recebido.size(), inteiros.size());
  EXPECT_EQ(recebido.substr(0, inteiros.size()), inteiros);
  const std::string ultimo = recebido.substr(inteiros.size());
  EXPECT_EQ(ultimo, linha.substr(0, ultimo.size())) << ultimo;
  EXPECT_LE(ultimo.size(), linha.size());
  EXPECT_EQ(janela->textoScript(), editorAntes);
  EXPECT_TRUE(aguardar([&] { return teclado.teclasPressionadas().empty(); }, 20000))
      << "teclas ainda pressionadas: " << teclado.teclasPressionadas().size();
  EXPECT_TRUE(QTest::qWaitFor([&] { return barra() == B{true, false, false, false, false}; }, 20000));
  EXPECT_EQ(mensagemAberta(), nullptr);
  QTest::qWait(300);  // the last repaint reaches the server
  capturar(QStringLiteral("5-encerrado"));
  janela.reset();
  qunsetenv("MIVO_BASE_DIR");
}

// In real use: the script is named after the program it drives (its
// workbench's caption holds "alvo"), a step comment shows right after the
// activation, and the script shows a message half-way. &JanelaAtivar finds
// the target, not the workbench; the step bar does not take the keyboard;
// the message the user answers with a click gives the focus back to the
// target; while the message is open the run bar names it, though the log
// is paused. Every text arrives in the target, once.
TEST_F(BancadaX11, FocoFicaNoAlvoComPassoEMensagem) {
  auto alvo = abrirAlvo(alvoAoLado("Alvo - conversa"));
  ASSERT_FALSE(HasFailure());

  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  const QString script = base.filePath(QStringLiteral("alvo_envio.mivo"));
  {
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("&JanelaAtivar(\"alvo\").\r\n"
            "&SeResultado(FALHA;&VaiPara(fim)).\r\n"
            "//* Enviando a primeira parte\r\n"
            "&TextoColar(\"Olá, Zé!\").\r\n"
            "&TeclarEnter().\r\n"
            "&TextoDigitar(\"ação\").\r\n"
            "&TeclarEnter().\r\n"
            "&MsgExibir(\"Confira o alvo e clique em OK\").\r\n"
            "//* Enviando a segunda parte\r\n"
            "&TextoColar(\"Até já.\").\r\n"
            "&TeclarEnter().\r\n"
            "&Marcador(fim).\r\n");
  }

  criarAplicacao();
  auto janela = std::make_unique<TfrmMain>();
  usarDesktopReal(*janela);
  ASSERT_TRUE(janela->abrirScript(script));
  EXPECT_EQ(janela->windowTitle(), QStringLiteral("Mivo - alvo_envio"));
  janela->showForm();
  ASSERT_TRUE(aguardarFirme([&] { return exposta(janela.get()); }));
  auto* rodar = janela->findChild<QPushButton*>(QStringLiteral("btnRodar"));
  auto* rodando = janela->findChild<QLabel*>(QStringLiteral("lbRodandoStatus"));
  ASSERT_TRUE(rodar && rodando);

  QString barraNaMensagem;
  bool passoVisto = false;
  CLRoteiro roteiro([&] {
    ADD_FAILURE() << "status " << textoStatus(janela->host().statusExecucao()).toStdString() << "; o alvo recebeu: "
                  << transcricao(*alvo);
    if (TfrmMsg* msg = mensagemAberta()) msg->reject();
    janela->host().encerrarExecucao();
  });
  roteiro.passo(
      "a mensagem do script", [&] { return mensagemAberta() && exposta(mensagemAberta()); },
      [&] {
        passoVisto = janela->janelaPasso().isVisible();
        barraNaMensagem = rodando->text();
        capturar(QStringLiteral("foco-mensagem"));
        clicar(mensagemAberta()->findChild<QPushButton*>(QStringLiteral("btnOk")));
      });
  roteiro.passo(
      "fim da execução", [&] { return !janela->host().emExecucao(); }, [] {});
  roteiro.iniciar();
  // The user clicks "Executar".
  clicar(rodar);
  EXPECT_TRUE(QTest::qWaitFor([&] { return roteiro.terminado(); }, 60000));
  ASSERT_EQ(roteiro.falha(), "");

  const std::string esperado = "Olá, Zé!\ração\rAté já.\r";
  EXPECT_TRUE(alvo->aguardar([&](const std::vector<std::string>&) { return transcricao(*alvo).size() >= esperado.size(); },
                             20000));
  EXPECT_EQ(transcricao(*alvo), esperado);
  EXPECT_TRUE(passoVisto);
  EXPECT_TRUE(barraNaMensagem.contains(QStringLiteral("MsgExibir"))) << barraNaMensagem.toStdString();
  janela.reset();
  qunsetenv("MIVO_BASE_DIR");
}
