#include "unCLHost.h"

#include "unArquivoDicas.h"
#include "unCLDesktopSimulado.h"
#include "unCLLista.h"
#include "unUtil.h"

namespace mivo {

CLHost::CLHost(bool relogioVirtual) : gRelogio(relogioVirtual) {}

CLHost::~CLHost() = default;

CLDesktop& CLHost::desktop() {
  if (!gDesktopPadrao) gDesktopPadrao = std::make_unique<CLDesktopSimulado>();
  return *gDesktopPadrao;
}

void CLHost::setLogGeral(const QString& mensagem, CorLog cor) { gLog.append({mensagem, cor}); }

void CLHost::editLogGeral(const QString& textoadd) {
  if (gLog.isEmpty()) return;
  gLog.last().texto += u' ' + textoadd;
}

QString CLHost::getBestPath(const QString& nome, const QString& pasta, const QString& extensao) {
  return mivo::getBestPath(nome, pasta, extensao);
}

CLLista& CLHost::lista() {
  if (!gLista) gLista = std::make_unique<CLLista>();
  return *gLista;
}

int CLHost::editorQtdLinhas() const { return static_cast<int>(dividirLinhas(editorTexto()).size()); }

void CLHost::pausarSegundos(double segundos) {
  const qint64 fim = agoraMs() + static_cast<qint64>(segundos * 1000);
  while (agoraMs() < fim) {
    dormir(std::min<qint64>(50, fim - agoraMs()));
    bombearEventos();
  }
}

void CLHost::encerrarExecucao() {
  if (statusExecucao() == QLatin1String("Pausado"))
    setStatusExecucao(QStringLiteral("Inativo"));
  else
    setParar(true);
}

// --- Tips ---------------------------------------------------------------------

void CLHost::exibirDica(const QString& identificador, const QString& texto, int altura) {
  if (!dicaOculta(identificador)) mostrarDica(identificador, texto, altura);
}

bool CLHost::dicaOculta(const QString& identificador) const {
  return dicas::dicaOculta(dicas::caminhoArquivoDicas(), identificador);
}

}  // namespace mivo
