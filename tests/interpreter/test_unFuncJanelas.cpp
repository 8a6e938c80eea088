#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include "unCLDesktopSimulado.h"
#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unHostTeste.h"
#include "unImagemArquivo.h"
#include "unPastaBaseTeste.h"
#include "impressaoQt.h"
#include "unUtil.h"

using namespace mivo;

namespace {

using Linhas = std::vector<std::string>;

// Records tips and tab changes besides what the test host records.
struct HostJanelas : teste::CLHostTeste {
  QList<int> abasPrincipais, abasScript;
  void mostrarDica(const QString& id, const QString& texto, int altura) override {
    dialogos << QStringLiteral("Dica: %1 | %2 | %3").arg(id, texto).arg(altura);
  }
  void selecionarAbaPrincipal(int i) override { abasPrincipais << i; }
  void selecionarAbaScript(int i) override { abasScript << i; }
  bool lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) override {
    return lerImagemArquivo(caminho, imagem, erro);
  }
};

// A window of another program. Its process is never this test's own (which
// Mivo leaves out): under Wine, processes are numbered 32, 36, 40..., so the
// test itself may well be process 40.
JanelaSimulada janela(const char16_t* titulo, const char16_t* exe, ProcessoId pid, bool visivel = true) {
  static const auto proprio = static_cast<ProcessoId>(QCoreApplication::applicationPid());
  JanelaSimulada j;
  j.titulo = titulo;
  j.executavel = exe;
  j.processo = pid == proprio ? pid + 1 : pid;
  j.visivel = visivel;
  return j;
}

class Janelas : public ::testing::Test {
 protected:
  Janelas() {
    oculta = desktop.adicionarJanela(janela(u"Planilha A - oculta", u"planilha.exe", 10, false));
    notas = desktop.adicionarJanela(janela(u"Sem título - Bloco de notas  ", u"notepad.exe", 20));
    planilha = desktop.adicionarJanela(janela(u"Planilha B", u"planilha.exe", 10));
    desktop.adicionarJanela(janela(u"Serviço", u"servico.exe", 30, false));
    desktop.setPrimeiroPlano(notas);
  }

  teste::CLPastaBaseTeste base;
  HostJanelas host;
  CLDesktopSimulado desktop;
  CLScript script{host.usarDesktop(desktop)};
  JanelaId oculta, notas, planilha;

  QString executar(const QString& instrucao) {
    script.setLinhas({instrucao});
    script.setLinha(1);
    return script.execFunction(instrucao);
  }
  QString executar(const char* instrucao) { return executar(QString::fromUtf8(instrucao)); }
};

}  // namespace

TEST_F(Janelas, JanelaAtivaTextoDevolveOTitulo) {
  EXPECT_EQ(executar("&JanelaAtivaTexto()."), QStringLiteral("Sem título - Bloco de notas"));
  desktop.setPrimeiroPlano(JanelaId::Nenhuma);
  EXPECT_EQ(executar("&JanelaAtivaTexto()."), QString());
}

TEST_F(Janelas, JanelaAtivarPorParteDoTitulo) {
  const QString mil(1000, u'x');
  const struct {
    QString instrucao;
    const char* resultado;
    const char* ativada;  // the action recorded, if any
  } casos[] = {
      {QStringLiteral("&JanelaAtivar(\"BLOCO DE NOTAS\")."), "OK", "janela ativada \"Sem título - Bloco de notas  \""},
      {QStringLiteral("&JanelaAtivar(planilha)."), "OK", "janela ativada \"Planilha A - oculta\""},
      {QStringLiteral("&JanelaAtivar(TÍTULO)."), "OK", "janela ativada \"Sem título - Bloco de notas  \""},
      {QStringLiteral("&JanelaAtivar(calculadora)."), "FALHA", nullptr},
      {QStringLiteral("&JanelaAtivar()."), "FALHA", nullptr},
      {QStringLiteral("&JanelaAtivar(") + mil + QStringLiteral(")."), "FALHA", nullptr},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao.left(40).toStdString();
    EXPECT_EQ(desktop.linhas(), c.ativada ? Linhas{std::string("Desktop: ") + c.ativada} : Linhas{});
  }
  EXPECT_EQ(desktop.janelaPrimeiroPlano(), notas);
}

TEST_F(Janelas, JanelaAtivarRestauraEFalhaQuandoOSistemaRecusa) {
  JanelaSimulada min = janela(u"Mensageiro", u"mensageiro.exe", 40);
  min.minimizada = true;
  const JanelaId mensageiro = desktop.adicionarJanela(min);
  JanelaSimulada teimosa = janela(u"Teimosa", u"teimosa.exe", 50);
  teimosa.recusaAtivacao = true;
  desktop.adicionarJanela(teimosa);
  EXPECT_EQ(executar("&JanelaAtivar(mensageiro)."), QStringLiteral("OK"));
  EXPECT_FALSE(desktop.janelaMinimizada(mensageiro));
  EXPECT_EQ(desktop.janelaPrimeiroPlano(), mensageiro);
  EXPECT_EQ(executar("&JanelaAtivar(teimosa)."), QStringLiteral("FALHA"));
  EXPECT_EQ(executar("&JanelaAtivarExe(teimosa.exe)."), QStringLiteral("FALHA"));
}

TEST_F(Janelas, JanelaAtivarExePeloNomeDoExecutavel) {
  desktop.adicionarPrograma({u"explorer.exe", 99});
  const struct {
    const char* instrucao;
    const char* resultado;
    JanelaId frente;
  } casos[] = {
      {"&JanelaAtivarExe(\"PLANILHA.EXE\").", "OK", planilha},  // the visible one
      {"&JanelaAtivarExe(notepad.exe).", "OK", notas},
      {"&JanelaAtivarExe(servico.exe).", "FALHA", notas},  // only a hidden window
      {"&JanelaAtivarExe(explorer.exe).", "FALHA", notas},  // no window at all
      {"&JanelaAtivarExe(calc.exe).", "FALHA", notas},
      {"&JanelaAtivarExe().", "", notas},
  };
  for (const auto& c : casos) {
    desktop.setPrimeiroPlano(notas);
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    EXPECT_EQ(desktop.janelaPrimeiroPlano(), c.frente) << c.instrucao;
  }
}

// Mivo's own windows (this process's: the workbench whose caption holds the
// script's name, its dialogs) are never what a script activates or waits for.
TEST_F(Janelas, JanelasDoProprioMivoSaoIgnoradas) {
  const auto proprio = static_cast<ProcessoId>(QCoreApplication::applicationPid());
  JanelaSimulada propria = janela(u"Mivo - mensageiro_envio", u"mivo", 0);
  propria.processo = proprio;
  const JanelaId bancada = desktop.adicionarJanela(propria, true);
  const JanelaId mensageiro = desktop.adicionarJanela(janela(u"Mensageiro", u"mensageiro", 60));
  desktop.adicionarPrograma({u"mivo", proprio});
  desktop.setPrimeiroPlano(bancada);
  const struct {
    const char* instrucao;
    const char* resultado;
    JanelaId frente;
  } casos[] = {
      {"&JanelaAtivar(\"mensageiro\").", "OK", mensageiro},  // the workbench comes first in desktop order
      {"&JanelaAtivar(\"mivo\").", "FALHA", bancada},
      {"&JanelaAtivar(\"_envio\").", "FALHA", bancada},
      {"&JanelaAtivarExe(\"mivo\").", "FALHA", bancada},
      {"&JanelaAtivaAguardar(\"mensageiro\";1).", "FALHA", bancada},
      {"&JanelaAtivaAguardar(\"mivo\";1).", "FALHA", bancada},
  };
  for (const auto& c : casos) {
    desktop.setPrimeiroPlano(bancada);
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    EXPECT_EQ(desktop.janelaPrimeiroPlano(), c.frente) << c.instrucao;
  }
  // What is in front is still told as it is.
  EXPECT_EQ(executar("&JanelaAtivaTexto()."), QStringLiteral("Mivo - mensageiro_envio"));
  EXPECT_FALSE(script.erroFatal());
}

TEST_F(Janelas, JanelaAtivaAguardar) {
  const struct {
    const char* instrucao;
    const char* resultado;
    qint64 minimoMs, maximoMs;
  } casos[] = {
      {"&JanelaAtivaAguardar(\"bloco\";3).", "OK", 50, 50},
      {"&JanelaAtivaAguardar(calculadora;3).", "FALHA", 3000, 3100},
      {"&JanelaAtivaAguardar(\"\";1).", "FALHA", 1000, 1100},  // an empty part never matches
      {"&JanelaAtivaAguardar(bloco;0).", "FALHA", 0, 0},
  };
  for (const auto& c : casos) {
    const qint64 antes = host.relogio().agoraMs();
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    EXPECT_GE(host.relogio().agoraMs() - antes, c.minimoMs) << c.instrucao;
    EXPECT_LE(host.relogio().agoraMs() - antes, c.maximoMs) << c.instrucao;
  }
  EXPECT_FALSE(script.erroFatal());

  // A window that comes to the front while the script waits.
  const qint64 inicio = host.relogio().agoraMs();
  host.aoBombear = [&](teste::CLHostTeste& h) {
    if (h.relogio().agoraMs() - inicio >= 1000) desktop.setPrimeiroPlano(planilha);
  };
  EXPECT_EQ(executar("&JanelaAtivaAguardar(planilha b;10)."), QStringLiteral("OK"));
  EXPECT_LT(host.relogio().agoraMs() - inicio, 1200);

  for (const char* ruim : {"&JanelaAtivaAguardar(bloco).", "&JanelaAtivaAguardar(bloco;\"3\")."}) {
    script.limparErroFatal();
    EXPECT_EQ(executar(ruim), QStringLiteral("FALHA"));
    EXPECT_EQ(script.erroFatalTexto(),
              QStringLiteral("Linha: 1 | JanelaAtivaAguardar - Verifique os parâmetros passados"));
  }
}

TEST_F(Janelas, MaximizarEPosicionar) {
  EXPECT_EQ(executar("&JanelaAtivaMaximizar()."), QString());
  EXPECT_EQ(desktop.linhas(), (Linhas{"Desktop: tecla 18 baixo", "Desktop: tecla 32 baixo", "Desktop: tecla 32 cima",
                                      "Desktop: tecla 18 cima", "Desktop: caractere \"x\""}));
  EXPECT_EQ(host.relogio().agoraMs(), 500);

  desktop.limparRegistro();
  EXPECT_EQ(executar("&JanelaAtivaPosicionar(10;20;\"300\";400)."), QStringLiteral("OK"));
  EXPECT_EQ(desktop.janelaRetangulo(notas), (RetanguloJanela{10, 20, 300, 400}));
  desktop.setPrimeiroPlano(JanelaId::Nenhuma);
  EXPECT_EQ(executar("&JanelaAtivaPosicionar(10;20;300;400)."), QStringLiteral("FALHA"));
  EXPECT_FALSE(script.erroFatal());
  EXPECT_EQ(executar("&JanelaAtivaPosicionar(10;20;300)."), QStringLiteral("FALHA"));
  EXPECT_EQ(script.erroFatalTexto(),
            QStringLiteral("Linha: 1 | JanelaAtivaPosicionar - Verifique os parâmetros passados"));
}

TEST_F(Janelas, ImagemArquivoCopiar) {
  QImage png(3, 2, QImage::Format_ARGB32);
  png.fill(qRgb(0, 0, 255));
  png.setPixel(2, 1, qRgb(255, 0, 0));
  ASSERT_TRUE(png.save(base.filePath(QStringLiteral("foto.png"))));
  // 3 x 2, palette red, green, blue, white.
  const QByteArray gif("GIF89a\x03\x00\x02\x00\x81\x00\x00\xff\x00\x00\x00\xff\x00\x00\x00\xff\xff\xff\xff"
                       "\x2c\x00\x00\x00\x00\x03\x00\x02\x00\x00\x02\x05\x04\x43\x71\x04\x53\x00\x3b",
                       44);
  ASSERT_TRUE(gravarArquivo(base.filePath(QStringLiteral("anim.GIF")), gif));
  ASSERT_TRUE(gravarArquivo(base.filePath(QStringLiteral("texto.png")), "não sou imagem"));
  script.valores().definir(QStringLiteral("pasta"), base.path());

  EXPECT_EQ(executar("&ImagemArquivoCopiar(\"[pasta]/foto.png\")."), QStringLiteral("OK"));
  ImagemPixels esperado{3, 2, std::vector<std::uint32_t>(6, 0xFF0000FFu)};
  esperado.pixels[5] = 0xFFFF0000u;
  EXPECT_EQ(desktop.areaTransferenciaImagem(), esperado);

  EXPECT_EQ(executar(QStringLiteral("&ImagemArquivoCopiar(\"%1\").").arg(base.filePath(QStringLiteral("anim.GIF")))),
            QStringLiteral("OK"));
  EXPECT_EQ(desktop.areaTransferenciaImagem(),
            (ImagemPixels{3, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFFFF0000u, 0xFF00FF00u}}));
  EXPECT_FALSE(script.erroFatal());
  EXPECT_TRUE(host.dialogos.isEmpty());

  const struct {
    QString instrucao;
    QString mensagem;
  } ruins[] = {
      {QStringLiteral("&ImagemArquivoCopiar(\"[pasta]/falta.png\")."),
       QStringLiteral("Mensagem: Falha ao copiar a imagem: o arquivo \"%1\" não foi encontrado")
           .arg(base.filePath(QStringLiteral("falta.png")))},
      {QStringLiteral("&ImagemArquivoCopiar(\"[pasta]/texto.png\")."),
       QStringLiteral("Mensagem: Falha ao copiar a imagem: ")},
      {QStringLiteral("&ImagemArquivoCopiar()."),
       QStringLiteral("Mensagem: Falha ao copiar a imagem: nenhum arquivo foi informado")},
  };
  for (const auto& c : ruins) {
    host.dialogos.clear();
    script.limparErroFatal();
    desktop.limparRegistro();
    EXPECT_EQ(executar(c.instrucao), QStringLiteral("FALHA"));
    ASSERT_EQ(host.dialogos.size(), 1);
    EXPECT_TRUE(host.dialogos[0].startsWith(c.mensagem)) << host.dialogos[0].toStdString();
    EXPECT_EQ(script.erroFatalTexto(),
              QStringLiteral("Linha: 1 | imagemArquivoCopiar - Verifique a sintaxe de uso desta função."));
    EXPECT_TRUE(desktop.linhas().empty());
  }
}

TEST_F(Janelas, MsgExibirMostraOTextoExpandido) {
  script.valores().definir(QStringLiteral("nome"), QStringLiteral("Maria"));
  EXPECT_EQ(executar("&MsgExibir(\"Olá, [nome]\\nAté logo\")."), QString());
  EXPECT_EQ(host.dialogos, QStringList{QStringLiteral("Informação: Olá, Maria\r\nAté logo")});
}

TEST_F(Janelas, MsgDicaUmaVezPorExecucaoESoSeNaoFoiDesligada) {
  ASSERT_TRUE(gravarArquivo(QDir(base.path()).filePath(QStringLiteral("tipfile.txt")),
                            "Desligada=true\r\nmaiuscula=TRUE\r\n"));
  script.valores().definir(QStringLiteral("n"), QStringLiteral("2"));
  for (const char* instrucao :
       {"&MsgDica(\"boas-vindas\";\"Olá\").", "&MsgDica(\"BOAS-VINDAS\";\"de novo\").", "&MsgDica(dica[n];Passo [n];400).",
        "&MsgDica(desligada;Nunca).", "&MsgDica(maiuscula;Aparece;\"90\")."})
    EXPECT_EQ(executar(instrucao), QString()) << instrucao;
  EXPECT_EQ(host.dialogos, (QStringList{QStringLiteral("Dica: boas-vindas | Olá | 250"),
                                        QStringLiteral("Dica: dica2 | Passo 2 | 400"),
                                        QStringLiteral("Dica: maiuscula | Aparece | 90")}));
  EXPECT_EQ(script.dicasExibidas(),
            (QStringList{QStringLiteral("boas-vindas"), QStringLiteral("dica2"), QStringLiteral("desligada"),
                         QStringLiteral("maiuscula")}));
  EXPECT_FALSE(script.erroFatal());

  // A new run shows the tip again.
  CLScript outra(host.usarDesktop(desktop));
  outra.execFunction(QStringLiteral("&MsgDica(\"boas-vindas\";\"Olá\")."));
  EXPECT_EQ(host.dialogos.size(), 4);

  for (const char* ruim : {"&MsgDica(\"so-id\").", "&MsgDica(a;b;alta)."}) {
    script.limparErroFatal();
    EXPECT_EQ(executar(ruim), QString());
    EXPECT_EQ(script.erroFatalTexto(), QStringLiteral("Linha: 1 | msgDica - Verifique a sintaxe de uso desta função."));
  }
  EXPECT_EQ(host.dialogos.size(), 4);
}

TEST_F(Janelas, MivoAbaClicar) {
  const struct {
    const char* nome;
    const char* resultado;
    int principal, scriptAba;  // -1: not selected
  } casos[] = {
      {"Dados", "OK", 1, -1},       {"\"script\"", "OK", 0, -1},  {"  Texto  ", "OK", 2, -1},
      {"texto auxiliar", "OK", 2, -1}, {"INFORMAÇÕES", "OK", -1, 0}, {"Log", "OK", -1, 1},
      {"Código", "OK", -1, 2},      {"codigo", "FALHA", -1, -1},  {"", "FALHA", -1, -1},
  };
  for (const auto& c : casos) {
    host.abasPrincipais.clear();
    host.abasScript.clear();
    EXPECT_EQ(executar(QStringLiteral("&MivoAbaClicar(%1).").arg(QString::fromUtf8(c.nome))),
              QString::fromUtf8(c.resultado))
        << c.nome;
    EXPECT_EQ(host.abasPrincipais, c.principal < 0 ? QList<int>{} : QList<int>{c.principal}) << c.nome;
    EXPECT_EQ(host.abasScript, c.scriptAba < 0 ? QList<int>{} : QList<int>{c.scriptAba}) << c.nome;
  }
}
