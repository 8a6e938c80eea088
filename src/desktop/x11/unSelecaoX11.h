#pragma once
// CLSelecaoX11: the CLIPBOARD selection of one X connection, owned and read
// by the clipboard thread (see unAreaTransferenciaX11). As owner it answers
// other programs' requests for the offered targets (TARGETS, the text in
// UTF-8 and Latin-1, a PNG picture); as reader it asks the owner for text,
// UTF-8 first and Latin-1 after, follows incremental (INCR) transfers and
// gives up when the owner does not answer in time.

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mivo {

class CLConexaoX11;

class CLSelecaoX11 {
 public:
  using Relogio = std::chrono::steady_clock;
  using FimLeitura = std::function<void(std::optional<std::u16string>)>;

  CLSelecaoX11(CLConexaoX11& conexao, int limiteLeituraMs);
  ~CLSelecaoX11();
  CLSelecaoX11(const CLSelecaoX11&) = delete;
  CLSelecaoX11& operator=(const CLSelecaoX11&) = delete;

  // Takes the selection with a text or a PNG picture; false when the server
  // did not make us the owner.
  bool possuirTexto(const std::u16string& texto);
  bool possuirImagemPng(std::string png);

  // Starts reading the text; `fim` gets it (empty when the clipboard holds
  // no text), or nothing when the owner did not answer in time. One read
  // at a time: a second one while the first runs gets nothing.
  void lerTexto(FimLeitura fim);

  void tratarEvento(const XEvent& evento);
  // Ends a read whose time is up; the milliseconds until the next limit
  // (-1: nothing pending).
  int verificarPrazo();
  // Fails a pending read (the connection is gone, the thread stops).
  void abandonar();
  // How many requests for data (not for the list of targets) were answered
  // since the start; the answer has reached the server by then.
  long entregas() const { return gEntregas; }

 private:
  struct Oferta {
    Atom alvo;
    Atom tipo;
    std::string bytes;
  };
  struct Leitura {
    FimLeitura fim;
    Atom alvo = None;
    Atom tipo = None;  // of the data that came: owners may answer another type
    bool incremental = false;
    std::string dados;
    Relogio::time_point prazo;
  };

  bool possuir(std::vector<Oferta> ofertas);
  void responder(const XSelectionRequestEvent& pedido);
  void pedir(Atom alvo);
  void concluir(std::optional<std::u16string> texto);
  void aoNotificarSelecao(const XSelectionEvent& evento);
  void aoMudarPropriedade(const XPropertyEvent& evento);
  std::u16string textoLido() const;

  CLConexaoX11& gConexao;
  int gLimiteMs;
  Window gJanela = None;
  Atom gClipboard, gTargets, gUtf8, gIncr, gPropriedade;
  std::vector<Oferta> gOfertas;
  bool gDono = false;
  long gEntregas = 0;
  std::optional<Leitura> gLeitura;
};

}  // namespace mivo
