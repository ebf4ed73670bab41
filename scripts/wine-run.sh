#!/usr/bin/env bash
# CTest's emulator for the 32-bit Windows executables.
. "$(dirname "$0")/env.sh"
vantora_enter_arch win32
exec "$VANTORA_WINE" "$@"
