// The data-table window on a real X desktop (Xvfb with openbox), in this
// process on Qt's xcb platform. Another program (xclip) owns the clipboard
// with a table as a spreadsheet copies it.
// - The user presses Ctrl+V in the grid (XTest), makes the first line the
//   titles, clicks the "nome" title and "Ordenar" in its popup (pointer
//   through XTest), and saves with "Salvar como...". The file must hold the
//   table sorted, byte for byte.
// - The user clicks the selected cell, then presses Ctrl+V; then opens a
//   cell's editor with a double click and presses Ctrl+V there: both times
//   the table arrives as records, never flattened into one cell.

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

  void SetUp() override {
    TesteX11::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (!programaInstalado("xclip")) GTEST_SKIP() << "Sem teste da área de transferência: o xclip não está instalado";
    ASSERT_TRUE(base.isValid());
    ASSERT_TRUE(saida.isValid());
    ASSERT_TRUE(teclado.abrir(tela));
  }

  // The application of this process, on the test display (DISPLAY was set
  // when the test server started).
  static void criarAplicacao() {
    if (gAplicacao) return;
    qputenv("QT_QPA_PLATFORM", "xcb");
    gAplicacao = std::make_unique<QApplication>(gArgc, gArgv);
  }

  // A left click of the user's at `ponto` (global coordinates of the
  // display); `vezes` 2 is a double click.
  void clicar(QPoint ponto, int vezes = 1) {
    desktop->cursorPosicionar({ponto.x(), ponto.y()});
    for (int k = 0; k < vezes; ++k) {
      desktop->botaoPressionar(BotaoMouse::Esquerdo);
      desktop->botaoSoltar(BotaoMouse::Esquerdo);
    }
  }

  // xclip owns the clipboard with `texto` (in the foreground, -quiet, so
  // that it ends with the test); then this process's application exists
  // and has read the text from it. False, with the test failed, otherwise.
  bool publicarNaAreaDeTransferencia(const QString& texto) {
    const QString arquivo = saida.filePath(QStringLiteral("copiado.txt"));
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto.toUtf8()) < 0) {
      ADD_FAILURE() << "não gravou " << arquivo.toStdString();
      return false;
    }
    f.close();
    CLProcessoTeste::Opcoes opcoes;
    opcoes.ambiente = {{"DISPLAY", tela}};
    if (!xclip.iniciar({"xclip", "-quiet", "-selection", "clipboard", "-i", arquivo.toStdString()}, opcoes)) {
      ADD_FAILURE() << "o xclip não iniciou";
      return false;
    }
    criarAplicacao();
    if (!QTest::qWaitFor([&] { return QGuiApplication::clipboard()->text() == texto; }, 20000)) {
      ADD_FAILURE() << "o xclip não publicou a tabela; lido: " << QGuiApplication::clipboard()->text().toStdString();
      return false;
    }
    return true;
  }

  // Dialogs that never block the test: messages and questions are recorded
  // (every question answered "Não", every input box cancelled).
  CLDialogosLista dialogosGravados() {
    CLDialogosLista dialogos;
    dialogos.informar = [this](const QString& t) { mensagens << t; };
    dialogos.erro = [this](const QString& t) { mensagens << QStringLiteral("erro: ") + t; };
    dialogos.confirmar = [this](const QString& t) {
      perguntas << t;
      return false;
    };
    dialogos.pedirValor = [this](const QString& t, const QString&, bool* ok) {
      perguntas << t;
      if (ok) *ok = false;
      return QString();
    };
    dialogos.caixaTexto = [this](const QString& t, const QString&, const QString&, bool* ok) {
      perguntas << t;
      if (ok) *ok = false;
      return QString();
    };
    return dialogos;
  }

  // Shows the window, brings it to the front and puts the focus in its
  // grid, as a user's click would leave it.
  void mostrarComFoco(TfrmLista& janela) {
    janela.setGeometry(60, 60, 900, 560);
    janela.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return exposta(&janela); }, 20000));
    ASSERT_TRUE(desktop->janelaAtivar(JanelaId{static_cast<std::uint64_t>(janela.winId())}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &janela; }, 20000));
    janela.gridDados()->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return janela.gridDados()->hasFocus(); }, 20000));
  }

  // Ctrl+V on the server.
  void ctrlV() {
    ASSERT_TRUE(teclado.pressionar("Control_L"));
    ASSERT_TRUE(teclado.pressionar("v"));
    ASSERT_TRUE(teclado.soltar("v"));
    ASSERT_TRUE(teclado.soltar("Control_L"));
  }

  CLPastaBaseTeste base;
  QTemporaryDir saida;
  CLTecladoXTeste teclado;
  CLProcessoTeste xclip;
  QStringList mensagens, perguntas;

  static inline int gArgc = 1;
  static inline char gNome[] = "test_unListaX11";
  static inline char* gArgv[] = {gNome, nullptr};
  static inline std::unique_ptr<QApplication> gAplicacao;
};

}  // namespace

TEST_F(ListaX11, ColarDeOutroProgramaOrdenarPeloTituloESalvar) {
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
  ASSERT_TRUE(publicarNaAreaDeTransferencia(tabela));

  CLLista lista(base.filePath(QStringLiteral("recentfiles.txt")));
  auto janela = std::make_unique<TfrmLista>(lista);
  // The clipboard stays the program's own (QClipboard); no modal window may
  // block the test: messages are recorded, the save dialog answers a path.
  const QString destino = saida.filePath(QStringLiteral("contatos ordenados.txt"));
  int dialogosSalvar = 0;
  CLDialogosLista dialogos = dialogosGravados();
  dialogos.escolherSalvar = [&](QWidget*, const QString&, const QString&) {
    ++dialogosSalvar;
    return destino;
  };
  janela->setDialogos(std::move(dialogos));
  ASSERT_NO_FATAL_FAILURE(mostrarComFoco(*janela));
  QTableView* grade = janela->gridDados();

  ASSERT_NO_FATAL_FAILURE(ctrlV());
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

// A click on the cell that is already selected, as a user clicks the grid
// before pasting, must not open the cell's editor: Ctrl+V then brings the
// table in as records. In an editor opened with a double click, Ctrl+V of
// a table does the same, and the cell keeps its text.
TEST_F(ListaX11, CliqueNaCelulaSelecionadaEColarUmaTabela) {
  ASSERT_TRUE(publicarNaAreaDeTransferencia(QStringLiteral("nome\tcidade\r\nAna\tRecife\r\nBia\tSão Paulo\r\n")));
  CLLista lista(base.filePath(QStringLiteral("recentfiles.txt")));
  auto janela = std::make_unique<TfrmLista>(lista);
  janela->setDialogos(dialogosGravados());
  ASSERT_NO_FATAL_FAILURE(mostrarComFoco(*janela));
  QTableView* grade = janela->gridDados();
  auto editorAberto = [&] { return grade->indexWidget(grade->currentIndex()) != nullptr; };
  auto centroDaCelula = [&](int registro, int coluna) {
    const QModelIndex i = grade->model()->index(registro - 1, coluna);
    return grade->viewport()->mapToGlobal(grade->visualRect(i).center());
  };

  // The blank table's only cell is the selected one.
  ASSERT_TRUE(grade->selectionModel()->isSelected(grade->currentIndex()));
  clicar(centroDaCelula(1, 0));
  // Past the double-click time, when a click on a selected cell would have
  // opened its editor.
  QTest::qWait(QApplication::doubleClickInterval() + 500);
  EXPECT_FALSE(editorAberto()) << "um clique na célula selecionada abriu o editor";
  ASSERT_NO_FATAL_FAILURE(ctrlV());
  ASSERT_TRUE(QTest::qWaitFor([&] { return lista.gridDados.RowCount() == 4; }, 20000))
      << "registros: " << lista.gridDados.RowCount() - 1 << ", célula: " << lista.gridDados.cell(0, 1).toStdString();
  EXPECT_EQ(lista.gridDados.celulasLinha(3), (QStringList{"Bia", "São Paulo"}));
  EXPECT_FALSE(editorAberto());
  QTest::qWait(100);
  capturar(QStringLiteral("lista-4-clique-e-colar"));

  // A double click on "Recife" opens its editor; Ctrl+V there adds the
  // table after the records, and "Recife" stays.
  clicar(centroDaCelula(2, 1), 2);
  ASSERT_TRUE(QTest::qWaitFor(editorAberto, 20000)) << "o clique duplo não abriu o editor";
  ASSERT_EQ(grade->currentIndex(), grade->model()->index(1, 1));
  capturar(QStringLiteral("lista-5-editor-aberto"));
  ASSERT_NO_FATAL_FAILURE(ctrlV());
  ASSERT_TRUE(QTest::qWaitFor([&] { return lista.gridDados.RowCount() == 7; }, 20000))
      << "registros: " << lista.gridDados.RowCount() - 1 << ", célula: " << lista.gridDados.cell(1, 2).toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !editorAberto(); }, 5000));
  EXPECT_EQ(lista.gridDados.cell(1, 2), QStringLiteral("Recife"));
  EXPECT_EQ(lista.gridDados.celulasLinha(6), (QStringList{"Bia", "São Paulo"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return teclado.teclasPressionadas().empty(); }, 20000));
  EXPECT_EQ(mensagens, QStringList());
  EXPECT_EQ(perguntas, QStringList());
  QTest::qWait(100);
  capturar(QStringLiteral("lista-6-colada-no-editor"));

  janela.reset();
  xclip.parar();
}
