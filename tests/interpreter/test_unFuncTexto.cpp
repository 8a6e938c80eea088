#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "unCLDesktopSimulado.h"
#include "unCLErro.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unPastaBaseTeste.h"
#include "unUtil.h"

using namespace mivo;

namespace {

class TextoAuxiliar : public ::testing::Test {
 protected:
  teste::CLPastaBaseTeste base;
  teste::CLHostTeste host;
  CLDesktopSimulado desktop;
  CLScript script{host.usarDesktop(desktop)};
  QString f(const char* instrucao) { return script.execFunction(QString::fromUtf8(instrucao)); }
};

}  // namespace

TEST_F(TextoAuxiliar, LinhasDoTexto) {
  script.valores().acrescentar(QStringLiteral("x"), QStringLiteral("X"));
  f("&TaDefinir(\"um\\ndois [x]\").");
  EXPECT_EQ(host.textoAuxiliarLinhas(), (QStringList{"um", "dois X"}));
  f("&TaDefinir(\"um\\n[x]\";\"não\").");  // references stay, line breaks still work
  EXPECT_EQ(host.textoAuxiliarLinhas(), (QStringList{"um", "[x]"}));
  f("&TaLinhaAdicionar(\"três [x]\").");
  f("&TaLinhaAdicionar(\"[x]\";\"NÃO \").");
  EXPECT_EQ(f("&TaPegarTudo()."), QStringLiteral("um\r\n[x]\r\ntrês X\r\n[x]\r\n"));
  // Lines count from 1, and 0 or a negative number names line 1; numbers
  // past the end name no line, so reading gives nothing and deleting answers
  // FALHA; the extremes of an int must not overflow on the way.
  const struct {
    const char* linha;
    const char* pegar;   // what &TaLinhaPegar gives
    const char* apagar;  // what &TaLinhaApagar answers (on a fresh copy)
    QStringList depois;  // the lines after deleting
  } casos[] = {
      {"1", "um", "OK", {"[x]", "três X", "[x]"}},
      {" 3 ", "três X", "OK", {"um", "[x]", "[x]"}},
      {"4", "[x]", "OK", {"um", "[x]", "três X"}},
      {"0", "um", "OK", {"[x]", "três X", "[x]"}},
      {"-1", "um", "OK", {"[x]", "três X", "[x]"}},
      {"-5", "um", "OK", {"[x]", "três X", "[x]"}},
      {"-2147483648", "um", "OK", {"[x]", "três X", "[x]"}},
      {"2147483647", "", "FALHA", {"um", "[x]", "três X", "[x]"}},
      {"5", "", "FALHA", {"um", "[x]", "três X", "[x]"}},
      {"9999999999", "", "FALHA", {"um", "[x]", "três X", "[x]"}},  // no int
      {"-9999999999", "", "FALHA", {"um", "[x]", "três X", "[x]"}},
      {"x", "", "FALHA", {"um", "[x]", "três X", "[x]"}},
  };
  const QStringList linhas = host.textoAuxiliarLinhas();
  for (const auto& c : casos) {
    host.setTextoAuxiliarLinhas(linhas);
    const QString n = QString::fromUtf8(c.linha);
    EXPECT_EQ(script.execFunction(QStringLiteral("&TaLinhaPegar(%1).").arg(n)), QString::fromUtf8(c.pegar)) << c.linha;
    EXPECT_EQ(host.textoAuxiliarLinhas(), linhas) << c.linha;  // reading changes nothing
    EXPECT_EQ(script.execFunction(QStringLiteral("&TaLinhaApagar(%1).").arg(n)), QString::fromUtf8(c.apagar)) << c.linha;
    EXPECT_EQ(host.textoAuxiliarLinhas(), c.depois) << c.linha;
  }
  host.setTextoAuxiliarLinhas({});
  for (const char* n : {"1", "0", "-3"}) {
    EXPECT_EQ(script.execFunction(QStringLiteral("&TaLinhaPegar(%1).").arg(n)), QString()) << n;
    EXPECT_EQ(script.execFunction(QStringLiteral("&TaLinhaApagar(%1).").arg(n)), QStringLiteral("FALHA")) << n;
  }
}

TEST_F(TextoAuxiliar, AbrirESalvar) {
  const QString arquivo = base.filePath(QStringLiteral("dados/textos/modelo.txt"));
  ASSERT_TRUE(gravarArquivo(arquivo, "Ol\xE1 [nome]\r\nsegunda"));  // Windows-1252
  EXPECT_EQ(f("&TaAbrir(\"modelo\")."), QStringLiteral("OK"));
  EXPECT_EQ(host.textoAuxiliarLinhas(), (QStringList{"Olá [nome]", "segunda"}));
  EXPECT_EQ(host.textoAberto(), arquivo);
  EXPECT_EQ(f("&TaAbrir(\"nao-existe\")."), QStringLiteral("FALHA"));
  host.setTextoAuxiliarLinhas({QStringLiteral("emoji 😀"), QStringLiteral("ç")});
  EXPECT_EQ(f("&TaSalvar(\"copia\")."), QStringLiteral("OK"));
  QFile salvo(base.filePath(QStringLiteral("dados/textos/copia.txt")));
  ASSERT_TRUE(salvo.open(QIODevice::ReadOnly));
  EXPECT_EQ(salvo.readAll(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("emoji 😀\r\nç\r\n").toUtf8());
  EXPECT_THROW(f("&TaSalvar(\"/nao/existe/pasta/x\")."), CLErro);
}

TEST_F(TextoAuxiliar, AreaDeTransferencia) {
  EXPECT_EQ(f("&MemoriaDefinir(\"Olá [x]\")."), QString());  // not expanded
  EXPECT_EQ(f("&MemoriaLer()."), QStringLiteral("Olá [x]"));
  desktop.setAreaTransferenciaOcupada(1);  // busy once: one more try after a second
  const qint64 t0 = host.agoraMs();
  EXPECT_EQ(f("&MemoriaLer()."), QStringLiteral("Olá [x]"));
  EXPECT_GE(host.agoraMs() - t0, 1000);
  desktop.setAreaTransferenciaOcupada(2);
  EXPECT_THROW(f("&MemoriaLer()."), CLErro);
  desktop.areaTransferenciaDefinirImagem(ImagemPixels{1, 1, {0xFF000000u}});
  EXPECT_EQ(f("&MemoriaLer()."), QString());  // a picture is no text
  desktop.setAreaTransferenciaOcupada(3);  // held for a moment: it waits and writes
  EXPECT_EQ(f("&MemoriaDefinir(\"y\")."), QString());
  EXPECT_EQ(desktop.areaTransferenciaTexto(), std::optional<std::u16string>(u"y"));
  desktop.setAreaTransferenciaOcupada(1000);  // never free: a bounded wait, then an error
  const qint64 t1 = host.agoraMs();
  EXPECT_THROW(f("&MemoriaDefinir(\"x\")."), CLErro);
  EXPECT_LE(host.agoraMs() - t1, 31000);
}

TEST_F(TextoAuxiliar, CopiarEColarPeloTeclado) {
  f("&MemoriaCopiar().");
  f("&MemoriaColar().");
  std::vector<std::string> linhas = desktop.linhas();
  // Ctrl goes down first and up last around each letter key.
  ASSERT_GE(linhas.size(), 8u);
  EXPECT_EQ(linhas.front(), "Desktop: tecla 17 baixo");
  EXPECT_NE(std::find(linhas.begin(), linhas.end(), "Desktop: tecla 67 baixo"), linhas.end());  // C
  EXPECT_NE(std::find(linhas.begin(), linhas.end(), "Desktop: tecla 86 baixo"), linhas.end());  // V
  EXPECT_EQ(linhas.back(), "Desktop: tecla 17 cima");
}
