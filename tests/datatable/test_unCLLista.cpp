#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "unCLLista.h"
#include "unUtil.h"
#include "impressaoQt.h"

using namespace mivo;

namespace {

using Linhas = QList<QStringList>;

Linhas registros(const CLGrade& g) {
  Linhas r;
  for (int i = 1; i < g.RowCount(); ++i) r.append(g.celulasLinha(i));
  return r;
}

void preencher(CLGrade& g, const Linhas& linhas) {
  g.setRowCount(static_cast<int>(linhas.size()));
  g.setColCount(static_cast<int>(linhas.value(0).size()));
  for (int r = 0; r < linhas.size(); ++r)
    for (int c = 0; c < linhas[r].size(); ++c) g.setCell(c, r, linhas[r][c]);
}

struct ProgressoCancelador : CLProgresso {
  int cancelarNoPasso = 0;
  int passos = 0;
  bool fechado = false;
  void progressoPasso(const QString&) override { ++passos; }
  bool progressoCancelado() override { return passos >= cancelarNoPasso; }
  void progressoFechar() override { fechado = true; }
};

class CLListaTeste : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    lista = std::make_unique<CLLista>(pasta.filePath(QStringLiteral("recentfiles.txt")));
    lista->aoMostrarStatus = [this](const CLGrade&) { ++statusMostrados; };
  }
  QString criar(const QString& nome, const QByteArray& bytes) {
    const QString caminho = pasta.filePath(nome);
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return caminho;
  }
  QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir pasta;
  std::unique_ptr<CLLista> lista;
  int statusMostrados = 0;
};

}  // namespace

TEST_F(CLListaTeste, ColarEmTabelaVazia) {
  struct Caso {
    const char* nome;
    QString texto;
    Linhas esperado;
  };
  const QList<Caso> casos = {
      {"duas linhas", "nome;cidade\r\nAna;Recife", {{"nome", "cidade"}, {"Ana", "Recife"}}},
      {"primeira linha sem delimitador", "nomes\nAna;Recife\nBia,Rio",
       {{"nomes"}, {"Ana;Recife"}, {"Bia,Rio"}}},
      {"ponto e virgula antes da virgula", "a,1;b\nc;d,2", {{"a,1", "b"}, {"c", "d,2"}}},
      {"tabulacao", "a\tb\r\nc\td", {{"a", "b"}, {"c", "d"}}},
      {"virgula com aspas", "nome,cidade\n\"Silva, Ana\",Recife",
       {{"nome", "cidade"}, {"Silva, Ana", "Recife"}}},
      {"linha em branco no meio", "a;b\n\n c ; d ", {{"a", "b"}, {"", ""}, {"c", "d"}}},
      {"mais valores que colunas", "a;b\nc;d;e", {{"a", "b", ""}, {"c", "d", "e"}}},
      {"quebras CR", "a;b\rc;d\r", {{"a", "b"}, {"c", "d"}}},
      {"quebras mistas", "a;b\r\nc;d\ne;f\rg;h", {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}},
  };
  for (const Caso& caso : casos) {
    lista->gridZerar(true);
    lista->gArquivo = QStringLiteral("/x/lista.txt");
    lista->gEditou = false;
    EXPECT_TRUE(lista->colarCheck(caso.texto)) << caso.nome;
    EXPECT_EQ(registros(lista->gridDados), caso.esperado) << caso.nome;
    EXPECT_TRUE(lista->gridDados.linhaEmBranco(0)) << caso.nome << ": columns stay untitled";
    EXPECT_EQ(lista->gridDados.Row(), 1) << caso.nome;
    EXPECT_TRUE(lista->gEditou) << caso.nome;
    EXPECT_TRUE(lista->gArquivo.isEmpty()) << caso.nome;
  }
}

TEST_F(CLListaTeste, ColarSoEspacosNadaAcrescentaMasDesligaDoArquivo) {
  lista->gridZerar(true);
  lista->gArquivo = QStringLiteral("/x/lista.txt");
  lista->gEditou = false;
  const int antes = statusMostrados;
  EXPECT_TRUE(lista->colarCheck(QStringLiteral(" \r\n\t ")));
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 1);
  EXPECT_EQ(lista->gridDados.ColCount(), 1) << "blank columns are removed";
  EXPECT_TRUE(lista->gArquivo.isEmpty());
  EXPECT_FALSE(lista->gEditou);
  EXPECT_GT(statusMostrados, antes);
}

TEST_F(CLListaTeste, ColarAcrescentaAosRegistrosExistentes) {
  // A first record with a blank first cell is data: it must survive.
  preencher(lista->gridDados, {{"nome", "email"}, {"", "a@x"}});
  lista->colarCheck(QStringLiteral("Bia;b@x"));
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{"", "a@x"}, {"Bia", "b@x"}}));

  // The blank starter row of a table emptied with its titles goes.
  lista->gridZerar(false);
  lista->colarCheck(QStringLiteral("Cid;c@x"));
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"nome", "email"}));
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{"Cid", "c@x"}}));
}

TEST_F(CLListaTeste, ColarCanceladoMantemOQueJaEntrou) {
  QString texto;
  for (int i = 0; i < 100; ++i) texto += QStringLiteral("linha %1;x\r\n").arg(i);
  ProgressoCancelador p;
  p.cancelarNoPasso = 3;  // steps come at lines 0, 10, 20
  EXPECT_FALSE(lista->colarCheck(texto, &p));
  EXPECT_TRUE(p.fechado);
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 22) << "the blank starter row and lines 0..20";
  EXPECT_EQ(lista->gridDados.cell(0, 22), QStringLiteral("linha 20"));
}

TEST_F(CLListaTeste, ZerarEEliminarColunasVazias) {
  preencher(lista->gridDados, {{"a", "", "b", ""}, {"1", " ", "2", ""}, {"3", "", "", "\t"}});
  lista->eliminarColunasVazias();
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"a", "b"}));
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{"1", "2"}, {"3", ""}}));

  lista->gridZerar(false);
  EXPECT_EQ(lista->gridDados.RowCount(), 2);
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"a", "b"}));
  EXPECT_TRUE(lista->gridDados.linhaEmBranco(1));

  lista->gridDados.setCell(1, 0, QString());
  lista->gridZerar(false);
  EXPECT_EQ(lista->gridDados.cell(1, 0), QStringLiteral(" ")) << "an empty title comes back as a blank";

  preencher(lista->gridDados, {{"a", "b", "c"}, {"1", "2", "3"}});
  lista->gridZerar(true);
  EXPECT_EQ(lista->gridDados.ColCount(), 2);
  EXPECT_TRUE(lista->gridDados.linhaEmBranco(0));
  lista->eliminarColunasVazias();
  EXPECT_EQ(lista->gridDados.ColCount(), 1) << "one column always stays";
}

TEST_F(CLListaTeste, AbrirArquivoReconheceCodificacaoEQuebras) {
  struct Caso {
    const char* nome;
    QByteArray bytes;
  };
  const QString esperadoTexto = QStringLiteral("nome;cidade\r\nJoão;São Paulo\r\n");
  auto utf16 = [&](QStringConverter::Encoding e, const QByteArray& bom) {
    QStringEncoder enc(e);
    return bom + QByteArray(enc.encode(esperadoTexto));
  };
  const QList<Caso> casos = {
      {"UTF-8 com BOM", "\xEF\xBB\xBFnome;cidade\r\nJo\xC3\xA3o;S\xC3\xA3o Paulo\r\n"},
      {"UTF-8 sem BOM", "nome;cidade\nJo\xC3\xA3o;S\xC3\xA3o Paulo\n"},
      {"Windows-1252", "nome;cidade\rJo\xE3o;S\xE3o Paulo\r"},
      {"UTF-16 LE", utf16(QStringConverter::Utf16LE, "\xFF\xFE")},
      {"UTF-16 BE", utf16(QStringConverter::Utf16BE, "\xFE\xFF")},
  };
  for (const Caso& caso : casos) {
    const QString caminho = criar(QStringLiteral("lista.txt"), caso.bytes);
    lista->gEditou = false;
    EXPECT_EQ(lista->abrirArquivos({caminho}, true), Desfecho::Concluido) << caso.nome;
    EXPECT_EQ(registros(lista->gridDados), (Linhas{{"nome", "cidade"}, {"João", "São Paulo"}}))
        << caso.nome << ": the window's reader takes every line as a record";
    EXPECT_EQ(lista->gArquivo, caminho);
    EXPECT_EQ(lista->gLastFile, caminho);
  }
  ASSERT_EQ(lista->gRecentes.itens().size(), 1);
  EXPECT_TRUE(QFileInfo::exists(lista->gRecentes.arquivo())) << "the register is saved";
}

TEST_F(CLListaTeste, AbrirVariosArquivosNaoAssociaNenhum) {
  const QString a = criar(QStringLiteral("a.txt"), "Ana;a@x\r\n");
  const QString b = criar(QStringLiteral("b.csv"), "Bia,b@x\r\n");
  lista->gArquivo = QStringLiteral("/antigo.txt");
  EXPECT_EQ(lista->abrirArquivos({a, b}, true), Desfecho::Concluido);
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{"Ana", "a@x"}, {"Bia", "b@x"}}));
  EXPECT_TRUE(lista->gArquivo.isEmpty());
  EXPECT_EQ(lista->gRecentes.itens().size(), 2);

  QString erro;
  EXPECT_EQ(lista->abrirArquivos({a, pasta.filePath(QStringLiteral("falta.txt")), b}, false,
                                 nullptr, &erro),
            Desfecho::Falhou);
  EXPECT_FALSE(erro.isEmpty());
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 3) << "files before the error stay loaded";

  EXPECT_FALSE(lista->abrirViaFilename(pasta.filePath(QStringLiteral("falta.txt")), &erro));
  EXPECT_TRUE(lista->abrirViaFilename(b, &erro));
  EXPECT_EQ(lista->gArquivo, b);
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 4);
}

TEST_F(CLListaTeste, SalvarEAbrirDeNovo) {
  preencher(lista->gridDados, {{"nome", "cidade", "obs"}, {"João", "São Paulo", ""},
                               {"Zoë", "Ωmega", "a,b"}});
  const QString caminho = pasta.filePath(QStringLiteral("salva.txt"));
  EXPECT_FALSE(lista->estaSalvo());
  ASSERT_EQ(lista->salvarComo(caminho), Desfecho::Concluido);
  EXPECT_TRUE(lista->estaSalvo());
  EXPECT_EQ(lista->gArquivo, caminho);
  EXPECT_EQ(lista->gRecentes.itens().first().caminho, caminho);
  const QByteArray bytes = ler(caminho);
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFnome;cidade;obs\r\n"))
      << "characters outside Windows-1252 are kept by writing UTF-8";
  EXPECT_TRUE(bytes.endsWith("Zo\xC3\xAB;\xCE\xA9mega;a,b\r\n"));

  // The window's reader brings the titles back as record 1.
  CLLista outra(pasta.filePath(QStringLiteral("r2.txt")));
  ASSERT_EQ(outra.abrirArquivos({caminho}, true), Desfecho::Concluido);
  EXPECT_EQ(registros(outra.gridDados),
            (Linhas{{"nome", "cidade", "obs"}, {"João", "São Paulo", ""}, {"Zoë", "Ωmega", "a,b"}}));
  outra.linhaParaTitulos();
  EXPECT_EQ(outra.gridDados.celulasLinha(0), QStringList({"nome", "cidade", "obs"}));
  EXPECT_EQ(outra.gridDados.qtdRegistros(), 2);

  // The interpreter's loader takes them as titles.
  CLLista terceira(pasta.filePath(QStringLiteral("r3.txt")));
  QString texto;
  ASSERT_TRUE(lerArquivoTexto(caminho, texto));
  EXPECT_TRUE(carregarComTitulos(*terceira.gGrid, texto));
  EXPECT_EQ(terceira.gridDados.celulasLinha(0), QStringList({"nome", "cidade", "obs"}));
  EXPECT_EQ(registros(terceira.gridDados), (Linhas{{"João", "São Paulo", ""}, {"Zoë", "Ωmega", "a,b"}}));
}

TEST_F(CLListaTeste, SalvarCanceladoOuComFalhaNaoMudaOEstado) {
  preencher(lista->gridDados, {{"nome"}, {"Ana"}});
  lista->gEditou = true;
  const QString caminho = pasta.filePath(QStringLiteral("x.txt"));
  ProgressoCancelador p;
  p.cancelarNoPasso = 1;
  EXPECT_EQ(lista->salvarComo(caminho, &p), Desfecho::Cancelado);
  EXPECT_FALSE(QFileInfo::exists(caminho));
  QString erro;
  EXPECT_EQ(lista->salvarComo(pasta.filePath(QStringLiteral("nao/ha/x.txt")), nullptr, &erro),
            Desfecho::Falhou);
  EXPECT_FALSE(erro.isEmpty());
  EXPECT_EQ(lista->salvarComo(QStringLiteral("  "), nullptr, &erro), Desfecho::Falhou);
  EXPECT_TRUE(lista->gEditou);
  EXPECT_TRUE(lista->gArquivo.isEmpty());
  EXPECT_TRUE(lista->gRecentes.itens().isEmpty());
}

TEST_F(CLListaTeste, SalvarEscreveAGradeAtiva) {
  preencher(lista->gridDados, {{"nome"}, {"Ana"}, {"Bia"}});
  CLGrade filtro;
  preencher(filtro, {{"Linha", "nome"}, {"2", "Bia"}});
  lista->gGrid = &filtro;
  const QString caminho = pasta.filePath(QStringLiteral("f.txt"));
  ASSERT_EQ(lista->salvarComo(caminho), Desfecho::Concluido);
  EXPECT_EQ(ler(caminho), QByteArray("Linha;nome\r\n2;Bia\r\n"));
}

TEST_F(CLListaTeste, CarregadorDoInterpretador) {
  EXPECT_FALSE(carregarComTitulos(*lista->gGrid, QStringLiteral(" \r\n")));
  EXPECT_EQ(registros(lista->gridDados), Linhas{{""}});  // the one blank record a table always has
  // Values are data: kept exactly as read; a quoted field keeps its ";".
  EXPECT_TRUE(carregarComTitulos(*lista->gGrid, QStringLiteral("nome;email\r\nAna;{x}\r\n\"B; C\";[v]\r\n")));
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{"Ana", "{x}"}, {"B; C", "[v]"}}));
}

TEST_F(CLListaTeste, NovaListaPerguntaQuandoHaDados) {
  int perguntas = 0;
  bool resposta = false;
  auto confirmar = [&](const QString& pergunta) {
    ++perguntas;
    EXPECT_EQ(pergunta, CLLista::perguntaNovaLista());
    return resposta;
  };
  // Data only in a later column still counts.
  preencher(lista->gridDados, {{"nome", "email"}, {"", "a@x"}});
  lista->gArquivo = lista->gLastFile = QStringLiteral("/x.txt");
  EXPECT_FALSE(lista->novaLista(true, confirmar));
  EXPECT_EQ(perguntas, 1);
  EXPECT_EQ(lista->gridDados.cell(1, 1), QStringLiteral("a@x"));
  EXPECT_EQ(lista->gArquivo, QStringLiteral("/x.txt"));

  resposta = true;
  EXPECT_TRUE(lista->novaLista(false, confirmar));
  EXPECT_EQ(perguntas, 2);
  EXPECT_EQ(lista->gridDados.celulasLinha(0), QStringList({"nome", "email"}));
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 1);
  EXPECT_TRUE(lista->gArquivo.isEmpty());
  EXPECT_TRUE(lista->gLastFile.isEmpty());

  EXPECT_TRUE(lista->novaLista(true, nullptr)) << "nothing to lose: no question";
  EXPECT_EQ(perguntas, 2);
  EXPECT_EQ(lista->gridDados.ColCount(), 2);
  EXPECT_TRUE(lista->gridDados.linhaEmBranco(0));
}

TEST_F(CLListaTeste, DeletarSelecionados) {
  Linhas dez = {{"n"}};
  for (int i = 1; i <= 10; ++i) dez.append({QString::number(i)});
  preencher(lista->gridDados, dez);
  lista->gEditou = false;
  EXPECT_TRUE(lista->deletarSelecionados(2, 4));
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 7);
  EXPECT_EQ(lista->gridDados.Row(), 2);
  EXPECT_EQ(lista->gridDados.cell(0, 2), QStringLiteral("5"));
  EXPECT_TRUE(lista->gEditou);

  EXPECT_TRUE(lista->deletarSelecionados(QList<int>{7, 1, 7, 0, 99}));
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{"5"}, {"6"}, {"7"}, {"8"}, {"9"}}));
  EXPECT_EQ(lista->gridDados.Row(), 1);

  EXPECT_TRUE(lista->deletarSelecionados(0, 99)) << "the title row survives a selection on it";
  EXPECT_EQ(lista->gridDados.cell(0, 0), QStringLiteral("n"));
  EXPECT_EQ(registros(lista->gridDados), (Linhas{{""}})) << "one blank record stays";

  CLGrade filtro;
  lista->gGrid = &filtro;
  lista->gridDados.setCell(0, 1, QStringLiteral("x"));
  QString erro;
  EXPECT_FALSE(lista->deletarSelecionados(1, 1, &erro));
  EXPECT_EQ(erro, QStringLiteral("Não é possível excluir dados filtrados"));
  EXPECT_EQ(lista->gridDados.cell(0, 1), QStringLiteral("x"));
}

TEST_F(CLListaTeste, EstadoSalvoENovasLinhasEColunas) {
  EXPECT_FALSE(lista->estaSalvo());
  lista->gArquivo = QStringLiteral("  ");
  EXPECT_FALSE(lista->estaSalvo());
  lista->gArquivo = QStringLiteral("/x/lastrecipients.txt");
  EXPECT_TRUE(lista->estaSalvo());
  lista->novalinha(true);
  EXPECT_FALSE(lista->estaSalvo());
  EXPECT_EQ(lista->gridDados.Row(), 2);
  lista->novaColuna();
  EXPECT_EQ(lista->gridDados.ColCount(), 2);
  EXPECT_EQ(lista->gridDados.Col(), 1);
  lista->gEditou = false;
  lista->editarCelula(1, 2, QStringLiteral("novo"));
  EXPECT_EQ(lista->gridDados.cell(1, 2), QStringLiteral("novo"));
  EXPECT_TRUE(lista->gEditou);
  EXPECT_TRUE(lista->gArquivo.isEmpty()) << "the last-recipients list lets go of its file";

  lista->gridZerar(true);
  lista->gridDados.setCell(0, 1, QStringLiteral("nome"));
  lista->linhaParaTitulos();
  EXPECT_EQ(lista->gridDados.cell(0, 0), QStringLiteral("nome"));
  EXPECT_EQ(lista->gridDados.cell(1, 0), QStringLiteral(" ")) << "titles set by whole-row assignment";
  EXPECT_EQ(lista->gridDados.qtdRegistros(), 1);
  EXPECT_TRUE(lista->gridDados.linhaEmBranco(1));
}
