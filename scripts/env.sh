# Shared settings for the build and Wine runs; sourced, not run.
VANTORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VANTORA_BUILD="${VANTORA_BUILD:-$VANTORA_ROOT/build}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# The two Windows builds and what runs each:
#   win32: build/win32, vantora.exe, Wine's 32-bit loader in a 32-bit prefix;
#   win64: build/win64, vantora64.exe, wine64 in a 64-bit prefix, which also
#          runs 32-bit programs (under WOW64) where the host can run 32-bit code.
# Debian's "wine" wrapper picks the 32-bit loader whenever it is installed,
# even on a host whose kernel cannot run it, so the loaders are named outright.
vantora_use_arch() {
    local arch="$1" prefix="${2:-}"
    case "$arch" in
    win32)
        export WINEARCH=win32 WINEPREFIX="${prefix:-$VANTORA_BUILD/wineprefix}"
        export VANTORA_WINE=/usr/lib/wine/wine VANTORA_WINDOWS_BUILD="$VANTORA_BUILD/win32"
        export VANTORA_PROGRAM=vantora.exe VANTORA_TOOLCHAIN=mingw-i686 ;;
    win64)
        export WINEARCH=win64 WINEPREFIX="${prefix:-$VANTORA_BUILD/wineprefix64}"
        export VANTORA_WINE=/usr/lib/wine/wine64 VANTORA_WINDOWS_BUILD="$VANTORA_BUILD/win64"
        export VANTORA_PROGRAM=vantora64.exe VANTORA_TOOLCHAIN=mingw-x86_64 ;;
    *)
        echo "unknown Windows architecture: $arch" >&2
        return 1 ;;
    esac
    export VANTORA_ARCH="$arch" VANTORA_PREFIX_ARCH="$arch" WINELOADER="$VANTORA_WINE"
}

# A caller's prefix is kept only when it belongs to the same architecture.
vantora_enter_arch() {
    local keep=""
    if [ "${VANTORA_PREFIX_ARCH:-${VANTORA_ARCH:-win32}}" = "$1" ]; then
        keep="${WINEPREFIX:-}"
    fi
    vantora_use_arch "$1" "$keep"
}
vantora_enter_arch "${VANTORA_ARCH:-win32}"

# Whether this host's kernel runs 32-bit x86 code: a 32-bit Linux program of
# 96 bytes (ELF header, one program header, exit(42) through int 0x80) must
# run and say 42. Some kernels have their 32-bit emulation switched off, and
# then Wine cannot run any 32-bit Windows program. VANTORA_HOST_32BIT=no
# pretends such a host, to try the scripts' other path.
vantora_host_runs_32bit() {
    case "${VANTORA_HOST_32BIT:-}" in
    no) return 1 ;;
    yes) return 0 ;;
    esac
    local probe="$VANTORA_BUILD/probe-i386"
    mkdir -p "$VANTORA_BUILD"
    printf '%b' \
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
        '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
        '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' \
        >"$probe"
    chmod +x "$probe"
    local status=0
    "$probe" 2>/dev/null || status=$?
    [ "$status" -eq 42 ]
}

# Configures and builds one tree under build/: vantora_build DIR TOOLCHAIN
# [TARGET...]. TOOLCHAIN names a file in cmake/, or is empty for the host
# build under the sanitizers; without targets everything is built.
# VANTORA_CMAKE_OPTIONS adds options to the configuration.
vantora_build() {
    local dir="$1" toolchain="$2"
    shift 2
    local options=(-DVANTORA_SANITIZE=ON)
    if [ -n "$toolchain" ]; then
        options=(-DCMAKE_TOOLCHAIN_FILE="$VANTORA_ROOT/cmake/$toolchain.cmake")
    fi
    # shellcheck disable=SC2206 # options are words on purpose
    options+=(${VANTORA_CMAKE_OPTIONS:-})
    cmake -S "$VANTORA_ROOT" -B "$VANTORA_BUILD/$dir" "${options[@]}" >/dev/null
    local targets=() target
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake --build "$VANTORA_BUILD/$dir" -j "$(nproc)" "${targets[@]}"
}

# A Wine prefix inside the build tree, with the fonts Debian's Wine lacks.
vantora_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$VANTORA_WINE" wineboot --init >/dev/null 2>&1 || true
        # Xvfb has no window manager: Wine draws the frames itself and need
        # not wait for a manager to answer when a window maps.
        "$VANTORA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        "$VANTORA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "could not make the Wine prefix $WINEPREFIX with $VANTORA_WINE" >&2
        return 1
    fi
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/tahoma.ttf" ]; then
        cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    fi
}

# A persistent Wine server for the prefix, with Wine's services started
# detached from the caller's output: started by a test's program instead,
# they would hold that test's output open and CTest would wait forever.
# A server left over from an earlier run is replaced: it may not persist.
vantora_start_wine() {
    vantora_prepare_prefix || return 1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p
    "$VANTORA_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
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

# Waits up to $1 tenths of a second (default 100) for a visible window of
# Vantora's whose title starts with "Vantora, "; prints its X id.
vantora_wait_for_window() {
    local window="" tries="${1:-100}"
    for _ in $(seq "$tries"); do
        window=$(xdotool search --onlyvisible --name '^Vantora, ' 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

vantora_stop_display() {
    if [ -n "${VANTORA_XVFB_PID:-}" ]; then
        kill "$VANTORA_XVFB_PID" 2>/dev/null || true
        wait "$VANTORA_XVFB_PID" 2>/dev/null || true
    fi
}
