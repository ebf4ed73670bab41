#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the core natively under
# the sanitizers, then the Windows tests (core, Win32, end to end) under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
. scripts/env.sh

status=0
ctest --test-dir "$VANTORA_BUILD/host" --output-on-failure || status=1

vantora_prepare_prefix
VANTORA_FORCE_XVFB=1 vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
wineserver -p   # one persistent server: each test process then starts quickly
# Start Wine's own services now, so they do not inherit CTest's output pipes.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
ctest --test-dir "$VANTORA_BUILD/win32" --output-on-failure || status=1
exit $status
