#pragma once
// CLAreaTransferenciaX11: the clipboard of an X display. X has no clipboard
// store: the program that copied keeps the data and hands it to whoever
// pastes. A thread of our own, with a connection of its own, therefore owns
// the CLIPBOARD selection and answers other programs for as long as the
// process runs; reads go through the same thread. Every call returns within
// a bounded time, also when another owner never answers or the server dies.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "unCLDesktop.h"

namespace mivo {

class CLConexaoX11;
class CLSelecaoX11;

class CLAreaTransferenciaX11 {
 public:
  static constexpr int kLimiteLeituraMs = 1000;

  // Null when the connection for the thread cannot be opened.
  static std::unique_ptr<CLAreaTransferenciaX11> criar(const std::string& nomeTela);
  ~CLAreaTransferenciaX11();
  CLAreaTransferenciaX11(const CLAreaTransferenciaX11&) = delete;
  CLAreaTransferenciaX11& operator=(const CLAreaTransferenciaX11&) = delete;

  // Empty optional when the owner did not answer in time or the server is gone.
  std::optional<std::u16string> texto();
  bool definirTexto(const std::u16string& texto);
  bool definirImagem(const ImagemPixels& imagem);

  // Data handed to other programs so far (a paste each, as a rule).
  long entregas();
  // Waits until more than `desde` were handed out; false after `limiteMs`.
  bool aguardarEntrega(long desde, int limiteMs);

 private:
  using Comando = std::function<void(CLSelecaoX11&)>;

  explicit CLAreaTransferenciaX11(std::unique_ptr<CLConexaoX11> conexao);
  void laco();
  void acordar();
  // Runs `comando` on the thread; false when the thread did not take it in time.
  bool executar(Comando comando);
  template <typename T>
  T aguardarResposta(Comando comando, std::shared_ptr<std::optional<T>> resposta, T seFalhar);

  std::unique_ptr<CLConexaoX11> gConexao;
  int gDespertar[2] = {-1, -1};  // a pipe that wakes the thread
  std::mutex gMutex;
  std::condition_variable gRespondeu;
  std::deque<Comando> gComandos;
  long gEntregas = 0;
  bool gParar = false;
  bool gEncerrada = false;
  std::thread gThread;
};

}  // namespace mivo
