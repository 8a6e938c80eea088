#include "unAbrirLinux.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace mivo {

namespace {

bool executavel(const std::string& caminho) {
  struct stat info {};
  return stat(caminho.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(caminho.c_str(), X_OK) == 0;
}

// The path of a program named without folder, searched in PATH; empty when none.
std::string procurarNoPath(const std::string& nome) {
  const char* path = std::getenv("PATH");
  std::string pastas = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t inicio = 0;
  while (inicio <= pastas.size()) {
    const std::size_t fim = pastas.find(':', inicio);
    const std::string pasta = pastas.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
    const std::string caminho = (pasta.empty() ? std::string(1, '.') : pasta) + '/' + nome;
    if (executavel(caminho)) return caminho;
    if (fim == std::string::npos) break;
    inicio = fim + 1;
  }
  return {};
}

bool temEsquema(const std::string& comando) {
  const auto doisPontos = comando.find(':');
  if (doisPontos == std::string::npos || doisPontos < 2) return false;
  for (std::size_t i = 0; i < doisPontos; ++i) {
    const char c = comando[i];
    const bool valido = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!valido) return false;
  }
  return true;
}

// Starts `programa` with `argumentos` in a new session, its own grandchild,
// so that it outlives us and never becomes our zombie. True once exec worked.
bool iniciarDesligado(const std::string& programa, const std::vector<std::string>& argumentos) {
  std::vector<char*> argv;
  for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int aviso[2];
  if (pipe2(aviso, O_CLOEXEC) != 0) return false;
  const pid_t filho = fork();
  if (filho < 0) {
    close(aviso[0]);
    close(aviso[1]);
    return false;
  }
  if (filho == 0) {
    // Only async-signal-safe calls from here on: other threads may hold locks.
    setsid();
    const pid_t neto = fork();
    if (neto < 0) {
      const int erro = errno;
      [[maybe_unused]] const ssize_t n = write(aviso[1], &erro, sizeof erro);
      _exit(1);
    }
    if (neto > 0) _exit(0);
    const int nulo = open("/dev/null", O_RDWR);
    if (nulo >= 0) {
      dup2(nulo, 0);
      dup2(nulo, 1);
      dup2(nulo, 2);
    }
    syscall(SYS_close_range, 3u, ~0u, CLOSE_RANGE_CLOEXEC);
    execv(programa.c_str(), argv.data());
    const int erro = errno;
    [[maybe_unused]] const ssize_t n = write(aviso[1], &erro, sizeof erro);
    _exit(127);
  }
  close(aviso[1]);
  int status = 0;
  while (waitpid(filho, &status, 0) < 0 && errno == EINTR) {
  }
  int erro = 0;
  ssize_t lidos;
  while ((lidos = read(aviso[0], &erro, sizeof erro)) < 0 && errno == EINTR) {
  }
  close(aviso[0]);
  return lidos == 0;  // the pipe closed on exec: no error came
}

}  // namespace

bool abrirNoShellLinux(const std::string& comandoOriginal) {
  std::string comando = comandoOriginal;
  while (!comando.empty() && (comando.back() == ' ' || comando.back() == '\t')) comando.pop_back();
  while (!comando.empty() && (comando.front() == ' ' || comando.front() == '\t')) comando.erase(0, 1);
  if (comando.empty()) return false;

  std::string programa;
  if (!temEsquema(comando)) {
    if (comando.find('/') != std::string::npos) {
      struct stat info {};
      if (stat(comando.c_str(), &info) != 0) return false;
      if (executavel(comando)) programa = comando;
    } else {
      programa = procurarNoPath(comando);
      if (programa.empty() && access(comando.c_str(), F_OK) != 0) return false;
    }
  }
  if (!programa.empty()) return iniciarDesligado(programa, {programa});
  const std::string abridor = procurarNoPath("xdg-open");
  if (abridor.empty()) return false;
  return iniciarDesligado(abridor, {"xdg-open", comando});
}

}  // namespace mivo
