#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "unCLFiltro.h"
#include "unCLLista.h"
#include "unUtil.h"
#include "impressaoQt.h"
#include "unGradeTeste.h"

using namespace mivo;

namespace {

using teste::conteudo;
using teste::Linhas;
using teste::preencher;

struct ProgressoCancelador : CLProgresso {
  int passos = 0;
  bool fechado = false;
  void progressoPasso(const QString&) override { ++passos; }
  bool progressoCancelado() override { return passos >= 2; }
  void progressoFechar() override { fechado = true; }
};

class CLFiltroTeste : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    lista = std::make_unique<CLLista>(pasta.filePath(QStringLiteral("recentfiles.txt")));
    lista->aoMostrarStatus = [this](const CLGrade& g) { statusDe = &g; };
  }
  QTemporaryDir pasta;
  std::unique_ptr<CLLista> lista;
  const CLGrade* statusDe = nullptr;
};

}  // namespace

TEST_F(CLFiltroTeste, MontarAVisao) {
  struct Caso {
    const char* nome;
    Linhas dados;
    QString valor;
    bool exato;
    Linhas visao;
  };
  const QList<Caso> casos = {
      {"silva acha so Ana Silva",
       {{"nome"}, {"Bruno"}, {"Ana Silva"}},
       "silva", false,
       {{"Linha", "nome"}, {"2", "Ana Silva"}}},
      {"sem distinguir maiusculas, qualquer coluna, em ordem",
       {{"nome", "cidade"}, {"Ana", "RECIFE"}, {"Bia", "Olinda"}, {"Recife Cid", ""}},
       "Recife", false,
       {{"Linha", "nome", "cidade"}, {"1", "Ana", "RECIFE"}, {"3", "Recife Cid", " "}}},
      {"acentos minusculos",
       {{"nome"}, {"ÁLVARO"}, {"alvaro"}},
       "álvaro", false,
       {{"Linha", "nome"}, {"1", "ÁLVARO"}}},
      {"termo exato: so a celula nao vazia",
       {{"a", "b", "c"}, {" ", "ANA", ""}, {"ana", "x", ""}, {"Ana Maria", "", ""}},
       "ana", true,
       {{"Linha", "a", "b", "c"}, {"1", " ", "ANA", " "}}},
      {"termo exato com espacos em volta do valor",
       {{"a"}, {"ana"}},
       "  ana ", true,
       {{"Linha", "a"}, {"1", "ana"}}},
      {"caixa vazia: visao vazia",
       {{"a"}, {"ana"}, {""}},
       "", false,
       {{"Linha", "a"}, {"", ""}}},
      {"caixa vazia com termo exato: os registros em branco",
       {{"a", "b"}, {"ana", ""}, {"", " "}, {"x", "y"}, {"", ""}},
       "", true,
       {{"Linha", "a", "b"}, {"2", " ", " "}, {"4", " ", " "}}},
      {"nada encontrado: uma linha vazia",
       {{"nome"}, {"Ana"}},
       "zzz", false,
       {{"Linha", "nome"}, {"", ""}}},
      {"titulos vazios viram espaco",
       {{"", "x"}, {"ana", "1"}},
       "ana", false,
       {{"Linha", " ", "x"}, {"1", "ana", "1"}}},
  };
  for (const Caso& caso : casos) {
    preencher(lista->gridDados, caso.dados);
    lista->gGrid = &lista->gridDados;
    EXPECT_EQ(filtrarGrid(*lista, caso.valor, caso.exato), Desfecho::Concluido) << caso.nome;
    EXPECT_EQ(conteudo(lista->gridFiltro), caso.visao) << caso.nome;
    EXPECT_TRUE(lista->filtroVisivel()) << caso.nome;
    EXPECT_EQ(statusDe, &lista->gridFiltro) << caso.nome;
    EXPECT_EQ(conteudo(lista->gridDados), caso.dados) << caso.nome << ": the data stay as they were";
  }
}

TEST_F(CLFiltroTeste, EditarNaVisaoEGravarDeVolta) {
  preencher(lista->gridDados, {{"nome", "cidade"}, {"Ana Silva", "Recife"}, {"Bruno", ""},
                               {"Cid Silva", "Natal"}});
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("silva"), false), Desfecho::Concluido);
  EXPECT_FALSE(filtroPendente(*lista));
  lista->gEditou = false;

  filtroEditarCelula(*lista, 2, 2, QStringLiteral("Olinda"));
  EXPECT_TRUE(filtroPendente(*lista));
  EXPECT_EQ(lista->gFiltroEditedLine, 2);
  EXPECT_EQ(lista->gridDados.cell(1, 3), QStringLiteral("Natal")) << "not yet written back";

  // Another cell selected: the row goes back at once.
  EXPECT_EQ(filtroSalvarDados(*lista), 1);
  EXPECT_EQ(lista->gridDados.celulasLinha(3), QStringList({"Cid Silva", "Olinda"}));
  EXPECT_TRUE(lista->gEditou);
  EXPECT_FALSE(filtroPendente(*lista)) << "\"Desfazer filtro\" has nothing to ask";
  EXPECT_EQ(lista->gFiltroEditedLine, 0);

  // Several rows pending ("Aplicar alterações").
  filtroEditarCelula(*lista, 2, 1, QStringLiteral(""));
  filtroEditarCelula(*lista, 1, 2, QStringLiteral("Cid S."));
  filtroIniciarEdicao(*lista, 1);
  EXPECT_EQ(filtroSalvarDados(*lista), 2);
  EXPECT_EQ(conteudo(lista->gridDados),
            (Linhas{{"nome", "cidade"}, {"Ana Silva", " "}, {"Bruno", ""}, {"Cid S.", "Olinda"}}));
  EXPECT_EQ(filtroSalvarDados(*lista), 0);
}

TEST_F(CLFiltroTeste, FiltrarDeNovoGravaAsEdicoesPendentes) {
  preencher(lista->gridDados, {{"nome"}, {"Ana"}, {"Bia"}});
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("ana"), false), Desfecho::Concluido);
  filtroEditarCelula(*lista, 1, 1, QStringLiteral("Ana Lima"));
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("bia"), false), Desfecho::Concluido);
  EXPECT_EQ(lista->gridDados.cell(0, 1), QStringLiteral("Ana Lima"));
  EXPECT_FALSE(filtroPendente(*lista));
  EXPECT_EQ(conteudo(lista->gridFiltro), (Linhas{{"Linha", "nome"}, {"2", "Bia"}}));
}

TEST_F(CLFiltroTeste, LinhaQueNaoNomeiaUmRegistroNadaGrava) {
  const Linhas dados = {{"nome"}, {"Ana"}, {"Ana Maria"}};
  for (const QString linha : {"abc", "", "0", "-1", "3", "1.5"}) {
    preencher(lista->gridDados, dados);
    ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("ana"), false), Desfecho::Concluido);
    filtroEditarCelula(*lista, 1, 1, QStringLiteral("Outro"));
    lista->gridFiltro.setCell(0, 1, linha);
    lista->gEditou = false;
    EXPECT_EQ(filtroSalvarDados(*lista), 0) << linha.toStdString();
    EXPECT_EQ(conteudo(lista->gridDados), dados) << linha.toStdString();
    EXPECT_FALSE(lista->gEditou) << linha.toStdString();
  }
  EXPECT_FALSE(filtroSalvarLinha(*lista, 7)) << "no such view row";
}

TEST_F(CLFiltroTeste, DesfazerFiltro) {
  preencher(lista->gridDados, {{"nome"}, {"Ana"}, {"Bia"}});
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("a"), false), Desfecho::Concluido);
  filtroEditarCelula(*lista, 1, 1, QStringLiteral("Ana Maria"));
  desfazerFiltro(*lista, false);  // Esc, or "Não"
  EXPECT_FALSE(lista->filtroVisivel());
  EXPECT_EQ(lista->gGrid, &lista->gridDados);
  EXPECT_EQ(statusDe, &lista->gridDados);
  EXPECT_EQ(lista->gridDados.cell(0, 1), QStringLiteral("Ana"));
  EXPECT_FALSE(filtroPendente(*lista));

  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("a"), false), Desfecho::Concluido);
  filtroEditarCelula(*lista, 1, 2, QStringLiteral("Bia Lima"));
  desfazerFiltro(*lista, true);  // "Sim"
  EXPECT_EQ(lista->gridDados.cell(0, 2), QStringLiteral("Bia Lima"));
  EXPECT_EQ(lista->gridFiltro.RowCount(), 2) << "the hidden view keeps no copy";
}

TEST_F(CLFiltroTeste, VisaoAtivaParaSalvarEExcluir) {
  preencher(lista->gridDados, {{"nome"}, {"Ana"}, {"Bia"}});
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("bia"), false), Desfecho::Concluido);
  QString erro;
  EXPECT_FALSE(lista->deletarSelecionados(1, 1, &erro));
  EXPECT_EQ(erro, QStringLiteral("Não é possível excluir dados filtrados"));
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 2);

  const QString arquivo = pasta.filePath(QStringLiteral("visao.txt"));
  ASSERT_EQ(lista->salvarComo(arquivo), Desfecho::Concluido);
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("Linha;nome\r\n2;Bia\r\n")) << "the view, \"Linha\" included";
}

TEST_F(CLFiltroTeste, CanceladoNaoMostraAVisao) {
  lista->gridDados.setRowCount(30001);
  for (int r = 1; r <= 30000; ++r) lista->gridDados.setCell(0, r, QStringLiteral("x"));
  ProgressoCancelador progresso;
  EXPECT_EQ(filtrarGrid(*lista, QStringLiteral("x"), false, &progresso), Desfecho::Cancelado);
  EXPECT_TRUE(progresso.fechado);
  EXPECT_FALSE(lista->filtroVisivel());

  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("x"), false), Desfecho::Concluido);
  EXPECT_EQ(lista->gridFiltro.qtdRegistros(), 30000);
}

// A big table is searched by two threads: the matches still come in data
// order, each once.
TEST_F(CLFiltroTeste, TabelaGrandeNaOrdemDosDados) {
  const int n = 50001;
  CLGrade& d = lista->gridDados;
  d.setColCount(2);
  d.setRowCount(n + 1);
  QList<int> esperado;
  for (int r = 1; r <= n; ++r) {
    const bool casa = r % 7 == 0 || r == n / 2 + 1 || r == n;
    d.setLinhaInteira(r, {QStringLiteral("Contato %1").arg(r), casa ? QStringLiteral("São JOSÉ") : QStringLiteral("Recife")});
    if (casa) esperado.append(r);
  }
  ASSERT_EQ(filtrarGrid(*lista, QStringLiteral("são josé"), false), Desfecho::Concluido);
  const CLGrade& v = lista->gridFiltro;
  QList<int> linhas;
  for (int r = 1; r < v.RowCount(); ++r) linhas.append(v.cell(0, r).toInt());
  EXPECT_EQ(linhas, esperado);
}

TEST(DestaqueFiltro, SoAPrimeiraOcorrencia) {
  struct Caso {
    QString celula, filtro;
    std::optional<Destaque> esperado;
  };
  const QList<Caso> casos = {
      {"Maria Maria", "maria", Destaque{0, 5}},
      {"Ana Maria", "MARIA", Destaque{4, 5}},
      {"José da Conceição", "CONCEIÇÃO", Destaque{8, 9}},
      {"Linha", "lin", Destaque{0, 3}},
      {"Ana", "", std::nullopt},
      {"Ana", "bia", std::nullopt},
      {"", "a", std::nullopt},
  };
  for (const Caso& caso : casos)
    EXPECT_EQ(destaqueFiltro(caso.celula, caso.filtro), caso.esperado) << caso.celula.toStdString();
}

TEST(IrParaLinha, SoNumeroDeUmRegistro) {
  CLGrade g;
  g.setRowCount(6);  // records 1 to 5
  const QList<std::pair<QString, std::optional<int>>> casos = {
      {"1", 1},   {"5", 5},         {" 3 ", 3},           {"0", std::nullopt},
      {"-2", std::nullopt}, {"6", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt},
      {"2.5", std::nullopt}, {"99999999999", std::nullopt},
  };
  for (const auto& [resposta, esperado] : casos) EXPECT_EQ(irParaLinha(g, resposta), esperado) << resposta.toStdString();
}

TEST_F(CLFiltroTeste, Marcas) {
  preencher(lista->gridDados, {{"a", "b", "c"}, {"1", "2", "3"}, {"4", "5", "6"}});
  EXPECT_EQ(marcarTudo(lista->gridDados), (Selecao{0, 1, 2, 2}));
  lista->gMarcados = 2;
  cancelarMarcados(*lista);
  EXPECT_EQ(lista->gMarcados, 0);
  EXPECT_EQ(conteudo(lista->gridDados), (Linhas{{"a", "b", "c"}, {"1", "2", "3"}, {"4", "5", "6"}}));
  lista->gMarcados = 1;
  EXPECT_EQ(desmarcarTudo(*lista), (Selecao{0, 0, 0, 0}));
  EXPECT_EQ(lista->gMarcados, 0);
}

TEST(ListarDados, LinhasPorCrLf) {
  CLGrade g;
  preencher(g, {{"nome", "obs"}, {"Ana", ""}, {"Bia", "x;y"}});
  EXPECT_EQ(listarDados(g), QStringLiteral("nome;obs\r\nAna;\r\nBia;x;y"));
}

TEST(DetalheCelula, BarraNViraQuebra) {
  EXPECT_EQ(textoDetalheCelula(QStringLiteral("um\\ndois\\Ntrês\\x")), QStringLiteral("um\ndois\ntrês\\x"));
}
