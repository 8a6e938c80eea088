#!/usr/bin/env bash
# Compiles the whole tree (tests and benchmarks too) with clang in
# build-clang/, so that the code keeps building with both compilers. Only
# compiles: the tests run from the gcc build (build/). The fuzz targets of
# fuzz/ (which only clang builds) are compiled here too; ferramentas/fuzz.sh
# runs them. Ninja runs quietly, so mostly the compiler's messages show;
# exits non-zero on a compile error.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/ferramentas/dependencias.sh" clang libclang-rt-dev
echo "Compilando também com clang (só compilação)..."
if [ ! -f "$raiz/build-clang/build.ninja" ]; then
  cmake -S "$raiz" -B "$raiz/build-clang" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIVO_TESTES=ON -DMIVO_BENCH=ON >/dev/null
fi
cmake --build "$raiz/build-clang" -- --quiet -j"$(nproc)"
