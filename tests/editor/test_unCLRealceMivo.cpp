#include "unCLRealceMivo.h"

#include <gtest/gtest.h>

#include "unApoioEditor.h"
#include "unCatalogo.h"

using namespace mivo;
using namespace mivo::teste;
using E = CLRealceMivo::Estilo;

namespace {

struct CasoEstilo {
  const char* texto;   // the editor's text
  const char* trecho;  // a part of it
  int ocorrencia;      // which occurrence of the part
  E estilo;            // the style of every byte of the part
};

void PrintTo(const CasoEstilo& c, std::ostream* os) { *os << c.texto << " / " << c.trecho; }

class EstiloDoTrecho : public ::testing::TestWithParam<CasoEstilo> {};

TEST_P(EstiloDoTrecho, CadaByteTemOEstiloDoElemento) {
  const CasoEstilo& c = GetParam();
  CLEditorScript ed;
  ed.setTextoScript(QString::fromUtf8(c.texto));
  estilizarTudo(ed);
  const long pos = posicaoDe(ed, QString::fromUtf8(c.trecho), c.ocorrencia);
  ASSERT_GE(pos, 0);
  const long tamanho = QByteArray(c.trecho).size();
  for (long i = pos; i < pos + tamanho; ++i) EXPECT_EQ(estiloEm(ed, i), c.estilo) << "byte " << i - pos;
}

// One sample line and its neighbours: every element of the highlighter.
constexpr const char* kAmostra =
    "&TeclarEnter(). // aperta enter\n"
    "&teclarenter().\n"
    "&MSGEXIBIR(\"Olá, {nome}\nsegunda linha\").\n"
    "&Pausar(12).\n"
    "ação_Çé = 3.5\n"
    "/* bloco\n&TeclarEnter(). ainda bloco */ &VaiPara(fim).\n"
    "##pre_carregar\n";

INSTANTIATE_TEST_SUITE_P(
    Realce, EstiloDoTrecho,
    ::testing::Values(
        CasoEstilo{kAmostra, "TeclarEnter", 0, E::PalavraChave},          // name after "&"
        CasoEstilo{kAmostra, "teclarenter", 0, E::PalavraChave},          // lower case
        CasoEstilo{kAmostra, "MSGEXIBIR", 0, E::PalavraChave},            // upper case
        CasoEstilo{kAmostra, "&", 0, E::Padrao},                          // "&" is no identifier
        CasoEstilo{kAmostra, "// aperta enter", 0, E::Comentario},        // comment after a statement
        CasoEstilo{kAmostra, "\"Olá, {nome}\nsegunda linha\"", 0, E::Texto},  // a string over two lines
        CasoEstilo{kAmostra, ").\n", 1, E::Padrao},                       // after the string: ordinary again
        CasoEstilo{kAmostra, "12", 0, E::Numero},
        CasoEstilo{kAmostra, "3.5", 0, E::Numero},
        CasoEstilo{kAmostra, "ação_Çé", 0, E::Identificador},             // accented identifier
        CasoEstilo{kAmostra, " ", 0, E::Espaco},
        // No block comment in the language: what stands between runs and is
        // coloured as what it is.
        CasoEstilo{kAmostra, "/*", 0, E::Padrao},
        CasoEstilo{kAmostra, "TeclarEnter", 1, E::PalavraChave},
        CasoEstilo{kAmostra, "ainda", 0, E::Identificador},
        CasoEstilo{kAmostra, "*/", 0, E::Padrao},
        CasoEstilo{kAmostra, "VaiPara", 0, E::PalavraChave},
        CasoEstilo{kAmostra, "pre_carregar", 0, E::PalavraChave},         // section word
        CasoEstilo{"&Pausar100(1).", "Pausar100", 0, E::PalavraChave},    // digits inside a name
        CasoEstilo{"x \"sem fim\n&TeclarEnter().", "&TeclarEnter().", 0, E::Texto},  // open string runs on
        CasoEstilo{"&Valor(\"a // b\").", "\"a // b\"", 0, E::Texto},     // no comment inside a string
        CasoEstilo{"&Valor(x). // \"aspas\"\n&Data().", "Data", 0, E::PalavraChave}));  // quote in a comment

TEST(Realce, CoresEFontesComoDesenhadas) {
  CLRealceMivo r;
  EXPECT_EQ(r.color(E::Comentario), QColor(231, 96, 5));  // Windows colour 352487 = 0x0560E7 (BGR)
  EXPECT_EQ(r.color(E::Identificador), QColor(0x51, 0x51, 0x51));  // 5329233 = 0x515151
  EXPECT_EQ(r.paper(E::Identificador), QColor(Qt::white));
  EXPECT_EQ(r.color(E::Numero), QColor(255, 0, 255));
  EXPECT_TRUE(r.font(E::Numero).bold());
  EXPECT_FALSE(r.font(E::Identificador).bold());
  EXPECT_EQ(r.color(E::Texto), QColor(0, 128, 128));
  EXPECT_EQ(r.color(E::Espaco), QColor(255, 0, 0));
  EXPECT_EQ(r.font(E::Padrao).family(), QStringLiteral("Courier New"));
  EXPECT_DOUBLE_EQ(r.font(E::Padrao).pointSizeF(), 9.75);  // 13 pixels at 96 dpi
  EXPECT_EQ(CLRealceMivo::corWindows(0x00FF0000), QColor(0, 0, 255));
  for (int e = 0; e < CLRealceMivo::kQtdEstilos; ++e) EXPECT_FALSE(r.description(e).isEmpty()) << e;
  EXPECT_TRUE(r.description(CLRealceMivo::kQtdEstilos).isEmpty());
}

TEST(Realce, PalavrasSaoOCatalogoMaisAsSecoes) {
  CLRealceMivo r;
  for (const CLFuncao& f : catalogo::funcoes())
    EXPECT_TRUE(r.palavras().contains(f.nome.mid(1).toLower().toLatin1())) << f.nome.toStdString();
  for (const char* s : {"config", "config_fim", "pre_carregar", "pre_carregar_fim", "parametros", "parametros_fim"})
    EXPECT_TRUE(r.palavras().contains(s)) << s;
  EXPECT_EQ(r.palavras().size(), catalogo::funcoes().size() + 6);
  EXPECT_FALSE(r.palavras().contains("nome"));
}

// Styling goes line by line: an edit restyles from its line on, and the
// state a line starts in comes from the line before.
TEST(Realce, EdicaoReestilizaAsLinhasSeguintes) {
  CLEditorScript ed;
  ed.setTextoScript(QStringLiteral("&MsgExibir(\"abre\n&TeclarEnter().\n&TeclarEsc()."));
  estilizarTudo(ed);
  EXPECT_EQ(estiloEm(ed, posicaoDe(ed, QStringLiteral("TeclarEsc"))), E::Texto);
  // Closing the string on its own line turns the lines below back into code.
  ed.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<uintptr_t>(posicaoDe(ed, QStringLiteral("\n"))),
                   "\").");
  estilizarTudo(ed);
  EXPECT_EQ(estiloEm(ed, posicaoDe(ed, QStringLiteral("TeclarEnter"))), E::PalavraChave);
  EXPECT_EQ(estiloEm(ed, posicaoDe(ed, QStringLiteral("TeclarEsc"))), E::PalavraChave);
  // A slash-asterisk on the first line comments nothing out: the lines
  // below stay code.
  ed.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, uintptr_t{0}, "/*");
  estilizarTudo(ed);
  EXPECT_EQ(estiloEm(ed, posicaoDe(ed, QStringLiteral("TeclarEnter"))), E::PalavraChave);
  EXPECT_EQ(estiloEm(ed, posicaoDe(ed, QStringLiteral("TeclarEsc"))), E::PalavraChave);
}

TEST(Realce, BytesQuaisquerRecebemUmEstiloCada) {
  CLRealceMivo r;
  QByteArray lixo;
  for (int i = 0; i < 4096; ++i) lixo.append(char((i * 7919 + 13) % 256));
  lixo.append("\xC3");  // a sequence cut at the end
  const QByteArray estilos = r.estilizar(lixo);
  ASSERT_EQ(estilos.size(), lixo.size());
  for (char e : estilos) ASSERT_TRUE(e >= 0 && e < CLRealceMivo::kQtdEstilos);
}

}  // namespace
