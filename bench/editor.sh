#!/usr/bin/env bash
# Typing latency in the workbench's script editor on a 5 MB script and on a
# script with a 1 MB line (offscreen; no display needed). Prints the median
# and the 95th percentile per key. The benchmark is built first.
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD:-$aqui/../build}"
source "$aqui/compilar.sh"
compilar_bench "$build" bench_editor
"$build/bench/bench_editor" "${1:-200}"
