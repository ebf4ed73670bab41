#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test this host can run:
# the core natively under the sanitizers; for the 64-bit build under wine64
# the core, Win32, end-to-end and high-dpi suites; where the host runs 32-bit
# code the same for the 32-bit build and the 64-bit program's view of a
# 32-bit process (WOW64); then the core tests and one start of the program as
# built by clang. Both programs are always built. The last line says which
# suites ran and which were left out, and why.
set -Eeuo pipefail
trap 'echo "test.sh: stopped by a failing command at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
. scripts/env.sh

status=0
ran=()
left=()
# Runs a suite: its name, then its command; notes how it ended.
suite() {
    local name="$1"
    shift
    if "$@"; then
        ran+=("$name")
    else
        ran+=("$name (FAILED)")
        status=1
    fi
}

host32=""
if vantora_host_runs_32bit; then
    host32=yes
    no32=""
else
    no32="this host's kernel does not run 32-bit x86 code"
    echo "test.sh: $no32; the 32-bit suites are left out, vantora.exe is only built" >&2
fi

# Only what the suites that can run here need: the other executables cost minutes.
vantora_build host ""
vantora_build win64 mingw-x86_64
if [ -n "$host32" ]; then
    vantora_build win32 mingw-i686
    clang_arch=i686 clang_dir=clang
else
    vantora_build win32 mingw-i686 vantora
    clang_arch=x86_64 clang_dir=clang64
fi
# The second compiler sees other faults than GCC; a warning fails its build.
VANTORA_CMAKE_OPTIONS=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    vantora_build "$clang_dir" "clang-$clang_arch" core_tests vantora

suite "host core" ctest --test-dir "$VANTORA_BUILD/host" --output-on-failure

VANTORA_FORCE_XVFB=1 vantora_start_display
servers=()
trap 'for p in "${servers[@]}"; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done; vantora_stop_display' EXIT

# One persistent server per prefix: each test process then starts quickly.
# Wine's own services start first, so they do not inherit CTest's output pipes.
start_wine() {
    vantora_use_arch "$1"
    servers+=("$WINEPREFIX")
    vantora_start_wine
}

# The 64-bit program's view of a 32-bit child: passes, fails, or says why
# this system cannot show it.
wow64_case() {
    local log="$VANTORA_BUILD/wow64.log" result=0
    VANTORA_WOW64_CHILD_DIR="$("$VANTORA_WINE" winepath -w "$VANTORA_BUILD/win32/tests/win32" 2>/dev/null)" \
        timeout 120 "$VANTORA_WINE" "$VANTORA_BUILD/win64/tests/win32/win32_tests.exe" --gtest_brief=1 \
        --gtest_filter='*Wow64*' 2>&1 </dev/null | tr -d '\r' >"$log" || result=$?
    cat "$log"
    # A filter that matches nothing passes in GoogleTest: that is no run.
    if [ "$result" -eq 0 ] && ! grep -Eq '^\[==========\] [1-9][0-9]* tests? from .* ran' "$log"; then
        echo "test.sh: the WOW64 filter ran no test" >&2
        result=1
    fi
    if [ "$result" -eq 0 ] && grep -q '^\[  SKIPPED \]' "$log"; then
        wow64_note="WOW64 (skipped by the test: $(grep -A1 ': Skipped$' "$log" | tail -n 1))"
    fi
    return "$result"
}

start_wine win64
suite "64-bit core, Win32, end to end, high dpi" ctest --test-dir "$VANTORA_WINDOWS_BUILD" --output-on-failure
wow64_note=""
if [ -n "$host32" ]; then
    if ! wow64_case; then
        ran+=("WOW64 (FAILED)")
        status=1
    elif [ -n "$wow64_note" ]; then
        left+=("$wow64_note")
    else
        ran+=("WOW64")
    fi
else
    left+=("WOW64 ($no32)")
fi

if [ -n "$host32" ]; then
    start_wine win32
    suite "32-bit core, Win32, end to end, high dpi" ctest --test-dir "$VANTORA_WINDOWS_BUILD" --output-on-failure
else
    left+=("32-bit core, Win32, end to end, high dpi ($no32)")
fi

# clang's build of the program the host runs: its core tests, and the GCC
# build's end-to-end program driving clang's executable.
clang_suites() {
    local gcc_build="$VANTORA_WINDOWS_BUILD" exe result=0
    exe="$(ls "$VANTORA_BUILD/$clang_dir/src/app/"vantora*.exe)"
    ctest --test-dir "$VANTORA_BUILD/$clang_dir" -R '^core_tests$' --output-on-failure || result=1
    timeout 120 "$VANTORA_WINE" "$gcc_build/tests/e2e/e2e_tests.exe" --gtest_brief=1 \
        --gtest_filter='EndToEndTest.*' "$exe" </dev/null || result=1
    return "$result"
}
suite "clang $clang_arch core, end to end" clang_suites
if [ -z "$host32" ]; then
    left+=("clang i686 ($no32, so clang built the x86-64 program instead)")
fi

joined() {
    local first="$1" item
    shift
    printf '%s' "$first"
    for item in "$@"; do
        printf '; %s' "$item"
    done
}
summary="test.sh: ran: $(joined "${ran[@]}")"
if [ ${#left[@]} -gt 0 ]; then
    summary+=". Left out: $(joined "${left[@]}")"
fi
echo "$summary."
exit $status
