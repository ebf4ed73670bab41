#!/usr/bin/env bash
# CTest's emulator for the 64-bit Windows executables.
. "$(dirname "$0")/env.sh"
vantora_enter_arch win64
exec "$VANTORA_WINE" "$@"
