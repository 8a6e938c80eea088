#include "unLeitorOds.h"

#include <gtest/gtest.h>

#include "impressaoQt.h"

#include <QTemporaryDir>

#include "unCLNegOffice.h"
#include "unPlanilhaTeste.h"

using namespace mivo;
using namespace mivo::teste;

namespace {

const QString kNamespaces = QStringLiteral(
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\"");

// content.xml with these automatic styles and this first table (its
// columns and rows as XML).
QByteArray conteudo(const QString& estilos, const QString& tabela) {
  return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content ") + kNamespaces +
          QStringLiteral("><office:automatic-styles>") + estilos +
          QStringLiteral("</office:automatic-styles><office:body><office:spreadsheet><table:table table:name=\"A\">") +
          tabela + QStringLiteral("</table:table></office:spreadsheet></office:body></office:document-content>"))
      .toUtf8();
}

QString celulaTexto(const QString& t) {
  return QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>").arg(t);
}

class LeitorOds : public ::testing::Test {
 protected:
  QTemporaryDir pasta;
  QList<QStringList> importar(const QList<std::pair<QString, QByteArray>>& partes) {
    const QString caminho = pasta.filePath(QStringLiteral("p.ods"));
    QList<std::pair<QString, QByteArray>> todas{
        {QStringLiteral("mimetype"), QByteArray("application/vnd.oasis.opendocument.spreadsheet")}};
    todas << partes;
    EXPECT_TRUE(gravarZip(caminho, todas));
    CLGrade g;
    const ResultadoImportacao r = CLNegOffice().importar(caminho, {}, g);
    EXPECT_EQ(r.desfecho, Desfecho::Concluido) << r.mensagem.toStdString();
    QList<QStringList> linhas;
    for (int l = 0; l < g.RowCount(); ++l) linhas << g.celulasLinha(l);
    return linhas;
  }
};

TEST_F(LeitorOds, CadaValorComONumeroDoEstiloDaSuaCelula) {
  // Each case: number styles (the one the cell uses is named N; "%1" makes
  // the names of a case its own), the value attributes of the cell, and the
  // value as the sheet shows it.
  struct Caso {
    const char* nome;
    QString estilos;
    QString valor;
    QString esperado;
  };
  const QString zeros = QStringLiteral(
      "<number:number-style style:name=\"N%1\"><number:number number:decimal-places=\"0\" "
      "number:min-integer-digits=\"5\"/></number:number-style>");
  const QString opcionais = QStringLiteral(
      "<number:number-style style:name=\"N%1\"><number:number number:decimal-places=\"2\" "
      "number:min-decimal-places=\"0\" number:min-integer-digits=\"1\" number:grouping=\"true\"/></number:number-style>");
  const QString secoes = QStringLiteral(
      "<number:currency-style style:name=\"P%1a\"><number:currency-symbol>R$</number:currency-symbol>"
      "<number:text> </number:text><number:number number:decimal-places=\"2\" number:min-integer-digits=\"1\"/>"
      "</number:currency-style>"
      "<number:currency-style style:name=\"P%1b\"><number:text>(</number:text><number:currency-symbol>R$"
      "</number:currency-symbol><number:text> </number:text><number:number number:decimal-places=\"2\" "
      "number:min-integer-digits=\"1\"/><number:text>)</number:text></number:currency-style>"
      "<number:currency-style style:name=\"N%1\"><number:text>zero</number:text>"
      "<style:map style:condition=\"value()&gt;0\" style:apply-style-name=\"P%1a\"/>"
      "<style:map style:condition=\"value()&lt;0\" style:apply-style-name=\"P%1b\"/></number:currency-style>");
  const QString data = QStringLiteral(
      "<number:date-style style:name=\"N%1\"><number:day number:style=\"long\"/><number:text>/</number:text>"
      "<number:month number:style=\"long\"/><number:text>/</number:text><number:year number:style=\"long\"/>"
      "</number:date-style>");
  const QString horaMinuto = QStringLiteral(
      "<number:time-style style:name=\"N%1\"><number:hours number:style=\"long\"/><number:text>:</number:text>"
      "<number:minutes number:style=\"long\"/></number:time-style>");
  const QString booleano = QStringLiteral("<number:boolean-style style:name=\"N%1\"><number:boolean/></number:boolean-style>");
  auto numero = [](const char* v) { return QStringLiteral("office:value-type=\"float\" office:value=\"%1\"").arg(QLatin1String(v)); };
  auto dataValor = [](const char* v) { return QStringLiteral("office:value-type=\"date\" office:date-value=\"%1\"").arg(QLatin1String(v)); };
  auto hora = [](const char* v) { return QStringLiteral("office:value-type=\"time\" office:time-value=\"%1\"").arg(QLatin1String(v)); };
  const QList<Caso> casos = {
      {"geral, como o LibreOffice o grava",
       "<number:number-style style:name=\"N%1\"><number:number number:min-integer-digits=\"1\"/></number:number-style>",
       numero("1234.5"), "1234,5"},
      {"zeros a esquerda", zeros, numero("123"), "00123"},
      {"zeros a esquerda num numero maior", zeros, numero("1234567"), "1234567"},
      {"CEP com texto embutido",
       "<number:number-style style:name=\"N%1\"><number:number number:decimal-places=\"0\" number:min-integer-digits=\"8\">"
       "<number:embedded-text number:position=\"3\">-</number:embedded-text></number:number></number:number-style>",
       numero("1310100"), "01310-100"},
      {"casas opcionais e milhares", opcionais, numero("1234.5"), "1.234,5"},
      {"casas opcionais num inteiro", opcionais, numero("1234"), "1.234"},
      {"em milhares",
       "<number:number-style style:name=\"N%1\"><number:number number:decimal-places=\"0\" number:min-integer-digits=\"1\" "
       "number:grouping=\"true\" number:display-factor=\"1000\"/><number:text> mil</number:text></number:number-style>",
       numero("1500000"), "1.500 mil"},
      {"notacao cientifica",
       "<number:number-style style:name=\"N%1\"><number:scientific-number number:decimal-places=\"2\" "
       "number:min-integer-digits=\"1\" number:min-exponent-digits=\"2\"/></number:number-style>",
       numero("12345"), "1,23E+04"},
      {"porcentagem com uma casa",
       "<number:percentage-style style:name=\"N%1\"><number:number number:decimal-places=\"1\" "
       "number:min-integer-digits=\"1\"/><number:text>%</number:text></number:percentage-style>",
       "office:value-type=\"percentage\" office:value=\"0.12345\"", "12,3%"},
      {"texto com aspas e por cento num numero",
       "<number:number-style style:name=\"N%1\"><number:number number:decimal-places=\"0\" number:min-integer-digits=\"1\"/>"
       "<number:text> \"%\"</number:text></number:number-style>",
       numero("7"), "7 \"%\""},
      {"moeda positiva", secoes, numero("5"), "R$ 5,00"},
      {"moeda negativa", secoes, numero("-5"), "(R$ 5,00)"},
      {"moeda zero", secoes, numero("0"), "zero"},
      {"booleano num numero", booleano, numero("1"), "VERDADEIRO"},
      {"falso num numero", booleano, numero("0"), "FALSO"},
      {"estilo de texto num numero",
       "<number:text-style style:name=\"N%1\"><number:text-content/></number:text-style>", numero("7.5"), "7,5"},
      {"data com dia da semana e mes abreviado",
       "<number:date-style style:name=\"N%1\"><number:day-of-week/><number:text>, </number:text><number:day/>"
       "<number:text> </number:text><number:month number:textual=\"true\"/><number:text> </number:text>"
       "<number:year number:style=\"long\"/></number:date-style>",
       dataValor("2024-03-15"), "sex, 15 mar 2024"},
      {"data antes de 1900", data, dataValor("1899-12-25"), "25/12/1899"},
      {"data com estilo de numero",
       "<number:number-style style:name=\"N%1\"><number:number number:decimal-places=\"0\" "
       "number:min-integer-digits=\"1\"/></number:number-style>",
       dataValor("2024-03-15"), "45366"},
      {"data e hora com estilo de hora", horaMinuto, dataValor("2024-01-01T08:00:00"), "08:00"},
      {"data e hora gravada como duracao", horaMinuto, hora("PT1087016H00M00S"), "08:00"},
      {"hora com AM/PM",
       "<number:time-style style:name=\"N%1\"><number:hours/><number:text>:</number:text>"
       "<number:minutes number:style=\"long\"/><number:text> </number:text><number:am-pm/></number:time-style>",
       hora("PT13H30M00S"), "1:30 PM"},
      {"segundos com decimos",
       "<number:time-style style:name=\"N%1\"><number:hours number:style=\"long\"/><number:text>:</number:text>"
       "<number:minutes number:style=\"long\"/><number:text>:</number:text>"
       "<number:seconds number:style=\"long\" number:decimal-places=\"1\"/></number:time-style>",
       hora("PT0H0M5.2S"), "00:00:05,2"},
      {"minutos decorridos",
       "<number:time-style style:name=\"N%1\" number:truncate-on-overflow=\"false\"><number:minutes/>"
       "<number:text>:</number:text><number:seconds number:style=\"long\"/></number:time-style>",
       hora("PT2H03M04S"), "123:04"},
  };
  QString estilos, linhas = QStringLiteral("<table:table-row>") + celulaTexto(QStringLiteral("caso")) +
                            celulaTexto(QStringLiteral("valor")) + QStringLiteral("</table:table-row>");
  for (qsizetype i = 0; i < casos.size(); ++i) {
    estilos += casos[i].estilos.arg(i) +
               QStringLiteral("<style:style style:name=\"ce%1\" style:family=\"table-cell\" style:data-style-name=\"N%1\"/>")
                   .arg(i);
    linhas += QStringLiteral("<table:table-row>%1<table:table-cell table:style-name=\"ce%2\" %3/></table:table-row>")
                  .arg(celulaTexto(QString::fromUtf8(casos[i].nome)))
                  .arg(i)
                  .arg(casos[i].valor);
  }
  const QList<QStringList> lido = importar({{QStringLiteral("content.xml"), conteudo(estilos, linhas)}});
  ASSERT_EQ(lido.size(), casos.size() + 1);
  for (qsizetype i = 0; i < casos.size(); ++i) EXPECT_EQ(lido[i + 1].value(1), casos[i].esperado) << casos[i].nome;
}

TEST_F(LeitorOds, EstiloDaColunaDaLinhaEDosEstilosComNome) {
  // A cell without a style of its own takes its row's default style, else
  // its column's; a style without a number format takes its parent's, which
  // may be a named style of styles.xml.
  const QByteArray estilosNomeados =
      (QStringLiteral("<office:document-styles ") + kNamespaces +
       QStringLiteral("><office:styles><number:number-style style:name=\"Zeros\"><number:number "
                      "number:decimal-places=\"0\" number:min-integer-digits=\"4\"/></number:number-style>"
                      "<style:style style:name=\"Codigo\" style:family=\"table-cell\" style:data-style-name=\"Zeros\"/>"
                      "</office:styles></office:document-styles>"))
          .toUtf8();
  const QString automaticos = QStringLiteral(
      "<number:percentage-style style:name=\"Pct\"><number:number number:decimal-places=\"0\" "
      "number:min-integer-digits=\"1\"/><number:text>%</number:text></number:percentage-style>"
      "<style:style style:name=\"ceFilho\" style:family=\"table-cell\" style:parent-style-name=\"Codigo\"/>"
      "<style:style style:name=\"cePct\" style:family=\"table-cell\" style:data-style-name=\"Pct\"/>");
  auto valor = [](const char* v, const char* estilo = nullptr) {
    return QStringLiteral("<table:table-cell %1office:value-type=\"float\" office:value=\"%2\"/>")
        .arg(estilo ? QStringLiteral("table:style-name=\"%1\" ").arg(QLatin1String(estilo)) : QString(), QLatin1String(v));
  };
  const QString tabela =
      QStringLiteral("<table:table-column/><table:table-column table:number-columns-repeated=\"2\" "
                     "table:default-cell-style-name=\"cePct\"/><table:table-column table:default-cell-style-name=\"ceFilho\"/>"
                     "<table:table-row>") +
      celulaTexto(QStringLiteral("a")) + celulaTexto(QStringLiteral("b")) + celulaTexto(QStringLiteral("c")) +
      celulaTexto(QStringLiteral("d")) + QStringLiteral("</table:table-row><table:table-row>") + valor("1") +
      valor("0.5") + valor("0.25", "Codigo") + valor("7") +
      QStringLiteral("</table:table-row><table:table-row table:default-cell-style-name=\"ceFilho\">") + valor("2") +
      valor("0.75", "cePct") + valor("3", "Codigo") + valor("8") + QStringLiteral("</table:table-row>");
  const QList<QStringList> lido = importar({{QStringLiteral("styles.xml"), estilosNomeados},
                                            {QStringLiteral("content.xml"), conteudo(automaticos, tabela)}});
  EXPECT_EQ(lido, (QList<QStringList>{{"a", "b", "c", "d"}, {"1", "50%", "0000", "0007"}, {"0002", "75%", "0003", "0008"}}));
}

}  // namespace
