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
#include <optional>

#include "unFrmAbrir.h"

#include "impressaoQt.h"
#include "unJanelaListaTeste.h"
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
            L({"Nova lista", "Digitar ou colar dados (F3)", "Abrir recentes...", "Abrir arquivo texto ou CSV...",
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

TEST_F(JanelaLista, SalvarPedeArquivoESalvaDepoisSemPerguntar) {
  preencher(QStringLiteral("Ana;a@x\nBia;b@x"));
  lista.gridDados.setLinhaInteira(0, L({"nome", "email"}));
  const QString semExtensao = pasta.filePath(QStringLiteral("dados/listas/contatos"));
  const QString caminho = semExtensao + QStringLiteral(".txt");
  roteiro.salvarComo << semExtensao;
  QTest::keyClick(janela->gridDados(), Qt::Key_F2);
  EXPECT_EQ(roteiro.dialogosSalvar, 1);
  EXPECT_TRUE(roteiro.perguntas.isEmpty());
  EXPECT_EQ(lerBytes(caminho), QByteArray("nome;email\r\nAna;a@x\r\nBia;b@x\r\n"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Sim"));
  EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: ") + caminho);
  EXPECT_EQ(lista.gLastFile, caminho);
  ASSERT_FALSE(lista.gRecentes.itens().isEmpty());
  EXPECT_EQ(lista.gRecentes.itens().first().caminho, caminho);

  // An edit makes it unsaved; F2 writes over the same file, no dialog.
  lista.editarCelula(0, 1, QStringLiteral("Ana Maria"));
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
  janela->acao(QStringLiteral("Salvar (F2)"))->trigger();
  EXPECT_EQ(roteiro.dialogosSalvar, 1);
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
  janela->acao(QStringLiteral("Abrir recentes..."))->trigger();
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
}

}  // namespace
}  // namespace mivo
