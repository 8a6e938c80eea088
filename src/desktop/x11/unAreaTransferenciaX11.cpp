#include "unAreaTransferenciaX11.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "unConexaoX11.h"
#include "unImagemPng.h"
#include "unSelecaoX11.h"

namespace mivo {

namespace {

// How long a caller waits for the thread beyond the read's own limit.
constexpr int kFolgaMs = 1000;

}  // namespace

std::unique_ptr<CLAreaTransferenciaX11> CLAreaTransferenciaX11::criar(const std::string& nomeTela) {
  std::u16string erro;
  auto conexao = CLConexaoX11::abrir(nomeTela, erro);
  if (!conexao) return nullptr;
  return std::unique_ptr<CLAreaTransferenciaX11>(new CLAreaTransferenciaX11(std::move(conexao)));
}

CLAreaTransferenciaX11::CLAreaTransferenciaX11(std::unique_ptr<CLConexaoX11> conexao)
    : gConexao(std::move(conexao)) {
  if (pipe2(gDespertar, O_CLOEXEC | O_NONBLOCK) != 0) gDespertar[0] = gDespertar[1] = -1;
  gThread = std::thread(&CLAreaTransferenciaX11::laco, this);
}

CLAreaTransferenciaX11::~CLAreaTransferenciaX11() {
  {
    std::lock_guard trava(gMutex);
    gParar = true;
  }
  acordar();
  gThread.join();
  for (int fd : gDespertar) {
    if (fd >= 0) close(fd);
  }
}

void CLAreaTransferenciaX11::acordar() {
  const char c = 1;
  if (gDespertar[1] >= 0) [[maybe_unused]] auto n = write(gDespertar[1], &c, 1);
}

void CLAreaTransferenciaX11::laco() {
  Display* d = gConexao->tela();
  CLSelecaoX11 selecao(*gConexao, kLimiteLeituraMs);
  while (true) {
    std::deque<Comando> comandos;
    {
      std::lock_guard trava(gMutex);
      if (gParar) break;
      comandos.swap(gComandos);
    }
    for (auto& comando : comandos) comando(selecao);
    while (!gConexao->morta() && XPending(d) > 0) {
      XEvent evento;
      XNextEvent(d, &evento);
      selecao.tratarEvento(evento);
    }
    if (gConexao->morta()) selecao.abandonar();
    {
      std::lock_guard trava(gMutex);
      if (selecao.entregas() != gEntregas) {
        gEntregas = selecao.entregas();
        gRespondeu.notify_all();
      }
    }
    const int espera = selecao.verificarPrazo();
    pollfd fds[2] = {{gDespertar[0], POLLIN, 0}, {ConnectionNumber(d), POLLIN, 0}};
    poll(fds, gConexao->morta() ? 1 : 2, espera);
    char lixo[64];
    while (gDespertar[0] >= 0 && read(gDespertar[0], lixo, sizeof lixo) > 0) {
    }
  }
  std::lock_guard trava(gMutex);
  gEncerrada = true;
  gComandos.clear();
}

bool CLAreaTransferenciaX11::executar(Comando comando) {
  {
    std::lock_guard trava(gMutex);
    if (gParar || gEncerrada) return false;
    gComandos.push_back(std::move(comando));
  }
  acordar();
  return true;
}

template <typename T>
T CLAreaTransferenciaX11::aguardarResposta(Comando comando, std::shared_ptr<std::optional<T>> resposta,
                                           T seFalhar) {
  if (!executar(std::move(comando))) return seFalhar;
  std::unique_lock trava(gMutex);
  const bool veio = gRespondeu.wait_for(trava, std::chrono::milliseconds(kLimiteLeituraMs + kFolgaMs),
                                        [&] { return resposta->has_value(); });
  return veio ? std::move(**resposta) : seFalhar;
}

long CLAreaTransferenciaX11::entregas() {
  std::lock_guard trava(gMutex);
  return gEntregas;
}

bool CLAreaTransferenciaX11::aguardarEntrega(long desde, int limiteMs) {
  std::unique_lock trava(gMutex);
  return gRespondeu.wait_for(trava, std::chrono::milliseconds(limiteMs),
                             [&] { return gEntregas > desde || gEncerrada; }) &&
         gEntregas > desde;
}

std::optional<std::u16string> CLAreaTransferenciaX11::texto() {
  using Texto = std::optional<std::u16string>;
  auto resposta = std::make_shared<std::optional<Texto>>();
  return aguardarResposta<Texto>(
      [this, resposta](CLSelecaoX11& selecao) {
        selecao.lerTexto([this, resposta](Texto lido) {
          std::lock_guard trava(gMutex);
          *resposta = std::move(lido);
          gRespondeu.notify_all();
        });
      },
      resposta, std::nullopt);
}

bool CLAreaTransferenciaX11::definirTexto(const std::u16string& texto) {
  auto resposta = std::make_shared<std::optional<bool>>();
  return aguardarResposta<bool>(
      [this, resposta, texto](CLSelecaoX11& selecao) {
        const bool ok = selecao.possuirTexto(texto);
        std::lock_guard trava(gMutex);
        *resposta = ok;
        gRespondeu.notify_all();
      },
      resposta, false);
}

bool CLAreaTransferenciaX11::definirImagem(const ImagemPixels& imagem) {
  std::string png = pngDaImagem(imagem);
  if (png.empty()) return false;
  auto resposta = std::make_shared<std::optional<bool>>();
  return aguardarResposta<bool>(
      [this, resposta, png = std::move(png)](CLSelecaoX11& selecao) mutable {
        const bool ok = selecao.possuirImagemPng(std::move(png));
        std::lock_guard trava(gMutex);
        *resposta = ok;
        gRespondeu.notify_all();
      },
      resposta, false);
}

}  // namespace mivo
