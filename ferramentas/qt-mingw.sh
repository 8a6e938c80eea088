#!/usr/bin/env bash
# Cross-builds for 64-bit Windows (Debian's mingw-w64, POSIX threads) the
# libraries that Mivo's Windows build links against, from Debian's own source
# packages, into a cache outside the work tree:
#
#   ${MIVO_CACHE_MINGW:-/var/cache/mivo-mingw}/<library>-<version>-<hash>/
#
# The hash covers the build options (the body of the library's build function),
# the pinned Debian source version, the compiler, the toolchain file and the
# folders of the libraries it depends on, so a change makes a new folder.
# A folder is complete once its stamp file exists (written last); a folder
# without stamp is left over from an interrupted build and is built again.
#
# Usage:
#   ferramentas/qt-mingw.sh [LIB...]     build what is missing (all by default;
#                                        LIB: zlib qt qscintilla libzip)
#   ferramentas/qt-mingw.sh --caminhos   print CHAVE=caminho lines, build nothing
#                                        (exit 1 if something is missing)
#   ferramentas/qt-mingw.sh --limpar     remove cache folders not in use
#
# Environment: MIVO_CACHE_MINGW (cache folder), MIVO_MINGW_JOBS (default 2).
set -euo pipefail

CACHE="${MIVO_CACHE_MINGW:-/var/cache/mivo-mingw}"
JOBS="${MIVO_MINGW_JOBS:-2}"
ALVO=x86_64-w64-mingw32
CC_W="$ALVO-gcc-posix"
CXX_W="$ALVO-g++-posix"
NICE=(nice -n 19)
SELO=.mivo-completo

# Debian (bookworm) source packages, pinned so that the cache paths are
# reproducible and --caminhos works without looking anything up.
declare -A PACOTE=(
  [zlib]=zlib [qt]=qt6-base [sqlite]=sqlite3
  [qscintilla]=qscintilla2 [libzip]=libzip
)
declare -A VERSAO_DEB=(
  [zlib]=1:1.2.13.dfsg-1 [qt]=6.4.2+dfsg-10
  [sqlite]=3.40.1-2+deb12u2 [qscintilla]=2.13.3+dfsg-3 [libzip]=1.7.3-1
)
# Folder name (before the hash) and the key printed for other scripts.
declare -A NOME=(
  [zlib]=zlib-1.2.13 [qt]=qt6-6.4.2
  [qscintilla]=qscintilla-2.13.3-qt6 [libzip]=libzip-1.7.3
)
declare -A CHAVE=(
  [zlib]=ZLIB_MINGW [qt]=QT_MINGW
  [qscintilla]=QSCINTILLA_MINGW [libzip]=LIBZIP_MINGW
)
declare -A TITULO=(
  [zlib]="zlib 1.2.13" [qt]="Qt 6.4.2" [qscintilla]="QScintilla 2.13.3 (Qt 6)"
  [libzip]="libzip 1.7.3"
)
declare -A DEMORA=(
  [zlib]="alguns segundos"
  [qt]="isto leva ~30 a 60 minutos" [qscintilla]="isto leva ~5 a 15 minutos"
  [libzip]="~1 minuto"
)
declare -A DEPENDE=(
  [zlib]="" [qt]="" [qscintilla]="qt" [libzip]="zlib"
)
ORDEM=(zlib qt qscintilla libzip)

PACOTES_HOST=(
  dpkg-dev gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 cmake ninja-build make gcc g++ libc6-dev
  tcl perl xz-utils bzip2 qt6-base-dev qt6-base-dev-tools
)

msg() { printf '==> %s\n' "$*" >&2; }
erro() {
  if [ -n "${REGISTRO:-}" ] && [ -s "$REGISTRO" ]; then
    printf -- '--- últimas linhas de %s ---\n' "$REGISTRO" >&2
    tail -n 25 "$REGISTRO" >&2
    printf -- '---\n' >&2
  fi
  printf 'ERRO: %s\n' "$*" >&2
  exit 1
}

duracao() { # seconds -> "12min 03s"
  local s=$1
  if [ "$s" -ge 60 ]; then printf '%dmin %02ds' $((s / 60)) $((s % 60)); else printf '%ds' "$s"; fi
}

# ---------------------------------------------------------------------------
# The CMake toolchain file every CMake build here uses. Its name carries the
# hash of its content, so that the Qt build (whose qt.toolchain.cmake loads
# it by path) never sees it change. Extra roots for find_*() can be given
# with -DCMAKE_FIND_ROOT_PATH=... (kept, not overwritten).
conteudo_toolchain() {
  cat <<EOF
# Toolchain for 64-bit Windows with Debian's mingw-w64 (POSIX threads variant).
# Written by ferramentas/qt-mingw.sh; do not edit (its name is its content hash).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER /usr/bin/$CC_W)
set(CMAKE_CXX_COMPILER /usr/bin/$CXX_W)
set(CMAKE_RC_COMPILER /usr/bin/$ALVO-windres)
set(CMAKE_AR /usr/bin/$ALVO-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/$ALVO-ranlib CACHE FILEPATH "")
set(CMAKE_NM /usr/bin/$ALVO-nm CACHE FILEPATH "")
set(CMAKE_OBJCOPY /usr/bin/$ALVO-objcopy CACHE FILEPATH "")
set(CMAKE_OBJDUMP /usr/bin/$ALVO-objdump CACHE FILEPATH "")
set(CMAKE_STRIP /usr/bin/$ALVO-strip CACHE FILEPATH "")
set(CMAKE_DLLTOOL /usr/bin/$ALVO-dlltool CACHE FILEPATH "")

list(APPEND CMAKE_FIND_ROOT_PATH /usr/$ALVO)
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
}

caminho_toolchain() {
  printf '%s/mingw-w64-posix-%s.cmake' "$CACHE" "$(conteudo_toolchain | sha256sum | cut -c1-10)"
}

versao_compilador() {
  # Empty when the cross compiler is missing.
  { "$CXX_W" --version 2>/dev/null | head -n1; "$CC_W" --version 2>/dev/null | head -n1; } || true
}

# Cache folder of a library (it does not need to exist).
pasta_de() {
  local lib=$1 d dep_pastas=""
  for d in ${DEPENDE[$lib]}; do dep_pastas+="$(pasta_de "$d");"; done
  local h
  h=$({
    declare -f "construir_$lib"
    [ "$lib" = qt ] && declare -f gerar_sqlite
    [ "$lib" = qscintilla ] && declare -f cmake_qscintilla
    echo "${PACOTE[$lib]}=${VERSAO_DEB[$lib]}"
    [ "$lib" = qt ] && echo "${PACOTE[sqlite]}=${VERSAO_DEB[sqlite]}"
    versao_compilador
    conteudo_toolchain
    echo "$dep_pastas"
  } | sha256sum | cut -c1-10)
  printf '%s/%s-%s' "$CACHE" "${NOME[$lib]}" "$h"
}

completa() { [ -f "$1/$SELO" ]; }

imprimir_caminhos() {
  local lib p falta=0
  local tc
  tc=$(caminho_toolchain)
  if [ -f "$tc" ]; then printf 'TOOLCHAIN_MINGW=%q\n' "$tc"; else falta=1; msg "Falta: arquivo de toolchain ($tc)"; fi
  for lib in "${ORDEM[@]}"; do
    p=$(pasta_de "$lib")
    if completa "$p"; then
      printf '%s=%q\n' "${CHAVE[$lib]}" "$p"
    else
      falta=1
      msg "Falta: ${TITULO[$lib]} ($p)"
    fi
  done
  return $falta
}

# ---------------------------------------------------------------------------
# Host preparation.

garantir_pacotes() {
  local faltando=() p
  for p in "${PACOTES_HOST[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      faltando+=("$p")
    fi
  done
  if [ ${#faltando[@]} -gt 0 ]; then
    msg "Instalando pacotes que faltam: ${faltando[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${faltando[@]}"
  fi
  # Qt cross builds need host tools of the very same Qt version.
  local v
  v=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
  case "$v" in
    6.4.2*) ;;
    *) erro "qt6-base-dev-tools do sistema é $v, mas o Qt compilado é 6.4.2: ajuste VERSAO_DEB[qt] no script." ;;
  esac
}

garantir_deb_src() {
  local fonte=/etc/apt/sources.list.d/mivo-deb-src.sources
  if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
    return 0
  fi
  local suite
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  msg "Habilitando pacotes-fonte do Debian ($suite) em $fonte"
  cat >"$fonte" <<EOF
# Debian source packages, used by Mivo's ferramentas/qt-mingw.sh (apt-get source).
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get update -q
}

# obter_fontes LIB DESTINO: downloads (once, into $CACHE/fontes) and unpacks
# the pinned Debian source package, with Debian's patches applied.
obter_fontes() {
  local lib=$1 destino=$2
  local pacote=${PACOTE[$lib]} versao=${VERSAO_DEB[$lib]}
  local dsc="$CACHE/fontes/${pacote}_${versao#*:}.dsc"
  mkdir -p "$CACHE/fontes"
  msg "Obtendo o código-fonte de $pacote $versao (apt-get source)..."
  if ! (cd "$CACHE/fontes" && apt-get source -q --download-only \
        -o APT::Sandbox::User=root "$pacote=$versao") >>"$REGISTRO" 2>&1; then
    erro "não foi possível baixar $pacote $versao (a versão fixada no script ainda está no arquivo do Debian?)"
  fi
  [ -f "$dsc" ] || erro "faltou $dsc depois do apt-get source"
  rm -rf "$destino"
  dpkg-source --no-check -x "$dsc" "$destino" >>"$REGISTRO" 2>&1 \
    || erro "falha ao extrair $dsc (veja $REGISTRO)"
}

# ---------------------------------------------------------------------------
# Build functions. Each gets the final folder ($1) and a scratch folder ($2),
# both empty. Whatever goes into their bodies is part of the folder's hash.

construir_zlib() {
  local destino=$1 trab=$2
  obter_fontes zlib "$trab/src"
  # Debian's source drops win32/ (the upstream MinGW makefile and resource
  # file), so the library is built directly: zlib1.dll with its import
  # library libz.dll.a, and the static libz.a.
  local fontes=(adler32 compress crc32 deflate gzclose gzlib gzread gzwrite
    inflate infback inftrees inffast trees uncompr zutil)
  mkdir -p "$trab/obj" "$destino/bin" "$destino/lib/pkgconfig" "$destino/include"
  printf '%s\n' "${fontes[@]}" | "${NICE[@]}" xargs -P "$JOBS" -I{} \
    "$CC_W" -O2 -Wall -I"$trab/src" -c "$trab/src/{}.c" -o "$trab/obj/{}.o"
  local objs=()
  for f in "${fontes[@]}"; do objs+=("$trab/obj/$f.o"); done
  "$ALVO-ar" rcs "$destino/lib/libz.a" "${objs[@]}"
  "$CC_W" -shared -o "$destino/bin/zlib1.dll" "${objs[@]}" \
    -Wl,--out-implib,"$destino/lib/libz.dll.a" -Wl,--enable-auto-image-base
  "$ALVO-strip" --strip-unneeded "$destino/bin/zlib1.dll"
  cp "$trab/src/zlib.h" "$trab/src/zconf.h" "$destino/include/"
  cat >"$destino/lib/pkgconfig/zlib.pc" <<EOF
prefix=$destino
exec_prefix=\${prefix}
libdir=\${exec_prefix}/lib
includedir=\${prefix}/include

Name: zlib
Description: zlib compression library
Version: 1.2.13
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
EOF
}

# Bundled SQLite for Qt's driver: Debian removes src/3rdparty/sqlite from
# qt6-base, so the amalgamation is generated from Debian's sqlite3 source.
gerar_sqlite() {
  local trab=$1 saida=$2
  obter_fontes sqlite "$trab/sqlite-src"
  mkdir -p "$trab/sqlite-build" "$saida"
  (cd "$trab/sqlite-build" \
    && "$trab/sqlite-src/configure" --disable-tcl \
    && "${NICE[@]}" make sqlite3.c) >>"$REGISTRO" 2>&1 \
    || erro "falha ao gerar o sqlite3.c (veja $REGISTRO)"
  cp "$trab/sqlite-build/sqlite3.c" "$trab/sqlite-build/sqlite3.h" \
    "$trab/sqlite-build/sqlite3ext.h" "$saida/"
}

construir_qt() {
  local destino=$1 trab=$2
  obter_fontes qt "$trab/src"
  gerar_sqlite "$trab" "$trab/src/src/3rdparty/sqlite"
  local opcoes=(
    -prefix "$destino"
    -xplatform win32-g++
    -qt-host-path /usr
    -release -shared
    -nomake examples -nomake tests
    -no-icu -no-dbus -no-openssl -schannel
    -qt-zlib -qt-pcre -qt-doubleconversion -qt-libpng -qt-libjpeg
    -qt-freetype -qt-harfbuzz
    -sql-sqlite -qt-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql
    -no-sql-ibase -no-sql-db2 -no-sql-oci
    # Debian removes the wintab sources that tablet events need.
    -no-feature-tabletevent
  )
  mkdir -p "$trab/build"
  msg "Configurando o Qt..."
  (cd "$trab/build" && "$trab/src/configure" "${opcoes[@]}" -- \
    -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$(caminho_toolchain)" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >>"$REGISTRO" 2>&1 \
    || erro "falha ao configurar o Qt (veja $REGISTRO)"
  msg "Compilando o Qt (nice, -j$JOBS)..."
  "${NICE[@]}" cmake --build "$trab/build" --parallel "$JOBS" >>"$REGISTRO" 2>&1 \
    || erro "falha ao compilar o Qt (veja $REGISTRO)"
  cmake --install "$trab/build" >>"$REGISTRO" 2>&1 \
    || erro "falha ao instalar o Qt (veja $REGISTRO)"
  # What configure chose, for later reference.
  mkdir -p "$destino/share/mivo"
  cp "$trab/build/config.summary" "$destino/share/mivo/qt-config.summary" 2>/dev/null || true
}

# CMake project for QScintilla's sources (upstream only ships qmake files).
cmake_qscintilla() {
  cat <<'EOF'
cmake_minimum_required(VERSION 3.16)
project(QScintilla VERSION 2.13.3 LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_AUTOMOC ON)
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets PrintSupport)

set(QSCI_SRC "${QSCI_SOURCE_DIR}/src")
file(STRINGS "${CMAKE_CURRENT_SOURCE_DIR}/fontes.txt" fontes)
file(STRINGS "${CMAKE_CURRENT_SOURCE_DIR}/cabecalhos.txt" cabecalhos)
list(TRANSFORM fontes PREPEND "${QSCI_SRC}/")
list(TRANSFORM cabecalhos PREPEND "${QSCI_SRC}/")

add_library(qscintilla2_qt6 SHARED ${fontes} ${cabecalhos})
add_library(QScintilla::QScintilla ALIAS qscintilla2_qt6)
# Same file names as upstream's qmake build on Windows.
set_target_properties(qscintilla2_qt6 PROPERTIES PREFIX "" IMPORT_PREFIX "lib"
  EXPORT_NAME QScintilla)
target_compile_definitions(qscintilla2_qt6
  PRIVATE SCINTILLA_QT SCI_LEXER INCLUDE_DEPRECATED_FEATURES QSCINTILLA_MAKE_DLL
  INTERFACE QSCINTILLA_DLL)
target_include_directories(qscintilla2_qt6
  PRIVATE "${QSCI_SRC}" "${QSCI_SOURCE_DIR}/scintilla/include"
          "${QSCI_SOURCE_DIR}/scintilla/lexlib" "${QSCI_SOURCE_DIR}/scintilla/src"
  INTERFACE "$<INSTALL_INTERFACE:include>")
target_link_libraries(qscintilla2_qt6 PUBLIC Qt6::Widgets Qt6::PrintSupport)

include(GNUInstallDirs)
install(TARGETS qscintilla2_qt6 EXPORT QScintillaTargets
  RUNTIME DESTINATION bin ARCHIVE DESTINATION lib LIBRARY DESTINATION lib)
install(DIRECTORY "${QSCI_SRC}/Qsci" DESTINATION include)
file(GLOB traducoes "${QSCI_SRC}/qscintilla_*.qm")
install(FILES ${traducoes} DESTINATION share/qscintilla2/translations)
install(DIRECTORY "${QSCI_SOURCE_DIR}/qsci/" DESTINATION share/qscintilla2/qsci)
install(EXPORT QScintillaTargets NAMESPACE QScintilla:: DESTINATION lib/cmake/QScintilla)
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/QScintillaConfig.cmake"
"include(CMakeFindDependencyMacro)
find_dependency(Qt6 COMPONENTS Widgets PrintSupport)
include(\"\${CMAKE_CURRENT_LIST_DIR}/QScintillaTargets.cmake\")
")
include(CMakePackageConfigHelpers)
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/QScintillaConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/QScintillaConfig.cmake"
  "${CMAKE_CURRENT_BINARY_DIR}/QScintillaConfigVersion.cmake"
  DESTINATION lib/cmake/QScintilla)
EOF
}

construir_qscintilla() {
  local destino=$1 trab=$2
  local qt
  qt=$(pasta_de qt)
  obter_fontes qscintilla "$trab/src"
  mkdir -p "$trab/projeto"
  cmake_qscintilla >"$trab/projeto/CMakeLists.txt"
  # The exact file lists of upstream's qmake project (LexLPeg needs Lua and
  # is left out there too).
  grep -v '^[[:space:]]*#' "$trab/src/src/qscintilla.pro" \
    | grep -oE '[./A-Za-z0-9_]+\.cpp' | sort -u >"$trab/projeto/fontes.txt"
  grep -v '^[[:space:]]*#' "$trab/src/src/qscintilla.pro" \
    | grep -oE '[./A-Za-z0-9_]+\.h' | sort -u >"$trab/projeto/cabecalhos.txt"
  [ "$(wc -l <"$trab/projeto/fontes.txt")" -gt 100 ] \
    || erro "lista de fontes do QScintilla inesperada ($trab/projeto/fontes.txt)"
  (cmake -S "$trab/projeto" -B "$trab/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$destino" \
    -DQSCI_SOURCE_DIR="$trab/src" \
    && "${NICE[@]}" cmake --build "$trab/build" --parallel "$JOBS" \
    && cmake --install "$trab/build" --strip) >>"$REGISTRO" 2>&1 \
    || erro "falha ao compilar o QScintilla (veja $REGISTRO)"
}

construir_libzip() {
  local destino=$1 trab=$2
  local zlib
  zlib=$(pasta_de zlib)
  obter_fontes libzip "$trab/src"
  (cmake -S "$trab/src" -B "$trab/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$(caminho_toolchain)" \
    -DCMAKE_FIND_ROOT_PATH="$zlib" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$destino" \
    -DBUILD_SHARED_LIBS=ON \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    && "${NICE[@]}" cmake --build "$trab/build" --parallel "$JOBS" \
    && cmake --install "$trab/build" --strip) >>"$REGISTRO" 2>&1 \
    || erro "falha ao compilar a libzip (veja $REGISTRO)"
}

# ---------------------------------------------------------------------------

construir() {
  local lib=$1 destino trab inicio
  destino=$(pasta_de "$lib")
  if completa "$destino"; then
    msg "${TITULO[$lib]}: já no cache ($destino)"
    return 0
  fi
  inicio=$SECONDS
  msg "Compilando ${TITULO[$lib]} para Windows (${DEMORA[$lib]})..."
  trab="$CACHE/trabalho/$(basename "$destino")"
  mkdir -p "$CACHE/registros"
  REGISTRO="$CACHE/registros/$(basename "$destino").log"
  : >"$REGISTRO"
  msg "Registro detalhado: $REGISTRO"
  rm -rf "$destino" "$trab"
  mkdir -p "$destino" "$trab"
  "construir_$lib" "$destino" "$trab"
  printf 'biblioteca=%s\nfonte=%s=%s\ncompilador=%s\nconcluido=%s\n' \
    "$lib" "${PACOTE[$lib]}" "${VERSAO_DEB[$lib]}" "$(versao_compilador | head -n1)" \
    "$(date -Is)" >"$destino/$SELO"
  rm -rf "$trab"
  TEMPOS+=("${TITULO[$lib]}: $(duracao $((SECONDS - inicio)))")
  msg "${TITULO[$lib]} pronto em $(duracao $((SECONDS - inicio))): $destino"
}

limpar() {
  local em_uso=() lib p
  mkdir -p "$CACHE"
  exec 9>"$CACHE/.trava"
  flock -n 9 || erro "outra execução está usando $CACHE; tente depois"
  em_uso+=("$(caminho_toolchain)")
  for lib in "${ORDEM[@]}"; do em_uso+=("$(pasta_de "$lib")"); done
  shopt -s nullglob
  for p in "$CACHE"/*/ "$CACHE"/mingw-w64-posix-*.cmake; do
    p=${p%/}
    case "$(basename "$p")" in fontes|registros) continue ;; esac
    local manter=0 u
    for u in "${em_uso[@]}"; do [ "$p" = "$u" ] && manter=1; done
    if [ $manter = 0 ]; then
      msg "Removendo $p"
      rm -rf "$p"
      rm -f "$CACHE/registros/$(basename "$p").log"
    fi
  done
}

uso() {
  sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'
}

main() {
  local pedidos=()
  case "${1:-}" in
    --caminhos) imprimir_caminhos; return ;;
    --limpar) limpar; return ;;
    -h|--help|--ajuda) uso; return ;;
  esac
  local a
  for a in "$@"; do
    [ -n "${NOME[$a]:-}" ] || erro "biblioteca desconhecida: $a (conhecidas: ${ORDEM[*]})"
  done
  [ "$(id -u)" -eq 0 ] || erro "rode como root (instala pacotes e escreve em $CACHE)"

  mkdir -p "$CACHE"
  exec 9>"$CACHE/.trava"
  if ! flock -n 9; then
    msg "Outra execução está usando $CACHE; aguardando..."
    flock 9
  fi

  local inicio_total=$SECONDS
  TEMPOS=()
  msg "Preparando ferramentas do sistema..."
  garantir_pacotes
  garantir_deb_src

  local tc
  tc=$(caminho_toolchain)
  [ -f "$tc" ] || { conteudo_toolchain >"$tc.tmp" && mv "$tc.tmp" "$tc"; }

  # Requested libraries plus what they depend on, in build order.
  if [ $# -eq 0 ]; then pedidos=("${ORDEM[@]}"); else pedidos=("$@"); fi
  declare -A quer=()
  marcar() { local l=$1 d; quer[$l]=1; for d in ${DEPENDE[$l]}; do marcar "$d"; done; }
  for a in "${pedidos[@]}"; do marcar "$a"; done
  local lib
  for lib in "${ORDEM[@]}"; do
    if [ -n "${quer[$lib]:-}" ]; then construir "$lib"; fi
  done

  msg "Tempos:"
  local t
  for t in "${TEMPOS[@]}"; do msg "  $t"; done
  msg "Total: $(duracao $((SECONDS - inicio_total)))"
  echo "# Bibliotecas para Windows (mingw-w64) do Mivo:"
  imprimir_caminhos || true
}

# One line, so that bash has read it all before running (safe to edit meanwhile).
main "$@"; exit $?
