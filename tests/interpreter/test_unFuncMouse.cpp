#include <gtest/gtest.h>

#include "unCLDesktopSimulado.h"
#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unFuncMouse.h"
#include "unHostTeste.h"
#include "impressaoQt.h"
#include "unUtil.h"

using namespace mivo;

namespace {

using Linhas = std::vector<std::string>;

Linhas comPrefixo(std::initializer_list<const char*> linhas) {
  Linhas r;
  for (const char* l : linhas) r.push_back(std::string("Desktop: ") + l);
  return r;
}

class Mouse : public ::testing::Test {
 protected:
  teste::CLHostTeste host;
  CLDesktopSimulado desktop;  // 1920 x 1080, white
  CLScript script{host.usarDesktop(desktop)};

  QString executar(const char* instrucao) {
    const QString t = QString::fromUtf8(instrucao);
    script.setLinhas({t});
    script.setLinha(1);
    return script.execFunction(t);
  }

  // The user clicks (x, y) as soon as the capture starts.
  void usuarioClica(int x, int y) {
    host.aoBombear = [this, x, y](teste::CLHostTeste& h) {
      if (!h.dialogos.isEmpty() && h.dialogos.last().startsWith(QStringLiteral("Informação: Definição"))) {
        desktop.setCursor({x, y});
        desktop.setTeclaEstado(tecla::kBotaoEsquerdo, true, false);
      }
    };
  }
};

}  // namespace

TEST_F(Mouse, QuadrosDePosicionamento) {
  desktop.setCursor({7, 7});
  const struct {
    const char* instrucao;
    PontoTela ponto;
  } casos[] = {
      {"&MouseNormal(10;20).", {10, 20}},
      {"&MouseNormal(\"5\";\"6\").", {5, 6}},
      {"&MouseQuadrante(-10;-10).", {1910, 1070}},
      {"&MouseQuadrante(5;-1).", {5, 1079}},
      {"&MouseQuadrante(-1920;0).", {0, 0}},
      {"&MouseCentro(0;0).", {960, 540}},
      {"&MouseCentro(-960;539).", {0, 1079}},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(executar(c.instrucao), QString()) << c.instrucao;
    EXPECT_EQ(desktop.cursorPosicao(), c.ponto) << c.instrucao;
  }
  EXPECT_FALSE(script.erroFatal());
}

TEST_F(Mouse, ArgumentosRuinsSaoErroFatal) {
  const struct {
    const char* instrucao;
    const char* resultado;
    const char* linha;
  } casos[] = {
      {"&MouseNormal(x;1).", "", "Linha: 1 | MouseNormal - Verifique os parâmetros passados"},
      {"&MouseNormal(1).", "", "Linha: 1 | MouseNormal - Verifique os parâmetros passados"},
      {"&MouseQuadrante(99999999999;1).", "", "Linha: 1 | MouseQuadrante - Verifique os parâmetros passados"},
      {"&MouseCentro().", "", "Linha: 1 | MouseCentro - Verifique os parâmetros passados"},
      {"&MouseClicarAcao(1,5;2).", "", "Linha: 1 | MouseClicarAcao - Verifique os parâmetros passados"},
      {"&MouseClicarMenu(;).", "", "Linha: 1 | MouseClicarMenu - Verifique os parâmetros passados"},
      {"&MouseArrastar(1;2;3).", "", "Linha: 1 | MouseArrastar - Verifique os parâmetros passados"},
      {"&MouseRolarCima().", "", "Linha: 1 | MouseRolarCima - Verifique os parâmetros passados"},
      {"&MouseRolarBaixo().", "", "Linha: 1 | MouseRolarBaixo - Verifique os parâmetros passados"},
      {"&MouseAguardarCor(igual;rgb[300,-1,x];5).", "FALHA",
       "Linha: 1 | MouseAguardarCor - Verifique os parâmetros passados"},
      {"&MouseAguardarCor(igual;rgb[0,0,0]).", "FALHA",
       "Linha: 1 | MouseAguardarCor - Verifique os parâmetros passados"},
      {"&MouseAguardarCor(igual;rgb[0,0,0];\"5\").", "FALHA",
       "Linha: 1 | MouseAguardarCor - Verifique os parâmetros passados"},
      {"&MouseAguardarCorPonto(igual;rgb[0,0,0];5;a;1).", "FALHA",
       "Linha: 1 | MouseAguardarCorPonto - Verifique os parâmetros passados"},
      {"&MouseCliquePerguntar(\"m\";0).", "FALHA",
       "Linha: 1 | &MouseCliquePerguntar - Verifique a sintaxe de uso desta função."},
      {"&MouseCliquePerguntar(\"m\";abc;0).", "FALHA",
       "Linha: 1 | &MouseCliquePerguntar - Verifique a sintaxe de uso desta função."},
  };
  for (const auto& c : casos) {
    script.limparErroFatal();
    desktop.limparRegistro();
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    EXPECT_TRUE(script.erroFatal()) << c.instrucao;
    EXPECT_EQ(script.erroFatalTexto(), QString::fromUtf8(c.linha));
    EXPECT_TRUE(desktop.linhas().empty()) << c.instrucao;
  }
  EXPECT_TRUE(host.dialogos.isEmpty());
  EXPECT_EQ(host.relogio().agoraMs(), 0);
}

TEST_F(Mouse, CliquesComBotaoPrimarioESecundario) {
  const struct {
    const char* instrucao;
    bool trocados;
    Linhas linhas;
  } casos[] = {
      {"&MouseClicarAcao(100;200).", false,
       comPrefixo({"cursor 100,200", "botão esquerdo baixo", "botão esquerdo cima", "cursor 5,6"})},
      {"&MouseClicarAcao(0;200).", false, comPrefixo({"botão esquerdo baixo", "botão esquerdo cima"})},
      {"&MouseClicarAcao(100;200).", true,
       comPrefixo({"cursor 100,200", "botão direito baixo", "botão direito cima", "cursor 5,6"})},
      {"&MouseClicarMenu(100;200).", false,
       comPrefixo({"cursor 100,200", "botão direito baixo", "botão direito cima", "cursor 5,6"})},
      {"&MouseClicarMenu(0;0).", true, comPrefixo({"botão esquerdo baixo", "botão esquerdo cima"})},
      {"&MouseArrastar(10;20;30;40).", false,
       comPrefixo({"cursor 10,20", "botão esquerdo baixo", "cursor 30,40", "botão esquerdo cima"})},
      {"&MouseArrastar(10;20;30;40).", true,
       comPrefixo({"cursor 10,20", "botão direito baixo", "cursor 30,40", "botão direito cima"})},
  };
  for (const auto& c : casos) {
    desktop.setCursor({5, 6});
    desktop.setBotoesTrocados(c.trocados);
    desktop.limparRegistro();
    EXPECT_EQ(executar(c.instrucao), QString()) << c.instrucao;
    EXPECT_EQ(desktop.linhas(), c.linhas) << c.instrucao << " trocados=" << c.trocados;
  }
  EXPECT_EQ(desktop.cursorPosicao(), (PontoTela{30, 40}));  // a drag leaves the pointer there
}

TEST_F(Mouse, RodaUmEntalheMaisAIntensidade) {
  const struct {
    const char* instrucao;
    int delta;
  } casos[] = {
      {"&MouseRolarCima(0).", 120},       {"&MouseRolarBaixo(0).", -120},
      {"&MouseRolarCima(120).", 240},     {"&MouseRolarBaixo(abc).", -120},
      {"&MouseRolarCima(\"5\").", 120},   {"&MouseRolarCima(2147483647).", 2147483647},
      {"&MouseRolarBaixo(1,5).", -120},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    executar(c.instrucao);
    ASSERT_EQ(desktop.acoes().size(), 1u) << c.instrucao;
    EXPECT_EQ(desktop.acoes()[0].tipo, TipoAcao::Roda);
    EXPECT_EQ(desktop.acoes()[0].valor, c.delta) << c.instrucao;
  }
  EXPECT_FALSE(script.erroFatal());
}

TEST(LerCorRgb, ValoresEErros) {
  const struct {
    const char* texto;
    std::optional<qint64> cor;
  } casos[] = {
      {"rgb[0,0,0]", 0},
      {"RGB[255,0,0]", 255},
      {"rgb[0,255,0]", 65280},
      {" rgb[ 1 , 2 , 3 ] ", 1 + 2 * 256 + 3 * 65536},
      {"1,2,3", 1 + 2 * 256 + 3 * 65536},
      {"rgb[300,0,0]", 44},
      {"rgb[0,0,-1]", -65536},  // matches no pixel
      {"rgb[300,-1,x]", std::nullopt},
      {"rgb[1,2]", std::nullopt},
      {"", std::nullopt},
      {"rgb[1.5,2,3]", std::nullopt},
  };
  for (const auto& c : casos) EXPECT_EQ(lerCorRgb(QString::fromUtf8(c.texto)), c.cor) << c.texto;
}

TEST_F(Mouse, EsperasDeCor) {
  desktop.adicionarCor({{100, 100, 10, 10}, corRgb(0, 0, 0)});
  const struct {
    const char* instrucao;
    const char* resultado;
    qint64 minimoMs, maximoMs;  // time the wait took
  } casos[] = {
      {"&MouseAguardarCor(igual;rgb[255,255,255];5).", "OK", 0, 0},
      {"&MouseAguardarCor(\"IGUAL\";\"rgb[255,255,255]\";5).", "OK", 0, 0},
      {"&MouseAguardarCor(diferente;rgb[0,0,0];5).", "OK", 0, 0},
      {"&MouseAguardarCor(igual;rgb[0,0,0];3).", "FALHA", 3000, 3100},
      {"&MouseAguardarCor(parecido;rgb[255,255,255];2).", "FALHA", 2000, 2100},
      {"&MouseAguardarCor(igual;rgb[255,255,255];0).", "FALHA", 0, 0},
      {"&MouseAguardarCorPonto(igual;rgb[0,0,0];3;105;105).", "OK", 0, 0},
      {"&MouseAguardarCorPonto(igual;rgb[0,0,0];1;99;99).", "FALHA", 1000, 1100},
  };
  for (const auto& c : casos) {
    const qint64 antes = host.relogio().agoraMs();
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    const qint64 duracao = host.relogio().agoraMs() - antes;
    EXPECT_GE(duracao, c.minimoMs) << c.instrucao;
    EXPECT_LE(duracao, c.maximoMs) << c.instrucao;
  }
  EXPECT_FALSE(script.erroFatal());
  EXPECT_TRUE(desktop.linhas().empty());
}

TEST_F(Mouse, EsperaDeCorVeACorAparecer) {
  host.aoBombear = [this](teste::CLHostTeste& h) {
    if (h.relogio().agoraMs() >= 2000) desktop.setCorFundo(corRgb(0, 128, 0));
  };
  EXPECT_EQ(executar("&MouseAguardarCor(igual;rgb[0,128,0];10)."), QStringLiteral("OK"));
  EXPECT_GE(host.relogio().agoraMs(), 2000);
  EXPECT_LT(host.relogio().agoraMs(), 2200);
}

TEST_F(Mouse, PontoConhecidoClicaSemPerguntar) {
  desktop.setCursor({1, 1});
  EXPECT_EQ(executar("&MouseCliquePerguntar(\"Enviar\";100;200)."), QString());
  EXPECT_EQ(desktop.linhas(), comPrefixo({"cursor 100,200", "cursor 100,200", "botão esquerdo baixo",
                                          "botão esquerdo cima", "cursor 100,200"}));
  desktop.limparRegistro();
  EXPECT_EQ(executar("&MouseCliquePerguntar(\"Enviar\";-20;-30)."), QString());
  EXPECT_EQ(desktop.cursorPosicao(), (PontoTela{1900, 1050}));
  EXPECT_TRUE(host.dialogos.isEmpty());
  EXPECT_EQ(host.relogio().agoraMs(), 402);
}

TEST_F(Mouse, PontoAprendidoEGravadoNoScript) {
  usuarioClica(300, 400);
  host.respostas = QStringList{QStringLiteral("Sim"), QStringLiteral("Não")};
  prepararInicio(script, {QStringLiteral("&MouseCliquePerguntar(\"Botão enviar\";0;0). // enviar"),
                          QStringLiteral("&TeclarEnter().")});
  EXPECT_EQ(rodarScript(script).fim, FimExecucao::Normal);
  EXPECT_EQ(host.dialogos,
            (QStringList{QStringLiteral("Informação: Definição de ponto de clique:\r\n\r\nBotão enviar\r\n\r\n"
                                        "Você terá cerca de 5 segundos para clicar no local descrito após "
                                        "pressionar o botão \"OK\""),
                         QStringLiteral("Pergunta: O clique foi detectado. Você clicou no ponto solicitado? -> Sim"),
                         QStringLiteral("Passo oculto"),
                         QStringLiteral("Pergunta: O script foi modificado por conta de definições de pontos de "
                                        "clique. Salvando o script você não precisará ter que definir todos os "
                                        "pontos da próxima vez que rodar esse script. Deseja salvar? -> Não")}));
  const QString escrita = QStringLiteral("&MouseCliquePerguntar(\"Botão enviar\";300;400). // enviar");
  EXPECT_EQ(script.linhas()[0], escrita);
  EXPECT_EQ(host.editorTexto(), escrita + QStringLiteral("\r\n&TeclarEnter()."));
  // The user's own click was the click: only the Enter of the next line is sent.
  EXPECT_EQ(desktop.linhas(), comPrefixo({"tecla 13 baixo", "tecla 13 cima"}));
  EXPECT_TRUE(script.cliquesTemporarios().isEmpty());

  // The next run clicks there without asking.
  teste::CLHostTeste outro;
  CLScript seguinte(outro.usarDesktop(desktop));
  desktop.setTeclaEstado(tecla::kBotaoEsquerdo, false, false);
  desktop.limparRegistro();
  prepararInicio(seguinte, dividirLinhas(host.editorTexto()));
  rodarScript(seguinte);
  EXPECT_EQ(outro.dialogos, QStringList{QStringLiteral("Passo oculto")});
  EXPECT_EQ(desktop.linhas()[2], "Desktop: botão esquerdo baixo");
}

TEST_F(Mouse, PontoMantidoSoNestaExecucaoComNao) {
  usuarioClica(300, 400);
  host.respostas = QStringList{QStringLiteral("Sim")};
  const char* instrucao = "&MouseCliquePerguntar(\"m\";0;0;\"não\").";
  EXPECT_EQ(executar(instrucao), QString());
  EXPECT_EQ(script.cliquesTemporarios(), QStringList{QStringLiteral("0=300;400")});
  EXPECT_EQ(script.linhas()[0], QString::fromUtf8(instrucao));
  EXPECT_FALSE(script.usouCliquePerguntar());

  // The same statement again in this run: a click, no question.
  host.aoBombear = nullptr;
  host.dialogos.clear();
  desktop.limparRegistro();
  desktop.setTeclaEstado(tecla::kBotaoEsquerdo, false, false);
  EXPECT_EQ(executar(instrucao), QString());
  EXPECT_TRUE(host.dialogos.isEmpty());
  EXPECT_EQ(desktop.cursorPosicao(), (PontoTela{300, 400}));
  EXPECT_EQ(desktop.linhas()[2], "Desktop: botão esquerdo baixo");
}

TEST_F(Mouse, UsuarioNaoClicaENaoQuerTentarDeNovo) {
  host.respostas = QStringList{QStringLiteral("Não")};
  prepararInicio(script, {QStringLiteral("&MouseCliquePerguntar(\"m\";0;0)."), QStringLiteral("&TeclarEnter().")});
  EXPECT_EQ(rodarScript(script).fim, FimExecucao::Parado);
  EXPECT_EQ(host.dialogos.mid(1),
            (QStringList{QStringLiteral("Pergunta: A definição desse ponto de clique não foi bem sucedida. Você "
                                        "quer tentar novamente? -> Não"),
                         QStringLiteral("Erro: Sem esse ponto de clique seja configurado, o script não poderá "
                                        "continuar e será encerrado"),
                         QStringLiteral("Passo oculto")}));
  EXPECT_TRUE(desktop.linhas().empty());  // the Enter never ran
  EXPECT_GE(host.relogio().agoraMs(), 5000);  // about five seconds of capture
  EXPECT_LE(host.relogio().agoraMs(), 5100);
  EXPECT_EQ(script.linhas()[0], QStringLiteral("&MouseCliquePerguntar(\"m\";0;0)."));
}

TEST_F(Mouse, CliqueNaoConfirmadoPermiteTentarDeNovo) {
  usuarioClica(10, 20);
  // Not confirmed, retry, then confirmed; the point is kept for the run.
  host.respostas = QStringList{QStringLiteral("Não"), QStringLiteral("Sim"), QStringLiteral("Sim")};
  EXPECT_EQ(executar("&MouseCliquePerguntar(\"m\";0;0;talvez)."), QString());
  EXPECT_EQ(host.dialogos.filter(QStringLiteral("Informação: Definição")).size(), 2);
  EXPECT_EQ(host.dialogos.filter(QStringLiteral("tentar novamente? -> Sim")).size(), 1);
  EXPECT_EQ(script.cliquesTemporarios(), QStringList{QStringLiteral("0=10;20")});
  EXPECT_FALSE(host.parar());
}

TEST_F(Mouse, InstrucaoEmVariasLinhasViraUmaSo) {
  usuarioClica(300, 400);
  host.respostas = QStringList{QStringLiteral("Sim")};
  script.cliquesTemporarios() = QStringList{QStringLiteral("5=1;2")};
  prepararInicio(script, {QStringLiteral("&MouseCliquePerguntar(\"m\";"), QStringLiteral("  0;"),
                          QStringLiteral("0)."), QStringLiteral("&TeclarEnter().")});
  rodarScript(script);
  EXPECT_EQ(script.linhas(), (QStringList{QStringLiteral("&MouseCliquePerguntar(\"m\";300;400)."),
                                         QStringLiteral("&TeclarEnter().")}));
  // The run went on with the statement after it, at its new line number.
  EXPECT_EQ(desktop.linhas(), comPrefixo({"tecla 13 baixo", "tecla 13 cima"}));
  EXPECT_TRUE(host.textosDoLog().contains(QStringLiteral("Linha: [2] Executando {TeclarEnter... }")));
  EXPECT_EQ(script.cliquesTemporarios(), QStringList{QStringLiteral("3=1;2")});
}
