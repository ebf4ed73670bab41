#!/usr/bin/env bash
# Builds and runs the benchmark program under Wine: the 32-bit one where this
# host runs 32-bit code, else the 64-bit one. Prints its table and writes it
# as JSON to build/bench.json, which names the program measured. Extra
# arguments go to the program (--quick: fewer runs; --soak N: N refreshes in
# the soak instead of 10,000).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
. scripts/env.sh
if vantora_host_runs_32bit; then
    vantora_use_arch win32
else
    echo "This host's kernel does not run 32-bit x86 code: measuring the 64-bit program." >&2
    vantora_use_arch win64
fi
vantora_build "$VANTORA_ARCH" "$VANTORA_TOOLCHAIN" vantora_bench >/dev/null
vantora_prepare_prefix
VANTORA_FORCE_XVFB=1 vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
json="$VANTORA_BUILD/bench.json"
# Wine's services start first, so they do not hold on to this script's output.
"$VANTORA_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
"$VANTORA_WINE" "$VANTORA_WINDOWS_BUILD/bench/vantora_bench.exe" \
    "$("$VANTORA_WINE" winepath -w "$json" 2>/dev/null)" "$@" </dev/null
echo "written: $json"
