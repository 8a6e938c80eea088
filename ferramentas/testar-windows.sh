#!/usr/bin/env bash
# Mivo for 64-bit Windows, built and tested on this Linux machine:
#  1. the libraries it links, cross-built from Debian's sources by
#     ferramentas/qt-mingw.sh into a cache outside the work tree (only when
#     missing; the first time Qt takes ~45 minutes on a 2-core machine);
#  2. the programs, the test suite and the installer mivo-setup.exe, built
#     with mingw-w64 into build-windows/;
#  3. the suite run by ctest under Wine, in an Xvfb of its own with a Wine
#     virtual desktop (the Win32 desktop tests, the scripts against Notepad,
#     the installer installed and removed).
#
#   ferramentas/testar-windows.sh [--so-compilar] [argumentos do ctest]
#
# Exits 77 (skipped) only when this machine cannot run Wine at all.
set -euo pipefail

PULAR=77
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="$raiz/build-windows"
so_compilar=false
if [ "${1:-}" = "--so-compilar" ]; then so_compilar=true; shift; fi

agora() { date +%s; }
inicio_geral=$(agora)
passo() { echo "==> $*"; }

# --- What the machine needs ---------------------------------------------------
"$raiz/ferramentas/dependencias.sh"
wine_bin="$(command -v wine || command -v wine64 || true)"
if [ -z "$wine_bin" ] || ! "$wine_bin" --version >/dev/null 2>&1; then
  echo "Pulado: esta máquina não roda o Wine"
  exit $PULAR
fi

# --- The libraries (built once, kept in the cache) ----------------------------
# Only those the build links today.
"$raiz/ferramentas/qt-mingw.sh" qt
"$raiz/ferramentas/qt-mingw.sh" libzip  # spreadsheet import
"$raiz/ferramentas/qt-mingw.sh" qscintilla  # the script editor
eval "$("$raiz/ferramentas/qt-mingw.sh" --caminhos 2>/dev/null || true)"
: "${QT_MINGW:?a Qt para Windows não está no cache}" "${TOOLCHAIN_MINGW:?falta o toolchain}"
: "${LIBZIP_MINGW:?falta a libzip}" "${ZLIB_MINGW:?falta a zlib}"
: "${QSCINTILLA_MINGW:?falta o QScintilla}"

# --- Cross build ----------------------------------------------------------------
inicio=$(agora)
# Another Qt (a new cache folder) needs a fresh folder; otherwise configuring
# again is quick and applies changed options.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qF "$QT_MINGW" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
[ -f "$build/build.ninja" ] || passo "Preparando a compilação para Windows em build-windows/..."
mkdir -p "$build"
cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$QT_MINGW/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN_MINGW" \
  -DMIVO_LIBZIP_MINGW="$LIBZIP_MINGW" -DMIVO_ZLIB_MINGW="$ZLIB_MINGW" \
  -DMIVO_QSCINTILLA_DIR="$QSCINTILLA_MINGW" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$raiz/tests/apoio/emulador-wine.sh" \
  -DMIVO_BENCH=OFF -DMIVO_FUZZ=OFF >"$build/configurar.log" 2>&1 ||
  { cat "$build/configurar.log"; exit 1; }
passo "Compilando para Windows..."
cmake --build "$build" -- -j"$(nproc)"
echo "Compilação para Windows: $(($(agora) - inicio)) s"
$so_compilar && exit 0

# --- Xvfb on a display it picks itself --------------------------------------------
xvfb_pid=""
export WINEPREFIX="$build/prefixo-wine"
encerrar() {
  wineserver -k 2>/dev/null || true
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

# --- Wine prefix, made once -----------------------------------------------------------
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# The virtual desktop's size, smaller than the X screen; the tests check that
# the backend reports it. A virtual desktop keeps every window inside one X
# window and Wine owns the focus itself, so activation needs no window manager.
tela=1024x768
export MIVO_TELA_WINE="$tela"
pronto="$WINEPREFIX/.mivo-pronto"  # holds the desktop size it was made with
if [ "$(cat "$pronto" 2>/dev/null)" != "$tela" ]; then
  inicio=$(agora)
  rm -rf "$WINEPREFIX"
  {
    "$wine_bin" wineboot -i &&
      "$wine_bin" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Mivo /f &&
      "$wine_bin" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Mivo /d "$tela" /f &&
      wineserver -w
  } >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; echo "Falha ao criar o prefixo do Wine"; exit 1; }
  echo "$tela" >"$pronto"
  echo "Prefixo do Wine criado: $(($(agora) - inicio)) s"
fi
# One wine server for the whole run: each test program starts faster.
wineserver -p

# The DLLs of Qt and of the compiler's runtime, for the programs of the build
# folder (the installed program carries its own).
dll_dirs=("$QT_MINGW/bin")
dll_dirs+=("$LIBZIP_MINGW/bin" "$ZLIB_MINGW/bin")  # spreadsheet import
dll_dirs+=("$QSCINTILLA_MINGW/bin")  # the script editor
for dll in libstdc++-6.dll libwinpthread-1.dll; do
  dll_dirs+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")
done
WINEPATH=""
for d in "${dll_dirs[@]}"; do WINEPATH+="$(winepath -w "$d" 2>/dev/null);"; done
export WINEPATH

# --- The suite ------------------------------------------------------------------------
inicio=$(agora)
set +e
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300 "$@"
codigo=$?
set -e
echo "Suíte no Wine: $(($(agora) - inicio)) s (tudo: $(($(agora) - inicio_geral)) s)"
exit $codigo
