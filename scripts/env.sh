# Shared settings for the build and Wine runs; sourced, not run.
VANTORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VANTORA_BUILD="${VANTORA_BUILD:-$VANTORA_ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$VANTORA_BUILD/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# A Wine prefix inside the build tree, with the fonts Debian's Wine lacks.
vantora_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot --init >/dev/null 2>&1 || true
        # Xvfb has no window manager: Wine draws the frames itself and need
        # not wait for a manager to answer when a window maps.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/tahoma.ttf" ]; then
        cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    fi
}

# An X display for windows: the caller's, or a private Xvfb.
vantora_start_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${VANTORA_FORCE_XVFB:-}" ]; then
        return
    fi
    # VANTORA_XVFB_DISPLAY picks the display number on a machine shared with others.
    local n
    for n in ${VANTORA_XVFB_DISPLAY:-$(seq 91 120)}; do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        VANTORA_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && return
            sleep 0.1
        done
    done
    echo "could not start Xvfb" >&2
    return 1
}

vantora_stop_display() {
    if [ -n "${VANTORA_XVFB_PID:-}" ]; then
        kill "$VANTORA_XVFB_PID" 2>/dev/null || true
        wait "$VANTORA_XVFB_PID" 2>/dev/null || true
    fi
}
