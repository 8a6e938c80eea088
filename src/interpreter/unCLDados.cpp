#include "unCLDados.h"

namespace mivo {

CLDados* CLValores::procurar(const QString& nome) {
  for (auto& e : gEntradas)
    if (e.nome.compare(nome, Qt::CaseInsensitive) == 0) return &e.dados;
  return nullptr;
}

const CLDados* CLValores::procurar(const QString& nome) const {
  return const_cast<CLValores*>(this)->procurar(nome);
}

void CLValores::definir(const QString& nome, const QString& valor) {
  if (CLDados* d = procurar(nome))
    d->gValor = valor;
  else
    acrescentar(nome, valor);
}

QString CLValores::valor(const QString& nome) const {
  const CLDados* d = procurar(nome);
  return d ? d->gValor : QString();
}

}  // namespace mivo
