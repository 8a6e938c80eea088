#include "unCLHostBancada.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

#include "unCLDesktop.h"
#include "unCLLista.h"
#include "unCLScript.h"
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
  gTmKey.start();
  // The engine's loop: status "Rodando" until the end, a stop or an error;
  // waits and pumps go through this host.
  ResultadoExecucao r = mivo::rodarScript(s);
  gTmKey.stop();
  gLinhaAtual = s.linha();
  gEstado.setParar(false);
  if (gEstado.status() != status::kInativo) setStatusExecucao(status::kInativo);
  gEmExecucao = false;
  // A script that needs a desktop this system lacks: the engine reports
  // nothing itself.
  if (r.fim == FimExecucao::SemDesktop) gVisao.mostrarErro(QStringLiteral("Erro: ") + r.mensagem);
  gVisao.depoisDaExecucao(r);
  return r;
}

bool CLHostBancada::pausar() {
  if (!gEstado.pausar()) return false;
  gVisao.statusAlterado(gEstado.status());
  return true;
}

bool CLHostBancada::retomar() {
  if (!gEstado.retomar()) return false;
  if (gEmExecucao) gTmKey.start();
  gVisao.statusAlterado(gEstado.status());
  return true;
}

void CLHostBancada::encerrarExecucao() {
  const QString antes = gEstado.status();
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
  if (!gEstado.rodando() || !f9Pressionada()) return;
  gTmKey.stop();
  pausar();
  gVisao.mostrarInformacao(QStringLiteral("O script foi pausado por sua solicitação"));
  esconderPasso();
  gVisao.pausadoPorTecla();
}

bool CLHostBancada::registraLog() const {
  return !gLog.pausado() || !gEmExecucao || !gUltimaEntrada.isValid() ||
         gUltimaEntrada.elapsed() >= kIntervaloBarraMs;
}

void CLHostBancada::setLogGeral(const QString& mensagem, CorLog cor) {
  gUltimaEntrada.start();
  const QString entrada = gLog.setLogGeral(mensagem, cor, dataHora().time());
  gVisao.updateRodando(gScript ? gScript->linha() : 0, entrada);
}

void CLHostBancada::editLogGeral(const QString& textoadd) { gLog.editLogGeral(textoadd); }

QString CLHostBancada::pedirValor(const QString& pergunta, const QString& valorInicial) {
  bool confirmado = false;
  const QString valor = gVisao.pedirValor(pergunta, valorInicial, confirmado);
  if (!confirmado || valor.isEmpty()) return {};
  // Every line ended by CR LF, as the engine expects.
  return valor + QStringLiteral("\r\n");
}

void CLHostBancada::mostrarErroNaoTratado(const QString& mensagem) {
  gVisao.mostrarMensagem(QStringLiteral("Erro: ") + mensagem);
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

void CLHostBancada::setStatusExecucao(const QString& valor) {
  if (valor == gEstado.status()) return;
  gEstado.setStatus(valor);
  gVisao.statusAlterado(valor);
}

}  // namespace mivo
