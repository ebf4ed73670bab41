#!/usr/bin/env bash
# Builds and runs the benchmark program under Wine: prints its table and
# writes it as JSON to build/bench.json. Extra arguments go to the program
# (--quick: fewer runs; --soak N: N refreshes in the soak instead of 10,000).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
. scripts/env.sh
vantora_prepare_prefix
VANTORA_FORCE_XVFB=1 vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
json="$VANTORA_BUILD/bench.json"
# Wine's services start first, so they do not hold on to this script's output.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
wine "$VANTORA_BUILD/win32/bench/vantora_bench.exe" "$(winepath -w "$json")" "$@" </dev/null
echo "written: $json"
