#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "unCLDesktopSimulado.h"
#include "unCenarioSimulado.h"

using namespace mivo;

namespace {

QString exemplo() { return QStringLiteral(MIVO_CENARIOS_DIR "/exemplo.json"); }

QByteArray lerBytes(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Reads `json`; returns the error message, or "" on success.
QString erroDe(const QByteArray& json) {
  CenarioSimulado c;
  QString erro;
  return lerCenarioSimuladoJson(json, c, &erro) ? QString() : erro;
}

}  // namespace

TEST(CenarioSimulado, ExemploMontaAAreaDeTrabalhoDescrita) {
  CenarioSimulado c;
  QString erro;
  ASSERT_TRUE(lerCenarioSimulado(exemplo(), c, &erro)) << erro.toStdString();
  CLDesktopSimulado sim(c);

  EXPECT_EQ(sim.telaTamanho(), (TamanhoTela{1366, 768}));
  EXPECT_EQ(sim.cursorPosicao(), (PontoTela{683, 384}));
  EXPECT_FALSE(sim.botoesTrocados());
  EXPECT_EQ(sim.janelaPrimeiroPlanoTitulo(), u"Sem título - Bloco de notas");
  const JanelaId notas = sim.janelaPrimeiroPlano();
  EXPECT_EQ(notas, JanelaId{1});
  EXPECT_EQ(sim.janelaRetangulo(notas), (RetanguloJanela{100, 80, 800, 600}));

  const JanelaId dialogo = sim.janelaPorTitulo(u"Salvar como");
  EXPECT_EQ(sim.janelaPai(dialogo), notas);
  EXPECT_FALSE(sim.janelaVisivel(dialogo));
  const JanelaId mensageiro = sim.janelaPorTitulo(u"Mensageiro");
  EXPECT_TRUE(sim.janelaMinimizada(mensageiro));
  EXPECT_EQ(sim.janelaExecutavel(mensageiro), u"mensageiro.exe");  // the folder is dropped
  EXPECT_EQ(sim.janelasEmOrdem(), (std::vector<JanelaId>{notas, dialogo, mensageiro}));

  EXPECT_EQ(sim.pixelCor({5, 740}), corRgb(32, 32, 32));
  EXPECT_EQ(sim.pixelCor({1210, 700}), corRgb(0, 175, 80));  // written as a number
  EXPECT_EQ(sim.pixelCor(sim.cursorPosicao()), corRgb(255, 255, 255));
  EXPECT_EQ(sim.areaTransferenciaTexto(), u"Olá, tudo bem?");
  EXPECT_EQ(sim.programasEmExecucao(),
            (std::vector<ProgramaEmExecucao>{
                {u"notepad.exe", 4120}, {u"mensageiro.exe", 5230}, {u"explorer.exe", 1880}}));
  EXPECT_EQ(sim.teclaEstado(tecla::kNumLock), kTeclaLigada);

  sim.shellAbrir(u"calc.exe");
  EXPECT_EQ(sim.janelaPrimeiroPlanoTitulo(), u"Calculadora");
  EXPECT_EQ(sim.janelaRetangulo(sim.janelaPrimeiroPlano()), (RetanguloJanela{500, 200, 320, 500}));
}

TEST(CenarioSimulado, ODocumentoDoFormatoTrazOMesmoExemplo) {
  const QString doc = QString::fromUtf8(lerBytes(QStringLiteral(MIVO_CENARIO_MD)));
  const auto bloco =
      QRegularExpression(QStringLiteral("```json\\n(.*)```"), QRegularExpression::DotMatchesEverythingOption)
          .match(doc);
  ASSERT_TRUE(bloco.hasMatch());
  EXPECT_EQ(bloco.captured(1).toStdString(), lerBytes(exemplo()).toStdString());
}

TEST(CenarioSimulado, CamposAusentesFicamComOPadrao) {
  CenarioSimulado c;
  ASSERT_TRUE(lerCenarioSimuladoJson("{}", c));
  CLDesktopSimulado sim(c);
  EXPECT_EQ(sim.telaTamanho(), (TamanhoTela{1920, 1080}));
  EXPECT_EQ(sim.cursorPosicao(), (PontoTela{0, 0}));
  EXPECT_TRUE(sim.janelasEmOrdem().empty());
  EXPECT_EQ(sim.pixelCor({1, 1}), corRgb(255, 255, 255));

  ASSERT_TRUE(lerCenarioSimuladoJson(R"({"janelas": [{"titulo": "X"}]})", c));
  ASSERT_EQ(c.janelas.size(), 1u);
  EXPECT_TRUE(c.janelas[0].visivel);
  EXPECT_FALSE(c.janelas[0].minimizada);
  EXPECT_EQ(c.janelas[0].retangulo, (RetanguloJanela{0, 0, 800, 600}));
  EXPECT_EQ(c.primeiroPlano, -1);  // nobody has the focus unless the scenario says so
}

TEST(CenarioSimulado, CoresEscritasDeCadaJeito) {
  for (const char* cor : {R"("rgb[1,2,3]")", R"("RGB[ 1 , 2 , 3 ]")", R"("1,2,3")", "197121"}) {
    CenarioSimulado c;
    QString erro;
    ASSERT_TRUE(lerCenarioSimuladoJson(QByteArray(R"({"corFundo": )") + cor + "}", c, &erro))
        << cor << " " << erro.toStdString();
    EXPECT_EQ(c.corFundo, corRgb(1, 2, 3)) << cor;
  }
}

TEST(CenarioSimulado, ErrosApontamOCampo) {
  const std::pair<const char*, const char*> casos[] = {
      {"[]", "o cenário deve ser um objeto JSON { ... }"},
      {R"({"visivel": true})", "campo desconhecido \"visivel\""},
      {R"({"tela": [10]})", "\"tela\" deve ter 2 números"},
      {R"({"tela": [0, 10]})", "\"tela[0]\" deve ser um número inteiro positivo"},
      {R"({"cursor": [1.5, 0]})", "\"cursor[0]\" deve ser um número inteiro não negativo"},
      {R"({"botoesTrocados": "sim"})", "\"botoesTrocados\" deve ser true ou false"},
      {R"({"janelas": {}})", "\"janelas\" deve ser uma lista [ ... ]"},
      {R"({"janelas": ["Bloco"]})", "\"janelas[0]\" deve ser um objeto { ... }"},
      {R"({"janelas": [{}, {"titlo": "x"}]})", "campo desconhecido \"janelas[1].titlo\""},
      {R"({"janelas": [{"titulo": 5}]})", "\"janelas[0].titulo\" deve ser um texto entre aspas"},
      {R"({"janelas": [{"pid": -1}]})", "\"janelas[0].pid\" deve ser um número inteiro não negativo"},
      {R"({"janelas": [{"retangulo": [0, 0, 10]}]})",
       "\"janelas[0].retangulo\" deve ter 4 números: x, y, largura e altura"},
      {R"({"janelas": [{"primeiroPlano": true}, {"primeiroPlano": true}]})",
       "\"janelas[1].primeiroPlano\": só uma janela pode estar em primeiro plano"},
      {R"({"janelas": [{"id": 3}, {"id": 3}]})", "\"janelas[1].id\": o id 3 já pertence a outra janela"},
      {R"({"janelas": [{"pai": 7}]})", "\"janelas[0].pai\": nenhuma janela tem o id 7"},
      {R"({"janelas": [{"id": 2, "pai": 2}]})",
       "\"janelas[0].pai\": uma janela não pode ser pai de si mesma"},
      {R"({"janelas": [{"executavel": "a.exe", "pid": 5}], "programas": [{"arquivo": "b.exe", "pid": 5}]})",
       "\"programas[0].pid\": o processo 5 já pertence a \"a.exe\""},
      {R"({"programas": [{"pid": 5}]})", "falta o campo \"programas[0].arquivo\""},
      {R"({"cores": [{"retangulo": [0, 0, 1, 1]}]})", "falta o campo \"cores[0].cor\""},
      {R"({"cores": [{"retangulo": [0, 0, 1, 1], "cor": "rgb[256,0,0]"}]})",
       "\"cores[0].cor\" deve ser uma cor \"rgb[r,g,b]\" (de 0 a 255) ou um número de 0 a 16777215"},
      {R"({"corFundo": 16777216})",
       "\"corFundo\" deve ser uma cor \"rgb[r,g,b]\" (de 0 a 255) ou um número de 0 a 16777215"},
      {R"({"teclasLigadas": [300]})", "\"teclasLigadas[0]\" deve ser um número inteiro de 1 a 255"},
      {R"({"aberturas": [{"comando": "x", "janela": {"pai": 9}}]})",
       "\"aberturas[0].janela.pai\": nenhuma janela tem o id 9"},
      {R"({"aberturas": [{"comando": "x"}]})", "falta o campo \"aberturas[0].janela\""},
      {R"({"aberturas": [{"comando": "x", "janela": {"primeiroPlano": true}}]})",
       "campo desconhecido \"aberturas[0].janela.primeiroPlano\""},
      {"{\n  \"tela\": [1, 2]\n  \"cursor\": [0, 0]\n}",
       "JSON inválido na linha 3, coluna 4: falta \",\" ou \"}\""},
      {"{\"tela\": [1 2]}", "JSON inválido na linha 1, coluna 14: falta \",\" entre os valores"},
      {"{\"areaTransferencia\": \"sem fim",
       "JSON inválido na linha 1, coluna 31: texto sem aspas de fechamento"},
  };
  for (const auto& [json, mensagem] : casos) {
    EXPECT_EQ(erroDe(json).toStdString(), std::string("Cenário inválido: ") + mensagem) << json;
  }
}

TEST(CenarioSimulado, ArquivoQueNaoPodeSerLidoNaoMudaOCenario) {
  QTemporaryDir pasta;
  const QString invalido = pasta.filePath(QStringLiteral("invalido.json"));
  QFile f(invalido);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(R"({"tela": "grande"})");
  f.close();
  const std::pair<QString, QString> casos[] = {
      {pasta.filePath(QStringLiteral("nao-existe.json")), QStringLiteral("arquivo não encontrado")},
      {pasta.path(), QStringLiteral("não é um arquivo")},
      {invalido, QStringLiteral("\"tela\" deve ser uma lista [ ... ]")},
  };
  for (const auto& [caminho, motivo] : casos) {
    CenarioSimulado c;
    c.tela = {10, 20};
    QString erro;
    EXPECT_FALSE(lerCenarioSimulado(caminho, c, &erro));
    EXPECT_EQ(erro.toStdString(), ("Cenário \"" + caminho + "\": " + motivo).toStdString());
    EXPECT_EQ(c.tela, (TamanhoTela{10, 20}));
  }
}
