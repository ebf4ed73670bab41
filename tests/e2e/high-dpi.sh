#!/usr/bin/env bash
# Runs the high-resolution end-to-end test and saves a picture of the window
# at 144 dpi. Wine reads the resolution when its server starts, so this runs
# in a prefix of its own, with a server of its own, beside the main one.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
e2e="$1"
exe="$2"
out="$3"
dpi=144
base="$WINEPREFIX"
export WINEPREFIX="$base-${dpi}dpi"
if [ ! -f "$WINEPREFIX/.dpi-$dpi" ]; then
    rm -rf "$WINEPREFIX"
    # Links share the installed files; the registry gets copies of its own.
    cp -al "$base" "$WINEPREFIX"
    for hive in system.reg user.reg userdef.reg; do
        cp --remove-destination "$base/$hive" "$WINEPREFIX/$hive"
    done
    "$VANTORA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
    wineserver -w
    touch "$WINEPREFIX/.dpi-$dpi"
fi
trap 'wineserver -k 2>/dev/null || true' EXIT
wineserver -p
"$VANTORA_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
# A first run's window, not one left by an earlier run.
"$VANTORA_WINE" reg delete 'HKCU\Software\Morvane\Vantora' /f >/dev/null 2>&1 </dev/null || true
status=0
VANTORA_E2E_DPI=$dpi "$VANTORA_WINE" "$e2e" --gtest_brief=1 --gtest_filter='HighDpiEndToEndTest.*' "$exe" || status=1
"$(dirname "$0")/screenshot.sh" "$exe" "$out" || status=1
exit $status
