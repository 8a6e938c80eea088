// POSIX: SIGINT, SIGTERM and SIGHUP through sigaction.

#include <signal.h>

#include <atomic>

#include "unPedidoParada.h"

namespace mivo {

namespace {

std::atomic<int> gSinal{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

extern "C" void aoPedirParada(int sinal) { gSinal.store(sinal, std::memory_order_relaxed); }

}  // namespace

void instalarPedidoDeParada() { instalarTratadorDeParada(&aoPedirParada); }

void instalarTratadorDeParada(void (*tratador)(int)) {
  for (int sinal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction antes {};
    if (sigaction(sinal, nullptr, &antes) == 0 && !(antes.sa_flags & SA_SIGINFO) && antes.sa_handler == SIG_IGN)
      continue;
    struct sigaction nova {};
    nova.sa_handler = tratador;
    sigemptyset(&nova.sa_mask);
    // Interrupted system calls (writing the list, reading the X server)
    // carry on; waits that must notice the request poll for it.
    nova.sa_flags = SA_RESTART;
    sigaction(sinal, &nova, nullptr);
  }
}

bool paradaPedida() { return gSinal.load(std::memory_order_relaxed) != 0; }

}  // namespace mivo
