#pragma once
// The one exception type of the interpreter: an error that a script function
// does not handle. It unwinds to the one boundary (executarProtegido, used by
// the run loop), which reports "Erro: " + text.

#include <QString>
#include <stdexcept>

namespace mivo {

class CLErro : public std::runtime_error {
 public:
  explicit CLErro(const QString& mensagem)
      : std::runtime_error(mensagem.toStdString()), gMensagem(mensagem) {}
  const QString& mensagem() const { return gMensagem; }

 private:
  QString gMensagem;
};

// The user declined to go on: the operation unwinds to its caller without
// any message (the rest of the caller's work is skipped).
class CLAbortoSilencioso : public CLErro {
 public:
  CLAbortoSilencioso() : CLErro(QStringLiteral("operação interrompida")) {}
};

// The script needs the desktop and this system offers none.
class CLErroSemDesktop : public CLErro {
 public:
  using CLErro::CLErro;
};

}  // namespace mivo
