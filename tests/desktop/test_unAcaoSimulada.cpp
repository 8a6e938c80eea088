#include <gtest/gtest.h>

#include "unAcaoSimulada.h"

using namespace mivo;

namespace {

AcaoSimulada acao(TipoAcao tipo, int valor = 0, std::u16string texto = {}) {
  AcaoSimulada a;
  a.tipo = tipo;
  a.valor = valor;
  a.texto = std::move(texto);
  return a;
}

}  // namespace

TEST(AcaoSimulada, CadaTipoTemSuaLinha) {
  AcaoSimulada caractere = acao(TipoAcao::Caractere);
  caractere.caractere = U'ç';
  AcaoSimulada emoji = acao(TipoAcao::Caractere);
  emoji.caractere = U'😀';
  AcaoSimulada cursor = acao(TipoAcao::Cursor);
  cursor.ponto = {-10, 200};
  AcaoSimulada direitoBaixo = acao(TipoAcao::BotaoPressionado);
  direitoBaixo.botao = BotaoMouse::Direito;
  AcaoSimulada esquerdoCima = acao(TipoAcao::BotaoSolto);
  AcaoSimulada movida = acao(TipoAcao::JanelaMovida, 0, u"Bloco de notas");
  movida.retangulo = {10, -5, 800, 600};
  AcaoSimulada imagem = acao(TipoAcao::ImagemCopiada);
  imagem.imagem = {32, 16};

  const std::pair<AcaoSimulada, std::string> casos[] = {
      {acao(TipoAcao::TeclaPressionada, 17), "Desktop: tecla 17 baixo"},
      {acao(TipoAcao::TeclaSolta, 86), "Desktop: tecla 86 cima"},
      {caractere, "Desktop: caractere \"ç\""},
      {emoji, "Desktop: caractere \"😀\""},
      {cursor, "Desktop: cursor -10,200"},
      {direitoBaixo, "Desktop: botão direito baixo"},
      {esquerdoCima, "Desktop: botão esquerdo cima"},
      {acao(TipoAcao::Roda, -240), "Desktop: roda -240"},
      {acao(TipoAcao::JanelaAtivada, 0, u"Bloco de notas"), "Desktop: janela ativada \"Bloco de notas\""},
      {acao(TipoAcao::JanelaNaoAtivada, 0, u"Mensageiro"), "Desktop: janela não ativada \"Mensageiro\""},
      {movida, "Desktop: janela movida \"Bloco de notas\" 10,-5 800x600"},
      {acao(TipoAcao::JanelaMaximizada, 0, u""), "Desktop: janela maximizada \"\""},
      {acao(TipoAcao::TextoCopiado, 0, u"Olá"), "Desktop: área de transferência \"Olá\""},
      {imagem, "Desktop: área de transferência imagem 32x16"},
      {acao(TipoAcao::AreaTransferenciaOcupada), "Desktop: área de transferência ocupada"},
      {acao(TipoAcao::Abrir, 0, u"notepad.exe"), "Desktop: abrir \"notepad.exe\""},
  };
  for (const auto& [a, linha] : casos) EXPECT_EQ(a.linha(), linha);
}

TEST(AcaoSimulada, QuebrasDeLinhaViramBarraN) {
  EXPECT_EQ(acao(TipoAcao::TextoCopiado, 0, u"a\r\nb\nc\rd\r\n").linha(),
            "Desktop: área de transferência \"a\\nb\\nc\\nd\\n\"");
  AcaoSimulada enter = acao(TipoAcao::Caractere);
  enter.caractere = U'\n';
  EXPECT_EQ(enter.linha(), "Desktop: caractere \"\\n\"");
}
