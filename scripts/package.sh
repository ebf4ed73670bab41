#!/usr/bin/env bash
# Builds both programs in Release, strips them, and writes the download for
# Windows users: dist/vantora-<version>-windows.zip with vantora.exe (32-bit),
# vantora64.exe (64-bit) and a short README.txt that says which to run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
. scripts/env.sh

VANTORA_CMAKE_OPTIONS=-DCMAKE_BUILD_TYPE=Release vantora_build release mingw-i686 vantora
VANTORA_CMAKE_OPTIONS=-DCMAKE_BUILD_TYPE=Release vantora_build release64 mingw-x86_64 vantora

release="$VANTORA_BUILD/release"
version="$(sed -n 's/^#define VANTORA_VERSION_TEXT "\(.*\)"$/\1/p' "$release/res/version.h")"
[ -n "$version" ] || { echo "no version in $release/res/version.h" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
i686-w64-mingw32-strip -o "$stage/vantora.exe" "$release/src/app/vantora.exe"
x86_64-w64-mingw32-strip -o "$stage/vantora64.exe" "$VANTORA_BUILD/release64/src/app/vantora64.exe"
# Notepad on older Windows wants CR LF line ends.
sed 's/$/\r/' "$release/res/README.txt" >"$stage/README.txt"

zip="$VANTORA_ROOT/dist/vantora-$version-windows.zip"
mkdir -p "$(dirname "$zip")"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" vantora.exe vantora64.exe README.txt)
echo "$zip (vantora.exe $(stat -c %s "$stage/vantora.exe") bytes, vantora64.exe $(stat -c %s "$stage/vantora64.exe") bytes)"
