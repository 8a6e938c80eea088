#!/usr/bin/env bash
# Runs the libFuzzer targets of fuzz/ (built with clang in build-clang/).
#
#   ferramentas/fuzz.sh --ci              each target for 30 s, with a fresh
#                                         corpus; a finding fails (exit 1)
#   ferramentas/fuzz.sh [alvo] [segundos] long runs on the corpus kept in
#                                         build-clang/fuzz/corpus/ (default:
#                                         every target, 600 s each; 0 s: until
#                                         interrupted)
#
# Targets: script, expansao, execucao, lista, tabela, cenario, secoes,
# planilha. Up to one target per
# processor runs at a time. The seeds come from the scripts, lists,
# scenarios and spreadsheets of the repository, and for planilha from the
# files the importer's bad-input test makes, and are copied into
# build-clang/fuzz/ at every run; what a target finds is left in
# build-clang/fuzz/falhas/ and printed, with the command that reproduces it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="$raiz/build-clang"
pasta="$build/fuzz"
todos=(script expansao execucao lista tabela cenario secoes planilha)
max_planilha=32768  # bytes: the longest spreadsheet input

uso() {
  echo "Uso: ferramentas/fuzz.sh --ci | [alvo] [segundos]" >&2
  echo "Alvos: ${todos[*]} (ou todos)" >&2
  exit 2
}

ci=false
alvos=("${todos[@]}")
segundos=600
if [ "${1:-}" = "--ci" ]; then
  ci=true
  segundos=30
  [ $# -eq 1 ] || uso
else
  if [ $# -ge 1 ] && [ "$1" != "todos" ]; then
    alvo="${1#fuzz_}"
    [[ " ${todos[*]} " == *" $alvo "* ]] || uso
    alvos=("$alvo")
  fi
  if [ $# -ge 2 ]; then
    [[ "$2" =~ ^[0-9]+$ ]] || uso
    segundos="$2"
  fi
  [ $# -le 2 ] || uso
fi

# The targets: built here when missing or out of date (after
# ferramentas/compilar-clang.sh this costs nothing).
if [ ! -f "$build/build.ninja" ]; then
  "$raiz/ferramentas/dependencias.sh" clang libclang-rt-dev
  echo "Configurando build-clang/..."
  cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIVO_TESTES=ON -DMIVO_BENCH=ON >/dev/null
fi
if ! grep -q "fuzz_script" "$build/build.ninja"; then
  echo "Os alvos de fuzzing não estão configurados em build-clang/ (falta o libFuzzer do clang," >&2
  echo "pacote libclang-rt-dev, ou MIVO_FUZZ está desligado)." >&2
  exit 1
fi
programas=()
for a in "${alvos[@]}"; do programas+=("fuzz_$a"); done
# The spreadsheet seeds are made by the importer's bad-input test: the one of
# the gcc build when it is there (./test.sh builds it first), else built here.
teste_planilha="$raiz/build/tests/planilha/test_unCLNegOffice"
if [[ " ${alvos[*]} " == *" planilha "* ]] && [ ! -x "$teste_planilha" ]; then
  programas+=(test_unCLNegOffice)
  teste_planilha="$build/tests/planilha/test_unCLNegOffice"
fi
echo "Compilando os alvos de fuzzing: ${programas[*]}..."
cmake --build "$build" --target "${programas[@]}" -- --quiet -j"$(nproc)"

# The files of the importer's bad-input table (claims of millions of rows,
# merged ranges, sheets, styles...), written by the test itself; made again
# only when the test program changed.
planilhasRuins() {
  local destino="$pasta/planilhas-ruins" teste="$teste_planilha"
  if [ ! -f "$destino/.feito" ] || [ "$teste" -nt "$destino/.feito" ]; then
    echo "Gerando as sementes de planilha (arquivos ruins do teste do importador)..."
    rm -rf "$destino"
    mkdir -p "$destino"
    MIVO_SEMENTES_PLANILHA="$destino" MIVO_TESTES_DIR="$raiz/tests" \
      "$teste" --gtest_filter='Planilha.EntradasRuins*' >"$destino/.registro" 2>&1 || true
    touch "$destino/.feito"
  fi
}

# Seeds, copied anew into the build folder.
sementes() {
  local alvo="$1" destino="$pasta/sementes/$1"
  rm -rf "$destino"
  mkdir -p "$destino"
  shopt -s nullglob
  local arquivos=()
  case "$alvo" in
    script | expansao | execucao | secoes) arquivos=("$raiz"/tests/scripts/*.mivo "$raiz"/exemplos/*.mivo) ;;
    lista | tabela) arquivos=("$raiz"/tests/scripts/dados/* "$raiz"/exemplos/*.txt) ;;
    cenario) arquivos=("$raiz"/tests/desktop/cenarios/*.json "$raiz"/exemplos/*.json) ;;
    planilha)
      planilhasRuins
      arquivos=("$raiz"/tests/planilha/dados/*.xls "$raiz"/tests/planilha/dados/*.xlsx
        "$raiz"/tests/planilha/dados/*.ods "$pasta"/planilhas-ruins/*)
      ;;
  esac
  shopt -u nullglob
  local f n=0
  for f in "${arquivos[@]}"; do
    [ -f "$f" ] || continue
    # A spreadsheet input costs in proportion to its size (copied, written,
    # unpacked): mutating the few that claim much in hundreds of kilobytes
    # took most of the target's time, and libFuzzer would cut them short at
    # its length limit anyway. The fuzzer's caps are small, so the small
    # files that claim much reach the same refusals.
    if [ "$alvo" = planilha ] && [ "$(stat -c %s "$f")" -gt "$max_planilha" ]; then continue; fi
    n=$((n + 1))
    cp "$f" "$destino/$n-$(basename "$f")"
  done
  # Zip packages once more with their parts stored: the target mends the
  # checksums of stored parts, so the fuzzer's changes reach the XML.
  if [ "$alvo" = planilha ]; then
    python3 - "$destino" "$max_planilha" <<'PY' || true
import os, sys, zipfile
pasta = sys.argv[1]
for nome in sorted(os.listdir(pasta)):
    caminho = os.path.join(pasta, nome)
    limite = int(sys.argv[2])
    try:
        with zipfile.ZipFile(caminho) as z:
            # By the sizes the package declares, before unpacking a bomb.
            if sum(i.file_size for i in z.infolist()) > limite:
                continue
            partes = [(i.filename, z.read(i)) for i in z.infolist()]
    except Exception:
        continue
    copia = os.path.join(pasta, "stored-" + nome)
    with zipfile.ZipFile(copia, "w", zipfile.ZIP_STORED) as z:
        for n, d in partes:
            z.writestr(n, d)
    # Past the length limit libFuzzer would cut off the central directory.
    if os.path.getsize(copia) > limite:
        os.remove(copia)
PY
  fi
}

# Dictionaries: for scripts, the language's tokens and every function name
# of the catalogue; for lists, delimiters, quotes and the bytes that decide
# an encoding; for scenarios, the fields of the format; for spreadsheets,
# the names of the XML of .xlsx and .ods, and what numbers and references
# look like.
dicionarios() {
  {
    for t in '<row' '</row>' '<c ' '</c>' '<v>' '</v>' '<is>' '<t>' '</t>' '<si>' '<sheetData>' '</sheetData>' \
      '<mergeCell ref=' '<mergeCells>' '<xf ' '<numFmt ' 'numFmtId=' 'formatCode=' 'r=' 't=' 's=' \
      'inlineStr' 'sharedStrings' 'worksheet' 'officeDocument' 'Relationship' 'Target=' '<sheet ' \
      'date1904' '<table:table ' '<table:table-row' '<table:table-cell' '<table:covered-table-cell' \
      'number-rows-repeated=' 'number-columns-repeated=' 'number-columns-spanned=' 'number-rows-spanned=' \
      'office:value-type=' 'office:value=' 'office:date-value=' 'office:time-value=' 'float' 'percentage' \
      'currency' 'date' 'time' 'boolean' 'string' '<text:p>' '<text:s' 'text:c=' '<text:line-break/>' \
      'style-name=' '<number:' '_x0041_' '&amp;' '&#x41;' '<![CDATA[' 'A1' 'ZZ30000' 'XFD1048576' \
      '1E+308' '-0' '0.1' 'mimetype' 'content.xml' 'xl/worksheets/sheet1.xml'; do
      printf '"%s"\n' "$(printf '%s' "$t" | sed 's/\\/\\\\/g; s/"/\\"/g')"
    done
  } >"$pasta/planilha.dict"
  {
    for t in ';' '\x09' ',' '\"' '\"\"' '\x0D\x0A' '\xEF\xBB\xBF' '\xFF\xFE' '\xFE\xFF' \
      '\xC3\x83' '\xC2\xA3' '\xC3\xA3' '\xE1' '\x80' '\x00'; do
      printf '"%s"\n' "$t"
    done
  } >"$pasta/lista.dict"
  {
    for t in tela cursor botoesTrocados janelas titulo executavel pid retangulo visivel \
      minimizada maximizada recusaAtivacao primeiroPlano id pai corFundo cores cor \
      areaTransferencia programas arquivo teclasLigadas aberturas comando janela; do
      printf '"\\"%s\\":"\n' "$t"
    done
    for t in true false null 'rgb[' '[' ']' '{' '}' '-1' '4294967296' '1e400'; do printf '"%s"\n' "$t"; done
  } >"$pasta/cenario.dict"
  local arquivo="$pasta/script.dict"
  {
    for t in '&' ').' '(' ')' ';' '"' '[' ']' '{' '}' '\n' '//' '//*' '|' '^' '~' \
      '##info' '##info_fim' '##config' '##config_fim' '##pre_carregar' '##pre_carregar_fim' \
      '##parametros' '##parametros_fim' '##debug' 'rgb[' 'Sim' 'OK' 'FALHA'; do
      printf '"%s"\n' "$(printf '%s' "$t" | sed 's/\\/\\\\/g; s/"/\\"/g')"
    done
    printf '"%s"\n' 'n\xC3\xA3o'  # "não", in UTF-8 (a dictionary holds ASCII)
    grep -o '{"&[A-Za-z0-9]*"' "$raiz/src/interpreter/unCatalogo.cpp" | sed 's/^{//' | sort -u
  } >"$arquivo"
}

mkdir -p "$pasta/falhas" "$pasta/registros"
dicionarios
# The targets that read scripts or lists share their dictionaries.
cp "$pasta/script.dict" "$pasta/expansao.dict"
cp "$pasta/script.dict" "$pasta/execucao.dict"
cp "$pasta/lista.dict" "$pasta/tabela.dict"

# Runs one target; leaves its log in registros/ and returns libFuzzer's code.
rodar() {
  local alvo="$1" corpus
  if $ci; then
    corpus="$pasta/corpus-ci/$alvo"
    rm -rf "$corpus"
  else
    corpus="$pasta/corpus/$alvo"
  fi
  mkdir -p "$corpus"
  sementes "$alvo"
  # -print_funcs=0: no symbolizer run for every newly covered function (a
  # third of the time of a 30-second run went there).
  local opcoes=(-timeout=20 -rss_limit_mb=2048 -print_final_stats=1 -print_funcs=0
    "-artifact_prefix=$pasta/falhas/$alvo-")
  [ "$segundos" -gt 0 ] && opcoes+=("-max_total_time=$segundos")
  [ -f "$pasta/$alvo.dict" ] && opcoes+=("-dict=$pasta/$alvo.dict")
  [ "$alvo" = planilha ] && opcoes+=("-max_len=$max_planilha")
  # The files scripts write go to a temporary folder, in memory when there
  # is one, removed afterwards.
  local tmp="$pasta/tmp/$alvo" codigo=0
  [ -d /dev/shm ] && [ -w /dev/shm ] && tmp="/dev/shm/mivo-fuzz-$alvo-$$"
  rm -rf "$tmp"
  mkdir -p "$tmp"
  cd "$pasta"
  TMPDIR="$tmp" "$pasta/fuzz_$alvo" "${opcoes[@]}" "$corpus" "$pasta/sementes/$alvo" \
    >"$pasta/registros/$alvo.log" 2>&1 || codigo=$?
  rm -rf "$tmp"
  return $codigo
}

resumir() {
  local alvo="$1" codigo="$2" log="$pasta/registros/$1.log"
  local execucoes por_segundo cobertura corpus
  execucoes="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  por_segundo="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
  cobertura="$(grep -o 'cov: [0-9]*' "$log" | tail -1 | sed 's/cov: //')"
  corpus="$(grep -o 'corp: [0-9]*' "$log" | tail -1 | sed 's/corp: //')"
  if [ "$codigo" -eq 0 ]; then
    echo "  $alvo: ${execucoes:-?} execuções (${por_segundo:-?}/s), cobertura ${cobertura:-?}, corpus ${corpus:-?} entradas, nenhuma falha"
    return 0
  fi
  if [ "$codigo" -eq 72 ] && $interrompido; then  # libFuzzer's code for an interrupted run
    echo "  $alvo: interrompido depois de ${execucoes:-?} execuções, cobertura ${cobertura:-?}, corpus ${corpus:-?} entradas, nenhuma falha"
    return 0
  fi
  echo "  $alvo: FALHA (código $codigo) depois de ${execucoes:-?} execuções"
  local artefato
  artefato="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)"
  echo "---- $alvo: fim do registro ($log) ----"
  grep -v -e '^#[0-9]' -e '^INFO:' -e 'Uses: ' -e 'dictionary' "$log" | tail -60
  if [ -n "$artefato" ] && [ -f "$artefato" ]; then
    echo "---- $alvo: entrada que reproduz a falha: $artefato ($(wc -c <"$artefato") bytes) ----"
    head -c 2048 "$artefato" | cat -v
    echo
    echo "---- a mesma entrada em base64 ----"
    base64 -w 0 "$artefato" | head -c 8192
    echo
    echo "Para reproduzir (com as pilhas de alocação e liberação dos blocos):"
    echo "  ASAN_OPTIONS=malloc_context_size=30 $pasta/fuzz_$alvo $artefato"
  fi
  return 1
}

if [ "$segundos" -gt 0 ]; then
  echo "Fuzzing: ${alvos[*]}, $segundos s cada (até $(nproc) ao mesmo tempo)..."
else
  echo "Fuzzing: ${alvos[*]}, até ser interrompido (Ctrl+C)..."
fi
inicio=$SECONDS
# Ctrl+C stops the targets (each ends its run cleanly) and the results are
# still shown.
interrompido=false
trap 'interrompido=true' INT
trap 'rm -rf /dev/shm/mivo-fuzz-*-$$ "$pasta/tmp"' EXIT
declare -A codigos
pendentes=("${alvos[@]}")
while [ ${#pendentes[@]} -gt 0 ]; do
  lote=("${pendentes[@]:0:$(nproc)}")
  pendentes=("${pendentes[@]:${#lote[@]}}")
  declare -A pids=()
  for a in "${lote[@]}"; do
    echo "  rodando $a..."
    rodar "$a" &
    pids[$a]=$!
  done
  for a in "${lote[@]}"; do
    # A wait ended by Ctrl+C is waited again: the target is still finishing.
    while true; do
      if wait "${pids[$a]}"; then codigos[$a]=0; else codigos[$a]=$?; fi
      kill -0 "${pids[$a]}" 2>/dev/null || break
    done
  done
  $interrompido && break
  unset pids
done

echo "Resultado do fuzzing ($((SECONDS - inicio)) s):"
falhou=false
for a in "${alvos[@]}"; do
  [ -n "${codigos[$a]:-}" ] || continue  # not started: interrupted before
  resumir "$a" "${codigos[$a]}" || falhou=true
done
if $falhou; then
  echo "O fuzzing encontrou falhas (acima). As entradas ficam em $pasta/falhas/." >&2
  exit 1
fi
