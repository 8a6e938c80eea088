#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include "unConexaoX11.h"
#include "unPidClienteX11.h"

namespace mivo {

ProcessoId pidDoClienteX11(CLConexaoX11& conexao, Window janela) {
  Display* d = conexao.tela();
  int evento = 0, erro = 0;
  if (janela == None || conexao.morta() || !XResQueryExtension(d, &evento, &erro)) return 0;
  XResClientIdSpec pedido{janela, XRES_CLIENT_ID_PID_MASK};
  long quantos = 0;
  XResClientIdValue* valores = nullptr;
  conexao.marcarErros();
  const Status ok = XResQueryClientIds(d, 1, &pedido, &quantos, &valores);
  ProcessoId pid = 0;
  if (ok == Success && conexao.erroDesdeMarca() == 0) {
    for (long i = 0; i < quantos; ++i) {
      const pid_t p = XResGetClientPid(&valores[i]);
      if (p > 0) pid = static_cast<ProcessoId>(p);
    }
  }
  if (valores) XResClientIdsDestroy(quantos, valores);
  return pid;
}

}  // namespace mivo
