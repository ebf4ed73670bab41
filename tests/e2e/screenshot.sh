#!/usr/bin/env bash
# Starts Vantora on the current display, saves a picture of its window, ends it.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
exe="$1"
out="$2"
mkdir -p "$(dirname "$out")"
"$VANTORA_WINE" "$exe" &
pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^Vantora, ' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
sleep 1
if [ -n "$window" ]; then
    import -window root "$out"
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ -n "$window" ] && [ -s "$out" ] && echo "screenshot: $out"
