#include <gtest/gtest.h>

#include <QCollator>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "unCLColunas.h"
#include "unCLFiltro.h"
#include "unCLLista.h"
#include "unUtil.h"
#include "impressaoQt.h"
#include "unGradeTeste.h"

using namespace mivo;

namespace {

// Under Wine (the Windows suite on this machine) the system's collation
// orders digits, signs and letters differently from Windows and from
// itself (its sort keys and its comparison disagree): the order of a sort
// cannot be checked there. Real Windows is checked before each release.
bool ordemDoSistemaNaoConfere() { return qEnvironmentVariableIsSet("MIVO_SOB_WINE"); }

using teste::conteudo;
using teste::Linhas;
using teste::preencher;

// Records what the progress window was told, and cancels on request.
struct ProgressoGravado : CLProgresso {
  QString operacao;
  int passos = 0;
  int cancelarNoPasso = -1;
  bool aberto = false, fechado = false;
  QString ultimaLegenda3;
  void progressoAbrir(const QString& op, int, const QString&, const QString&,
                      const QString&) override {
    operacao = op;
    aberto = true;
  }
  void progressoPasso(const QString&) override { ++passos; }
  void progressoLegenda3(const QString& l) override { ultimaLegenda3 = l; }
  bool progressoCancelado() override { return cancelarNoPasso >= 0 && passos > cancelarNoPasso; }
  void progressoFechar() override { fechado = true; }
};

class CLColunasTeste : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    lista = std::make_unique<CLLista>(pasta.filePath(QStringLiteral("recentfiles.txt")));
  }
  QTemporaryDir pasta;
  std::unique_ptr<CLLista> lista;
};

}  // namespace

// --- Sorting -----------------------------------------------------------------

TEST(SortStringGrid, OrdemDosRegistros) {
  if (ordemDoSistemaNaoConfere()) GTEST_SKIP() << "ordenação do Wine";
  struct Caso {
    const char* nome;
    Linhas grade;  // title row first
    int coluna;
    bool desc;
    Linhas esperado;  // title row first
  };
  const QList<Caso> casos = {
      {"acentos do portugues",
       {{"nome"}, {"Bruno"}, {"Álvaro"}, {"Alice"}},
       0, false,
       {{"nome"}, {"Alice"}, {"Álvaro"}, {"Bruno"}}},
      {"sem distinguir maiusculas; chaves iguais pelo conteudo",
       {{"k", "n"}, {"b", "1"}, {"A", "3"}, {"a", "2"}},
       0, false,
       {{"k", "n"}, {"a", "2"}, {"A", "3"}, {"b", "1"}}},
      {"decrescente: a maior chave na linha 1",
       {{"k", "n"}, {"b", "1"}, {"A", "3"}, {"a", "2"}},
       0, true,
       {{"k", "n"}, {"b", "1"}, {"A", "3"}, {"a", "2"}}},
      {"linhas iguais a nao ser por acentos e maiusculas",
       {{"k", "n"}, {"Aná", "1"}, {"ana", "1"}, {"Ana", "1"}},
       0, false,
       {{"k", "n"}, {"ana", "1"}, {"Ana", "1"}, {"Aná", "1"}}},
      {"chaves iguais pelo resto da linha",
       {{"nome", "cidade"}, {"Ana", "Recife"}, {"Ana", "Olinda"}, {"Ana", "Caruaru"}},
       0, false,
       {{"nome", "cidade"}, {"Ana", "Caruaru"}, {"Ana", "Olinda"}, {"Ana", "Recife"}}},
      {"outra coluna como chave",
       {{"nome", "cidade"}, {"Ana", "Recife"}, {"Bia", "Olinda"}, {"Cid", "Caruaru"}},
       1, false,
       {{"nome", "cidade"}, {"Cid", "Caruaru"}, {"Bia", "Olinda"}, {"Ana", "Recife"}}},
      {"chave com % volta intacta",
       {{"desconto", "id"}, {"abc", "1"}, {"50% off", "2"}, {"10%", "3"}},
       0, false,
       {{"desconto", "id"}, {"10%", "3"}, {"50% off", "2"}, {"abc", "1"}}},
      {"celulas vazias viram espaco",
       {{"nome", "obs"}, {"b", ""}, {"a", ""}},
       0, false,
       {{"nome", "obs"}, {"a", " "}, {"b", " "}}},
      {"titulo vazio fica como esta",
       {{"", "x"}, {"b", "1"}, {"a", "2"}},
       0, false,
       {{"", "x"}, {"a", "2"}, {"b", "1"}}},
      {"quebra de linha numa celula volta intacta",
       {{"nome", "obs"}, {"b", "um\r\ndois"}, {"a", "três"}},
       0, false,
       {{"nome", "obs"}, {"a", "três"}, {"b", "um\r\ndois"}}},
      {"chave com U+FFFF (ordenada sem o atalho dos prefixos)",
       {{"k"}, {"b"}, {QStringLiteral("a") + QChar(0xFFFF)}, {"A"}},
       0, false,
       {{"k"}, {"A"}, {QStringLiteral("a") + QChar(0xFFFF)}, {"b"}}},
      {"um so registro",
       {{"nome", "obs"}, {"Ana", ""}},
       0, false,
       {{"nome", "obs"}, {"Ana", " "}}},
  };
  for (const Caso& caso : casos) {
    CLGrade g;
    preencher(g, caso.grade);
    EXPECT_EQ(SortStringGrid(g, caso.coluna, caso.desc), Desfecho::Concluido) << caso.nome;
    EXPECT_EQ(conteudo(g), caso.esperado) << caso.nome;
  }
}

TEST(SortStringGrid, ColunaInexistenteNaoMexe) {
  CLGrade g;
  preencher(g, {{"nome"}, {"b"}, {"a"}});
  EXPECT_EQ(SortStringGrid(g, 3, false), Desfecho::Falhou);
  EXPECT_EQ(SortStringGrid(g, -1, false), Desfecho::Falhou);
  EXPECT_EQ(conteudo(g), (Linhas{{"nome"}, {"b"}, {"a"}}));
}

// A big grid (the work is shared between two threads): the result must be a
// permutation of the records in the order of their sort texts, ties in their
// former order.
// Three ways to the same order: keys of letters, digits, spaces and ASCII
// signs (sorted by their weights), other keys (sorted by the collator's
// keys), and a key with U+FFFF (every whole sort text collated).
enum class Caminho { Pesos, Chaves, TextoInteiro };
class SortStringGridGrande : public ::testing::TestWithParam<Caminho> {};

TEST_P(SortStringGridGrande, SegueOTextoDeOrdenacao) {
  if (ordemDoSistemaNaoConfere()) GTEST_SKIP() << "ordenação do Wine";
  static const char* const simples[] = {"Ana",   "ana",   "Álvaro", "alvaro", "Bruno", "Érica",
                                        "erica", "Zélia", "Ana Maria", "Ana-Maria", "50%", "",
                                        "Ana%", "ana%x", "ÁNA", "Ana ", "a", "Ç", "ç%", "cá", "Ana_Maria",
                                        "(81) 9"};
  static const char* const nomes[] = {"Ana",   "ana",   "Álvaro", "alvaro",    "Bruno",     "Érica",
                                      "erica", "Zélia", "Ana Maria", "Ana-Maria", "50%",     "",
                                      "Åsa",   "asa",   "Ærø",     "Øre",       "ore",       "ÿ",
                                      "Ana\tMaria", "ANA MARIA", "Ana\u00A0Maria", "Çé"};
  QRandomGenerator aleatorio(11);
  CLGrade g;
  const int n = 50000;
  g.setColCount(3);
  g.setRowCount(n + 1);
  g.setLinhaInteira(0, {"nome", "id", "obs"});
  for (int r = 1; r <= n; ++r) {
    const QString nome = QString::fromUtf8(GetParam() == Caminho::Pesos ? simples[aleatorio.bounded(22)]
                                                                        : nomes[aleatorio.bounded(22)]) +
                         (aleatorio.bounded(3) == 0 ? QString::number(aleatorio.bounded(50)) : QString());
    // Cell by cell: a blank cell stays "" until the sort writes it back.
    g.setCell(0, r, nome);
    g.setCell(1, r, QString::number(r));
    g.setCell(2, r, aleatorio.bounded(2) ? QStringLiteral("x") : QString());
  }
  // A key holding U+FFFF takes the sort that collates every whole row.
  if (GetParam() == Caminho::TextoInteiro) g.setCell(0, n / 2, QStringLiteral("Ana") + QChar(0xFFFF));
  auto textoOrdenacao = [](const QStringList& celulas) {
    QString t = celulas[0] + u'%';
    for (const QString& c : celulas) t += c + QLatin1String("\r\n");
    return t;
  };
  QList<QStringList> antes;
  for (int r = 1; r <= n; ++r) antes.append(g.celulasLinha(r));

  ProgressoGravado progresso;
  ASSERT_EQ(SortStringGrid(g, 0, false, &progresso), Desfecho::Concluido);
  EXPECT_TRUE(progresso.aberto);
  EXPECT_TRUE(progresso.fechado);
  EXPECT_EQ(g.celulasLinha(0), QStringList({"nome", "id", "obs"}));

  QCollator comparador(localeBR());
  comparador.setCaseSensitivity(Qt::CaseInsensitive);
  QList<QStringList> depois;
  for (int r = 1; r <= n; ++r) depois.append(g.celulasLinha(r));
  int fora = 0;
  for (int r = 1; r < n; ++r) {
    // Compared as they were before the sort (blank cells were "").
    QStringList a = depois[r - 1], b = depois[r];
    for (QString& c : a) if (c == QLatin1String(" ")) c.clear();
    for (QString& c : b) if (c == QLatin1String(" ")) c.clear();
    const int cmp = comparador.compare(textoOrdenacao(a), textoOrdenacao(b));
    if (cmp > 0 || (cmp == 0 && a[1].toInt() > b[1].toInt())) {
      if (++fora <= 3)
        ADD_FAILURE() << "fora de ordem: [" << a.join(u'|').toStdString() << "] antes de ["
                    << b.join(u'|').toStdString() << "]";
    }
  }
  EXPECT_EQ(fora, 0);
  // The same records: every id once, each with its own cells.
  QList<bool> visto(n + 1, false);
  for (const QStringList& l : depois) {
    const int id = l[1].toInt();
    ASSERT_FALSE(visto[id]);
    visto[id] = true;
    EXPECT_EQ(l[0], antes[id - 1][0].isEmpty() ? QStringLiteral(" ") : antes[id - 1][0]);
  }
}

INSTANTIATE_TEST_SUITE_P(Caminhos, SortStringGridGrande,
                         ::testing::Values(Caminho::Pesos, Caminho::Chaves, Caminho::TextoInteiro),
                         [](const auto& info) {
                           return info.param == Caminho::Pesos    ? "Pesos"
                                  : info.param == Caminho::Chaves ? "Chaves"
                                                                  : "TextoInteiro";
                         });

TEST(SortStringGrid, CanceladoNaoMexe) {
  CLGrade g;
  const int n = 45000;
  g.setRowCount(n + 1);
  for (int r = 1; r <= n; ++r) g.setCell(0, r, QString::number(n - r));
  ProgressoGravado progresso;
  progresso.cancelarNoPasso = 1;
  EXPECT_EQ(SortStringGrid(g, 0, false, &progresso), Desfecho::Cancelado);
  EXPECT_TRUE(progresso.fechado);
  EXPECT_EQ(g.cell(0, 1), QString::number(n - 1));
  EXPECT_EQ(g.cell(0, n), QStringLiteral("0"));
}

TEST_F(CLColunasTeste, OrdenarNaVisaoGravaAntesAsEdicoesPendentes) {
  preencher(lista->gridDados, {{"nome"}, {"Bia"}, {"Ana Silva"}, {"Cid Silva"}});
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("silva"), false), Desfecho::Concluido);
  filtroEditarCelula(*lista, 1, 2, QStringLiteral("Abel Silva"));  // Cid Silva, data row 3
  lista->gEditou = false;
  EXPECT_EQ(ordenarColuna(*lista, 1, false), Desfecho::Concluido);
  EXPECT_EQ(lista->gridDados.cell(0, 3), QStringLiteral("Abel Silva"));
  EXPECT_EQ(lista->gridFiltro.celulasLinha(1), QStringList({"3", "Abel Silva"}));
  EXPECT_FALSE(filtroPendente(*lista));
}

// --- Names ---------------------------------------------------------------------

TEST(FormatColumnName, EspacosViramTracosEMinusculas) {
  const QList<std::pair<QString, QString>> casos = {
      {"Nome Completo", "nome-completo"}, {"   ", "---"},       {" Data de Envio", "-data-de-envio"},
      {"ÁREA ÚTIL", "área-útil"},          {"email", "email"},   {"", ""},
  };
  for (const auto& [entrada, esperado] : casos) EXPECT_EQ(formatColumnName(entrada), esperado) << entrada.toStdString();
}

TEST(PreencherComboColunas, TitulosOuColunaComOPrimeiroValor) {
  CLGrade g;
  preencher(g, {{"", " nome ", " ", "", ""}, {"Ana", "x", " Recife ", "", "y"}});
  g.setColCount(1001);
  g.setCell(1000, 1, QStringLiteral("z"));
  const QStringList entradas = preencherComboColunas(g);
  ASSERT_EQ(entradas.size(), 1001);
  EXPECT_EQ(entradas[0], QStringLiteral("Coluna  (Ana)")) << "column 0 prints its index as nothing";
  EXPECT_EQ(entradas[1], QStringLiteral("nome"));
  EXPECT_EQ(entradas[2], QStringLiteral("Coluna 2 (Recife)"));
  EXPECT_EQ(entradas[3], QStringLiteral("Coluna 3"));
  EXPECT_EQ(entradas[4], QStringLiteral("Coluna 4 (y)"));
  EXPECT_EQ(entradas[1000], QStringLiteral("Coluna 1.000 (z)"));
}

TEST_F(CLColunasTeste, InserirColuna) {
  struct Caso {
    const char* nome;
    int colunaAtual;
    QString resposta;
    Linhas esperado;
    int nomeada;
  };
  const QList<Caso> casos = {
      {"coluna atual com titulo: nova no fim", 0, "Data de Envio",
       {{"email", "", "data-de-envio"}, {"a@x", "1", ""}}, 2},
      {"coluna atual sem titulo: ela recebe o nome", 1, "Data de Envio",
       {{"email", "data-de-envio"}, {"a@x", "1"}}, 1},
      {"so espacos tambem e nome", 1, "  ", {{"email", "--"}, {"a@x", "1"}}, 1},
      {"caixa cancelada", 0, "", {{"email", ""}, {"a@x", "1"}}, -1},
  };
  for (const Caso& caso : casos) {
    preencher(lista->gridDados, {{"email", ""}, {"a@x", "1"}});
    lista->gridDados.setColCount(2);
    lista->gridDados.setCol(caso.colunaAtual);
    lista->gEditou = false;
    EXPECT_EQ(inserirColuna(*lista, caso.resposta), caso.nomeada) << caso.nome;
    EXPECT_EQ(conteudo(lista->gridDados), caso.esperado) << caso.nome;
    EXPECT_EQ(lista->gEditou, caso.nomeada >= 0) << caso.nome;
  }
}

TEST_F(CLColunasTeste, RenomearColuna) {
  preencher(lista->gridDados, {{"nome", "email"}, {"Ana", "a@x"}});
  lista->gEditou = false;
  EXPECT_TRUE(renomearColuna(*lista, 1, QStringLiteral("   ")));
  EXPECT_EQ(lista->gridDados.cell(1, 0), QStringLiteral("---"));
  EXPECT_TRUE(renomearColuna(*lista, 0, QStringLiteral("Nome Completo")));
  EXPECT_EQ(lista->gridDados.cell(0, 0), QStringLiteral("nome-completo"));
  EXPECT_FALSE(lista->gEditou) << "renaming leaves the edited flag";
  EXPECT_FALSE(renomearColuna(*lista, 0, QString())) << "cancelled box";
  EXPECT_FALSE(renomearColuna(*lista, 2, QStringLiteral("x")));
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"nome-completo", "---"}));
}

TEST_F(CLColunasTeste, DefinirColunas) {
  preencher(lista->gridDados, {{"Nome Completo", "email", " ", "tel"}, {"Ana", "", "x", "1"}});
  const QList<DefinicaoColuna> defs = showColunas(lista->gridDados);
  ASSERT_EQ(defs.size(), 4);
  EXPECT_EQ(defs[0].exemplo, QStringLiteral("Ana"));
  EXPECT_EQ(defs[0].nome, QStringLiteral("Nome Completo"));
  EXPECT_EQ(defs[1].exemplo, QStringLiteral("Coluna 1"));
  EXPECT_EQ(defs[2].nome, QStringLiteral(" "));

  // Unchanged names stay as they are; "#" keeps the title; an emptied name
  // clears it; a typed name is normalised.
  setColunas(*lista, {"Nome Completo", "#", " ", ""});
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"Nome Completo", "email", " ", ""}));
  setColunas(*lista, {"Nome do Cliente", "#", "Cidade", "#"});
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"nome-do-cliente", "email", "cidade", ""}));
  EXPECT_EQ(lista->gridDados.cell(0, 1), QStringLiteral("Ana")) << "records untouched";
  // Spaces become dashes before the "#" test.
  setColunas(*lista, {"#", " # ", "#", "#"});
  EXPECT_EQ(lista->gridDados.cell(1, 0), QStringLiteral("-#-"));
}

TEST_F(CLColunasTeste, ExcluirELimparColuna) {
  preencher(lista->gridDados, {{"nome", "email", "tel"}, {"Ana", "a@x", "1"}, {"Bia", "b@x", "2"}});
  lista->gEditou = false;
  EXPECT_TRUE(limparColuna(*lista, 1));
  EXPECT_EQ(conteudo(lista->gridDados),
            (Linhas{{"nome", "email", "tel"}, {"Ana", "", "1"}, {"Bia", "", "2"}}));
  EXPECT_TRUE(lista->gEditou);

  lista->gEditou = false;
  EXPECT_TRUE(eliminarColuna(*lista, 0));
  EXPECT_EQ(conteudo(lista->gridDados), (Linhas{{"email", "tel"}, {"", "1"}, {"", "2"}}));
  EXPECT_TRUE(lista->gEditou);
  EXPECT_FALSE(eliminarColuna(*lista, 5));

  EXPECT_TRUE(eliminarColunaDados(*lista, 1));
  EXPECT_TRUE(eliminarColunaDados(*lista, 0)) << "the last remaining column";
  EXPECT_EQ(lista->gridDados.ColCount(), 1);
  EXPECT_EQ(conteudo(lista->gridDados), (Linhas{{""}, {""}, {""}}));
}

TEST_F(CLColunasTeste, MoverColunaNaoMarcaEdicao) {
  preencher(lista->gridDados, {{"a", "b", "c"}, {"1", "2", "3"}});
  lista->gEditou = false;
  moverColuna(*lista, 0, 2);
  EXPECT_EQ(conteudo(lista->gridDados), (Linhas{{"b", "c", "a"}, {"2", "3", "1"}}));
  EXPECT_FALSE(lista->gEditou);
}

TEST_F(CLColunasTeste, ComandosNaVisaoDoFiltroAlcancamOsDados) {
  preencher(lista->gridDados,
            {{"nome", "cidade", "tel"}, {"Ana Silva", "Recife", "1"}, {"Bruno", "Olinda", "2"},
             {"Cid Silva", "Natal", "3"}});
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("silva"), false), Desfecho::Concluido);
  CLGrade& v = lista->gridFiltro;

  EXPECT_TRUE(renomearColuna(*lista, 2, QStringLiteral("Cidade Natal")));
  EXPECT_EQ(lista->gridDados.cell(1, 0), QStringLiteral("cidade-natal"));
  EXPECT_EQ(v.cell(2, 0), QStringLiteral("cidade-natal"));
  EXPECT_FALSE(renomearColuna(*lista, 0, QStringLiteral("x"))) << "\"Linha\" is no data";

  EXPECT_TRUE(limparColuna(*lista, 3));
  EXPECT_EQ(lista->gridDados.celulasLinha(1), QStringList({"Ana Silva", "Recife", ""}));
  EXPECT_EQ(lista->gridDados.celulasLinha(2), QStringList({"Bruno", "Olinda", "2"}))
      << "records the view does not show keep their cells";

  EXPECT_FALSE(eliminarColuna(*lista, 0));
  EXPECT_TRUE(eliminarColuna(*lista, 2));
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"nome", "tel"}));
  EXPECT_EQ(v.celulasLinha(0), QStringList({"Linha", "nome", "tel"}));
  EXPECT_EQ(v.celulasLinha(2), QStringList({"3", "Cid Silva", ""}));

  // Writing a view row back still puts each cell in its own column.
  filtroEditarCelula(*lista, 1, 2, QStringLiteral("Cid S. Silva"));
  EXPECT_EQ(filtroSalvarDados(*lista), 1);
  EXPECT_EQ(lista->gridDados.celulasLinha(3), QStringList({"Cid S. Silva", " "}));

  lista->gridFiltro.setCol(1);
  EXPECT_EQ(inserirColuna(*lista, QStringLiteral("Obs")), 2);
  EXPECT_EQ(v.celulasLinha(0), QStringList({"Linha", "nome", "tel", "obs"}));
}

// --- Copying -------------------------------------------------------------------

TEST(CopiarColuna, SemLinhasEmBrancoNasPontas) {
  CLGrade g;
  preencher(g, {{"", "tel"}, {"", ""}, {"", "1"}, {"x", ""}, {"", "2"}, {"", ""}});
  EXPECT_EQ(copiarColuna(g, 1), QStringLiteral("tel\r\n\r\n1\r\n\r\n2"));
  EXPECT_EQ(copiarColuna(g, 0), QStringLiteral("x")) << "blank cells at the top and bottom vanish";
  EXPECT_EQ(copiarColuna(g, 2), QString());
}

TEST(CopiarTudo, TextoDaGradeComProgresso) {
  CLGrade g;
  preencher(g, {{"nome", "obs"}, {"Ana", "a;b"}, {"", ""}});
  EXPECT_EQ(copiarTudo(g).value(), QStringLiteral("nome;obs\r\nAna;\"a;b\"\r\n;\r\n"));

  g.setRowCount(26);
  ProgressoGravado progresso;
  ASSERT_TRUE(copiarTudo(g, &progresso).has_value());
  EXPECT_EQ(progresso.operacao, QStringLiteral("Copiando dados..."));
  EXPECT_EQ(progresso.passos, 3) << "every 10 rows";
  EXPECT_EQ(progresso.ultimaLegenda3, QStringLiteral("Copiados: 26"));
  EXPECT_TRUE(progresso.fechado);

  ProgressoGravado cancelado;
  cancelado.cancelarNoPasso = 1;
  EXPECT_FALSE(copiarTudo(g, &cancelado).has_value());
  EXPECT_TRUE(cancelado.fechado);
}

TEST(CopiarLinhas, TitulosEAsMarcadas) {
  CLGrade g;
  preencher(g, {{"nome"}, {"Ana"}, {"Bia"}, {"Cid"}});
  EXPECT_EQ(copiarLinhas(g, {3, 1, 3, 9, 0}), QStringLiteral("nome\r\nAna\r\nCid\r\n"));
}

TEST(TextosDasColunas, PerguntaDeExclusao) {
  EXPECT_EQ(colunas::perguntaExcluir(QStringLiteral("email")), QStringLiteral("Deseja excluir a coluna email?"));
}
