#!/usr/bin/env bash
# Cross-compiles the Win32 desktop backend and its tests with mingw-w64 and
# runs them under Wine inside an Xvfb of their own.
#   rodar-testes-wine.sh PASTA_DE_BUILD [argumentos do GoogleTest...]
# The build and the Wine prefix live in PASTA_DE_BUILD (the prefix is made
# once and reused). Exits 77 (skipped) when mingw-w64, Wine or Xvfb are
# missing, otherwise with the test program's code.
set -euo pipefail

PULAR=77
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:?uso: rodar-testes-wine.sh PASTA_DE_BUILD [argumentos]}"
shift
mkdir -p "$build"
build="$(cd "$build" && pwd)"

wine_bin="$(command -v wine || command -v wine64 || true)"
for ferramenta in x86_64-w64-mingw32-g++-posix cmake ninja Xvfb wineserver; do
  if ! command -v "$ferramenta" >/dev/null; then
    echo "Pulado: falta $ferramenta (instale com ferramentas/dependencias.sh)"
    exit $PULAR
  fi
done
if [ -z "$wine_bin" ]; then
  echo "Pulado: falta o Wine (instale com ferramentas/dependencias.sh)"
  exit $PULAR
fi

agora() { date +%s.%N; }
segundos() { awk -v a="$1" -v b="$(agora)" 'BEGIN { printf "%.1f", b - a }'; }

# --- Cross build -------------------------------------------------------------
inicio="$(agora)"
cruzado="$build/cruzado"
# Configured every time (quick once cached), so that a changed option applies.
cmake -S "$raiz/tests/win32/cruzado" -B "$cruzado" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >"$build/configurar.log" 2>&1 ||
  { cat "$build/configurar.log"; exit 1; }
cmake --build "$cruzado" -- -j"$(nproc)" >"$build/compilar.log" 2>&1 ||
  { tail -n 60 "$build/compilar.log"; exit 1; }
echo "Compilação cruzada: $(segundos "$inicio") s"

# --- Xvfb on a display it picks itself ---------------------------------------
xvfb_pid=""
export WINEPREFIX="$build/prefixo-wine"
encerrar() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -f "$build/display"
}
trap encerrar EXIT

rm -f "$build/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/display" 2>"$build/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$build/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$build/xvfb.log"; echo "O Xvfb não iniciou"; exit 1; }
  sleep 0.1
done
[ -s "$build/display" ] || { echo "O Xvfb não informou o display"; exit 1; }
export DISPLAY=":$(head -n1 "$build/display")"

# --- Wine prefix, made once ------------------------------------------------------
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# The virtual desktop's size, smaller than the X screen; the tests check that
# the backend reports it.
tela=1024x768
export MIVO_TELA_WINE="$tela"
pronto="$WINEPREFIX/.mivo-pronto"  # holds the desktop size it was made with
if [ "$(cat "$pronto" 2>/dev/null)" != "$tela" ]; then
  inicio="$(agora)"
  rm -rf "$WINEPREFIX"
  {
    "$wine_bin" wineboot -i &&
      # A virtual desktop: Wine keeps every window inside one X window and
      # owns the focus itself, so activation needs no window manager.
      "$wine_bin" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Mivo /f &&
      "$wine_bin" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Mivo /d "$tela" /f &&
      wineserver -w
  } >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; echo "Falha ao criar o prefixo do Wine"; exit 1; }
  echo "$tela" >"$pronto"
  echo "Prefixo do Wine criado: $(segundos "$inicio") s"
fi

# --- Tests ---------------------------------------------------------------------
inicio="$(agora)"
set +e
timeout 300 "$wine_bin" "$cruzado/test_mivo_win32.exe" "$@"
codigo=$?
set -e
echo "Testes no Wine: $(segundos "$inicio") s"
exit $codigo
