#!/usr/bin/env bash
# Fuzzes one core target for a while: ./scripts/fuzz.sh <target> <seconds>
# Targets: ParseIntText PeProbe RegistryValue ToolbarLayout. Runs on a copy
# of the seed corpus, so findings stay out of the repository until copied in;
# a crashing input is left in the run folder, printed at the end.
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 <target> <seconds>" >&2
    exit 2
fi
target="$1"
seconds="$2"
. "$(dirname "$0")/env.sh"

if ! command -v clang++ >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        clang libclang-rt-14-dev >/dev/null
fi

build="$VANTORA_BUILD/fuzz"
seeds="$VANTORA_ROOT/tests/fuzz/corpus/$target"
if [ ! -d "$seeds" ]; then
    echo "no such target: $target" >&2
    exit 2
fi
cmake -S "$VANTORA_ROOT" -B "$build" -DVANTORA_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target "fuzz_$target" -j "$(nproc)"

run="$(mktemp -d "$build/run-$target-XXXXXX")"
mkdir "$run/corpus"
cp "$seeds"/* "$run/corpus/"
echo "fuzzing $target for $seconds s in $run"
cd "$run"
status=0
"$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$run/" corpus || status=$?
shopt -s nullglob
findings=("$run"/crash-* "$run"/leak-* "$run"/timeout-* "$run"/oom-* "$run"/slow-unit-*)
if [ ${#findings[@]} -gt 0 ]; then
    printf 'finding: %s\n' "${findings[@]}"
fi
exit $status
