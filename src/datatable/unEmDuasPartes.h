#pragma once
// The two halves of a long job on the two cores: the table's sort and
// filter split their rows this way.

#include <thread>
#include <utility>

namespace mivo {

// Runs `ajudante` on a thread of its own (only when `comAjudante`) while
// `principal` runs on this one, and returns once both are done. The helper
// is joined even when `principal` throws.
template <typename Principal, typename Ajudante>
void emDuasPartes(bool comAjudante, Ajudante&& ajudante, Principal&& principal) {
  std::thread outra;
  if (comAjudante) outra = std::thread(std::forward<Ajudante>(ajudante));
  struct Juntar {
    std::thread& t;
    ~Juntar() {
      if (t.joinable()) t.join();
    }
  } juntar{outra};
  std::forward<Principal>(principal)();
}

}  // namespace mivo
