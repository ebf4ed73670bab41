#!/usr/bin/env bash
# Starts Vantora on the current display, saves a picture of its window, ends
# it. Fails unless the picture is the window's size and shows a painted
# window: lists, bars and text give many colours, an unpainted one a few.
set -euo pipefail
. "$(dirname "$0")/../../scripts/env.sh"
exe="$1"
out="$2"
min_colours=16
mkdir -p "$(dirname "$out")"
"$VANTORA_WINE" "$exe" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

if ! window="$(vantora_wait_for_window)"; then
    echo "screenshot: no Vantora window appeared" >&2
    exit 1
fi

# The window's size now, and the width, height, number of colours, their
# spread and a hash of the pixels of the picture taken right after.
measure() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    rm -f "$out"
    import -window "$window" "$out" 2>/dev/null || return 1
    [ -s "$out" ] || return 1
    echo "$WIDTH $HEIGHT $(identify -format '%w %h %k %[fx:standard_deviation] %#' "$out")"
}

# Taken again until the window has its size and has painted, that is until
# three pictures in a row, over half a second, are the same, for at most
# about ten seconds: a title bar alone already has many colours.
stats=""
previous=""
same=0
for _ in $(seq 50); do
    if stats=$(measure); then
        read -r want_width want_height width height colours spread pixels <<<"$stats"
        if [ "$pixels" = "$previous" ]; then
            same=$((same + 1))
        else
            same=0
        fi
        previous="$pixels"
        [ "$width" = "$want_width" ] && [ "$height" = "$want_height" ] && [ "$colours" -ge "$min_colours" ] &&
            [ "$same" -ge 2 ] && break
    fi
    sleep 0.25
done
read -r want_width want_height width height colours spread pixels <<<"${stats:-0 0 0 0 0 0 0}"
if [ "$same" -lt 2 ]; then
    echo "screenshot: the window was still changing after ten seconds" >&2
    exit 1
fi
if [ "$width" != "$want_width" ] || [ "$height" != "$want_height" ]; then
    echo "screenshot: ${width}x${height}, but the window is ${want_width}x${want_height}" >&2
    exit 1
fi
if [ "$colours" -lt "$min_colours" ] || ! awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }'; then
    echo "screenshot: nearly uniform ($colours colours, spread $spread)" >&2
    exit 1
fi
echo "screenshot: $out (${width}x${height}, $colours colours)"
