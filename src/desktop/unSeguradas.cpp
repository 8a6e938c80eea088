#include "unSeguradas.h"

#include <algorithm>

namespace mivo {

void CLSeguradas::mudar(const Item& item, bool baixo) {
  const auto it = std::find(gItens.begin(), gItens.end(), item);
  if (baixo && it == gItens.end()) gItens.push_back(item);
  if (!baixo && it != gItens.end()) gItens.erase(it);
}

void CLSeguradas::tecla(int tecla, bool pressionada) {
  Item item;
  item.tecla = tecla;
  mudar(item, pressionada);
}

void CLSeguradas::botao(BotaoMouse botao, bool pressionado) {
  Item item;
  item.botao = true;
  item.qual = botao;
  mudar(item, pressionado);
}

bool CLSeguradas::temTecla(int tecla) const {
  return std::any_of(gItens.begin(), gItens.end(), [&](const Item& i) { return !i.botao && i.tecla == tecla; });
}

std::vector<int> CLSeguradas::teclas() const {
  std::vector<int> r;
  for (const Item& i : gItens)
    if (!i.botao) r.push_back(i.tecla);
  return r;
}

std::vector<BotaoMouse> CLSeguradas::botoes() const {
  std::vector<BotaoMouse> r;
  for (const Item& i : gItens)
    if (i.botao) r.push_back(i.qual);
  return r;
}

}  // namespace mivo
