#!/usr/bin/env bash
# The data-table window with a million records (offscreen; no display
# needed): paste, AutoSizeGrid by sample against measuring every row, jump
# to the end, an arrow key, deleting a selection, peak memory. Prints the
# medians of N runs (default 5). The benchmark is built first.
#   bench/janela_lista.sh [N] [linhas] [captura.png]
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD:-$aqui/../build}"
source "$aqui/compilar.sh"
compilar_bench "$build" bench_janela_lista
"$build/bench/bench_janela_lista" "${1:-5}" "${2:-1000000}" ${3:+"$3"}
