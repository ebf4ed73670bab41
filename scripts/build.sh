#!/usr/bin/env bash
# Builds the portable core for the host (with sanitizers) and everything for
# Windows: build/win32 (vantora.exe) and build/win64 (vantora64.exe).
set -euo pipefail
. "$(dirname "$0")/env.sh"
vantora_build host ""
vantora_build win32 mingw-i686
vantora_build win64 mingw-x86_64
