#include "unCLDocumentoScript.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QList>
#include <QFile>
#include <QTemporaryDir>

#include "unUtil.h"

namespace mivo {
namespace {

void gravarBytes(const QString& caminho, const QByteArray& bytes) {
  QFile f(caminho);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

TEST(CLDocumentoScript, ModeloDeNovoScript) {
  const QStringList l = CLDocumentoScript::linhasNovoScript(QDate(2021, 3, 5));
  ASSERT_EQ(l.size(), 56);
  EXPECT_EQ(l[0], QStringLiteral("##info"));
  EXPECT_EQ(l[1], QStringLiteral("Data de criação: 05/03/2021"));
  EXPECT_EQ(l[4], QString());
  // Trailing blanks are part of the template.
  EXPECT_EQ(l[8], QStringLiteral("ocultar_aba_script=não // Oculta a aba Script ao rodar "));
  EXPECT_EQ(l[11], QStringLiteral("ocultar_texto=não // Oculta a caixa de texto (aba Dados) ao rodar)"));
  EXPECT_EQ(l[20], QStringLiteral("ocultar_aba_dados=não // Oculta a aba \"Dados\" ao abrir o script"));
  EXPECT_EQ(l[37], QStringLiteral("##parametros"));
  EXPECT_EQ(l[39], QStringLiteral("##parametros_fim"));
  EXPECT_EQ(l[42], QStringLiteral("// use \\n em um texto para quebrar linha"));
  EXPECT_EQ(l[47], QStringLiteral("&msgExibir(\"Olá mundo\")."));
  EXPECT_EQ(l[55], QStringLiteral("&marcador(fim)."));
  // Its sections read as designed: nothing hidden, no parameter lines.
  const ConfigExecucao c = CLDocumentoScript::lerConfig(l);
  EXPECT_FALSE(c.executarMinimizado);
  EXPECT_FALSE(c.fecharAoTerminar);
  EXPECT_TRUE(c.abaScript && c.abaDados && c.abaTexto && c.lista && c.detalheCelula);
  EXPECT_EQ(CLDocumentoScript::lerInfo(l.join(u'\n')),
            QStringLiteral("Data de criação: 05/03/2021\nAutor: Seu nome"));
}

TEST(CLDocumentoScript, LerScriptGuardaOTextoEmQualquerCodificacao) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct Caso {
    const char* nome;
    QByteArray bytes;
    QString texto;
  };
  const QString acentos = QStringLiteral("&MsgExibir(\"Atenção, João\").");
  const QList<Caso> casos = {
      {"utf8.mivo", acentos.toUtf8() + "\r\n&Fim().\r\n", acentos + u'\n' + QStringLiteral("&Fim().")},
      {"ansi.mivo", codificarWindows1252(acentos) + "\r\n", acentos},
      {"bom.mivo", codificarUtf8ComBom(QStringLiteral("✓ ok")), QStringLiteral("✓ ok")},
      {"utf16.mivo", QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char*>(u"ação"), 8),
       QStringLiteral("ação")},
      {"vazio.mivo", QByteArray(), QString()},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const QString caminho = dir.filePath(QString::fromLatin1(c.nome));
    gravarBytes(caminho, c.bytes);
    const LeituraScript r = CLDocumentoScript::lerScript(caminho);
    ASSERT_TRUE(r.ok) << r.erro.toStdString();
    EXPECT_EQ(r.texto, c.texto);
    EXPECT_EQ(r.caminho, caminho);
  }
}

TEST(CLDocumentoScript, LerScriptRecusaComMensagemClara) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  gravarBytes(dir.filePath(QStringLiteral("imagem.mivo")), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  QDir(dir.path()).mkdir(QStringLiteral("pasta.mivo"));
  struct Caso {
    QString nome;
    QString trecho;
  };
  const QList<Caso> casos = {
      {dir.filePath(QStringLiteral("nao_existe.mivo")), QStringLiteral("não foi encontrado")},
      {dir.filePath(QStringLiteral("imagem.mivo")), QStringLiteral("não é um script: ele não contém texto")},
      {dir.filePath(QStringLiteral("pasta.mivo")), QStringLiteral("não é um arquivo de script")},
      {QStringLiteral("   "), QStringLiteral("Informe o nome do script")},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome.toStdString());
    const LeituraScript r = CLDocumentoScript::lerScript(c.nome);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.texto.isEmpty());
    EXPECT_TRUE(r.erro.contains(c.trecho)) << r.erro.toStdString();
  }
}

TEST(CLDocumentoScript, NomeCaminhoESalvamento) {
  CLDocumentoScript d;
  EXPECT_TRUE(d.semNome());
  EXPECT_TRUE(d.salvo());
  EXPECT_EQ(d.legendaNome(), QStringLiteral("  Script: Sem nome  "));
  d.setSalvo(false);
  // A cancelled or failed save changes nothing.
  d.aplicarSalvamento(QString());
  EXPECT_TRUE(d.semNome());
  EXPECT_FALSE(d.salvo());
  // Still without a name, the caption stays as it is (not "Mivo - ").
  EXPECT_EQ(d.tituloAposNomear(QStringLiteral("Mivo")), QStringLiteral("Mivo"));
  d.aplicarSalvamento(QStringLiteral("/tmp/x/meu_script.MIVO"));
  EXPECT_EQ(d.nome(), QStringLiteral("meu_script"));
  EXPECT_EQ(d.caminho(), QStringLiteral("/tmp/x/meu_script.MIVO"));
  EXPECT_TRUE(d.salvo());
  EXPECT_EQ(d.legendaNome(), QStringLiteral("  Script: meu_script  "));
  EXPECT_EQ(d.tituloAposNomear(QStringLiteral("Mivo")), QStringLiteral("Mivo - meu script"));
  EXPECT_EQ(d.tituloAposNomear(QStringLiteral("Mivo - outro")), QStringLiteral("Mivo - outro"));
  d.setSalvo(false);
  d.aplicarSalvamento(QString());
  EXPECT_EQ(d.nome(), QStringLiteral("meu_script"));
  EXPECT_EQ(d.caminho(), QStringLiteral("/tmp/x/meu_script.MIVO"));
  EXPECT_FALSE(d.salvo());
  EXPECT_EQ(d.nomeDuplicata(QDateTime(QDate(2021, 3, 5), QTime(14, 27, 5))),
            QStringLiteral("meu_script 05-03-21-14275"));
  EXPECT_EQ(d.nomeDuplicata(QDateTime(QDate(2009, 12, 31), QTime(0, 0, 0))),
            QStringLiteral("meu_script 31-12-09-000"));
}

TEST(CLDocumentoScript, ArquivoDeParametrosNuncaEhOProprioScript) {
  const QList<std::pair<QString, QString>> casos = {
      {QStringLiteral("/s/envio.mivo"), QStringLiteral("/s/envio.params")},
      {QStringLiteral("/s/Envio.MIVO"), QStringLiteral("/s/Envio.params")},
      {QStringLiteral("/s.mivo/envio.mivo"), QStringLiteral("/s.mivo/envio.params")},
      {QStringLiteral("/s/envio.txt"), QString()},
      {QStringLiteral("/s/envio.mivo.bak"), QString()},
      {QStringLiteral("/s.mivo/envio"), QString()},
      {QString(), QString()},
  };
  for (const auto& [script, params] : casos) {
    SCOPED_TRACE(script.toStdString());
    EXPECT_EQ(CLDocumentoScript::caminhoParametros(script), params);
    EXPECT_NE(CLDocumentoScript::caminhoParametros(script), script.isEmpty() ? QStringLiteral("-") : script);
  }
}

TEST(CLDocumentoScript, SecaoDeInformacoes) {
  const QString doc = QStringLiteral("##info\nlinha 1\nlinha 2\n##info_fim\n&A().");
  EXPECT_EQ(CLDocumentoScript::lerInfo(doc), QStringLiteral("linha 1\nlinha 2"));
  EXPECT_EQ(CLDocumentoScript::gravarInfo(doc, QStringLiteral("  nova  \n")),
            QStringLiteral("##info\nnova\n##info_fim\n&A()."));
  // Without its end marker the memo is empty and saving puts a whole new
  // section in front; the new one is the one read.
  const QString semFim = QStringLiteral("##info\nvelha\n&A().");
  EXPECT_EQ(CLDocumentoScript::lerInfo(semFim), QString());
  const QString gravado = CLDocumentoScript::gravarInfo(semFim, QStringLiteral("nova"));
  EXPECT_EQ(gravado, QStringLiteral("##info\nnova\n##info_fim\n##info\nvelha\n&A()."));
  EXPECT_EQ(CLDocumentoScript::lerInfo(gravado), QStringLiteral("nova"));
}

TEST(CLDocumentoScript, SecaoDeConfiguracao) {
  struct Caso {
    const char* nome;
    QStringList linhas;
    bool minimizado, fechar, abaScript, abaDados, abaTexto, lista;
  };
  auto secao = [](QStringList meio) {
    meio.prepend(QStringLiteral("  ##config // começo"));
    meio.append(QStringLiteral("##config_fim"));
    return meio;
  };
  const QList<Caso> casos = {
      {"tudo sim", secao({"ocultar_janela=sim", "fechar_ao_terminar=sim // fim", "ocultar_aba_script=sim",
                          "ocultar_aba_dados=sim", "ocultar_texto=sim", "ocultar_lista=sim"}),
       true, true, false, false, false, false},
      {"comentário sem blank fica no valor", secao({"ocultar_janela=sim//comentário"}), false, false, true, true, true,
       true},
      {"blank depois do =", secao({"ocultar_janela= sim", "ocultar_lista= sim"}), true, false, true, true, true, true},
      {"Sim maiúsculo não conta", secao({"ocultar_aba_dados=Sim", "OCULTAR_TEXTO=sim"}), false, false, true, true,
       false, true},
      {"marcador em maiúsculas não é seção", {"##CONFIG", "ocultar_janela=sim", "##CONFIG_FIM"}, false, false, true,
       true, true, true},
      {"sem fim", {"##config", "ocultar_janela=sim"}, false, false, true, true, true, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const ConfigExecucao r = CLDocumentoScript::lerConfig(c.linhas);
    EXPECT_EQ(r.executarMinimizado, c.minimizado);
    EXPECT_EQ(r.fecharAoTerminar, c.fechar);
    EXPECT_EQ(r.abaScript, c.abaScript);
    EXPECT_EQ(r.abaDados, c.abaDados);
    EXPECT_EQ(r.abaTexto, c.abaTexto);
    EXPECT_EQ(r.lista, c.lista);
  }
}

TEST(CLDocumentoScript, AbasVisiveis) {
  const AbasVisiveis nada = CLDocumentoScript::abasVisiveis(false, false, true);
  EXPECT_TRUE(nada.barraVisivel);
  EXPECT_EQ(nada.abaAtiva, -1);
  EXPECT_FALSE(nada.aba[2]);
  // "Script" hidden: the "Dados" page alone, without a header.
  const AbasVisiveis soDados = CLDocumentoScript::abasVisiveis(true, false, false);
  EXPECT_FALSE(soDados.barraVisivel);
  EXPECT_EQ(soDados.abaAtiva, 1);
  EXPECT_FALSE(soDados.aba[0]);
  const AbasVisiveis soScript = CLDocumentoScript::abasVisiveis(false, true, false);
  EXPECT_FALSE(soScript.barraVisivel);
  EXPECT_EQ(soScript.abaAtiva, 0);
  EXPECT_FALSE(soScript.aba[1]);
}

}  // namespace
}  // namespace mivo
