#!/usr/bin/env bash
# Inputs per second of each fuzz target: ferramentas/fuzz.sh --ci (every
# target 30 s from a fresh corpus, two at a time, as CI runs them) N times
# (default 3); prints the median, lowest and highest rate of each target.
#   bench/fuzz.sh [N]
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
n="${1:-3}"
tmp="$(mktemp)"; trap 'rm -f "$tmp"' EXIT
for ((i = 1; i <= n; i++)); do
  echo "rodada $i de $n..." >&2
  "$aqui/../ferramentas/fuzz.sh" --ci | sed -n 's/^  \([a-z]*\): [0-9]* execuções (\([0-9]*\)\/s).*/\1 \2/p' >>"$tmp"
done
echo "alvo        mediana  menor  maior  (entradas/s, $n rodadas)"
for alvo in $(awk '{print $1}' "$tmp" | awk '!visto[$0]++'); do
  awk -v a="$alvo" '$1 == a {print $2}' "$tmp" | sort -n | awk -v a="$alvo" '
    {v[NR] = $1}
    END {m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
         printf "%-10s %8d %6d %6d\n", a, m, v[1], v[NR]}'
done
