// The README's example as a user runs it, on a real X desktop (Xvfb with
// openbox), against a real text editor standing in for the chat program
// (Mousepad, a GTK program): the script named after the program it drives
// (its workbench's caption holds "mousepad"), 200 contacts with accents
// loaded in the "Dados" tab, "Executar" and "Rodar o script" clicked with
// the mouse, F9 pressed half-way, the pause message answered and the run
// resumed with a click on "Executar". The editor's document is saved at the
// end and compared byte for byte with what the script should have sent; the
// example's count must equal what arrived.

#include "unJanelaX11Teste.h"  // first: Xlib's macros would break GoogleTest

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>

#include "unCLLista.h"
#include "unCLScript.h"
#include "unCLStatusExecucao.h"
#include "unFabricaDesktop.h"
#include "unFrmInfo.h"
#include "unFrmLista.h"
#include "unFrmMain.h"
#include "unFrmStart.h"
#include "unRoteiroTeste.h"
#include "unTecladoXTeste.h"
#include "unUtil.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

constexpr int kContatos = 200;

QByteArray lerBytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ExemploX11 : public JanelaX11 {};

}  // namespace

TEST_F(ExemploX11, ExemploDoReadmeNumEditorDeTextoDeVerdade) {
  ASSERT_TRUE(programaInstalado("mousepad")) << "o teste precisa do mousepad (ferramentas/dependencias.sh o instala)";
  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  qputenv("MIVO_BASE_DIR", base.path().toLocal8Bit());
  const QDir pasta(base.path());

  // The list: the titles, then 200 contacts with accented names.
  const QStringList nomes = {QStringLiteral("Ana Lúcia"), QStringLiteral("João"), QStringLiteral("Zé d'Ávila"),
                             QStringLiteral("Maria Antônia"), QStringLiteral("Conceição")};
  QString lista = QStringLiteral("nome;celular\r\n");
  QByteArray esperado;
  for (int i = 1; i <= kContatos; ++i) {
    const QString nome = nomes[i % nomes.size()] + QStringLiteral(" %1").arg(i, 3, 10, QChar(u'0'));
    lista += nome + QStringLiteral(";(81) 9%1\r\n").arg(i, 4, 10, QChar(u'0'));
    esperado += (QStringLiteral("Olá, ") + nome + QStringLiteral("! Temos uma novidade para você.\n")).toUtf8();
  }
  const QString arquivoLista = pasta.filePath(QStringLiteral("contatos.txt"));
  ASSERT_TRUE(gravarArquivo(arquivoLista, lista.toUtf8()));

  // The README's example adapted to the editor: its window instead of
  // "Conversa", and a shorter pause between messages.
  QString script;
  ASSERT_TRUE(lerArquivoTexto(QStringLiteral(MIVO_EXEMPLOS_DIR "/enviar_mensagens.mivo"), script));
  ASSERT_TRUE(script.contains(QStringLiteral("&JanelaAtivar(\"Conversa\").")));
  ASSERT_TRUE(script.contains(QStringLiteral("&Pausar100(50).")));
  script.replace(QStringLiteral("&JanelaAtivar(\"Conversa\")."), QStringLiteral("&JanelaAtivar(\"Mousepad\")."));
  script.replace(QStringLiteral("&Pausar100(50)."), QStringLiteral("&Pausar100(2)."));
  QDir().mkpath(pasta.filePath(QStringLiteral("dados/scripts")));
  const QString arquivoScript = pasta.filePath(QStringLiteral("dados/scripts/mousepad_envio.mivo"));
  ASSERT_TRUE(gravarArquivo(arquivoScript, script.toUtf8()));

  // The editor, on an empty document of its own.
  const QString documento = pasta.filePath(QStringLiteral("recebidas.txt"));
  ASSERT_TRUE(gravarArquivo(documento, QByteArray()));
  CLProcessoTeste editor;
  CLProcessoTeste::Opcoes opcoesEditor;
  const std::string casa = pasta.filePath(QStringLiteral("casa")).toStdString();
  opcoesEditor.ambiente = {{"DISPLAY", tela},
                           {"HOME", casa},
                           {"XDG_CONFIG_HOME", casa + "/config"},
                           {"XDG_DATA_HOME", casa + "/dados"},
                           {"XDG_CACHE_HOME", casa + "/cache"},
                           {"GSETTINGS_BACKEND", "memory"},
                           {"NO_AT_BRIDGE", "1"}};
  ASSERT_TRUE(editor.iniciar({"mousepad", documento.toStdString()}, opcoesEditor));
  JanelaId janelaEditor = JanelaId::Nenhuma;
  ASSERT_TRUE(aguardar(
      [&] {
        for (JanelaId j : desktop->janelasEmOrdem()) {
          const QString t = QString::fromStdU16String(desktop->janelaTitulo(j));
          if (t.contains(QStringLiteral("recebidas.txt")) && t.contains(QStringLiteral("Mousepad"))) janelaEditor = j;
        }
        return janelaEditor != JanelaId::Nenhuma;
      },
      30000))
      << "a janela do mousepad não apareceu";

  criarAplicacao();
  CLTecladoXTeste teclado;
  ASSERT_TRUE(teclado.abrir(tela));
  auto janela = std::make_unique<TfrmMain>();
  janela->host().setFabricaDesktop([](QString& erro) -> std::unique_ptr<CLDesktop> {
    DesktopCriado criado = criarDesktop({});
    if (!criado.desktop) erro = QString::fromStdU16String(criado.erro);
    return std::move(criado.desktop);
  });
  // "Abrir" the script, then "Abrir lista..." in the "Dados" tab.
  ASSERT_TRUE(janela->abrirScript(arquivoScript));
  EXPECT_EQ(janela->windowTitle(), QStringLiteral("Mivo - mousepad_envio"));
  janela->showForm();
  ASSERT_TRUE(aguardarFirme([&] { return exposta(janela.get()); }));
  janela->setEscolherArquivoAbrir([&](const QString&, const QString&) { return arquivoLista; });
  QAction* abrirLista = janela->janelaLista().acao(QStringLiteral("Abrir lista..."));
  ASSERT_NE(abrirLista, nullptr);
  abrirLista->trigger();
  ASSERT_EQ(janela->host().lista().gridDados.cell(0, kContatos), nomes[kContatos % nomes.size()] + QStringLiteral(" 200"));

  auto* rodar = janela->findChild<QPushButton*>(QStringLiteral("btnRodar"));
  ASSERT_NE(rodar, nullptr);
  auto status = [&] { return janela->host().statusExecucao(); };
  auto enviadas = [&] { return janela->host().script().valores().valor(QStringLiteral("enviadas")).toInt(); };
  QString mensagemPausa, mensagemFinal;
  bool passoVisto = false;
  bool f9 = false;
  CLRoteiro roteiro([&] {
    ADD_FAILURE() << "status " << textoStatus(status()).toStdString() << ", enviadas " << enviadas();
    if (f9) teclado.soltar("F9");
    if (TfrmMsg* msg = mensagemAberta()) msg->reject();
    janela->host().encerrarExecucao();
  });
  auto clicarOk = [&] { clicar(mensagemAberta()->findChild<QPushButton*>(QStringLiteral("btnOk"))); };
  auto textoMensagem = [&] { return mensagemAberta()->findChild<QLabel*>(QStringLiteral("lbMsg"))->text(); };
  roteiro.passo(
      "a janela de parâmetros",
      [&] { return janela->janelaParametros() != nullptr && exposta(janela->janelaParametros()); },
      [&] {
        capturar(QStringLiteral("exemplo-1-parametros"));
        clicar(janela->janelaParametros()->findChild<QPushButton*>(QStringLiteral("btnRodar")));
      });
  roteiro.passo(
      "metade das mensagens enviadas", [&] { return status() == StatusExecucao::Rodando && enviadas() >= kContatos / 2; },
      [&] {
        passoVisto = janela->janelaPasso().isVisible();
        capturar(QStringLiteral("exemplo-2-rodando"));
        f9 = teclado.pressionar("F9");
      });
  roteiro.passo(
      "a mensagem da pausa", [&] { return mensagemAberta() && exposta(mensagemAberta()); },
      [&] {
        teclado.soltar("F9");
        f9 = false;
        mensagemPausa = textoMensagem();
        clicarOk();
      });
  roteiro.passo(
      "pausado", porAlgumTempo([&] { return !mensagemAberta() && status() == StatusExecucao::Pausado; }, 1000),
      [&] {
        capturar(QStringLiteral("exemplo-3-pausado"));
        clicar(rodar);
      });
  // While the message is open the run bar names the statement that showed
  // it, though the log is paused.
  auto* barraExecucao = janela->findChild<QLabel*>(QStringLiteral("lbRodandoStatus"));
  ASSERT_NE(barraExecucao, nullptr);
  roteiro.passo(
      "o total enviado, com a barra de execução em dia",
      [&] {
        return mensagemAberta() && exposta(mensagemAberta()) &&
               barraExecucao->text().contains(QStringLiteral("MsgExibir"));
      },
      [&] {
        QTest::qWait(100);  // the bar's repaint reaches the server
        mensagemFinal = textoMensagem();
        capturar(QStringLiteral("exemplo-4-fim"));
        clicarOk();
      },
      180000);
  roteiro.passo(
      "fim da execução", [&] { return !janela->host().emExecucao(); }, [] {});

  QElapsedTimer relogio;
  relogio.start();
  roteiro.iniciar();
  clicar(rodar);
  EXPECT_TRUE(QTest::qWaitFor([&] { return roteiro.terminado(); }, 300000));
  ASSERT_EQ(roteiro.falha(), "");
  std::cout << kContatos << " mensagens em " << relogio.elapsed() << " ms" << std::endl;

  EXPECT_EQ(mensagemPausa, QStringLiteral("O script foi pausado por sua solicitação"));
  EXPECT_EQ(mensagemFinal, QStringLiteral("Mensagens enviadas: %1\nNão enviadas: 0").arg(kContatos));
  EXPECT_TRUE(passoVisto);

  // The editor saves what it received (Ctrl+S), and it is exactly what the
  // script sent: every message once, in order, accents intact.
  ASSERT_TRUE(desktop->janelaAtivar(janelaEditor));
  teclado.pressionar("Control_L");
  teclado.pressionar("s");
  teclado.soltar("s");
  teclado.soltar("Control_L");
  ASSERT_TRUE(aguardar([&] { return lerBytes(documento).size() >= esperado.size(); }, 20000))
      << "o documento tem " << lerBytes(documento).size() << " bytes";
  const QByteArray recebido = lerBytes(documento);
  EXPECT_EQ(recebido.count('\n'), kContatos);
  EXPECT_EQ(recebido, esperado);
  if (recebido != esperado) {
    const QList<QByteArray> a = recebido.split('\n'), b = esperado.split('\n');
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
      if (a[i] == b[i]) continue;
      ADD_FAILURE() << "primeira diferença na linha " << i + 1 << ": [" << a[i].toStdString() << "] em vez de ["
                    << b[i].toStdString() << "]";
      break;
    }
  }
  EXPECT_TRUE(aguardar([&] { return teclado.teclasPressionadas().empty(); }, 10000));
  janela.reset();
  editor.parar();
  qunsetenv("MIVO_BASE_DIR");
}
