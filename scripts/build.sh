#!/usr/bin/env bash
# Builds the portable core for the host (with sanitizers) and everything for Windows.
set -euo pipefail
. "$(dirname "$0")/env.sh"
jobs="$(nproc)"
cmake -S "$VANTORA_ROOT" -B "$VANTORA_BUILD/host" -DVANTORA_SANITIZE=ON >/dev/null
cmake --build "$VANTORA_BUILD/host" -j "$jobs"
cmake -S "$VANTORA_ROOT" -B "$VANTORA_BUILD/win32" \
      -DCMAKE_TOOLCHAIN_FILE="$VANTORA_ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$VANTORA_BUILD/win32" -j "$jobs"
