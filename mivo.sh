#!/usr/bin/env bash
# Installs what is missing, builds what it runs when needed and runs Mivo.
# With no argument it runs the example script of exemplos/.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
exe="$raiz/build/src/app/mivo-run"
# Progress goes to stderr, so that Mivo's own output stays clean.
{
  if [ ! -x "$exe" ]; then
    echo "Primeira execução: instalando o que falta e compilando o Mivo (alguns minutos)..."
  fi
  inicio=$SECONDS
  if ! "$raiz/ferramentas/compilar.sh" --executar | sed '/^ninja: no work to do/d'; then
    echo "mivo: a compilação falhou (veja as mensagens acima)."
    exit 2
  fi
  if [ $((SECONDS - inicio)) -gt 5 ]; then echo "Pronto em $((SECONDS - inicio)) s."; fi
} >&2
if [ $# -eq 0 ]; then
  exec "$exe" --simular --sem-espera "$raiz/exemplos/primeiro.mivo"
fi
exec "$exe" "$@"
