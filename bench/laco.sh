#!/usr/bin/env bash
# A counting loop as a whole process: `mivo-run --sem-espera --simular
# --silencioso` against bash doing the same count (increment, test, jump
# back), N runs each (default 5). Prints the medians of the iterations per
# second and their ratio; then the same loop placed in a script of 10,000
# lines, which must run as fast as the short one.
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
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
contarBash() { local i=0; while ((i < voltas)); do ((i++)); done; }

declare -A med
for caso in mivo mivo_longo bash; do
  vals=()
  for _ in $(seq "$n"); do
    case "$caso" in
      mivo) s=$(segundos "$bin" --sem-espera --simular --silencioso "$tmp/curto.mivo") ;;
      mivo_longo) s=$(segundos "$bin" --sem-espera --simular --silencioso "$tmp/longo.mivo") ;;
      bash) s=$(segundos bash -c "voltas=$voltas; i=0; while ((i < voltas)); do ((i++)); done") ;;
    esac
    vals+=("$(awk -v v="$voltas" -v s="$s" 'BEGIN {print v / s}')")
  done
  med[$caso]=$(printf '%s\n' "${vals[@]}" | mediana)
  printf '%-12s %12.0f voltas/s (mediana de %d, %d voltas)\n' "$caso" "${med[$caso]}" "$n" "$voltas"
done
awk -v m="${med[mivo]}" -v b="${med[bash]}" -v l="${med[mivo_longo]}" \
  'BEGIN {printf "mivo / bash: %.2f×   script longo / curto: %.2f\n", m / b, l / m}'
