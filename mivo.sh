#!/usr/bin/env bash
# Installs what is missing, builds when needed and runs Mivo. With no
# argument it runs the example script of exemplos/.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/ferramentas/compilar.sh" >/dev/null
if [ $# -eq 0 ]; then
  exec "$raiz/build/src/app/mivo-run" --simular --sem-espera "$raiz/exemplos/primeiro.mivo"
fi
exec "$raiz/build/src/app/mivo-run" "$@"
