#!/usr/bin/env bash
# Configures (once) and builds Mivo in build/.
#   compilar.sh                 everything: programs, tests and benchmarks
#   compilar.sh --executar      only the programs a user runs (mivo, mivo-run)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
alvos=()
if [ "${1:-}" = "--executar" ]; then
  "$raiz/ferramentas/dependencias.sh" --executar
  alvos=(--target mivo-run --target mivo)
else
  "$raiz/ferramentas/dependencias.sh"
fi
if [ ! -f "$raiz/build/build.ninja" ]; then
  echo "Preparando a compilação em build/..."
  cmake -S "$raiz" -B "$raiz/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$raiz/build" "${alvos[@]}" -- -j"$(nproc)"
