#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite. The tree is
# also compiled with clang (no tests run from that build); a clang compile
# error fails the run, after the tests. Then each fuzz target of fuzz/ (built
# by the clang step) runs for 30 seconds; a finding fails the run and is
# printed with the input that reproduces it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/ferramentas/compilar.sh"
clang_ok=true
"$raiz/ferramentas/compilar-clang.sh" || clang_ok=false
ctest --test-dir "$raiz/build" --output-on-failure -j"$(nproc)" "$@"
if ! $clang_ok; then
  echo "Falhou a compilação com clang (erros acima, em build-clang/)." >&2
  exit 1
fi
"$raiz/ferramentas/fuzz.sh" --ci
