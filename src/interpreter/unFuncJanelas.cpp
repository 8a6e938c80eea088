#include "unFuncJanelas.h"

#include <QCoreApplication>
#include <optional>

#include "unCLDesktop.h"
#include "unCLScript.h"
#include "unFuncComum.h"
#include "unFuncTeclado.h"
#include "unAguardar.h"
#include "unCLInstrucao.h"
#include "unUtil.h"

namespace mivo {

namespace {

constexpr int kAlturaDicaPadrao = 250;

QString titulo(CLScript& s, JanelaId janela) { return QString::fromStdU16String(s.desktop().janelaTitulo(janela)); }

// The foreground window's title; empty when Mivo itself is in front.
QString tituloPrimeiroPlano(CLScript& s) {
  const JanelaId janela = s.desktop().janelaPrimeiroPlano();
  if (janelaDoMivo(s.desktop(), janela)) return {};
  return QString::fromStdU16String(s.desktop().janelaTitulo(janela));
}

}  // namespace

bool processoDoMivo(ProcessoId processo) {
  static const auto proprio = static_cast<ProcessoId>(QCoreApplication::applicationPid());
  return processo != 0 && processo == proprio;
}

bool janelaDoMivo(const CLDesktop& desktop, JanelaId janela) {
  return janela != JanelaId::Nenhuma && processoDoMivo(desktop.janelaProcesso(janela));
}

QString fnJanelaAtivaTexto(CLScript& s, const CLArgumentos&) {
  return apararDireita(QString::fromStdU16String(s.desktop().janelaPrimeiroPlanoTitulo()));
}

QString fnJanelaAtivaAguardar(CLScript& s, const CLArgumentos& a) {
  const std::optional<int> segundos = inteiro(a[1]);
  if (!segundos) return s.falhaDeSintaxe(a);
  const QString parte = a[0].toLower();
  if (*segundos <= 0) return kFalha;
  const bool achou = aguardarAte(s.host(), qint64(*segundos) * 1000, 50, [&] {
    return !parte.isEmpty() && tituloPrimeiroPlano(s).toLower().contains(parte);
  });
  if (!achou) return kFalha;
  s.host().dormir(50);
  s.host().bombearEventos();
  return kOk;
}

QString fnJanelaAtivaMaximizar(CLScript& s, const CLArgumentos&) {
  // The system menu's key for "Maximizar" on a Portuguese system.
  teclarAltEspaco(s);
  s.host().bombearEventos();
  s.host().dormir(500);
  digitarCaractere(s, U'x');
  return {};
}

QString fnJanelaAtivaPosicionar(CLScript& s, const CLArgumentos& a) {
  std::optional<int> v[4];
  for (int i = 0; i < 4; ++i) v[i] = inteiro(a[i]);
  if (!v[0] || !v[1] || !v[2] || !v[3]) return s.falhaDeSintaxe(a);
  const JanelaId janela = s.desktop().janelaPrimeiroPlano();
  if (janela == JanelaId::Nenhuma) return kFalha;
  return s.desktop().janelaMover(janela, {*v[0], *v[1], *v[2], *v[3]}) ? kOk : kFalha;
}

QString fnJanelaAtivar(CLScript& s, const CLArgumentos& a) {
  const QString parte = a[0].toLower();
  if (parte.isEmpty()) return kFalha;  // an empty part is found in no title
  // The first window, in desktop order, whose title holds the part (upper
  // case on both sides). That window is the one activated: its title may
  // change in the meantime (an unread counter, a "*"), so it is not looked
  // up again by title.
  const QString parteMaiuscula = parte.toUpper();
  JanelaId achada = JanelaId::Nenhuma;
  for (const JanelaId janela : s.desktop().janelasEmOrdem()) {
    const QString t = titulo(s, janela);
    if (t.toUpper().contains(parteMaiuscula) && t.toLower().contains(parte) && !janelaDoMivo(s.desktop(), janela)) {
      achada = janela;
      break;
    }
  }
  if (achada == JanelaId::Nenhuma) return kFalha;
  const bool ativada = s.desktop().janelaAtivar(achada);
  s.host().bombearEventos();
  return ativada ? kOk : kFalha;
}

QString fnJanelaAtivarExe(CLScript& s, const CLArgumentos& a) {
  const QString nome = a[0].toLower();
  if (nome.isEmpty()) return {};
  std::optional<ProcessoId> processo;
  for (const ProgramaEmExecucao& p : s.desktop().programasEmExecucao()) {
    if (QString::fromStdU16String(p.arquivo).compare(nome, Qt::CaseInsensitive) == 0 && !processoDoMivo(p.processo)) {
      processo = p.processo;
      break;
    }
  }
  if (!processo) return kFalha;
  const JanelaId janela = s.desktop().janelaDoProcesso(*processo);
  if (janela == JanelaId::Nenhuma) return kFalha;
  const bool ativada = s.desktop().janelaAtivar(janela);
  s.host().bombearEventos();
  return ativada ? kOk : kFalha;
}

QString fnImagemArquivoCopiar(CLScript& s, const CLArgumentos& a) {
  QString erro;
  if (a.isEmpty()) {
    erro = QStringLiteral("nenhum arquivo foi informado");
  } else {
    ImagemPixels imagem;
    if (s.host().lerImagem(a[0], imagem, erro)) {
      if (s.desktop().areaTransferenciaDefinirImagem(imagem)) return kOk;
      erro = QStringLiteral("a área de transferência está em uso por outro programa");
    }
  }
  s.host().mostrarMensagem(QStringLiteral("Falha ao copiar a imagem: ") + erro);
  s.falhaDeSintaxe(a);
  return kFalha;
}

QString fnMsgExibir(CLScript& s, const CLArgumentos& a) {
  s.host().bombearEventos();
  s.host().dormir(10);
  s.host().mostrarInformacao(a[0]);
  return {};
}

QString fnMsgDica(CLScript& s, const CLArgumentos& a) {
  const std::optional<int> altura = a.size() == 3 ? inteiro(a[2]) : std::optional<int>(kAlturaDicaPadrao);
  if (!altura) return s.falhaDeSintaxe(a);
  const QString& identificador = a[0];
  if (s.dicaExibida(identificador)) return {};
  s.host().exibirDica(identificador, a[1], *altura);
  s.registrarDicaExibida(identificador);
  return {};
}

QString fnMivoAbaClicar(CLScript& s, const CLArgumentos& a) {
  const QString nome = a[0].toLower();
  if (nome == QLatin1String("script")) {
    s.host().selecionarAbaPrincipal(0);
  } else if (nome == QLatin1String("dados")) {
    s.host().selecionarAbaPrincipal(1);
  } else if (nome == QLatin1String("texto auxiliar") || nome == QLatin1String("texto")) {
    s.host().selecionarAbaPrincipal(2);
  } else if (nome == QStringLiteral("informações")) {
    s.host().selecionarAbaScript(0);
  } else if (nome == QLatin1String("log")) {
    s.host().selecionarAbaScript(1);
  } else if (nome == QStringLiteral("código")) {
    s.host().selecionarAbaScript(2);
  } else {
    return kFalha;
  }
  return kOk;
}

}  // namespace mivo
