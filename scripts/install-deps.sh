#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only when something is missing.
set -euo pipefail

packages=(
    cmake make g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386 fonts-wine fonts-liberation fonts-wqy-microhei
    xvfb xdotool x11-utils imagemagick valgrind
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
