#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite. The tree is
# also compiled with clang (no tests run from that build), and each fuzz
# target of fuzz/ (built by the clang step) runs for 30 seconds; a clang
# compile error or a fuzz finding (printed with the input that reproduces
# it) fails the run, after the tests.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/ferramentas/compilar.sh"
clang_ok=true
"$raiz/ferramentas/compilar-clang.sh" || clang_ok=false
fuzz_ok=true
if $clang_ok; then "$raiz/ferramentas/fuzz.sh" --ci || fuzz_ok=false; fi
ctest --test-dir "$raiz/build" --output-on-failure -j"$(nproc)" "$@"
if ! $clang_ok; then
  echo "Falhou a compilação com clang (erros acima, em build-clang/)." >&2
  exit 1
fi
if ! $fuzz_ok; then
  echo "O fuzzing achou uma falha (acima, com o comando que a reproduz)." >&2
  exit 1
fi
