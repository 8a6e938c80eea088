#include "unProcessoTeste.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace mivo::teste {

bool programaInstalado(const std::string& programa) {
  const char* path = std::getenv("PATH");
  std::string pastas = path ? path : "";
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fim = pastas.find(':', inicio);
    const std::string pasta = pastas.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
    if (!pasta.empty() && access((pasta + '/' + programa).c_str(), X_OK) == 0) return true;
    if (fim == std::string::npos) return false;
    inicio = fim + 1;
  }
}

CLProcessoTeste::~CLProcessoTeste() { parar(); }

bool CLProcessoTeste::iniciar(const std::vector<std::string>& argv, const Opcoes& opcoes) {
  std::vector<std::string> ambiente;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    bool trocada = false;
    for (const auto& [nome, valor] : opcoes.ambiente) trocada = trocada || var.rfind(nome + "=", 0) == 0;
    if (!trocada) ambiente.push_back(var);
  }
  for (const auto& [nome, valor] : opcoes.ambiente) ambiente.push_back(nome + "=" + valor);
  std::vector<char*> envp, args;
  for (auto& v : ambiente) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::vector<std::string> copia = argv;
  for (auto& a : copia) args.push_back(a.data());
  args.push_back(nullptr);

  int tubo[2] = {-1, -1};
  if (opcoes.entrada && pipe2(tubo, O_CLOEXEC) != 0) return false;
  const int saida = open(opcoes.saida.empty() ? "/dev/null" : opcoes.saida.c_str(),
                         O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const int nulo = open("/dev/null", O_RDONLY | O_CLOEXEC);
  gPid = fork();
  if (gPid == 0) {
    setpgid(0, 0);
    dup2(opcoes.entrada ? tubo[0] : nulo, 0);
    dup2(saida, 1);
    dup2(saida, 2);
    if (opcoes.descritorExtra == 3) fcntl(3, F_SETFD, 0);
    else if (opcoes.descritorExtra >= 0) dup2(opcoes.descritorExtra, 3);
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  close(saida);
  close(nulo);
  if (opcoes.entrada) {
    close(tubo[0]);
    gEntrada = tubo[1];
  }
  return gPid > 0;
}

bool CLProcessoTeste::vivo() {
  if (gPid <= 0) return false;
  int status = 0;
  if (waitpid(gPid, &status, WNOHANG) == gPid) {
    gPid = -1;
    return false;
  }
  return true;
}

bool CLProcessoTeste::escrever(const std::string& texto) {
  if (gEntrada < 0) return false;
  signal(SIGPIPE, SIG_IGN);
  return write(gEntrada, texto.data(), texto.size()) == static_cast<ssize_t>(texto.size());
}

bool CLProcessoTeste::aguardarFim(int limiteMs, int* status) {
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(limiteMs);
  while (gPid > 0) {
    int s = 0;
    if (waitpid(gPid, &s, WNOHANG) == gPid) {
      if (status) *status = s;
      gPid = -1;
      return true;
    }
    if (std::chrono::steady_clock::now() >= fim) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void CLProcessoTeste::parar(int limiteMs) {
  if (gEntrada >= 0) {
    close(gEntrada);
    gEntrada = -1;
  }
  if (gPid <= 0) return;
  kill(gPid, SIGTERM);
  if (!aguardarFim(limiteMs)) {
    kill(gPid, SIGKILL);
    aguardarFim(limiteMs);
  }
  gPid = -1;
}

}  // namespace mivo::teste
