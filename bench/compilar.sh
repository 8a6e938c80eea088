# Builds the programs a bench script measures (sourced by the scripts): the
# benchmarks are left out of the ordinary build, so each script asks for
# its own. COMPILAR=0 skips this (to measure a build as it is).
#   compilar_bench PASTA_DO_BUILD ALVO...
compilar_bench() {
  local build="$1"; shift
  [[ "${COMPILAR:-1}" == 0 ]] && return 0
  if [ ! -f "$build/build.ninja" ]; then
    echo "Falta a compilação em $build: rode ferramentas/compilar.sh antes." >&2
    exit 1
  fi
  local alvos=()
  for a in "$@"; do alvos+=(--target "$a"); done
  cmake --build "$build" "${alvos[@]}" >/dev/null
}
