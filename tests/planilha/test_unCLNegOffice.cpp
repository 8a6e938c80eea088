#include "unCLNegOffice.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "unCLLista.h"
#include "unPlanilhaTeste.h"
#include "unXlsTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

// Records what the importer shows in the progress window; can cancel after
// a number of steps of the reading phase.
class ProgressoGravado : public CLProgresso {
 public:
  QStringList operacoes, legendas1, passos;
  int cancelarApos = -1;  // steps of "Lendo dados..." before the cancel
  bool aberto = false;
  void progressoAbrir(const QString& operacao, int, const QString& l1, const QString&, const QString&) override {
    operacoes << operacao;
    legendas1 << l1;
    aberto = true;
    lendo = operacao == QLatin1String("Lendo dados...");
  }
  void progressoPasso(const QString& l2) override {
    if (lendo) {
      passos << l2;
      ++passosLeitura;
    }
  }
  bool progressoCancelado() override { return cancelarApos >= 0 && passosLeitura >= cancelarApos && lendo; }
  void progressoFechar() override { aberto = false; }

 private:
  bool lendo = false;
  int passosLeitura = 0;
};

QList<QStringList> conteudo(const CLGrade& g) {
  QList<QStringList> r;
  for (int l = 0; l < g.RowCount(); ++l) r << g.celulasLinha(l);
  return r;
}

// A grid already holding something, to show that a failure leaves it alone.
void preencherAntes(CLGrade& g) {
  g.setColCount(2);
  g.setCell(0, 0, QStringLiteral("antes"));
  g.setCell(1, 0, QStringLiteral("titulo"));
  g.setCell(0, 1, QStringLiteral("dado"));
  g.adicionarLinha({QStringLiteral("mais"), QStringLiteral("um")});
}

class Planilha : public ::testing::Test {
 protected:
  QTemporaryDir pasta;
  QString caminho(const QString& nome) const { return pasta.filePath(nome); }
  ResultadoImportacao importar(const QString& arquivo, CLGrade& g, CLProgresso* p = nullptr,
                               LimitesPlanilha limites = {}) {
    CLAmbienteImportacao amb;
    amb.progresso = p;
    amb.informar = [this](const QString& m) { mensagens << m; };
    return CLNegOffice(limites).importar(arquivo, amb, g);
  }
  QStringList mensagens;
};

// --- The rules of reading a sheet, for .xlsx and .ods alike --------------------

enum class Formato { Xlsx, Ods };

class Regras : public Planilha, public ::testing::WithParamInterface<Formato> {
 protected:
  // Writes a workbook whose worksheets hold these tables.
  QString gravar(const QList<Tabela>& folhas) {
    const QString c = caminho(GetParam() == Formato::Xlsx ? QStringLiteral("p.xlsx") : QStringLiteral("p.ods"));
    bool ok;
    if (GetParam() == Formato::Xlsx) {
      Xlsx x;
      for (const Tabela& t : folhas) x.folhas << folhaXlsx(linhasXlsx(t));
      ok = x.gravar(c);
    } else {
      QStringList tabelas;
      for (const Tabela& t : folhas) tabelas << linhasOds(t);
      ok = gravarOds(c, conteudoOds(tabelas));
    }
    EXPECT_TRUE(ok);
    return c;
  }
};

TEST_P(Regras, CasosDoAlgoritmo) {
  struct Caso {
    const char* nome;
    QList<Tabela> folhas;
    Tabela esperado;
    bool avisaVariasPlanilhas;
  };
  const QList<Caso> casos = {
      {"tres planilhas: so a primeira, com aviso",
       {{{"nome", "fone"}, {"Ana", "1"}}, {{"outra"}, {"x"}}, {{"terceira"}}},
       {{"nome", "fone"}, {"Ana", "1"}},
       true},
      {"titulos A a C com D vazio: tres colunas",
       {{{"a", "b", "c", "", "e"}, {"1", "2", "3", "4", "5"}, {"6", "", "", "7"}}},
       {{"a", "b", "c"}, {"1", "2", "3"}, {"6", "", ""}},
       false},
      {"coluna A vazia na linha 5: linhas 2 a 4",
       {{{"nome", "x"}, {"r2", "a"}, {"r3", "b"}, {"r4", "c"}, {"", "d"}, {"r6", "e"}}},
       {{"nome", "x"}, {"r2", "a"}, {"r3", "b"}, {"r4", "c"}},
       false},
      {"linha vazia no meio: para nela",
       {{{"nome"}, {"r2"}, {}, {"r4"}}},
       {{"nome"}, {"r2"}},
       false},
      {"so a linha de titulos: titulos e um registro em branco",
       {{{"nome", "email"}}},
       {{"nome", "email"}, {"", ""}},
       false},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    mensagens.clear();
    CLGrade g;
    const ResultadoImportacao r = importar(gravar(caso.folhas), g);
    EXPECT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
    QList<QStringList> esperado;
    for (const QStringList& l : caso.esperado) esperado << l;
    EXPECT_EQ(conteudo(g), esperado);
    EXPECT_EQ(mensagens, caso.avisaVariasPlanilhas ? QStringList{CLNegOffice::mensagemVariasPlanilhas()}
                                                   : QStringList());
  }
}

TEST_P(Regras, PrimeiraLinhaVaziaEhErroENaoMexeNaTabela) {
  CLGrade g;
  preencherAntes(g);
  const auto antes = conteudo(g);
  const ResultadoImportacao r = importar(gravar({{{"", "b"}, {"1", "2"}}}), g);
  EXPECT_EQ(r.desfecho, Desfecho::Falhou);
  EXPECT_TRUE(r.mensagem.contains(QStringLiteral("primeira linha"))) << r.mensagem.toStdString();
  EXPECT_EQ(conteudo(g), antes);
}

TEST_P(Regras, ProgressoComAsOperacoesELegendas) {
  ProgressoGravado p;
  CLGrade g;
  importar(gravar({{{"nome"}, {"a"}, {"b"}, {"c"}}}), g, &p);
  EXPECT_EQ(p.operacoes, (QStringList{"Abrindo arquivo...", "identificando colunas...", "Lendo dados..."}));
  EXPECT_EQ(p.legendas1, (QStringList{"Aguarde...", "Aguarde...", "Aguarde..."}));
  EXPECT_EQ(p.passos, (QStringList{"Linhas lidas: 2", "Linhas lidas: 3", "Linhas lidas: 4"}));
  EXPECT_FALSE(p.aberto);
}

TEST_P(Regras, CancelarMantemAsLinhasLidasEDizIsso) {
  ProgressoGravado p;
  p.cancelarApos = 2;
  CLGrade g;
  preencherAntes(g);
  QString mensagem;
  CLAmbienteImportacao amb;
  amb.progresso = &p;
  const bool completo =
      CLNegOffice().openExcelToGrid(gravar({{{"nome"}, {"a"}, {"b"}, {"c"}, {"d"}}}), amb, g, &mensagem);
  EXPECT_FALSE(completo);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome"}, {"a"}, {"b"}}));
  EXPECT_EQ(mensagem, QStringLiteral("Importação cancelada: os 2 registros lidos até aqui ficaram na tabela."));
  EXPECT_FALSE(p.aberto);
}

TEST_P(Regras, ProgramaTerminandoParaSemApagarATabela) {
  CLGrade g;
  preencherAntes(g);
  const auto antes = conteudo(g);
  CLAmbienteImportacao amb;
  amb.terminando = [] { return true; };
  const ResultadoImportacao r = CLNegOffice().importar(gravar({{{"nome"}, {"a"}}}), amb, g);
  EXPECT_EQ(r.desfecho, Desfecho::Cancelado);
  EXPECT_EQ(conteudo(g), antes);
  EXPECT_TRUE(r.mensagem.contains(QStringLiteral("ficou como estava")));
}

INSTANTIATE_TEST_SUITE_P(Formatos, Regras, ::testing::Values(Formato::Xlsx, Formato::Ods),
                         [](const auto& i) { return i.param == Formato::Xlsx ? "xlsx" : "ods"; });

// --- Caps -------------------------------------------------------------------------

TEST_F(Planilha, LimitesDeLinhasEColunasXlsx) {
  // 1600 titles and 30010 records: 1500 columns and sheet rows 2..30000.
  QString dados = QStringLiteral("<row r=\"1\">");
  for (int c = 1; c <= 1600; ++c)
    dados += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>t%2</t></is></c>").arg(letraColuna(c) + u'1').arg(c);
  dados += QStringLiteral("</row>");
  for (int l = 2; l <= 30010; ++l) dados += QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>%1</v></c></row>").arg(l);
  Xlsx x;
  x.folhas << folhaXlsx(dados);
  ASSERT_TRUE(x.gravar(caminho("limites.xlsx")));
  CLGrade g;
  const ResultadoImportacao r = importar(caminho("limites.xlsx"), g);
  EXPECT_EQ(r.desfecho, Desfecho::Concluido);
  EXPECT_EQ(g.ColCount(), 1500);
  EXPECT_EQ(g.cell(1499, 0), QStringLiteral("t1500"));
  EXPECT_EQ(g.RowCount(), 30000);
  EXPECT_EQ(r.registros, 29999);
  EXPECT_EQ(g.cell(0, 29999), QStringLiteral("30000"));
}

TEST_F(Planilha, FolhaDoTamanhoMaximoDoExcelParaNosLimitesXlsx) {
  // 16384 columns in row 1 and 1048576 rows: read only up to the caps.
  QString dados = QStringLiteral("<row r=\"1\">");
  for (int c = 1; c <= 16384; ++c) dados += QStringLiteral("<c t=\"s\"><v>0</v></c>");
  dados += QStringLiteral("</row>");
  QByteArray folha = folhaXlsx(dados).replace("</sheetData>", "");
  folha.chop(QByteArray("</worksheet>").size());
  folha.reserve(folha.size() + 1048576 * 30);
  for (int l = 2; l <= 1048576; ++l) folha += "<row><c t=\"s\"><v>0</v></c></row>";
  folha += "</sheetData></worksheet>";
  Xlsx x;
  x.folhas << folha;
  x.textos = "<sst><si><t>v</t></si></sst>";
  ASSERT_TRUE(x.gravar(caminho("enorme.xlsx")));
  folha.clear();
  CLGrade g;
  const ResultadoImportacao r = importar(caminho("enorme.xlsx"), g);
  EXPECT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  EXPECT_EQ(g.ColCount(), 1500);
  EXPECT_EQ(g.RowCount(), 30000);
  EXPECT_EQ(g.cell(0, 29999), QStringLiteral("v"));
}

TEST_F(Planilha, LinhasEColunasRepetidasOdsNaoSaoExpandidasAlemDosLimites) {
  const QString linhas = QStringLiteral(
      "<table:table-row><table:table-cell table:number-columns-repeated=\"16384\" office:value-type=\"string\">"
      "<text:p>t</text:p></table:table-cell></table:table-row>"
      "<table:table-row table:number-rows-repeated=\"1048575\"><table:table-cell office:value-type=\"float\" "
      "office:value=\"7\"><text:p>7</text:p></table:table-cell></table:table-row>");
  ASSERT_TRUE(gravarOds(caminho("enorme.ods"), conteudoOds({linhas})));
  CLGrade g;
  const ResultadoImportacao r = importar(caminho("enorme.ods"), g);
  EXPECT_EQ(r.desfecho, Desfecho::Concluido);
  EXPECT_EQ(g.ColCount(), 1500);
  EXPECT_EQ(g.RowCount(), 30000);
  EXPECT_EQ(g.cell(0, 29999), QStringLiteral("7"));
  EXPECT_EQ(g.cell(1, 29999), QString());
}

// --- Values ---------------------------------------------------------------------

TEST_F(Planilha, ValoresXlsxComoAparecemNaPlanilha) {
  // Column A names the case, column B holds the cell under test.
  struct Caso {
    const char* nome;
    QString celula;  // the <c> element for B
    QString esperado;
  };
  const QList<Caso> casos = {
      {"texto compartilhado", "<c t=\"s\"><v>0</v></c>", "Olá, mundo"},
      {"texto rico com fonetica", "<c t=\"s\"><v>1</v></c>", "negrito e normal"},
      {"escape _x000D_", "<c t=\"s\"><v>2</v></c>", "linha1\rlinha2"},
      {"texto embutido", "<c t=\"inlineStr\"><is><t xml:space=\"preserve\"> a &amp; b </t></is></c>", " a & b "},
      {"inteiro", "<c><v>42</v></c>", "42"},
      {"celular", "<c><v>5511987654321</v></c>", "5511987654321"},
      {"ruido de ponto flutuante", "<c><v>0.30000000000000004</v></c>", "0,3"},
      {"decimal", "<c><v>1234.5</v></c>", "1234,5"},
      {"negativo", "<c><v>-7.25</v></c>", "-7,25"},
      {"expoente", "<c><v>1.5E-20</v></c>", "1,5E-20"},
      {"formato 0.00", "<c s=\"1\"><v>1234.5</v></c>", "1234,50"},
      {"formato #,##0.00", "<c s=\"2\"><v>1234567.891</v></c>", "1.234.567,89"},
      {"porcentagem", "<c s=\"3\"><v>0.256</v></c>", "26%"},
      {"CEP com zeros", "<c s=\"4\"><v>1234567</v></c>", "01234-567"},
      {"moeda", "<c s=\"5\"><v>-10.5</v></c>", "-R$ 10,50"},
      {"data embutida 14", "<c s=\"6\"><v>32947</v></c>", "15/03/1990"},
      {"data e hora", "<c s=\"7\"><v>45366.5625</v></c>", "15/03/2024 13:30"},
      {"hora", "<c s=\"8\"><v>0.5625</v></c>", "13:30:00"},
      {"data por extenso", "<c s=\"9\"><v>45366</v></c>", "15 de março de 2024"},
      {"booleano verdadeiro", "<c t=\"b\"><v>1</v></c>", "VERDADEIRO"},
      {"booleano falso", "<c t=\"b\"><v>0</v></c>", "FALSO"},
      {"formula de texto", "<c t=\"str\"><f>A1&amp;\"x\"</f><v>abc</v></c>", "abc"},
      {"formula numerica", "<c><f>1/3</f><v>0.33333333333333331</v></c>", "0,333333333333333"},
      {"erro", "<c t=\"e\"><v>#N/A</v></c>", "#N/A"},
      {"data ISO", "<c t=\"d\"><v>2024-03-15T00:00:00</v></c>", "15/03/2024"},
      {"vazia com estilo", "<c s=\"1\"/>", ""},
      {"texto embutido com acentos e escapes",
       "<c t=\"inlineStr\"><is><t>S&#227;o João 😀 _x0041_</t></is></c>", "São João 😀 A"},
      {"texto embutido rico com fonetica",
       "<c t=\"inlineStr\"><is><r><t>ne</t></r><r><t>gro</t></r><rPh><t>X</t></rPh></is></c>", "negro"},
      {"data embutida no dia 60", "<c s=\"6\"><v>60</v></c>", "29/02/1900"},
      {"data negativa", "<c s=\"6\"><v>-1</v></c>", "-1"},
  };
  QString dados = QStringLiteral("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>caso</t></is></c>"
                                 "<c r=\"B1\" t=\"inlineStr\"><is><t>valor</t></is></c></row>");
  for (qsizetype i = 0; i < casos.size(); ++i) {
    QString b = casos[i].celula;
    b.insert(2, QStringLiteral(" r=\"B%1\"").arg(i + 2));
    dados += QStringLiteral("<row r=\"%1\"><c r=\"A%1\" t=\"inlineStr\"><is><t>%2</t></is></c>%3</row>")
                 .arg(i + 2).arg(QString::fromUtf8(casos[i].nome), b);
  }
  Xlsx x;
  x.folhas << folhaXlsx(dados);
  x.textos = QStringLiteral(
                 "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"3\">"
                 "<si><t>Olá, mundo</t></si>"
                 "<si><r><rPr><b/></rPr><t>negrito</t></r><r><t xml:space=\"preserve\"> e normal</t></r>"
                 "<rPh sb=\"0\" eb=\"1\"><t>FONETICA</t></rPh></si>"
                 "<si><t>linha1_x000D_linha2</t></si></sst>")
                 .toUtf8();
  x.estilos = QStringLiteral(
                  "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                  "<numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"00000\\-000\"/>"
                  "<numFmt numFmtId=\"165\" formatCode=\"&quot;R$ &quot;#,##0.00;\\-&quot;R$ &quot;#,##0.00\"/>"
                  "<numFmt numFmtId=\"166\" formatCode=\"d &quot;de&quot; mmmm &quot;de&quot; yyyy\"/></numFmts>"
                  "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
                  "<cellXfs count=\"10\"><xf numFmtId=\"0\"/><xf numFmtId=\"2\"/><xf numFmtId=\"4\"/>"
                  "<xf numFmtId=\"9\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/><xf numFmtId=\"14\"/>"
                  "<xf numFmtId=\"22\"/><xf numFmtId=\"21\"/><xf numFmtId=\"166\"/></cellXfs></styleSheet>")
                  .toUtf8();
  ASSERT_TRUE(x.gravar(caminho("valores.xlsx")));
  CLGrade g;
  const ResultadoImportacao r = importar(caminho("valores.xlsx"), g);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  ASSERT_EQ(g.RowCount(), casos.size() + 1);
  for (qsizetype i = 0; i < casos.size(); ++i)
    EXPECT_EQ(g.cell(1, int(i) + 1), casos[i].esperado) << casos[i].nome;
}

TEST_F(Planilha, CelulasForaDeOrdemOuRepetidasNaLinhaXlsx) {
  // Each cell goes where its reference says (or after the previous one when
  // it has none); a column written twice keeps the last text that is not
  // empty; cells beyond the titles are dropped.
  Xlsx x;
  x.folhas << folhaXlsx(
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a</t></is></c><c r=\"B1\" t=\"inlineStr\"><is><t>b</t></is></c>"
      "<c r=\"C1\" t=\"inlineStr\"><is><t>c</t></is></c></row>"
      "<row r=\"2\"><c r=\"C2\"><v>3</v></c><c r=\"A2\" t=\"inlineStr\"><is><t>x</t></is></c><c r=\"C2\"><v>4</v></c>"
      "<c r=\"C2\" t=\"inlineStr\"><is><t></t></is></c><c r=\"E2\"><v>9</v></c></row>"
      "<row r=\"3\"><c r=\"B3\"><v>5</v></c><c><v>6</v></c><c r=\"A3\"><v>7</v></c></row>");
  ASSERT_TRUE(x.gravar(caminho("ordem.xlsx")));
  CLGrade g;
  ASSERT_EQ(importar(caminho("ordem.xlsx"), g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"a", "b", "c"}, {"x", "", "4"}, {"7", "5", "6"}}));
}

// Records what a view of the table is told.
struct VisaoGravada : CLGradeObservador {
  QStringList eventos;
  void celulasAlteradas(int, int, int, int) override { eventos << QStringLiteral("celulas"); }
  void linhasAInserir(int, int) override { eventos << QStringLiteral("+linhas"); }
  void linhasARemover(int, int) override { eventos << QStringLiteral("-linhas"); }
  void colunasAInserir(int, int) override { eventos << QStringLiteral("+colunas"); }
  void colunasARemover(int, int) override { eventos << QStringLiteral("-colunas"); }
  void gradeARedefinir() override { eventos << QStringLiteral("redefinir"); }
  void gradeRedefinida() override { eventos << QStringLiteral("redefinida"); }
  void selecaoAlterada(int c, int r) override { eventos << QStringLiteral("selecao %1,%2").arg(c).arg(r); }
};

TEST_F(Planilha, ImportacaoChegaAVisaoComoUmaSoMudanca) {
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "fone"}, {"Ana", "1"}, {"Bia", "2"}}));
  ASSERT_TRUE(x.gravar(caminho("lote.xlsx")));
  CLGrade g;
  preencherAntes(g);
  g.setCol(1);
  g.setRow(2);
  VisaoGravada v;
  g.adicionarObservador(&v);
  // A failure tells the view nothing.
  EXPECT_EQ(importar(caminho("nada.xlsx"), g).desfecho, Desfecho::Falhou);
  EXPECT_TRUE(v.eventos.isEmpty()) << v.eventos.join(u' ').toStdString();
  // The rows replace the table in one batch; the current record is the first.
  ASSERT_EQ(importar(caminho("lote.xlsx"), g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(v.eventos, (QStringList{"redefinir", "redefinida", "selecao 1,1"}));
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome", "fone"}, {"Ana", "1"}, {"Bia", "2"}}));
  EXPECT_EQ(g.valorAtual(QStringLiteral("nome")), QStringLiteral("Ana"));
  // Only titles: one blank record, still one batch.
  v.eventos.clear();
  x.folhas = {folhaXlsx(linhasXlsx({{"a", "b", "c"}}))};
  ASSERT_TRUE(x.gravar(caminho("titulos.xlsx")));
  ASSERT_EQ(importar(caminho("titulos.xlsx"), g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(v.eventos, (QStringList{"redefinir", "redefinida", "selecao 1,1"}));
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"a", "b", "c"}, {"", "", ""}}));
  g.removerObservador(&v);
}

TEST_F(Planilha, Datas1904) {
  Xlsx x;
  x.data1904 = true;
  x.folhas << folhaXlsx("<row r=\"1\"><c t=\"inlineStr\"><is><t>d</t></is></c></row>"
                        "<row r=\"2\"><c s=\"1\"><v>0</v></c></row>");
  x.estilos = "<styleSheet><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>";
  ASSERT_TRUE(x.gravar(caminho("1904.xlsx")));
  CLGrade g;
  importar(caminho("1904.xlsx"), g);
  EXPECT_EQ(g.cell(0, 1), QStringLiteral("01/01/1904"));
}

TEST_F(Planilha, ValoresOdsComoAparecemNaPlanilha) {
  struct Caso {
    const char* nome;
    QString celula;
    QString esperado;
  };
  const QList<Caso> casos = {
      {"texto", "<table:table-cell office:value-type=\"string\"><text:p>Olá</text:p></table:table-cell>", "Olá"},
      {"espacos e paragrafos",
       "<table:table-cell office:value-type=\"string\"><text:p>a<text:s text:c=\"3\"/>b</text:p>"
       "<text:p><text:span>c</text:span></text:p></table:table-cell>",
       "a   b\nc"},
      {"nota ignorada",
       "<table:table-cell office:value-type=\"string\"><office:annotation><text:p>nota</text:p></office:annotation>"
       "<text:p>valor</text:p></table:table-cell>",
       "valor"},
      {"celular", "<table:table-cell office:value-type=\"float\" office:value=\"5511987654321\"><text:p>5511987654321</text:p></table:table-cell>",
       "5511987654321"},
      {"decimal simples", "<table:table-cell office:value-type=\"float\" office:value=\"0.5\"><text:p>0.5</text:p></table:table-cell>", "0,5"},
      {"numero formatado", "<table:table-cell office:value-type=\"float\" office:value=\"1234.5\"><text:p>1.234,50</text:p></table:table-cell>",
       "1.234,50"},
      {"moeda", "<table:table-cell office:value-type=\"currency\" office:currency=\"BRL\" office:value=\"10\"><text:p>R$ 10,00</text:p></table:table-cell>",
       "R$ 10,00"},
      {"porcentagem", "<table:table-cell office:value-type=\"percentage\" office:value=\"0.25\"><text:p>25%</text:p></table:table-cell>", "25%"},
      {"data", "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-03-15\"><text:p>03/15/24</text:p></table:table-cell>",
       "15/03/2024"},
      {"data e hora", "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-03-15T13:30:00\"><text:p>x</text:p></table:table-cell>",
       "15/03/2024 13:30"},
      {"hora", "<table:table-cell office:value-type=\"time\" office:time-value=\"PT13H30M05S\"><text:p>01:30:05 PM</text:p></table:table-cell>",
       "13:30:05"},
      {"booleano", "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"><text:p>TRUE</text:p></table:table-cell>",
       "VERDADEIRO"},
      {"vazia", "<table:table-cell/>", ""},
  };
  QString linhas = linhasOds({{"caso", "valor"}});
  for (const Caso& c : casos)
    linhas += QStringLiteral("<table:table-row><table:table-cell office:value-type=\"string\"><text:p>%1</text:p>"
                             "</table:table-cell>%2</table:table-row>")
                  .arg(QString::fromUtf8(c.nome), c.celula);
  ASSERT_TRUE(gravarOds(caminho("valores.ods"), conteudoOds({linhas})));
  CLGrade g;
  const ResultadoImportacao r = importar(caminho("valores.ods"), g);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  ASSERT_EQ(g.RowCount(), casos.size() + 1);
  for (qsizetype i = 0; i < casos.size(); ++i) EXPECT_EQ(g.cell(1, int(i) + 1), casos[i].esperado) << casos[i].nome;
}

// --- Merged cells -----------------------------------------------------------------

TEST_F(Planilha, CelulasMescladasXlsxMostramOValorDoCantoSuperiorEsquerdo) {
  // B1:C1 merged title; A3:A4 merged (so row 4 goes on); B2:C3 merged block.
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "contato", "", "fim"},
                                    {"Ana", "bloco", "", "1"},
                                    {"Bia", "", "", "2"},
                                    {"", "x", "y", "3"}}),
                        "<mergeCells count=\"3\"><mergeCell ref=\"B1:C1\"/><mergeCell ref=\"A3:A4\"/>"
                        "<mergeCell ref=\"B2:C3\"/></mergeCells>");
  ASSERT_TRUE(x.gravar(caminho("mescladas.xlsx")));
  CLGrade g;
  ASSERT_EQ(importar(caminho("mescladas.xlsx"), g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome", "contato", "contato", "fim"},
                                             {"Ana", "bloco", "bloco", "1"},
                                             {"Bia", "bloco", "bloco", "2"},
                                             {"Bia", "x", "y", "3"}}));
}

TEST_F(Planilha, CelulasMescladasOds) {
  const QString linhas = QStringLiteral(
      "<table:table-row><table:table-cell office:value-type=\"string\" table:number-columns-spanned=\"2\">"
      "<text:p>contato</text:p></table:table-cell><table:covered-table-cell/>"
      "<table:table-cell office:value-type=\"string\"><text:p>fim</text:p></table:table-cell></table:table-row>"
      "<table:table-row><table:table-cell office:value-type=\"string\" table:number-rows-spanned=\"2\">"
      "<text:p>Ana</text:p></table:table-cell><table:table-cell office:value-type=\"string\"><text:p>a</text:p>"
      "</table:table-cell><table:table-cell office:value-type=\"float\" office:value=\"1\"><text:p>1</text:p>"
      "</table:table-cell></table:table-row>"
      "<table:table-row><table:covered-table-cell><text:p>escondido</text:p></table:covered-table-cell>"
      "<table:table-cell office:value-type=\"string\"><text:p>b</text:p></table:table-cell>"
      "<table:table-cell office:value-type=\"float\" office:value=\"2\"><text:p>2</text:p></table:table-cell>"
      "</table:table-row>");
  ASSERT_TRUE(gravarOds(caminho("mescladas.ods"), conteudoOds({linhas})));
  CLGrade g;
  ASSERT_EQ(importar(caminho("mescladas.ods"), g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"contato", "contato", "fim"}, {"Ana", "a", "1"}, {"Ana", "b", "2"}}));
}

// --- .xls ------------------------------------------------------------------------------

QString arquivoDeDados(const QString& nome) {
  return qEnvironmentVariable("MIVO_TESTES_DIR") + QStringLiteral("/planilha/dados/") + nome;
}

QString arquivoXls() { return arquivoDeDados(QStringLiteral("contatos.xls")); }

// A workbook of one worksheet with a title and a record.
Xls xlsSimples() {
  Xls x;
  x.folhas << QList<QByteArray>{rotuloXls(0, 0, QStringLiteral("nome")), rotuloXls(1, 0, QStringLiteral("Ana"))};
  return x;
}

TEST_F(Planilha, XlsPrimeiraPlanilhaAteAColunaAVazia) {
  CLGrade g;
  const ResultadoImportacao r = importar(arquivoXls(), g);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  EXPECT_EQ(mensagens, QStringList{CLNegOffice::mensagemVariasPlanilhas()});
  EXPECT_EQ(conteudo(g),
            (QList<QStringList>{{"nome", "celular", "nascimento", "saldo", "ativo"},
                                {QStringLiteral("Ana Lúcia"), "5511987654321", "15/03/1990", "1234,5", "sim"},
                                {"Bruno", "5521912345678", "01/12/1985", "0,3", QStringLiteral("não")},
                                {"Carla", "5531900001111", "31/01/2000", "-7", "sim"}}));
}

// --- One workbook in the three formats ------------------------------------------------

// The rows of a CSV with ";" between cells and quotes around cells that hold
// ";", quotes (doubled) or line breaks.
QList<QStringList> lerCsv(const QString& texto) {
  QList<QStringList> linhas{{}};
  QString celula;
  bool aspas = false;
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const QChar c = texto[i];
    if (aspas) {
      if (c == u'"' && i + 1 < texto.size() && texto[i + 1] == u'"') celula += texto[++i];
      else if (c == u'"') aspas = false;
      else celula += c;
    } else if (c == u'"') {
      aspas = true;
    } else if (c == u';') {
      linhas.last() << celula;
      celula.clear();
    } else if (c == u'\n') {
      linhas.last() << celula;
      celula.clear();
      linhas.append(QStringList());
    } else if (c != u'\r') {
      celula += c;
    }
  }
  if (linhas.last().isEmpty() && celula.isEmpty()) linhas.removeLast();
  else linhas.last() << celula;
  return linhas;
}

TEST_F(Planilha, MesmaPastaDeTrabalhoEmXlsxOdsEXlsComoAparece) {
  // casos.xlsx, casos.ods and casos.xls are one workbook (casos.fods) saved
  // by LibreOffice (dados/gerar-casos.sh): each reads as this one table.
  const QList<QStringList> esperado = {
      {"caso", "valor", "extra"},
      {"inteiro", "42", ""},
      {"celular", "5511987654321", ""},
      {"decimal", "1234,5", ""},
      {"negativo", "-7,25", ""},
      {"muito pequeno", "1,5E-20", ""},
      {"duas casas", "1234,50", ""},
      {"milhares", "1.234.567,89", ""},
      {"porcentagem", "25%", ""},
      {"porcentagem com casas", "25,67%", ""},
      {"CEP", "01310-100", ""},
      {"zeros à esquerda", "00123", ""},
      {"moeda negativa", "-R$ 10,50", ""},
      {"data dd/mm/aaaa", "15/03/2024", ""},
      {"data aaaa-mm-dd", "2024-03-15", ""},
      {"data mm/dd/aa", "03/15/24", ""},
      {"data por extenso", "5 de março de 2024", ""},
      {"data e hora", "15/03/2024 13:30", ""},
      {"data e hora vista como hora", "08:00", ""},
      {"hora", "13:30:00", ""},
      {"horas decorridas", "36:00", ""},
      {"verdadeiro", "VERDADEIRO", ""},
      {"falso", "FALSO", ""},
      {"fórmula numérica", "84", ""},
      {"fórmula sem ruído", "0,3", ""},
      {"fórmula lógica", "VERDADEIRO", ""},
      {"fórmula de data", "15/03/2024", ""},
      {"fórmula com erro", "#DIV/0!", ""},
      {"ponto e vírgula e aspas", "a;b \"c\"", ""},
      {"começa com =", "=SOMA(1;2)", ""},
      {"texto com zeros", "00123", ""},
      {"duas linhas", "Rua A, 1\nCentro", ""},
      {"espaços", " dois  espaços ", ""},
      {"acentos", "São João, ação, ü", ""},
      {"mesclada na linha", "B e C", "B e C"},
      {"mesclada na coluna", "1", ""},
      {"mesclada na coluna", "2", ""},
      {"mesclada em bloco", "00007", "00007"},
      {"abaixo do bloco", "00007", "00007"},
      {"fim", "último", ""},
  };
  for (const char* formato : {"xlsx", "ods", "xls"}) {
    SCOPED_TRACE(formato);
    CLGrade g;
    const ResultadoImportacao r = importar(arquivoDeDados(QStringLiteral("casos.") + QLatin1String(formato)), g);
    ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
    const QList<QStringList> lido = conteudo(g);
    ASSERT_EQ(lido.size(), esperado.size());
    for (qsizetype l = 0; l < esperado.size(); ++l) EXPECT_EQ(lido[l], esperado[l]) << "linha " << l + 1;
  }
  // The table is what LibreOffice shows (its CSV of the workbook, cells as
  // shown), but for the cells merged ranges cover: it leaves them empty,
  // the import repeats the range's top-left value.
  QFile csv(arquivoDeDados(QStringLiteral("casos-exibido.csv")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QStringList> exibido = lerCsv(QString::fromUtf8(csv.readAll()));
  ASSERT_EQ(exibido.size(), esperado.size());
  for (qsizetype l = 0; l < esperado.size(); ++l)
    for (qsizetype c = 0; c < esperado[l].size(); ++c) {
      const QString& e = esperado[l][c];
      if (exibido[l].value(c).isEmpty() && !e.isEmpty())
        EXPECT_TRUE(e == esperado[l - 1][c] || (c > 0 && e == esperado[l][c - 1])) << "linha " << l + 1;
      else
        EXPECT_EQ(e, exibido[l].value(c)) << "linha " << l + 1 << ", coluna " << c + 1;
    }
}

// --- Bad input ---------------------------------------------------------------------

// An OLE2 compound file whose directory names the streams of an encrypted
// Office Open XML package, as Excel writes a workbook with a password.
QByteArray pacoteCriptografado() {
  QByteArray d(3 * 512, '\0');
  d.replace(0, 8, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
  int pos = 1024;
  for (const char* nome : {"Root Entry", "EncryptionInfo", "EncryptedPackage"}) {
    for (int i = 0; nome[i]; ++i) d[pos + 2 * i] = nome[i];
    pos += 128;
  }
  return d;
}

TEST_F(Planilha, EntradasRuinsCustamPoucoEDaoErroClaroOuATabelaCerta) {
  struct Caso {
    const char* nome;
    std::function<QString()> preparar;  // writes the file, returns its path
    const char* trecho;                 // expected in the message
    LimitesPlanilha limites;
    // For a file that claims much but reads well: checks the table (the
    // import must succeed).
    std::function<void(const CLGrade&)> conferir = {};
  };
  auto escrever = [this](const QString& nome, const QByteArray& dados) {
    QFile f(caminho(nome));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dados);
    return caminho(nome);
  };
  // An .xlsx whose one sheet holds these rows.
  auto xlsxComFolha = [this](const QString& nome, const QString& linhas) {
    Xlsx x;
    x.folhas << folhaXlsx(linhas);
    x.gravar(caminho(nome));
    return caminho(nome);
  };
  Xlsx normal;
  normal.folhas << folhaXlsx(linhasXlsx({{"nome"}, {"Ana"}}));
  const QList<std::pair<QString, QByteArray>> partesNormais = normal.partes();
  LimitesPlanilha pequeno;
  pequeno.maxParte = 1 << 20;
  LimitesPlanilha poucaMemoria;
  poucaMemoria.maxMemoriaLinhas = 1 << 20;
  LimitesPlanilha memoriaMedia;
  memoriaMedia.maxMemoriaLinhas = 64 << 20;
  LimitesPlanilha conteudoOdsMedio;
  conteudoOdsMedio.maxConteudoOds = 64 << 20;
  // Small files that claim much: an .xlsx of these titles and 30000 rows
  // (column A numbered, one cell of text in row 2) with these merged ranges;
  // and a workbook with one of its parts made big.
  auto folhaComMesclagens = [&](const QString& nome, int titulos, const QString& textoA2, const ParteGerada& faixas) {
    Xlsx x;
    QString linha1;
    for (int c = 1; c <= titulos; ++c)
      linha1 += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>t%2</t></is></c>").arg(letraColuna(c) + u'1').arg(c);
    QString linha2 = QStringLiteral("<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>%1</t></is></c></row>").arg(textoA2);
    for (int l = 3; l <= 30000; ++l) linha2 += QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>%1</v></c></row>").arg(l);
    x.folhas << folhaXlsx(QStringLiteral("<row r=\"1\">%1</row>").arg(linha1) + linha2, QStringLiteral("@@"));
    const QList<QByteArray> partes = x.folhas.first().split('@');
    ParteGerada folha = faixas;
    folha.nome = QStringLiteral("xl/worksheets/sheet1.xml");
    const qint64 n = faixas.pedacos;
    folha.pedacos = n + 2;
    folha.pedaco = [=](qint64 i) {
      if (i == 0) return partes.first() + "<mergeCells>";
      if (i == n + 1) return "</mergeCells>" + partes.last();
      return faixas.pedaco(i - 1);
    };
    EXPECT_TRUE(gravarZip(caminho(nome), x.partes(), folha));
    return caminho(nome);
  };
  auto comParteGrande = [&](const QString& nome, const ParteGerada& parte, Xlsx x = {}) {
    if (x.folhas.isEmpty()) x.folhas << folhaXlsx(linhasXlsx({{"nome"}, {"Ana"}}));
    EXPECT_TRUE(gravarZip(caminho(nome), x.partes(), parte));
    return caminho(nome);
  };
  const QByteArray relacoes = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  const QByteArray ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  // Every cell of the table holds this text.
  auto todasIguais = [](int linhas, int colunas, const QString& valor) {
    return [=](const CLGrade& g) {
      EXPECT_EQ(g.RowCount(), linhas);
      EXPECT_EQ(g.ColCount(), colunas);
      for (int l = 1; l < g.RowCount(); ++l)
        for (int c = 0; c < g.ColCount(); ++c)
          if (g.cell(c, l) != valor) {
            ADD_FAILURE() << "linha " << l << ", coluna " << c << ": " << g.cell(c, l).toStdString();
            return;
          }
    };
  };
  const QList<Caso> casos = {
      {"texto renomeado", [&] { return escrever("lista.xlsx", "nome;email\r\nAna;a@b.c\r\n"); }, "arquivo de texto", {}},
      {"arquivo vazio", [&] { return escrever("vazio.xlsx", {}); }, "vazio", {}},
      {"zip sem planilha",
       [&] {
         gravarZip(caminho("outro.xlsx"), {{QStringLiteral("word/document.xml"), QByteArray("<w/>")}});
         return caminho("outro.xlsx");
       },
       "não é uma planilha", {}},
      {"truncado",
       [&] {
         normal.gravar(caminho("cheio.xlsx"));
         QFile f(caminho("cheio.xlsx"));
         f.open(QIODevice::ReadOnly);
         return escrever("truncado.xlsx", f.readAll().left(int(f.size() / 2)));
       },
       "danificado", {}},
      {"bomba de compactacao",
       [&] { return xlsxComFolha("bomba.xlsx", linhasXlsx({{"nome"}, {"Ana"}}) + QString(8 << 20, u' ')); },
       "limite", pequeno},
      {"tamanho declarado falso",
       [&] {
         // The directory says the sheet has 10 bytes: it inflates to more.
         Xlsx b;
         b.folhas << folhaXlsx(linhasXlsx({{"nome"}, {"Ana"}}) + QString(100000, u' '));
         b.gravar(caminho("falso.xlsx"));
         QFile f(caminho("falso.xlsx"));
         f.open(QIODevice::ReadOnly);
         QByteArray z = f.readAll();
         const QByteArray nome("xl/worksheets/sheet1.xml");
         for (const QByteArray& assinatura : {QByteArray("PK\x01\x02", 4), QByteArray("PK\x03\x04", 4)}) {
           const int deslocTamanho = assinatura[2] == 1 ? 24 : 22;
           const int deslocNome = assinatura[2] == 1 ? 46 : 30;
           for (qsizetype i = z.indexOf(assinatura); i >= 0; i = z.indexOf(assinatura, i + 4))
             if (z.mid(i + deslocNome, nome.size()) == nome) z.replace(i + deslocTamanho, 4, QByteArray("\x0a\0\0\0", 4));
         }
         return escrever("falso2.xlsx", z);
       },
       "tamanho declarado", {}},
      {"linhas esparsas que ocupariam memoria demais",
       [&] {
         // Each row a value in A and one in column 1500: tiny on disk, the
         // rows' slots would not be.
         QString dados;
         for (int l = 1; l <= 2000; ++l)
           dados += QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>1</v></c><c r=\"BER%1\"><v>2</v></c></row>").arg(l);
         Xlsx b;
         b.folhas << folhaXlsx(dados);
         b.gravar(caminho("esparsa.xlsx"));
         return caminho("esparsa.xlsx");
       },
       "grande demais", poucaMemoria},
      {"xlsx com senha", [&] { return escrever("senha.xlsx", pacoteCriptografado()); }, "senha", {}},
      {"xls com senha",
       [&] {
         // FILEPASS (0x002F) in place of the record after BOF: the workbook
         // stream is encrypted.
         QFile f(arquivoXls());
         f.open(QIODevice::ReadOnly);
         QByteArray x = f.readAll();
         const qsizetype bof = x.indexOf(QByteArray("\x09\x08\x10\x00", 4));
         EXPECT_EQ(x.mid(bof + 20, 2), QByteArray("\xe1\x00", 2));
         x.replace(bof + 20, 2, QByteArray("\x2f\x00", 2));
         return escrever("senha.xls", x);
       },
       "senha", {}},
      {"xls com senha feito pelo LibreOffice", [&] { return arquivoDeDados(QStringLiteral("senha.xls")); }, "senha", {}},
      {"xls truncado",
       [&] {
         QFile f(arquivoDeDados(QStringLiteral("casos.xls")));
         f.open(QIODevice::ReadOnly);
         return escrever("truncado.xls", f.readAll().left(int(f.size() / 2)));
       },
       "danificado", {}},
      {"xls com setores em laco",
       [&] {
         // The stream's last sector leads back to its first (the FAT is
         // sector 0, the directory 1, the stream from 2 on).
         QByteArray x = Xls::ole(xlsSimples().livro(), QStringLiteral("Workbook"));
         const int setores = int(x.size() / 512) - 1;
         x.replace(512 + 4 * (setores - 1), 4, le32(2));
         return escrever("laco.xls", x);
       },
       "danificado", {}},
      {"xls com fluxo maior que o arquivo",
       [&] {
         QByteArray x = Xls::ole(xlsSimples().livro(), QStringLiteral("Workbook"));
         x.replace(1024 + 128 + 120, 4, le32(100u << 20));
         return escrever("fluxo.xls", x);
       },
       "danificado", {}},
      {"xls sem pasta de trabalho",
       [&] { return escrever("texto.xls", Xls::ole(QByteArray(5000, 'x'), QStringLiteral("WordDocument"))); },
       "não é uma planilha", {}},
      {"xls com registros sem sentido",
       [&] { return escrever("lixo.xls", Xls::ole(QByteArray(5000, '\x7f'), QStringLiteral("Workbook"))); },
       "danificado", {}},
      {"xls cuja primeira folha fica fora do arquivo",
       [&] {
         QByteArray livro = xlsSimples().livro();
         const qsizetype folha = livro.indexOf(QByteArray("\x85\x00", 2));
         livro.replace(folha + 4, 4, le32(0x7FFFFFFF));
         return escrever("fora.xls", Xls::ole(livro, QStringLiteral("Workbook")));
       },
       "danificado", {}},
      {"xls com textos repetidos que ocupariam memoria demais",
       [&] {
         // One long shared string in every row: 17 KB of records, the rows'
         // texts would not be.
         Xls x;
         x.globais << sstXls({QString(1000, u'x')});
         QList<QByteArray> folha;
         for (int l = 0; l < 1200; ++l) folha << textoSstXls(l, 0, 0);
         x.folhas << folha;
         x.gravar(caminho("textos.xls"));
         return caminho("textos.xls");
       },
       "grande demais", poucaMemoria},
      // Claims of size cost nothing: sixteen sheets each saying they hold
      // 65,536 x 256 cells (only the first is read, by its cells), and a
      // thousand copies of one merged range over 30,000 rows.
      {"xls de 16 folhas que dizem ter 65536 x 256 celulas",
       [&] {
         Xls x;
         for (int f = 0; f < 16; ++f)
           x.folhas << QList<QByteArray>{dimensoesXls(65536, 256), rotuloXls(0, 0, QStringLiteral("t1")),
                                         rotuloXls(0, 1, QStringLiteral("t2")), rotuloXls(1, 0, QStringLiteral("x")),
                                         rotuloXls(1, 1, QStringLiteral("x")), rotuloXls(65535, 255, QStringLiteral("fim"))};
         x.gravar(caminho("dimensoes.xls"));
         return caminho("dimensoes.xls");
       },
       nullptr, {}, todasIguais(2, 2, "x")},
      {"xls com mil copias da faixa A2:IV30000",
       [&] {
         Xls x;
         QList<QByteArray> folha{rotuloXls(0, 0, QStringLiteral("t1")), rotuloXls(0, 1, QStringLiteral("t2")),
                                 rotuloXls(0, 2, QStringLiteral("t3")), rotuloXls(1, 0, QStringLiteral("x"))};
         for (int l = 2; l < 30000; ++l) folha << numeroXls(l, 0, l);
         // A record holds at most 1,024 ranges (8 bytes each, 8,224 bytes).
         for (int k = 0; k < 10; ++k) folha << mesclagemXls(QList<std::array<int, 4>>(100, {1, 29999, 0, 255}));
         x.folhas << folha;
         x.gravar(caminho("faixas.xls"));
         return caminho("faixas.xls");
       },
       nullptr, {}, todasIguais(30000, 3, "x")},
      {"ods com senha",
       [&] {
         gravarOds(caminho("senha.ods"), conteudoOds({linhasOds({{"a"}})}),
                   "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
                   "<manifest:file-entry manifest:full-path=\"content.xml\"><manifest:encryption-data/>"
                   "</manifest:file-entry></manifest:manifest>");
         return caminho("senha.ods");
       },
       "senha", {}},
      {"entidades XML (DTD)",
       [&] {
         Xlsx b;
         b.folhas << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\">"
                                "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                                "<worksheet><sheetData><row r=\"1\"><c t=\"inlineStr\"><is><t>&c;</t></is></c></row>"
                                "</sheetData></worksheet>");
         b.gravar(caminho("dtd.xlsx"));
         return caminho("dtd.xlsx");
       },
       "DTD", {}},
      {"linha aberta dentro de uma celula",
       [&] {
         return xlsxComFolha("aninhada.xlsx",
                             "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>nome</t></is></c></row>"
                             "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><row r=\"3\"/><is><t>x</t></is></c></row>");
       },
       "danificado", {}},
      {"linha que termina dentro de uma celula",
       [&] {
         return xlsxComFolha("cortada.xlsx",
                             "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>nome</t></is></c></row>"
                             "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>x</t></is></row>"
                             "<row r=\"3\"></c></row>");
       },
       "danificado", {}},
      {"entidade nao declarada",
       [&] { return xlsxComFolha("entidade.xlsx", "<row r=\"1\"><c t=\"inlineStr\"><is><t>&x;</t></is></c></row>"); },
       "danificado", {}},
      {"inexistente", [&] { return caminho("nao-existe.xlsx"); }, "Não foi possível abrir", {}},
      // Merged ranges cost the cells they fill in the columns kept, once
      // each, however many ranges claim them.
      {"xlsx com mil copias da faixa A2:ZZ30000",
       [&] { return folhaComMesclagens("faixas.xlsx", 3, "x", parteRepetida({}, {}, "<mergeCell ref=\"A2:ZZ30000\"/>", 1000, {})); },
       nullptr, {}, todasIguais(30000, 3, "x")},
      {"xlsx com 30000 faixas diferentes sobrepostas",
       [&] {
         return folhaComMesclagens("sobrepostas.xlsx", 2, "x", {{}, 29999, [](qint64 i) {
                                     return QStringLiteral("<mergeCell ref=\"A%1:B30000\"/>").arg(i + 2).toUtf8();
                                   }});
       },
       nullptr, {}, todasIguais(30000, 2, "x")},
      {"xlsx cujo titulo mesclado repete um texto longo em 1500 colunas",
       [&] {
         Xlsx x;
         x.folhas << folhaXlsx(linhasXlsx({{QString(2'000'000, u't')}, {"Ana"}}),
                               QStringLiteral("<mergeCells><mergeCell ref=\"A1:BER1\"/></mergeCells>"));
         x.gravar(caminho("titulo-longo.xlsx"));
         return caminho("titulo-longo.xlsx");
       },
       "grande demais", {}},
      {"xlsx cuja faixa repete um texto longo em 700 colunas",
       [&] {
         return folhaComMesclagens("texto-longo.xlsx", 700, QString(30000, u'x'),
                                   parteRepetida({}, {}, "<mergeCell ref=\"A2:ZX30000\"/>", 1, {}));
       },
       "grande demais", memoriaMedia},
      // Parts that describe the workbook, made big.
      {"xlsx que lista 20 milhoes de planilhas",
       [&] {
         return comParteGrande("planilhas.xlsx",
                               parteRepetida(QStringLiteral("xl/workbook.xml"),
                                             "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                             "xmlns:r=\"" + ns + "\"><sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"rId1\"/>",
                                             "<sheet/>", 20'000'000, "</sheets></workbook>"));
       },
       "ocuparia 152 MB", {}},
      {"xlsx com 1,3 milhao de relacoes",
       [&] {
         return comParteGrande("relacoes.xlsx",
                               {QStringLiteral("xl/_rels/workbook.xml.rels"), 1302, [&](qint64 i) {
                                  if (i == 0)
                                    return relacoes + "<Relationship Id=\"rId1\" Type=\"" + ns +
                                           "/worksheet\" Target=\"worksheets/sheet1.xml\"/>";
                                  if (i == 1301) return QByteArray("</Relationships>");
                                  QByteArray b;
                                  for (qint64 k = 0; k < 1000; ++k)
                                    b += "<Relationship Id=\"x" + QByteArray::number(i * 1000 + k) +
                                         "\" Type=\"t\" Target=\"a\"/>";
                                  return b;
                                }});
       },
       "mais de 10000 relações", {}},
      {"xlsx com 40 milhoes de textos compartilhados vazios",
       [&] {
         Xlsx x;
         x.folhas << folhaXlsx("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>");
         x.textos = "<sst/>";
         return comParteGrande("textos.xlsx",
                               parteRepetida(QStringLiteral("xl/sharedStrings.xml"), "<sst>", "<si/>", 40'000'000, "</sst>"),
                               x);
       },
       "os textos da pasta de trabalho passam de", {}},
      {"xlsx com 3 milhoes de formatos de celula",
       [&] {
         Xlsx x;
         x.folhas << folhaXlsx(linhasXlsx({{"nome"}, {"Ana"}}));
         x.estilos = "<styleSheet/>";
         return comParteGrande("estilos.xlsx",
                               parteRepetida(QStringLiteral("xl/styles.xml"), "<styleSheet><cellXfs>",
                                             "<xf numFmtId=\"14\"/>", 3'000'000, "</cellXfs></styleSheet>"),
                               x);
       },
       "formatos de célula", {}},
      // An .ods whose cell repeats a thousand spaces two million times.
      {"ods com espacos repetidos",
       [&] {
         const QByteArray conteudo = conteudoOds({linhasOds({{"nome"}}) + QStringLiteral("@@")});
         const QList<QByteArray> partes = conteudo.split('@');
         const ParteGerada c = parteRepetida(
             QStringLiteral("content.xml"),
             partes.first() + "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>",
             "<text:s text:c=\"1000\"/>", 2'000'000, "</text:p></table:table-cell></table:table-row>" + partes.last());
         EXPECT_TRUE(gravarZip(caminho("espacos.ods"),
                               {{QStringLiteral("mimetype"), QByteArray("application/vnd.oasis.opendocument.spreadsheet")}},
                               c));
         return caminho("espacos.ods");
       },
       "grande demais", memoriaMedia},
      // An .ods whose first row has 30 million cells: read no further than
      // the limit allows (the general XML reader is slow).
      {"ods com 30 milhoes de celulas numa linha",
       [&] {
         const QList<QByteArray> partes = conteudoOds({QStringLiteral("@@")}).split('@');
         const ParteGerada c = parteRepetida(
             QStringLiteral("content.xml"),
             partes.first() + "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>nome</text:p>"
                              "</table:table-cell>",
             "<table:table-cell/>", 30'000'000, "</table:table-row>" + partes.last());
         EXPECT_TRUE(gravarZip(caminho("larga.ods"),
                               {{QStringLiteral("mimetype"), QByteArray("application/vnd.oasis.opendocument.spreadsheet")}},
                               c));
         return caminho("larga.ods");
       },
       "passa de 64 MB", conteudoOdsMedio},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    CLGrade g;
    preencherAntes(g);
    const auto antes = conteudo(g);
    ProgressoGravado p;
    QString mensagem;
    CLAmbienteImportacao amb;
    amb.progresso = &p;
    const QString arquivo = caso.preparar();
    // ferramentas/fuzz.sh takes these files as seeds of the spreadsheet target.
    const QString sementes = qEnvironmentVariable("MIVO_SEMENTES_PLANILHA");
    if (!sementes.isEmpty() && QFileInfo(arquivo).size() <= (1 << 20))
      QFile::copy(arquivo, QStringLiteral("%1/%2-%3")
                               .arg(sementes)
                               .arg(&caso - casos.constData())
                               .arg(QFileInfo(arquivo).fileName()));
    bool ok = true;
    const Custo custo =
        medirCusto([&] { ok = CLNegOffice(caso.limites).openExcelToGrid(arquivo, amb, g, &mensagem); });
    std::printf("[ custo    ] %s: %.3f s, pico %.1f MiB\n", caso.nome, custo.segundos,
                custo.picoMiB);
    EXPECT_LT(custo.segundos, 10.0);
    EXPECT_LT(custo.picoMiB, 300);
    EXPECT_FALSE(p.aberto);
    if (caso.conferir) {
      EXPECT_TRUE(ok) << mensagem.toStdString();
      caso.conferir(g);
      continue;
    }
    EXPECT_FALSE(ok);
    EXPECT_TRUE(mensagem.contains(QString::fromUtf8(caso.trecho))) << mensagem.toStdString();
    EXPECT_EQ(conteudo(g), antes);
  }
}

// --- The data table ---------------------------------------------------------------

TEST_F(Planilha, ImportarParaListaDesligaOArquivoSoQuandoImporta) {
  CLLista lista(caminho("recentes.txt"));
  lista.gArquivo = lista.gLastFile = caminho("lista.txt");
  int status = 0;
  lista.aoMostrarStatus = [&](const CLGrade&) { ++status; };
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "fone"}, {"Ana", "1"}}));
  ASSERT_TRUE(x.gravar(caminho("ok.xlsx")));

  CLNegOffice importador;
  ResultadoImportacao r = importador.importarParaLista(caminho("nao-existe.xlsx"), {}, lista);
  EXPECT_EQ(r.desfecho, Desfecho::Falhou);
  EXPECT_EQ(lista.gArquivo, caminho("lista.txt"));
  EXPECT_EQ(status, 0);

  r = importador.importarParaLista(caminho("ok.xlsx"), {}, lista);
  EXPECT_EQ(r.desfecho, Desfecho::Concluido);
  EXPECT_TRUE(lista.gArquivo.isEmpty());
  EXPECT_TRUE(lista.gLastFile.isEmpty());
  EXPECT_EQ(status, 1);
  EXPECT_EQ(lista.gridDados.valorAtual(QStringLiteral("FONE")), QStringLiteral("1"));

  // Refused after some rows were read: nothing was imported, and the list
  // stays tied to its file.
  lista.gArquivo = caminho("lista.txt");
  Xls grande;  // read row by row
  grande.folhas << QList<QByteArray>{rotuloXls(0, 0, QStringLiteral("nome")), rotuloXls(0, 1, QStringLiteral("fone")),
                                     rotuloXls(1, 0, QStringLiteral("Bia")), rotuloXls(1, 1, QStringLiteral("2")),
                                     rotuloXls(2, 0, QString(30'000, u'x')), rotuloXls(2, 1, QStringLiteral("3"))};
  ASSERT_TRUE(grande.gravar(caminho("grande.xls")));
  LimitesPlanilha limites;
  limites.maxMemoriaLinhas = 40'000;
  r = CLNegOffice(limites).importarParaLista(caminho("grande.xls"), {}, lista);
  EXPECT_EQ(r.desfecho, Desfecho::Falhou);
  EXPECT_TRUE(r.mensagem.contains(QStringLiteral("grande demais"))) << r.mensagem.toStdString();
  EXPECT_EQ(r.registros, 0);
  EXPECT_EQ(lista.gArquivo, caminho("lista.txt"));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(lista.gridDados.valorAtual(QStringLiteral("FONE")), QStringLiteral("1"));
}

TEST_F(Planilha, LerTitulos) {
  Xlsx x;
  x.folhas << folhaXlsx(linhasXlsx({{"nome", "email", "", "x"}, {"Ana", "a@b"}}));
  ASSERT_TRUE(x.gravar(caminho("t.xlsx")));
  QStringList titulos;
  ASSERT_TRUE(CLNegOffice().lerTitulos(caminho("t.xlsx"), titulos));
  EXPECT_EQ(titulos, (QStringList{"nome", "email"}));
  QString erro;
  EXPECT_FALSE(CLNegOffice().lerTitulos(caminho("nada.xlsx"), titulos, &erro));
  EXPECT_FALSE(erro.isEmpty());
}

// --- A workbook written by another program (openpyxl) ---------------------------------

TEST_F(Planilha, PastaDeTrabalhoDoOpenpyxl) {
  const QString script = QStringLiteral(R"(
import datetime, sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.append(["nome", "celular", "quando", "valor", "grupo"])
ws.append(["Ana", 5511987654321, datetime.datetime(2024, 3, 15, 13, 30), 1234.5, "A"])
ws.append(["Bia", 5511900000000, datetime.date(2023, 12, 31), 0.1 + 0.2, None])
ws["C2"].number_format = "dd/mm/yyyy hh:mm"
ws["C3"].number_format = "dd/mm/yyyy"
ws["D2"].number_format = "#,##0.00"
ws.merge_cells("E2:E3")
wb.create_sheet("Outra")
wb.save(sys.argv[1])
)");
  QProcess py;
  py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, caminho("openpyxl.xlsx")});
  if (!py.waitForFinished(60000) || py.exitStatus() != QProcess::NormalExit || py.exitCode() != 0)
    GTEST_SKIP() << "python3-openpyxl indisponível";
  CLGrade g;
  const ResultadoImportacao r = importar(caminho("openpyxl.xlsx"), g);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  EXPECT_EQ(mensagens.size(), 1);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome", "celular", "quando", "valor", "grupo"},
                                             {"Ana", "5511987654321", "15/03/2024 13:30", "1.234,50", "A"},
                                             {"Bia", "5511900000000", "31/12/2023", "0,3", "A"}}));
}

}  // namespace
