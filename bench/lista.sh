#!/usr/bin/env bash
# Runs bench_lista and the Python csv reference N times each (default 5) on
# a 1,000,000-line list and prints the medians (seconds, peak KiB).
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
bin="${BIN:-$aqui/../build/bench/bench_lista}"
n="${1:-5}"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
"$bin" gerar "$tmp/lista.txt" "${LINHAS:-1000000}"
mediana() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
medir() {  # fase comando...
  local fase="$1"; shift
  local seg=() mem=()
  for _ in $(seq "$n"); do
    read -r _ s m < <("$@" 2>/dev/null)
    seg+=("$s"); mem+=("$m")
  done
  printf '%-22s %8s s %10s KiB\n' "$fase" "$(printf '%s\n' "${seg[@]}" | mediana)" "$(printf '%s\n' "${mem[@]}" | mediana)"
}
medir "mivo colarCheck" "$bin" colar "$tmp/lista.txt"
medir "mivo &LaAbrir" "$bin" abrir "$tmp/lista.txt"
medir "mivo &LaSalvar" "$bin" salvar "$tmp/lista.txt" "$tmp/saida.txt"
medir "python csv.reader" python3 "$aqui/referencia_csv.py" ler "$tmp/lista.txt"
medir "python csv.writer" python3 "$aqui/referencia_csv.py" escrever "$tmp/lista.txt" "$tmp/saida-py.txt"
