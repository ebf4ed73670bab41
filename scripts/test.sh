#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the core natively under
# the sanitizers, then the Windows tests (core, Win32, end to end) under Wine,
# then the core tests and one start of vantora.exe as built by clang.
set -euo pipefail
trap 'echo "test.sh: stopped by a failing command at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
. scripts/env.sh

# The second compiler sees other faults than GCC; a warning fails its build.
# Only what its tests run is built: the other executables cost minutes.
cmake -S "$VANTORA_ROOT" -B "$VANTORA_BUILD/clang" \
      -DCMAKE_TOOLCHAIN_FILE="$VANTORA_ROOT/cmake/clang-i686.cmake" \
      -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$VANTORA_BUILD/clang" -j "$(nproc)" --target core_tests vantora

status=0
ctest --test-dir "$VANTORA_BUILD/host" --output-on-failure || status=1

vantora_prepare_prefix
VANTORA_FORCE_XVFB=1 vantora_start_display
trap 'wineserver -k 2>/dev/null || true; vantora_stop_display' EXIT
wineserver -p   # one persistent server: each test process then starts quickly
# Start Wine's own services now, so they do not inherit CTest's output pipes.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
ctest --test-dir "$VANTORA_BUILD/win32" --output-on-failure || status=1

ctest --test-dir "$VANTORA_BUILD/clang" -R '^core_tests$' --output-on-failure || status=1
# The GCC build's end-to-end program drives clang's vantora.exe.
timeout 120 wine "$VANTORA_BUILD/win32/tests/e2e/e2e_tests.exe" --gtest_brief=1 \
    --gtest_filter='EndToEndTest.*' \
    "$VANTORA_BUILD/clang/src/app/vantora.exe" || status=1
exit $status
