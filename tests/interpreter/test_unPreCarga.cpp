#include <gtest/gtest.h>

#include "unCLDesktopSimulado.h"
#include "unCLErro.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unPastaBaseTeste.h"
#include "unPreCarga.h"
#include "unUtil.h"

using namespace mivo;

namespace {

class PreCarga : public ::testing::Test {
 protected:
  teste::CLPastaBaseTeste base;
  teste::CLHostTeste host;
  CLDesktopSimulado desktop;
  CLScript script{host.usarDesktop(desktop)};

  void SetUp() override {
    script.setGrade(*host.lista().gGrid);
    ASSERT_TRUE(gravarArquivo(arquivo(QStringLiteral("dados/listas/l.txt")), "a;b\r\n1;2\r\n"));
    ASSERT_TRUE(gravarArquivo(arquivo(QStringLiteral("dados/textos/t.txt")), "linha 1\r\nlinha 2\r\n"));
  }

  QString f(const QString& instrucao) { return script.execFunction(instrucao); }
  CLGrade& g() { return script.grade(); }
  QStringList linha(int r) {
    QStringList l;
    for (int c = 0; c < g().ColCount(); ++c) l << g().cell(c, r);
    return l;
  }
  QString arquivo(const QString& relativo) { return base.filePath(relativo); }
};

}  // namespace

TEST_F(PreCarga, PreCarregarListaTextoEColunas) {
  f(QStringLiteral("&LaInserirColunas(\"velha\")."));
  EXPECT_EQ(preCarregarLista(script, QStringLiteral("l")), QStringLiteral("ok"));
  EXPECT_EQ(linha(0), (QStringList{"a", "b"}));  // the table was emptied first
  EXPECT_EQ(linha(1), (QStringList{"1", "2"}));
  EXPECT_EQ(host.prelistaFile(), arquivo(QStringLiteral("dados/listas/l.txt")));
  preCarregarTexto(script, QStringLiteral("t"));
  EXPECT_EQ(host.textoAuxiliarLinhas(), (QStringList{"linha 1", "linha 2"}));
  EXPECT_EQ(host.preTextoFile(), arquivo(QStringLiteral("dados/textos/t.txt")));
  preCarregarColunas(script, QStringLiteral("c,a"));
  EXPECT_EQ(linha(0), (QStringList{"a", "b", "c"}));

  host.lista().gEditou = true;
  host.respostas = {QStringLiteral("Não")};
  EXPECT_THROW(preCarregarLista(script, QStringLiteral("l")), CLAbortoSilencioso);
  EXPECT_EQ(linha(0), (QStringList{"a", "b", "c"}));
}

TEST_F(PreCarga, ListaEditadaSoETrocadaComSim) {
  const struct {
    const char* resposta;
    bool trocou;
  } casos[] = {{"Sim", true}, {"Não", false}, {"sim", false}};
  for (const auto& c : casos) {
    teste::CLHostTeste h;
    CLScript s(h.usarDesktop(desktop));
    s.setGrade(*h.lista().gGrid);
    s.execFunction(QStringLiteral("&LaInserirColunas(\"velha\")."));
    h.lista().gEditou = true;
    h.respostas = {QString::fromUtf8(c.resposta)};
    if (c.trocou)
      EXPECT_EQ(preCarregarLista(s, QStringLiteral("l")), QStringLiteral("ok")) << c.resposta;
    else
      EXPECT_THROW(preCarregarLista(s, QStringLiteral("l")), CLAbortoSilencioso) << c.resposta;
    EXPECT_EQ(h.dialogos, QStringList{QStringLiteral("Pergunta: Modificações efetuadas na tabela de dados serão "
                                                     "perdidas. Deseja continuar -> ") +
                                      QString::fromUtf8(c.resposta)})
        << c.resposta;
    EXPECT_EQ(s.grade().cell(0, 0), c.trocou ? QStringLiteral("a") : QStringLiteral("velha")) << c.resposta;
    EXPECT_EQ(h.prelistaFile().isEmpty(), !c.trocou) << c.resposta;
  }
}
