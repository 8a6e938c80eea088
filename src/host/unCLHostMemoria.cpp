#include "unCLHostMemoria.h"

#include <algorithm>

#include "unArquivoDicas.h"
#include "unCLDesktop.h"
#include "unCLErro.h"
#include "unCLLista.h"
#include "unUtil.h"

namespace mivo {

CLHostMemoria::CLHostMemoria(bool relogioVirtual) : gRelogio(relogioVirtual) {}

CLHostMemoria::~CLHostMemoria() = default;

void CLHostMemoria::setDesktop(std::unique_ptr<CLDesktop> desktop) { gDesktop = std::move(desktop); }

CLDesktop& CLHostMemoria::desktop() {
  if (!gDesktop) {
    QString erro = QStringLiteral("nenhuma área de trabalho foi configurada");
    if (gFabrica) gDesktop = gFabrica(erro);
    if (!gDesktop) throw CLErroSemDesktop(erro);
  }
  return *gDesktop;
}

bool CLHostMemoria::lerImagem(const QString&, ImagemPixels&, QString& erro) {
  erro = QStringLiteral("este programa não lê imagens");
  return false;
}

void CLHostMemoria::soltarTudo() {
  if (gDesktop) gDesktop->soltarTudo();
}

namespace {

// Appends `texto` to the entry, cutting it at kMaxCaracteresEntradaLog
// characters (the last one "…") without splitting a surrogate pair.
void anexarAoLog(EntradaLog& entrada, QStringView texto) {
  if (entrada.cortada) return;
  const qsizetype cabe = kMaxCaracteresEntradaLog - entrada.texto.size();
  if (texto.size() <= cabe) {
    entrada.texto += texto;
    return;
  }
  qsizetype parte = std::max<qsizetype>(cabe - 1, 0);
  if (parte > 0 && texto.at(parte - 1).isHighSurrogate()) --parte;
  entrada.texto += texto.left(parte);
  if (entrada.texto.size() >= kMaxCaracteresEntradaLog) {
    entrada.texto.truncate(kMaxCaracteresEntradaLog - 1);
    if (entrada.texto.back().isHighSurrogate()) entrada.texto.chop(1);
  }
  entrada.texto += u'…';
  entrada.cortada = true;
}

}  // namespace

void CLHostMemoria::setLogGeral(const QString& mensagem, CorLog cor) {
  if (gLog.size() >= kMaxEntradasLog) gLog.removeFirst();
  EntradaLog entrada;
  entrada.cor = cor;
  if (mensagem.size() <= kMaxCaracteresEntradaLog)
    entrada.texto = mensagem;
  else
    anexarAoLog(entrada, mensagem);
  gLog.append(std::move(entrada));
}

void CLHostMemoria::editLogGeral(const QString& textoadd) {
  if (gLog.isEmpty()) return;
  EntradaLog& entrada = gLog.last();
  anexarAoLog(entrada, u" ");
  anexarAoLog(entrada, textoadd);
}

void CLHostMemoria::exibirDica(const QString& identificador, const QString& texto, int altura) {
  if (!dicas::dicaOculta(dicas::caminhoArquivoDicas(), identificador)) mostrarDica(identificador, texto, altura);
}

QString CLHostMemoria::getBestPath(const QString& nome, const QString& pasta, const QString& extensao) {
  return mivo::getBestPath(nome, pasta, extensao);
}

CLLista& CLHostMemoria::lista() {
  if (!gLista) gLista = std::make_unique<CLLista>();
  return *gLista;
}

void CLHostMemoria::encerrarExecucao() {
  if (statusExecucao() == StatusExecucao::Pausado)
    setStatusExecucao(StatusExecucao::Inativo);
  else
    setParar(true);
}

}  // namespace mivo
