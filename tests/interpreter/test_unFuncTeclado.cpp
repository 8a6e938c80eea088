#include <gtest/gtest.h>

#include "unCLDesktopSimulado.h"
#include "unCLErro.h"
#include "unCLExecucao.h"
#include "unCLScript.h"
#include "unFuncTeclado.h"
#include "unHostTeste.h"
#include "impressaoQt.h"
#include "unUtil.h"

using namespace mivo;

namespace {

using Linhas = std::vector<std::string>;

class Teclado : public ::testing::Test {
 protected:
  teste::CLHostTeste host;
  CLDesktopSimulado desktop;
  CLScript script{host.usarDesktop(desktop)};

  // Runs one statement as if it stood on the script's first line.
  QString executar(const char* instrucao) {
    const QString t = QString::fromUtf8(instrucao);
    script.setLinhas({t});
    script.setLinha(1);
    return script.execFunction(t);
  }
};

}  // namespace

TEST_F(Teclado, TeclasFixasPressionamESoltamNaOrdem) {
  const struct {
    const char* instrucao;
    Linhas linhas;
  } casos[] = {
      {"&TeclarEnter().", {"tecla 13 baixo", "tecla 13 cima"}},
      {"&TeclarEsc().", {"tecla 27 baixo", "tecla 27 cima"}},
      {"&TeclarDireita().", {"tecla 39 baixo", "tecla 39 cima"}},
      {"&TeclarEsquerda().", {"tecla 37 baixo", "tecla 37 cima"}},
      {"&TeclarCima().", {"tecla 38 baixo", "tecla 38 cima"}},
      {"&TeclarBaixo().", {"tecla 40 baixo", "tecla 40 cima"}},
      {"&TeclarAltTab().", {"tecla 18 baixo", "tecla 9 baixo", "tecla 9 cima", "tecla 18 cima"}},
      {"&TeclarAltEspaco().", {"tecla 18 baixo", "tecla 32 baixo", "tecla 32 cima", "tecla 18 cima"}},
      {"&TeclarAltF4().", {"tecla 18 baixo", "tecla 115 baixo", "tecla 115 cima", "tecla 18 cima"}},
      {"&TeclarControlEnter().", {"tecla 17 baixo", "tecla 13 baixo", "tecla 13 cima", "tecla 17 cima"}},
      {"&TeclarShiftTab().", {"tecla 16 baixo", "tecla 9 baixo", "tecla 9 cima", "tecla 16 cima"}},
      {"&TeclarID(13).", {"tecla 13 baixo", "tecla 13 cima"}},
      {"&TeclarID(\" 65 \").", {"tecla 65 baixo", "tecla 65 cima"}},
      {"&TeclarControlMaisID(86).", {"tecla 17 baixo", "tecla 86 baixo", "tecla 86 cima", "tecla 17 cima"}},
      {"&TeclarAltMais(\"f\").", {"tecla 18 baixo", "tecla 70 baixo", "tecla 70 cima", "tecla 18 cima"}},
      {"&TeclarControlAltMais(\"e\").",
       {"tecla 17 baixo", "tecla 18 baixo", "tecla 69 baixo", "tecla 69 cima", "tecla 17 cima", "tecla 18 cima"}},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    EXPECT_EQ(executar(c.instrucao), QString()) << c.instrucao;
    Linhas esperado;
    for (const auto& l : c.linhas) esperado.push_back("Desktop: " + l);
    EXPECT_EQ(desktop.linhas(), esperado) << c.instrucao;
  }
  EXPECT_EQ(host.relogio().agoraMs(), 0);  // none of them pauses
}

TEST_F(Teclado, TeclarControlMaisUsaOSegundoCaractereEPausa) {
  const struct {
    const char* instrucao;
    const char* resultado;
    int tecla;  // 0: nothing pressed
  } casos[] = {
      {"&TeclarControlMais(\"a\").", "", 65},
      {"&TeclarControlMais(\"V\").", "", 86},
      {"&TeclarControlMais(copiar).", "", 79},  // an unquoted word: its second letter
      {"&TeclarControlMais(\"1\").", "", 49},
      {"&TeclarControlMais().", "FALHA", 0},
      {"&TeclarControlMais(\").", "FALHA", 0},
      {"&TeclarControlMais(\"ç\").", "FALHA", 0},  // no key types it on this layout
      {"&TeclarAltMais(x).", "FALHA", 0},
      {"&TeclarControlAltMais().", "FALHA", 0},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    const qint64 antes = host.relogio().agoraMs();
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    if (c.tecla == 0) {
      EXPECT_TRUE(desktop.linhas().empty()) << c.instrucao;
      continue;
    }
    const std::string t = std::to_string(c.tecla);
    EXPECT_EQ(desktop.linhas(), (Linhas{"Desktop: tecla 17 baixo", "Desktop: tecla " + t + " baixo",
                                        "Desktop: tecla " + t + " cima", "Desktop: tecla 17 cima"}))
        << c.instrucao;
    EXPECT_EQ(host.relogio().agoraMs() - antes, 250) << c.instrucao;
  }
  EXPECT_EQ(desktop.teclaEstado(tecla::kCtrl) & kTeclaPressionada, 0);
}

TEST_F(Teclado, CodigosDeTeclaInvalidosSaoErroNaoTratado) {
  for (const char* instrucao : {"&TeclarID(abc).", "&TeclarID().", "&TeclarID(300).", "&TeclarID(99999999999).",
                                "&TeclarControlMaisID(\"86\").", "&TeclarControlMaisID(0)."}) {
    desktop.limparRegistro();
    EXPECT_THROW(executar(instrucao), CLErro) << instrucao;
    EXPECT_TRUE(desktop.linhas().empty()) << instrucao;
  }
  prepararInicio(script, {QStringLiteral("&TeclarID(x)."), QStringLiteral("&TeclarEnter().")});
  const ResultadoExecucao r = rodarScript(script);
  EXPECT_EQ(r.fim, FimExecucao::Erro);
  EXPECT_EQ(r.mensagem, QStringLiteral("'x' não é um número inteiro válido"));
  EXPECT_TRUE(desktop.linhas().empty());
}

TEST_F(Teclado, TeclarETextoDigitarEnviamOsCaracteresComoEscritos) {
  script.valores().definir(QStringLiteral("nome"), QStringLiteral("Maria"));
  const struct {
    const char* instrucao;
    const char* resultado;
    const char32_t* digitados;
  } casos[] = {
      {"&Teclar(a).", "", U"a"},
      {"&Teclar(A).", "", U"A"},
      {"&Teclar(!).", "", U"!"},
      {"&Teclar(\"ç\").", "", U"ç"},
      {"&Teclar(abc).", "", U"a"},
      {"&Teclar().", "FALHA", U""},
      {"&Teclar(\"\").", "FALHA", U""},
      {"&TextoDigitar(\"Olá, [nome]! Ação\").", "", U"Olá, [nome]! Ação"},
      {"&TextoDigitar(\"😀x\").", "", U"😀x"},
      {"&TextoDigitar().", "", U""},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    EXPECT_EQ(executar(c.instrucao), QString::fromUtf8(c.resultado)) << c.instrucao;
    std::u32string digitado;
    for (const AcaoSimulada& a : desktop.acoes()) {
      EXPECT_EQ(a.tipo, TipoAcao::Caractere) << c.instrucao;
      digitado += a.caractere;
    }
    EXPECT_EQ(digitado, std::u32string(c.digitados)) << c.instrucao;
  }
}

// Paused between two characters (the workbench's F9 acts at once), the
// typing holds: nothing is typed while paused; resumed, the text goes on
// from where it stopped; ended while paused ("Encerrar"), nothing more.
// A stop asked while it types ends it there too.
TEST_F(Teclado, TextoDigitarPausadoNoMeioEsperaARetomada) {
  const struct {
    StatusExecucao depoisDaPausa;  // the status the user gives the paused run
    const char32_t* digitados;
  } casos[] = {
      {StatusExecucao::Rodando, U"abcdef"},
      {StatusExecucao::Inativo, U"abc"},
      {StatusExecucao::Encerrado, U"abc"},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    host.setStatusExecucao(StatusExecucao::Rodando);
    qint64 pausadoEm = -1;
    std::size_t digitadosNaPausa = 0;
    host.aoBombear = [&](teste::CLHostTeste& h) {
      const std::size_t n = desktop.acoes().size();
      if (pausadoEm < 0 && n == 3) {
        h.setStatusExecucao(StatusExecucao::Pausado);
        pausadoEm = h.relogio().agoraMs();
      } else if (pausadoEm >= 0 && h.statusExecucao() == StatusExecucao::Pausado) {
        digitadosNaPausa = std::max(digitadosNaPausa, n);
        if (h.relogio().agoraMs() - pausadoEm >= 5000) h.setStatusExecucao(c.depoisDaPausa);
      }
    };
    EXPECT_EQ(executar("&TextoDigitar(\"abcdef\")."), QString()) << textoStatus(c.depoisDaPausa).toStdString();
    host.aoBombear = nullptr;
    EXPECT_EQ(digitadosNaPausa, 3u) << textoStatus(c.depoisDaPausa).toStdString();
    EXPECT_GE(host.relogio().agoraMs() - pausadoEm, 5000) << textoStatus(c.depoisDaPausa).toStdString();
    std::u32string digitado;
    for (const AcaoSimulada& a : desktop.acoes()) digitado += a.caractere;
    EXPECT_EQ(digitado, std::u32string(c.digitados)) << textoStatus(c.depoisDaPausa).toStdString();
  }
  // A stop asked while typing (a click on "Encerrar") ends the typing there.
  desktop.limparRegistro();
  host.setStatusExecucao(StatusExecucao::Rodando);
  host.aoBombear = [&](teste::CLHostTeste& h) {
    if (desktop.acoes().size() == 2) h.setParar(true);
  };
  EXPECT_EQ(executar("&TextoDigitar(\"abcdef\")."), QString());
  host.aoBombear = nullptr;
  EXPECT_EQ(desktop.acoes().size(), 2u);
  host.setParar(false);
  host.setStatusExecucao(StatusExecucao::Inativo);
}

TEST_F(Teclado, TextoColarExpandeCopiaEColaComControlV) {
  script.valores().definir(QStringLiteral("nome"), QStringLiteral("Maria"));
  const struct {
    const char* instrucao;
    const char* resultado;
    const char* copiado;
  } casos[] = {
      {"&TextoColar(\"Olá, [nome]\").", "OK", "Olá, [nome]"},
      {"&TextoColar(\"\"entre aspas\"\").", "OK", "entre aspas"},
      {"&TextoColar(\"linha 1\\nlinha 2\").", "OK", "linha 1\r\nlinha 2"},
      {"&TextoColar([vazia]).", "FALHA", ""},
      {"&TextoColar().", "FALHA", ""},
  };
  for (const auto& c : casos) {
    desktop.limparRegistro();
    desktop.setAreaTransferenciaTexto(u"antes");
    const QString r = executar(c.instrucao);
    EXPECT_EQ(r, QString::fromUtf8(c.resultado)) << c.instrucao;
    QString copiado = QString::fromUtf8(c.copiado);
    if (r == QLatin1String("OK")) copiado.replace(QLatin1String("[nome]"), QLatin1String("Maria"));
    EXPECT_EQ(QString::fromStdU16String(*desktop.areaTransferenciaTexto()), copiado) << c.instrucao;
    const Linhas colar{"Desktop: tecla 17 baixo", "Desktop: tecla 86 baixo", "Desktop: tecla 86 cima",
                       "Desktop: tecla 17 cima"};
    const Linhas obtido = desktop.linhas();
    ASSERT_FALSE(obtido.empty());
    EXPECT_EQ(Linhas(obtido.begin() + 1, obtido.end()), r == QLatin1String("OK") ? colar : Linhas{}) << c.instrucao;
  }
}

TEST_F(Teclado, TextoColarEsperaAAreaDeTransferenciaLiberar) {
  desktop.setAreaTransferenciaOcupada(3);
  EXPECT_EQ(executar("&TextoColar(oi)."), QStringLiteral("OK"));
  EXPECT_EQ(host.relogio().agoraMs(), 1500);
  EXPECT_EQ(QString::fromStdU16String(*desktop.areaTransferenciaTexto()), QStringLiteral("oi"));

  // Held for good: the user's stop ends the wait and nothing is pasted.
  desktop.limparRegistro();
  desktop.setAreaTransferenciaOcupada(1000000);
  host.aoBombear = [](teste::CLHostTeste& h) {
    if (h.relogio().agoraMs() >= 10000) h.setParar(true);
  };
  EXPECT_EQ(executar("&TextoColar(oi)."), QStringLiteral("FALHA"));
  for (const AcaoSimulada& a : desktop.acoes()) EXPECT_EQ(a.tipo, TipoAcao::AreaTransferenciaOcupada);
}

TEST_F(Teclado, TextoProcessarSoCalculaOTexto) {
  script.valores().definir(QStringLiteral("a"), QStringLiteral("um"));
  EXPECT_EQ(executar("&textoprocessar(\"[a] e &Valor(a)\")."), QStringLiteral("um e um"));
  EXPECT_TRUE(desktop.linhas().empty());
}

TEST_F(Teclado, EntradaTextoDevolveOQueOUsuarioDigitou) {
  struct Host : teste::CLHostTeste {
    QString inicial;
    QString pedirValor(const QString& p, const QString& i) override {
      inicial = i;
      return teste::CLHostTeste::pedirValor(p, i);
    }
  } h;
  CLScript s(h.usarDesktop(desktop));
  h.respostas = QStringList{QStringLiteral("Rua A, 10\r\n"), QString()};
  EXPECT_EQ(s.execFunction(QStringLiteral("&EntradaTexto(\"Endereço\";\"Rua\").")), QStringLiteral("Rua A, 10\r\n"));
  EXPECT_EQ(h.inicial, QStringLiteral("Rua"));
  EXPECT_EQ(s.execFunction(QStringLiteral("&EntradaTexto(\"Endereço\").")), QString());  // cancelled
  EXPECT_EQ(h.inicial, QString());
  EXPECT_EQ(h.dialogos, (QStringList{QStringLiteral("Valor: Endereço -> Rua A, 10\r\n"),
                                     QStringLiteral("Valor: Endereço -> ")}));
  EXPECT_THROW(s.execFunction(QStringLiteral("&EntradaTexto().")), CLErro);
}

TEST_F(Teclado, PrimitivasParaOutrasFamilias) {
  EXPECT_TRUE(teclarControlMais(script, u'c'));
  hitKeyNumber(script, 112);
  teclarColar(script);
  EXPECT_EQ(desktop.linhas(),
            (Linhas{"Desktop: tecla 17 baixo", "Desktop: tecla 67 baixo", "Desktop: tecla 67 cima",
                    "Desktop: tecla 17 cima", "Desktop: tecla 112 baixo", "Desktop: tecla 112 cima",
                    "Desktop: tecla 17 baixo", "Desktop: tecla 86 baixo", "Desktop: tecla 86 cima",
                    "Desktop: tecla 17 cima"}));
  EXPECT_FALSE(teclarControlMais(script, u'é'));
}
