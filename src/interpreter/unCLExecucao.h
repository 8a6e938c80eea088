#pragma once
// The run loop every host uses: statement after statement until the end of
// the script, a stop request, a fatal error or an error that escaped a
// function; while the host's status is "Pausado" the loop waits. Errors that
// escape the engine stop at one boundary, executarProtegido.

#include <QString>
#include <QStringList>
#include <functional>

namespace mivo {

class CLScript;
class CLHost;

enum class FimExecucao {
  Normal,     // the script ran to its end
  Parado,     // stopped by a stop request (or the status became "Inativo")
  ErroFatal,  // a function recorded a fatal error line
  Erro,       // an error escaped a function
  SemDesktop, // the script needed the desktop and this system offers none
};

struct ResultadoExecucao {
  FimExecucao fim = FimExecucao::Normal;
  QString mensagem;  // the fatal error line, or the escaped error's text
};

// Runs `script` from its current line (a fresh run sets gLine first with
// prepararInicio). The host's status goes to "Rodando" and back to "Inativo";
// at the end the host releases whatever keys and buttons the script left down.
ResultadoExecucao rodarScript(CLScript& script);

// Prepares a fresh run: the script text, the start line.
void prepararInicio(CLScript& script, const QStringList& linhas);

// The boundary: runs `trabalho` and turns whatever escapes it into an
// outcome. An error becomes "Erro: " + its Portuguese message (shown through
// the host), a missing desktop its own outcome, the user declining to go on
// a stop; nothing escapes. Used by the run loop and by opening a script.
ResultadoExecucao executarProtegido(CLHost& host, const std::function<void()>& trabalho);

}  // namespace mivo
