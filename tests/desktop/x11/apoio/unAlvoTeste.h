#pragma once
// CLAlvoTeste: the test's target window (the alvoX11 program) running on a
// test display: started, told what to do, and read back through its report.

#include <functional>
#include <string>
#include <vector>

#include "unProcessoTeste.h"

namespace mivo::teste {

class CLAlvoTeste {
 public:
  struct Opcoes {
    std::string titulo = "Alvo";
    int x = 100, y = 100, largura = 400, altura = 300;
    std::string cor = "ff0000";  // RRGGBB
    // Runs a copy of the program under this file name, so that it is the
    // only process of that name on the machine; empty: the program itself.
    std::string executavel;
  };

  CLAlvoTeste();
  ~CLAlvoTeste();
  // Starts it on `tela` and waits until its window shows; false on failure.
  bool iniciar(const std::string& tela, const Opcoes& opcoes);
  unsigned long janela() const { return gJanela; }
  int pid() const { return gProcesso.pid(); }
  void comando(const std::string& linha);
  // What the program wrote to its standard output and error.
  std::string saida() const;
  void parar() { gProcesso.parar(); }

  // The report lines since the start (or the last esquecer()).
  std::vector<std::string> linhas();
  // The text its keys typed (the "texto" lines, unescaped), in UTF-8.
  std::string textoRecebido();
  // Waits, polling within `limiteMs`, until `condicao` holds for the lines.
  bool aguardar(const std::function<bool(const std::vector<std::string>&)>& condicao, int limiteMs = 5000);
  bool aguardarLinha(const std::string& linha, int limiteMs = 5000);
  // Waits until the text received is at least as long as `esperado`.
  bool aguardarTexto(const std::string& esperado, int limiteMs = 5000);
  void esquecer();

  static std::string desescapar(const std::string& texto);

 private:
  CLProcessoTeste gProcesso;
  std::string gPasta;
  std::string gRelatorio;
  std::size_t gInicio = 0;  // lines before this one were forgotten
  unsigned long gJanela = 0;
};

}  // namespace mivo::teste
