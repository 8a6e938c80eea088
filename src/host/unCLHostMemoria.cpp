#include "unCLHostMemoria.h"

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

void CLHostMemoria::setLogGeral(const QString& mensagem, CorLog cor) { gLog.append({mensagem, cor}); }

void CLHostMemoria::editLogGeral(const QString& textoadd) {
  if (gLog.isEmpty()) return;
  gLog.last().texto += u' ' + textoadd;
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
  if (statusExecucao() == QLatin1String("Pausado"))
    setStatusExecucao(QStringLiteral("Inativo"));
  else
    setParar(true);
}

}  // namespace mivo
