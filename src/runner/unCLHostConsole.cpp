#include "unCLHostConsole.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <thread>

#include "unCLDesktop.h"
#include "unCLErro.h"
#include "unCLDesktopSimulado.h"
#include "unImagemArquivo.h"
#include "unUtil.h"

namespace mivo {

namespace {

// Bytes of log kept before they are written, and how long at most they wait.
constexpr qsizetype kBufferLog = 64 * 1024;
constexpr auto kDescarregarLog = std::chrono::milliseconds(250);
// How long one pump of a paused run waits for the terminal.
constexpr int kEsperaNaPausaMs = 100;

const QString kDicaPausa =
    QStringLiteral("mivo-run: tecle Enter para continuar ou \"e\" e Enter para encerrar");

QString textoArquivoLog(const QString& caminho) {
  return QStringLiteral("Não foi possível gravar o arquivo \"%1\"").arg(caminho);
}

}  // namespace

CLHostConsole::CLHostConsole(CLTerminal terminal, bool relogioVirtual)
    : CLHostMemoria(relogioVirtual), gTerminal(std::move(terminal)) {}

CLHostConsole::~CLHostConsole() = default;

QString CLHostConsole::usarDesktopSimulado(const QString& cenario) {
  QString erro;
  std::unique_ptr<CLDesktopSimulado> simulado = criarDesktopSimulado(cenario, erro);
  if (!simulado) return erro;
  simulado->setObservador([this](const std::string& linha) { gTerminal.escrever(QString::fromStdString(linha)); });
  simulado->setDormir([this](int ms) { dormir(ms); });
  setDesktop(std::move(simulado));
  return {};
}

bool CLHostConsole::lerImagem(const QString& caminho, ImagemPixels& imagem, QString& erro) {
  return lerImagemArquivo(caminho, imagem, erro);
}

void CLHostConsole::concluirLog() {
  if (gEntradaAberta && !gSilencioso && !log().isEmpty())
    gTerminal.escrever(quebrasComoBarraN(log().last().texto));
  gEntradaAberta = false;
}

void CLHostConsole::setLogGeral(const QString& mensagem, CorLog cor) {
  // An entry is complete once its statement has finished or the next entry
  // begins: until then the engine may still extend it with a result. Only
  // the last entry can be extended, so the one before goes to the file now.
  concluirLog();
  if (gUltimaPendente && !log().isEmpty()) gravarNoLog(log().last());
  CLHostMemoria::setLogGeral(mensagem, cor);
  gUltimaPendente = gArquivoLog != nullptr;
  gEntradaAberta = true;
}

void CLHostConsole::limparLog() {
  // What was printed stays printed; the file starts again.
  CLHostMemoria::limparLog();
  gUltimaPendente = false;
  if (!gArquivoLog) return;
  gBufferLog.clear();
  if (!gArquivoLog->resize(0) || !gArquivoLog->seek(0)) gFalhaLog = true;
}

bool CLHostConsole::abrirLog(const QString& caminho, QString& erro) {
  auto arquivo = std::make_unique<QFile>(caminho);
  if (QFileInfo(caminho).isDir() ||
      !arquivo->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    erro = textoArquivoLog(caminho);
    return false;
  }
  gArquivoLog = std::move(arquivo);
  gLogDescarregadoEm = std::chrono::steady_clock::now();
  return true;
}

void CLHostConsole::gravarNoLog(const EntradaLog& entrada) {
  gBufferLog += quebrasComoBarraN(entrada.texto).toUtf8();
  gBufferLog += '\n';
  if (gBufferLog.size() >= kBufferLog) descarregarLog();
}

void CLHostConsole::descarregarLog() {
  gLogDescarregadoEm = std::chrono::steady_clock::now();
  if (!gArquivoLog || gBufferLog.isEmpty()) return;
  if (gArquivoLog->write(gBufferLog) != gBufferLog.size()) gFalhaLog = true;
  gBufferLog.clear();
}

QString CLHostConsole::fecharLog() {
  if (!gArquivoLog) return {};
  if (gUltimaPendente && !log().isEmpty()) gravarNoLog(log().last());
  gUltimaPendente = false;
  descarregarLog();
  const QString caminho = gArquivoLog->fileName();
  gArquivoLog->close();
  const bool falhou = gFalhaLog || gArquivoLog->error() != QFileDevice::NoError;
  gArquivoLog.reset();
  return falhou ? textoArquivoLog(caminho) : QString();
}

void CLHostConsole::instrucaoConcluida() {
  concluirLog();
  if (!gPausaPedida) return;
  gPausaPedida = false;
  if (statusExecucao() != StatusExecucao::Rodando || parar()) return;
  setStatusExecucao(StatusExecucao::Pausado);
  mostrarInformacao(QStringLiteral("O script foi pausado por sua solicitação"));
  gTerminal.escreverErro(kDicaPausa);
}

void CLHostConsole::bombearEventos() {
  if (!gParadaVista && paradaPedida()) {
    gParadaVista = true;
    gPausaPedida = false;
    encerrarExecucao();
  }
  const bool pausado = statusExecucao() == StatusExecucao::Pausado;
  const auto agora = std::chrono::steady_clock::now();
  if (!pausado && agora - gF9LidaEm < kIntervaloF9) return;
  gF9LidaEm = agora;
  if (gArquivoLog && agora - gLogDescarregadoEm >= kDescarregarLog) descarregarLog();
  verificarF9();
  if (pausado) aguardarNaPausa();
}

void CLHostConsole::verificarF9() {
  // Only the desktop the run already drives: polling must not open one.
  if (!temDesktop()) return;
  CLDesktop& d = desktop();
  // F9 held by the script itself is no request of the user.
  const std::vector<int> seguradas = d.teclasSeguradas();
  const bool baixa = (d.teclaEstado(tecla::kF9) & kTeclaPressionada) &&
                     std::find(seguradas.begin(), seguradas.end(), tecla::kF9) == seguradas.end();
  const bool apertou = baixa && !gF9Baixa;
  gF9Baixa = baixa;
  if (!apertou || statusExecucao() != StatusExecucao::Rodando || parar()) return;
  if (gTerminal.lerLinha)
    gPausaPedida = true;  // after the statement that is running
  else
    encerrarExecucao();  // nobody could resume it
}

void CLHostConsole::aguardarNaPausa() {
  if (!gTerminal.lerLinha) {
    // Paused by someone else and no terminal: wait without spinning.
    std::this_thread::sleep_for(std::chrono::milliseconds(kEsperaNaPausaMs));
    return;
  }
  QString linha;
  switch (gTerminal.lerLinha(kEsperaNaPausaMs, linha)) {
    case LeituraTerminal::Nada: return;
    case LeituraTerminal::Fim: encerrarExecucao(); return;
    case LeituraTerminal::Linha: break;
  }
  const QString resposta = aparar(linha);
  if (resposta.isEmpty()) {
    setStatusExecucao(StatusExecucao::Rodando);
  } else if (resposta.compare(QLatin1String("e"), Qt::CaseInsensitive) == 0) {
    encerrarExecucao();
  } else {
    gTerminal.escreverErro(kDicaPausa);
  }
}

void CLHostConsole::dialogo(const QString& tipo, const QString& texto) {
  gTerminal.escrever(tipo + QLatin1String(": ") + quebrasComoBarraN(texto));
}

void CLHostConsole::mostrarInformacao(const QString& texto) {
  dialogo(QStringLiteral("Informação"), texto);
}

void CLHostConsole::mostrarErro(const QString& texto) { dialogo(QStringLiteral("Erro"), texto); }

void CLHostConsole::mostrarDica(const QString&, const QString& texto, int) {
  dialogo(QStringLiteral("Dica"), texto);
}

void CLHostConsole::mostrarMensagem(const QString& texto) {
  dialogo(QStringLiteral("Mensagem"), texto);
}

void CLHostConsole::mostrarAviso(const QString& texto) {
  gTerminal.escreverErro(QStringLiteral("Aviso: ") + quebrasComoBarraN(texto));
}

void CLHostConsole::mostrarErroNaoTratado(const QString& mensagem) {
  dialogo(QStringLiteral("Erro"), mensagem);
}

void CLHostConsole::mostrarPasso(const QString& texto) { dialogo(QStringLiteral("Passo"), texto); }

std::optional<QString> CLHostConsole::proximaResposta(const QString& prompt) {
  if (gUsaRespostas) {
    if (gProximaResposta >= gRespostas.size()) return std::nullopt;
    return gRespostas[gProximaResposta++];
  }
  // Once a stop was asked for, nobody is waited for.
  if (gTerminal.perguntar && !paradaPedida()) return gTerminal.perguntar(prompt);
  return std::nullopt;
}

RespostaSimNao CLHostConsole::perguntarSimNao(const QString& texto) {
  const QString prompt = QStringLiteral("Pergunta: ") + quebrasComoBarraN(texto) + QLatin1String(" -> ");
  const bool interativo = !gUsaRespostas && gTerminal.perguntar;
  const std::optional<QString> r = proximaResposta(prompt);
  const QString resposta = r ? *r : QStringLiteral("Não");
  if (!interativo || !r) gTerminal.escrever(prompt + resposta);
  // Only "Sim" is yes.
  return resposta == QLatin1String("Sim") ? RespostaSimNao::Sim : RespostaSimNao::Nao;
}

QString CLHostConsole::pedirValor(const QString& pergunta, const QString&) {
  const QString prompt = QStringLiteral("Valor: ") + quebrasComoBarraN(pergunta) + QLatin1String(" -> ");
  const bool interativo = !gUsaRespostas && gTerminal.perguntar;
  const std::optional<QString> r = proximaResposta(prompt);
  const QString linha = r ? *r : QString();
  if (!interativo || !r) gTerminal.escrever(prompt + linha);
  if (linha.isEmpty()) return {};
  // As the multi-line entry gives it: every line ended by CR LF.
  QString valor = linha;
  valor.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
  return valor + QLatin1String("\r\n");
}

}  // namespace mivo
