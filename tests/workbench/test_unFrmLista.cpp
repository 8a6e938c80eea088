#include "unFrmLista.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTimer>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QInputDialog>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableWidget>
#include <functional>
#include <optional>

#include "unApoioDialogos.h"
#include "unCLDialogosLista.h"
#include "unDelegadoDestaque.h"
#include "unFrmAbrir.h"
#include "unFrmSalvarFile.h"

#include "impressaoQt.h"
#include "unCLColunas.h"
#include "unJanelaListaTeste.h"
#include "unRegrasLista.h"
#include "unUtil.h"

namespace mivo {
namespace {

using teste::CLJanelaListaTeste;
using teste::CLProgressoCancelavel;
using teste::esperar;

using Registros = QList<QStringList>;

QStringList L(std::initializer_list<const char*> celulas) {
  QStringList r;
  for (const char* c : celulas) r << QString::fromUtf8(c);
  return r;
}

QByteArray lerBytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Selects records (grid rows) primeira..ultima, every column.
void selecionar(TfrmLista& janela, int primeira, int ultima, bool somar = false) {
  QTableView* g = janela.gridDados();
  const QAbstractItemModel* m = g->model();
  const QItemSelection faixa(m->index(primeira - 1, 0), m->index(ultima - 1, m->columnCount() - 1));
  g->selectionModel()->select(faixa, somar ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
}

class JanelaLista : public ::testing::Test, public CLJanelaListaTeste {};

// --- Captions -----------------------------------------------------------------------------------------

TEST_F(JanelaLista, LegendasDosBotoesMenusEStatus) {
  EXPECT_EQ(janela->windowTitle(), QStringLiteral("Lista de trabalho"));
  auto dica = [&](const char* nome) { return janela->findChild<QToolButton*>(QString::fromLatin1(nome))->toolTip(); };
  EXPECT_EQ(dica("btnNovaLista"), QStringLiteral("Descarta a lista atual e inicia uma nova lista de trabalho"));
  EXPECT_EQ(dica("btnInserir"), QStringLiteral("(F3) Insere dados na sua lista de trabalho"));
  EXPECT_EQ(dica("btnExcluir"), QStringLiteral("Excluir (Del)"));
  EXPECT_EQ(dica("btnAbrir"), QStringLiteral("Abre um arquivo de dados"));
  EXPECT_EQ(dica("btnColar"), QStringLiteral("Cola dados da área de transferência (CTRL + V)"));
  EXPECT_EQ(dica("btnSalvar"), QStringLiteral("Salva os dados no arquivo carregado"));
  EXPECT_EQ(dica("btnSalvarComo"), QStringLiteral("Salvar como..."));

  auto legendas = [](QMenu* menu) {
    QStringList r;
    for (QAction* a : menu->actions())
      if (!a->isSeparator()) r << a->text();
    return r;
  };
  EXPECT_EQ(legendas(janela->menuNovaLista()),
            L({"Nova lista (não eliminar colunas)", "Nova lista (eliminar colunas)"}));
  EXPECT_EQ(legendas(janela->menuAbrir()),
            L({"Nova lista", "Digitar ou colar dados (F3)", "Abrir lista...", "Abrir arquivo texto ou CSV...",
               "Abrir arquivo do Excel (.xls, .xlsx)"}));
  EXPECT_EQ(legendas(janela->menuEditar()),
            L({"Esta linha tem o nome das colunas", "Obter caminho de arquivo...", "Copiar", "Colar (CTRL + V)",
               "Excluir (Del)", "Marcar tudo", "Desmarcar tudo", "Ir para linha...", "Localizar"}));
  EXPECT_EQ(legendas(janela->menuSalvar()), L({"Salvar (F2)", "Salvar como...", "Listar dados"}));
  EXPECT_EQ(legendas(janela->menuColunas()),
            L({"Inserir coluna (F4)", "Renomear colunas", "Excluir coluna", "Mover coluna"}));
  EXPECT_EQ(legendas(janela->menuTitulo()),
            L({"Ordenar", "Renomear", "Copiar dados desta coluna", "Excluir dados desta coluna", "Excluir coluna"}));
  std::map<QString, QString> barra;
  for (const char* nome : {"btnMenuAbrir", "btnMenuEditar", "btnMenuSalvar", "btnMenuColunas"})
    barra[QString::fromLatin1(nome)] = janela->findChild<QToolButton*>(QString::fromLatin1(nome))->text();
  EXPECT_EQ(barra[QStringLiteral("btnMenuAbrir")], QStringLiteral("Abrir / Inserir"));
  EXPECT_EQ(barra[QStringLiteral("btnMenuEditar")], QStringLiteral("Editar"));
  EXPECT_EQ(barra[QStringLiteral("btnMenuSalvar")], QStringLiteral("Salvar"));
  EXPECT_EQ(barra[QStringLiteral("btnMenuColunas")], QStringLiteral("Colunas"));

  // A blank table: one record, not saved, no file.
  EXPECT_EQ(janela->textoPosicao(), QStringLiteral("Posição: 1"));
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 1"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
  EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: "));
  EXPECT_EQ(janela->findChild<QLabel*>(QStringLiteral("lbCelula"))->text(), QStringLiteral("Célula selecionada:"));
}

// --- Paste ---------------------------------------------------------------------------------------------

// Ctrl+V in the grid: the clipboard's text, split by the delimiter of its
// first line, appended to a table just emptied.
TEST_F(JanelaLista, ColarDaAreaDeTransferencia) {
  struct Caso {
    const char* nome;
    const char* texto;
    Registros esperado;
  };
  const Caso casos[] = {
      {"ponto e vírgula", "nome;cidade\r\nAna;Recife", {L({"nome", "cidade"}), L({"Ana", "Recife"})}},
      {"tab", "nome\tcidade\nBia\tNatal", {L({"nome", "cidade"}), L({"Bia", "Natal"})}},
      {"vírgula", "nome,cidade\rCaio,Olinda", {L({"nome", "cidade"}), L({"Caio", "Olinda"})}},
      {"; antes de ,", "a;b,c\nd;e,f", {L({"a", "b,c"}), L({"d", "e,f"})}},
      {"aspas com vírgula", "\"Silva, Ana\",Recife\nBruno,Natal", {L({"Silva, Ana", "Recife"}), L({"Bruno", "Natal"})}},
      {"aspas com ;", "\"a;b\";c", {L({"a;b", "c"})}},
      {"sem delimitador na primeira", "um\ndois;tres", {L({"um"}), L({"dois;tres"})}},
      {"linha em branco no meio", "a;b\n\nc;d", {L({"a", "b"}), L({"", ""}), L({"c", "d"})}},
      {"campos aparados", "  x ; y  \n z;w", {L({"x", "y"}), L({"z", "w"})}},
      {"mais campos depois", "a;b\nc;d;e", {L({"a", "b", ""}), L({"c", "d", "e"})}},
  };
  QTableView* g = janela->gridDados();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    lista.gridZerar(true);
    lista.gArquivo = QStringLiteral("/algum/arquivo.txt");
    roteiro.areaTransferencia = QString::fromUtf8(c.texto);
    QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(registros(), c.esperado);
    EXPECT_EQ(g->model()->rowCount(), c.esperado.size());
    EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: %1").arg(c.esperado.size()));
    EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: "));
    EXPECT_TRUE(lista.gEditou);
  }
  EXPECT_TRUE(roteiro.informacoes.isEmpty());
}

TEST_F(JanelaLista, ColarSoEspacosNaoAcrescentaMasDesligaDoArquivo) {
  preencher(QStringLiteral("a;b"));
  lista.gArquivo = QStringLiteral("/x/lista.txt");
  roteiro.areaTransferencia = QStringLiteral("  \r\n\t ");
  janela->executarColar();
  EXPECT_EQ(registros(), Registros{L({"a", "b"})});
  EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: "));
}

TEST_F(JanelaLista, ColarAcrescentaAosRegistrosExistentes) {
  preencher(QStringLiteral("a;b"));
  roteiro.areaTransferencia = QStringLiteral("c;d");
  janela->findChild<QToolButton*>(QStringLiteral("btnColar"))->click();
  EXPECT_EQ(registros(), (Registros{L({"a", "b"}), L({"c", "d"})}));
}

TEST_F(JanelaLista, ColarCanceladoAvisaEGuardaOQueEntrou) {
  CLProgressoCancelavel cancela(2);
  janela->setProgresso(&cancela);
  QString texto;
  for (int i = 0; i < 100; ++i) texto += QStringLiteral("nome%1;x\n").arg(i);
  roteiro.areaTransferencia = texto;
  janela->executarColar();
  EXPECT_EQ(roteiro.informacoes, QStringList{QStringLiteral("Operação cancelada")});
  const int n = lista.gridDados.qtdRegistros();
  EXPECT_GT(n, 0);
  EXPECT_LT(n, 100);
  // The blank record of the new table stays in front of them.
  EXPECT_TRUE(registros().contains(L({"nome0", "x"})));
  EXPECT_EQ(cancela.operacoes, QStringList{QStringLiteral("Carregando dados...")});
}

// F3 and the toolbar button open the multi-line input window; its text is
// pasted when the user confirms something that is not blank.
TEST_F(JanelaLista, DigitarOuColarDados) {
  roteiro.respostaEntrada = QStringLiteral("email;nome\r\na@x.com;Ana");
  QTest::keyClick(janela->gridDados(), Qt::Key_F3);
  ASSERT_EQ(roteiro.entradas.size(), 1);
  EXPECT_EQ(roteiro.entradas[0].titulo, QStringLiteral("Digite ou cole os dados que quer inserir na lista de dados"));
  EXPECT_EQ(roteiro.entradas[0].botao, QStringLiteral("Ok"));
  EXPECT_EQ(registros(), (Registros{L({"email", "nome"}), L({"a@x.com", "Ana"})}));

  roteiro.confirmaEntrada = false;
  janela->findChild<QToolButton*>(QStringLiteral("btnInserir"))->click();
  EXPECT_EQ(roteiro.entradas.size(), 2);
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 2);

  roteiro.confirmaEntrada = true;
  roteiro.respostaEntrada = QStringLiteral("   ");
  janela->acao(QStringLiteral("Digitar ou colar dados (F3)"))->trigger();
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 2);
}

// After a paste (Ctrl+V or the input window) the columns fit what came in,
// as after opening a file.
TEST_F(JanelaLista, ColarAjustaAsLargurasDasColunas) {
  const QString texto = QStringLiteral("id;endereço\r\n1;Avenida Governador Agamenon Magalhães, 4775, apto 1201");
  struct Caso {
    const char* nome;
    std::function<void()> colar;
  };
  const Caso casos[] = {
      {"Ctrl+V",
       [&] {
         roteiro.areaTransferencia = texto;
         QTest::keyClick(janela->gridDados(), Qt::Key_V, Qt::ControlModifier);
       }},
      {"Digitar ou colar dados (F3)",
       [&] {
         roteiro.respostaEntrada = texto;
         janela->acao(QStringLiteral("Digitar ou colar dados (F3)"))->trigger();
       }},
  };
  QTableView* g = janela->gridDados();
  const QFontMetrics medidas(g->font());
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    lista.gridZerar(true);
    for (int col = 0; col < 2; ++col) g->setColumnWidth(col, 150);
    c.colar();
    ASSERT_EQ(lista.gridDados.qtdRegistros(), 2);
    const QList<int> esperadas =
        larguraColunasAuto(lista.gridDados, [&](const QString& t) { return medidas.horizontalAdvance(t); });
    ASSERT_EQ(esperadas.size(), 2);
    EXPECT_EQ(g->columnWidth(0), esperadas[0]);
    EXPECT_EQ(g->columnWidth(1), esperadas[1]);
    EXPECT_LT(g->columnWidth(0), 150);
    EXPECT_GT(g->columnWidth(1), 150);
  }
}

// A single click on the selected cell leaves the editor closed (a user
// clicks the grid before Ctrl+V); a double click opens it. In an open
// editor, a paste of several lines or cells goes into the table as records,
// after what was typed in the cell is kept; plain text goes into the cell.
TEST_F(JanelaLista, ColarComACelulaEmEdicao) {
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  QTableView* g = janela->gridDados();
  struct Caso {
    const char* area;
    Registros esperado;
    bool editorAberto;  // after the paste
  };
  const Caso casos[] = {
      {"Bia\tNatal\r\nCaio\tOlinda\r\n", {L({"Ana x", "Recife"}), L({"Bia", "Natal"}), L({"Caio", "Olinda"})},
       false},
      {"Bia\tNatal", {L({"Ana x", "Recife"}), L({"Bia", "Natal"})}, false},
      {"Bia;Natal\nCaio;Olinda", {L({"Ana x", "Recife"}), L({"Bia", "Natal"}), L({"Caio", "Olinda"})}, false},
      {"Olá, mundo; fim", {L({"Ana", "Recife"})}, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.area);
    preencher(QStringLiteral("Ana;Recife"));
    g->setFocus();
    const QPoint celula = g->visualRect(g->model()->index(0, 0)).center();
    ASSERT_TRUE(g->selectionModel()->isSelected(g->model()->index(0, 0)));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, celula);
    QTest::qWait(QApplication::doubleClickInterval() + 300);
    EXPECT_EQ(g->indexWidget(g->currentIndex()), nullptr) << "um clique abriu o editor";

    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, celula);
    ASSERT_TRUE(esperar([&] { return g->indexWidget(g->currentIndex()) != nullptr; }));
    auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex()));
    ASSERT_NE(editor, nullptr);
    if (!c.editorAberto) editor->setText(QStringLiteral("Ana x"));
    editor->setCursorPosition(0);
    roteiro.areaTransferencia = QString::fromUtf8(c.area);
    QGuiApplication::clipboard()->setText(roteiro.areaTransferencia);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(registros(), c.esperado);
    QWidget* aberto = g->indexWidget(g->currentIndex());
    EXPECT_EQ(aberto != nullptr, c.editorAberto);
    if (c.editorAberto) {
      ASSERT_EQ(aberto, editor);
      EXPECT_EQ(editor->text(), QStringLiteral("Olá, mundo; fimAna"));
      QTest::keyClick(editor, Qt::Key_Escape);
    }
  }
}

// --- Title row --------------------------------------------------------------------------------------------

TEST_F(JanelaLista, EstaLinhaTemONomeDasColunas) {
  preencher(QStringLiteral("nome;email\nAna;a@x\nBia;b@x"));
  lista.gridDados.setRow(1);
  janela->acao(QStringLiteral("Esta linha tem o nome das colunas"))->trigger();
  EXPECT_EQ(titulos(), L({"nome", "email"}));
  EXPECT_EQ(registros(), (Registros{L({"Ana", "a@x"}), L({"Bia", "b@x"})}));
  EXPECT_EQ(janela->gridDados()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("email"));
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 2"));

  // The only record becomes the titles; a blank record stays.
  preencher(QStringLiteral("nome;email"));
  janela->linhaParaTitulos();
  EXPECT_EQ(titulos(), L({"nome", "email"}));
  EXPECT_EQ(registros(), Registros{L({"", ""})});
}

// Clicking a title: the header popup for a titled column, nothing selected.
TEST_F(JanelaLista, CliqueNoTitulo) {
  preencher(QStringLiteral("Ana;a@x\nBia;b@x"));
  lista.gridDados.setCell(1, 0, QStringLiteral("email"));
  EXPECT_EQ(janela->tituloClicado(1), janela->menuTitulo());
  EXPECT_EQ(lista.gSortedColumn, 1);
  EXPECT_EQ(janela->tituloClicado(0), nullptr);  // untitled: renaming instead
  EXPECT_EQ(lista.gSortedColumn, 0);
  // A click on the header does not select the column's records.
  QHeaderView* h = janela->gridDados()->horizontalHeader();
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  janela->gridDados()->selectionModel()->clearSelection();
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(0) + 5, h->height() / 2));
  EXPECT_FALSE(janela->gridDados()->selectionModel()->hasSelection());
}

// --- Deleting -----------------------------------------------------------------------------------------

TEST_F(JanelaLista, ExcluirRegistrosSelecionados) {
  QString texto;
  for (int i = 1; i <= 10; ++i) texto += QStringLiteral("r%1;x\n").arg(i);
  preencher(texto);
  QTableView* g = janela->gridDados();
  selecionar(*janela, 2, 4);
  QTest::keyClick(g, Qt::Key_Delete);
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 7);
  EXPECT_EQ(lista.gridDados.cell(0, 2), QStringLiteral("r5"));
  EXPECT_EQ(lista.gridDados.Row(), 2);
  EXPECT_EQ(g->currentIndex().row(), 1);
  EXPECT_EQ(janela->textoPosicao(), QStringLiteral("Posição: 2"));
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 7"));

  // Two separate runs: only their rows go.
  selecionar(*janela, 1, 1);
  selecionar(*janela, 5, 6, true);
  janela->findChild<QToolButton*>(QStringLiteral("btnExcluir"))->click();
  QStringList primeiros;
  for (int r = 1; r < lista.gridDados.RowCount(); ++r) primeiros << lista.gridDados.cell(0, r);
  EXPECT_EQ(primeiros, L({"r5", "r6", "r7", "r10"}));
  EXPECT_EQ(lista.gridDados.Row(), 1);

  // Nothing selected: nothing deleted.
  janela->desmarcarTudo();
  janela->deletarSelecionados();
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 4);
  EXPECT_TRUE(roteiro.erros.isEmpty());
}

TEST_F(JanelaLista, ExcluirTudoMarcadoDeixaUmRegistroEmBranco) {
  preencher(QStringLiteral("a;b\nc;d\ne;f"));
  lista.gridDados.setLinhaInteira(0, L({"t1", "t2"}));
  janela->acao(QStringLiteral("Marcar tudo"))->trigger();
  janela->acao(QStringLiteral("Excluir (Del)"))->trigger();
  EXPECT_EQ(registros(), Registros{L({"", ""})});
  EXPECT_EQ(titulos(), L({"t1", "t2"}));
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 1"));

  // The only record is cleared, not removed.
  preencher(QStringLiteral("x;y"));
  selecionar(*janela, 1, 1);
  janela->deletarSelecionados();
  EXPECT_EQ(registros(), Registros{L({"", ""})});
}

TEST_F(JanelaLista, ExcluirComAVisaoFiltradaERecusado) {
  preencher(QStringLiteral("a;b\nc;d"));
  CLGrade visao;
  lista.gGrid = &visao;
  selecionar(*janela, 1, 2);
  QTest::keyClick(janela->gridDados(), Qt::Key_Delete);
  EXPECT_EQ(roteiro.erros, QStringList{QStringLiteral("Não é possível excluir dados filtrados")});
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 2);
  lista.gGrid = &lista.gridDados;
}

// --- Saving ---------------------------------------------------------------------------------------------

// "Salvar (F2)" on a list without a file: the program's save-as window
// titled "Salvar lista de dados" (the window's own unless one was handed
// over), proposing the name of the list last opened; written as a list file
// is. The table then belongs to that file, and F2 writes over it without
// asking.
TEST_F(JanelaLista, SalvarSemArquivoUsaAJanelaSalvarEDepoisNaoPergunta) {
  preencher(QStringLiteral("João;a@x\nBia;b@x"));
  lista.gridDados.setLinhaInteira(0, L({"nome", "email"}));
  lista.gLastFile = pasta.filePath(QStringLiteral("antigas/contatos.txt"));

  // The window's own, cancelled: nothing written, no system dialog.
  QWidget* paiDaPropria = nullptr;
  {
    teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
      paiDaPropria = j.parentWidget();
      j.reject();
    });
    QTest::keyClick(janela->gridDados(), Qt::Key_F2);
    EXPECT_TRUE(espera.atendida());
  }
  EXPECT_EQ(paiDaPropria, janela.get());
  EXPECT_TRUE(lista.gArquivo.isEmpty());
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));

  TfrmSalvarFile janelaSalvar;
  int pedidas = 0;
  janela->setJanelaSalvar([&]() -> TfrmSalvarFile& {
    ++pedidas;
    return janelaSalvar;
  });
  QString titulo, proposto;
  {
    teste::CLEsperaModal<TfrmSalvarFile> espera([&](TfrmSalvarFile& j) {
      titulo = j.findChild<QLabel*>(QStringLiteral("lbTitle"))->text();
      auto* nome = j.findChild<QLineEdit*>(QStringLiteral("edtNome"));
      proposto = nome->text();
      nome->setText(QStringLiteral("clientes"));
      j.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    });
    janela->acao(QStringLiteral("Salvar (F2)"))->trigger();
    EXPECT_TRUE(espera.atendida());
  }
  EXPECT_EQ(pedidas, 1);
  EXPECT_EQ(titulo, QStringLiteral("Salvar lista de dados"));
  EXPECT_EQ(proposto, QStringLiteral("contatos"));
  EXPECT_EQ(roteiro.dialogosSalvar, 0);
  const QString caminho = pasta.filePath(QStringLiteral("dados/listas/clientes.txt"));
  EXPECT_EQ(lerBytes(caminho), QByteArray("nome;email\r\nJo\xE3o;a@x\r\nBia;b@x\r\n"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Sim"));
  EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: ") + caminho);
  EXPECT_EQ(lista.gLastFile, caminho);
  ASSERT_FALSE(lista.gRecentes.itens().isEmpty());
  EXPECT_EQ(lista.gRecentes.itens().first().caminho, caminho);

  // An edit makes it unsaved; F2 writes over the same file, no window.
  lista.editarCelula(0, 1, QStringLiteral("Ana Maria"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
  QTest::keyClick(janela->gridDados(), Qt::Key_F2);
  EXPECT_EQ(pedidas, 1);
  EXPECT_EQ(lerBytes(caminho), QByteArray("nome;email\r\nAna Maria;a@x\r\nBia;b@x\r\n"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Sim"));
}

TEST_F(JanelaLista, SalvarComoSobreArquivoExistentePergunta) {
  preencher(QStringLiteral("novo;dado"));
  const QString caminho = gravarArquivo(QStringLiteral("existente.txt"), "antigo\r\n");
  struct Caso {
    bool resposta;
    QByteArray conteudo;
    const char* salvo;
  };
  for (const Caso& c : {Caso{false, "antigo\r\n", "Está salvo: Não"}, Caso{true, ";\r\nnovo;dado\r\n", "Está salvo: Sim"}}) {
    SCOPED_TRACE(c.resposta);
    roteiro.perguntas.clear();
    roteiro.salvarComo << caminho;
    roteiro.respostas << c.resposta;
    janela->findChild<QToolButton*>(QStringLiteral("btnSalvarComo"))->click();
    EXPECT_EQ(roteiro.perguntas, QStringList{QStringLiteral("O arquivo já existe. Deseja sobrepor?")});
    EXPECT_EQ(lerBytes(caminho), c.conteudo);
    EXPECT_EQ(janela->textoSalvo(), QString::fromUtf8(c.salvo));
  }
  // The dialog cancelled: nothing is asked or written.
  roteiro.perguntas.clear();
  lista.editarCelula(0, 1, QStringLiteral("outro"));
  EXPECT_FALSE(janela->salvarComoDialogo());
  EXPECT_TRUE(roteiro.perguntas.isEmpty());
  EXPECT_EQ(lerBytes(caminho), QByteArray(";\r\nnovo;dado\r\n"));
}

TEST_F(JanelaLista, SalvarQueFalhaOuECanceladoAvisa) {
  preencher(QStringLiteral("a;b"));
  // A folder where the file should be: the write fails and says so.
  const QString pastaAlvo = pasta.filePath(QStringLiteral("dados/listas/pasta.txt"));
  ASSERT_TRUE(QDir().mkpath(pastaAlvo));
  EXPECT_FALSE(janela->salvarComo(pastaAlvo));
  ASSERT_EQ(roteiro.erros.size(), 1);
  EXPECT_TRUE(roteiro.erros[0].startsWith(QStringLiteral("Erro: "))) << roteiro.erros[0].toStdString();
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
  EXPECT_TRUE(lista.gArquivo.isEmpty());

  // Cancelled in the progress window: nothing written.
  CLProgressoCancelavel cancela(0);
  janela->setProgresso(&cancela);
  const QString caminho = pasta.filePath(QStringLiteral("cancelado.txt"));
  EXPECT_FALSE(janela->salvarComo(caminho));
  EXPECT_EQ(roteiro.informacoes, QStringList{QStringLiteral("Procedimento cancelado")});
  EXPECT_FALSE(QFileInfo::exists(caminho));
  EXPECT_TRUE(lista.gArquivo.isEmpty());
}

// --- New list ---------------------------------------------------------------------------------------------

TEST_F(JanelaLista, NovaListaPerguntaQuandoHaDados) {
  struct Caso {
    const char* legenda;
    bool resposta;
    Registros registros;
    QStringList titulos;
  };
  const Caso casos[] = {
      {"Nova lista (não eliminar colunas)", false, {L({"a", "b"})}, L({"t1", "t2"})},
      {"Nova lista (não eliminar colunas)", true, {L({"", ""})}, L({"t1", "t2"})},
      {"Nova lista (eliminar colunas)", true, {L({"", ""})}, L({"", ""})},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.legenda) + (c.resposta ? " sim" : " não"));
    preencher(QStringLiteral("a;b"));
    lista.gridDados.setLinhaInteira(0, L({"t1", "t2"}));
    lista.gArquivo = lista.gLastFile = QStringLiteral("/x/lista.txt");
    janela->showStatus(lista.gridDados);
    roteiro.perguntas.clear();
    roteiro.respostas = {c.resposta};
    janela->acao(QString::fromUtf8(c.legenda))->trigger();
    EXPECT_EQ(roteiro.perguntas, QStringList{CLLista::perguntaNovaLista()});
    EXPECT_EQ(registros(), c.registros);
    EXPECT_EQ(titulos(), c.titulos);
    EXPECT_EQ(janela->textoArquivo(), c.resposta ? QStringLiteral("Arquivo: ") : QStringLiteral("Arquivo: /x/lista.txt"));
  }
  // An empty table is discarded without a question.
  roteiro.perguntas.clear();
  EXPECT_TRUE(janela->novaLista(false));
  EXPECT_TRUE(roteiro.perguntas.isEmpty());
}

TEST_F(JanelaLista, NovaListaEliminandoColunasPoeAsColunasDoScript) {
  janela->setTextoScript([] {
    return QStringLiteral("##pre_carregar\r\npre_colunas=nome,email,celular // Colunas iniciais\r\n"
                          "##pre_carregar_fim\r\n&TeclarEnter().");
  });
  EXPECT_TRUE(janela->novaLista(true));
  EXPECT_EQ(titulos(), L({"nome", "email", "celular"}));
  EXPECT_EQ(roteiro.informacoes,
            QStringList{QStringLiteral(
                "O script exige algumas colunas iniciais, então elas foram adicionadas automaticamente")});
  // The third column is at least 200 wide after the auto-sizing.
  EXPECT_GE(janela->gridDados()->columnWidth(2), 200);

  // Without the setting: two untitled columns and no message.
  roteiro.informacoes.clear();
  janela->setTextoScript([] { return QStringLiteral("&TeclarEnter()."); });
  EXPECT_TRUE(janela->novaLista(true));
  EXPECT_EQ(titulos(), L({"", ""}));
  EXPECT_TRUE(roteiro.informacoes.isEmpty());
}

// --- Keys -----------------------------------------------------------------------------------------------

TEST_F(JanelaLista, TeclasDaGrade) {
  preencher(QStringLiteral("a;b\nc;d"));
  lista.gEditou = false;
  QTableView* g = janela->gridDados();
  CLGrade& grade = lista.gridDados;

  // Down on the last record appends one; elsewhere it only moves.
  grade.setRow(1);
  QTest::keyClick(g, Qt::Key_Down);
  EXPECT_EQ(grade.Row(), 2);
  EXPECT_EQ(grade.qtdRegistros(), 2);
  QTest::keyClick(g, Qt::Key_Down);
  EXPECT_EQ(grade.qtdRegistros(), 3);
  EXPECT_EQ(grade.Row(), 3);
  EXPECT_TRUE(lista.gEditou);

  // Right on the last column appends one.
  grade.setCol(1);
  QTest::keyClick(g, Qt::Key_Right);
  EXPECT_EQ(grade.ColCount(), 3);
  EXPECT_EQ(grade.Col(), 2);
  EXPECT_EQ(g->currentIndex().column(), 2);

  // Enter: next row in the same column; on the last row a new one, column 0.
  grade.setRow(1);
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(grade.Row(), 2);
  EXPECT_EQ(grade.Col(), 2);
  grade.setRow(grade.RowCount() - 1);
  QTest::keyClick(g, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(grade.qtdRegistros(), 4);
  EXPECT_EQ(grade.Row(), 4);
  EXPECT_EQ(grade.Col(), 0);
  EXPECT_EQ(janela->textoPosicao(), QStringLiteral("Posição: 4"));
}

TEST_F(JanelaLista, DigitarNaCelulaMarcaAlteradoESegueOEnter) {
  const QString arquivo = gravarArquivo(QStringLiteral("lastrecipients.txt"), "a;b\r\nc;d\r\n");
  ASSERT_TRUE(lista.abrirViaFilename(arquivo));
  lista.gEditou = false;
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  QTableView* g = janela->gridDados();
  g->setFocus();
  lista.gridDados.setRow(1);
  lista.gridDados.setCol(1);
  // Arrows move without marking anything.
  QTest::keyClick(g, Qt::Key_Left);
  QTest::keyClick(g, Qt::Key_Right);
  EXPECT_FALSE(lista.gEditou);
  QTest::keyClick(g, Qt::Key_X);  // opens the editor with the letter
  EXPECT_TRUE(lista.gEditou);
  auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex()));
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "yz");
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_TRUE(esperar([&] { return lista.gridDados.Row() == 2; }));
  EXPECT_EQ(lista.gridDados.cell(1, 1), QStringLiteral("xyz"));
  // Editing a "lastrecipients" list detaches it.
  EXPECT_TRUE(lista.gArquivo.isEmpty());
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
}

// F2 while a cell is being edited saves what was typed.
TEST_F(JanelaLista, F2DuranteAEdicaoSalvaOQueFoiDigitado) {
  const QString arquivo = gravarArquivo(QStringLiteral("lista.txt"), "a;b\r\n");
  ASSERT_TRUE(lista.abrirViaFilename(arquivo));
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  QTableView* g = janela->gridDados();
  lista.gridDados.setCol(1);
  g->edit(g->currentIndex());
  auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex()));
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "novo");
  QTest::keyClick(editor, Qt::Key_F2);
  EXPECT_EQ(g->indexWidget(g->currentIndex()), nullptr);
  EXPECT_EQ(roteiro.dialogosSalvar, 0);
  EXPECT_EQ(lerBytes(arquivo), QByteArray(";\r\na;novo\r\n"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Sim"));
}

// Esc stays in the window (the workbench around it closes on Esc).
TEST_F(JanelaLista, EscNaoSaiDaJanela) {
  class Moldura : public QWidget {
   public:
    int escs = 0;

   protected:
    void keyPressEvent(QKeyEvent* e) override {
      if (e->key() == Qt::Key_Escape) ++escs;
    }
  };
  Moldura moldura;
  CLLista outra(pasta.filePath(QStringLiteral("outras.txt")));
  auto* filha = new TfrmLista(outra, &moldura);
  filha->setDialogos(roteiro.dialogos());
  QTest::keyClick(filha->gridDados(), Qt::Key_Escape);
  EXPECT_EQ(moldura.escs, 0);
  // Keys the window does not take go on to the frame.
  QTest::keyClick(filha->gridDados(), Qt::Key_F9);
  EXPECT_EQ(moldura.escs, 0);
  delete filha;
}

// --- Other commands -------------------------------------------------------------------------------------

TEST_F(JanelaLista, IrParaLinha) {
  preencher(QStringLiteral("a\nb\nc\nd"));
  struct Caso {
    QString valor;
    int linha;
  };
  const Caso casos[] = {{QStringLiteral("3"), 3}, {QStringLiteral(" 2 "), 2}, {QStringLiteral("0"), 2},
                        {QStringLiteral("-1"), 2}, {QStringLiteral("abc"), 2}, {QStringLiteral("5"), 2},
                        {QString(), 2},  // cancelled
                        {QStringLiteral("4"), 4}};
  for (const Caso& c : casos) {
    roteiro.valores = {c.valor};
    janela->acao(QStringLiteral("Ir para linha..."))->trigger();
    EXPECT_EQ(lista.gridDados.Row(), c.linha) << c.valor.toStdString();
  }
  EXPECT_EQ(janela->gridDados()->currentIndex().row(), 3);
  EXPECT_TRUE(roteiro.erros.isEmpty());
  EXPECT_TRUE(roteiro.informacoes.isEmpty());
}

TEST_F(JanelaLista, ObterCaminhoCopiarListarERecentes) {
  preencher(QStringLiteral("a;b\nc;d"));
  lista.gridDados.setRow(2);
  lista.gridDados.setCol(1);
  roteiro.arquivoQualquer = QStringLiteral("  /home/u/foto.png ");
  janela->acao(QStringLiteral("Obter caminho de arquivo..."))->trigger();
  EXPECT_EQ(lista.gridDados.cell(1, 2), QStringLiteral("/home/u/foto.png"));
  roteiro.arquivoQualquer.clear();
  janela->obterCaminhoArquivo();
  EXPECT_EQ(lista.gridDados.cell(1, 2), QStringLiteral("/home/u/foto.png"));

  janela->acao(QStringLiteral("Copiar"))->trigger();
  EXPECT_EQ(roteiro.copiado, QStringLiteral(";\r\na;b\r\nc;/home/u/foto.png\r\n"));

  janela->acao(QStringLiteral("Listar dados"))->trigger();
  ASSERT_EQ(roteiro.entradas.size(), 1);
  EXPECT_EQ(roteiro.entradas[0].titulo, QStringLiteral("Dados listados:"));
  EXPECT_EQ(roteiro.entradas[0].texto, QStringLiteral(";\r\na;b\r\nc;/home/u/foto.png"));
  EXPECT_EQ(registros(), (Registros{L({"a", "b"}), L({"c", "/home/u/foto.png"})}));

  QSignalSpy pedidos(janela.get(), &TfrmLista::abrirRecentesPedido);
  janela->acao(QStringLiteral("Abrir lista..."))->trigger();
  EXPECT_EQ(pedidos.count(), 1);
}

// The open commands show the open/import window on their page, modally.
TEST_F(JanelaLista, ComandosDeAbrirMostramAJanelaNaPagina) {
  struct Caso {
    std::function<void()> comando;
    TfrmAbrir::Pagina pagina;
  };
  const Caso casos[] = {
      {[&] { janela->findChild<QToolButton*>(QStringLiteral("btnAbrir"))->click(); }, TfrmAbrir::Pagina::Texto},
      {[&] { janela->acao(QStringLiteral("Abrir arquivo texto ou CSV..."))->trigger(); }, TfrmAbrir::Pagina::Texto},
      {[&] { janela->acao(QStringLiteral("Abrir arquivo do Excel (.xls, .xlsx)"))->trigger(); },
       TfrmAbrir::Pagina::Planilha},
  };
  for (const Caso& c : casos) {
    std::optional<TfrmAbrir::Pagina> vista;
    QTimer fechar;
    fechar.setInterval(10);
    QObject::connect(&fechar, &QTimer::timeout, [&] {
      if (auto* aberta = qobject_cast<TfrmAbrir*>(QApplication::activeModalWidget())) {
        vista = aberta->pagina();
        aberta->reject();
      }
    });
    fechar.start();
    c.comando();
    ASSERT_TRUE(vista.has_value());
    EXPECT_EQ(*vista, c.pagina);
  }
  EXPECT_EQ(roteiro.dialogosAbrir, 0);
}

// "Abrir arquivo texto ou CSV..." reads a file's title line as record 1.
// When it looks like one (the script names a column in it, or a list this
// program wrote starts with it), the window asks once, after the open
// window has closed; "Sim" makes it the titles and the table still counts
// as saved. Ordinary lists and appended files are not asked about.
TEST_F(JanelaLista, AbrirTextoOfereceAPrimeiraLinhaComoTitulos) {
  const QString contatos =
      gravarArquivo(QStringLiteral("contatos.txt"), "nome;celular\r\nAna;(81) 99999-0000\r\nBia;(11) 98888-1111\r\n");
  const QString comuns = gravarArquivo(QStringLiteral("comuns.txt"), "Ana;(81) 99999-0000\r\nBia;(11) 98888-1111\r\n");
  const QString usaNome = QStringLiteral("&TextoColar(\"Olá, {nome}!\").\r\n&TeclarEnter().");
  const Registros doArquivo{L({"nome", "celular"}), L({"Ana", "(81) 99999-0000"}), L({"Bia", "(11) 98888-1111"})};
  const Registros semTitulos = doArquivo.mid(1);
  const QString pergunta = TfrmLista::perguntaTitulos(L({"nome", "celular"}));
  EXPECT_EQ(pergunta, QStringLiteral("A primeira linha do arquivo parece ter os nomes das colunas (nome, celular). "
                                     "Deseja usá-la como nomes das colunas?"));
  struct Caso {
    const char* nome;
    QString script;
    QString arquivo;
    bool descartar;
    QList<bool> respostas;
    QStringList perguntas;
    QStringList titulos;
    Registros registros;
  };
  const Caso casos[] = {
      {"o script usa {nome}: Sim", usaNome, contatos, true, {true}, {pergunta}, L({"nome", "celular"}), semTitulos},
      {"o script usa {nome}: Não", usaNome, contatos, true, {false}, {pergunta}, L({"", ""}), doArquivo},
      {"o script não usa colunas", QStringLiteral("&TeclarEnter()."), contatos, true, {}, {}, L({"", ""}),
       doArquivo},
      {"lista sem linha de títulos", usaNome, comuns, true, {}, {}, L({"", ""}), semTitulos},
      {"acrescentada a registros", usaNome, contatos, false, {}, {}, L({"", ""}),
       Registros{L({"Velho", "1"})} + doArquivo},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    preencher(QStringLiteral("Velho;1"));
    lista.gArquivo = pasta.filePath(QStringLiteral("velho.txt"));
    lista.gEditou = false;
    janela->setTextoScript([&] { return c.script; });
    roteiro.perguntas.clear();
    roteiro.respostas = c.respostas;
    roteiro.arquivosAbrir = {{c.arquivo}};
    teste::CLEsperaModal<TfrmAbrir> abrir([&](TfrmAbrir& j) {
      j.setDescartar(c.descartar);
      j.btnSelecionarTextoClick();
    });
    janela->acao(QStringLiteral("Abrir arquivo texto ou CSV..."))->trigger();
    ASSERT_TRUE(abrir.atendida());
    EXPECT_EQ(roteiro.perguntas, c.perguntas);
    EXPECT_EQ(titulos(), c.titulos);
    EXPECT_EQ(registros(), c.registros);
    if (c.descartar) {
      EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Sim"));
    }
  }
  EXPECT_EQ(janela->gridDados()->model()->headerData(0, Qt::Horizontal).toString(), QString());

  // A list this window wrote, opened again after a new list, with no script.
  janela->setTextoScript(nullptr);
  preencher(QStringLiteral("Ana;10"));
  lista.gridDados.setLinhaInteira(0, L({"Cliente", "Valor"}));
  const QString gravada = pasta.filePath(QStringLiteral("gravada.txt"));
  ASSERT_TRUE(janela->salvarComo(gravada));
  lista.gridZerar(true);
  roteiro.perguntas.clear();
  roteiro.respostas = {true};
  roteiro.arquivosAbrir = {{gravada}};
  teste::CLEsperaModal<TfrmAbrir> abrir([&](TfrmAbrir& j) { j.btnSelecionarTextoClick(); });
  janela->findChild<QToolButton*>(QStringLiteral("btnAbrir"))->click();
  EXPECT_EQ(roteiro.perguntas, QStringList{TfrmLista::perguntaTitulos(L({"Cliente", "Valor"}))});
  EXPECT_EQ(titulos(), L({"Cliente", "Valor"}));
  EXPECT_EQ(registros(), Registros{L({"Ana", "10"})});
  EXPECT_EQ(janela->gridDados()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Valor"));
}

// The interpreter moves the current record: the view follows.
TEST_F(JanelaLista, AVisaoSegueARegistroAtualDaTabela) {
  preencher(QStringLiteral("a;b\nc;d\ne;f"));
  lista.gridDados.setRow(3);
  lista.gridDados.setCol(1);
  EXPECT_EQ(janela->gridDados()->currentIndex().row(), 2);
  EXPECT_EQ(janela->gridDados()->currentIndex().column(), 1);
  EXPECT_EQ(janela->textoPosicao(), QStringLiteral("Posição: 3"));
  // And the other way round.
  janela->gridDados()->setCurrentIndex(janela->gridDados()->model()->index(0, 0));
  EXPECT_EQ(lista.gridDados.Row(), 1);
  EXPECT_EQ(lista.gridDados.Col(), 0);
}

// --- Cell detail ----------------------------------------------------------------------------------------

TEST_F(JanelaLista, DetalheDaCelulaSelecionadaDepoisDe100ms) {
  preencher(QStringLiteral("linha1\\nlinha2;x\nsimples;y"));
  auto* memo = janela->findChild<QPlainTextEdit*>(QStringLiteral("mmoCelula"));
  lista.gridDados.setRow(2);
  EXPECT_TRUE(janela->tmCelula().isActive());
  EXPECT_EQ(janela->tmCelula().interval(), 100);
  ASSERT_TRUE(esperar([&] { return memo->toPlainText() == QStringLiteral("simples"); }));
  lista.gridDados.setRow(1);
  ASSERT_TRUE(esperar([&] { return memo->toPlainText() == QStringLiteral("linha1\nlinha2"); }));
  // The text under the current cell changes without the cell moving (a
  // sort, a script): the panel follows.
  lista.gridDados.setCell(0, 1, QStringLiteral("mudou"));
  ASSERT_TRUE(esperar([&] { return memo->toPlainText() == QStringLiteral("mudou"); }));
}

// --- Column commands -------------------------------------------------------------------------------------

// The header popup's commands act on the column whose title was clicked.
TEST_F(JanelaLista, ComandosDoMenuDoTitulo) {
  const QStringList titulosIniciais = L({"nome", "num", "obs"});
  const Registros iniciais = {L({"b", "", "x"}), L({"Ana", "2", "y"}), L({"Álvaro", "3", "z"}), L({"ana", "0", "w"})};
  struct Caso {
    const char* nome;
    int coluna;
    const char* item;
    QStringList valores;    // what the input box answers (null: cancelled)
    QList<bool> respostas;  // to the questions
    QStringList perguntas;  // the questions expected
    QStringList titulos;
    Registros registros;
  };
  const Caso casos[] = {
      // Keys compare without case or accents first; equal keys (ana, Ana)
      // come in order of their whole contents (0 before 2). A blank cell
      // comes back as " ".
      {"ordenar", 0, "Ordenar", {}, {}, {}, titulosIniciais,
       {L({"Álvaro", "3", "z"}), L({"ana", "0", "w"}), L({"Ana", "2", "y"}), L({"b", " ", "x"})}},
      {"renomear só com espaços", 1, "Renomear", {QStringLiteral("   ")}, {}, {}, L({"nome", "---", "obs"}), iniciais},
      {"renomear normaliza", 2, "Renomear", {QStringLiteral("Data de Envio")}, {}, {},
       L({"nome", "num", "data-de-envio"}), iniciais},
      {"renomear cancelado", 1, "Renomear", {QString()}, {}, {}, titulosIniciais, iniciais},
      {"excluir dados mantém o título", 1, "Excluir dados desta coluna", {}, {true},
       {QStringLiteral("Deseja apagar os dados desta coluna?")}, titulosIniciais,
       {L({"b", "", "x"}), L({"Ana", "", "y"}), L({"Álvaro", "", "z"}), L({"ana", "", "w"})}},
      {"excluir dados recusado", 1, "Excluir dados desta coluna", {}, {false},
       {QStringLiteral("Deseja apagar os dados desta coluna?")}, titulosIniciais, iniciais},
      {"excluir coluna", 0, "Excluir coluna", {}, {true}, {QStringLiteral("Deseja excluir a coluna nome?")},
       L({"num", "obs"}), {L({"", "x"}), L({"2", "y"}), L({"3", "z"}), L({"0", "w"})}},
      {"excluir coluna recusado", 1, "Excluir coluna", {}, {false}, {QStringLiteral("Deseja excluir a coluna num?")},
       titulosIniciais, iniciais},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    preencher(QStringLiteral("b;;x\nAna;2;y\nÁlvaro;3;z\nana;0;w"));
    lista.gridDados.setLinhaInteira(0, titulosIniciais);
    roteiro.perguntas.clear();
    roteiro.respostas = c.respostas;
    roteiro.valores = c.valores;
    roteiro.caixas.clear();
    ASSERT_EQ(janela->tituloClicado(c.coluna), janela->menuTitulo());
    QAction* acao = nullptr;
    for (QAction* a : janela->menuTitulo()->actions())
      if (a->text() == QString::fromUtf8(c.item)) acao = a;
    ASSERT_NE(acao, nullptr);
    acao->trigger();
    EXPECT_EQ(roteiro.perguntas, c.perguntas);
    EXPECT_EQ(titulos(), c.titulos);
    EXPECT_EQ(registros(), c.registros);
    if (!c.valores.isEmpty()) {
      EXPECT_EQ(roteiro.caixas, QStringList{QStringLiteral("Renomear coluna|Defina o nome desta coluna")});
    }
  }
}

TEST_F(JanelaLista, CopiarDadosDaColuna) {
  preencher(QStringLiteral(";1\n;2\nAna;3\nBia;4\n;5"));
  lista.gridDados.setLinhaInteira(0, L({"", "n"}));
  lista.gridDados.setCell(0, 0, QString());
  lista.gridDados.setCell(1, 0, QStringLiteral("n"));
  ASSERT_EQ(janela->tituloClicado(1), janela->menuTitulo());
  janela->acao(QStringLiteral("Copiar dados desta coluna"))->trigger();
  EXPECT_EQ(roteiro.copiado, QStringLiteral("n\r\n1\r\n2\r\n3\r\n4\r\n5"));
  // Blank cells at the top and bottom vanish.
  lista.gridDados.setCell(0, 0, QStringLiteral("nome"));
  ASSERT_EQ(janela->tituloClicado(0), janela->menuTitulo());
  lista.gridDados.setCell(0, 0, QString());
  janela->copiarColuna();
  EXPECT_EQ(roteiro.copiado, QStringLiteral("Ana\r\nBia"));
}

// F4 and "Inserir coluna (F4)": a titled current column gets a new column
// at the right end; an untitled one is named.
TEST_F(JanelaLista, InserirColuna) {
  preencher(QStringLiteral("Ana;a@x"));
  lista.gridDados.setLinhaInteira(0, L({"", "email"}));
  lista.gridDados.setCell(0, 0, QString());
  lista.gEditou = false;
  lista.gridDados.setCol(1);
  roteiro.valores << QStringLiteral("Data de Envio");
  QTest::keyClick(janela->gridDados(), Qt::Key_F4);
  EXPECT_EQ(roteiro.caixas, QStringList{QStringLiteral("Inserir coluna|Defina o nome desta coluna")});
  EXPECT_EQ(titulos(), L({"", "email", "data-de-envio"}));
  EXPECT_TRUE(lista.gEditou);

  lista.gridDados.setCol(0);
  roteiro.valores << QStringLiteral("Nome");
  janela->acao(QStringLiteral("Inserir coluna (F4)"))->trigger();
  EXPECT_EQ(titulos(), L({"nome", "email", "data-de-envio"}));

  // Cancelled or blank: nothing changes.
  lista.gEditou = false;
  roteiro.valores << QString() << QStringLiteral("");
  janela->inserirColuna();
  janela->inserirColuna();
  EXPECT_EQ(titulos(), L({"nome", "email", "data-de-envio"}));
  EXPECT_FALSE(lista.gEditou);
}

// "Renomear colunas": the page "Definir colunas".
TEST_F(JanelaLista, PaginaDefinirColunas) {
  preencher(QStringLiteral("Ana;;x\nBia;b@x;y"));
  lista.gridDados.setLinhaInteira(0, L({"nome", "email", "obs"}));
  auto* paginas = janela->findChild<QStackedWidget*>(QStringLiteral("pgcLista"));
  auto* grade = janela->findChild<QTableWidget*>(QStringLiteral("gridColunas"));
  ASSERT_NE(grade, nullptr);
  EXPECT_EQ(janela->findChild<QLabel*>(QStringLiteral("lbColunas"))->text(), QStringLiteral("Defina os nomes das colunas"));
  EXPECT_EQ(grade->horizontalHeaderItem(0)->text(), QStringLiteral("Exemplo"));
  EXPECT_EQ(grade->horizontalHeaderItem(1)->text(), QStringLiteral("Nome do campo"));

  janela->acao(QStringLiteral("Renomear colunas"))->trigger();
  EXPECT_EQ(paginas->currentWidget()->objectName(), QStringLiteral("tsColunas"));
  ASSERT_EQ(grade->rowCount(), 3);
  QStringList exemplos, nomes;
  for (int k = 0; k < 3; ++k) {
    exemplos << grade->item(k, 0)->text();
    nomes << grade->item(k, 1)->text();
  }
  EXPECT_EQ(exemplos, L({"Ana", "Coluna 1", "x"}));
  EXPECT_EQ(nomes, L({"nome", "email", "obs"}));

  // Enter goes to the next row.
  grade->setCurrentCell(0, 1);
  QTest::keyClick(grade, Qt::Key_Return);
  EXPECT_EQ(grade->currentRow(), 1);

  // "Voltar": nothing changes.
  grade->item(0, 1)->setText(QStringLiteral("x"));
  janela->findChild<QPushButton*>(QStringLiteral("btnVoltarColunas"))->click();
  EXPECT_EQ(paginas->currentWidget()->objectName(), QStringLiteral("tsDados"));
  EXPECT_EQ(titulos(), L({"nome", "email", "obs"}));

  // "Salvar": names normalised; "#" keeps the title; emptied clears it.
  janela->renomearColunas();
  grade->item(0, 1)->setText(QStringLiteral("Nome Completo"));
  grade->item(1, 1)->setText(QStringLiteral("#"));
  grade->item(2, 1)->setText(QString());
  janela->findChild<QPushButton*>(QStringLiteral("btnSalvarColunas"))->click();
  EXPECT_EQ(paginas->currentWidget()->objectName(), QStringLiteral("tsDados"));
  EXPECT_EQ(titulos(), L({"nome-completo", "email", ""}));
}

// "Excluir coluna" of the "Colunas" menu: the page "Eliminar coluna".
TEST_F(JanelaLista, PaginaEliminarColuna) {
  preencher(QStringLiteral("Ana;a@x;Recife\nBia;b@x;Natal"));
  lista.gridDados.setLinhaInteira(0, L({"nome", "", "cidade"}));
  lista.gridDados.setCell(1, 0, QString());
  lista.gridDados.setCol(2);
  lista.gEditou = false;
  auto* paginas = janela->findChild<QStackedWidget*>(QStringLiteral("pgcLista"));
  auto* escolha = janela->findChild<QComboBox*>(QStringLiteral("cbEliminarColuna"));
  auto* aplicar = janela->findChild<QPushButton*>(QStringLiteral("btnAplicarEliminar"));
  EXPECT_EQ(janela->findChild<QLabel*>(QStringLiteral("lbEliminarColuna"))->text(),
            QStringLiteral("Informe qual coluna você deseja eliminar:"));

  janela->acao(QStringLiteral("Excluir coluna"))->trigger();
  EXPECT_EQ(paginas->currentWidget()->objectName(), QStringLiteral("tsEliminarColuna"));
  QStringList entradas;
  for (int i = 0; i < escolha->count(); ++i) entradas << escolha->itemText(i);
  EXPECT_EQ(entradas, L({"nome", "Coluna 1 (a@x)", "cidade"}));
  EXPECT_EQ(escolha->currentIndex(), 2);  // the current column

  // Nothing chosen: the error, nothing deleted.
  escolha->setCurrentIndex(-1);
  aplicar->click();
  EXPECT_EQ(roteiro.erros, QStringList{QStringLiteral("É preciso selecionar uma coluna para realizar essa operação")});
  EXPECT_EQ(lista.gridDados.ColCount(), 3);
  EXPECT_FALSE(lista.gEditou);

  escolha->setCurrentIndex(1);
  aplicar->click();
  EXPECT_EQ(titulos(), L({"nome", "cidade"}));
  EXPECT_EQ(registros(), (Registros{L({"Ana", "Recife"}), L({"Bia", "Natal"})}));
  EXPECT_EQ(escolha->count(), 2);
  EXPECT_TRUE(lista.gEditou);
  EXPECT_EQ(paginas->currentWidget()->objectName(), QStringLiteral("tsDados"));
}

// "Mover coluna": a title dragged to another place moves the column in the
// table; the header keeps no order of its own.
TEST_F(JanelaLista, MoverColunaArrastandoOTitulo) {
  preencher(QStringLiteral("1;2;3\n4;5;6"));
  lista.gridDados.setLinhaInteira(0, L({"a", "b", "c"}));
  lista.gEditou = false;
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  QHeaderView* h = janela->gridDados()->horizontalHeader();
  h->resizeSection(0, 90);
  auto* painel = janela->findChild<QFrame*>(QStringLiteral("pnAcoes"));
  auto* entrada = janela->findChild<QFrame*>(QStringLiteral("pnMoverColuna"));
  EXPECT_EQ(janela->findChild<QLabel*>(QStringLiteral("lbMoverColuna"))->text(), QStringLiteral("Mova uma coluna"));
  EXPECT_FALSE(painel->isVisible());

  // The entry's button and Esc leave the mode without moving.
  janela->acao(QStringLiteral("Mover coluna"))->trigger();
  EXPECT_TRUE(h->sectionsMovable());
  EXPECT_TRUE(painel->isVisible());
  janela->findChild<QPushButton*>(QStringLiteral("btnMoverColuna"))->click();
  EXPECT_FALSE(h->sectionsMovable());
  EXPECT_FALSE(painel->isVisible());
  janela->moverColuna();
  QTest::keyClick(janela->gridDados(), Qt::Key_Escape);
  EXPECT_FALSE(h->sectionsMovable());
  EXPECT_FALSE(entrada->isVisible());

  // A drag of "a" onto "c".
  janela->moverColuna();
  QWidget* alvo = h->viewport();
  auto enviar = [&](QEvent::Type tipo, QPoint p, Qt::MouseButton botao, Qt::MouseButtons botoes) {
    QMouseEvent e(tipo, QPointF(p), QPointF(alvo->mapToGlobal(p)), botao, botoes, Qt::NoModifier);
    QApplication::sendEvent(alvo, &e);
  };
  const int y = h->height() / 2;
  const QPoint de(h->sectionViewportPosition(0) + 20, y);
  const QPoint para(h->sectionViewportPosition(2) + h->sectionSize(2) - 10, y);
  enviar(QEvent::MouseButtonPress, de, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= 10; ++i)
    enviar(QEvent::MouseMove, de + (para - de) * i / 10, Qt::NoButton, Qt::LeftButton);
  enviar(QEvent::MouseButtonRelease, para, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(esperar([&] { return titulos() == L({"b", "c", "a"}); }));
  EXPECT_EQ(registros(), (Registros{L({"2", "3", "1"}), L({"5", "6", "4"})}));
  for (int c = 0; c < 3; ++c) EXPECT_EQ(h->visualIndex(c), c);
  EXPECT_EQ(h->sectionSize(2), 90);  // the width goes with the column
  EXPECT_EQ(janela->gridDados()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("b"));
  EXPECT_FALSE(h->sectionsMovable());
  EXPECT_FALSE(painel->isVisible());
  EXPECT_FALSE(lista.gEditou);
}

// --- Filter -------------------------------------------------------------------------------------------------

class JanelaListaFiltro : public JanelaLista {
 public:
  void SetUp() override {
    preencher(QStringLiteral("Ana Silva;a@x\nBruno;b@x\nCarla Silva;c@x"));
    lista.gridDados.setLinhaInteira(0, L({"nome", "email"}));
    lista.gEditou = false;
    janela->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
    caixa = janela->findChild<QLineEdit*>(QStringLiteral("edtFiltro"));
    aplicar = janela->findChild<QPushButton*>(QStringLiteral("btnAplicarFiltro"));
    visao = janela->gridFiltro();
  }

  void filtrar(const QString& texto) {
    janela->localizar();
    caixa->setText(texto);
    QTest::keyClick(caixa, Qt::Key_Return);
  }
  QStringList coluna(int c) const {
    QStringList r;
    for (int l = 1; l < lista.gridFiltro.RowCount(); ++l) r << lista.gridFiltro.cell(c, l);
    return r;
  }
  // Types into a view cell through its editor.
  void editar(int linhaView, int col, const QString& texto) {
    const QModelIndex i = visao->model()->index(linhaView - 1, col);
    visao->setCurrentIndex(i);
    visao->edit(i);
    auto* editor = qobject_cast<QLineEdit*>(visao->indexWidget(i));
    ASSERT_NE(editor, nullptr);
    editor->setText(texto);
  }
  void clicar(int linhaView, int col) {
    const QRect r = visao->visualRect(visao->model()->index(linhaView - 1, col));
    QTest::mouseClick(visao->viewport(), Qt::LeftButton, {}, r.center());
  }

  QLineEdit* caixa = nullptr;
  QPushButton* aplicar = nullptr;
  QTableView* visao = nullptr;
};

TEST_F(JanelaListaFiltro, LocalizarEFiltrarMostramAVisao) {
  auto* barra = janela->findChild<QFrame*>(QStringLiteral("pnFiltro"));
  EXPECT_FALSE(barra->isVisible());
  EXPECT_EQ(caixa->placeholderText(), QStringLiteral("Filtrar dados"));
  janela->acao(QStringLiteral("Localizar"))->trigger();
  EXPECT_TRUE(barra->isVisible());
  EXPECT_EQ(janela->focusWidget(), caixa);

  filtrar(QStringLiteral("SILVA"));
  EXPECT_EQ(lista.gGrid, &lista.gridFiltro);
  EXPECT_TRUE(visao->isVisible());
  EXPECT_FALSE(janela->gridDados()->isVisible());
  EXPECT_TRUE(janela->findChild<QPushButton*>(QStringLiteral("btnDesfazerFiltro"))->isVisible());
  EXPECT_FALSE(aplicar->isVisible());
  EXPECT_EQ(aplicar->toolTip(), QStringLiteral("Aplica as alterações na tabela de dados original"));
  EXPECT_EQ(lista.gridFiltro.celulasLinha(0), L({"Linha", "nome", "email"}));
  EXPECT_EQ(coluna(0), L({"1", "3"}));
  EXPECT_EQ(visao->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Linha"));
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 2"));
  EXPECT_EQ(visao->columnWidth(2), janela->gridDados()->columnWidth(1));

  // "Termo exato": the record's only non-blank content must be the term.
  janela->findChild<QCheckBox*>(QStringLiteral("ckbTermoExato"))->setChecked(true);
  caixa->setText(QStringLiteral("bruno"));
  janela->findChild<QPushButton*>(QStringLiteral("btnFiltrar"))->click();
  EXPECT_EQ(coluna(0), L({""}));  // "Bruno" has a second cell: no match, one empty row
  lista.gridDados.setLinhaInteira(2, L({"BRUNO", ""}));
  janela->findChild<QPushButton*>(QStringLiteral("btnFiltrar"))->click();
  EXPECT_EQ(coluna(0), L({"2"}));
}

// A view cell edited, then another row clicked: the data record changes at
// once; "Desfazer filtro" then has nothing to ask.
TEST_F(JanelaListaFiltro, EdicaoNaVisaoVoltaAoSairDaLinha) {
  filtrar(QStringLiteral("silva"));
  editar(2, 2, QStringLiteral("novo@x"));
  EXPECT_TRUE(aplicar->isVisible());
  EXPECT_EQ(lista.gridDados.cell(1, 3), QStringLiteral("c@x"));
  clicar(1, 1);
  EXPECT_EQ(lista.gridDados.celulasLinha(3), L({"Carla Silva", "novo@x"}));
  EXPECT_EQ(lista.gridDados.celulasLinha(1), L({"Ana Silva", "a@x"}));
  EXPECT_TRUE(lista.gEditou);
  EXPECT_FALSE(aplicar->isVisible());
  EXPECT_EQ(janela->textoPosicao(), QStringLiteral("Posição: 1"));

  janela->findChild<QPushButton*>(QStringLiteral("btnDesfazerFiltro"))->click();
  EXPECT_TRUE(roteiro.perguntas.isEmpty());
  EXPECT_EQ(lista.gGrid, &lista.gridDados);
  EXPECT_FALSE(visao->isVisible());
  EXPECT_TRUE(janela->gridDados()->isVisible());
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 3"));
}

// Leaving the view with an edit pending: "Desfazer filtro" asks; Esc in the
// filter box drops it; "Aplicar alterações" writes it.
TEST_F(JanelaListaFiltro, SaidaDaVisaoComEdicaoPendente) {
  struct Caso {
    const char* nome;
    std::function<void(JanelaListaFiltro&)> sair;
    QList<bool> respostas;
    QStringList perguntas;
    QString email;  // of record 1 afterwards
    bool visaoFica;
  };
  const QStringList pergunta{
      QStringLiteral("Houve alterações nos dados filtrados. Deseja salvar essas alterações na tabela de dados "
                     "original?")};
  const auto desfazer = [](JanelaListaFiltro& t) {
    t.janela->findChild<QPushButton*>(QStringLiteral("btnDesfazerFiltro"))->click();
  };
  const Caso casos[] = {
      {"desfazer, Não", desfazer, {false}, pergunta, QStringLiteral("a@x"), false},
      {"desfazer, Sim", desfazer, {true}, pergunta, QStringLiteral("novo@x"), false},
      {"Esc na caixa", [](JanelaListaFiltro& t) { QTest::keyClick(t.caixa, Qt::Key_Escape); }, {}, {},
       QStringLiteral("a@x"), false},
      {"aplicar alterações", [](JanelaListaFiltro& t) { t.aplicar->click(); }, {}, {}, QStringLiteral("novo@x"),
       true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    lista.gridDados.setCell(1, 1, QStringLiteral("a@x"));
    roteiro.perguntas.clear();
    roteiro.respostas = c.respostas;
    filtrar(QStringLiteral("silva"));
    editar(1, 2, QStringLiteral("novo@x"));
    ASSERT_TRUE(aplicar->isVisible());
    c.sair(*this);
    EXPECT_EQ(roteiro.perguntas, c.perguntas);
    EXPECT_EQ(lista.gridDados.cell(1, 1), c.email);
    EXPECT_EQ(lista.filtroVisivel(), c.visaoFica);
    EXPECT_EQ(visao->isVisible(), c.visaoFica);
    EXPECT_FALSE(aplicar->isVisible());
    if (c.visaoFica) janela->cancelarFiltro();
  }
}

// While the view is shown, saving writes the view, "Linha" column included;
// Del deletes nothing.
TEST_F(JanelaListaFiltro, SalvarEExcluirComAVisao) {
  const QString arquivo = gravarArquivo(QStringLiteral("lista.txt"), "x\r\n");
  lista.gArquivo = arquivo;
  filtrar(QStringLiteral("silva"));
  QTest::keyClick(visao, Qt::Key_F2);
  EXPECT_EQ(lerBytes(arquivo), QByteArray("Linha;nome;email\r\n1;Ana Silva;a@x\r\n3;Carla Silva;c@x\r\n"));
  EXPECT_TRUE(roteiro.perguntas.isEmpty());

  visao->selectAll();
  QTest::keyClick(visao, Qt::Key_Delete);
  EXPECT_EQ(roteiro.erros, QStringList{QStringLiteral("Não é possível excluir dados filtrados")});
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 3);
  EXPECT_EQ(lista.gridFiltro.qtdRegistros(), 2);
}

// The popup's "Ordenar" on the view sorts the view; the data stay.
TEST_F(JanelaListaFiltro, OrdenarAVisao) {
  filtrar(QStringLiteral("silva"));
  ASSERT_EQ(janela->tituloClicado(1), janela->menuTitulo());
  lista.gridFiltro.setCell(1, 1, QStringLiteral("Zé Silva"));
  janela->acao(QStringLiteral("Ordenar"))->trigger();
  EXPECT_EQ(coluna(0), L({"3", "1"}));
  EXPECT_EQ(lista.gridDados.cell(0, 1), QStringLiteral("Ana Silva"));
}

// --- Search highlight --------------------------------------------------------------------------------------

int pixelsDestaque(const QImage& imagem, int xIni, int xFim) {
  int n = 0;
  for (int y = 0; y < imagem.height(); ++y)
    for (int x = std::max(0, xIni); x < std::min(imagem.width(), xFim); ++x)
      if (QColor(imagem.pixel(x, y)) == CLDelegadoDestaque::corDestaque()) ++n;
  return n;
}

// Only the first occurrence in a cell is marked, whatever its case.
TEST(DelegadoDestaque, SoAPrimeiraOcorrenciaEMarcada) {
  QStandardItemModel modelo(1, 1);
  modelo.setItem(0, 0, new QStandardItem(QStringLiteral("Maria Maria")));
  const QModelIndex indice = modelo.index(0, 0);
  const QFont fonte = QApplication::font();
  const QFontMetrics medidas(fonte);
  const QString texto = QStringLiteral("Maria Maria");
  const int fimPrimeira = 1 + medidas.horizontalAdvance(QStringLiteral("Maria")) + 1;

  struct Caso {
    const char* filtro;
    bool marca;
  };
  for (const Caso c : {Caso{"maria", true}, Caso{"MARIA", true}, Caso{"", false}, Caso{"joão", false}}) {
    SCOPED_TRACE(c.filtro);
    const QString filtro = QString::fromUtf8(c.filtro);
    CLDelegadoDestaque delegado([&] { return filtro; });
    QImage imagem(300, 20, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    {
      QPainter pintor(&imagem);
      QStyleOptionViewItem opcao;
      opcao.rect = imagem.rect();
      opcao.font = fonte;
      opcao.state = QStyle::State_Enabled;
      delegado.paint(&pintor, opcao, indice);
    }
    if (!c.marca) {
      EXPECT_EQ(pixelsDestaque(imagem, 0, 300), 0);
      continue;
    }
    const QRect r = retanguloDestaque(imagem.rect(), medidas, texto, 0, 5);
    EXPECT_EQ(r.left(), 1);
    EXPECT_EQ(r.top(), 1);
    EXPECT_EQ(r.bottom(), 18);
    EXPECT_EQ(r.right() + 1, fimPrimeira);
    EXPECT_GT(pixelsDestaque(imagem, 0, fimPrimeira), 0);
    EXPECT_EQ(pixelsDestaque(imagem, fimPrimeira, 300), 0);  // the second Maria is not marked
    EXPECT_EQ(QColor(imagem.pixel(1, 0)), QColor(Qt::white));  // 1 pixel in from the top
  }
  // Never past the cell's right edge.
  const QRect estreita(10, 0, 20, 20);
  const QRect r = retanguloDestaque(estreita, medidas, texto, 6, 5);
  EXPECT_TRUE(r.isEmpty() || r.right() <= estreita.right());
}

// Typing in the filter box marks the text in the data grid's cells.
TEST_F(JanelaLista, DestaqueNaGradeSegueACaixaDeFiltro) {
  preencher(QStringLiteral("Maria Maria;x"));
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  janela->gridDados()->selectionModel()->clearSelection();
  janela->gridDados()->setCurrentIndex({});
  auto pixels = [&] {
    const QImage imagem = janela->gridDados()->viewport()->grab().toImage();
    return pixelsDestaque(imagem, 0, imagem.width());
  };
  EXPECT_EQ(pixels(), 0);
  janela->localizar();
  janela->findChild<QLineEdit*>(QStringLiteral("edtFiltro"))->setText(QStringLiteral("maria"));
  EXPECT_GT(pixels(), 0);
  // The titles too.
  QHeaderView* h = janela->gridDados()->horizontalHeader();
  auto pixelsTitulos = [&] {
    const QImage imagem = h->viewport()->grab().toImage();
    return pixelsDestaque(imagem, 0, imagem.width());
  };
  EXPECT_EQ(pixelsTitulos(), 0);
  lista.gridDados.setCell(1, 0, QStringLiteral("Marias"));
  EXPECT_GT(pixelsTitulos(), 0);
  EXPECT_NE(dynamic_cast<CLDelegadoDestaque*>(janela->gridFiltro()->itemDelegate()), nullptr);
}

// --- Marks ---------------------------------------------------------------------------------------------------

TEST_F(JanelaLista, MarcarDesmarcarELimparMarcados) {
  preencher(QStringLiteral("a;b\nc;d\ne;f"));
  janela->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(janela.get()));
  QTableView* g = janela->gridDados();
  auto* painel = janela->findChild<QFrame*>(QStringLiteral("pnAcoes"));
  auto* limpar = janela->findChild<QPushButton*>(QStringLiteral("btnLimparMarcados"));
  EXPECT_EQ(limpar->text(), QStringLiteral("Limpar itens marcados (ESC)"));
  auto selecionadas = [&] { return g->selectionModel()->selectedIndexes().size(); };

  janela->acao(QStringLiteral("Marcar tudo"))->trigger();
  EXPECT_EQ(selecionadas(), 6);
  EXPECT_TRUE(painel->isVisible());
  EXPECT_TRUE(limpar->isVisible());
  lista.gMarcados = 3;
  QTest::keyClick(g, Qt::Key_Escape);
  EXPECT_EQ(lista.gMarcados, 0);
  EXPECT_FALSE(painel->isVisible());
  EXPECT_LE(selecionadas(), 1);
  EXPECT_EQ(registros(), (Registros{L({"a", "b"}), L({"c", "d"}), L({"e", "f"})}));

  janela->marcarTudo();
  limpar->click();
  EXPECT_FALSE(painel->isVisible());
  EXPECT_LE(selecionadas(), 1);

  janela->marcarTudo();
  janela->acao(QStringLiteral("Desmarcar tudo"))->trigger();
  EXPECT_EQ(selecionadas(), 0);
  EXPECT_FALSE(painel->isVisible());
}

// The column-name boxes are wide enough for their whole caption in the
// title bar: in bold, as title bars draw it, with room beside it for the
// frame's icon and three buttons.
TEST(CaixaDoNomeDaColuna, LegendaInteiraNaBarraDeTitulo) {
  constexpr int kBotoesDaMoldura = 4 * 24;
  for (const QString& titulo : {colunas::tituloRenomear(), colunas::tituloInserir()}) {
    SCOPED_TRACE(titulo.toStdString());
    QString vista, prompt;
    int largura = 0;
    teste::CLEsperaModal<QInputDialog> espera([&](QInputDialog& j) {
      vista = j.windowTitle();
      prompt = j.labelText();
      largura = j.width();
      j.reject();
    });
    bool ok = true;
    EXPECT_EQ(CLDialogosLista::padrao().caixaTexto(titulo, colunas::promptNome(), QString(), &ok), QString());
    ASSERT_TRUE(espera.atendida());
    EXPECT_FALSE(ok);
    EXPECT_EQ(vista, titulo);
    EXPECT_EQ(prompt, colunas::promptNome());
    QFont negrito = QApplication::font();
    negrito.setBold(true);
    EXPECT_GE(largura, QFontMetrics(negrito).horizontalAdvance(titulo) + kBotoesDaMoldura);
  }
}

}  // namespace
}  // namespace mivo
