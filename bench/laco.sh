#!/usr/bin/env bash
# A counting loop as a whole process: `mivo-run --sem-espera --simular
# --silencioso` against bash doing the same count the same way (a label, an
# increment, a test and a jump back, as a small state machine), N runs each
# (default 5), side by side. Prints the medians of the iterations per second
# and their ratio; then the same loop placed in a script of 10,000 lines,
# which must run as fast as the short one. For scale, bash's tightest
# counting loop, `while ((i < n)); do ((i++)); done`, is shown too.
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
source "$aqui/compilar.sh"
[ -n "${BIN:-}" ] || compilar_bench "$aqui/../build" mivo-run
bin="${BIN:-$aqui/../build/src/app/mivo-run}"
n="${1:-5}"
voltas="${VOLTAS:-1000000}"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT

laco() {  # arquivo linhas-extras
  {
    echo '&ValorDefinir("i";"0").'
    echo '&Marcador(volta).'
    echo '&ValorInc("i";1).'
    echo "&Se([i]<$voltas;&VaiPara(volta))."
    echo '&VaiPara(fim).'
    for ((k = 0; k < $2; k++)); do
      if ((k % 3 == 0)); then echo "&Marcador(extra$k)."; else echo "&MsgExibir(\"linha $k\")."; fi
    done
    echo '&Marcador(fim).'
  } > "$1"
}
laco "$tmp/curto.mivo" 0
laco "$tmp/longo.mivo" 9994

segundos() {  # comando... -> wall seconds
  local t0 t1
  t0=$(date +%s.%N); "$@" >/dev/null; t1=$(date +%s.%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN {print b - a}'
}
mediana() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# The script's four statements, one by one.
bashLiteral='i=0; rotulo=volta
while :; do
  case $rotulo in
    volta) i=$((i + 1)); if [ "$i" -lt "$voltas" ]; then rotulo=volta; else rotulo=fim; fi ;;
    fim) break ;;
  esac
done'

medir() {  # caso -> iterations per second
  local s
  case "$1" in
    mivo) s=$(segundos "$bin" --sem-espera --simular --silencioso "$tmp/curto.mivo") ;;
    mivo_longo) s=$(segundos "$bin" --sem-espera --simular --silencioso "$tmp/longo.mivo") ;;
    bash) s=$(segundos bash -c "voltas=$voltas; $bashLiteral") ;;
    bash_apertado) s=$(segundos bash -c "voltas=$voltas; i=0; while ((i < voltas)); do ((i++)); done") ;;
  esac
  awk -v v="$voltas" -v s="$s" 'BEGIN {print v / s}'
}

# Runs interleaved, so that a change in the machine's load hits every case.
casos=(mivo mivo_longo bash bash_apertado)
declare -A vals med
for _ in $(seq "$n"); do
  for caso in "${casos[@]}"; do vals[$caso]+="$(medir "$caso") "; done
done
for caso in "${casos[@]}"; do
  med[$caso]=$(printf '%s\n' ${vals[$caso]} | mediana)
  printf '%-14s %12.0f voltas/s (mediana de %d, %d voltas)\n' "$caso" "${med[$caso]}" "$n" "$voltas"
done
awk -v m="${med[mivo]}" -v b="${med[bash]}" -v l="${med[mivo_longo]}" \
  'BEGIN {printf "mivo / bash: %.2f×   script longo / curto: %.2f\n", m / b, l / m}'
