#include <gtest/gtest.h>

#include <QDir>

#include "impressaoQt.h"
#include "unUtil.h"
#include "unVerificador.h"

using namespace mivo;

namespace {

QStringList achados(const QString& texto, const CLContextoVerificacao& contexto = {}) {
  QStringList r;
  for (const CLAchado& a : verificarScript(dividirLinhas(texto), contexto))
    r << (a.aviso ? QStringLiteral("aviso ") : QString()) + textoDoAchado(a);
  return r;
}

// The scripts of the project that are meant to fail, and how.
const QMap<QString, QStringList>& scriptsComFalhas() {
  static const QMap<QString, QStringList> m = {
      {QStringLiteral("basico.mivo"), {QStringLiteral("linha 12: função desconhecida: &FuncaoQueNaoExiste")}},
      {QStringLiteral("bloco_sem_fim.mivo"),
       {QStringLiteral("linha 1: o bloco não termina com &BlocoFim()"),
        QStringLiteral("linha 2: função desconhecida: &FuncaoQualquer")}},
      {QStringLiteral("blocos.mivo"),
       {QStringLiteral("linha 2: função desconhecida: &MsgDepois"),
        QStringLiteral("linha 12: função desconhecida: &NaoDeveRodar")}},
      {QStringLiteral("debug.mivo"),
       {QStringLiteral("linha 1: função desconhecida: &Primeira"), QStringLiteral("linha 2: função desconhecida: &Segunda"),
        QStringLiteral("linha 3: função desconhecida: &Terceira")}},
      {QStringLiteral("janelas_mensagens.mivo"),
       {QStringLiteral("linha 4: &JanelaAtivarExe espera 1 argumento, recebeu 0")}},
      {QStringLiteral("laco.mivo"), {QStringLiteral("linha 7: função desconhecida: &NaoDeveRodar")}},
      {QStringLiteral("nao_terminado.mivo"), {QStringLiteral("linha 2: a instrução não termina com \").\"")}},
  };
  return m;
}

}  // namespace

// Every script of exemplos/ and tests/scripts reads clean, except the few
// written to fail, which get exactly their findings.
TEST(Verificador, ScriptsDoProjeto) {
  int lidos = 0;
  for (const char* pasta : {MIVO_SCRIPTS_DIR, MIVO_EXEMPLOS_DIR}) {
    const QDir dir(QString::fromUtf8(pasta));
    for (const QString& nome : dir.entryList({QStringLiteral("*.mivo")}, QDir::Files)) {
      QString texto;
      ASSERT_TRUE(lerArquivoTexto(dir.filePath(nome), texto)) << nome.toStdString();
      EXPECT_EQ(achados(texto), scriptsComFalhas().value(nome)) << nome.toStdString();
      ++lidos;
    }
  }
  EXPECT_GT(lidos, 10);
}

// Each kind of mistake, found once, at its line.
TEST(Verificador, ScriptsComErros) {
  struct Caso {
    const char* script;
    QStringList esperado;
  } casos[] = {
      {"&TeclarEnte().", {"linha 1: função desconhecida: &TeclarEnte (você quis dizer &TeclarEnter?)"}},
      {"&msgexibe(\"a\").", {"linha 1: função desconhecida: &msgexibe (você quis dizer &MsgExibir?)"}},
      {"&Xyzzy().", {"linha 1: função desconhecida: &Xyzzy"}},
      {"&MouseClicarAcao(10).", {"linha 1: &MouseClicarAcao espera 2 argumentos, recebeu 1"}},
      {"&Se(a=b).", {"linha 1: &Se espera de 2 a 3 argumentos, recebeu 1"}},
      {"&MsgExibir().", {"linha 1: &MsgExibir espera 1 argumento, recebeu 0"}},
      {"&Marcador().", {"linha 1: &Marcador precisa de um nome"}},
      // A missing ")." swallows the next statement.
      {"&MsgExibir(\"a\"\n&TeclarEnter().\n&TeclarEsc().",
       {"linha 1: a instrução não termina com \").\" antes da próxima instrução (linha 2)"}},
      {"&TeclarEnter().\n&MsgExibir(\"a\"", {"linha 2: a instrução não termina com \").\""}},
      {"&VaiPara(fim).\n&Marcador(inicio).", {"linha 1: &VaiPara para um marcador que não existe: fim"}},
      {"&Se(1=1;&VaiPara(volta)).", {"linha 1: &VaiPara para um marcador que não existe: volta"}},
      {"&SeResultado(OK;&VaiPara(\"saida\")).", {"linha 1: &VaiPara para um marcador que não existe: saida"}},
      {"&BlocoExec(enviar).", {"linha 1: &BlocoExec de um bloco que não existe: enviar"}},
      {"&TeclarEnter().\n&Bloco[b]().\n&TeclarEsc().", {"linha 2: o bloco não termina com &BlocoFim()"}},
      {"&MsgExibir(\"Olá).", {"linha 1: aspas sem par"}},
      {"&MsgExibir(Olá [nome).", {"linha 1: colchetes [ ] sem par"}},
      {"&TextoColar(Olá {nome).", {"linha 1: chaves { } sem par"}},
      {"&MsgExibir(&Valr(x).).", {"linha 1: função desconhecida: &Valr (você quis dizer &Valor?)"}},
      {"##info\nnome=x\n&TeclarEnter().", {"linha 1: a seção ##info não termina com ##info_fim"}},
      {"##config\nx=1\n##config_fim\nOlá\n&TeclarEnter().",
       {"linha 4: a linha não é uma instrução (deveria começar com &) nem um comentário (//)"}},
      // No block comment: the line that opens one is named, and the
      // statement after it still runs.
      {"/* desligado\n&TeclarEnte().\n*/",
       {"linha 1: não é comentário: use // em cada linha",
        "linha 2: função desconhecida: &TeclarEnte (você quis dizer &TeclarEnter?)",
        "linha 3: a linha não é uma instrução (deveria começar com &) nem um comentário (//)"}},
      {"&TeclarEnter().\n   /*&TeclarEsc(). */ // antigo", {"linha 2: não é comentário: use // em cada linha"}},
      {"&TeclarEnter.", {"linha 1: a instrução não termina com \").\""}},
      {"&TeclarEnter).", {"linha 1: a instrução não tem \"(\": &TeclarEnter)."}},
      // Two mistakes on one line are two findings; the same one twice is one.
      {"&MouseNormal(1).\n&Foo().&Foo().", {"linha 1: &MouseNormal espera 2 argumentos, recebeu 1",
                                             "linha 2: função desconhecida: &Foo"}},
  };
  for (const auto& c : casos) EXPECT_EQ(achados(QString::fromUtf8(c.script)), c.esperado) << c.script;
}

// What must not be reported: valid forms a checker could take for mistakes.
TEST(Verificador, FormasValidasNaoSaoAchados) {
  const char* validos[] = {
      "&Se([i]<3;\n&VaiPara(volta)).\n&Marcador(volta).",  // a nested call on its own line
      "&MsgExibir(\"Tom & Jerry\").",                      // "&" in a text
      "&MsgExibir(Tom & Jerry).",
      "&TextoColar(~nome}).",                                 // "~" writes "{"
      "&VaiPara([destino]).",                                  // known only at run time
      "&BlocoExec(\"b\").\n&Bloco[b]().\n&BlocoFim().",
      "//&Foo(\n&TeclarEnter(). // &Bar(",
      "&TextoDigitar(\"&Naoexiste(\").",                     // typed, not run
      "&TeclarControlMais(\").",                              // raw: the quote is the key
      "&MsgExibir(Escolha 1) ou 2).",
      "&Marcador(\"fim\").\n&VaiPara(FIM).",
      "// /* um comentário de verdade\n&MsgExibir(\"/* texto */\").",
  };
  for (const char* v : validos) EXPECT_EQ(achados(QString::fromUtf8(v)), QStringList()) << v;
}

// With the list's columns known, a placeholder naming none is a warning;
// columns the script inserts itself count.
TEST(Verificador, ColunasDaLista) {
  CLContextoVerificacao contexto;
  const QString script = QStringLiteral(
      "&TextoColar(\"Olá {nome}, {Email }\").\n&LaInserirColunas(\"status,obs\").\n"
      "&LaValorMudar(status;{cidade}).\n&TextoDigitar({fone}).\n&MsgExibir({cidade} {obs}).");
  EXPECT_EQ(achados(script, contexto), QStringList()) << "columns unknown: nothing to say";
  contexto.colunas = QStringList{QStringLiteral("nome"), QStringLiteral("email")};
  EXPECT_EQ(achados(script, contexto),
            (QStringList{QStringLiteral("aviso linha 3: a coluna {cidade} não existe na lista"),
                         QStringLiteral("aviso linha 5: a coluna {cidade} não existe na lista")}));
}
