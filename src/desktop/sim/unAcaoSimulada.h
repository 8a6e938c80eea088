#pragma once
// One action a script performed on the simulated desktop, and the line that
// `mivo-run --simular` prints for it ("Desktop: tecla 17 baixo").

#include <string>

#include "unCLDesktop.h"

namespace mivo {

enum class TipoAcao {
  TeclaPressionada,
  TeclaSolta,
  Caractere,
  Cursor,
  BotaoPressionado,
  BotaoSolto,
  Roda,
  JanelaAtivada,
  JanelaNaoAtivada,  // the system refused
  JanelaMovida,
  JanelaMaximizada,
  TextoCopiado,
  ImagemCopiada,
  AreaTransferenciaOcupada,  // a clipboard write was refused
  Abrir,
};

struct AcaoSimulada {
  TipoAcao tipo = TipoAcao::TeclaPressionada;
  int valor = 0;           // key code or wheel delta
  char32_t caractere = 0;  // typed character
  PontoTela ponto;         // where the cursor was sent
  BotaoMouse botao = BotaoMouse::Esquerdo;
  JanelaId janela = JanelaId::Nenhuma;
  RetanguloJanela retangulo;  // where the window was moved
  TamanhoTela imagem;         // size of the picture copied
  std::u16string texto;       // window title, clipboard text or command

  // UTF-8; line breaks inside texts written as the two characters \n.
  std::string linha() const;
};

}  // namespace mivo
