#pragma once
// CLSeguradas: the keys and mouse buttons a desktop backend pressed and has
// not released yet, in the order they went down. Each backend keeps one and
// releases what it lists in soltarTudo(). Plain C++.

#include <vector>

#include "unCLDesktop.h"

namespace mivo {

class CLSeguradas {
 public:
  // One key or button, as it went down.
  struct Item {
    bool botao = false;
    int tecla = 0;                           // key code (keys only)
    BotaoMouse qual = BotaoMouse::Esquerdo;  // buttons only
    friend bool operator==(const Item&, const Item&) = default;
  };

  // A press of something already held keeps its first place.
  void tecla(int tecla, bool pressionada);
  void botao(BotaoMouse botao, bool pressionado);

  bool temTecla(int tecla) const;
  std::vector<int> teclas() const;
  std::vector<BotaoMouse> botoes() const;
  // Everything held, in the order it went down.
  const std::vector<Item>& itens() const { return gItens; }
  bool vazio() const { return gItens.empty(); }
  void limpar() { gItens.clear(); }

 private:
  void mudar(const Item& item, bool baixo);
  std::vector<Item> gItens;
};

}  // namespace mivo
