#include "unCLExecucao.h"

#include <exception>

#include "unCLErro.h"
#include "unCLScript.h"

namespace mivo {

namespace {

const QString kInativo = QStringLiteral("Inativo");
const QString kPausado = QStringLiteral("Pausado");

// The checks made after every statement (and again after a pause): true when
// the run must end, with the outcome filled in.
bool deveTerminar(CLScript& script, ResultadoExecucao& r) {
  CLHost& host = script.host();
  if (host.parar() || host.statusExecucao() == kInativo ||
      host.statusExecucao() == QLatin1String("encerrado")) {
    host.setParar(false);
    host.setStatusExecucao(kInativo);
    script.gLine = 0;
    r.fim = FimExecucao::Parado;
    return true;
  }
  if (script.gErroFatal) {
    host.setLogGeral(script.gErroFatalTexto, CorLog::Vermelho);
    host.setStatusExecucao(kInativo);
    r.fim = FimExecucao::ErroFatal;
    r.mensagem = script.gErroFatalTexto;
    return true;
  }
  return false;
}

}  // namespace

void prepararInicio(CLScript& script, const QStringList& linhas) {
  script.gScript = linhas;
  script.gLine = script.getStartLine();
}

ResultadoExecucao rodarScript(CLScript& script) {
  CLHost& host = script.host();
  ResultadoExecucao r;
  host.setStatusExecucao(QStringLiteral("Rodando"));
  try {
    while (true) {
      if (!script.loadLine()) {
        host.setStatusExecucao(kInativo);
        break;
      }
      if (deveTerminar(script, r)) break;
      if (host.statusExecucao() == kPausado) {
        while (host.statusExecucao() == kPausado) {
          host.dormir(200);
          host.bombearEventos();
        }
        if (deveTerminar(script, r)) break;
      }
    }
  } catch (const CLErroSemDesktop& e) {
    r.fim = FimExecucao::SemDesktop;
    r.mensagem = e.mensagem();
    host.setStatusExecucao(kInativo);
  } catch (const CLErro& e) {
    r.fim = FimExecucao::Erro;
    r.mensagem = e.mensagem();
  } catch (const std::exception& e) {
    r.fim = FimExecucao::Erro;
    r.mensagem = QString::fromLocal8Bit(e.what());
  }
  if (r.fim == FimExecucao::Erro) {
    host.setStatusExecucao(kInativo);
    host.mostrarErroNaoTratado(r.mensagem);
  }

  host.esconderPasso();
  if (script.gUsouCliquePerguntar) {
    script.gUsouCliquePerguntar = false;
    const QString resposta = host.perguntarSimNao(QStringLiteral(
        "O script foi modificado por conta de definições de pontos de clique. Salvando o script "
        "você não precisará ter que definir todos os pontos da próxima vez que rodar esse script. "
        "Deseja salvar?"));
    if (resposta == QLatin1String("Sim")) host.salvarScript();
  }
  return r;
}

}  // namespace mivo
