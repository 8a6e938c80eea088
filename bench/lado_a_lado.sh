# Whole processes measured side by side (sourced by the bench scripts).
#   lado_a_lado N NOME1 'COMANDO1' NOME2 'COMANDO2' ...
# Runs the commands in turn, N rounds (so that both see the same machine,
# busy or not), under /usr/bin/time. Prints for each the median wall
# seconds, CPU seconds (user + system) and peak memory (KiB), then how many
# times faster the first is than each of the others, by the medians of wall
# and of CPU time. A command that fails is reported and stops the script.

mediana() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

lado_a_lado() {
  local n="$1"; shift
  local nomes=() comandos=()
  while (($#)); do nomes+=("$1"); comandos+=("$2"); shift 2; done
  local medidas
  medidas="$(mktemp)"
  local rodada k
  for ((rodada = 0; rodada < n; rodada++)); do
    for k in "${!comandos[@]}"; do
      if ! /usr/bin/time -f '%e %U %S %M' -o "$medidas.t" bash -c "${comandos[$k]}" >/dev/null 2>"$medidas.err"; then
        echo "${nomes[$k]}: falhou" >&2
        cat "$medidas.err" >&2
        rm -f "$medidas" "$medidas.t" "$medidas.err"
        return 1
      fi
      # The last line: a program's own output on stderr comes first.
      tail -n 1 "$medidas.t" | awk -v k="$k" '{print k, $1, $2 + $3, $4}' >>"$medidas"
    done
  done
  printf '%-40s %9s %9s %12s\n' "processo inteiro ($n rodadas)" "parede" "CPU" "pico"
  local parede=() cpu=()
  for k in "${!comandos[@]}"; do
    parede[k]="$(awk -v k="$k" '$1 == k {print $2}' "$medidas" | mediana)"
    cpu[k]="$(awk -v k="$k" '$1 == k {print $3}' "$medidas" | mediana)"
    local pico
    pico="$(awk -v k="$k" '$1 == k {print $4}' "$medidas" | mediana)"
    printf '%-40s %7.2f s %7.2f s %8s KiB\n' "${nomes[$k]}" "${parede[k]}" "${cpu[k]}" "$pico"
  done
  for ((k = 1; k < ${#comandos[@]}; k++)); do
    awk -v a="${parede[0]}" -v b="${parede[k]}" -v c="${cpu[0]}" -v d="${cpu[k]}" -v x="${nomes[0]}" -v y="${nomes[$k]}" \
      'BEGIN {printf "%s: %.1fx mais rápido que %s (parede), %.1fx (CPU)\n", x, b / a, y, d / c}'
  done
  rm -f "$medidas" "$medidas.t" "$medidas.err"
}
