#pragma once
// CLProcessoTeste: a child process of a test (an X server, a window
// manager, a client), ended when the object goes.

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace mivo::teste {

class CLProcessoTeste {
 public:
  struct Opcoes {
    std::vector<std::pair<std::string, std::string>> ambiente;  // added or replaced
    bool entrada = false;       // a pipe to its standard input
    std::string saida;          // file for stdout and stderr; empty: /dev/null
    int descritorExtra = -1;    // kept open as descriptor 3 in the child
  };

  CLProcessoTeste() = default;
  ~CLProcessoTeste();
  CLProcessoTeste(const CLProcessoTeste&) = delete;
  CLProcessoTeste& operator=(const CLProcessoTeste&) = delete;

  // Starts argv[0] (a path, or a name searched in PATH). False when it
  // could not be started.
  bool iniciar(const std::vector<std::string>& argv, const Opcoes& opcoes);
  pid_t pid() const { return gPid; }
  bool vivo();
  // Writes to its standard input.
  bool escrever(const std::string& texto);
  // SIGTERM, then SIGKILL if it has not ended within `limiteMs`.
  void parar(int limiteMs = 2000);
  // Waits for it to end by itself; false when it still runs after `limiteMs`.
  bool aguardarFim(int limiteMs, int* status = nullptr);

 private:
  pid_t gPid = -1;
  int gEntrada = -1;
};

// True when `programa` is found in PATH.
bool programaInstalado(const std::string& programa);

}  // namespace mivo::teste
