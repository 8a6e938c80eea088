#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "unArquivoLista.h"
#include "unCLGrade.h"
#include "unCLLista.h"
#include "unCLProgresso.h"
#include "unGradeTeste.h"
#include "unTabelaAleatoria.h"
#include "unUtil.h"
#include "impressaoQt.h"

using namespace mivo;

namespace {

QByteArray lerBytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers "cancel" from the given step on and records what it was shown.
struct ProgressoFalso : CLProgresso {
  int cancelarNoPasso = -1;
  int passos = 0;
  int maximo = -1;
  bool fechado = false;
  QStringList legendas;
  void progressoAbrir(const QString& op, int max, const QString& l1, const QString&,
                      const QString&) override {
    maximo = max;
    legendas << op << l1;
  }
  void progressoPasso(const QString& l2) override {
    ++passos;
    legendas << l2;
  }
  void progressoLegenda3(const QString& l3) override { legendas << l3; }
  bool progressoCancelado() override { return cancelarNoPasso >= 0 && passos >= cancelarNoPasso; }
  void progressoFechar() override { fechado = true; }
};

}  // namespace

TEST(ArquivoLista, DelimitadorEscolhidoPelaPrimeiraLinha) {
  struct Caso {
    QString linha;
    QChar esperado;
  };
  const QList<Caso> casos = {
      {"nome;email,x\ty", u';'},
      {"nome\temail,x", u'\t'},
      {"nome,email", u','},
      {"nome email", QChar()},
      {"", QChar()},
  };
  for (const Caso& c : casos) EXPECT_EQ(escolherDelimitador(c.linha), c.esperado) << c.linha.toStdString();
}

TEST(ArquivoLista, DivisaoDeCampos) {
  struct Caso {
    QString linha;
    QChar delimitador;
    QStringList esperado;
  };
  const QList<Caso> casos = {
      {"Ana; Recife ;", u';', {"Ana", "Recife", ""}},          // trailing delimiter: empty field
      {";;", u';', {"", "", ""}},
      {"   \t ", u';', {}},                                    // blank line: no fields
      {"\"Silva, Ana\",Recife", u',', {"Silva, Ana", "Recife"}},  // comma inside quotes
      {" \"a;b\" ; \"c\"", u';', {"a;b", "c"}},
      {"\"diz \"\"oi\"\"\";x", u';', {"diz \"oi\"", "x"}},      // doubled quote inside quotes
      {"Monitor 24\";100", u';', {"Monitor 24\"", "100"}},     // a stray quote is text
      {"\"aberto;sem fim", u';', {"\"aberto", "sem fim"}},     // unclosed quote is text
      {"\"Ana\" Silva;x", u';', {"\"Ana\" Silva", "x"}},
      {"a\t\tb", u'\t', {"a", "", "b"}},
      {"um;dois", QChar(), {"um;dois"}},
      {"\"entre aspas\"", QChar(), {"entre aspas"}},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(dividirCampos(c.linha, c.delimitador), c.esperado) << c.linha.toStdString();
}

TEST(ArquivoLista, GradeParaTextoTituloPrimeiroPontoEVirgulaECrLf) {
  CLGrade g;
  g.setColCount(2);
  g.setRowCount(3);
  g.setCell(0, 0, QStringLiteral("nome"));
  g.setCell(1, 0, QStringLiteral("email"));
  g.setCell(0, 1, QStringLiteral("Ana"));
  g.setCell(1, 2, QStringLiteral("b@x"));
  EXPECT_EQ(gradeParaTexto(g).value(), QStringLiteral("nome;email\r\nAna;\r\n;b@x\r\n"));

  ProgressoFalso p;
  EXPECT_TRUE(gradeParaTexto(g, &p).has_value());
  EXPECT_EQ(p.maximo, 2);
  EXPECT_EQ(p.passos, 3);
  EXPECT_TRUE(p.fechado);
  EXPECT_EQ(p.legendas.first(), QStringLiteral("Preparando dados..."));
  EXPECT_EQ(p.legendas.last(), QStringLiteral("Copiados: 3"));
}

TEST(ArquivoLista, GradeParaTextoCanceladoNaoDevolveTexto) {
  CLGrade g;
  g.setRowCount(300);
  ProgressoFalso p;
  p.cancelarNoPasso = 2;
  EXPECT_FALSE(gradeParaTexto(g, &p, 100).has_value());
  EXPECT_TRUE(p.fechado);
  EXPECT_EQ(p.maximo, 2);  // (300 - 1) / 100
}

TEST(ArquivoLista, GravacaoEscolheACodificacaoSemPerderCaracteres) {
  QTemporaryDir pasta;
  ASSERT_TRUE(pasta.isValid());
  struct Caso {
    QString texto;
    QByteArray bytes;
  };
  const QList<Caso> casos = {
      {QStringLiteral("João;€\r\n"), QByteArray("Jo\xE3o;\x80\r\n")},  // fits Windows-1252
      {QStringLiteral("Zoë;Ωmega\r\n"), QByteArray("\xEF\xBB\xBFZo\xC3\xAB;\xCE\xA9mega\r\n")},
  };
  for (const Caso& c : casos) {
    const QString caminho = pasta.filePath(QStringLiteral("lista.txt"));
    ASSERT_TRUE(gravarLista(caminho, c.texto));
    EXPECT_EQ(lerBytes(caminho), c.bytes);
    QString lido;
    ASSERT_TRUE(lerArquivoTexto(caminho, lido));
    EXPECT_EQ(lido, c.texto);
  }
  QString erro;
  EXPECT_FALSE(gravarLista(pasta.filePath(QStringLiteral("nao/existe/lista.txt")), "x", &erro));
  EXPECT_FALSE(erro.isEmpty());
}

TEST(ArquivoLista, CarregarComTitulosUsaAPrimeiraLinhaComoTitulos) {
  CLGrade g;
  const QString texto = QStringLiteral(
      "nome;email,status\r\n"
      "Ana;a@x;ok\r\n"
      "\r\n"
      "Bia;{nome};pendente;extra\r\n");
  EXPECT_TRUE(carregarComTitulos(g, texto));
  EXPECT_EQ(g.celulasLinha(0), QStringList({"nome", "email", "status", ""}));
  EXPECT_EQ(g.qtdRegistros(), 2) << "a blank line adds no record";
  EXPECT_EQ(g.celulasLinha(1), QStringList({"Ana", "a@x", "ok", ""}));
  // Values are data: a reference in a cell is kept as written.
  EXPECT_EQ(g.celulasLinha(2), QStringList({"Bia", "{nome}", "pendente", "extra"}));

  // Loading again appends after the records already there.
  EXPECT_TRUE(carregarComTitulos(g, QStringLiteral("email;nome\nCid")));
  EXPECT_EQ(g.ColCount(), 4);
  EXPECT_EQ(g.qtdRegistros(), 3);
  EXPECT_EQ(g.cell(0, 3), QStringLiteral("Cid"));

  EXPECT_FALSE(carregarComTitulos(g, QStringLiteral(" \r\n\t")));
  EXPECT_EQ(g.qtdRegistros(), 3);
}

// Cells that would not read back the same are written in double quotes, the
// others exactly as they are; what is written loads back intact.
TEST(ArquivoLista, CelulasComPontoEVirgulaOuAspasVoltamIntactas) {
  struct Caso {
    const char* celula;
    const char* escrita;
  } casos[] = {
      {"Ana", "Ana"},
      {"Lúcia & Filhos (Ltda.)", "Lúcia & Filhos (Ltda.)"},
      {"Zé d'Ávila; 50% off €", "\"Zé d'Ávila; 50% off €\""},
      {"\"VIP\"", "\"\"\"VIP\"\"\""},
      {"Zé \"Zezinho\" Silva", "Zé \"Zezinho\" Silva"},
      {"a;\"b\";c", "\"a;\"\"b\"\";c\""},
  };
  QTemporaryDir pasta;
  for (const auto& c : casos) {
    const QString celula = QString::fromUtf8(c.celula);
    EXPECT_EQ(campoParaArquivo(celula), QString::fromUtf8(c.escrita)) << c.celula;
    CLGrade g;
    g.setColCount(2);
    g.setCell(0, 0, QStringLiteral("nome"));
    g.setCell(1, 0, QStringLiteral("cidade"));
    g.setCell(0, 1, celula);
    g.setCell(1, 1, QStringLiteral("Porto"));
    const QString caminho = pasta.filePath(QStringLiteral("l.txt"));
    ASSERT_EQ(salvarGrade(g, caminho), Desfecho::Concluido);
    QString texto;
    ASSERT_TRUE(lerArquivoTexto(caminho, texto));
    EXPECT_EQ(texto, QStringLiteral("nome;cidade\r\n") + QString::fromUtf8(c.escrita) + QStringLiteral(";Porto\r\n"));
    CLGrade lida;
    ASSERT_TRUE(carregarComTitulos(lida, texto));
    EXPECT_EQ(lida.celulasLinha(1), (QStringList{celula, QStringLiteral("Porto")})) << c.celula;
  }
}

TEST(ArquivoLista, SalvarGradeGravaOMesmoQueOTextoEmQualquerCodificacao) {
  QTemporaryDir pasta;
  for (const QString& celula : {QStringLiteral("Olá €"), QStringLiteral("emoji 😀")}) {
    CLGrade g;
    g.setColCount(2);
    g.setCell(0, 0, QStringLiteral("nome"));
    g.setCell(1, 1, celula);
    const QString caminho = pasta.filePath(QStringLiteral("g.txt"));
    ASSERT_EQ(salvarGrade(g, caminho), Desfecho::Concluido);
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), codificarTexto(gradeParaTexto(g).value()));
  }
}

TEST(ArquivoLista, SalvarGradeLeDeVoltaAsMesmasCelulas) {
  // Whatever the cells hold, the file reads back the same, and holds what
  // gravarLista would write for the same text.
  const struct {
    const char* primeira;  // the first cell of the file
    const char* outra;     // a record cell
  } casos[] = {
      {"nome", "JoÃ£o"},        // Windows-1252 bytes that are valid UTF-8
      {"nome", "JoÃ£o e José"},  // ...and that are not
      {"ï»¿nome", "a"},          // a start like a byte-order mark
      {"ï»¿;nome", "a"},         // written in quotes: no longer at the start
      {"ÿþ", "b"},
      {"nome", "Olá €"},
      {"nome", "😀"},
  };
  QTemporaryDir pasta;
  for (const auto& c : casos) {
    CLGrade g;
    g.setColCount(2);
    g.setCell(0, 0, QString::fromUtf8(c.primeira));
    g.setCell(1, 0, QStringLiteral("cidade"));
    g.setCell(1, 1, QString::fromUtf8(c.outra));
    const QString caminho = pasta.filePath(QStringLiteral("g.txt"));
    ASSERT_EQ(salvarGrade(g, caminho), Desfecho::Concluido);
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes, codificarTexto(gradeParaTexto(g).value())) << c.primeira << " " << c.outra;
    EXPECT_EQ(decodificarTexto(bytes), gradeParaTexto(g).value()) << c.primeira << " " << c.outra;
  }
}

TEST(ArquivoLista, SalvarGradeCanceladaOuSemPastaDeixaOArquivoComoEstava) {
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("antiga.txt"));
  ASSERT_TRUE(gravarArquivo(caminho, "antes\r\n"));
  CLGrade g;
  g.setRowCount(5000);
  ProgressoFalso p;
  p.cancelarNoPasso = 2;
  EXPECT_EQ(salvarGrade(g, caminho, &p, 100), Desfecho::Cancelado);
  EXPECT_TRUE(p.fechado);
  QString texto;
  ASSERT_TRUE(lerArquivoTexto(caminho, texto));
  EXPECT_EQ(texto, QStringLiteral("antes\r\n"));
  QString erro;
  EXPECT_EQ(salvarGrade(g, pasta.filePath(QStringLiteral("nao/existe.txt")), nullptr, 1, &erro), Desfecho::Falhou);
  EXPECT_FALSE(erro.isEmpty());
}

// What a reader would not give back as it was goes in double quotes: line
// breaks, blanks at either end, a title's "," (titles split there), and in
// a single-column table "," and tabs (the delimiter may be either) and the
// empty cell (a blank line is no record).
TEST(ArquivoLista, CelulasQuePrecisamDeAspas) {
  const struct {
    const char* celula;
    bool titulo, colunaUnica;
    const char* escrita;
  } casos[] = {
      {"Ana", false, false, "Ana"},
      {"Rua A\r\nApto 3", false, false, "\"Rua A\r\nApto 3\""},
      {"so\rCR", false, false, "\"so\rCR\""},
      {" Ana", false, false, "\" Ana\""},
      {"Ana ", false, false, "\"Ana \""},
      {"\tAna", false, false, "\"\tAna\""},
      {"a,b", false, false, "a,b"},
      {"a,b", true, false, "\"a,b\""},
      {"a,b", false, true, "\"a,b\""},
      {"a\tb", false, false, "a\tb"},
      {"a\tb", true, false, "a\tb"},
      {"a\tb", false, true, "\"a\tb\""},
      {"", false, false, ""},
      {"", true, false, ""},
      {"", false, true, "\"\""},
      {"Zé \"Zezinho\"", false, false, "Zé \"Zezinho\""},
      {"\"VIP\" \r\n", true, true, "\"\"\"VIP\"\" \r\n\""},
  };
  for (const auto& c : casos) {
    const QString celula = QString::fromUtf8(c.celula);
    const PosicaoCampo posicao{c.titulo, c.colunaUnica};
    EXPECT_EQ(campoParaArquivo(celula, posicao), QString::fromUtf8(c.escrita)) << c.celula;
    EXPECT_EQ(precisaDeAspas(celula, posicao), QString::fromUtf8(c.escrita) != celula) << c.celula;
  }
}

// Random tables saved as the data-table window and the interpreter save
// them come back as they were by every way of reading: the interpreter's
// loader (from the text, and from the file in pieces of any size) gives the
// table itself; the window's reader gives every row as a record (the title
// row is record 1 until the user makes it the titles). The window's save
// and open go through the disk with fsync, so they run on every fourth
// table only.
TEST(ArquivoLista, TabelaSalvaVoltaIgualPorTodoCaminho) {
  QTemporaryDir pasta;
  const QString arquivo = pasta.filePath(QStringLiteral("lista.txt"));
  const QString recentes = pasta.filePath(QStringLiteral("recentes.txt"));
  int emWindows1252 = 0, emUtf8 = 0;
  for (const std::uint32_t semente : teste::sementes(400)) {
    SCOPED_TRACE(::testing::Message() << "seed " << semente << " (rerun with MIVO_SEMENTE=" << semente << ")");
    teste::CLTabelaAleatoria gerador(semente);
    const teste::Linhas tabela = gerador.tabela();
    CLLista lista(recentes);
    teste::preencher(lista.gridDados, tabela);
    const QByteArray bytes = codificarTexto(gradeParaTexto(lista.gridDados).value());
    ++(bytes.startsWith("\xEF\xBB\xBF") ? emUtf8 : emWindows1252);
    if (semente % 4 == 0) {
      ASSERT_EQ(lista.salvarComo(arquivo), Desfecho::Concluido);
      ASSERT_EQ(lerBytes(arquivo), bytes);  // the save-as window writes the same
    } else {
      QFile f(arquivo);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      ASSERT_EQ(f.write(bytes), bytes.size());
    }

    CLGrade doTexto;
    ASSERT_TRUE(carregarComTitulos(doTexto, decodificarTexto(bytes)));
    EXPECT_EQ(teste::conteudo(doTexto), tabela);
    for (const qsizetype pedaco : {qsizetype(1 + semente % 61), qsizetype(1) << 20}) {
      CLGrade doArquivo;
      ASSERT_EQ(carregarArquivoComTitulos(doArquivo, arquivo, nullptr, pedaco), std::optional<bool>(true));
      EXPECT_EQ(teste::conteudo(doArquivo), tabela) << "pieces of " << pedaco;
    }

    CLLista janela(recentes);
    if (semente % 4 == 0) {
      ASSERT_EQ(janela.abrirArquivos({arquivo}, true), Desfecho::Concluido);
    } else {
      janela.gridZerar(true);
      janela.colarCheck(aparar(decodificarTexto(bytes)));  // what opening does, without the recents
    }
    teste::Linhas registros = teste::conteudo(janela.gridDados);
    registros.removeFirst();
    EXPECT_EQ(registros, tabela);
    if (::testing::Test::HasFailure()) break;
  }
  // Both encodings the writer chooses were tried.
  if (qEnvironmentVariableIsEmpty("MIVO_SEMENTE")) {
    EXPECT_GT(emWindows1252, 20);
    EXPECT_GT(emUtf8, 20);
  }
}
