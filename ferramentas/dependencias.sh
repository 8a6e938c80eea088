#!/usr/bin/env bash
# Installs (with apt-get) whatever Mivo needs to build and test that is still
# missing on this Debian machine. Does nothing when everything is present.
# Packages given as arguments (e.g. clang) are wanted too.
set -euo pipefail

PACOTES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth
  libx11-dev libxtst-dev libxres-dev openbox x11-utils xterm xdotool xclip
  "$@"
)

faltando=()
for p in "${PACOTES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    faltando+=("$p")
  fi
done

if [ ${#faltando[@]} -gt 0 ]; then
  echo "Instalando dependências: ${faltando[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${faltando[@]}"
fi
