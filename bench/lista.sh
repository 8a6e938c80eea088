#!/usr/bin/env bash
# Big lists, N runs of each step (default 5); prints the medians.
#  0. The whole process, side by side: `mivo-run --lista L --salvar-lista S`
#     with an empty script (start-up, the script check, loading, saving,
#     ending) against Python's csv reading L and writing S, in turns.
#  1. Reading and writing a 1,000,000-line list: bench_lista against the
#     Python csv reference (seconds, peak KiB).
#  2. The data-table window's commands on 1,000,000 records x 5 columns
#     (bench_colunas): open, sort by a column, filter to 1 % of the records,
#     write the whole filter view back, save. Each step runs in a process of
#     its own after the untimed steps before it; shown are the wall seconds,
#     the CPU seconds of all its threads, the peak memory of the process and
#     how much the step raised it (KiB).
#   bench/lista.sh [N]    BUILD=dir picks the build (default build/), where
#                         the programs are built first (COMPILAR=0: not).
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
build="${BUILD:-$aqui/../build}"
source "$aqui/compilar.sh"
compilar_bench "$build" bench_lista bench_colunas mivo-run
bin="${BIN:-$build/bench/bench_lista}"
colunas="$build/bench/bench_colunas"
run="$build/src/app/mivo-run"
n="${1:-5}"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
source "$aqui/lado_a_lado.sh"
"$bin" gerar "$tmp/lista.txt" "${LINHAS:-1000000}"
: >"$tmp/vazio.mivo"
lado_a_lado "$n" \
  "mivo-run --lista --salvar-lista" "'$run' --lista '$tmp/lista.txt' --salvar-lista '$tmp/mivo.txt' '$tmp/vazio.mivo'" \
  "python csv ler e escrever" "python3 '$aqui/referencia_csv.py' copiar '$tmp/lista.txt' '$tmp/py.txt'"
cmp -s "$tmp/lista.txt" "$tmp/mivo.txt" || echo "mivo-run: a lista gravada difere da lida" >&2
echo
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

echo
"$colunas" gerar "$tmp/registros.txt" "${LINHAS:-1000000}"
printf '%-22s %10s %10s %12s %12s\n' "passo" "tempo" "CPU" "pico" "aumento"
passo() {  # fase argumentos...
  local fase="$1"; shift
  local seg=() cpu=() mem=() mais=()
  for _ in $(seq "$n"); do
    read -r _ s c m d < <("$colunas" "$fase" "$tmp/registros.txt" "$@" 2>/dev/null)
    seg+=("$s"); cpu+=("$c"); mem+=("$m"); mais+=("$d")
  done
  printf '%-22s %8s s %8s s %8s KiB %8s KiB\n' "$fase" \
    "$(printf '%s\n' "${seg[@]}" | mediana)" "$(printf '%s\n' "${cpu[@]}" | mediana)" \
    "$(printf '%s\n' "${mem[@]}" | mediana)" "$(printf '%s\n' "${mais[@]}" | mediana)"
}
passo abrir
passo ordenar
passo filtrar
passo gravar
passo salvar "$tmp/registros-salvos.txt"
