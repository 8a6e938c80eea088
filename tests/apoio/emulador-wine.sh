#!/usr/bin/env bash
# ctest's emulator for the Windows test programs: runs one under Wine.
# A program that ends with an error before printing anything was not
# started by Wine at all (GoogleTest always prints its first line): seen
# now and then on a busy machine. It is started again, at most twice, and
# the failed start is reported on stderr. Any other result, including a
# failing test, is passed on as it is.
set -u
# Tests that depend on what Wine does differently from Windows ask for this.
export MIVO_SOB_WINE=1
wine_bin="$(command -v wine || command -v wine64)"
saida="$(mktemp)"
erros="$(mktemp)"
trap 'rm -f "$saida" "$erros"' EXIT
for tentativa in 1 2 3; do
  "$wine_bin" "$@" >"$saida" 2>"$erros"
  codigo=$?
  if [ "$codigo" -eq 0 ] || [ -s "$saida" ] || [ "$tentativa" -eq 3 ]; then
    cat "$saida"
    cat "$erros" >&2
    exit "$codigo"
  fi
  echo "emulador-wine: o Wine não iniciou $1 (código $codigo, tentativa $tentativa); de novo" >&2
  cat "$erros" >&2
  sleep 1
done
