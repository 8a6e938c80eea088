#include "unCLListaCompletar.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "unApoioEditor.h"
#include "unCatalogo.h"

using namespace mivo;

namespace {

QStringList nomes(const QList<const CLFuncao*>& fs) {
  QStringList r;
  for (const CLFuncao* f : fs) r << f->nome;
  return r;
}

TEST(ListaCompletar, EntradasSaoAsDoCatalogoNaOrdem) {
  CLListaCompletar lista;
  const QList<const CLFuncao*> entradas = catalogo::entradas();
  ASSERT_EQ(entradas.size(), 87);
  ASSERT_EQ(lista.filtrar(QString()), 87);
  const CLModeloCompletar& m = *lista.modelo();
  for (int i = 0; i < 87; ++i) {
    const QModelIndex ix = m.index(i);
    EXPECT_EQ(m.entrada(i), entradas.at(i));
    EXPECT_EQ(ix.data(Qt::DisplayRole).toString(), entradas.at(i)->nome);
    EXPECT_EQ(ix.data(CLModeloCompletar::PapelCategoria).toString(), entradas.at(i)->textoCategoria());
    EXPECT_EQ(ix.data(CLModeloCompletar::PapelInserir).toString(), entradas.at(i)->inserir);
    EXPECT_TRUE(QStringList({"Processo", "Ação", "Janela"}).contains(ix.data(CLModeloCompletar::PapelCategoria).toString()));
  }
  // The first entry as designed.
  EXPECT_EQ(m.index(0).data().toString(), QStringLiteral("&Bloco"));
  EXPECT_EQ(m.index(0).data(CLModeloCompletar::PapelCategoria).toString(), QStringLiteral("Processo"));
  EXPECT_EQ(m.index(0).data(CLModeloCompletar::PapelDica).toString(),
            QStringLiteral("[nome_bloco](<lista de chamadas>). [OK, FALHA]"));
  EXPECT_EQ(m.index(0).data(CLModeloCompletar::PapelInserir).toString(), QStringLiteral("&Bloco[nome_bloco]()."));
  EXPECT_EQ(lista.width(), 800);
  // Entries of the catalogue without a place in the list stay out.
  EXPECT_TRUE(CLModeloCompletar::filtrar(QStringLiteral("&TextoProcessar")).isEmpty());
}

TEST(ListaCompletar, FiltraPeloInicioSemDiferenciarMaiusculas) {
  struct Caso {
    QString digitado;
    QStringList esperados;
  };
  const QList<Caso> casos = {
      {"&teclarenter", {"&TeclarEnter"}},
      {"&TECLARCONTROLMAIS", {"&TeclarControlMais", "&TeclarControlMaisID"}},
      {"&ma", {"&Marcador"}},
      {"msg", {"&MsgExibir", "&MsgDica"}},  // without "&" too
      {"&mOuSeRoLaR", {"&MouseRolarCima", "&MouseRolarBaixo"}},
      {"&zzz", {}},
      {"&ção", {}},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(nomes(CLModeloCompletar::filtrar(c.digitado)), c.esperados) << c.digitado.toStdString();
  EXPECT_EQ(CLModeloCompletar::filtrar(QStringLiteral("&")).size(), 87);
  EXPECT_EQ(CLModeloCompletar::filtrar(QStringLiteral("&tecl")).size(), 17);
}

class EditorCompletar : public ::testing::Test {
 protected:
  void SetUp() override {
    ed.resize(700, 400);
    ed.show();
  }
  void digitar(const QString& texto) {
    for (QChar c : texto) QTest::keyClick(&ed, c.toLatin1());
  }
  QString linha() const { return ed.textoLinhaAtual(); }
  CLEditorScript ed;
};

TEST_F(EditorCompletar, AbreDepoisDoEComercialEInsereComTab) {
  EXPECT_EQ(ed.atrasoCompletar(), 500);
  digitar(QStringLiteral("&"));
  EXPECT_TRUE(ed.completarPendente());
  EXPECT_FALSE(ed.completarVisivel());  // not before its time
  ed.setAtrasoCompletar(20);
  digitar(QStringLiteral("&"));
  QTRY_VERIFY_WITH_TIMEOUT(ed.completarVisivel(), 5000);
  EXPECT_EQ(ed.listaCompletar()->qtdEntradas(), 87);
  digitar(QStringLiteral("tEcLaRe"));
  EXPECT_TRUE(ed.completarVisivel());
  EXPECT_EQ(ed.listaCompletar()->qtdEntradas(), 3);  // TeclarEnter, TeclarEsc, TeclarEsquerda
  digitar(QStringLiteral("n"));
  ASSERT_EQ(ed.listaCompletar()->qtdEntradas(), 1);
  QTest::keyClick(&ed, Qt::Key_Tab);
  EXPECT_FALSE(ed.completarVisivel());
  EXPECT_EQ(linha(), QStringLiteral("&&TeclarEnter()."));  // only the token is replaced
}

TEST_F(EditorCompletar, CtrlEspacoAbreNaHoraEEnterCompleta) {
  struct Caso {
    QString digitado;
    int descer;  // Down presses before Enter
    QString esperado;
  };
  const QList<Caso> casos = {
      {"&msgd", 0, "&MsgDica(\"|\";\"\")."},
      {"x tecl", 0, "x &TeclarEnter()."},              // a name without "&" gets it
      {"&MouseAguardarCor", 0, "&MouseAguardarCor(\"igual\";"},
      {"&MouseAguardarCor", 1, "&MouseAguardarCorPonto(\"igual\";rgb[0,0,0];10;800;800)."},
      {"&Se(&vaipa", 0, "&Se(&VaiPara("},                 // inside a call
  };
  for (const Caso& c : casos) {
    ed.setTextoScript(QString());
    digitar(c.digitado);
    QTest::keyClick(&ed, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(ed.completarVisivel()) << c.digitado.toStdString();
    for (int i = 0; i < c.descer; ++i) QTest::keyClick(&ed, Qt::Key_Down);
    QTest::keyClick(&ed, Qt::Key_Return);
    EXPECT_FALSE(ed.completarVisivel());
    EXPECT_EQ(linha(), c.esperado) << c.digitado.toStdString();
    EXPECT_EQ(ed.lines(), 1);  // Enter completed, no line break
  }
}

TEST_F(EditorCompletar, CaractereDeFimFechaEEscCancela) {
  for (const char fim : {'(', ')', '[', ']', '.', ' '}) {
    ed.setTextoScript(QString());
    digitar(QStringLiteral("&Te"));
    QTest::keyClick(&ed, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(ed.completarVisivel());
    QTest::keyClick(&ed, fim);
    EXPECT_FALSE(ed.completarVisivel()) << fim;
    EXPECT_EQ(linha(), QStringLiteral("&Te") + QChar(fim));
  }
  digitar(QStringLiteral("&Te"));
  QTest::keyClick(&ed, Qt::Key_Space, Qt::ControlModifier);
  QTest::keyClick(&ed, Qt::Key_Escape);
  EXPECT_FALSE(ed.completarVisivel());
  // A name nothing starts with closes the list.
  QTest::keyClick(&ed, Qt::Key_Space, Qt::ControlModifier);
  ASSERT_TRUE(ed.completarVisivel());
  digitar(QStringLiteral("qq"));
  EXPECT_FALSE(ed.completarVisivel());
  // Moving the caret out of the token closes it; inside, the list follows.
  ed.setTextoScript(QStringLiteral("&Teclar\n&Ms"));
  ed.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
  QTest::keyClick(&ed, Qt::Key_Space, Qt::ControlModifier);
  ASSERT_EQ(ed.listaCompletar()->qtdEntradas(), 2);
  QTest::keyClick(&ed, Qt::Key_Left);
  EXPECT_TRUE(ed.completarVisivel());
  EXPECT_EQ(ed.listaCompletar()->qtdEntradas(), 19);  // "&M"
  QTest::keyClick(&ed, Qt::Key_Left);
  EXPECT_EQ(ed.listaCompletar()->qtdEntradas(), 87);  // "&"
  QTest::keyClick(&ed, Qt::Key_Left);
  EXPECT_FALSE(ed.completarVisivel());  // before the token's start
  QTest::keyClick(&ed, Qt::Key_Space, Qt::ControlModifier);
  ASSERT_TRUE(ed.completarVisivel());
  ed.setCursorPosition(0, 3);  // another line (a click, say)
  QTRY_VERIFY_WITH_TIMEOUT(!ed.completarVisivel(), 5000);
  // The timer does not open it once the caret left the "&" token.
  ed.setTextoScript(QString());
  ed.setAtrasoCompletar(10);
  digitar(QStringLiteral("& "));
  QTest::qWait(60);
  EXPECT_FALSE(ed.completarVisivel());
}

}  // namespace
