#include "unFabricaDesktop.h"

#include <QString>

#include "sim/unCLDesktopSimulado.h"
#include "unDesktopPlataforma.h"

namespace mivo {

DesktopCriado criarDesktop(const OpcoesDesktop& opcoes) {
  DesktopCriado criado;
  if (!opcoes.simular) {
    criado.desktop = criarDesktopDaPlataforma(criado.erro);
    return criado;
  }
  QString erro;
  auto simulado = criarDesktopSimulado(QString::fromStdU16String(opcoes.cenario), erro);
  if (!simulado) {
    criado.erro = erro.toStdU16String();
    return criado;
  }
  simulado->setObservador(opcoes.observador);
  simulado->setDormir(opcoes.dormir);
  criado.desktop = std::move(simulado);
  return criado;
}

}  // namespace mivo
