#!/usr/bin/env bash
# The action recorder's idle poll on an X display of its own (Xvfb): the
# share of one core it takes while recording with nobody typing.
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD:-$aqui/../build}"
source "$aqui/compilar.sh"
compilar_bench "$build" bench_gravador
tmp="$(mktemp -d)"
xvfb_pid=""
fim() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$tmp"; }
trap fim EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")" XDG_RUNTIME_DIR="$tmp"
"$build/bench/bench_gravador" "${1:-10}"
