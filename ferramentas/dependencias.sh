#!/usr/bin/env bash
# Installs (with apt-get) whatever Mivo needs that is still missing on this
# Debian machine. Does nothing when everything is present.
#   dependencias.sh               what building and testing need
#   dependencias.sh --executar    only what building and running Mivo need
# Further packages given as arguments (e.g. clang) are wanted too.
set -euo pipefail

PARA_EXECUTAR=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxtst-dev libxres-dev
  libzip-dev
  libqscintilla2-qt6-dev
  qt6-translations-l10n  # Qt's own texts (file dialogs, buttons) in Portuguese
)
PARA_TESTAR=(
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth
  openbox x11-utils x11-xkb-utils xterm xdotool xclip nsis python3-openpyxl mousepad
)

PACOTES=("${PARA_EXECUTAR[@]}")
if [ "${1:-}" = "--executar" ]; then
  shift
else
  PACOTES+=("${PARA_TESTAR[@]}")
fi
PACOTES+=("$@")

faltando=()
for p in "${PACOTES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    faltando+=("$p")
  fi
done

if [ ${#faltando[@]} -gt 0 ]; then
  echo "Instalando o que falta (${#faltando[@]} pacotes): ${faltando[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${faltando[@]}"
  echo "Dependências instaladas."
fi
