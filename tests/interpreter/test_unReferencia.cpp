#include <gtest/gtest.h>

#include <QFile>
#include <QMap>

#include "impressaoQt.h"
#include "unCatalogo.h"
#include "unReferencia.h"
#include "unUtil.h"
#include "unVerificador.h"

using namespace mivo;

namespace {

// One example of the reference: the function whose section holds it and the
// script text between "```mivo" and the closing fence.
struct Exemplo {
  QString funcao;
  QString texto;
};

bool eCerca(const QString& linha) { return linha.trimmed().startsWith(QLatin1String("```")); }

// Walks the markdown lines, telling for each whether it stands inside a
// fenced block (the fence lines themselves count as outside).
template <typename F>
void paraCadaLinha(const QString& markdown, F f) {
  bool dentro = false;
  for (QString linha : markdown.split(u'\n')) {
    if (linha.endsWith(u'\r')) linha.chop(1);
    if (eCerca(linha)) {
      f(linha, false);
      dentro = !dentro;
      continue;
    }
    f(linha, dentro);
  }
}

// The names of the "### " sections, in order (headings inside fenced blocks
// do not count).
QStringList titulosDeSecao(const QString& markdown) {
  QStringList titulos;
  paraCadaLinha(markdown, [&](const QString& linha, bool emCerca) {
    if (!emCerca && linha.startsWith(QLatin1String("### "))) titulos.append(linha.mid(4).trimmed());
  });
  return titulos;
}

// Every "```mivo" block with the "### " section it stands in (empty when it
// stands before the first section or after a "## " heading that closed it).
QList<Exemplo> exemplosDaReferencia(const QString& markdown) {
  QList<Exemplo> exemplos;
  QString secao;
  bool emExemplo = false;
  QStringList linhas;
  paraCadaLinha(markdown, [&](const QString& linha, bool emCerca) {
    if (emExemplo && !emCerca) {  // the closing fence
      exemplos.append({secao, linhas.join(u'\n')});
      linhas.clear();
      emExemplo = false;
      return;
    }
    if (emExemplo) {
      linhas.append(linha);
      return;
    }
    if (emCerca) return;
    if (linha.startsWith(QLatin1String("### ")))
      secao = linha.mid(4).trimmed();
    else if (linha.startsWith(QLatin1String("## ")))
      secao.clear();
    else if (linha.trimmed() == QLatin1String("```mivo"))
      emExemplo = true;
  });
  return exemplos;
}

QStringList nomes(const QList<const CLFuncao*>& funcoes) {
  QStringList r;
  for (const CLFuncao* f : funcoes) r.append(f->nome);
  return r;
}

}  // namespace

// The text built into the program is docs/funcoes.md as it stands.
TEST(Referencia, TextoEmbutidoEOArquivoDaDocumentacao) {
  QFile arquivo(QStringLiteral(MIVO_REFERENCIA_MD));
  ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
  EXPECT_EQ(textoReferencia(QString()), QString::fromUtf8(arquivo.readAll()));
}

// Every function of the catalogue has exactly one section headed with its
// display name and exactly one example that calls it; no section names a
// function the catalogue lacks; the functions of the editor's list come in
// the catalogue's order.
TEST(Referencia, UmaSecaoEUmExemploPorFuncaoDoCatalogo) {
  const QString texto = textoReferencia(QString());
  const QStringList titulos = titulosDeSecao(texto);
  const QList<Exemplo> exemplos = exemplosDaReferencia(texto);

  QMap<QString, int> exemplosPorFuncao;
  for (const Exemplo& e : exemplos) {
    EXPECT_FALSE(e.funcao.isEmpty()) << "exemplo fora de uma seção de função:\n" << e.texto.toStdString();
    ++exemplosPorFuncao[e.funcao];
  }

  for (const CLFuncao& f : catalogo::funcoes()) {
    EXPECT_EQ(titulos.count(f.nome), 1) << f.nome.toStdString();
    EXPECT_EQ(exemplosPorFuncao.value(f.nome), 1) << f.nome.toStdString();
    // The example uses the function it illustrates.
    const QString chamada = f.nome + (f.tipo == Tipo::DefinicaoBloco ? u'[' : u'(');
    for (const Exemplo& e : exemplos) {
      if (e.funcao != f.nome) continue;
      EXPECT_TRUE(e.texto.contains(chamada, Qt::CaseInsensitive)) << f.nome.toStdString();
    }
  }

  QStringList comEntrada;
  for (const QString& t : titulos) {
    const CLFuncao* f = catalogo::procurarNome(t);
    EXPECT_TRUE(f && f->nome == t) << "seção de uma função que o catálogo não tem: " << t.toStdString();
    if (f && f->temEntrada()) comEntrada.append(t);
  }
  EXPECT_EQ(titulos.size(), catalogo::funcoes().size());
  EXPECT_EQ(comEntrada, nomes(catalogo::entradas()));
}

// A filter keeps the whole sections of the functions whose display name
// holds it, in the reference's order; an empty one keeps everything.
TEST(Referencia, FiltroDevolveAsSecoesCertas) {
  struct Caso {
    const char* filtro;
    QStringList secoes;  // empty: no function matches
  } casos[] = {
      {"msg", {"&MsgExibir", "&MsgDica"}},
      {"&BLOCO", {"&Bloco", "&BlocoExec", "&BlocoFim"}},
      {"  ValordoArquivo ", {"&ValordoArquivo"}},
      {"teclarcontrol", {"&TeclarControlMais", "&TeclarControlMaisID", "&TeclarControlAltMais", "&TeclarControlEnter"}},
      {"mouseclicar", {"&MouseClicarAcao", "&MouseClicarMenu"}},
      {"Parametros", {"&ParametrosDesativar", "&ParametrosAtivar"}},
      {"processar", {"&TextoProcessar"}},
      {"Saudacao", {"&Saudacao"}},
      {"Saudação", {}},
      {"ExibirMsg", {}},
  };
  const QString completo = textoReferencia(QString());
  QMap<QString, QString> exemploCompleto;
  for (const Exemplo& e : exemplosDaReferencia(completo)) exemploCompleto.insert(e.funcao, e.texto);

  for (const Caso& c : casos) {
    const QString filtro = QString::fromUtf8(c.filtro);
    SCOPED_TRACE(c.filtro);
    const QString texto = textoReferencia(filtro);
    EXPECT_EQ(titulosDeSecao(texto), c.secoes);
    if (c.secoes.isEmpty()) {
      EXPECT_EQ(texto, QStringLiteral("Nenhuma função tem \"%1\" no nome.\n").arg(filtro.trimmed()));
      continue;
    }
    // Each section comes whole: its example is the one of the full text.
    const QList<Exemplo> exemplos = exemplosDaReferencia(texto);
    ASSERT_EQ(exemplos.size(), c.secoes.size());
    for (const Exemplo& e : exemplos) EXPECT_EQ(e.texto, exemploCompleto.value(e.funcao)) << e.funcao.toStdString();
    EXPECT_FALSE(texto.contains(QLatin1String("\n## ")));
  }

  for (const char* vazio : {"", "   "}) EXPECT_EQ(textoReferencia(QString::fromUtf8(vazio)), completo);
  EXPECT_EQ(titulosDeSecao(completo).size(), catalogo::funcoes().size());
}

// Every example of the reference is a script the checker finds nothing in.
TEST(Referencia, ExemplosPassamPeloVerificador) {
  const QList<Exemplo> exemplos = exemplosDaReferencia(textoReferencia(QString()));
  ASSERT_GE(exemplos.size(), catalogo::funcoes().size());
  for (const Exemplo& e : exemplos) {
    QStringList achados;
    for (const CLAchado& a : verificarScript(dividirLinhas(e.texto))) achados << textoDoAchado(a);
    EXPECT_TRUE(achados.isEmpty()) << e.funcao.toStdString() << ": " << achados.join(u'\n').toStdString();
  }
}
