#include "unCLHostBancada.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

#include "unCLDesktop.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unFuncJanelas.h"
#include "unImagemArquivo.h"
#include "unUtil.h"

namespace mivo {

CLHostBancada::CLHostBancada(CLVisaoBancada& visao, bool relogioVirtual)
    : CLHostMemoria(relogioVirtual), gVisao(visao), gScript(std::make_unique<CLScript>(*this)) {
  gScript->setGrade(*lista().gGrid);
  gTmKey.setInterval(kIntervaloF9Ms);
  QObject::connect(&gTmKey, &QTimer::timeout, [this] { verificarF9(); });
}

CLHostBancada::~CLHostBancada() = default;

CLScript& CLHostBancada::novoScript() {
  gScript = std::make_unique<CLScript>(*this);
  gScript->setGrade(*lista().gGrid);
  return *gScript;
}

ResultadoExecucao CLHostBancada::executar(bool doInicio) {
  if (gEmExecucao) return {FimExecucao::Parado, {}};
  gEmExecucao = true;
  gVisao.antesDaExecucao();
  CLScript& s = *gScript;
  s.setLinhas(dividirLinhas(gVisao.editorTexto()));
  if (doInicio) s.setLinha(0);
  if (s.linha() == 0) s.setLinha(s.getStartLine());
  gLinhaAtual = s.linha();
  gUltimaVista = gUltimaAlheia = gJanelaDaPausa = JanelaId::Nenhuma;
  gAvisoPausaPendente = gEntradaAtrasada = gLacoTerminado = false;
  gTmKey.start();
  // The engine's loop: status "Rodando" until the end, a stop or an error;
  // waits and pumps go through this host.
  ResultadoExecucao r = mivo::rodarScript(s);
  gTmKey.stop();
  gAvisoPausaPendente = false;
  gLinhaAtual = s.linha();
  gEstado.setParar(false);
  if (gEstado.status() != StatusExecucao::Inativo) setStatusExecucao(StatusExecucao::Inativo);
  gEmExecucao = false;
  // A script that needs a desktop this system lacks: the engine reports
  // nothing itself.
  if (r.fim == FimExecucao::SemDesktop) gVisao.mostrarErro(QStringLiteral("Erro: ") + r.mensagem);
  gVisao.depoisDaExecucao(r);
  return r;
}

bool CLHostBancada::pausar() {
  if (!gEstado.rodando()) return false;
  if (gEmExecucao) gJanelaDaPausa = janelaDoAlvo();
  gEstado.pausar();
  gVisao.statusAlterado(gEstado.status());
  return true;
}

bool CLHostBancada::retomar() {
  if (!gEstado.pausado()) return false;
  if (gEmExecucao) {
    // The keys of the run go where they went before the pause, not into
    // the workbench whose "Executar" was just clicked.
    devolverFoco(gJanelaDaPausa);
    gTmKey.start();
  }
  gEstado.retomar();
  gVisao.statusAlterado(gEstado.status());
  return true;
}

void CLHostBancada::encerrarExecucao() {
  const StatusExecucao antes = gEstado.status();
  gEstado.encerrar();
  if (gEstado.status() != antes) gVisao.statusAlterado(gEstado.status());
}

void CLHostBancada::encerrarPorEsc() {
  gEstado.encerrarPorEsc();
  gVisao.statusAlterado(gEstado.status());
}

bool CLHostBancada::f9Pressionada() {
  if (gSemDesktopParaF9) return false;
  try {
    CLDesktop& d = desktop();
    // F9 held by the script itself is no request of the user.
    const std::vector<int> seguradas = d.teclasSeguradas();
    return (d.teclaEstado(tecla::kF9) & kTeclaPressionada) &&
           std::find(seguradas.begin(), seguradas.end(), tecla::kF9) == seguradas.end();
  } catch (...) {
    // No desktop on this system: nothing to poll; "Pausar" still works.
    gSemDesktopParaF9 = true;
    return false;
  }
}

void CLHostBancada::verificarF9() {
  if (!gEstado.rodando()) return;
  notarPrimeiroPlano();
  if (!f9Pressionada()) return;
  gTmKey.stop();
  pausar();
  // The message waits until the script holds no key down (a Ctrl held in
  // the middle of a combination would join the user's keys).
  gAvisoPausaPendente = true;
  avisarPausaPorTecla();
}

void CLHostBancada::avisarPausaPorTecla() {
  if (!gAvisoPausaPendente || !temDesktop()) return;
  if (!desktop().teclasSeguradas().empty() || !desktop().botoesSegurados().empty()) return;
  gAvisoPausaPendente = false;
  gVisao.mostrarInformacao(QStringLiteral("O script foi pausado por sua solicitação"));
  if (gEstado.pausado()) {
    esconderPasso();
    gVisao.pausadoPorTecla();
  } else if (gEmExecucao && gEstado.rodando()) {
    // Resumed while the message was open: the run goes on in its window.
    devolverFoco(gJanelaDaPausa);
  }
}

void CLHostBancada::notarPrimeiroPlano() {
  if (!temDesktop()) return;
  try {
    CLDesktop& d = desktop();
    const JanelaId frente = d.janelaPrimeiroPlano();
    if (frente == gUltimaVista) return;
    gUltimaVista = frente;
    if (frente != JanelaId::Nenhuma && !janelaDoMivo(d, frente)) gUltimaAlheia = frente;
  } catch (...) {
    // A desktop that went away: nothing to note.
  }
}

JanelaId CLHostBancada::janelaDoAlvo() {
  if (!temDesktop()) return JanelaId::Nenhuma;
  try {
    CLDesktop& d = desktop();
    const JanelaId frente = d.janelaPrimeiroPlano();
    if (frente != JanelaId::Nenhuma && !janelaDoMivo(d, frente)) return frente;
  } catch (...) {
    return JanelaId::Nenhuma;
  }
  return gUltimaAlheia;
}

void CLHostBancada::devolverFoco(JanelaId janela) {
  if (janela == JanelaId::Nenhuma || !temDesktop()) return;
  try {
    CLDesktop& d = desktop();
    // A window that is gone, or refuses, is the script's business: its own
    // &JanelaAtivar will tell.
    if (d.janelaPrimeiroPlano() != janela) d.janelaAtivar(janela);
    gUltimaVista = d.janelaPrimeiroPlano();
  } catch (...) {
  }
}

void CLHostBancada::dialogoDoScript(const std::function<void()>& dialogo) {
  if (!gEmExecucao) {
    dialogo();
    return;
  }
  // The statement that opened the dialog is what the run bar shows, even
  // when its entry was left out to save time.
  if (gEntradaAtrasada && gScript) setLogGeral(gScript->entradaLogAtual(), CorLog::Texto);
  const JanelaId antes = janelaDoAlvo();
  dialogo();
  if (gEmExecucao && gEstado.rodando() && !gEstado.parar()) devolverFoco(antes);
}

void CLHostBancada::mostrarInformacao(const QString& texto) {
  dialogoDoScript([&] { gVisao.mostrarInformacao(texto); });
}

void CLHostBancada::mostrarErro(const QString& texto) {
  dialogoDoScript([&] { gVisao.mostrarErro(texto); });
}

void CLHostBancada::mostrarAviso(const QString& texto) {
  dialogoDoScript([&] { gVisao.mostrarAviso(texto); });
}

void CLHostBancada::mostrarMensagem(const QString& texto) {
  dialogoDoScript([&] { gVisao.mostrarMensagem(texto); });
}

void CLHostBancada::mostrarDica(const QString& identificador, const QString& texto, int altura) {
  dialogoDoScript([&] { gVisao.mostrarDica(identificador, texto, altura); });
}

RespostaSimNao CLHostBancada::perguntarSimNao(const QString& texto) {
  RespostaSimNao resposta = RespostaSimNao::Nao;
  dialogoDoScript([&] { resposta = gVisao.perguntarSimNao(texto); });
  return resposta;
}

bool CLHostBancada::registraLog() const {
  const bool registra = !gLog.pausado() || !gEmExecucao || !gUltimaEntrada.isValid() ||
                        gUltimaEntrada.elapsed() >= kIntervaloBarraMs;
  if (!registra) gEntradaAtrasada = true;
  return registra;
}

void CLHostBancada::setLogGeral(const QString& mensagem, CorLog cor) {
  gUltimaEntrada.start();
  gEntradaAtrasada = false;
  const QString entrada = gLog.setLogGeral(mensagem, cor, dataHora().time());
  gVisao.updateRodando(gScript ? gScript->linha() : 0, entrada);
}

void CLHostBancada::editLogGeral(const QString& textoadd) { gLog.editLogGeral(textoadd); }

QString CLHostBancada::pedirValor(const QString& pergunta, const QString& valorInicial) {
  bool confirmado = false;
  QString valor;
  dialogoDoScript([&] { valor = gVisao.pedirValor(pergunta, valorInicial, confirmado); });
  if (!confirmado || valor.isEmpty()) return {};
  // Every line ended by CR LF, as the engine expects.
  return valor + QStringLiteral("\r\n");
}

void CLHostBancada::mostrarErroNaoTratado(const QString& mensagem) {
  dialogoDoScript([&] { gVisao.mostrarMensagem(QStringLiteral("Erro: ") + mensagem); });
}

void CLHostBancada::progressoAbrir(const QString& operacao, int maximo, const QString& legenda1,
                                   const QString& legenda2, const QString& legenda3) {
  gVisao.progresso().progressoAbrir(operacao, maximo, legenda1, legenda2, legenda3);
}

bool CLHostBancada::lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) {
  return lerImagemArquivo(caminho, imagem, erro);
}

void CLHostBancada::registrarTextoAberto(const QString& caminho) {
  CLHostMemoria::registrarTextoAberto(caminho);
  gVisao.registrarTextoAberto(caminho);
}

void CLHostBancada::bombearEventos() {
  if (gEmExecucao && gScript) gLinhaAtual = gScript->linha();
  if (gAvisoPausaPendente) avisarPausaPorTecla();
  // The engine pumps before every statement; a few hundred times a second
  // is what the window needs (F9 is looked at every 10 ms), and handling
  // events at every statement cost more than the statements themselves.
  if (gUltimoBombeio.isValid() && gUltimoBombeio.elapsed() < kIntervaloBombeioMs) return;
  QCoreApplication::processEvents();
  gUltimoBombeio.start();
}

void CLHostBancada::dormir(qint64 ms) {
  if (relogio().virtualizado()) {
    relogio().dormir(ms);
    QCoreApplication::processEvents();
    return;
  }
  if (ms <= 0) {
    QCoreApplication::processEvents();
    return;
  }
  // A local loop: buttons, timers and repaints keep working while waiting.
  QEventLoop laco;
  QTimer::singleShot(static_cast<int>(std::min<qint64>(ms, 24LL * 3600 * 1000)), &laco, &QEventLoop::quit);
  laco.exec();
}

void CLHostBancada::soltarTudo() {
  gLacoTerminado = true;
  gAvisoPausaPendente = false;
  CLHostMemoria::soltarTudo();
}

void CLHostBancada::setStatusExecucao(StatusExecucao valor) {
  if (valor == gEstado.status()) return;
  gEstado.setStatus(valor);
  gVisao.statusAlterado(valor);
}

}  // namespace mivo
