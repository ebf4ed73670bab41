#!/usr/bin/env bash
# Builds vantora.exe in Release, strips it, and writes the download for Windows
# users: dist/vantora-<version>-win32.zip with the program and a short README.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
. scripts/env.sh

release="$VANTORA_BUILD/release"
cmake -S "$VANTORA_ROOT" -B "$release" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$VANTORA_ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$release" -j "$(nproc)" --target vantora

version="$(sed -n 's/^#define VANTORA_VERSION_TEXT "\(.*\)"$/\1/p' "$release/res/version.h")"
[ -n "$version" ] || { echo "no version in $release/res/version.h" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
i686-w64-mingw32-strip -o "$stage/vantora.exe" "$release/src/app/vantora.exe"
# Notepad on older Windows wants CR LF line ends.
sed 's/$/\r/' "$release/res/README.txt" >"$stage/README.txt"

zip="$VANTORA_ROOT/dist/vantora-$version-win32.zip"
mkdir -p "$(dirname "$zip")"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" vantora.exe README.txt)
echo "$zip ($(stat -c %s "$stage/vantora.exe") bytes of vantora.exe)"
