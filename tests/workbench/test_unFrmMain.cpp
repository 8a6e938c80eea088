#include "unFrmMain.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTest>

#include "unApoioDialogos.h"
#include "unArquivoLista.h"
#include "unCLLista.h"
#include "unCLDesktopSimulado.h"
#include "unAjudaFalsa.h"
#include "unCLAjudaLinha.h"
#include "unCLEditorScript.h"
#include "unDtmPrincipal.h"
#include "unFrmLista.h"
#include "unFrmMsg.h"
#include "unFrmSalvarFile.h"
#include "unRespostaMsg.h"
#include "unUtil.h"

namespace mivo {
namespace {

using teste::CLResposta;
using teste::filho;


class FrmMain : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gBase.isValid());
    qputenv("MIVO_BASE_DIR", gBase.path().toLocal8Bit());
    QDir(gBase.path()).mkpath(QStringLiteral("dados/scripts"));
    gJanela = std::make_unique<TfrmMain>(true);
    gJanela->host().setDesktop(std::make_unique<CLDesktopSimulado>());
  }
  void TearDown() override {
    gJanela.reset();
    qunsetenv("MIVO_BASE_DIR");
  }
  QString criar(const QString& nome, const QByteArray& bytes) {
    const QString caminho = gBase.filePath(nome);
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return caminho;
  }
  QString textoAuxiliar() { return filho<QPlainTextEdit>(*gJanela, "mmoTexto")->toPlainText(); }
  QTabWidget* principal() { return filho<QTabWidget>(*gJanela, "pgcPrincipal"); }
  QPushButton* botao(const char* nome) { return filho<QPushButton>(*gJanela, nome); }

  QTemporaryDir gBase;
  std::unique_ptr<TfrmMain> gJanela;
};

const QByteArray kRodaEAvisa = "##pre_carregar\r\nrodar=sim\r\n##pre_carregar_fim\r\n&TaLinhaAdicionar(rodou).\r\n";

TEST_F(FrmMain, NovoMostraOModeloEmModoDeEdicao) {
  gJanela->checkParams({QStringLiteral("NOVO")});
  EXPECT_TRUE(gJanela->isVisible());
  EXPECT_EQ(gJanela->textoScript(),
            CLDocumentoScript::linhasNovoScript(gJanela->host().dataHora().date()).join(u'\n'));
  EXPECT_EQ(gJanela->windowTitle(), QStringLiteral("Mivo"));
  EXPECT_EQ(filho<QLabel>(*gJanela, "stScriptName")->text(), QStringLiteral("  Script: Sem nome  "));
  EXPECT_TRUE(filho<QWidget>(*gJanela, "pnTools")->isVisible());
  EXPECT_EQ(filho<QTabWidget>(*gJanela, "pgcScript")->currentIndex(), 2);
  EXPECT_TRUE(gJanela->documento().salvo());
  EXPECT_FALSE(botao("btnSalvarScript")->isVisible());
  EXPECT_FALSE(botao("btnPausar")->isVisible());
  EXPECT_TRUE(botao("btnRodar")->isVisible());
  // The template runs: its greeting is a message.
  CLResposta ola;
  gJanela->btnRodarClick();
  EXPECT_EQ(ola.texto(), QStringLiteral("Olá mundo"));
  EXPECT_TRUE(gJanela->rodou());
}

TEST_F(FrmMain, LinhaDeComando) {
  const QString roda = criar(QStringLiteral("dados/scripts/roda.mivo"), kRodaEAvisa);
  const QString naoRoda = criar(QStringLiteral("dados/scripts/nao_roda.mivo"),
                                "##pre_carregar\r\nrodar=não\r\n##pre_carregar_fim\r\n&TaLinhaAdicionar(rodou).\r\n");
  struct Caso {
    const char* nome;
    QStringList argumentos;
    bool rodou;
    QString titulo;
  };
  const QList<Caso> casos = {
      {"caminho roda", {roda}, true, QStringLiteral("Mivo - roda")},
      {"nome no padrão, sem extensão", {QStringLiteral("roda")}, true, QStringLiteral("Mivo - roda")},
      {"rodar=0", {roda, QStringLiteral("rodar=0")}, false, QStringLiteral("Mivo - roda")},
      {"Rodar=0 não é rodar=0", {roda, QStringLiteral("Rodar=0")}, true, QStringLiteral("Mivo - roda")},
      {"pré-carga rodar=não", {naoRoda}, false, QStringLiteral("Mivo - nao_roda")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    gJanela = std::make_unique<TfrmMain>(true);
    gJanela->host().setDesktop(std::make_unique<CLDesktopSimulado>());
    gJanela->checkParams(c.argumentos);
    EXPECT_TRUE(gJanela->isVisible());
    EXPECT_EQ(gJanela->windowTitle(), c.titulo);
    EXPECT_EQ(textoAuxiliar(), c.rodou ? QStringLiteral("rodou") : QString());
    EXPECT_EQ(gJanela->rodou(), c.rodou);
    EXPECT_TRUE(gJanela->documento().salvo());
  }
}

TEST_F(FrmMain, ScriptQueNaoAbreNaoMudaNadaNemRoda) {
  const QString binario = criar(QStringLiteral("foto.mivo"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  QDir(gBase.path()).mkdir(QStringLiteral("pasta.mivo"));
  const QList<std::pair<QString, QString>> casos = {
      {gBase.filePath(QStringLiteral("sumiu.mivo")), QStringLiteral("não foi encontrado")},
      {binario, QStringLiteral("não contém texto")},
      {gBase.filePath(QStringLiteral("pasta.mivo")), QStringLiteral("não é um arquivo de script")},
  };
  for (const auto& [caminho, trecho] : casos) {
    SCOPED_TRACE(caminho.toStdString());
    gJanela = std::make_unique<TfrmMain>(true);
    CLResposta erro;
    gJanela->checkParams({caminho});
    EXPECT_TRUE(erro.texto().contains(trecho)) << erro.texto().toStdString();
    EXPECT_TRUE(gJanela->isVisible());
    EXPECT_TRUE(gJanela->textoScript().isEmpty());
    EXPECT_TRUE(gJanela->documento().semNome());
    EXPECT_FALSE(gJanela->rodou());
    EXPECT_EQ(gJanela->windowTitle(), QStringLiteral("Mivo"));
  }
  // An open document stays as it was.
  const QString bom = criar(QStringLiteral("bom.mivo"), kRodaEAvisa);
  ASSERT_TRUE(gJanela->abrirScript(bom));
  CLResposta erro;
  EXPECT_FALSE(gJanela->abrirScript(binario));
  EXPECT_TRUE(erro.atendida());
  EXPECT_EQ(gJanela->documento().caminho(), bom);
  EXPECT_EQ(gJanela->textoScript(), dividirLinhas(QString::fromUtf8(kRodaEAvisa)).join(u'\n'));
}

TEST_F(FrmMain, ConfigAplicadaEmTodaExecucaoNova) {
  const QString s = criar(QStringLiteral("cfg.mivo"),
                          "##config\r\nocultar_aba_dados=sim // sem dados\r\nfechar_ao_terminar=não\r\n"
                          "##config_fim\r\n&TaLinhaAdicionar(x).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  gJanela->showForm();
  EXPECT_TRUE(principal()->tabBar()->isVisible());
  gJanela->btnRodarClick();
  // No parameter lines, and still the config section counts.
  EXPECT_FALSE(principal()->tabBar()->isVisible());
  EXPECT_FALSE(principal()->isTabVisible(1));
  EXPECT_EQ(principal()->currentIndex(), 0);
  EXPECT_FALSE(gJanela->fecharAoTerminar());
  EXPECT_TRUE(gJanela->isVisible());
}

TEST_F(FrmMain, ParametrosDoScriptEDoArquivoAoLado) {
  // The info section names a value too: read as a parameters file, the
  // script itself would give "Zé".
  const QByteArray texto =
      "##info\r\nnome=Zé\r\n##info_fim\r\n##parametros\r\nnome=Ana // quem\r\n##parametros_fim\r\n"
      "&TaLinhaAdicionar([nome]).\r\n";
  struct Caso {
    QString script;
    QString params;  // written beside it when not empty
    QString esperado;
  };
  const QList<Caso> casos = {
      {QStringLiteral("envio.txt"), {}, QStringLiteral("Ana")},
      {QStringLiteral("envio"), {}, QStringLiteral("Ana")},
      {QStringLiteral("envio.mivo"), {}, QStringLiteral("Ana")},
      {QStringLiteral("lembra.mivo"), QStringLiteral("nome=Bia"), QStringLiteral("Bia")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.script.toStdString());
    const QString caminho = criar(c.script, texto);
    if (!c.params.isEmpty()) criar(QFileInfo(c.script).completeBaseName() + QStringLiteral(".params"), c.params.toUtf8());
    gJanela = std::make_unique<TfrmMain>(true);
    ASSERT_TRUE(gJanela->abrirScript(caminho));
    gJanela->btnRodarClick();
    // A script with parameter lines waits for the parameters window.
    EXPECT_TRUE(textoAuxiliar().isEmpty());
    QPointer<TfrmStart> parametros = gJanela->janelaParametros();
    ASSERT_TRUE(parametros);
    parametros->btnRodarClick();
    EXPECT_EQ(textoAuxiliar(), c.esperado);
    EXPECT_TRUE(gJanela->rodou());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), texto);
  }
}

TEST_F(FrmMain, JanelaDeParametrosAntesDaExecucao) {
  const QString caminho = criar(QStringLiteral("dados/scripts/envio.mivo"),
                                "##pre_carregar\r\nexigir_dados=sim\r\n##pre_carregar_fim\r\n"
                                "##parametros\r\nnome=Ana // quem recebe\r\n##parametros_fim\r\n"
                                "&TaLinhaAdicionar([nome]).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(caminho));
  gJanela->show();
  gJanela->btnRodarClick();
  QPointer<TfrmStart> parametros = gJanela->janelaParametros();
  ASSERT_TRUE(parametros);
  EXPECT_TRUE(parametros->isVisible());
  EXPECT_FALSE(botao("btnRodar")->isEnabled());
  EXPECT_FALSE(botao("btnPreLoad")->isVisible());
  auto ativar = [&] {
    QEvent ativa(QEvent::WindowActivate);
    QApplication::sendEvent(parametros.data(), &ativa);
  };
  auto rotuloDados = [&] { return filho<QLabel>(*parametros, "lbDados")->text(); };
  // The keyboard starts on a control the user sees (it used to start on
  // the hidden tab bar, and Tab never left it).
  ASSERT_NE(parametros->focusWidget(), nullptr);
  EXPECT_EQ(parametros->focusWidget()->objectName(), QStringLiteral("btnDados"));

  // "Executar" again brings the same window forward; closing the workbench
  // only hides it while the window waits.
  gJanela->btnRodarClick();
  EXPECT_EQ(gJanela->janelaParametros(), parametros.data());
  EXPECT_FALSE(gJanela->close());
  EXPECT_FALSE(gJanela->isVisible());

  // Without data the run is refused.
  {
    CLResposta erro;
    parametros->btnRodarClick();
    EXPECT_EQ(erro.texto(), QStringLiteral("Primeiro verifique as pendências!"));
  }
  EXPECT_TRUE(textoAuxiliar().isEmpty());
  EXPECT_FALSE(gJanela->rodou());

  // The user goes to the workbench's "Dados" tab (the workbench comes
  // back), fills a record and returns.
  principal()->setCurrentIndex(1);
  EXPECT_EQ(rotuloDados(), QStringLiteral("A lista precisa ter dados"));
  principal()->setCurrentIndex(0);
  principal()->setCurrentIndex(1);
  EXPECT_EQ(rotuloDados(), QStringLiteral("A lista precisa ter dados"));
  gJanela->host().lista().gridDados.setCell(0, 1, QStringLiteral("ana@exemplo.com"));
  ativar();
  EXPECT_EQ(rotuloDados(), QStringLiteral("OK"));
  parametros->btnRodarClick();
  EXPECT_EQ(textoAuxiliar(), QStringLiteral("Ana"));
  EXPECT_TRUE(gJanela->rodou());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(parametros.isNull());
  EXPECT_EQ(gJanela->janelaParametros(), nullptr);
  EXPECT_TRUE(botao("btnRodar")->isEnabled());
  // The values of this run are remembered beside the script.
  QFile params(gBase.filePath(QStringLiteral("dados/scripts/envio.params")));
  ASSERT_TRUE(params.open(QIODevice::ReadOnly));
  EXPECT_TRUE(params.readAll().contains("nome=Ana"));
}

TEST_F(FrmMain, JanelaDeParametrosCanceladaDevolveOExecutar) {
  const QString caminho = criar(QStringLiteral("dados/scripts/cancela.mivo"),
                                "##parametros\r\nnome=Ana\r\n##parametros_fim\r\n&TaLinhaAdicionar([nome]).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(caminho));
  gJanela->show();
  gJanela->btnRodarClick();
  QPointer<TfrmStart> parametros = gJanela->janelaParametros();
  ASSERT_TRUE(parametros);
  // Closing the workbench hides it; cancelling brings it back, unchanged.
  EXPECT_FALSE(gJanela->close());
  parametros->btnCancelarClick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(parametros.isNull());
  EXPECT_TRUE(gJanela->isVisible());
  EXPECT_TRUE(botao("btnRodar")->isEnabled());
  EXPECT_TRUE(botao("btnPreLoad")->isVisible());
  EXPECT_FALSE(gJanela->rodou());
  EXPECT_TRUE(textoAuxiliar().isEmpty());
  // A new start opens a new window, and the workbench can still be closed
  // with one open: the window goes with it.
  gJanela->btnRodarClick();
  parametros = gJanela->janelaParametros();
  ASSERT_TRUE(parametros);
  parametros->hide();
  EXPECT_TRUE(gJanela->close());
  gJanela.reset();
  EXPECT_TRUE(parametros.isNull());
}

TEST_F(FrmMain, SalvarCanceladoOuFalhoNaoMudaODocumento) {
  const QString original = criar(QStringLiteral("dados/scripts/orig.mivo"), kRodaEAvisa);
  ASSERT_TRUE(gJanela->abrirScript(original));
  QTest::keyClicks(filho<CLEditorScript>(*gJanela, "mmoScript"), "// x");
  const QString editado = gJanela->textoScript();
  ASSERT_FALSE(gJanela->documento().salvo());
  auto conferir = [&] {
    EXPECT_EQ(gJanela->documento().nome(), QStringLiteral("orig"));
    EXPECT_EQ(gJanela->documento().caminho(), original);
    EXPECT_FALSE(gJanela->documento().salvo());
    EXPECT_EQ(gJanela->textoScript(), editado);
    EXPECT_TRUE(botao("btnSalvarScript")->isVisible() || !gJanela->isVisible());
  };
  {
    SCOPED_TRACE("cancelado");
    teste::CLEsperaModal<TfrmSalvarFile> salvar([](TfrmSalvarFile& j) { j.reject(); });
    gJanela->btnSalvarScriptClick();
    EXPECT_TRUE(salvar.atendida());
    conferir();
  }
  criar(QStringLiteral("arquivo"), "não é pasta");
  const QList<QString> destinos = {
      gBase.filePath(QStringLiteral("arquivo/sub/novo.mivo")),  // a folder that cannot exist
      QStringLiteral("con"),  // a name Windows keeps for a device
  };
  for (const QString& destino : destinos) {
    SCOPED_TRACE(destino.toStdString());
    // The one save window comes back for every save.
    teste::janelasAtendidas().clear();
    teste::CLEsperaModal<TfrmSalvarFile> salvar([&](TfrmSalvarFile& j) {
      filho<QLineEdit>(j, "edtNome")->setText(destino);
      QTest::mouseClick(filho<QPushButton>(j, "btnOk"), Qt::LeftButton);
    });
    CLResposta erro;
    gJanela->btnSalvarScriptClick();
    EXPECT_TRUE(salvar.atendida());
    EXPECT_TRUE(erro.texto().contains(QStringLiteral("Não foi possível gravar"))) << erro.texto().toStdString();
    conferir();
  }
  // Onto a file the user made read-only: asked to overwrite, then refused.
  const QString protegido = criar(QStringLiteral("dados/scripts/protegido.mivo"), "antigo");
  ASSERT_TRUE(QFile::setPermissions(protegido, QFileDevice::ReadOwner));
  {
    SCOPED_TRACE("somente leitura");
    teste::janelasAtendidas().clear();
    teste::CLEsperaModal<TfrmSalvarFile> salvar([&](TfrmSalvarFile& j) {
      filho<QLineEdit>(j, "edtNome")->setText(QStringLiteral("protegido"));
      QTest::mouseClick(filho<QPushButton>(j, "btnOk"), Qt::LeftButton);
    });
    CLResposta sobrepor(QStringLiteral("sim")), erro;
    gJanela->btnSalvarScriptClick();
    EXPECT_TRUE(sobrepor.atendida() && erro.atendida());
    EXPECT_TRUE((sobrepor.texto() + erro.texto()).contains(QStringLiteral("somente leitura")))
        << (sobrepor.texto() + u'|' + erro.texto()).toStdString();
    conferir();
  }
  QFile p(protegido);
  ASSERT_TRUE(p.open(QIODevice::ReadOnly));
  EXPECT_EQ(p.readAll(), "antigo");
  QFile f(original);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), kRodaEAvisa);
}

TEST_F(FrmMain, SalvarGuardaTudoEDaNome) {
  gJanela->checkParams({QStringLiteral("novo")});
  filho<CLEditorScript>(*gJanela, "mmoScript")->setTextoScript(QStringLiteral("&TaLinhaAdicionar(✓ João).\n"));
  EXPECT_FALSE(gJanela->documento().salvo());
  teste::CLEsperaModal<TfrmSalvarFile> salvar([](TfrmSalvarFile& j) {
    EXPECT_EQ(j.nome(), QString());
    filho<QLineEdit>(j, "edtNome")->setText(QStringLiteral("meu_envio"));
    QTest::mouseClick(filho<QPushButton>(j, "btnOk"), Qt::LeftButton);
  });
  gJanela->btnSalvarScriptClick();
  const QString esperado = QDir(gBase.path()).filePath(QStringLiteral("dados/scripts/meu_envio.mivo"));
  EXPECT_EQ(QDir::cleanPath(gJanela->documento().caminho()), esperado);
  EXPECT_EQ(gJanela->documento().nome(), QStringLiteral("meu_envio"));
  EXPECT_TRUE(gJanela->documento().salvo());
  EXPECT_EQ(gJanela->windowTitle(), QStringLiteral("Mivo - meu envio"));
  EXPECT_FALSE(botao("btnSalvarScript")->isVisible());
  QString lido;
  ASSERT_TRUE(lerArquivoTexto(esperado, lido));
  EXPECT_EQ(lido, QStringLiteral("&TaLinhaAdicionar(✓ João).\r\n"));
}

TEST_F(FrmMain, PausarRetomarEEncerrarPelosBotoes) {
  const QString s = criar(QStringLiteral("sem_fim.mivo"), "&Marcador(a).\r\n&Pausar100(1).\r\n&VaiPara(a).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  gJanela->showForm();
  QStringList passos;
  auto depois = [](int ms, std::function<void()> f) { QTimer::singleShot(ms, f); };
  depois(50, [&] {
    passos << QStringLiteral("rodando");
    EXPECT_TRUE(botao("btnPausar")->isVisible());
    EXPECT_TRUE(botao("btnEncerrar")->isVisible());
    EXPECT_FALSE(botao("btnRodar")->isVisible());
    EXPECT_FALSE(botao("btnEdicao")->isEnabled());
    EXPECT_TRUE(filho<QWidget>(*gJanela, "pnRodando")->isVisible());
    EXPECT_TRUE(filho<CLEditorScript>(*gJanela, "mmoScript")->isReadOnly());
    QTest::mouseClick(botao("btnPausar"), Qt::LeftButton);
    EXPECT_TRUE(filho<QWidget>(*gJanela, "pnStatus")->isVisible());
    EXPECT_TRUE(botao("btnRodar")->isVisible());
    depois(30, [&] {
      passos << QStringLiteral("pausado");
      EXPECT_EQ(gJanela->host().statusExecucao(), StatusExecucao::Pausado);
      QTest::mouseClick(botao("btnRodar"), Qt::LeftButton);
      EXPECT_EQ(gJanela->host().statusExecucao(), StatusExecucao::Rodando);
      depois(30, [&] {
        passos << QStringLiteral("encerrar");
        QTest::mouseClick(botao("btnEncerrar"), Qt::LeftButton);
      });
    });
  });
  // A safety net: a run still going after 10 s is stopped (and the test fails).
  depois(10000, [&] { gJanela->host().encerrarExecucao(); });
  QElapsedTimer relogio;
  relogio.start();
  gJanela->btnRodarClick();
  EXPECT_LT(relogio.elapsed(), 9000);
  EXPECT_EQ(passos, QStringList({QStringLiteral("rodando"), QStringLiteral("pausado"), QStringLiteral("encerrar")}));
  EXPECT_EQ(gJanela->host().statusExecucao(), StatusExecucao::Inativo);
  EXPECT_FALSE(filho<QWidget>(*gJanela, "pnRodando")->isVisible());
  EXPECT_FALSE(filho<QWidget>(*gJanela, "pnStatus")->isVisible());
  EXPECT_TRUE(botao("btnRodar")->isVisible());
  EXPECT_FALSE(botao("btnEncerrar")->isVisible());
  EXPECT_FALSE(filho<CLEditorScript>(*gJanela, "mmoScript")->isReadOnly());
}

TEST_F(FrmMain, FecharComAlteracoesPergunta) {
  gJanela->checkParams({QStringLiteral("novo")});
  QTest::keyClicks(filho<CLEditorScript>(*gJanela, "mmoScript"), "x");
  EXPECT_EQ(filho<QLabel>(*gJanela, "stSalvo")->text(), QStringLiteral("   Falta salvar   "));
  {
    CLResposta nao(QStringLiteral("não"));
    EXPECT_FALSE(gJanela->close());
    EXPECT_TRUE(nao.texto().startsWith(QStringLiteral("Houve alterações no Script.")));
    EXPECT_TRUE(gJanela->isVisible());
  }
  CLResposta sim(QStringLiteral("sim"));
  EXPECT_TRUE(gJanela->close());
  EXPECT_TRUE(sim.atendida());
  EXPECT_FALSE(gJanela->isVisible());
}

// A list pasted (or typed) and an auxiliary text written are lost on
// closing too: the user is asked first, naming what would be lost.
TEST_F(FrmMain, FecharComListaOuTextoNaoSalvosPergunta) {
  const struct {
    bool lista, texto;
    const char* pergunta;  // empty: closes without asking
  } casos[] = {
      {false, false, ""},
      {true, false, "A lista de dados tem alterações que não foram salvas e serão perdidas. Deseja sair?"},
      {false, true, "O texto auxiliar tem alterações que não foram salvas e serão perdidas. Deseja sair?"},
      {true, true,
       "A lista de dados e o texto auxiliar têm alterações que não foram salvas e serão perdidas. Deseja sair?"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.pergunta);
    gJanela = std::make_unique<TfrmMain>(true);
    gJanela->host().setDesktop(std::make_unique<CLDesktopSimulado>());
    gJanela->checkParams({QStringLiteral("novo")});
    if (c.lista) {
      CLLista& lista = gJanela->host().lista();
      ASSERT_TRUE(carregarComTitulos(lista.gridDados, QStringLiteral("nome\r\nAna\r\n")));
      lista.gEditou = true;  // as after a paste
    }
    if (c.texto) QTest::keyClicks(filho<QPlainTextEdit>(*gJanela, "mmoTexto"), "recado");
    if (!*c.pergunta) {
      EXPECT_TRUE(gJanela->close());
      continue;
    }
    {
      CLResposta nao(QStringLiteral("não"));
      EXPECT_FALSE(gJanela->close());
      EXPECT_EQ(nao.texto(), QString::fromUtf8(c.pergunta));
      EXPECT_TRUE(gJanela->isVisible());
    }
    CLResposta sim(QStringLiteral("sim"));
    EXPECT_TRUE(gJanela->close());
    EXPECT_TRUE(sim.atendida());
  }
}

// "Abrir" of another script asks whether the list loaded stays: "Sim"
// keeps it for the new script; "Não" starts a new list (asking about its
// changes, as the table does). Cancelling the file choice changes nothing.
TEST_F(FrmMain, AbrirOutroScriptPodeManterALista) {
  const QString s = criar(QStringLiteral("dados/scripts/outro.mivo"), "&TaLinhaAdicionar(x).\r\n");
  CLLista& lista = gJanela->host().lista();
  for (const bool manter : {true, false}) {
    SCOPED_TRACE(manter);
    ASSERT_TRUE(carregarComTitulos(lista.gridDados, QStringLiteral("nome;fone\r\nAna;1\r\n")));
    lista.gEditou = false;
    gJanela->setEscolherArquivoAbrir([](const QString&, const QString&) { return QString(); });
    gJanela->btnAbrirClick();
    EXPECT_EQ(lista.gridDados.cell(0, 1), QStringLiteral("Ana"));
    gJanela->setEscolherArquivoAbrir([&](const QString&, const QString&) { return s; });
    QStringList perguntas;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
      auto* msg = qobject_cast<TfrmMsg*>(QApplication::activeModalWidget());
      if (!msg || !msg->isVisible()) return;
      perguntas << filho<QLabel>(*msg, "lbMsg")->text();
      if (manter || perguntas.size() > 1)
        QTest::mouseClick(filho<QPushButton>(*msg, "btnOk"), Qt::LeftButton);
      else
        msg->reject();
    });
    vigia.start(10);
    gJanela->btnAbrirClick();
    vigia.stop();
    ASSERT_FALSE(perguntas.isEmpty());
    EXPECT_EQ(perguntas.first(), QStringLiteral("Manter a lista de dados atual para o script que será aberto?"));
    EXPECT_EQ(gJanela->documento().caminho(), s);
    EXPECT_EQ(lista.gridDados.cell(0, 1), manter ? QStringLiteral("Ana") : QString());
  }
}

TEST_F(FrmMain, EscDuranteAExecucaoPerguntaParaEFecha) {
  gJanela->checkParams({QStringLiteral("novo")});
  filho<CLEditorScript>(*gJanela, "mmoScript")->setTextoScript(QStringLiteral("&Marcador(a).\n&VaiPara(a)."));
  gJanela->documento().setSalvo(true);
  QString pergunta;
  int respostas = 0;
  QTimer::singleShot(30, [&] {
    // Declined: the run goes on.
    teste::CLEsperaModal<TfrmMsg>* nao = new teste::CLEsperaModal<TfrmMsg>([&](TfrmMsg& j) {
      pergunta = filho<QLabel>(j, "lbMsg")->text();
      ++respostas;
      j.reject();
    });
    teste::tecla(gJanela.get(), Qt::Key_Escape);
    delete nao;
    EXPECT_EQ(gJanela->host().statusExecucao(), StatusExecucao::Rodando);
    QTimer::singleShot(30, [&] {
      CLResposta sim(QStringLiteral("sim"));
      teste::tecla(gJanela.get(), Qt::Key_Escape);
      ++respostas;
    });
  });
  QTimer::singleShot(10000, [&] { gJanela->host().encerrarExecucao(); });
  gJanela->btnRodarClick();
  QTest::qWait(50);
  EXPECT_EQ(respostas, 2);
  EXPECT_TRUE(pergunta.startsWith(QStringLiteral("Isso vai interromper o processamento do Script")));
  EXPECT_EQ(gJanela->host().statusExecucao(), StatusExecucao::Inativo);
  EXPECT_FALSE(gJanela->isVisible());
}

TEST_F(FrmMain, InformacoesVoltamAoScript) {
  gJanela->checkParams({QStringLiteral("novo")});
  auto* info = filho<QPlainTextEdit>(*gJanela, "mmoInfo");
  filho<QTabWidget>(*gJanela, "pgcScript")->setCurrentIndex(0);
  EXPECT_TRUE(info->toPlainText().startsWith(QStringLiteral("Data de criação: ")));
  info->setPlainText(QStringLiteral("Envia parabéns"));
  QTest::mouseClick(botao("btnSaveInfo"), Qt::LeftButton);
  EXPECT_TRUE(gJanela->textoScript().startsWith(QStringLiteral("##info\nEnvia parabéns\n##info_fim\n")));
  EXPECT_FALSE(gJanela->documento().salvo());
}

// A script showing messages in a loop: the workbench stays usable while a
// message is up, and "Encerrar" closes the message and ends the run.
TEST_F(FrmMain, MensagensEmLacoNaoPrendemOEncerrar) {
  const QString s = criar(QStringLiteral("mil.mivo"),
                          "&ValorDefinir(\"n\";\"0\").\r\n&Marcador(a).\r\n&ValorInc(\"n\";1).\r\n"
                          "&MsgExibir(\"Mensagem [n] de 1000\").\r\n&Se([n]<1000;&VaiPara(a)).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  gJanela->showForm();
  bool livre = true;
  teste::CLVigiaMensagens vigia([&](TfrmMsg& msg, const QString&) {
    // The workbench is not blocked by the message.
    livre = livre && QApplication::activeModalWidget() == nullptr && botao("btnEncerrar")->isVisible();
    if (vigia.textos().size() < 3)
      teste::CLVigiaMensagens::ok(msg);
    else
      QTest::mouseClick(botao("btnEncerrar"), Qt::LeftButton);
  });
  QTimer::singleShot(15000, [&] { gJanela->host().encerrarExecucao(); });
  QElapsedTimer relogio;
  relogio.start();
  gJanela->btnRodarClick();
  EXPECT_LT(relogio.elapsed(), 10000);
  EXPECT_TRUE(livre);
  EXPECT_EQ(vigia.textos(), QStringList({QStringLiteral("Mensagem 1 de 1000"), QStringLiteral("Mensagem 2 de 1000"),
                                 QStringLiteral("Mensagem 3 de 1000")}));
  EXPECT_EQ(gJanela->host().statusExecucao(), StatusExecucao::Inativo);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* msg = qobject_cast<TfrmMsg*>(w);
    EXPECT_FALSE(msg && msg->isVisible());
  }
}

// A long run with the log on: the window handles its events all along, the
// log keeps the last 1000 entries and the run bar ends on the last line.
TEST_F(FrmMain, LogLigadoNumaExecucaoLonga) {
  const QString s = criar(QStringLiteral("longo.mivo"),
                          "&ValorDefinir(\"i\";\"0\").\r\n&Marcador(a).\r\n&ValorInc(\"i\";1).\r\n"
                          "&Se([i]<5000;&VaiPara(a)).\r\n&TaLinhaAdicionar(fim [i]).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  gJanela->showForm();
  filho<QCheckBox>(*gJanela, "ckbPausarLog")->setChecked(false);
  int eventos = 0;
  QTimer contador;
  QObject::connect(&contador, &QTimer::timeout, [&] { ++eventos; });
  contador.start(0);
  gJanela->btnRodarClick();
  contador.stop();
  EXPECT_GT(eventos, 0);
  EXPECT_EQ(textoAuxiliar(), QStringLiteral("fim 5000"));
  const CLModeloLog& log = gJanela->host().modeloLog();
  ASSERT_EQ(log.rowCount({}), CLModeloLog::kMaxEntradas);
  const QString ultima = log.data(log.index(log.rowCount({}) - 1), Qt::DisplayRole).toString();
  EXPECT_TRUE(ultima.contains(QStringLiteral("Linha: [5] Executando {TaLinhaAdicionar"))) << ultima.toStdString();
  EXPECT_TRUE(filho<QLabel>(*gJanela, "lbLinhaAtual")->text().contains(QStringLiteral("Linha atual: 5")))
      << filho<QLabel>(*gJanela, "lbLinhaAtual")->text().toStdString();
}

// "Resetar cliques": shown for scripts that learn click points or show
// tips; learned points go back to 0 in the editor only, and the tips show
// again.
TEST_F(FrmMain, ResetarCliquesEDicas) {
  const QString s = criar(QStringLiteral("cliques.mivo"),
                          "&MsgDica(\"boas_vindas\";\"Olá\").\r\n&MouseCliquePerguntar(\"Enviar\";512;300).\r\n");
  const QString dicas = criar(QStringLiteral("tipfile.txt"), "boas_vindas=true\r\noutra=true\r\n");
  EXPECT_FALSE(botao("btnResetar")->isVisibleTo(gJanela.get()));
  ASSERT_TRUE(gJanela->abrirScript(s));
  EXPECT_TRUE(botao("btnResetar")->isVisibleTo(gJanela.get()));
  {
    CLResposta nao(QStringLiteral("não"));
    QTest::mouseClick(botao("btnResetar"), Qt::LeftButton);
    EXPECT_TRUE(nao.texto().startsWith(QStringLiteral("Se você continuar, será necessário definir novamente")));
    EXPECT_TRUE(gJanela->documento().salvo());
  }
  CLResposta sim(QStringLiteral("sim"));
  QTest::mouseClick(botao("btnResetar"), Qt::LeftButton);
  EXPECT_TRUE(sim.atendida());
  EXPECT_EQ(gJanela->textoScript().toStdString(),
            "&MsgDica(\"boas_vindas\";\"Olá\").\n&MouseCliquePerguntar(\"Enviar\";0;0).");
  EXPECT_FALSE(gJanela->documento().salvo());
  QString lido;
  ASSERT_TRUE(lerArquivoTexto(dicas, lido));
  EXPECT_EQ(lido, QStringLiteral("boas_vindas=false\r\noutra=true\r\n"));
  ASSERT_TRUE(lerArquivoTexto(s, lido));
  EXPECT_TRUE(lido.contains(QStringLiteral("512;300")));
}

// "Variáveis iniciais" runs the pre-load section as it is in the editor.
TEST_F(FrmMain, VariaveisIniciaisRodamOPreCarregamentoDoEditor) {
  gJanela->checkParams({QStringLiteral("novo")});
  EXPECT_TRUE(botao("btnPreLoad")->isVisibleTo(gJanela.get()));
  auto* titulo = filho<QLabel>(*gJanela, "pnTitulo");
  EXPECT_FALSE(titulo->isVisibleTo(gJanela.get()));
  filho<CLEditorScript>(*gJanela, "mmoScript")
      ->setTextoScript(QStringLiteral("##pre_carregar\npre_titulo=Envio de boas-vindas\n##pre_carregar_fim\n"));
  QTest::mouseClick(botao("btnPreLoad"), Qt::LeftButton);
  EXPECT_TRUE(titulo->isVisibleTo(gJanela.get()));
  EXPECT_EQ(titulo->text(), QStringLiteral("Envio de boas-vindas"));
}

// The auxiliary text: the file panel, "Salvar texto" into the file the text
// came from (UTF-8 with a byte-order mark), save-as when there is none,
// "Novo" asking before unsaved changes are lost, "Abrir texto" cancelled.
TEST_F(FrmMain, TextoAuxiliarAbrirSalvarENovo) {
  auto* texto = filho<QPlainTextEdit>(*gJanela, "mmoTexto");
  auto* painel = filho<QLabel>(*gJanela, "pnTextoAberto");
  EXPECT_EQ(painel->text(), QStringLiteral("(não salvo)"));

  // A script loads a file: saved, the panel names it; typing twice marks it once.
  const QString arquivo = criar(QStringLiteral("recado.txt"), "Olá\r\n");
  const QString s = criar(QStringLiteral("abre.mivo"), ("&TaAbrir(\"" + arquivo.toUtf8() + "\").\r\n"));
  ASSERT_TRUE(gJanela->abrirScript(s));
  gJanela->btnRodarClick();
  EXPECT_EQ(texto->toPlainText(), QStringLiteral("Olá"));
  EXPECT_EQ(painel->text(), QStringLiteral("recado.txt"));
  EXPECT_TRUE(gJanela->textoAbertoSalvo());
  QTest::keyClicks(texto, "x");
  QTest::keyClicks(texto, "y");
  EXPECT_EQ(painel->text(), QStringLiteral("recado.txt (não salvo)"));
  EXPECT_FALSE(gJanela->textoAbertoSalvo());

  // "Abrir texto" cancelled: nothing changes.
  gJanela->setEscolherArquivoAbrir([](const QString&, const QString&) { return QString(); });
  QTest::mouseClick(botao("btnAbrirTexto"), Qt::LeftButton);
  EXPECT_TRUE(texto->toPlainText().contains(QStringLiteral("xy")));

  // "Novo" with unsaved changes, answered "Não": the text stays.
  {
    CLResposta nao(QStringLiteral("não"));
    QTest::mouseClick(botao("btnNovoTexto"), Qt::LeftButton);
    EXPECT_TRUE(nao.texto().startsWith(QStringLiteral("Se você prosseguir")));
    EXPECT_FALSE(texto->toPlainText().isEmpty());
  }

  // "Salvar texto" writes the file it came from, and nothing else.
  QTest::mouseClick(botao("btnSalvarTexto"), Qt::LeftButton);
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("\xEF\xBB\xBF") + texto->toPlainText().toUtf8() + "\r\n");
  EXPECT_TRUE(gJanela->textoAbertoSalvo());
  EXPECT_EQ(painel->text(), QStringLiteral("recado.txt"));

  // Saved: "Novo" empties it without asking; a save-as cancelled keeps the
  // new text unsaved, so that a later "Novo" still asks.
  QTest::mouseClick(botao("btnNovoTexto"), Qt::LeftButton);
  EXPECT_TRUE(texto->toPlainText().isEmpty());
  QTest::keyClicks(texto, "novo texto");
  {
    teste::CLEsperaModal<TfrmSalvarFile> cancelar([](TfrmSalvarFile& j) { j.reject(); });
    QTest::mouseClick(botao("btnSalvarTexto"), Qt::LeftButton);
    EXPECT_TRUE(cancelar.atendida());
  }
  EXPECT_FALSE(gJanela->textoAbertoSalvo());
  CLResposta nao(QStringLiteral("não"));
  QTest::mouseClick(botao("btnNovoTexto"), Qt::LeftButton);
  EXPECT_TRUE(nao.atendida());
  EXPECT_EQ(texto->toPlainText(), QStringLiteral("novo texto"));
}

TEST_F(FrmMain, ListaAuxiliarEscolhidaVaiParaATabela) {
  const QString lista = criar(QStringLiteral("contatos.txt"), "nome;fone\r\nAna;1\r\nJoão;2\r\n");
  QString pasta;
  gJanela->setEscolherArquivoAbrir([&](const QString& p, const QString&) {
    pasta = p;
    return lista;
  });
  EXPECT_TRUE(gJanela->abrirListaAuxiliar());
  EXPECT_EQ(pasta, QStringLiteral("dados\\listas\\"));
  const CLGrade& grade = *gJanela->host().lista().gGrid;
  EXPECT_EQ(grade.cell(0, 0), QStringLiteral("nome"));
  EXPECT_EQ(grade.cell(0, 2), QStringLiteral("João"));
  gJanela->setEscolherArquivoAbrir([](const QString&, const QString&) { return QString(); });
  EXPECT_FALSE(gJanela->abrirListaAuxiliar());
  EXPECT_EQ(grade.cell(0, 2), QStringLiteral("João"));
}

// The data-table window lives in the "Dados" tab: the pre-load section can
// hide its cell detail, edit mode shows it again, and "Abrir lista..."
// opens a list through the workbench's open-file window.
TEST_F(FrmMain, ListaDeTrabalhoNaAbaDados) {
  TfrmLista& janelaLista = gJanela->janelaLista();
  EXPECT_TRUE(principal()->widget(1)->isAncestorOf(&janelaLista));
  QWidget* detalhe = filho<QWidget>(janelaLista, "pnCelula");
  const QString s = criar(QStringLiteral("detalhe.mivo"),
                          "##pre_carregar\r\nocultar_detalhe_celula=sim\r\n##pre_carregar_fim\r\n&TaLinhaAdicionar(x).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  EXPECT_TRUE(detalhe->isHidden());
  gJanela->entrarModoEdicao();
  EXPECT_FALSE(detalhe->isHidden());

  const QString lista = criar(QStringLiteral("contatos.txt"), "nome;fone\r\nAna;1\r\nJoão;2\r\n");
  QString pasta;
  gJanela->setEscolherArquivoAbrir([&](const QString& p, const QString&) {
    pasta = p;
    return lista;
  });
  QAction* recentes = janelaLista.acao(QStringLiteral("Abrir lista..."));
  ASSERT_NE(recentes, nullptr);
  recentes->trigger();
  EXPECT_EQ(pasta, QStringLiteral("dados\\listas\\"));
  EXPECT_EQ(gJanela->host().lista().gridDados.cell(0, 2), QStringLiteral("João"));
  EXPECT_EQ(janelaLista.textoItens(), QStringLiteral("Itens: 2"));
}

// A run started while the filter view is shown walks the view, and the
// filter bar cannot drop or rebuild the view under it until the run ends.
// Opening another script leaves the view first.
TEST_F(FrmMain, ExecucaoPercorreAVisaoFiltrada) {
  CLLista& lista = gJanela->host().lista();
  ASSERT_TRUE(carregarComTitulos(lista.gridDados, QStringLiteral("nome\r\nAna Silva\r\nBruno\r\nCarla Silva\r\n")));
  TfrmLista& janelaLista = gJanela->janelaLista();
  filho<QLineEdit>(janelaLista, "edtFiltro")->setText(QStringLiteral("silva"));
  janelaLista.filtrar();
  ASSERT_TRUE(lista.filtroVisivel());
  const QString s = criar(QStringLiteral("visao.mivo"),
                          "&LaIrLinha(1).\r\n&MsgExibir(\"{nome}\").\r\n&LaProximaLinha().\r\n"
                          "&MsgExibir(\"{nome}\").\r\n");
  // The script goes into the editor: opening it would leave the view.
  QFile f(s);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  filho<CLEditorScript>(*gJanela, "mmoScript")->setTextoScript(QString::fromUtf8(f.readAll()));
  gJanela->showForm();
  QList<bool> barraHabilitada;
  QStringList vistas;
  {
    teste::CLVigiaMensagens vigia([&](TfrmMsg& msg, const QString&) {
      barraHabilitada << filho<QWidget>(janelaLista, "pnFiltro")->isEnabled();
      teste::CLVigiaMensagens::ok(msg);
    });
    gJanela->btnRodarClick();
    vistas = vigia.textos();
  }
  EXPECT_EQ(vistas, QStringList({QStringLiteral("Ana Silva"), QStringLiteral("Carla Silva")}));
  EXPECT_EQ(barraHabilitada, QList<bool>({false, false}));
  EXPECT_TRUE(filho<QWidget>(janelaLista, "pnFiltro")->isEnabled());
  EXPECT_TRUE(lista.filtroVisivel());

  ASSERT_TRUE(gJanela->abrirScript(s));
  EXPECT_FALSE(lista.filtroVisivel());
  EXPECT_EQ(lista.gGrid, &lista.gridDados);
}

// "Executar" on a script the checker finds problems in asks first; "Não"
// runs nothing, "Sim" runs it as it is.
TEST_F(FrmMain, ExecutarComProblemasPerguntaAntes) {
  const QString s = criar(QStringLiteral("problemas.mivo"),
                          "&TaLinhaAdicionar(rodou).\r\n&TeclarEnterr().\r\n&VaiPara(lugar_nenhum).\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  {
    CLResposta nao(QStringLiteral("não"));
    gJanela->btnRodarClick();
    // The problems are named with their lines.
    const QString pergunta = nao.texto();
    EXPECT_TRUE(pergunta.startsWith(QStringLiteral("O script tem 2 problemas:\n\nLinha 2: "))) << pergunta.toStdString();
    EXPECT_TRUE(pergunta.contains(QStringLiteral("&TeclarEnter"))) << pergunta.toStdString();
    EXPECT_TRUE(pergunta.contains(QStringLiteral("\nLinha 3: "))) << pergunta.toStdString();
    EXPECT_TRUE(pergunta.endsWith(QStringLiteral("\n\nExecutar mesmo assim?"))) << pergunta.toStdString();
    EXPECT_FALSE(gJanela->rodou());
    EXPECT_TRUE(textoAuxiliar().isEmpty());
  }
  CLResposta sim(QStringLiteral("sim"));
  gJanela->btnRodarClick();
  EXPECT_TRUE(sim.atendida());
  EXPECT_TRUE(gJanela->rodou());
  EXPECT_EQ(textoAuxiliar(), QStringLiteral("rodou"));

  // A change made a moment ago, before the editor's own check caught up,
  // is counted as it is now; the editor's finished check counts the same.
  auto* editor = filho<CLEditorScript>(*gJanela, "mmoScript");
  editor->setTextoScript(QStringLiteral("&TeclarEnterr().\n"));
  for (bool emDia : {false, true}) {
    SCOPED_TRACE(emDia);
    if (emDia) {
      editor->verificarAgora();
      QTRY_VERIFY(editor->verificacaoEmDia());
      EXPECT_EQ(editor->qtdProblemas(), 1);
    }
    CLResposta nao(QStringLiteral("não"));
    gJanela->btnRodarClick();
    EXPECT_TRUE(nao.texto().startsWith(QStringLiteral("O script tem 1 problema:\n\nLinha 1: ")))
        << nao.texto().toStdString();
  }
}

// A script with problems opened directly (a double click runs it) and not
// run leaves the workbench open on it in edit mode, so that the user sees
// and mends the problems; the program used to end without showing anything.
TEST_F(FrmMain, ScriptComProblemasAbertoDiretoENaoRodadoFicaNaBancada) {
  const QString s = criar(QStringLiteral("dados/scripts/problemas.mivo"), "&TeclarEnterr().\r\n");
  CLResposta nao(QStringLiteral("não"));
  gJanela->checkParams({s});
  EXPECT_TRUE(nao.texto().startsWith(QStringLiteral("O script tem 1 problema:"))) << nao.texto().toStdString();
  EXPECT_FALSE(gJanela->rodou());
  EXPECT_TRUE(gJanela->isVisible());
  EXPECT_TRUE(filho<QWidget>(*gJanela, "pnTools")->isVisible());
  EXPECT_EQ(filho<QTabWidget>(*gJanela, "pgcScript")->currentIndex(), 2);
  EXPECT_EQ(gJanela->textoScript(), QStringLiteral("&TeclarEnterr()."));
}

// On a fresh installation (an empty base folder) the folders every window
// saves into exist from the start.
TEST(DtmPrincipal, CriaAsPastasDeDadosAoIniciar) {
  QTemporaryDir base;
  const QString pasta = base.filePath(QStringLiteral("nova instalação"));
  qputenv("MIVO_BASE_DIR", pasta.toLocal8Bit());
  {
    TdtmPrincipal dtm;
    for (const char* sub : {"dados/listas", "dados/textos", "dados/scripts"})
      EXPECT_TRUE(QFileInfo(QDir(pasta).filePath(QLatin1String(sub))).isDir()) << sub;
  }
  qunsetenv("MIVO_BASE_DIR");
}

// "Novo" opens the new workbench below and to the right of the one that
// asked, not exactly over it; near the screen's edge it starts again.
TEST(PosicaoEmCascata, AbaixoEADireitaDaAnterior) {
  const QRect tela(0, 0, 1280, 800);
  const struct {
    QPoint anterior, esperada;
  } casos[] = {
      {{80, 40}, {120, 80}},
      {{0, 0}, {40, 40}},
      {{1000, 100}, {40, 40}},  // too far right
      {{100, 590}, {40, 40}},   // too low
  };
  for (const auto& c : casos) EXPECT_EQ(posicaoEmCascata(c.anterior, tela), c.esperada) << c.anterior.x();
  EXPECT_EQ(posicaoEmCascata({80, 40}, QRect(1280, 0, 1280, 800)), QPoint(1320, 40));
}

// The question names at most five problems and says how many more there are.
TEST(PerguntaAchados, NomeiaOsPrimeirosProblemas) {
  QList<CLAchado> achados;
  for (int i = 1; i <= 7; ++i) achados.append({i * 10, QStringLiteral("erro %1").arg(i)});
  const struct {
    qsizetype quantos;
    QString esperado;
  } casos[] = {
      {1, QStringLiteral("O script tem 1 problema:\n\nLinha 10: erro 1\n\nExecutar mesmo assim?")},
      {5, QStringLiteral("O script tem 5 problemas:\n\nLinha 10: erro 1\nLinha 20: erro 2\nLinha 30: erro 3\n"
                         "Linha 40: erro 4\nLinha 50: erro 5\n\nExecutar mesmo assim?")},
      {7, QStringLiteral("O script tem 7 problemas:\n\nLinha 10: erro 1\nLinha 20: erro 2\nLinha 30: erro 3\n"
                         "Linha 40: erro 4\nLinha 50: erro 5\n(e mais 2)\n\nExecutar mesmo assim?")},
  };
  for (const auto& c : casos) EXPECT_EQ(perguntaAchados(achados.first(c.quantos)), c.esperado) << c.quantos;
}

// A click point taught during a run is written into the editor's text in
// place, the rest of the script intact; at the end of the run the user is
// asked whether to save it. (The editor is read-only during a run: the text
// used to be emptied and the question never came.)
TEST_F(FrmMain, PontoDeCliqueAprendidoVaiParaOEditorEPerguntaSeSalva) {
  const QByteArray script =
      "// envio\r\n"
      "&TaLinhaAdicionar(antes).\r\n"
      "&MouseCliquePerguntar(\"Clique no meio do texto do editor\";0;0). // o ponto\r\n"
      "&TaLinhaAdicionar(depois).\r\n";
  const QString s = criar(QStringLiteral("dados/scripts/ponto.mivo"), script);
  auto desktop = std::make_unique<CLDesktopSimulado>();
  CLDesktopSimulado& d = *desktop;
  gJanela->host().setDesktop(std::move(desktop));
  ASSERT_TRUE(gJanela->abrirScript(s));
  gJanela->showForm();
  QStringList mensagens;
  {
    teste::CLVigiaMensagens vigia([&](TfrmMsg& msg, const QString& texto) {
      if (texto.startsWith(QStringLiteral("Definição de ponto de clique"))) {
        // "OK", then the user clicks the point.
        teste::CLVigiaMensagens::ok(msg);
        d.setCursor({321, 123});
        d.setTeclaEstado(tecla::kBotaoEsquerdo, true, false);
      } else if (texto.startsWith(QStringLiteral("O clique foi detectado"))) {
        d.setTeclaEstado(tecla::kBotaoEsquerdo, false, false);
        teste::CLVigiaMensagens::ok(msg);  // "Sim"
      } else {
        msg.reject();  // "Não" to saving now
      }
    });
    gJanela->btnRodarClick();
    mensagens = vigia.textos();
  }
  const QStringList esperadas = {QStringLiteral("Definição de ponto de clique:\n\nClique no meio do texto do editor"),
                                 QStringLiteral("O clique foi detectado."),
                                 QStringLiteral("O script foi modificado por conta de definições de pontos de clique.")};
  ASSERT_EQ(mensagens.size(), esperadas.size()) << mensagens.join(QStringLiteral(" | ")).toStdString();
  for (qsizetype i = 0; i < esperadas.size(); ++i)
    EXPECT_TRUE(mensagens[i].startsWith(esperadas[i])) << mensagens[i].toStdString();
  EXPECT_EQ(gJanela->textoScript(),
            QStringLiteral("// envio\n&TaLinhaAdicionar(antes).\n"
                           "&MouseCliquePerguntar(\"Clique no meio do texto do editor\";321;123). // o ponto\n"
                           "&TaLinhaAdicionar(depois)."))
      << gJanela->textoScript().toStdString();
  EXPECT_EQ(textoAuxiliar(), QStringLiteral("antes\ndepois"));
  EXPECT_FALSE(gJanela->documento().salvo());
  // Not saved: the file is as it was.
  QFile f(s);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), script);
}

// The engine's new text reaches the editor by replacing only the lines that
// changed, whatever they are: the result is the new text, line by line.
TEST_F(FrmMain, TextoDoMotorSubstituiSoAsLinhasMudadas) {
  auto* editor = filho<CLEditorScript>(*gJanela, "mmoScript");
  const struct {
    const char* antes;
    const char* depois;
  } casos[] = {
      {"a\nb\nc", "a\nB\nc"},
      {"a\nb\nc", "a\nb"},           // the last line removed
      {"a\nb\nc", "a"},
      {"a\nb", "a\nb\nc\nd"},        // lines added at the end
      {"a\nb(\nx\n).\nc", "a\nb(x).\nc"},  // a statement of three lines made one
      {"a\nb(\nx\n).", "a\nb(x)."},
      {"x\ny", "a\nb\nc"},
      {"", "a\nb"},
      {"a\nb", ""},
      {"ação\n\u00e9\n", "ação\n\u00e9 ü\n"},
  };
  for (const auto& c : casos) {
    editor->setTextoScript(QString::fromUtf8(c.antes));
    editor->setReadOnly(true);
    gJanela->host().setEditorTexto(QString::fromUtf8(c.depois));
    EXPECT_EQ(gJanela->textoScript(), dividirLinhas(QString::fromUtf8(c.depois)).join(u'\n')) << c.antes;
    EXPECT_TRUE(editor->isReadOnly()) << c.antes;
  }
  EXPECT_FALSE(gJanela->documento().salvo());
}

// "Recarregar" puts a new editor in place of the old one with the same
// text; the document's saved state does not change, and the new editor's
// changes reach the workbench.
TEST_F(FrmMain, RecarregarTrocaOEditorSemPerderOTexto) {
  const QString s = criar(QStringLiteral("recarregar.mivo"), "&TaLinhaAdicionar(rodou).\r\n// fim\r\n");
  ASSERT_TRUE(gJanela->abrirScript(s));
  QPointer<CLEditorScript> antigo = filho<CLEditorScript>(*gJanela, "mmoScript");
  const QString texto = gJanela->textoScript();
  QTest::mouseClick(botao("btnRecarregar"), Qt::LeftButton);
  EXPECT_TRUE(antigo.isNull());
  auto* novo = filho<CLEditorScript>(*gJanela, "mmoScript");
  ASSERT_NE(novo, nullptr);
  EXPECT_EQ(novo->parentWidget(), filho<QWidget>(*gJanela, "tbsCodigo"));
  EXPECT_EQ(gJanela->findChildren<CLEditorScript*>().size(), 1);
  EXPECT_EQ(gJanela->textoScript(), texto);
  EXPECT_TRUE(gJanela->documento().salvo());
  novo->setCursorPosition(1, 0);
  QTest::keyClicks(novo, "// x");
  QTest::keyClick(novo, Qt::Key_Return);
  EXPECT_FALSE(gJanela->documento().salvo());
  EXPECT_TRUE(gJanela->textoScript().contains(QStringLiteral("// x")));
  // Still the workbench's editor: a run follows its lines.
  gJanela->btnRodarClick();
  EXPECT_EQ(textoAuxiliar(), QStringLiteral("rodou"));
}

// The three search buttons above the editor: from the start (asking for
// the text), next and previous; a miss beeps.
TEST_F(FrmMain, BotoesDeBuscaDoEditor) {
  auto* editor = filho<CLEditorScript>(*gJanela, "mmoScript");
  editor->setTextoScript(QStringLiteral("&MsgExibir(\"Olá\").\n&MsgExibir(\"OLÁ\").\n&TeclarEnter().\n"));
  int perguntas = 0, bipes = 0;
  QString resposta = QStringLiteral("olá");
  editor->setPedirTexto([&](const QString& titulo, const QString&) {
    EXPECT_EQ(titulo, QStringLiteral("Localizar..."));
    ++perguntas;
    return resposta;
  });
  editor->setBipe([&] { ++bipes; });
  auto linhaSelecionada = [&] {
    int l1, c1, l2, c2;
    editor->getSelection(&l1, &c1, &l2, &c2);
    return editor->hasSelectedText() ? l1 + 1 : 0;
  };
  QTest::mouseClick(filho<QToolButton>(*gJanela, "ToolButtonSearch"), Qt::LeftButton);
  EXPECT_EQ(perguntas, 1);
  EXPECT_EQ(linhaSelecionada(), 1);
  QTest::mouseClick(filho<QToolButton>(*gJanela, "ToolButtonSearchNext"), Qt::LeftButton);
  EXPECT_EQ(linhaSelecionada(), 2);
  QTest::mouseClick(filho<QToolButton>(*gJanela, "ToolButtonSearchPrev"), Qt::LeftButton);
  EXPECT_EQ(linhaSelecionada(), 1);
  EXPECT_EQ(bipes, 0);
  QTest::mouseClick(filho<QToolButton>(*gJanela, "ToolButtonSearchPrev"), Qt::LeftButton);
  EXPECT_EQ(bipes, 1);
  EXPECT_EQ(perguntas, 1);
  resposta = QStringLiteral("não existe");
  QTest::mouseClick(filho<QToolButton>(*gJanela, "ToolButtonSearch"), Qt::LeftButton);
  EXPECT_EQ(bipes, 2);
  EXPECT_EQ(linhaSelecionada(), 0);
}

// The line help, against a stand-in for the developer help window: it
// follows the caret's statement while the help is shown and the workbench
// is the active window, and leaves the filter alone otherwise.
TEST_F(FrmMain, AjudaDaLinhaSegueOCursor) {
  teste::CLAjudaFalsa ajuda;
  gJanela->setAlvoAjuda(&ajuda);
  auto* editor = filho<CLEditorScript>(*gJanela, "mmoScript");
  editor->setTextoScript(QStringLiteral("&TeclarEnter().\n  &MsgExibir(\"oi\").\n// nada\n"));
  gJanela->show();
  gJanela->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(gJanela.get()));
  editor->seguirLinha(2);
  gJanela->showLineHelp();
  EXPECT_EQ(ajuda.gFiltro, QStringLiteral("&MsgExibir"));
  // The same line again: no new filtering; a comment line filters nothing.
  gJanela->showLineHelp();
  editor->seguirLinha(3);
  gJanela->showLineHelp();
  EXPECT_EQ(ajuda.gFiltragens, 1);
  editor->seguirLinha(1);
  ajuda.gVisivel = false;
  gJanela->showLineHelp();
  EXPECT_EQ(ajuda.gFiltro, QStringLiteral("&MsgExibir"));
  ajuda.gVisivel = true;
  gJanela->showLineHelp();
  EXPECT_EQ(ajuda.gFiltro, QStringLiteral("&TeclarEnter"));
  gJanela->setAlvoAjuda(nullptr);
}

}  // namespace
}  // namespace mivo

