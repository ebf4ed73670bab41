#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vantora under Wine: the 32-bit
# vantora.exe where this host runs 32-bit code, else the 64-bit vantora64.exe.
# Without a display it runs under Xvfb, saves a screenshot of the window and
# prints its path; it fails when no Vantora window appears.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
. scripts/env.sh
if vantora_host_runs_32bit; then
    vantora_use_arch win32
    echo "Starting the 32-bit vantora.exe."
else
    vantora_use_arch win64
    echo "This host's kernel does not run 32-bit x86 code: starting the 64-bit vantora64.exe."
fi
vantora_build "$VANTORA_ARCH" "$VANTORA_TOOLCHAIN" vantora
vantora_prepare_prefix
exe="$VANTORA_WINDOWS_BUILD/src/app/$VANTORA_PROGRAM"
if [ -n "${DISPLAY:-}" ]; then
    exec "$VANTORA_WINE" "$exe"
fi
vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
"$VANTORA_WINE" "$exe" &
if ! window="$(vantora_wait_for_window 300)"; then
    echo "run.sh: no Vantora window appeared within 30 seconds; $VANTORA_PROGRAM did not start under $VANTORA_WINE" >&2
    exit 1
fi
# The first refresh has filled the lists once the window shows; let it paint.
sleep 1
shot="$VANTORA_BUILD/vantora-screenshot.png"
import -window "$window" "$shot"
echo "Vantora ($VANTORA_PROGRAM) is running headless; screenshot of its window: $shot"
