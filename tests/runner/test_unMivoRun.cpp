#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "impressaoQt.h"
#include "unArquivoLista.h"
#include "unCLDesktop.h"
#include "unGradeTeste.h"
#include "unMivoRun.h"
#include "unPastaBaseTeste.h"
#include "unTabelaAleatoria.h"
#include "unUtil.h"

using namespace mivo;

namespace {

struct Execucao {
  int codigo = -1;
  QStringList saida;
  QStringList erros;
};

Execucao executar(const QStringList& args) {
  Execucao e;
  CLTerminal t;
  t.escrever = [&](const QString& l) { e.saida << l; };
  t.escreverErro = [&](const QString& l) { e.erros << l; };
  // No real desktop here: a script that needs one must say so and stop.
  auto semDesktop = [](QString& erro) -> std::unique_ptr<CLDesktop> {
    erro = QStringLiteral("não há área de trabalho disponível neste teste");
    return nullptr;
  };
  e.codigo = executarMivoRun(args, t, semDesktop);
  return e;
}

// The NAME of every NAME.mivo in `pasta`, in order. Read when the program
// starts (before the tests are listed), so that each script is a test of its
// own.
std::vector<std::string> scriptsEm(const char* pasta) {
  std::vector<std::string> nomes;
  std::error_code erro;
  for (const auto& e : std::filesystem::directory_iterator(pasta, erro))
    if (e.is_regular_file() && e.path().extension() == ".mivo") nomes.push_back(e.path().stem().string());
  std::sort(nomes.begin(), nomes.end());
  return nomes;
}

// A readable test name: the script's name, any other character as "_".
std::string nomeDoTeste(const ::testing::TestParamInfo<std::string>& info) {
  std::string nome = info.param;
  for (char& c : nome)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return nome;
}

// The NAME of every NAME.<extensao> in `pasta`, in order.
QStringList nomesEm(const QString& pasta, const QString& extensao) {
  QStringList nomes;
  for (const QString& arquivo : QDir(pasta).entryList({QStringLiteral("*.") + extensao}, QDir::Files, QDir::Name))
    nomes << arquivo.chopped(extensao.size() + 1);
  return nomes;
}

// Runs `script` in a base folder of its own with `args` plus the options of
// RAIZ.opcoes (one per line; `marca` stands for `pasta`) and RAIZ.respostas
// when present. Its stdout and exit status must equal RAIZ.esperado, whose
// last line is "[saída: N]", and its stderr RAIZ.avisos (the checker's
// warnings before the run; nothing when the file is absent).
Execucao conferirSaida(const QString& script, const QString& raiz, QStringList args, const QString& marca,
                       const QString& pasta) {
  teste::CLPastaBaseTeste base;
  QString texto;
  if (lerArquivoTexto(raiz + QStringLiteral(".opcoes"), texto))
    for (const QString& opcao : dividirLinhas(texto)) args << QString(opcao).replace(marca, pasta);
  if (QFile::exists(raiz + QStringLiteral(".respostas")))
    args << QStringLiteral("--respostas") << raiz + QStringLiteral(".respostas");
  args << script;
  QString esperado;
  const bool temEsperado = lerArquivoTexto(raiz + QStringLiteral(".esperado"), esperado);
  EXPECT_TRUE(temEsperado) << raiz.toStdString() << ".esperado";
  const Execucao e = executar(args);
  QStringList obtido = e.saida;
  obtido << QStringLiteral("[saída: %1]").arg(e.codigo);
  if (temEsperado) {
    EXPECT_EQ(obtido.join(u'\n'), dividirLinhas(esperado).join(u'\n'));
  }
  QString avisos;
  lerArquivoTexto(raiz + QStringLiteral(".avisos"), avisos);
  EXPECT_EQ(e.erros, dividirLinhas(avisos).filter(QRegularExpression(QStringLiteral("."))))
      << e.erros.join(u'\n').toStdString();
  return e;
}

QString gravar(const QTemporaryDir& dir, const QString& nome, const QByteArray& conteudo) {
  const QString caminho = dir.filePath(nome);
  EXPECT_TRUE(gravarArquivo(caminho, conteudo));
  return caminho;
}

}  // namespace

// Every tests/scripts/NAME.mivo is a test of its own,
// MivoRun/Golden.Script/NAME: it runs with --sem-espera plus the options of
// NAME.opcoes ("{pasta}" stands for tests/scripts) and NAME.respostas when
// present; its stdout and exit status must equal NAME.esperado, whose last
// line is "[saída: N]".
class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Script) {
  const QString pasta = QStringLiteral(MIVO_SCRIPTS_DIR);
  const QString raiz = QDir(pasta).filePath(QString::fromStdString(GetParam()));
  conferirSaida(raiz + QStringLiteral(".mivo"), raiz, {QStringLiteral("--sem-espera")}, QStringLiteral("{pasta}"),
                pasta);
}

INSTANTIATE_TEST_SUITE_P(MivoRun, Golden, ::testing::ValuesIn(scriptsEm(MIVO_SCRIPTS_DIR)), nomeDoTeste);

// Every exemplos/NAME.mivo is a test of its own, MivoRun/Exemplo.Script/NAME:
// it runs on the simulated desktop with --sem-espera --simular plus the
// options of tests/exemplos/NAME.opcoes ("{exemplos}" stands for the exemplos
// folder), ends with exit status 0 and prints exactly
// tests/exemplos/NAME.esperado.
class Exemplo : public ::testing::TestWithParam<std::string> {};

TEST_P(Exemplo, Script) {
  const QString nome = QString::fromStdString(GetParam());
  const QString pasta = QStringLiteral(MIVO_EXEMPLOS_DIR);
  const Execucao e = conferirSaida(QDir(pasta).filePath(nome + QStringLiteral(".mivo")),
                                   QDir(QStringLiteral(MIVO_EXEMPLOS_ESPERADOS_DIR)).filePath(nome),
                                   {QStringLiteral("--sem-espera"), QStringLiteral("--simular")},
                                   QStringLiteral("{exemplos}"), pasta);
  EXPECT_EQ(e.codigo, saida::kFim);
}

INSTANTIATE_TEST_SUITE_P(MivoRun, Exemplo, ::testing::ValuesIn(scriptsEm(MIVO_EXEMPLOS_DIR)), nomeDoTeste);

// The reference scripts and the examples are there, each with its expected
// output, and no expected output, options or answers are left without their
// script.
// The example counts only the messages that arrived: when no program takes
// the paste (the chat program lost the focus), none is counted as sent.
TEST(MivoRun, ExemploSoContaAsMensagensQueChegaram) {
  teste::CLPastaBaseTeste base;
  QTemporaryDir dir;
  const QString pasta = QStringLiteral(MIVO_EXEMPLOS_DIR);
  const QString cenario = gravar(dir, QStringLiteral("cenario.json"),
                                 R"({"colagemIgnorada": true,
                                     "janelas": [{"titulo": "Conversa", "executavel": "conversa.exe", "pid": 42}]})");
  const Execucao e = executar({QStringLiteral("--sem-espera"), QStringLiteral("--silencioso"), QStringLiteral("--cenario"),
                               cenario, QStringLiteral("--lista"), QDir(pasta).filePath(QStringLiteral("contatos.txt")),
                               QDir(pasta).filePath(QStringLiteral("enviar_mensagens.mivo"))});
  EXPECT_EQ(e.codigo, 0);
  EXPECT_TRUE(e.saida.contains(QStringLiteral("Informação: Mensagens enviadas: 0\\nNão enviadas: 3")))
      << e.saida.join(u'\n').toStdString();
  // Ctrl+V was pressed for each contact, Enter never.
  EXPECT_EQ(e.saida.filter(QStringLiteral("Desktop: tecla 17 baixo")).size(), 3);
  EXPECT_TRUE(e.saida.filter(QStringLiteral("Desktop: tecla 13 baixo")).isEmpty());
}

TEST(MivoRun, CadaScriptDeReferenciaTemSuaSaidaEsperada) {
  const struct {
    QString scripts, esperados;
  } pastas[] = {
      {QStringLiteral(MIVO_SCRIPTS_DIR), QStringLiteral(MIVO_SCRIPTS_DIR)},
      {QStringLiteral(MIVO_EXEMPLOS_DIR), QStringLiteral(MIVO_EXEMPLOS_ESPERADOS_DIR)},
  };
  for (const auto& p : pastas) {
    const QStringList scripts = nomesEm(p.scripts, QStringLiteral("mivo"));
    ASSERT_FALSE(scripts.isEmpty()) << p.scripts.toStdString();
    EXPECT_EQ(nomesEm(p.esperados, QStringLiteral("esperado")), scripts) << p.esperados.toStdString();
    for (const QString& extra : {QStringLiteral("opcoes"), QStringLiteral("respostas"), QStringLiteral("avisos")})
      for (const QString& nome : nomesEm(p.esperados, extra))
        EXPECT_TRUE(scripts.contains(nome)) << p.esperados.toStdString() << "/" << nome.toStdString() << "."
                                            << extra.toStdString();
  }
}

TEST(MivoRun, ErrosDeUsoSaemComDois) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("s.mivo"), "&TeclarEnter().");
  const QStringList casos[] = {
      {},
      {QStringLiteral("--nao-existe"), script},
      {QStringLiteral("--param"), QStringLiteral("semigual"), script},
      {script, QStringLiteral("--log")},
      {script, script},
      {dir.filePath(QStringLiteral("nao-existe.mivo"))},
      {dir.path()},
      {QStringLiteral("--respostas"), dir.filePath(QStringLiteral("nada.txt")), script},
  };
  for (const QStringList& args : casos) {
    const Execucao e = executar(args);
    EXPECT_EQ(e.codigo, saida::kUso) << args.join(u' ').toStdString();
    EXPECT_FALSE(e.erros.isEmpty());
    EXPECT_TRUE(e.saida.isEmpty());
  }
  const Execucao ajuda = executar({QStringLiteral("--ajuda")});
  EXPECT_EQ(ajuda.codigo, 0);
  EXPECT_TRUE(ajuda.saida.join(u'\n').contains(QStringLiteral("--sem-espera")));
}

TEST(MivoRun, LogEmArquivoESilencioso) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("s.mivo"),
                                "&Resultado().\n&Desconhecida(\"Ol\xC3\xA1\").\n//* passo\n");
  const QString log = dir.filePath(QStringLiteral("log.txt"));
  const Execucao e = executar({QStringLiteral("--silencioso"), QStringLiteral("--log"), log, script});
  EXPECT_EQ(e.codigo, 0);
  EXPECT_EQ(e.saida, QStringList{QStringLiteral("Passo: passo")});  // dialogs still show
  QString conteudo;
  ASSERT_TRUE(lerArquivoTexto(log, conteudo));
  EXPECT_EQ(conteudo, QStringLiteral("Linha: [1] Executando {Resultado... }\n"
                                     "Linha: [2] Executando {Desconhecida... \"Olá\"}\n"));
}

TEST(MivoRun, ScriptEmWindows1252) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("s.mivo"), "//* Aten\xE7\xE3o\n");
  const Execucao e = executar({script});
  EXPECT_EQ(e.saida, QStringList{QStringLiteral("Passo: Atenção")});
}

TEST(MivoRun, SemBackendDeAreaDeTrabalhoSaiComDoisSoQuandoOScriptPrecisa) {
  QTemporaryDir dir;
  const QString semDesktop = gravar(dir, QStringLiteral("a.mivo"), "&ValorDefinir(x;1).\n");
  EXPECT_EQ(executar({QStringLiteral("--sem-espera"), semDesktop}).codigo, saida::kFim);
  const QString comDesktop =
      gravar(dir, QStringLiteral("b.mivo"), "&ValorDefinir(x;1).\n&ExecutarComando(\"notepad.exe\").\n&Y().\n");
  const Execucao e = executar({QStringLiteral("--sem-espera"), comDesktop});
  EXPECT_EQ(e.codigo, saida::kUso);
  // The checker's warning about &Y, then why the run stopped.
  ASSERT_EQ(e.erros.size(), 2);
  EXPECT_EQ(e.erros[0], QStringLiteral("Aviso: linha 3: função desconhecida: &Y"));
  EXPECT_TRUE(e.erros[1].startsWith(QStringLiteral("mivo-run: "))) << e.erros[1].toStdString();
  EXPECT_GT(e.erros[1].size(), 30);
  EXPECT_FALSE(e.saida.join(u'\n').contains(QStringLiteral("{Y")));
}

// --verificar only reads; --estrito refuses to run a script with findings;
// --funcoes prints the reference.
TEST(MivoRun, VerificarEstritoEFuncoes) {
  QTemporaryDir dir;
  const QString bom = gravar(dir, QStringLiteral("bom.mivo"), "&MsgExibir(\"oi\").\n");
  const QString ruim = gravar(dir, QStringLiteral("ruim.mivo"), "&MsgExibir(\"oi\").\n&TeclarEnte().\n&VaiPara(fim).\n");
  const QString lista = gravar(dir, QStringLiteral("l.txt"), "nome;email\r\nAna;a@x\r\n");
  const QString colunas = gravar(dir, QStringLiteral("c.mivo"), "&MsgExibir({nome} {cidade}).\n");
  struct Caso {
    QStringList args;
    int codigo;
    QStringList saida, erros;
  } casos[] = {
      {{QStringLiteral("--verificar"), bom}, saida::kFim, {}, {}},
      {{QStringLiteral("--verificar"), ruim},
       saida::kAchados,
       {QStringLiteral("linha 2: função desconhecida: &TeclarEnte (você quis dizer &TeclarEnter?)"),
        QStringLiteral("linha 3: &VaiPara para um marcador que não existe: fim")},
       {}},
      {{QStringLiteral("--verificar"), QStringLiteral("--lista"), lista, colunas},
       saida::kAchados,
       {QStringLiteral("linha 1: a coluna {cidade} não existe na lista")},
       {}},
      {{QStringLiteral("--verificar"), colunas}, saida::kFim, {}, {}},  // no list: columns unknown
      {{QStringLiteral("--verificar"), dir.filePath(QStringLiteral("falta.mivo"))},
       saida::kUso,
       {},
       {QStringLiteral("mivo-run: não foi possível ler o script \"%1\"").arg(dir.filePath(QStringLiteral("falta.mivo")))}},
      {{QStringLiteral("--estrito"), QStringLiteral("--sem-espera"), ruim},
       saida::kAchados,
       {},
       {QStringLiteral("Aviso: linha 2: função desconhecida: &TeclarEnte (você quis dizer &TeclarEnter?)"),
        QStringLiteral("Aviso: linha 3: &VaiPara para um marcador que não existe: fim"),
        QStringLiteral("mivo-run: o script não foi executado: a verificação achou 2 problemas (--estrito)")}},
      {{QStringLiteral("--estrito"), QStringLiteral("--sem-espera"), bom},
       saida::kFim,
       {QStringLiteral("Informação: oi"), QStringLiteral("Linha: [1] Executando {MsgExibir... \"oi\"}")},
       {}},
  };
  for (const Caso& c : casos) {
    const Execucao e = executar(c.args);
    EXPECT_EQ(e.codigo, c.codigo) << c.args.join(u' ').toStdString();
    EXPECT_EQ(e.saida, c.saida) << c.args.join(u' ').toStdString();
    EXPECT_EQ(e.erros, c.erros) << c.args.join(u' ').toStdString();
  }
  const Execucao ref = executar({QStringLiteral("--funcoes"), QStringLiteral("rolar")});
  EXPECT_EQ(ref.codigo, saida::kFim);
  EXPECT_EQ(ref.saida.filter(QRegularExpression(QStringLiteral("^### "))),
            (QStringList{QStringLiteral("### &MouseRolarCima"), QStringLiteral("### &MouseRolarBaixo")}));
  EXPECT_GT(executar({QStringLiteral("--funcoes")}).saida.size(), 500);
}

TEST(MivoRun, CenarioSimuladoInvalidoSaiComDois) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("s.mivo"), "&ExecutarComando(\"calc.exe\").\n");
  const QString ruim = gravar(dir, QStringLiteral("ruim.json"), "{\"tela\": [10,");
  const QString bom = gravar(dir, QStringLiteral("bom.json"), "{\"tela\": [800, 600]}");
  for (const QString& cenario : {ruim, dir.filePath(QStringLiteral("nao-existe.json"))}) {
    const Execucao e = executar({QStringLiteral("--cenario"), cenario, script});
    EXPECT_EQ(e.codigo, saida::kUso);
    EXPECT_EQ(e.erros.size(), 1);
  }
  const Execucao e = executar({QStringLiteral("--cenario"), bom, script});
  EXPECT_EQ(e.codigo, 0);
  EXPECT_TRUE(e.saida.contains(QStringLiteral("Desktop: abrir \"calc.exe\"")));
}

TEST(MivoRun, ListaTextoEResultadosGravados) {
  QTemporaryDir dir;
  const QString lista = gravar(dir, QStringLiteral("contatos.csv"), "nome,cidade\r\nAna,Recife\r\n");
  const QString texto = gravar(dir, QStringLiteral("modelo.txt"), "Olá\r\n");
  const QString script = gravar(dir, QStringLiteral("s.mivo"),
                                "&LaValorMudar(cidade;\"São Paulo 😀\").\n&TaLinhaAdicionar(\"{nome}\").\n");
  const QString saidaLista = dir.filePath(QStringLiteral("saida.txt"));
  const QString saidaTexto = dir.filePath(QStringLiteral("texto.txt"));
  const Execucao e = executar({QStringLiteral("--lista"), lista, QStringLiteral("--texto"), texto,
                               QStringLiteral("--salvar-lista"), saidaLista, QStringLiteral("--salvar-texto"),
                               saidaTexto, QStringLiteral("--silencioso"), script});
  EXPECT_EQ(e.codigo, 0) << e.erros.join(u'\n').toStdString();
  QFile l(saidaLista), t(saidaTexto);
  ASSERT_TRUE(l.open(QIODevice::ReadOnly));
  ASSERT_TRUE(t.open(QIODevice::ReadOnly));
  EXPECT_EQ(decodificarTexto(l.readAll()), QStringLiteral("nome;cidade\r\nAna;São Paulo 😀\r\n"));
  EXPECT_EQ(t.readAll(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("Olá\r\nAna\r\n").toUtf8());

  const Execucao faltando = executar({QStringLiteral("--lista"), dir.filePath(QStringLiteral("nada.txt")), script});
  EXPECT_EQ(faltando.codigo, saida::kUso);
  const Execucao semPasta = executar({QStringLiteral("--salvar-lista"),
                                      dir.filePath(QStringLiteral("sem/pasta.txt")), script});
  EXPECT_EQ(semPasta.codigo, saida::kErro);
  EXPECT_FALSE(semPasta.erros.isEmpty());
}

TEST(MivoRun, ParametrosLembradosNoArquivoParams) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("envio.mivo"),
                                "##parametros\ntipo=a;b\nnome=padrão\n##parametros_fim\n"
                                "&ValorDefinir(x;\"[tipo]/[nome]/[extra]\").\n");
  auto valorDeX = [&](const QStringList& extras) {
    const Execucao e = executar(extras + QStringList{script});
    return e.saida.filter(QStringLiteral("ValorDefinir")).value(0).section(QStringLiteral(":"), -1);
  };
  EXPECT_EQ(valorDeX({}), QStringLiteral("a/padrão/"));
  gravar(dir, QStringLiteral("envio.params"), "tipo=b;a\nnome=lembrado// desc\n");
  EXPECT_EQ(valorDeX({}), QStringLiteral("b/lembrado/"));
  EXPECT_EQ(valorDeX({QStringLiteral("--param"), QStringLiteral("NOME=linha"), QStringLiteral("--param"),
                      QStringLiteral("extra=1")}),
            QStringLiteral("b/linha/1"));
}

// The log file is written as the run goes (most of it is there before the
// run ends) and holds every entry, past the ones the host keeps in memory,
// exactly as they are printed.
TEST(MivoRun, LogGravadoDuranteAExecucao) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("s.mivo"),
                                "&ValorDefinir(\"i\";\"0\").\n&Marcador(volta).\n&ValorInc(\"i\";1).\n"
                                "&Se([i]<1500;&VaiPara(volta)).\n//* meio\n&ValorDefinir(fim;\"linha 1\\nlinha 2\").\n");
  const QString log = dir.filePath(QStringLiteral("log.txt"));
  QByteArray noMeio;
  Execucao e;
  CLTerminal t;
  t.escrever = [&](const QString& l) {
    e.saida << l;
    if (l == QLatin1String("Passo: meio")) {
      QFile f(log);
      if (f.open(QIODevice::ReadOnly)) noMeio = f.readAll();
    }
  };
  t.escreverErro = [&](const QString& l) { e.erros << l; };
  e.codigo = executarMivoRun({QStringLiteral("--sem-espera"), QStringLiteral("--silencioso"), QStringLiteral("--log"),
                              log, script},
                             t, {});
  EXPECT_EQ(e.codigo, saida::kFim);
  EXPECT_TRUE(e.erros.isEmpty()) << e.erros.join(u'\n').toStdString();
  QFile f(log);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray final = f.readAll();
  EXPECT_GT(noMeio.size(), final.size() / 2);
  EXPECT_TRUE(final.startsWith(noMeio));
  EXPECT_TRUE(noMeio.endsWith('\n'));

  // The same entries a run without --silencioso prints.
  const Execucao impressa = executar({QStringLiteral("--sem-espera"), script});
  QStringList entradas = impressa.saida;
  entradas.removeAll(QStringLiteral("Passo: meio"));
  EXPECT_GT(entradas.size(), kMaxEntradasLog * 4);
  EXPECT_EQ(QString::fromUtf8(final), entradas.join(u'\n') + u'\n');
  EXPECT_TRUE(final.endsWith("  :linha 1\\nlinha 2\n")) << final.right(80).toStdString();
}

TEST(MivoRun, EntradaLongaDoLogECortada) {
  QTemporaryDir dir;
  const QString script =
      gravar(dir, QStringLiteral("s.mivo"), "&TextoProcessar(\"" + QByteArray(15000, 'x') + "\").\n");
  const QString log = dir.filePath(QStringLiteral("log.txt"));
  const Execucao e = executar({QStringLiteral("--log"), log, script});
  EXPECT_EQ(e.codigo, saida::kFim);
  ASSERT_EQ(e.saida.size(), 1);
  EXPECT_EQ(e.saida[0].size(), kMaxCaracteresEntradaLog);
  EXPECT_TRUE(e.saida[0].startsWith(QStringLiteral("Linha: [1] Executando {TextoProcessar... \"xxx")));
  EXPECT_TRUE(e.saida[0].endsWith(QStringLiteral("xxx…")));
  QString conteudo;
  ASSERT_TRUE(lerArquivoTexto(log, conteudo));
  EXPECT_EQ(conteudo, e.saida[0] + u'\n');
}

// Random tables (see unTabelaAleatoria.h) given with --lista and written
// with --salvar-lista come back byte for byte, in the encoding the writer
// chose, and read back as the same table.
TEST(MivoRun, ListaEntraESaiIgual) {
  QTemporaryDir dir;
  const QString script = gravar(dir, QStringLiteral("vazio.mivo"), "");
  const QString entrada = dir.filePath(QStringLiteral("entrada.txt"));
  const QString saida = dir.filePath(QStringLiteral("saida.txt"));
  auto bytesDe = [](const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  for (const std::uint32_t semente : teste::sementes(60)) {
    SCOPED_TRACE(::testing::Message() << "seed " << semente << " (rerun with MIVO_SEMENTE=" << semente << ")");
    const teste::Linhas tabela = teste::CLTabelaAleatoria(semente).tabela();
    CLGrade g;
    teste::preencher(g, tabela);
    ASSERT_EQ(salvarGrade(g, entrada), Desfecho::Concluido);
    const Execucao e = executar({QStringLiteral("--lista"), entrada, QStringLiteral("--salvar-lista"), saida,
                                 QStringLiteral("--silencioso"), script});
    ASSERT_EQ(e.codigo, 0) << e.erros.join(u'\n').toStdString();
    EXPECT_EQ(bytesDe(saida), bytesDe(entrada));
    CLGrade lida;
    ASSERT_EQ(carregarArquivoComTitulos(lida, saida), std::optional<bool>(true));
    EXPECT_EQ(teste::conteudo(lida), tabela);
    if (::testing::Test::HasFailure()) break;
  }
}
