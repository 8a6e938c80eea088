#include "unFrmAbrir.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

#include "impressaoQt.h"
#include "unCLNegOffice.h"
#include "unJanelaListaTeste.h"
#include "unPlanilhaTeste.h"

namespace mivo {
namespace {

using teste::CLJanelaListaTeste;
using Registros = QList<QStringList>;

QStringList L(std::initializer_list<const char*> celulas) {
  QStringList r;
  for (const char* c : celulas) r << QString::fromUtf8(c);
  return r;
}

class JanelaAbrir : public ::testing::Test, public CLJanelaListaTeste {
 protected:
  // Unsaved records already in the table.
  void dadosNaoSalvos() {
    preencher(QStringLiteral("velho;1\nvelho;2"));
    lista.gridDados.setLinhaInteira(0, L({"antigo", "n"}));
  }
  QString xlsx(const QString& nome, const QList<teste::Tabela>& folhas) {
    teste::Xlsx x;
    for (const teste::Tabela& t : folhas) x.folhas << teste::folhaXlsx(teste::linhasXlsx(t));
    const QString caminho = pasta.filePath(nome);
    EXPECT_TRUE(x.gravar(caminho));
    return caminho;
  }
};

TEST_F(JanelaAbrir, TextosDasPaginas) {
  TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Planilha);
  EXPECT_EQ(janelaAbrir.windowTitle(), QStringLiteral("Abrir / importar"));
  EXPECT_EQ(janelaAbrir.pagina(), TfrmAbrir::Pagina::Planilha);
  QStringList textos;
  for (QLabel* l : janelaAbrir.findChildren<QLabel*>()) textos << l->text();
  for (const char* t :
       {"Defina de onde você quer importar os dados", "Abrir arquivo texto", "Instruções:",
        "1- O arquivo precisa estar em formato texto ou CSV (.txt ou .csv)", "2- Precisa ter um e-mail em cada linha",
        "3- Pode ter campos extras, separados por ; (ponto e vírgula). Ex: email;nome",
        "4- A primeira coluna tem que ser a de e-mails;",
        "5- Se o arquivo for do Excel, use outra função nas opções de abertura. Aqui é só para texto!",
        "Importar dados do Excel", "2- Assuumiremos que a primeira linha contém o nome das colunas",
        "3- Apenas a primeira planilha do arquivo será importada",
        "4- É muito recomendável que a primeira coluna seja a de telefones"})
    EXPECT_TRUE(textos.contains(QString::fromUtf8(t))) << t;
  auto* abas = janelaAbrir.findChild<QTabWidget*>(QStringLiteral("pgcAbrir"));
  EXPECT_EQ(abas->tabText(0), QStringLiteral("Arquivo texto"));
  EXPECT_EQ(abas->tabText(1), QStringLiteral("Arquivo Excel"));
  QStringList botoes;
  for (QPushButton* b : janelaAbrir.findChildren<QPushButton*>()) botoes << b->text();
  EXPECT_EQ(botoes.count(QStringLiteral("Selecionar arquivo")), 2);
  EXPECT_EQ(botoes.count(QStringLiteral("Cancelar e fechar")), 2);
  auto* descartarTexto = janelaAbrir.findChild<QRadioButton*>(QStringLiteral("rbDescartarTexto"));
  EXPECT_EQ(descartarTexto->text(), QStringLiteral("Os dados atuais serão descartados ao abrir este arquivo"));
  EXPECT_TRUE(janelaAbrir.descartar());
  EXPECT_EQ(janelaAbrir.findChild<QRadioButton*>(QStringLiteral("rbAdicionarTexto"))->text(),
            QStringLiteral("Os dados deste arquivo devem ser adicionados aos já existentes"));
  EXPECT_TRUE(janelaAbrir.findChild<QRadioButton*>(QStringLiteral("rbDescartarPlanilha"))->isChecked());

  janelaAbrir.findChild<QPushButton*>(QStringLiteral("btnCancelarPlanilha"))->click();
  EXPECT_EQ(janelaAbrir.result(), QDialog::Rejected);
  EXPECT_EQ(roteiro.dialogosAbrir, 0);
}

// "Arquivo texto", discarding: the question about unsaved data, then the
// file replaces the table, which then belongs to it and counts as saved.
TEST_F(JanelaAbrir, TextoDescartandoPerguntaESubstitui) {
  const QString arquivo = gravarArquivo(QStringLiteral("contatos.csv"), "email;nome\r\na@x.com;Ana\r\n");
  struct Caso {
    bool resposta;
    bool aceita;
    Registros registros;
  };
  for (const Caso& c : {Caso{false, false, {L({"velho", "1"}), L({"velho", "2"})}},
                        Caso{true, true, {L({"email", "nome"}), L({"a@x.com", "Ana"})}}}) {
    SCOPED_TRACE(c.resposta);
    dadosNaoSalvos();
    roteiro.perguntas.clear();
    roteiro.respostas = {c.resposta};
    roteiro.arquivosAbrir = {{arquivo}};
    TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Texto);
    janelaAbrir.btnSelecionarTextoClick();
    EXPECT_EQ(roteiro.perguntas, QStringList{TfrmAbrir::perguntaDescartar()});
    EXPECT_EQ(janelaAbrir.result() == QDialog::Accepted, c.aceita);
    EXPECT_EQ(registros(), c.registros);
  }
  EXPECT_EQ(titulos(), L({"", ""}));
  EXPECT_FALSE(lista.gEditou);
  EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: ") + arquivo);
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Sim"));
  EXPECT_EQ(lista.gRecentes.itens().first().caminho, arquivo);
  // The open dialog offers text, CSV and spreadsheet files.
  EXPECT_TRUE(roteiro.filtrosAbrir.last().contains(QStringLiteral("*.csv"))) << roteiro.filtrosAbrir.last().toStdString();

  // A saved table is replaced without a question.
  roteiro.perguntas.clear();
  roteiro.arquivosAbrir = {{arquivo}};
  TfrmAbrir outra(*janela, TfrmAbrir::Pagina::Texto);
  outra.btnSelecionarTextoClick();
  EXPECT_TRUE(roteiro.perguntas.isEmpty());
  EXPECT_EQ(lista.gridDados.qtdRegistros(), 2);
}

TEST_F(JanelaAbrir, TextoAdicionandoGuardaOsRegistros) {
  const QString arquivo = gravarArquivo(QStringLiteral("mais.txt"), "c@x.com;Caio\r\n");
  dadosNaoSalvos();
  roteiro.arquivosAbrir = {{arquivo}};
  TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Texto);
  janelaAbrir.setDescartar(false);
  janelaAbrir.btnSelecionarTextoClick();
  EXPECT_TRUE(roteiro.perguntas.isEmpty());
  EXPECT_EQ(janelaAbrir.result(), QDialog::Accepted);
  EXPECT_EQ(registros(), (Registros{L({"velho", "1"}), L({"velho", "2"}), L({"c@x.com", "Caio"})}));
  EXPECT_EQ(titulos(), L({"antigo", "n"}));
  EXPECT_EQ(lista.gArquivo, arquivo);
  // What was there before is still unsaved.
  EXPECT_TRUE(lista.gEditou);
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
}

TEST_F(JanelaAbrir, TextoComVariosArquivosNaoFicaAssociado) {
  const QString a = gravarArquivo(QStringLiteral("a.txt"), "1;um\r\n");
  const QString b = gravarArquivo(QStringLiteral("b.txt"), "2;dois\r\n");
  roteiro.arquivosAbrir = {{a, b}};
  TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Texto);
  janelaAbrir.btnSelecionarTextoClick();
  EXPECT_EQ(registros(), (Registros{L({"1", "um"}), L({"2", "dois"})}));
  EXPECT_TRUE(lista.gArquivo.isEmpty());
  EXPECT_EQ(janela->textoSalvo(), QStringLiteral("Está salvo: Não"));
}

// A cancelled dialog loads nothing: the unsaved table stays unsaved.
TEST_F(JanelaAbrir, DialogoCanceladoNaoDaComoSalvo) {
  dadosNaoSalvos();
  const QString arquivo = gravarArquivo(QStringLiteral("antes.txt"), "x\r\n");
  lista.gArquivo = arquivo;
  roteiro.respostas = {true};
  TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Texto);
  janelaAbrir.btnSelecionarTextoClick();
  EXPECT_EQ(janelaAbrir.result(), QDialog::Accepted);
  EXPECT_EQ(roteiro.dialogosAbrir, 1);
  EXPECT_EQ(registros(), (Registros{L({"velho", "1"}), L({"velho", "2"})}));
  EXPECT_TRUE(lista.gEditou);
  EXPECT_FALSE(lista.estaSalvo());
}

// A spreadsheet chosen on the text page is not read as text.
TEST_F(JanelaAbrir, PlanilhaNaPaginaDeTextoERecusada) {
  dadosNaoSalvos();
  const QString arquivo = xlsx(QStringLiteral("dados.xlsx"), {{L({"nome"}), L({"Ana"})}});
  roteiro.respostas = {true};
  roteiro.arquivosAbrir = {{arquivo}};
  TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Texto);
  janelaAbrir.btnSelecionarTextoClick();
  ASSERT_EQ(roteiro.erros.size(), 1);
  EXPECT_TRUE(roteiro.erros[0].contains(QStringLiteral("Abrir arquivo do Excel (.xls, .xlsx)")));
  EXPECT_EQ(registros(), (Registros{L({"velho", "1"}), L({"velho", "2"})}));
  EXPECT_TRUE(lista.gEditou);
}

TEST_F(JanelaAbrir, PlanilhaImportaAPrimeiraFolha) {
  dadosNaoSalvos();
  lista.gArquivo = lista.gLastFile = pasta.filePath(QStringLiteral("lista.txt"));
  const QString arquivo = xlsx(QStringLiteral("contatos.xlsx"),
                               {{L({"nome", "celular", "cidade"}), L({"Ana", "8199", "Recife", "extra"}),
                                 L({"Bia", "", "Natal"}), L({"", "9", "x"}), L({"Caio", "1", "y"})},
                                {L({"outra"}), L({"folha"})}});
  roteiro.respostas = {true};
  roteiro.arquivosAbrir = {{arquivo}};
  TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Planilha);
  janelaAbrir.btnSelecionarPlanilhaClick();
  EXPECT_EQ(roteiro.perguntas, QStringList{TfrmAbrir::perguntaDescartar()});
  EXPECT_EQ(janelaAbrir.result(), QDialog::Accepted);
  EXPECT_EQ(roteiro.informacoes, QStringList{CLNegOffice::mensagemVariasPlanilhas()});
  EXPECT_EQ(titulos(), L({"nome", "celular", "cidade"}));
  EXPECT_EQ(registros(), (Registros{L({"Ana", "8199", "Recife"}), L({"Bia", "", "Natal"})}));
  EXPECT_TRUE(lista.gArquivo.isEmpty());
  EXPECT_TRUE(lista.gLastFile.isEmpty());
  EXPECT_EQ(janela->textoItens(), QStringLiteral("Itens: 2"));
  EXPECT_EQ(janela->textoArquivo(), QStringLiteral("Arquivo: "));
  EXPECT_EQ(janela->gridDados()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("cidade"));
}

// On the spreadsheet page: declining keeps the window open; a file that is
// not a spreadsheet or a damaged one change nothing.
TEST_F(JanelaAbrir, PlanilhaQueNaoImportaNaoMexeNaTabela) {
  const QString csv = gravarArquivo(QStringLiteral("contatos.csv"), "email;nome\r\na@x;Ana\r\n");
  const QString estragado = gravarArquivo(QStringLiteral("estragado.xlsx"), "isto não é um zip");
  struct Caso {
    const char* nome;
    QStringList escolhidos;
    QList<bool> respostas;
    bool aceita;
    int erros;
  };
  const Caso casos[] = {
      {"recusou descartar", {csv}, {false}, false, 0},
      {"csv", {csv}, {true}, true, 0},
      {"diálogo cancelado", {}, {true}, true, 0},
      {"planilha estragada", {estragado}, {true}, true, 1},
      {"arquivo que não existe", {pasta.filePath(QStringLiteral("sumiu.xlsx"))}, {true}, true, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    dadosNaoSalvos();
    roteiro.erros.clear();
    roteiro.respostas = c.respostas;
    roteiro.arquivosAbrir = {c.escolhidos};
    const int dialogos = roteiro.dialogosAbrir;
    TfrmAbrir janelaAbrir(*janela, TfrmAbrir::Pagina::Planilha);
    janelaAbrir.btnSelecionarPlanilhaClick();
    EXPECT_EQ(janelaAbrir.result() == QDialog::Accepted, c.aceita);
    EXPECT_EQ(roteiro.dialogosAbrir - dialogos, c.aceita ? 1 : 0);
    EXPECT_EQ(roteiro.erros.size(), c.erros);
    EXPECT_EQ(titulos(), L({"antigo", "n"}));
    EXPECT_EQ(registros(), (Registros{L({"velho", "1"}), L({"velho", "2"})}));
  }
}

}  // namespace
}  // namespace mivo
