#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "impressaoQt.h"
#include "unPastaBaseTeste.h"
#include "unRegrasDialogos.h"
#include "unUtil.h"

using namespace mivo;

TEST(RegrasDialogos, LegendaEBotoesDeCadaTipo) {
  const struct {
    int tipo;
    const char* legenda;
    const char* primeiro;
    const char* segundo;
  } casos[] = {
      {1, "Informação", "Ok", ""}, {2, "Erro", "Ok", ""},           {3, "Aviso", "Ok", ""},
      {4, "Pergunta", "&Sim", "&Não"}, {5, "Dica", "Ok", ""},        {6, "Ajuda", "Ok", ""},
      {0, "", "Ok", ""},           {7, "", "Ok", ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.tipo);
    EXPECT_EQ(legendaDoTipo(c.tipo), QString::fromUtf8(c.legenda));
    const BotoesMensagem b = botoesDoTipo(c.tipo);
    EXPECT_EQ(b.primeiro, QString::fromUtf8(c.primeiro));
    EXPECT_EQ(b.segundo, QString::fromUtf8(c.segundo));
    EXPECT_EQ(b.segundoVisivel, *c.segundo != '\0');
  }
}

TEST(RegrasDialogos, EnterSoConfirmaSemSegundoBotaoEscCancelaSempre) {
  EXPECT_EQ(resultadoDaTecla(TeclaMensagem::Enter, false), kResultadoOk);
  EXPECT_EQ(resultadoDaTecla(TeclaMensagem::Enter, true), kResultadoNenhum);
  EXPECT_EQ(resultadoDaTecla(TeclaMensagem::Esc, false), kResultadoCancelar);
  EXPECT_EQ(resultadoDaTecla(TeclaMensagem::Esc, true), kResultadoCancelar);
}

TEST(RegrasDialogos, BarraNViraQuebraDeLinha) {
  const struct {
    const char* texto;
    const char* mostrado;
  } casos[] = {
      {"a\\nb", "a\nb"},
      {"a\\Nb", "a\nb"},             // any letter case
      {"a\\\\nb", "a\\\nb"},         // two backslashes: one stays, then the break
      {"\\n\\n", "\n\n"},
      {"a\r\nb\rc\nd", "a\nb\nc\nd"},  // real breaks in any form
      {"C:\\novo\\x", "C:\novo\\x"},  // the rule knows no exceptions
      {"sem quebra", "sem quebra"},
  };
  for (const auto& c : casos) EXPECT_EQ(textoDaMensagem(QString::fromUtf8(c.texto)), QString::fromUtf8(c.mostrado)) << c.texto;
}

TEST(RegrasDialogos, QuebrasEntreEditorEPrograma) {
  EXPECT_EQ(quebrasCrLf(QStringLiteral("a\nb\n")), QStringLiteral("a\r\nb\r\n"));
  EXPECT_EQ(quebrasCrLf(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\r\nb\r\nc"));  // never doubled
  EXPECT_EQ(quebrasQt(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
  EXPECT_EQ(quebrasQt(quebrasCrLf(QStringLiteral("x\n\ny"))), QStringLiteral("x\n\ny"));
}

TEST(RegrasDialogos, AlturaPedidaFicaEntreOMinimoEATela) {
  const struct {
    int pedida, minima, maxima, esperada;
  } casos[] = {
      {500, 160, 1040, 500}, {0, 160, 1040, 160}, {-30, 160, 1040, 160},
      {20000, 160, 1040, 1040}, {300, 160, 100, 160},  // a screen smaller than the window: the minimum
  };
  for (const auto& c : casos) EXPECT_EQ(alturaJanela(c.pedida, c.minima, c.maxima), c.esperada) << c.pedida;
}

TEST(RegrasDialogos, BytesGravadosTerminamCadaLinhaComCrLfSemPerderCaracteres) {
  const struct {
    const char* dados;
    CodificacaoArquivo codificacao;
    QByteArray bytes;
  } casos[] = {
      {"a\nb", CodificacaoArquivo::Ansi, "a\r\nb\r\n"},
      {"a\r\nb\r\n", CodificacaoArquivo::Ansi, "a\r\nb\r\n"},
      {"", CodificacaoArquivo::Ansi, ""},
      {"ação", CodificacaoArquivo::Ansi, "a\xE7\xE3o\r\n"},             // Windows-1252
      {"seta →", CodificacaoArquivo::Ansi, "\xEF\xBB\xBFseta \xE2\x86\x92\r\n"},  // does not fit: UTF-8
      {"ação", CodificacaoArquivo::Utf8ComBom, "\xEF\xBB\xBF" "a\xC3\xA7\xC3\xA3o\r\n"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(bytesParaGravar(QString::fromUtf8(c.dados), c.codificacao), c.bytes) << c.dados;
}

TEST(RegrasDialogos, GravarComoResolveNaPastaPadraoEPerguntaAntesDeSobrepor) {
  teste::CLPastaBaseTeste base;
  ASSERT_TRUE(base.isValid());
  const QString esperado = base.filePath(QStringLiteral("dados/textos/nota.txt"));
  QStringList perguntas;
  bool responder = false;
  auto confirmar = [&](const QString& caminho) {
    perguntas << caminho;
    return responder;
  };
  QString erro;

  // A bare name lands in the default folder with the extension; nothing asked.
  EXPECT_EQ(gravarComo(QStringLiteral(" nota "), QStringLiteral("dados\\textos\\"), QStringLiteral(".txt"),
                       QStringLiteral("um"), CodificacaoArquivo::Ansi, confirmar, &erro),
            esperado);
  EXPECT_TRUE(perguntas.isEmpty());

  // The file exists now: declining keeps it as it was.
  EXPECT_EQ(gravarComo(QStringLiteral("nota"), QStringLiteral("dados\\textos"), QStringLiteral(".txt"),
                       QStringLiteral("dois"), CodificacaoArquivo::Ansi, confirmar, &erro),
            QString());
  EXPECT_EQ(perguntas, QStringList{esperado});
  QString lido;
  ASSERT_TRUE(lerArquivoTexto(esperado, lido));
  EXPECT_EQ(lido, QStringLiteral("um\r\n"));

  responder = true;
  EXPECT_EQ(gravarComo(QStringLiteral("nota.txt"), QStringLiteral("dados\\textos"), QStringLiteral(".txt"),
                       QStringLiteral("dois"), CodificacaoArquivo::Ansi, confirmar, &erro),
            esperado);
  ASSERT_TRUE(lerArquivoTexto(esperado, lido));
  EXPECT_EQ(lido, QStringLiteral("dois\r\n"));

  // A blank name writes nothing (it would make a file named ".txt").
  EXPECT_EQ(gravarComo(QStringLiteral("  "), QStringLiteral("dados\\textos"), QStringLiteral(".txt"),
                       QStringLiteral("x"), CodificacaoArquivo::Ansi, confirmar, &erro),
            QString());
  EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("dados/textos/.txt"))));

  // The program's default folder is made when it is missing (a fresh
  // installation); a folder the user named that does not exist is not:
  // nothing written, and the reason given.
  EXPECT_EQ(gravarComo(QStringLiteral("nota"), QStringLiteral("dados\\nao_existe"), QStringLiteral(".txt"),
                       QStringLiteral("x"), CodificacaoArquivo::Ansi, confirmar, &erro),
            base.filePath(QStringLiteral("dados/nao_existe/nota.txt")));
  erro.clear();
  EXPECT_EQ(gravarComo(base.filePath(QStringLiteral("outra/nota")), QStringLiteral("dados\\textos"),
                       QStringLiteral(".txt"), QStringLiteral("x"), CodificacaoArquivo::Ansi, confirmar, &erro),
            QString());
  EXPECT_FALSE(erro.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(base.filePath(QStringLiteral("outra"))));
}
