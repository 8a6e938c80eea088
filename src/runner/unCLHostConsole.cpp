#include "unCLHostConsole.h"

#include "unCLDesktop.h"
#include "unCLErro.h"
#include "unCLDesktopSimulado.h"
#include "unImagemArquivo.h"
#include "unUtil.h"

namespace mivo {

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
  // begins: until then the engine may still extend it with a result.
  concluirLog();
  CLHostMemoria::setLogGeral(mensagem, cor);
  gEntradaAberta = true;
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

void CLHostConsole::mostrarErroNaoTratado(const QString& mensagem) {
  dialogo(QStringLiteral("Erro"), mensagem);
}

void CLHostConsole::mostrarPasso(const QString& texto) { dialogo(QStringLiteral("Passo"), texto); }

std::optional<QString> CLHostConsole::proximaResposta(const QString& prompt) {
  if (gUsaRespostas) {
    if (gProximaResposta >= gRespostas.size()) return std::nullopt;
    return gRespostas[gProximaResposta++];
  }
  if (gTerminal.perguntar) return gTerminal.perguntar(prompt);
  return std::nullopt;
}

QString CLHostConsole::perguntarSimNao(const QString& texto) {
  const QString prompt = QStringLiteral("Pergunta: ") + quebrasComoBarraN(texto) + QLatin1String(" -> ");
  const bool interativo = !gUsaRespostas && gTerminal.perguntar;
  const std::optional<QString> r = proximaResposta(prompt);
  const QString resposta = r ? *r : QStringLiteral("Não");
  if (!interativo || !r) gTerminal.escrever(prompt + resposta);
  return resposta;
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
