#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite. The tree is
# also compiled with clang (no tests run from that build), and each fuzz
# target of fuzz/ (built by the clang step) runs for 30 seconds; a clang
# compile error or a fuzz finding (printed with the input that reproduces
# it) fails the run, after the tests. Then the Windows side: the program,
# its suite and its installer cross-built with mingw-w64 and run under Wine
# (ferramentas/testar-windows.sh; the first time it also builds Qt for
# Windows into a cache, ~45 minutes).
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/ferramentas/compilar.sh"
clang_ok=true
"$raiz/ferramentas/compilar-clang.sh" || clang_ok=false
fuzz_ok=true
if $clang_ok; then "$raiz/ferramentas/fuzz.sh" --ci || fuzz_ok=false; fi
linux_ok=true
ctest --test-dir "$raiz/build" --output-on-failure -j"$(nproc)" "$@" || linux_ok=false
windows_ok=true
codigo=0
"$raiz/ferramentas/testar-windows.sh" || codigo=$?
if [ "$codigo" -eq 77 ]; then
  echo "Parte do Windows pulada: esta máquina não roda o Wine."
elif [ "$codigo" -ne 0 ]; then
  windows_ok=false
fi
if ! $linux_ok; then
  echo "Falharam testes no Linux (acima)." >&2
  exit 1
fi
if ! $windows_ok; then
  echo "Falhou a parte do Windows (acima: compilação, suíte no Wine ou instalador)." >&2
  exit 1
fi
if ! $clang_ok; then
  echo "Falhou a compilação com clang (erros acima, em build-clang/)." >&2
  exit 1
fi
if ! $fuzz_ok; then
  echo "O fuzzing achou uma falha (acima, com o comando que a reproduz)." >&2
  exit 1
fi
