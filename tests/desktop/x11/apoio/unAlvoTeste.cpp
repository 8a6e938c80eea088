#include "unAlvoTeste.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <thread>

namespace mivo::teste {

CLAlvoTeste::CLAlvoTeste() {
  char modelo[] = "/tmp/mivo-alvo-XXXXXX";
  if (mkdtemp(modelo)) gPasta = modelo;
  gRelatorio = gPasta + "/relatorio.txt";
}

CLAlvoTeste::~CLAlvoTeste() {
  gProcesso.parar();
  std::error_code erro;
  if (!gPasta.empty()) std::filesystem::remove_all(gPasta, erro);
}

bool CLAlvoTeste::iniciar(const std::string& tela, const Opcoes& o) {
  CLProcessoTeste::Opcoes opcoes;
  opcoes.ambiente = {{"DISPLAY", tela}};
  opcoes.entrada = true;
  opcoes.saida = gPasta + "/saida.txt";
  std::string programa = MIVO_ALVO_X11;
  if (!o.executavel.empty()) {
    programa = gPasta + "/" + o.executavel;
    std::error_code erro;
    std::filesystem::copy_file(MIVO_ALVO_X11, programa, std::filesystem::copy_options::overwrite_existing, erro);
    if (erro) return false;
  }
  if (!gProcesso.iniciar({programa, o.titulo, gRelatorio, std::to_string(o.x), std::to_string(o.y),
                          std::to_string(o.largura), std::to_string(o.altura), o.cor},
                         opcoes)) {
    return false;
  }
  std::string pronto;
  if (!aguardar(
          [&](const std::vector<std::string>& ls) {
            for (const auto& l : ls) {
              if (l.rfind("pronto ", 0) == 0) pronto = l.substr(7);
            }
            return !pronto.empty();
          },
          10000)) {
    return false;
  }
  gJanela = std::stoul(pronto);
  return true;
}

std::string CLAlvoTeste::saida() const {
  std::ifstream f(gPasta + "/saida.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void CLAlvoTeste::comando(const std::string& linha) { gProcesso.escrever(linha + "\n"); }

std::vector<std::string> CLAlvoTeste::linhas() {
  std::ifstream f(gRelatorio, std::ios::binary);
  const std::string tudo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  // Only whole lines: the program may be writing the last one.
  std::vector<std::string> todas;
  std::size_t inicio = 0, fim;
  while ((fim = tudo.find('\n', inicio)) != std::string::npos) {
    todas.push_back(tudo.substr(inicio, fim - inicio));
    inicio = fim + 1;
  }
  if (gInicio >= todas.size()) return {};
  return std::vector<std::string>(todas.begin() + static_cast<long>(gInicio), todas.end());
}

void CLAlvoTeste::esquecer() {
  const std::size_t antes = gInicio;
  gInicio = 0;
  gInicio = std::max(antes, linhas().size());
}

std::string CLAlvoTeste::desescapar(const std::string& t) {
  std::string r;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '\\' || i + 1 == t.size()) {
      r += t[i];
      continue;
    }
    const char c = t[++i];
    r += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
  }
  return r;
}

std::string CLAlvoTeste::textoRecebido() {
  std::string texto;
  for (const auto& l : linhas()) {
    if (l.rfind("texto ", 0) == 0) texto += desescapar(l.substr(6));
  }
  return texto;
}

bool CLAlvoTeste::aguardar(const std::function<bool(const std::vector<std::string>&)>& condicao, int limiteMs) {
  const auto fim = std::chrono::steady_clock::now() + std::chrono::milliseconds(limiteMs);
  while (true) {
    if (condicao(linhas())) return true;
    if (std::chrono::steady_clock::now() >= fim) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool CLAlvoTeste::aguardarLinha(const std::string& linha, int limiteMs) {
  return aguardar(
      [&](const std::vector<std::string>& ls) {
        for (const auto& l : ls) {
          if (l == linha) return true;
        }
        return false;
      },
      limiteMs);
}

bool CLAlvoTeste::aguardarTexto(const std::string& esperado, int limiteMs) {
  return aguardar([&](const std::vector<std::string>&) { return textoRecebido().size() >= esperado.size(); },
                  limiteMs);
}

}  // namespace mivo::teste
