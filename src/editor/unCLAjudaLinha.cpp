#include "unCLAjudaLinha.h"

namespace mivo {

QString nomeAjudaDaLinha(const QString& linha) {
  const QString l = linha.trimmed();
  if (!l.startsWith(u'&')) return {};
  const qsizetype parentese = l.indexOf(u'(');
  return parentese < 0 ? QString() : l.left(parentese);
}

bool mostrarAjudaLinha(const QString& linhaAtual, CLAlvoAjuda* janela, bool bancadaAtiva) {
  if (!janela || !janela->visivel() || !bancadaAtiva) return false;
  // Only a statement line counts; any other line leaves the filter alone.
  if (!linhaAtual.trimmed().startsWith(u'&')) return false;
  const QString nome = nomeAjudaDaLinha(linhaAtual);
  if (janela->filtro() == nome) return false;
  janela->filtrar(nome);
  return true;
}

}  // namespace mivo
