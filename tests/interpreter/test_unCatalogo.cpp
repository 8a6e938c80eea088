#include <gtest/gtest.h>

#include <QSet>

#include "unCatalogo.h"

using namespace mivo;

// How a row reads its arguments, in a line: "nenhuma", "inteira:<forma>",
// "bruta:b" or "dividida:<formas>", the counts of a correct call, the kind
// of keyword when it is not an ordinary function and "fatal" when unusable
// arguments end the run.
std::string descrever(const CLFuncao& f) {
  static const char* const kLeitura[] = {"nenhuma", "inteira", "bruta", "dividida"};
  static const char* const kTipo[] = {"", "Marcador", "Salto", "DefinicaoBloco", "ChamadaBloco", "FimBloco"};
  std::string d = kLeitura[static_cast<int>(f.leitura)];
  if (f.leitura != Leitura::Nenhuma) d += ':' + f.formas.toStdString();
  d += ' ' + std::to_string(f.minimo) + '-' + std::to_string(f.maximo);
  if (f.tipo != Tipo::Funcao) d += std::string(" ") + kTipo[static_cast<int>(f.tipo)];
  if (!f.erro.isEmpty()) d += " fatal";
  return d;
}

// The language: every keyword with the way it reads its arguments (t: text,
// x: expanded, a: expanded by the function when it decides, b: raw). Adding
// a function adds its line here.
TEST(Catalogo, CadaPalavraDaLinguagemESuaFormaDeArgumentos) {
  struct Caso {
    const char* nome;
    const char* forma;
  } casos[] = {
      {"&Bloco", "nenhuma 0-0 DefinicaoBloco"},
      {"&BlocoExec", "inteira:t 1-1 ChamadaBloco"},
      {"&BlocoFim", "inteira:x 0-1 FimBloco"},
      {"&Marcador", "nenhuma 1-1 Marcador"},
      {"&VaiPara", "inteira:t 1-1 Salto"},
      {"&Se", "dividida:taa 2-3 fatal"},
      {"&SeResultado", "dividida:xa 1-2 fatal"},
      {"&Resultado", "nenhuma 0-0"},
      {"&ExecutarComando", "inteira:x 1-1"},
      {"&ValorDefinir", "dividida:tat 2-3 fatal"},
      {"&ValorPedir", "dividida:tt 2-2 fatal"},
      {"&Valor", "inteira:t 1-1"},
      {"&ValordoArquivo", "dividida:tt 2-2 fatal"},
      {"&ValorInc", "dividida:tx 2-2 fatal"},
      {"&ValorSubstituir", "dividida:xxx 2-3 fatal"},
      {"&Data", "nenhuma 0-0"},
      {"&Hora", "nenhuma 0-0"},
      {"&Saudacao", "nenhuma 0-0"},
      {"&Pausar", "inteira:x 1-1"},
      {"&Pausar100", "inteira:t 1-1"},
      {"&PausaPadrao", "inteira:t 1-1"},
      {"&ParametrosDesativar", "nenhuma 0-0"},
      {"&ParametrosAtivar", "nenhuma 0-0"},
      {"&LaInserirColunas", "inteira:t 1-1"},
      {"&LaInserirLinha", "inteira:x 1-1"},
      {"&LaValor", "inteira:t 1-1"},
      {"&LaIrLinha", "inteira:t 1-1"},
      {"&LaProximaLinha", "nenhuma 0-0"},
      {"&LaAbrir", "inteira:x 1-1"},
      {"&LaSalvar", "inteira:x 1-1"},
      {"&LaValorMudar", "dividida:ta 2-2 fatal"},
      {"&LaTemColuna", "inteira:t 1-1"},
      {"&LaAjustarColunas", "nenhuma 0-0"},
      {"&LaQtdLinhas", "nenhuma 0-0"},
      {"&LaColunaLimpar", "inteira:t 1-1"},
      {"&LaColunaValor", "inteira:t 1-1"},
      {"&LaColunaApagar", "inteira:t 1-1"},
      {"&TaPegarTudo", "nenhuma 0-0"},
      {"&TaLinhaPegar", "inteira:t 1-1"},
      {"&TaLinhaAdicionar", "dividida:at 1-2"},
      {"&TaLinhaApagar", "inteira:t 1-1"},
      {"&TaDefinir", "dividida:at 1-2"},
      {"&TaAbrir", "inteira:x 1-1"},
      {"&TaSalvar", "inteira:t 1-1"},
      {"&MemoriaDefinir", "inteira:t 1-1"},
      {"&MemoriaCopiar", "nenhuma 0-0"},
      {"&MemoriaLer", "nenhuma 0-0"},
      {"&MemoriaColar", "nenhuma 0-0"},
      {"&TeclarEnter", "nenhuma 0-0"},
      {"&TeclarControlMais", "bruta:b 1-1"},
      {"&TeclarControlMaisID", "bruta:b 1-1"},
      {"&TeclarControlAltMais", "bruta:b 1-1"},
      {"&TeclarAltMais", "bruta:b 1-1"},
      {"&Teclar", "inteira:t 1-1"},
      {"&TeclarID", "inteira:t 1-1"},
      {"&TeclarAltTab", "nenhuma 0-0"},
      {"&TeclarAltF4", "nenhuma 0-0"},
      {"&TeclarAltEspaco", "nenhuma 0-0"},
      {"&TeclarControlEnter", "nenhuma 0-0"},
      {"&TeclarEsc", "nenhuma 0-0"},
      {"&TeclarShiftTab", "nenhuma 0-0"},
      {"&TeclarDireita", "nenhuma 0-0"},
      {"&TeclarEsquerda", "nenhuma 0-0"},
      {"&TeclarCima", "nenhuma 0-0"},
      {"&TeclarBaixo", "nenhuma 0-0"},
      {"&TextoColar", "inteira:x 1-1"},
      {"&TextoDigitar", "inteira:t 1-1"},
      {"&TextoProcessar", "inteira:x 1-1"},
      {"&EntradaTexto", "dividida:tt 1-2"},
      {"&MouseAguardarCor", "dividida:ttb 3-3 fatal"},
      {"&MouseAguardarCorPonto", "dividida:ttbbb 5-5 fatal"},
      {"&MouseQuadrante", "dividida:tt 2-2 fatal"},
      {"&MouseCentro", "dividida:tt 2-2 fatal"},
      {"&MouseNormal", "dividida:tt 2-2 fatal"},
      {"&MouseClicarAcao", "dividida:tt 2-2 fatal"},
      {"&MouseCliquePerguntar", "dividida:tbbt 3-4 fatal"},
      {"&MouseClicarMenu", "dividida:tt 2-2 fatal"},
      {"&MouseRolarCima", "dividida:b 1-1 fatal"},
      {"&MouseRolarBaixo", "dividida:b 1-1 fatal"},
      {"&MouseArrastar", "dividida:tttt 4-4 fatal"},
      {"&JanelaAtivaAguardar", "dividida:tb 2-2 fatal"},
      {"&JanelaAtivaMaximizar", "nenhuma 0-0"},
      {"&JanelaAtivaPosicionar", "dividida:tttt 4-4 fatal"},
      {"&JanelaAtivar", "inteira:t 1-1"},
      {"&JanelaAtivarExe", "inteira:t 1-1"},
      {"&JanelaAtivaTexto", "nenhuma 0-0"},
      {"&ImagemArquivoCopiar", "dividida:x 1-1 fatal"},
      {"&MsgExibir", "inteira:x 1-1"},
      {"&MsgDica", "dividida:xxt 2-3 fatal"},
      {"&MivoAbaClicar", "inteira:t 1-1"},
  };
  QSet<QString> esperadas;
  for (const auto& c : casos) {
    const CLFuncao* f = catalogo::procurarNome(QString::fromUtf8(c.nome));
    ASSERT_NE(f, nullptr) << c.nome;
    EXPECT_EQ(f->nome, QString::fromUtf8(c.nome));
    EXPECT_EQ(descrever(*f), c.forma) << c.nome;
    esperadas.insert(f->palavra);
  }
  // Nothing in the catalogue that the language above does not have, and
  // every keyword once.
  EXPECT_EQ(esperadas.size(), std::size(casos));
  EXPECT_EQ(catalogo::funcoes().size(), std::size(casos));
  for (const CLFuncao& f : catalogo::funcoes()) {
    EXPECT_TRUE(esperadas.contains(f.palavra)) << f.nome.toStdString();
    // The keyword is the display name in lower case, without "&".
    const QString palavra = f.nome.mid(1).toLower();
    EXPECT_EQ(f.palavra, f.tipo == Tipo::DefinicaoBloco ? palavra + u'[' : palavra);
    EXPECT_EQ(f.tratador == nullptr, f.tipo == Tipo::Marcador || f.tipo == Tipo::DefinicaoBloco) << f.nome.toStdString();
    EXPECT_LE(f.minimo, f.maximo);
    if (f.temEntrada()) EXPECT_FALSE(f.inserir.isEmpty());
  }
  // Three keywords run like the others but are not offered by the editor.
  QStringList semEntrada;
  for (const CLFuncao& f : catalogo::funcoes())
    if (!f.temEntrada()) semEntrada << f.palavra;
  EXPECT_EQ(semEntrada, (QStringList{QStringLiteral("parametrosdesativar"), QStringLiteral("parametrosativar"),
                                     QStringLiteral("textoprocessar")}));
  EXPECT_EQ(catalogo::entradas().size() + semEntrada.size(), catalogo::funcoes().size());
}

TEST(Catalogo, OrdemECategoriasDaListaDeCompletar) {
  const auto e = catalogo::entradas();
  EXPECT_EQ(e.first()->nome, QStringLiteral("&Bloco"));
  EXPECT_EQ(e.last()->nome, QStringLiteral("&MivoAbaClicar"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("valorpedir"))->textoCategoria(), QStringLiteral("Janela"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("teclarenter"))->textoCategoria(), QStringLiteral("Ação"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("lavalor"))->textoCategoria(), QStringLiteral("Processo"));
}

TEST(Catalogo, TextoInseridoSegueARegraEAsExcecoes) {
  struct Caso {
    const char* palavra;
    const char* inserir;
  } casos[] = {
      {"teclarenter", "&TeclarEnter()."},                 // hint starts with "()"
      {"data", "&Data()."},                               // hint is a result note
      {"janelaativatexto", "&JanelaAtivaTexto()."},       // blank, then "()"
      {"msgexibir", "&MsgExibir(\""},                     // first argument quoted
      {"pausar", "&Pausar("},
      {"janelaativaposicionar", "&JanelaAtivaPosicionar("},
      {"teclarcontrolmaisid", "&TeclarControlMaisID("},
      {"teclarcontrolmais", "&TeclarControlMais("},       // exception
      {"laproximalinha", "&LaProximaLinha("},             // exception
      {"latemcoluna", "&LaTemColuna(\"nome_coluna\")."},
      {"mouseaguardarcor", "&MouseAguardarCor(\"igual\";"},
      {"mouseaguardarcorponto", "&MouseAguardarCorPonto(\"igual\";rgb[0,0,0];10;800;800)."},
      {"mousecliqueperguntar", "&MouseCliquePerguntar(\"mensagem\";0;0)."},
      {"msgdica", "&MsgDica(\"|\";\"\")."},
  };
  for (const auto& c : casos) {
    const CLFuncao* f = catalogo::procurar(QString::fromLatin1(c.palavra));
    ASSERT_NE(f, nullptr) << c.palavra;
    EXPECT_EQ(f->inserir, QString::fromUtf8(c.inserir)) << c.palavra;
  }
  EXPECT_EQ(catalogo::entradas().first()->inserir, QStringLiteral("&Bloco[nome_bloco]()."));
}

TEST(Catalogo, DicasExatas) {
  struct Caso {
    const char* palavra;
    const char* dica;
  } casos[] = {
      {"data", " [Retorna a data atual]"},
      {"mouseaguardarcor",
       "(tipo: <\"igual\" | \"diferente\">; cor: rgb[x,x,x]; segundos: inteiro) [OK, FALHA]"},
      {"tadefinir", "(\"valor\":texto) [use \\n para incluir quebras de linha facilmente]"},
      {"textodigitar",
       "(\"valor\": texto) [Não funciona com acentos e cedilha (Use &TextoColar() nesses casos)]"},
      {"se", "(\"teste lógico\";<ação se verdadeiro>;<ação se falso>). [retorna a função executada]"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(catalogo::procurar(QString::fromLatin1(c.palavra))->dica, QString::fromUtf8(c.dica)) << c.palavra;
  const QString linha = catalogo::procurar(QStringLiteral("lainserirlinha"))->dica;
  EXPECT_TRUE(linha.startsWith(QStringLiteral("(\"valores\":texto) //ex: \"Ariston,"))) << linha.toStdString();
  EXPECT_TRUE(linha.endsWith(QStringLiteral(",ok\"")));
}

TEST(Catalogo, ProcuraPorPalavraEPorNome) {
  // Any name holding "bloco[" is a block definition.
  EXPECT_EQ(catalogo::procurar(QStringLiteral("bloco[envio]"))->nome, QStringLiteral("&Bloco"));
  EXPECT_EQ(catalogo::procurar(QStringLiteral("inexistente")), nullptr);
  EXPECT_EQ(catalogo::procurar(QStringLiteral("TeclarEnter")), nullptr);  // keywords are lower case
  EXPECT_EQ(catalogo::procurarNome(QStringLiteral(" &TECLARenter"))->palavra, QStringLiteral("teclarenter"));
  EXPECT_EQ(catalogo::procurarNome(QStringLiteral("msgexibir"))->nome, QStringLiteral("&MsgExibir"));
  // "&Se" expands its actions: the row says so, as its handler does.
  EXPECT_TRUE(catalogo::procurar(QStringLiteral("se"))->expande());
  EXPECT_FALSE(catalogo::procurar(QStringLiteral("textodigitar"))->expande());
}
