// The pre-load operations of the engine.

#include "unCLErro.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unFuncTabela.h"
#include "unFuncTexto.h"

namespace mivo {

QString CLScript::preCarregarColunas(const QString& valor) { return fnLaInserirColunas(*this, valor); }

QString CLScript::preCarregarLista(const QString& valor) {
  CLLista& lista = gHost.lista();
  if (lista.gEditou &&
      gHost.perguntarSimNao(QStringLiteral("Modificações efetuadas na tabela de dados serão perdidas. "
                                           "Deseja continuar")) != QLatin1String("Sim"))
    throw CLAbortoSilencioso();
  const QString caminho = gHost.getBestPath(valor, QStringLiteral("dados\\listas"), QString());
  gHost.setPrelistaFile(caminho);
  lista.gridZerar(true);
  abrirListaComTitulos(*this, caminho);
  gHost.showStatus(lista.gridDados);
  return QStringLiteral("ok");
}

QString CLScript::preCarregarTexto(const QString& valor) {
  const QString caminho = gHost.getBestPath(valor, QStringLiteral("dados\\textos"), QString());
  gHost.setPreTextoFile(caminho);
  abrirTextoAuxiliar(*this, caminho);
  return {};
}

}  // namespace mivo
