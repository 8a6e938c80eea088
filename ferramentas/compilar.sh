#!/usr/bin/env bash
# Configures (once) and builds Mivo in build/.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/ferramentas/dependencias.sh"
if [ ! -f "$raiz/build/build.ninja" ]; then
  cmake -S "$raiz" -B "$raiz/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$raiz/build" -- -j"$(nproc)"
