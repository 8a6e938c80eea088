#include <gtest/gtest.h>

#include "unLeitura.h"

using namespace mivo::leitura;

namespace {
struct Par {
  const char* entrada;
  const char* esperado;
};
QString u(const char* t) { return QString::fromUtf8(t); }
}  // namespace

TEST(Leitura, RemoverComentario) {
  const Par casos[] = {
      {"// &TeclarEnter().", ""},
      {"   //x", ""},
      {"&TeclarEnter(). // depois do terminador", "&TeclarEnter(). "},
      {"&MsgExibir(\"http://exemplo.com\"). // c", "&MsgExibir(\"http://exemplo.com\"). "},
      {"&MsgExibir(\"a//b", "&MsgExibir(\"a//b"},  // unfinished call: not a comment
      {"texto solto // c", "texto solto "},
      {"\"a\"). //c", "\"a\"). //c"},  // a ")" before the "//" leaves the counters unbalanced
      {"&a(b) &c(//", "&a(b) &c(//"},
      {"  &TeclarEnter().  ", "&TeclarEnter()."},
      {"/", "/"},
  };
  for (const auto& c : casos) {
    QString linha = u(c.entrada);
    removerComentario(linha);
    EXPECT_EQ(linha, u(c.esperado)) << c.entrada;
  }
}

TEST(Leitura, NomeDaFuncao) {
  const Par casos[] = {
      {"&MsgExibir(\"x\").", "MsgExibir"},
      {"& Teclar Enter ().", "Teclar Enter"},
      {"##config_fim", ""},
      {"abc(def", "bc"},  // the first character is never examined
      {"(x).", ""},
      {"&(x).", ""},
      {"", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(nomeDaFuncao(u(c.entrada)), u(c.esperado)) << c.entrada;
}

TEST(Leitura, TextoDosArgumentos) {
  const Par casos[] = {
      {"&TeclarEnter().", ""},
      {"&TeclarEnter()", ""},
      {"&MsgExibir(\"Olá   mundo\").", "\"Olá mundo\""},
      {"&ValorDefinir(\"a\" ; \"b\").", "\"a\";\"b\""},
      {"&MsgExibir(\"x ;  y\").", "\"x;y\""},  // also inside quotes
      {"&MsgExibir(\"x\")", "\"x\""},
      {"&Valor(\"x\")", "\"x\""},
      {"&A(x)).", "x)"},
      {"texto(abc).", "texto(abc"},
      {"texto(abc", "texto(abc"},
      {"&Se(a=b;&MsgExibir(\"x\")).", "a=b;&MsgExibir(\"x\")"},
  };
  for (const auto& c : casos) EXPECT_EQ(textoArgumentos(u(c.entrada)), u(c.esperado)) << c.entrada;
}

TEST(Leitura, GetParamValue) {
  const Par casos[] = {
      {"\"abc\"", "abc"},
      {"\" a\"", "a"},        // blanks just inside the quotes are lost
      {" \"a\"", "\"a\""},    // the first character is a blank: quotes stay
      {"\"", ""},
      {"\"\"", ""},
      {"\"a\"b\"", "a\"b"},   // one pair only
      {"abc  ", "abc"},
      {"\"abc", "\"abc"},
      {"", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(getParamValue(u(c.entrada)), u(c.esperado)) << c.entrada;
}

TEST(Leitura, RemoverAspas) {
  const Par casos[] = {
      {" \"a \" ", "a "},
      {"\"a\"", "a"},
      {"a", "a"},
      {"\"", "\""},
  };
  for (const auto& c : casos) EXPECT_EQ(removerAspas(u(c.entrada)), u(c.esperado)) << c.entrada;
}

TEST(Leitura, GetParams2) {
  struct Caso {
    const char* entrada;
    QStringList esperado;
  } casos[] = {
      {"\"a\";\"b\";\"c\"", {"\"a\"", "\"b\"", "\"c\""}},
      {"a;;b", {"a", "b"}},  // empty arguments are dropped
      {";a;", {"a"}},
      {"", {}},
      {"\"nome\";\"x;y\"", {"\"nome\"", "\"x", "y\""}},  // quotes do not protect ";"
      {"a=b;&MsgExibir(\"x;y\");&MsgExibir(\"z\")",
       {"a=b", "&MsgExibir(\"x;y\")", "&MsgExibir(\"z\")"}},
      {"a\r\nb;c", {"ab", "c"}},
      {"&A(&B(1;2);3);4", {"&A(&B(1;2);3)", "4"}},
      {" a ; b ", {"a", "b"}},
      {"\t;a;\x01 ;b", {"a", "b"}},  // pieces of tabs or control characters are blank too
  };
  for (const auto& c : casos) EXPECT_EQ(getParams2(u(c.entrada)), c.esperado) << c.entrada;
}

TEST(Leitura, GetNextFunctionName) {
  const Par casos[] = {
      {"Olá &Valor(\"nome\")!", "&Valor(\"nome\")"},
      {"\"&Valor(x)\"", ""},  // inside quotes
      {"a &Se(x=1;&VaiPara(fim)) b", "&Se(x=1;&VaiPara(fim))"},
      {"&abc", ""},
      {"x & y", ""},
      {"&A(&B(1))", "&A(&B(1))"},
      {"&a(\"(\")", "&a(\"(\")"},
      {"&a(\r\nb)", "&a(b)"},
      {"sem chamada", ""},
      {"&a(x) &b(y)", "&a(x)"},
  };
  for (const auto& c : casos) EXPECT_EQ(getNextFunctionName(u(c.entrada)), u(c.esperado)) << c.entrada;
}

TEST(Leitura, LinhasEnormesEMalFormadasNaoTravam) {
  const QString enorme = QStringLiteral("&MsgExibir(\"") + QString(1 << 20, u'a') + QStringLiteral("\").");
  EXPECT_EQ(getParams2(textoArgumentos(enorme)).size(), 1);
  EXPECT_EQ(normalizar(QString(1 << 20, u' ')), QString());
  const QString abertos = QString(100000, u'&') + QString(100000, u'(');
  EXPECT_EQ(getNextFunctionName(abertos), QString());
  EXPECT_EQ(getParams2(abertos).size(), 1);
}
