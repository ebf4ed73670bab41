#!/usr/bin/env bash
# CTest's emulator for Windows executables.
. "$(dirname "$0")/env.sh"
exec wine "$@"
