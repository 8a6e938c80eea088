#include "unCLExecucao.h"

#include <exception>
#include <new>

#include "unCLErro.h"
#include "unCLScript.h"

namespace mivo {

namespace {

// The checks made after every statement (and again after a pause): true when
// the run must end, with the outcome filled in.
bool deveTerminar(CLScript& script, ResultadoExecucao& r) {
  CLHost& host = script.host();
  if (host.parar() || host.statusExecucao() == StatusExecucao::Inativo ||
      host.statusExecucao() == StatusExecucao::Encerrado) {
    host.setParar(false);
    host.setStatusExecucao(StatusExecucao::Inativo);
    script.setLinha(0);
    r.fim = FimExecucao::Parado;
    return true;
  }
  if (script.erroFatal()) {
    host.setLogGeral(script.erroFatalTexto(), CorLog::Vermelho);
    host.setStatusExecucao(StatusExecucao::Inativo);
    r.fim = FimExecucao::ErroFatal;
    r.mensagem = script.erroFatalTexto();
    return true;
  }
  return false;
}

ResultadoExecucao laco(CLScript& script) {
  CLHost& host = script.host();
  ResultadoExecucao r;
  while (true) {
    if (!script.loadLine()) {
      host.setStatusExecucao(StatusExecucao::Inativo);
      break;
    }
    if (deveTerminar(script, r)) break;
    if (host.statusExecucao() == StatusExecucao::Pausado) {
      while (host.statusExecucao() == StatusExecucao::Pausado) {
        host.dormir(200);
        host.bombearEventos();
      }
      if (deveTerminar(script, r)) break;
    }
  }
  return r;
}

}  // namespace

ResultadoExecucao executarProtegido(CLHost& host, const std::function<void()>& trabalho) {
  ResultadoExecucao r;
  try {
    trabalho();
    return r;
  } catch (const CLErroSemDesktop& e) {
    r.fim = FimExecucao::SemDesktop;
    r.mensagem = e.mensagem();
    return r;
  } catch (const CLAbortoSilencioso&) {
    r.fim = FimExecucao::Parado;
    return r;
  } catch (const CLErro& e) {
    r.mensagem = e.mensagem();
  } catch (const std::bad_alloc&) {
    r.mensagem = QStringLiteral("Memória insuficiente para continuar a execução");
  } catch (const std::exception& e) {
    r.mensagem = QStringLiteral("Falha inesperada na execução (%1)").arg(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    r.mensagem = QStringLiteral("Falha inesperada na execução");
  }
  r.fim = FimExecucao::Erro;
  // Nothing the script pressed stays down, and no keycode stays lent,
  // while the user reads the error.
  try {
    host.soltarTudo();
  } catch (...) {
  }
  // Reporting must not throw past the boundary either.
  try {
    host.mostrarErroNaoTratado(r.mensagem);
  } catch (...) {
  }
  return r;
}

void prepararInicio(CLScript& script, const QStringList& linhas) {
  script.setLinhas(linhas);
  script.setLinha(script.getStartLine());
}

ResultadoExecucao rodarScript(CLScript& script) {
  CLHost& host = script.host();
  host.setStatusExecucao(StatusExecucao::Rodando);
  ResultadoExecucao r;
  const ResultadoExecucao protegido = executarProtegido(host, [&] { r = laco(script); });
  if (protegido.fim != FimExecucao::Normal) {
    r = protegido;
    host.setStatusExecucao(StatusExecucao::Inativo);
  }
  // Stopped, ended by an error or finished: nothing the script pressed
  // stays down.
  try {
    host.soltarTudo();
  } catch (...) {
  }

  host.esconderPasso();
  if (script.usouCliquePerguntar()) {
    script.setUsouCliquePerguntar(false);
    const RespostaSimNao resposta = host.perguntarSimNao(QStringLiteral(
        "O script foi modificado por conta de definições de pontos de clique. Salvando o script "
        "você não precisará ter que definir todos os pontos da próxima vez que rodar esse script. "
        "Deseja salvar?"));
    if (resposta == RespostaSimNao::Sim) host.salvarScript();
  }
  return r;
}

}  // namespace mivo
