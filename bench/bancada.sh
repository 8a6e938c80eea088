#!/usr/bin/env bash
# The workbench's speed on an X display of its own (Xvfb with openbox):
# a run of 100,000 statements in `mivo` against `mivo-run --silencioso`, and
# the time until `mivo script.mivo` shows its first window. N runs each
# (default 7); prints the medians. The programs are built first.
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD:-$aqui/../build}"
source "$aqui/compilar.sh"
compilar_bench "$build" bench_bancada mivo mivo-run
n="${1:-7}"
tmp="$(mktemp -d)"
xvfb_pid=""
openbox_pid=""
fim() {
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap fim EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")"
export XDG_RUNTIME_DIR="$tmp"
openbox >/dev/null 2>&1 &
openbox_pid=$!
sleep 1
"$build/bench/bench_bancada" "$build/src/app/mivo" "$build/src/app/mivo-run" "$n"
