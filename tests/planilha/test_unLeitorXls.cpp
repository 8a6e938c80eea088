#include "unLeitorXls.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

#include "unCLNegOffice.h"
#include "unPlanilhaTeste.h"
#include "unXlsTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

QList<QStringList> conteudo(const CLGrade& g) {
  QList<QStringList> r;
  for (int l = 0; l < g.RowCount(); ++l) r << g.celulasLinha(l);
  return r;
}

class LeitorXls : public ::testing::Test {
 protected:
  QTemporaryDir pasta;
  QStringList mensagens;
  ResultadoImportacao importar(const Xls& x, CLGrade& g, LimitesPlanilha limites = {}) {
    const QString caminho = pasta.filePath(QStringLiteral("p.xls"));
    EXPECT_TRUE(x.gravar(caminho));
    CLAmbienteImportacao amb;
    amb.informar = [this](const QString& m) { mensagens << m; };
    return CLNegOffice(limites).importar(caminho, amb, g);
  }
};

// An RK number holding the upper 32 bits of a double.
quint32 rkDouble(double v) {
  quint64 bits;
  std::memcpy(&bits, &v, sizeof bits);
  return quint32(bits >> 32);
}

TEST_F(LeitorXls, CadaRegistroComoAparecenaPlanilha) {
  // Column A names the case, column B (and C) hold the records under test,
  // made for the case's row.
  // Number formats: cell format (XF) i uses the format named in this list.
  Xls x;
  x.globais << formatoXls(164, QStringLiteral("00000\\-000")) << formatoXls(165, QStringLiteral("dd/mm/yyyy hh:mm"))
            << formatoXls(166, QStringLiteral("\"R$ \"#,##0.00;\\-\"R$ \"#,##0.00"))
            << formatoXls(167, QStringLiteral("[$-416]d \"de\" mmmm \"de\" yyyy"))
            << formatoXls(168, QStringLiteral("\"VERDADEIRO\";\"VERDADEIRO\";\"FALSO\""));
  for (int id : {0, 9, 164, 14, 165, 166, 10, 167, 168, 2}) x.globais << xfXls(id);
  enum { Geral, Porcento, Cep, Data, DataHora, Moeda, Porcento2, Extenso, Logico, DuasCasas };
  // Shared strings: a plain one; one cut by a CONTINUE record, its second
  // half in 16-bit characters; one with formatting runs and phonetic data.
  QByteArray sst = le32(4) + le32(4) + textoBiff8(QStringLiteral("Olá, mundo")) + le16(9) + QByteArray(1, '\0') +
                   QByteArray("a\xe7\xe3o ", 5);
  QByteArray continuacao = QByteArray(1, '\1');
  for (QChar c : QStringLiteral("€uro")) continuacao += le16(c.unicode());
  continuacao += le16(4) + QByteArray(1, '\x0c') + le16(1) + le32(6) + QByteArray("rico") + QByteArray(4, '\0') +
                 QByteArray("FONETI") + textoBiff8(QStringLiteral("depois"));
  x.globais << registroXls(0x00FC, sst) << registroXls(0x003C, continuacao);

  const QByteArray textoOla = registroXls(0x0207, textoBiff8(QStringLiteral("Olá mundo")));
  auto linha = [](int l, const QList<std::function<QByteArray(int)>>& f) {
    QList<QByteArray> r;
    for (const auto& g : f) r << g(l);
    return r;
  };
  using F = std::function<QByteArray(int)>;
  const QList<std::pair<const char*, std::pair<QList<F>, QStringList>>> casos = {
      {"numero geral", {{[](int l) { return numeroXls(l, 1, 1234.5); }}, {"1234,5"}}},
      {"numero sem ruido", {{[](int l) { return numeroXls(l, 1, 0.1 + 0.2); }}, {"0,3"}}},
      {"porcentagem", {{[&](int l) { return numeroXls(l, 1, 0.25, Porcento); }}, {"25%"}}},
      {"porcentagem com casas", {{[&](int l) { return numeroXls(l, 1, 0.2567, Porcento2); }}, {"25,67%"}}},
      {"CEP com zeros", {{[&](int l) { return numeroXls(l, 1, 1310100, Cep); }}, {"01310-100"}}},
      {"data embutida", {{[&](int l) { return numeroXls(l, 1, 45366, Data); }}, {"15/03/2024"}}},
      {"data e hora", {{[&](int l) { return numeroXls(l, 1, 45366.5625, DataHora); }}, {"15/03/2024 13:30"}}},
      {"moeda negativa", {{[&](int l) { return numeroXls(l, 1, -10.5, Moeda); }}, {"-R$ 10,50"}}},
      {"data por extenso", {{[&](int l) { return numeroXls(l, 1, 45356, Extenso); }}, {"5 de março de 2024"}}},
      {"RK inteiro", {{[](int l) { return rkXls(l, 1, (42u << 2) | 2); }}, {"42"}}},
      {"RK inteiro negativo", {{[](int l) { return rkXls(l, 1, quint32(-7 * 4) | 2); }}, {"-7"}}},
      {"RK inteiro sobre 100", {{[](int l) { return rkXls(l, 1, (1234u << 2) | 3); }}, {"12,34"}}},
      {"RK real", {{[](int l) { return rkXls(l, 1, rkDouble(0.5)); }}, {"0,5"}}},
      {"RK real sobre 100 com formato", {{[&](int l) { return rkXls(l, 1, rkDouble(1234) | 1, DuasCasas); }}, {"12,34"}}},
      {"MULRK em duas colunas",
       {{[&](int l) {
          return registroXls(0x00BD, le16(l) + le16(1) + le16(Geral) + le32((1u << 2) | 2) + le16(Porcento) +
                                         le32((2u << 2) | 2) + le16(2));
        }},
        {"1", "200%"}}},
      {"texto compartilhado", {{[](int l) { return textoSstXls(l, 1, 0); }}, {"Olá, mundo"}}},
      {"texto partido entre registros", {{[](int l) { return textoSstXls(l, 1, 1); }}, {"ação €uro"}}},
      {"texto rico com fonetica", {{[](int l) { return textoSstXls(l, 1, 2); }}, {"rico"}}},
      {"texto depois deles", {{[](int l) { return textoSstXls(l, 1, 3); }}, {"depois"}}},
      {"texto fora da tabela", {{[](int l) { return textoSstXls(l, 1, 99); }}, {""}}},
      {"rotulo de 8 bits", {{[](int l) { return rotuloXls(l, 1, QStringLiteral("ação;\"x\"")); }}, {"ação;\"x\""}}},
      {"rotulo de 16 bits", {{[](int l) { return rotuloXls(l, 1, QStringLiteral("São Paulo – 😀")); }}, {"São Paulo – 😀"}}},
      {"rotulo que comeca com =", {{[](int l) { return rotuloXls(l, 1, QStringLiteral("=SOMA(1;2)")); }}, {"=SOMA(1;2)"}}},
      {"booleano verdadeiro", {{[](int l) { return boolErroXls(l, 1, 1, false); }}, {"VERDADEIRO"}}},
      {"booleano falso", {{[](int l) { return boolErroXls(l, 1, 0, false); }}, {"FALSO"}}},
      {"erro", {{[](int l) { return boolErroXls(l, 1, 0x07, true); }}, {"#DIV/0!"}}},
      {"formula numerica", {{[](int l) { return formulaXls(l, 1, leDouble(84)); }}, {"84"}}},
      {"formula com formato logico", {{[&](int l) { return formulaXls(l, 1, leDouble(1), Logico); }}, {"VERDADEIRO"}}},
      {"formula com data", {{[&](int l) { return formulaXls(l, 1, leDouble(45366), Data); }}, {"15/03/2024"}}},
      {"formula de texto", {{[](int l) { return formulaXls(l, 1, resultadoEspecial(0)); }, [&](int) { return textoOla; }},
                            {"Olá mundo"}}},
      {"formula de texto depois de formula compartilhada",
       {{[](int l) { return formulaXls(l, 1, resultadoEspecial(0)); },
         [](int) { return registroXls(0x04BC, QByteArray(10, '\0')); }, [&](int) { return textoOla; }},
        {"Olá mundo"}}},
      {"formula de texto sem o texto", {{[](int l) { return formulaXls(l, 1, resultadoEspecial(0)); }}, {""}}},
      {"formula de texto vazio", {{[](int l) { return formulaXls(l, 1, resultadoEspecial(3)); }}, {""}}},
      {"formula logica", {{[](int l) { return formulaXls(l, 1, resultadoEspecial(1, 1)); }}, {"VERDADEIRO"}}},
      {"formula com erro", {{[](int l) { return formulaXls(l, 1, resultadoEspecial(2, 0x2A)); }}, {"#N/A"}}},
      {"celula em branco", {{[](int l) { return celulaXls(0x0201, l, 1, 0, {}); }}, {""}}},
  };
  QList<QByteArray> folha{rotuloXls(0, 0, QStringLiteral("caso")), rotuloXls(0, 1, QStringLiteral("valor")),
                          rotuloXls(0, 2, QStringLiteral("extra"))};
  for (qsizetype i = 0; i < casos.size(); ++i) {
    const int l = int(i) + 1;
    folha << rotuloXls(l, 0, QString::fromUtf8(casos[i].first)) << linha(l, casos[i].second.first);
  }
  x.folhas << folha;
  CLGrade g;
  const ResultadoImportacao r = importar(x, g);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  ASSERT_EQ(g.RowCount(), casos.size() + 1);
  for (qsizetype i = 0; i < casos.size(); ++i) {
    QStringList esperado = casos[i].second.second;
    while (esperado.size() < 2) esperado << QString();
    EXPECT_EQ(g.celulasLinha(int(i) + 1).mid(1), esperado) << casos[i].first;
  }
}

TEST_F(LeitorXls, Datas1904EExcel95) {
  Xls x;
  x.globais << registroXls(0x0022, le16(1)) << xfXls(0) << xfXls(14);
  x.folhas << QList<QByteArray>{rotuloXls(0, 0, QStringLiteral("data")), numeroXls(1, 0, 0, 1)};
  CLGrade g;
  ASSERT_EQ(importar(x, g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"data"}, {"01/01/1904"}}));

  // Excel 5 and 95: "Book", texts in the code page (Windows-1252).
  Xls antigo;
  antigo.biff5 = true;
  antigo.globais << registroXls(0x0042, le16(1252)) << registroXls(0x041E, le16(164) + QByteArray(1, 5) + "0.00%")
                 << xfXls(0) << xfXls(164);
  antigo.folhas << QList<QByteArray>{rotuloBiff5(0, 0, "nome"), rotuloBiff5(0, 1, "valor"),
                                     rotuloBiff5(1, 0, "A\xe7\xe3o \x80"), numeroXls(1, 1, 0.5, 1)};
  ASSERT_EQ(importar(antigo, g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome", "valor"}, {"Ação €", "50,00%"}}));
}

TEST_F(LeitorXls, CelulasMescladasMostramOValorDoCantoSuperiorEsquerdo) {
  // B1:C1 merged title; B2:C3 a block; A3:A4 and A5:A6 merged down, rows 4
  // and 6 with no record of their own (the sheet still goes on through them).
  Xls x;
  x.globais << xfXls(0);
  const QList<std::array<const char*, 4>> linhas = {{"nome", "contato", nullptr, "fim"},
                                                    {"Ana", "bloco", nullptr, "1"},
                                                    {"Bia", nullptr, nullptr, "2"},
                                                    {},
                                                    {"Carla", "p", "q", "4"},
                                                    {},
                                                    {"Davi", "r", "s", "6"}};
  QList<QByteArray> folha;
  for (qsizetype l = 0; l < linhas.size(); ++l)
    for (int c = 0; c < 4; ++c)
      if (linhas[l][c]) folha << rotuloXls(int(l), c, QString::fromUtf8(linhas[l][c]));
  folha << mesclagemXls({{0, 0, 1, 2}, {1, 2, 1, 2}}) << mesclagemXls({{2, 3, 0, 0}, {4, 5, 0, 0}, {40000, 40001, 0, 1}});
  x.folhas << folha;
  CLGrade g;
  ASSERT_EQ(importar(x, g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome", "contato", "contato", "fim"},
                                             {"Ana", "bloco", "bloco", "1"},
                                             {"Bia", "bloco", "bloco", "2"},
                                             {"Bia", "", "", ""},
                                             {"Carla", "p", "q", "4"},
                                             {"Carla", "", "", ""},
                                             {"Davi", "r", "s", "6"}}));
}

TEST_F(LeitorXls, RegistrosForaDeOrdemEGraficoEmbutido) {
  // Cells come in any order of rows; the records of a chart embedded in the
  // sheet (its own BOF..EOF) are not the sheet's.
  Xls x;
  x.globais << xfXls(0);
  x.folhas << QList<QByteArray>{rotuloXls(2, 1, QStringLiteral("b3")), rotuloXls(0, 1, QStringLiteral("b")),
                                rotuloXls(2, 0, QStringLiteral("a3")),
                                registroXls(0x0809, le16(0x0600) + le16(0x0020) + QByteArray(12, '\0')),
                                numeroXls(1, 0, 99), registroXls(0x000A, {}),
                                rotuloXls(1, 1, QStringLiteral("b2")), rotuloXls(0, 0, QStringLiteral("a")),
                                rotuloXls(1, 0, QStringLiteral("a2"))};
  CLGrade g;
  ASSERT_EQ(importar(x, g).desfecho, Desfecho::Concluido);
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"a", "b"}, {"a2", "b2"}, {"a3", "b3"}}));
}

TEST_F(LeitorXls, FolhasQueDeclaramMilhoesDeCelulasCustamOQueTem) {
  // Sixteen sheets, each claiming 65536 x 256 cells (a 10 KB file): only
  // the first is read, and only its real cells cost anything.
  Xls x;
  x.globais << xfXls(0);
  for (int i = 0; i < 16; ++i)
    x.folhas << QList<QByteArray>{dimensoesXls(65536, 256), rotuloXls(0, 0, QStringLiteral("nome")),
                                  rotuloXls(1, 0, QStringLiteral("folha %1").arg(i + 1)),
                                  rotuloXls(65535, 255, QStringLiteral("canto"))};
  CLGrade g;
  ResultadoImportacao r;
  const Custo custo = medirCusto([&] { r = importar(x, g); });
  std::printf("[ custo    ] 16 folhas de 65536 x 256 declaradas: %.3f s, pico %.1f MiB\n", custo.segundos,
              custo.picoMiB);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
  EXPECT_EQ(conteudo(g), (QList<QStringList>{{"nome"}, {"folha 1"}}));
  EXPECT_EQ(mensagens, QStringList{CLNegOffice::mensagemVariasPlanilhas()});
  EXPECT_LT(custo.segundos, 10.0);
  EXPECT_LT(custo.picoMiB, 100);
}

TEST_F(LeitorXls, LimitesDeLinhasEColunas) {
  // 300 columns in a MULRK title row (BIFF8 has 256, a crafted file more)
  // and rows past the cap: cut at the importer's limits.
  Xls x;
  x.globais << xfXls(0);
  QByteArray titulos = le16(0) + le16(0);
  for (int c = 0; c < 300; ++c) titulos += le16(0) + le32((quint32(c + 1) << 2) | 2);
  titulos += le16(299);
  QList<QByteArray> folha{registroXls(0x00BD, titulos)};
  for (int l = 1; l < 60; ++l) folha << numeroXls(l, 0, l + 1);
  x.folhas << folha;
  LimitesPlanilha limites;
  limites.maxColunas = 200;
  limites.maxLinhas = 50;
  CLGrade g;
  const ResultadoImportacao r = importar(x, g, limites);
  ASSERT_EQ(r.desfecho, Desfecho::Concluido);
  EXPECT_EQ(g.ColCount(), 200);
  EXPECT_EQ(g.cell(199, 0), QStringLiteral("200"));
  EXPECT_EQ(g.RowCount(), 50);
  EXPECT_EQ(g.cell(0, 49), QStringLiteral("50"));
}

TEST_F(LeitorXls, ArquivosEstragadosAoAcasoDaoErroOuTabelaNuncaQueda) {
  // Bytes of a real workbook changed at random (the same each run): every
  // import ends, quickly, with a table or a reason.
  QFile f(qEnvironmentVariable("MIVO_TESTES_DIR") + QStringLiteral("/planilha/dados/casos.xls"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray original = f.readAll();
  QRandomGenerator aleatorio(20240315);
  const QString caminho = pasta.filePath(QStringLiteral("estragado.xls"));
  int concluidos = 0;
  for (int i = 0; i < 400; ++i) {
    QByteArray x = original;
    const int trocas = 1 + int(aleatorio.bounded(8));
    for (int k = 0; k < trocas; ++k) {
      const qsizetype pos = aleatorio.bounded(int(x.size()));
      // Now and then a byte of a record's length or type, otherwise any.
      x[pos] = char(aleatorio.bounded(2) ? aleatorio.bounded(256) : (aleatorio.bounded(2) ? 0xFF : 0x00));
    }
    if (i % 50 == 49) x.truncate(aleatorio.bounded(int(x.size())));
    QFile destino(caminho);
    ASSERT_TRUE(destino.open(QIODevice::WriteOnly));
    destino.write(x);
    destino.close();
    CLGrade g;
    ResultadoImportacao r;
    const Custo custo = medirCusto([&] { r = CLNegOffice().importar(caminho, {}, g); });
    EXPECT_LT(custo.segundos, 5.0) << i;
    if (r.desfecho == Desfecho::Concluido) ++concluidos;
    else EXPECT_FALSE(r.mensagem.isEmpty()) << i;
  }
  std::printf("[ custo    ] 400 arquivos estragados: %d importados, os outros recusados\n", concluidos);
}

}  // namespace
