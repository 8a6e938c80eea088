#!/usr/bin/env bash
# Installs what is missing, builds what it runs when needed and starts Mivo.
#   ./mivo.sh                   the workbench with the example script
#   ./mivo.sh script.mivo       the workbench opens the script and runs it
#   ./mivo.sh --opções ...      mivo-run with those options (see its --ajuda)
# Without a graphical desktop (DISPLAY empty) the script runs in mivo-run,
# without windows (the example on the simulated desktop).
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
bin="$raiz/build/src/app"
# Progress goes to stderr, so that Mivo's own output stays clean.
{
  if [ ! -x "$bin/mivo" ] || [ ! -x "$bin/mivo-run" ]; then
    echo "Primeira execução: instalando o que falta e compilando o Mivo (alguns minutos)..."
  fi
  inicio=$SECONDS
  if ! "$raiz/ferramentas/compilar.sh" --executar | sed '/^ninja: no work to do/d'; then
    echo "mivo: a compilação falhou (veja as mensagens acima)."
    exit 2
  fi
  if [ $((SECONDS - inicio)) -gt 5 ]; then echo "Pronto em $((SECONDS - inicio)) s."; fi
} >&2
exemplo="$raiz/exemplos/primeiro.mivo"
# Options (anything starting with "-") are the runner's: mivo-run as before.
if [ $# -gt 0 ] && [ "${1#-}" != "$1" ]; then
  exec "$bin/mivo-run" "$@"
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "mivo: sem área de trabalho gráfica (DISPLAY vazio); o script roda no mivo-run, sem janelas." >&2
  if [ $# -eq 0 ]; then
    exec "$bin/mivo-run" --simular --sem-espera "$exemplo"
  fi
  exec "$bin/mivo-run" "$@"
fi
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
if [ $# -eq 0 ]; then
  exec "$bin/mivo" "$exemplo"
fi
exec "$bin/mivo" "$@"
