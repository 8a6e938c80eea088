#include "unProcessosLinux.h"

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "unTextoDesktop.h"

namespace mivo {

namespace {

std::string semPasta(const std::string& caminho) {
  const auto barra = caminho.find_last_of('/');
  return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

std::string lerArquivo(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string nomeDoProcesso(const std::string& pasta) {
  char alvo[4096];
  const ssize_t n = readlink((pasta + "/exe").c_str(), alvo, sizeof alvo - 1);
  if (n > 0) {
    std::string caminho(alvo, static_cast<std::size_t>(n));
    const std::string apagado = " (deleted)";  // the file was replaced while it runs
    if (caminho.size() > apagado.size() && caminho.ends_with(apagado)) caminho.resize(caminho.size() - apagado.size());
    return semPasta(caminho);
  }
  const std::string linha = lerArquivo(pasta + "/cmdline");
  const std::string primeira = linha.substr(0, linha.find('\0'));
  if (!primeira.empty()) return semPasta(primeira.substr(0, primeira.find(' ')));
  std::string curto = lerArquivo(pasta + "/comm");
  while (!curto.empty() && curto.back() == '\n') curto.pop_back();
  return curto;
}

}  // namespace

std::vector<ProgramaEmExecucao> listarProgramasLinux(const std::string& raizProc) {
  std::vector<ProgramaEmExecucao> programas;
  DIR* pasta = opendir(raizProc.c_str());
  if (!pasta) return programas;
  while (const dirent* item = readdir(pasta)) {
    const std::string nome = item->d_name;
    if (nome.empty() || nome.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string arquivo = nomeDoProcesso(raizProc + "/" + nome);
    if (arquivo.empty()) continue;  // it ended meanwhile
    programas.push_back({utf16DeUtf8(arquivo), static_cast<ProcessoId>(std::stoul(nome))});
  }
  closedir(pasta);
  return programas;
}

}  // namespace mivo
