#include "unFabricaDesktop.h"

#include <QString>

#include "sim/unCLDesktopSimulado.h"
#include "sim/unCenarioSimulado.h"
#include "unDesktopPlataforma.h"

namespace mivo {

DesktopCriado criarDesktop(const OpcoesDesktop& opcoes) {
  DesktopCriado criado;
  if (!opcoes.simular) {
    criado.desktop = criarDesktopDaPlataforma(criado.erro);
    return criado;
  }
  CenarioSimulado cenario;
  if (!opcoes.cenario.empty()) {
    QString erro;
    if (!lerCenarioSimulado(QString::fromStdU16String(opcoes.cenario), cenario, &erro)) {
      criado.erro = erro.toStdU16String();
      return criado;
    }
  }
  auto simulado = std::make_unique<CLDesktopSimulado>(cenario);
  simulado->setObservador(opcoes.observador);
  simulado->setDormir(opcoes.dormir);
  criado.desktop = std::move(simulado);
  return criado;
}

}  // namespace mivo
