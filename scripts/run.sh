#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vantora under Wine. Without a
# display it runs under Xvfb, saves a screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
. scripts/env.sh
vantora_prepare_prefix
exe="$VANTORA_BUILD/win32/src/app/vantora.exe"
if [ -n "${DISPLAY:-}" ]; then
    exec wine "$exe"
fi
vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
wine "$exe" &
sleep 4
shot="$VANTORA_BUILD/vantora-screenshot.png"
import -window root "$shot"
echo "Vantora is running headless; screenshot: $shot"
wineserver -k 2>/dev/null || true
