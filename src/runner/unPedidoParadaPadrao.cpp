// Systems without POSIX signals: SIGINT and SIGTERM through std::signal.

#include <atomic>
#include <csignal>

#include "unPedidoParada.h"

namespace mivo {

namespace {

std::atomic<int> gSinal{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

extern "C" void aoPedirParada(int sinal) {
  gSinal.store(sinal, std::memory_order_relaxed);
  // Some systems put the default action back before calling the handler.
  std::signal(sinal, &aoPedirParada);
}

}  // namespace

void instalarPedidoDeParada() { instalarTratadorDeParada(&aoPedirParada); }

void instalarTratadorDeParada(void (*tratador)(int)) {
  for (int sinal : {SIGINT, SIGTERM}) {
    if (std::signal(sinal, tratador) == SIG_IGN) std::signal(sinal, SIG_IGN);
  }
}

bool paradaPedida() { return gSinal.load(std::memory_order_relaxed) != 0; }

}  // namespace mivo
