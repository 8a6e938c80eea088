#include "unPreCarga.h"

#include "unCLErro.h"
#include "unCLLista.h"
#include "unCLScript.h"
#include "unFuncTabela.h"
#include "unFuncTexto.h"

namespace mivo {

QString preCarregarColunas(CLScript& script, const QString& valor) {
  script.grade().inserirColunas(valor);
  return {};
}

QString preCarregarLista(CLScript& script, const QString& valor) {
  CLHost& host = script.host();
  CLLista& lista = host.lista();
  if (lista.gEditou &&
      host.perguntarSimNao(QStringLiteral("Modificações efetuadas na tabela de dados serão perdidas. "
                                          "Deseja continuar")) != RespostaSimNao::Sim)
    throw CLAbortoSilencioso();
  const QString caminho = host.getBestPath(valor, QStringLiteral("dados\\listas"), QString());
  host.setPrelistaFile(caminho);
  lista.gridZerar(true);
  abrirListaComTitulos(script, caminho);
  host.showStatus(lista.gridDados);
  return QStringLiteral("ok");
}

QString preCarregarTexto(CLScript& script, const QString& valor) {
  CLHost& host = script.host();
  const QString caminho = host.getBestPath(valor, QStringLiteral("dados\\textos"), QString());
  host.setPreTextoFile(caminho);
  abrirTextoAuxiliar(script, caminho);
  return {};
}

}  // namespace mivo
