#pragma once
// The rules of the message, value-entry, input, progress and save windows
// that need no widget: modal results, the six message kinds, line breaks in
// message texts, window heights, the progress window's legends and the
// save-as write. The windows apply them; the tests read them directly.

#include <QByteArray>
#include <QString>
#include <functional>

namespace mivo {

// Modal results, as the callers test them.
constexpr int kResultadoNenhum = 0;
constexpr int kResultadoOk = 1;        // Enter in a one-button message, "&Ok" elsewhere
constexpr int kResultadoCancelar = 2;  // Esc, the close button, "&Cancelar"
constexpr int kResultadoSim = 6;       // "&Sim", and "Ok" in a message
constexpr int kResultadoNao = 7;       // "&Não"

// The six kinds of message (tipoMSG).
enum TipoMensagem : int {
  kTipoInformacao = 1,
  kTipoErro = 2,
  kTipoAviso = 3,
  kTipoPergunta = 4,
  kTipoDica = 5,
  kTipoAjuda = 6,
};

bool tipoMensagemValido(int tipo);

// The caption of a kind ("Informação", "Erro", ...); empty outside 1..6.
QString legendaDoTipo(int tipo);

// The two buttons of a message window for a kind.
struct BotoesMensagem {
  QString primeiro;     // "&Sim" or "Ok"
  QString segundo;      // "&Não"; empty when hidden
  bool segundoVisivel;
};
BotoesMensagem botoesDoTipo(int tipo);

// What a key does in a message window: Esc cancels; Enter gives "ok" only
// when the second button is hidden (a question needs a real answer);
// kResultadoNenhum: the key does nothing.
enum class TeclaMensagem { Enter, Esc };
int resultadoDaTecla(TeclaMensagem tecla, bool segundoVisivel);

// A message text as the window shows it: every backslash + "n" (any letter
// case) becomes a line break, and CR LF or a lone CR become a plain line
// break ("\n", as Qt's labels and editors want it).
QString textoDaMensagem(const QString& texto);

// Line breaks of an editor's text ("\n") as the program keeps them (CR LF),
// and back.
QString quebrasCrLf(const QString& texto);
QString quebrasQt(const QString& texto);

// The height a message window takes when a caller asks for `pedida` pixels:
// never below what its contents need nor above the screen.
int alturaJanela(int pedida, int minima, int maxima);

// The height a tip or help window asks for that keeps the designed size.
constexpr int kAlturaPadraoAjuda = 250;

// Progress calls that carry a non-zero code act only when it is the code
// the window is reserved for.
inline bool codigoProgressoAceito(int aBloqueadoCode, int gBloqueadoCode) {
  return aBloqueadoCode == 0 || aBloqueadoCode == gBloqueadoCode;
}
// A progress legend after a step: a non-empty argument replaces it, an
// empty one leaves it as it was.
inline QString legendaAposPasso(const QString& atual, const QString& argumento) {
  return argumento.isEmpty() ? atual : argumento;
}

// How the save-as window writes its text.
enum class CodificacaoArquivo {
  Ansi,        // Windows-1252 when every character fits, else UTF-8 with a mark (nothing is lost)
  Utf8ComBom,  // the auxiliary text
};
// The bytes written for `dados`: its lines, each ended by CR LF.
QByteArray bytesParaGravar(const QString& dados, CodificacaoArquivo codificacao);

// The save-as write once the user named the file: resolves `nome` against
// the default folder and extension (getBestPath), asks `confirmarSobrepor`
// before replacing an existing file, and writes. The written path; empty
// for a blank name, when the user declined, or when the write failed
// (`erro` then says why, in Portuguese).
QString gravarComo(const QString& nome, const QString& pastaPadrao, const QString& extensao, const QString& dados,
                   CodificacaoArquivo codificacao, const std::function<bool(const QString&)>& confirmarSobrepor,
                   QString* erro = nullptr);

}  // namespace mivo
