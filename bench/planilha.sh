#!/usr/bin/env bash
# Spreadsheet import side by side: a 30,000 x 20 .xlsx (text, shared strings,
# numbers, dates) read N times (default 5) by Mivo's importer (bench_planilha),
# by openpyxl (python3-openpyxl, read-only mode) and by LibreOffice headless
# converting it to CSV; prints the median seconds and peak memory (KiB) of each.
# Then the whole process, in turns: `mivo-run --lista dados.xlsx
# --salvar-lista dados.txt` with an empty script (start-up, import, script
# check, list save) against `soffice --convert-to csv` of the same file.
#   bench/planilha.sh [N]        BIN=path/to/bench_planilha to choose the build,
#                                RUN=path/to/mivo-run
set -euo pipefail
aqui="$(cd "$(dirname "$0")" && pwd)"
source "$aqui/compilar.sh"
[ -n "${BIN:-}${RUN:-}" ] || compilar_bench "$aqui/../build" bench_planilha mivo-run
bin="${BIN:-$aqui/../build/bench/bench_planilha}"
run="${RUN:-$aqui/../build/src/app/mivo-run}"
n="${1:-5}"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
py=/usr/bin/python3
source "$aqui/lado_a_lado.sh"

"$py" - "$tmp/dados.xlsx" <<'PY'
import datetime, random, sys
import openpyxl
random.seed(7)
nomes = ["Ana", "Bruno", "Carla", "Daniel", "Elisa", "Fábio", "Gabriela", "Heitor", "Íris", "João"]
cidades = ["São Paulo", "Recife", "Belo Horizonte", "Curitiba", "Porto Alegre", "Salvador"]
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet("Contatos")
ws.append([f"coluna{c}" for c in range(1, 21)])
base = datetime.date(1950, 1, 1)
for i in range(30000):
    linha = []
    for c in range(20):
        k = c % 5
        if k == 0: linha.append(f"{random.choice(nomes)} {i}")             # distinct text
        elif k == 1: linha.append(random.choice(cidades))                  # repeated text
        elif k == 2: linha.append(5511900000000 + random.randrange(99999999))  # phone
        elif k == 3: linha.append(round(random.uniform(-1000, 100000), 2))   # decimal
        else: linha.append(base + datetime.timedelta(days=random.randrange(25000)))  # date
    ws.append(linha)
wb.save(sys.argv[1])
PY
echo "Planilha: 30000 x 20, $(du -k "$tmp/dados.xlsx" | cut -f1) KiB"

# medir nome comando...: the command's wall time and peak memory, N times.
medir() {
  local nome="$1"; shift
  local seg=() mem=()
  for _ in $(seq "$n"); do
    /usr/bin/time -f '%e %M' -o "$tmp/tempo" "$@" >/dev/null 2>&1 || { echo "$nome: falhou"; return; }
    read -r s m <"$tmp/tempo"
    seg+=("$s"); mem+=("$m")
  done
  printf '%-34s %8s s %10s KiB\n' "$nome" "$(printf '%s\n' "${seg[@]}" | mediana)" "$(printf '%s\n' "${mem[@]}" | mediana)"
}
printf '%-34s %10s %14s\n' "leitor" "mediana" "pico de memória"
medir "mivo (CLNegOffice)" "$bin" "$tmp/dados.xlsx"
medir "openpyxl (read_only)" "$py" -c '
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
n = sum(1 for _ in wb.worksheets[0].iter_rows(values_only=True))
' "$tmp/dados.xlsx"
: >"$tmp/vazio.mivo"
inteiro=("mivo-run --lista --salvar-lista"
         "'$run' --lista '$tmp/dados.xlsx' --salvar-lista '$tmp/dados.txt' '$tmp/vazio.mivo'")
if command -v soffice >/dev/null; then
  export HOME="$tmp/home"  # a LibreOffice profile of its own
  soffice --headless --convert-to csv --outdir "$tmp/aquecer" "$tmp/dados.xlsx" >/dev/null 2>&1 || true
  medir "libreoffice --convert-to csv" soffice --headless --convert-to csv --outdir "$tmp/csv" "$tmp/dados.xlsx"
  inteiro+=("libreoffice --convert-to csv" "soffice --headless --convert-to csv --outdir '$tmp/csv' '$tmp/dados.xlsx'")
else
  echo "libreoffice: não instalado (pacote libreoffice-calc-nogui)"
fi
"$bin" "$tmp/dados.xlsx"
echo
lado_a_lado "$n" "${inteiro[@]}"
