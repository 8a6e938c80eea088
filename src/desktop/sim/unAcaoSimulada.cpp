#include "unAcaoSimulada.h"

#include "unTextoDesktop.h"

namespace mivo {

namespace {

// The text between double quotes, line breaks (CR LF, CR or LF) written as \n.
std::string entreAspas(std::u16string_view texto) {
  std::u16string umaLinha;
  umaLinha.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char16_t c = texto[i];
    if (c == u'\r' || c == u'\n') {
      umaLinha += u"\\n";
      if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n') ++i;
    } else {
      umaLinha += c;
    }
  }
  return '"' + utf8DeUtf16(umaLinha) + '"';
}

const char* nomeBotao(BotaoMouse botao) {
  return botao == BotaoMouse::Esquerdo ? "esquerdo" : "direito";
}

}  // namespace

std::string AcaoSimulada::linha() const {
  using std::to_string;
  std::string s = "Desktop: ";
  switch (tipo) {
    case TipoAcao::TeclaPressionada:
      return s + "tecla " + to_string(valor) + " baixo";
    case TipoAcao::TeclaSolta:
      return s + "tecla " + to_string(valor) + " cima";
    case TipoAcao::Caractere:
      return s + "caractere " + entreAspas(utf16DeCaractere(caractere));
    case TipoAcao::Cursor:
      return s + "cursor " + to_string(ponto.x) + "," + to_string(ponto.y);
    case TipoAcao::BotaoPressionado:
      return s + "botão " + nomeBotao(botao) + " baixo";
    case TipoAcao::BotaoSolto:
      return s + "botão " + nomeBotao(botao) + " cima";
    case TipoAcao::Roda:
      return s + "roda " + to_string(valor);
    case TipoAcao::JanelaAtivada:
      return s + "janela ativada " + entreAspas(texto);
    case TipoAcao::JanelaNaoAtivada:
      return s + "janela não ativada " + entreAspas(texto);
    case TipoAcao::JanelaMovida:
      return s + "janela movida " + entreAspas(texto) + " " + to_string(retangulo.x) + "," +
             to_string(retangulo.y) + " " + to_string(retangulo.largura) + "x" +
             to_string(retangulo.altura);
    case TipoAcao::JanelaMaximizada:
      return s + "janela maximizada " + entreAspas(texto);
    case TipoAcao::TextoCopiado:
      return s + "área de transferência " + entreAspas(texto);
    case TipoAcao::ImagemCopiada:
      return s + "área de transferência imagem " + to_string(imagem.largura) + "x" +
             to_string(imagem.altura);
    case TipoAcao::AreaTransferenciaOcupada:
      return s + "área de transferência ocupada";
    case TipoAcao::Abrir:
      return s + "abrir " + entreAspas(texto);
  }
  return s;
}

}  // namespace mivo
