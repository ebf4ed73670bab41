#!/usr/bin/env bash
# Builds and runs the benchmark program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
. scripts/env.sh
vantora_prepare_prefix
VANTORA_FORCE_XVFB=1 vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
wine "$VANTORA_BUILD/win32/bench/vantora_bench.exe"
