#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/ferramentas/compilar.sh"
ctest --test-dir "$raiz/build" --output-on-failure -j"$(nproc)" "$@"
