#!/usr/bin/env bash
# Compiles the whole tree (tests and benchmarks too) with clang in
# build-clang/, so that the code keeps building with both compilers. Only
# compiles: the tests run from the gcc build (build/). The fuzz targets of
# fuzz/ (which only clang builds) are compiled here too; ferramentas/fuzz.sh
# runs them. Ninja runs quietly, so mostly the compiler's messages show;
# exits non-zero on a compile error.
#   compilar-clang.sh             everything (tests and benchmarks too)
#   compilar-clang.sh --amostra   the fuzz targets and one file of each other
#                                 layer (what ./test.sh builds)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/ferramentas/dependencias.sh" clang libclang-rt-dev
echo "Compilando também com clang (só compilação)..."
if [ ! -f "$raiz/build-clang/build.ninja" ]; then
  cmake -S "$raiz" -B "$raiz/build-clang" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIVO_TESTES=ON -DMIVO_BENCH=ON >/dev/null
fi
if [ "${1:-}" = "--amostra" ]; then
  # The fuzz targets (they compile the engine's libraries, instrumented) and
  # one translation unit of each layer they leave out: what CI needs to
  # know that the tree still builds with clang, at a fraction of the time.
  amostra=(
    fuzz_script fuzz_expansao fuzz_execucao fuzz_lista fuzz_tabela fuzz_cenario fuzz_secoes
    fuzz_planilha
    src/desktop/CMakeFiles/mivo_desktop_fabrica.dir/x11/unDesktopPlataformaX11.cpp.o
    src/dialogs/CMakeFiles/mivo_dialogos.dir/unDialogos.cpp.o
    src/editor/CMakeFiles/mivo_editor.dir/unCLEditorScript.cpp.o
    src/workbench/CMakeFiles/mivo_bancada.dir/unFrmMain.cpp.o
    src/runner/CMakeFiles/mivo_runner.dir/unMivoRun.cpp.o
    src/app/CMakeFiles/mivo.dir/mivo.cpp.o
  )
  cmake --build "$raiz/build-clang" --target "${amostra[@]}" -- --quiet -j"$(nproc)"
else
  cmake --build "$raiz/build-clang" -- --quiet -j"$(nproc)"
fi
