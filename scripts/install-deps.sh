#!/usr/bin/env bash
# Installs what building and testing needs on Debian; a no-op when all is there.
set -euo pipefail

packages=(cmake make g++ python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 clang lld googletest wine wine64 wine32:i386
          fonts-wine xvfb x11-apps imagemagick xdotool zip)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    missing+=(wine32:i386)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
