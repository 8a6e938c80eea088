// The data-table window on a real X desktop (Xvfb with openbox), in this
// process on Qt's xcb platform. Another program (xclip) owns the clipboard
// with a table as a spreadsheet copies it; the user presses Ctrl+V in the
// grid (XTest), makes the first line the titles, clicks the "nome" title and
// "Ordenar" in its popup (pointer through XTest), and saves with "Salvar
// como...". The file must hold the table sorted, byte for byte.

#include "unTesteX11.h"  // first: Xlib's macros would break GoogleTest

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <iostream>
#include <memory>
#include <string>

#include "unArquivoLista.h"
#include "unCLLista.h"
#include "unFrmLista.h"
#include "unPastaBaseTeste.h"
#include "unProcessoTeste.h"
#include "unTecladoXTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

// A screenshot of the whole test display, as PNG, into the build folder.
void capturar(const QString& nome) {
  QDir().mkpath(QStringLiteral(MIVO_CAPTURAS_DIR));
  const QString caminho = QStringLiteral(MIVO_CAPTURAS_DIR "/") + nome + QStringLiteral(".png");
  QScreen* tela = QGuiApplication::primaryScreen();
  ASSERT_NE(tela, nullptr);
  EXPECT_TRUE(tela->grabWindow(0).save(caminho, "PNG")) << caminho.toStdString();
  std::cout << "Captura: " << caminho.toStdString() << std::endl;
}

bool exposta(QWidget* w) { return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed(); }

class ListaX11 : public TesteX11 {
 protected:
  static void TearDownTestSuite() { gAplicacao.reset(); }

  // The application of this process, on the test display (DISPLAY was set
  // when the test server started).
  static void criarAplicacao() {
    if (gAplicacao) return;
    qputenv("QT_QPA_PLATFORM", "xcb");
    gAplicacao = std::make_unique<QApplication>(gArgc, gArgv);
  }

  // A left click of the user's at `ponto` (global coordinates of the
  // display).
  void clicar(QPoint ponto) {
    desktop->cursorPosicionar({ponto.x(), ponto.y()});
    desktop->botaoPressionar(BotaoMouse::Esquerdo);
    desktop->botaoSoltar(BotaoMouse::Esquerdo);
  }

  static inline int gArgc = 1;
  static inline char gNome[] = "test_unListaX11";
  static inline char* gArgv[] = {gNome, nullptr};
  static inline std::unique_ptr<QApplication> gAplicacao;
};

}  // namespace

TEST_F(ListaX11, ColarDeOutroProgramaOrdenarPeloTituloESalvar) {
  if (!programaInstalado("xclip")) GTEST_SKIP() << "Sem teste da área de transferência: o xclip não está instalado";
  CLPastaBaseTeste base;
  ASSERT_TRUE(base.isValid());
  QTemporaryDir saida;
  ASSERT_TRUE(saida.isValid());

  // As a spreadsheet copies it: cells split by tabs, rows ended by CR LF.
  // Two records share the key "carla" (letter case apart); one cell holds
  // ";", the list file's delimiter.
  const QString tabela = QStringLiteral(
      "nome\tcidade\tvalor\r\n"
      "Álvaro\tRecife\t10\r\n"
      "bruno\tSão Paulo\t2;5\r\n"
      "Alice\tRecife\t7\r\n"
      "Zé\tMaceió\t8\r\n"
      "Carla\tNatal\t3\r\n"
      "Émerson\tGoiânia\t1\r\n"
      "carla\tCuritiba\t4\r\n");
  const QString arquivoClipboard = saida.filePath(QStringLiteral("copiado.txt"));
  {
    QFile f(arquivoClipboard);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(tabela.toUtf8());
  }
  // In the foreground (-quiet), so that it ends with the test.
  CLProcessoTeste xclip;
  CLProcessoTeste::Opcoes opcoesXclip;
  opcoesXclip.ambiente = {{"DISPLAY", tela}};
  ASSERT_TRUE(xclip.iniciar({"xclip", "-quiet", "-selection", "clipboard", "-i", arquivoClipboard.toStdString()},
                            opcoesXclip));

  criarAplicacao();
  // The other program owns the clipboard once this process reads the table
  // from it.
  ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::clipboard()->text() == tabela; }, 20000))
      << "o xclip não publicou a tabela; lido: " << QGuiApplication::clipboard()->text().toStdString();

  CLTecladoXTeste teclado;
  ASSERT_TRUE(teclado.abrir(tela));
  CLLista lista(base.filePath(QStringLiteral("recentfiles.txt")));
  auto janela = std::make_unique<TfrmLista>(lista);
  // The clipboard stays the program's own (QClipboard); no modal window may
  // block the test: messages are recorded, the save dialog answers a path.
  const QString destino = saida.filePath(QStringLiteral("contatos ordenados.txt"));
  QStringList mensagens, perguntas;
  int dialogosSalvar = 0;
  CLDialogosLista dialogos;
  dialogos.informar = [&](const QString& t) { mensagens << t; };
  dialogos.erro = [&](const QString& t) { mensagens << QStringLiteral("erro: ") + t; };
  dialogos.confirmar = [&](const QString& t) {
    perguntas << t;
    return false;
  };
  dialogos.pedirValor = [&](const QString& t, const QString&, bool* ok) {
    perguntas << t;
    if (ok) *ok = false;
    return QString();
  };
  dialogos.caixaTexto = [&](const QString& t, const QString&, const QString&, bool* ok) {
    perguntas << t;
    if (ok) *ok = false;
    return QString();
  };
  dialogos.escolherSalvar = [&](QWidget*, const QString&, const QString&) {
    ++dialogosSalvar;
    return destino;
  };
  janela->setDialogos(std::move(dialogos));
  janela->setGeometry(60, 60, 900, 560);
  janela->show();
  QTableView* grade = janela->gridDados();
  ASSERT_TRUE(QTest::qWaitFor([&] { return exposta(janela.get()); }, 20000));

  // The window in front with the focus in the grid, as a user's click would
  // leave it.
  ASSERT_TRUE(desktop->janelaAtivar(JanelaId{static_cast<std::uint64_t>(janela->winId())}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == janela.get(); }, 20000));
  grade->setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&] { return grade->hasFocus(); }, 20000));

  // Ctrl+V on the server.
  ASSERT_TRUE(teclado.pressionar("Control_L"));
  ASSERT_TRUE(teclado.pressionar("v"));
  ASSERT_TRUE(teclado.soltar("v"));
  ASSERT_TRUE(teclado.soltar("Control_L"));
  const int linhasColadas = 8;  // the title line is a record until it is made the titles
  ASSERT_TRUE(QTest::qWaitFor([&] { return lista.gridDados.RowCount() == linhasColadas + 1; }, 20000))
      << "registros: " << lista.gridDados.RowCount() - 1;
  EXPECT_TRUE(QTest::qWaitFor([&] { return teclado.teclasPressionadas().empty(); }, 20000));
  EXPECT_EQ(lista.gridDados.ColCount(), 3);
  EXPECT_EQ(lista.gridDados.celulasLinha(3), (QStringList{"bruno", "São Paulo", "2;5"}));
  EXPECT_EQ(janela->textoItens().toStdString(), "Itens: 8");
  // The paste selects the first record: the title line.
  ASSERT_EQ(lista.gridDados.Row(), 1);
  ASSERT_EQ(lista.gridDados.cell(0, 1), QStringLiteral("nome"));

  janela->acao(QStringLiteral("Esta linha tem o nome das colunas"))->trigger();
  ASSERT_EQ(lista.gridDados.celulasLinha(0), (QStringList{"nome", "cidade", "valor"}));
  ASSERT_EQ(lista.gridDados.RowCount(), linhasColadas);
  ASSERT_TRUE(QTest::qWaitFor([&] { return grade->model()->headerData(0, Qt::Horizontal).toString() == "nome"; },
                              5000));
  QTest::qWait(100);  // the header repaints with its titles
  capturar(QStringLiteral("lista-1-colada"));

  // A click on the title "nome" opens the header popup under the pointer;
  // a click on "Ordenar" sorts by that column.
  QHeaderView* titulos = grade->horizontalHeader();
  const int colunaNome = 0;
  const QPoint noTitulo = titulos->viewport()->mapToGlobal(
      QPoint(titulos->sectionViewportPosition(colunaNome) + titulos->sectionSize(colunaNome) / 2,
             titulos->height() / 2));
  clicar(noTitulo);
  QMenu* popup = janela->menuTitulo();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return exposta(popup); }, 20000)) << "o menu do título não abriu";
  EXPECT_EQ(lista.gSortedColumn, colunaNome);
  QAction* ordenar = janela->acao(QStringLiteral("Ordenar"));
  ASSERT_NE(ordenar, nullptr);
  ASSERT_EQ(popup->actions().value(0), ordenar);
  QTest::qWait(100);  // the menu draws before the click
  capturar(QStringLiteral("lista-2-menu-titulo"));
  clicar(popup->mapToGlobal(popup->actionGeometry(ordenar).center()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !popup->isVisible() && lista.gridDados.cell(0, 1) == "Alice"; }, 20000))
      << "primeiro registro: " << lista.gridDados.cell(0, 1).toStdString();

  janela->acao(QStringLiteral("Salvar como..."))->trigger();
  EXPECT_EQ(dialogosSalvar, 1);
  ASSERT_TRUE(QFileInfo::exists(destino));
  EXPECT_EQ(lista.gArquivo, destino);
  EXPECT_EQ(janela->textoSalvo().toStdString(), "Está salvo: Sim");
  EXPECT_EQ(mensagens, QStringList());
  EXPECT_EQ(perguntas, QStringList());
  QTest::qWait(100);
  capturar(QStringLiteral("lista-3-ordenada-salva"));

  // Titles first; the records in pt-BR order without regard to case or
  // accents (Alice before Álvaro), the two "carla" by their other cells;
  // ";" between cells, the cell holding ";" in quotes; CR LF; every
  // character fits Windows-1252, so that is the encoding, with no mark.
  QFile salvo(destino);
  ASSERT_TRUE(salvo.open(QIODevice::ReadOnly));
  const QByteArray bytes = salvo.readAll();
  const QByteArray esperado =
      "nome;cidade;valor\r\n"
      "Alice;Recife;7\r\n"
      "\xC1lvaro;Recife;10\r\n"
      "bruno;S\xE3o Paulo;\"2;5\"\r\n"
      "carla;Curitiba;4\r\n"
      "Carla;Natal;3\r\n"
      "\xC9merson;Goi\xE2nia;1\r\n"
      "Z\xE9;Macei\xF3;8\r\n";
  EXPECT_EQ(bytes, esperado) << bytes.toHex(' ').toStdString();
  // The quoted cell reads back whole.
  const QList<QByteArray> linhas = bytes.split('\n');
  ASSERT_GT(linhas.size(), 3);
  EXPECT_EQ(dividirCampos(QString::fromLatin1(linhas[3]), u';'), (QStringList{"bruno", "S\u00e3o Paulo", "2;5"}));

  janela.reset();
  xclip.parar();
}
