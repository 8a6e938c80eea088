#pragma once
// A host for tests: records dialogs as "Tipo: texto" lines, answers questions
// and value entries from a list, and waits on a virtual clock. It drives a
// quiet simulated desktop of its own, or the one a test lends it.

#include <QStringList>
#include <memory>

#include "impressaoQt.h"
#include "unCLDesktopSimulado.h"
#include "unCLHostMemoria.h"

namespace mivo::teste {

class CLHostTeste : public CLHostMemoria {
 public:
  CLHostTeste() : CLHostMemoria(/*relogioVirtual=*/true) { setDesktop(std::make_unique<CLDesktopSimulado>()); }

  // Drives `desktop` (owned by the test) from now on.
  CLHostTeste& usarDesktop(CLDesktop& desktop) {
    gDesktopEmprestado = &desktop;
    return *this;
  }
  CLDesktop& desktop() override { return gDesktopEmprestado ? *gDesktopEmprestado : CLHostMemoria::desktop(); }

  QStringList dialogos;
  QStringList respostas;  // used in order; "Não" / empty once they run out
  QStringList editorLinhasSeguidas;
  int bombeamentos = 0;
  // Called on every pump: lets a test press "Pausar"/"Encerrar" mid-run.
  std::function<void(CLHostTeste&)> aoBombear;

  void mostrarInformacao(const QString& t) override { dialogos << QStringLiteral("Informação: ") + t; }
  void mostrarErro(const QString& t) override { dialogos << QStringLiteral("Erro: ") + t; }
  void mostrarMensagem(const QString& t) override { dialogos << QStringLiteral("Mensagem: ") + t; }
  void mostrarErroNaoTratado(const QString& t) override { dialogos << QStringLiteral("Erro: ") + t; }
  void mostrarPasso(const QString& t) override { dialogos << QStringLiteral("Passo: ") + t; }
  void esconderPasso() override { dialogos << QStringLiteral("Passo oculto"); }
  RespostaSimNao perguntarSimNao(const QString& t) override {
    const QString r = respostas.isEmpty() ? QStringLiteral("Não") : respostas.takeFirst();
    dialogos << QStringLiteral("Pergunta: ") + t + QStringLiteral(" -> ") + r;
    return r == QLatin1String("Sim") ? RespostaSimNao::Sim : RespostaSimNao::Nao;
  }
  QString pedirValor(const QString& p, const QString& inicial) override {
    const QString r = respostas.isEmpty() ? QString() : respostas.takeFirst();
    dialogos << QStringLiteral("Valor: ") + p + QStringLiteral(" -> ") + r;
    return r;
  }
  void editorSeguir(int linha) override { editorLinhasSeguidas << QString::number(linha); }
  void bombearEventos() override {
    ++bombeamentos;
    if (aoBombear) aoBombear(*this);
  }

  QStringList textosDoLog() const {
    QStringList r;
    for (const auto& e : log()) r << e.texto;
    return r;
  }
 private:
  CLDesktop* gDesktopEmprestado = nullptr;
};

}  // namespace mivo::teste
