#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite. The fuzz
# targets of fuzz/ and one file of each other layer are also compiled with
# clang (ferramentas/compilar-clang.sh --amostra; no tests run from that
# build), and each fuzz target runs for 30 seconds; a clang
# compile error or a fuzz finding (printed with the input that reproduces
# it) fails the run, after the tests. Then the Windows side: the program,
# its suite and its installer cross-built with mingw-w64 and run under Wine
# (ferramentas/testar-windows.sh; the first time it also builds Qt for
# Windows into a cache, ~45 minutes).
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/ferramentas/compilar.sh"
falhas=()
"$raiz/ferramentas/compilar-clang.sh" --amostra && clang_ok=true || {
  clang_ok=false
  falhas+=("Falhou a compilação com clang (erros acima, em build-clang/).")
}
if $clang_ok; then
  "$raiz/ferramentas/fuzz.sh" --ci ||
    falhas+=("O fuzzing achou uma falha (acima, com o comando que a reproduz).")
fi
ctest --test-dir "$raiz/build" --output-on-failure -j"$(nproc)" "$@" ||
  falhas+=("Falharam testes no Linux (acima).")
codigo=0
"$raiz/ferramentas/testar-windows.sh" || codigo=$?
if [ "$codigo" -eq 77 ]; then
  echo "Parte do Windows pulada: esta máquina não roda o Wine."
elif [ "$codigo" -ne 0 ]; then
  falhas+=("Falhou a parte do Windows (acima: compilação, suíte no Wine ou instalador).")
fi
if [ ${#falhas[@]} -gt 0 ]; then
  printf '%s\n' "${falhas[@]}" >&2
  exit 1
fi
