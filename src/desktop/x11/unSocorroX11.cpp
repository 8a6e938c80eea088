#include "unSocorroX11.h"

#include <X11/extensions/XTest.h>
#include <signal.h>
#include <unistd.h>

#include <mutex>

#include "unConexaoX11.h"

namespace mivo {

namespace {

// The desktops alive in the process (tests open several); a crash releases
// what each one holds. More than this many at once go without.
constexpr int kVagas = 8;
std::array<std::atomic<CLSocorroX11*>, kVagas> gRegistro{};

constexpr int kSinaisDeQueda[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
// Room for the handler when the crash is a stack overflow.
constexpr std::size_t kPilhaAlternativa = 64 * 1024;
alignas(16) char gPilhaAlternativa[kPilhaAlternativa];

extern "C" void aoQuebrar(int sinal) {
  // A handler that hangs on a lock the crashed thread held must not keep a
  // broken process alive: SIGALRM's default action ends it.
  alarm(2);
  for (auto& vaga : gRegistro) {
    if (CLSocorroX11* socorro = vaga.load()) socorro->soltarNaQueda();
  }
  // SA_RESETHAND put the default action back; SA_NODEFER lets it through now.
  raise(sinal);
}

void instalarTratador() {
  // An alternate stack for this thread, unless it already has one.
  stack_t atual{};
  if (sigaltstack(nullptr, &atual) == 0 && (atual.ss_flags & SS_DISABLE)) {
    stack_t pilha{};
    pilha.ss_sp = gPilhaAlternativa;
    pilha.ss_size = kPilhaAlternativa;
    sigaltstack(&pilha, nullptr);
  }
  for (int sinal : kSinaisDeQueda) {
    struct sigaction antes {};
    // A program (or a sanitizer) that handles the signal itself keeps it.
    if (sigaction(sinal, nullptr, &antes) != 0 || (antes.sa_flags & SA_SIGINFO) || antes.sa_handler != SIG_DFL)
      continue;
    struct sigaction nova {};
    nova.sa_handler = &aoQuebrar;
    sigemptyset(&nova.sa_mask);
    nova.sa_flags = SA_RESETHAND | SA_NODEFER | SA_ONSTACK;
    sigaction(sinal, &nova, nullptr);
  }
}

}  // namespace

std::unique_ptr<CLSocorroX11> CLSocorroX11::criar(const std::string& nomeTela) {
  std::u16string erro;
  auto conexao = CLConexaoX11::abrir(nomeTela, erro);
  if (!conexao) return nullptr;
  // XTest keeps per-connection data that it allocates on first use: that
  // happens here, not in the handler.
  int evento = 0, erroBase = 0, maior = 0, menor = 0;
  if (!XTestQueryExtension(conexao->tela(), &evento, &erroBase, &maior, &menor)) return nullptr;
  static std::once_flag instalado;
  std::call_once(instalado, instalarTratador);
  std::unique_ptr<CLSocorroX11> socorro(new CLSocorroX11(std::move(conexao)));
  for (auto& vaga : gRegistro) {
    CLSocorroX11* livre = nullptr;
    if (vaga.compare_exchange_strong(livre, socorro.get())) break;
  }
  return socorro;
}

CLSocorroX11::CLSocorroX11(std::unique_ptr<CLConexaoX11> conexao) : gConexao(std::move(conexao)) {}

CLSocorroX11::~CLSocorroX11() {
  for (auto& vaga : gRegistro) {
    CLSocorroX11* eu = this;
    vaga.compare_exchange_strong(eu, nullptr);
  }
}

void CLSocorroX11::marcarTecla(unsigned int keycode, bool baixa) {
  if (keycode < gTeclas.size()) gTeclas[keycode].store(baixa, std::memory_order_relaxed);
}

void CLSocorroX11::marcarBotao(unsigned int numero, bool baixo) {
  if (numero < gBotoes.size()) gBotoes[numero].store(baixo, std::memory_order_relaxed);
}

bool CLSocorroX11::teclaBaixa(unsigned int keycode) const {
  return keycode < gTeclas.size() && gTeclas[keycode].load(std::memory_order_relaxed);
}

void CLSocorroX11::soltarNaQueda() noexcept {
  if (gConexao->morta()) return;
  Display* d = gConexao->tela();
  bool enviou = false;
  for (unsigned int kc = 0; kc < gTeclas.size(); ++kc) {
    if (!gTeclas[kc].load(std::memory_order_relaxed)) continue;
    XTestFakeKeyEvent(d, kc, False, CurrentTime);
    enviou = true;
  }
  for (unsigned int b = 1; b < gBotoes.size(); ++b) {
    if (!gBotoes[b].load(std::memory_order_relaxed)) continue;
    XTestFakeButtonEvent(d, b, False, CurrentTime);
    enviou = true;
  }
  if (enviou) XFlush(d);
}

}  // namespace mivo
