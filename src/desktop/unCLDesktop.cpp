#include "unCLDesktop.h"

#include "unTextoDesktop.h"

namespace mivo {

std::bitset<256> CLDesktop::teclasPressionadas() const {
  std::bitset<256> estado;
  for (int tecla = 1; tecla <= 254; ++tecla) estado[tecla] = (teclaEstado(tecla) & kTeclaPressionada) != 0;
  return estado;
}

TextoTecla CLDesktop::teclaTexto(int, char32_t, bool) const { return {}; }

CLDesktop::~CLDesktop() = default;

std::u16string CLDesktop::janelaExecutavel(JanelaId janela) const {
  const ProcessoId processo = janelaProcesso(janela);
  if (janela == JanelaId::Nenhuma || processo == 0) return {};
  for (const auto& programa : programasEmExecucao()) {
    if (programa.processo == processo) return programa.arquivo;
  }
  return {};
}

JanelaId CLDesktop::janelaPorTitulo(const std::u16string& titulo) const {
  for (JanelaId janela : janelasEmOrdem()) {
    if (iguaisIgnorandoCaixa(janelaTitulo(janela), titulo)) return janela;
  }
  return JanelaId::Nenhuma;
}

JanelaId CLDesktop::janelaDoProcesso(ProcessoId processo) const {
  for (JanelaId janela : janelasEmOrdem()) {
    if (janelaProcesso(janela) == processo && janelaPai(janela) == JanelaId::Nenhuma &&
        janelaVisivel(janela)) {
      return janela;
    }
  }
  return JanelaId::Nenhuma;
}

std::u16string CLDesktop::janelaPrimeiroPlanoTitulo() const {
  const JanelaId janela = janelaPrimeiroPlano();
  return janela == JanelaId::Nenhuma ? std::u16string() : janelaTitulo(janela);
}

}  // namespace mivo
