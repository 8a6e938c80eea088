#!/usr/bin/env bash
# The data-table window with a million records (offscreen; no display
# needed): paste, AutoSizeGrid by sample against measuring every row, jump
# to the end, an arrow key, deleting a selection, peak memory. Prints the
# medians of N runs (default 5). Build first: ferramentas/compilar.sh with
# MIVO_BENCH=ON.
#   bench/janela_lista.sh [N] [linhas] [captura.png]
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD:-$aqui/../build}"
"$build/bench/bench_janela_lista" "${1:-5}" "${2:-1000000}" ${3:+"$3"}
