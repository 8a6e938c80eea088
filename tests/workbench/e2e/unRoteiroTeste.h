#pragma once
// For end-to-end tests of the workbench in the test's own process: a
// script of steps that a timer runs also inside the event pumps of a run,
// and the message window the run shows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "unFrmMsg.h"

namespace mivo::teste {

// Steps run by a timer every 10 ms, also inside the event pumps of a run:
// each one waits until its condition holds, then acts. A step still waiting
// after its deadline fails the test and calls `socorro`, which must end the
// run so that the test ends too.
class CLRoteiro {
 public:
  explicit CLRoteiro(std::function<void()> socorro) : gSocorro(std::move(socorro)) {
    QObject::connect(&gTimer, &QTimer::timeout, [this] { verificar(); });
  }
  void passo(std::string nome, std::function<bool()> pronto, std::function<void()> acao, int limiteMs = 30000) {
    gPassos.push_back({std::move(nome), std::move(pronto), std::move(acao), limiteMs});
  }
  void iniciar() {
    gRelogio.start();
    gTimer.start(10);
  }
  bool terminado() const { return gAtual >= gPassos.size() || !gFalha.empty(); }
  // The step that timed out; empty when none did.
  const std::string& falha() const { return gFalha; }

 private:
  struct Passo {
    std::string nome;
    std::function<bool()> pronto;
    std::function<void()> acao;
    int limiteMs;
  };
  void verificar() {
    if (terminado()) {
      gTimer.stop();
      return;
    }
    Passo& p = gPassos[gAtual];
    if (p.pronto()) {
      // Moved on first: the action may run nested event loops.
      ++gAtual;
      gRelogio.start();
      p.acao();
    } else if (gRelogio.elapsed() > p.limiteMs) {
      gFalha = p.nome;
      gTimer.stop();
      ADD_FAILURE() << "Passo não atingido em " << p.limiteMs << " ms: " << p.nome;
      gSocorro();
    }
  }

  std::vector<Passo> gPassos;
  std::size_t gAtual = 0;
  std::string gFalha;
  std::function<void()> gSocorro;
  QTimer gTimer;
  QElapsedTimer gRelogio;
};

// `condicao` held without interruption for at least `ms`.
inline std::function<bool()> porAlgumTempo(std::function<bool()> condicao, int ms) {
  auto desde = std::make_shared<QElapsedTimer>();
  return [condicao = std::move(condicao), desde, ms] {
    if (!condicao()) {
      desde->invalidate();
      return false;
    }
    if (!desde->isValid()) desde->start();
    return desde->elapsed() >= ms;
  };
}

// The message window open now; null when none is.
inline TfrmMsg* mensagemAberta() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* msg = qobject_cast<TfrmMsg*>(w);
    if (msg && msg->isVisible()) return msg;
  }
  return nullptr;
}

}  // namespace mivo::teste
