#!/usr/bin/env bash
# Vantora beside Wine's task manager at rest, each alone in one fresh Wine
# prefix of its own (build/wineprefix-idle-<arch>): Vantora with auto refresh
# on and explorer.exe selected, as a user selects it (the process list takes
# the focus, the name is typed), then taskmgr at its default refresh. For
# each it records, over the same window, the CPU seconds of its process and
# of the Wine server (under Wine most of a snapshot's and a memory read's
# work runs in the server; each program runs alone, so the server's share is
# its own), its resident memory at the end and the time to its visible
# window; then the medians of the runs and the ratio of the CPU per second,
# process and server together. The server alone, with neither program
# running, is measured beside them for reference. Written to
# build/bench-idle.json.
#
#     scripts/bench-idle.sh [--runs N] [--seconds S] [--program path-to-exe]
#
# Three runs of 60 s by default; --program measures another build of the
# program the host runs (to compare before and after a change).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=3
seconds=60
program=""
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --program) program="$(realpath "$2")"; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--seconds S] [--program path-to-exe]" >&2; exit 2 ;;
    esac
done

bash scripts/install-deps.sh
. scripts/env.sh

not_run=()
if vantora_host_runs_32bit; then
    arch=win32
    not_run+=("vantora64.exe: the 32-bit program is the one measured where the host runs 32-bit code")
else
    arch=win64
    not_run+=("vantora.exe and the 32-bit taskmgr: this host's kernel does not run 32-bit x86 code")
    echo "bench-idle: this host's kernel does not run 32-bit x86 code: measuring the 64-bit program." >&2
fi
vantora_use_arch "$arch" "$VANTORA_BUILD/wineprefix-idle-$arch"
vantora_build "$VANTORA_ARCH" "$VANTORA_TOOLCHAIN" vantora window_texts >/dev/null
exe="${program:-$VANTORA_WINDOWS_BUILD/src/app/$VANTORA_PROGRAM}"
texts="$VANTORA_WINDOWS_BUILD/bench/window_texts.exe"
json="$VANTORA_BUILD/bench-idle.json"

# A fresh prefix: nothing of an earlier run is left to work in the background.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
vantora_prepare_prefix
taskmgr="$WINEPREFIX/drive_c/windows/system32/taskmgr.exe"

VANTORA_FORCE_XVFB=1 vantora_start_display
running=""
cleanup() {
    if [ -n "$running" ]; then
        kill "$running" 2>/dev/null || true
    fi
    wineserver -k 2>/dev/null || true
    vantora_stop_display
}
trap cleanup EXIT
vantora_start_wine

# The server of this prefix: the wineserver whose working directory is the
# prefix's server directory, named after the prefix's device and inode.
server_dir="server-$(stat -c '%D' "$WINEPREFIX" | sed 's/^0*//')-$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")"
server=""
for proc in /proc/[0-9]*; do
    case "$(readlink "$proc/cwd" 2>/dev/null || true)" in
    */"$server_dir")
        case "$(readlink "$proc/exe" 2>/dev/null || true)" in
        *wineserver*) server="${proc#/proc/}" ;;
        esac ;;
    esac
done
if [ -z "$server" ]; then
    echo "bench-idle: could not find the Wine server of $WINEPREFIX" >&2
    exit 1
fi

"$VANTORA_WINE" reg add 'HKCU\Software\Morvane\Vantora\Preferences' /v AutoRefresh /t REG_SZ /d 1 /f \
    >/dev/null 2>&1 </dev/null

# CPU time of a process in clock ticks (user and system, all its threads);
# the name field may hold spaces, so the fields are counted after it.
ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}
hz="$(getconf CLK_TCK)"
now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Starts a program and waits for its visible window: sets pid and
# window_ms, or fails after 30 s.
start() {
    local path="$1" title="$2" started
    started="$(now_ms)"
    "$VANTORA_WINE" "$path" >/dev/null 2>&1 </dev/null &
    pid=$!
    running="$pid"
    for _ in $(seq 600); do
        if xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; then
            window_ms=$(($(now_ms) - started))
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    echo "bench-idle: no window of $path appeared" >&2
    return 1
}

stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    running=""
    # Wine's desktop process goes with the last program that had a window.
    sleep 3
}

# The process list takes the focus from the window (Tab), then typing a
# name selects its row; explorer.exe is listed at the latest after the
# first automatic refresh. Waits for the summary to name it.
select_explorer() {
    xdotool key Tab
    for _ in $(seq 15); do
        xdotool type --delay 60 explorer
        if "$VANTORA_WINE" "$texts" 'Vantora, ' </dev/null 2>/dev/null | tr -d '\r' |
            grep -q '^Executable file name: \(.*\\\)\?explorer\.exe'; then
            return 0
        fi
        # A pause, so the next typing starts over.
        sleep 1.5
    done
    echo "bench-idle: explorer.exe could not be selected in Vantora" >&2
    return 1
}

# One measured window: "cpu_s server_s rss_kib window_ms load".
measure() {
    sleep 2
    local cpu0 server0 cpu1 server1 load
    load="$(cut -d' ' -f1 /proc/loadavg)"
    cpu0="$(ticks "$pid")"
    server0="$(ticks "$server")"
    sleep "$seconds"
    cpu1="$(ticks "$pid")"
    server1="$(ticks "$server")"
    rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")"
    awk -v c=$((cpu1 - cpu0)) -v s=$((server1 - server0)) -v hz="$hz" -v r="$rss" -v w="$window_ms" -v l="$load" \
        'BEGIN { printf "%.2f %.2f %d %d %s\n", c / hz, s / hz, r, w, l }'
}

# The server with neither program running.
measure_server_alone() {
    local server0 server1 load
    load="$(cut -d' ' -f1 /proc/loadavg)"
    server0="$(ticks "$server")"
    sleep "$seconds"
    server1="$(ticks "$server")"
    awk -v s=$((server1 - server0)) -v hz="$hz" -v l="$load" 'BEGIN { printf "%.2f %s\n", s / hz, l }'
}

vantora_runs=()
taskmgr_runs=()
alone_runs=()
# Once each unmeasured, so that neither pays for a cold start.
start "$exe" '^Vantora, ' && stop
start "$taskmgr" '^Task Manager$' && stop
for run in $(seq "$runs"); do
    start "$exe" '^Vantora, '
    select_explorer
    vantora_runs+=("$(measure)")
    stop
    echo "bench-idle: run $run, $(basename "$exe"): ${vantora_runs[-1]}" >&2
    start "$taskmgr" '^Task Manager$'
    taskmgr_runs+=("$(measure)")
    stop
    echo "bench-idle: run $run, taskmgr.exe: ${taskmgr_runs[-1]}" >&2
    alone_runs+=("$(measure_server_alone)")
    echo "bench-idle: run $run, server alone: ${alone_runs[-1]}" >&2
done

# The median of one column of a program's runs.
median() {
    local column="$1"
    shift
    printf '%s\n' "$@" | awk -v c="$column" '{ print $c }' | sort -g |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One program's runs and medians as JSON.
program_json() {
    local name="$1"
    shift
    local first=1 line cpu server rss window load
    printf '    "%s": {\n      "runs": [' "$name"
    for line in "$@"; do
        read -r cpu server rss window load <<<"$line"
        [ $first -eq 1 ] || printf ','
        first=0
        printf '\n        {"cpu_s": %s, "server_cpu_s": %s, "rss_kib": %s, "window_ms": %s, "load": %s}' \
            "$cpu" "$server" "$rss" "$window" "$load"
    done
    cpu="$(median 1 "$@")"
    server="$(median 2 "$@")"
    local total
    total="$(printf '%s\n' "$@" | awk '{ print $1 + $2 }' | sort -g |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"
    awk -v c="$cpu" -v s="$server" -v t="$total" -v r="$(median 3 "$@")" -v w="$(median 4 "$@")" -v n="$seconds" \
        'BEGIN { printf "\n      ],\n      \"median\": {\"cpu_s\": %s, \"server_cpu_s\": %s, \"cpu_per_s\": %.4f, \"server_cpu_per_s\": %.4f, \"total_cpu_per_s\": %.4f, \"rss_kib\": %d, \"window_ms\": %d}\n    }", c, s, c / n, s / n, t / n, r, w }'
}

vantora_total="$(printf '%s\n' "${vantora_runs[@]}" | awk '{ print $1 + $2 }' | sort -g |
    awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"
taskmgr_total="$(printf '%s\n' "${taskmgr_runs[@]}" | awk '{ print $1 + $2 }' | sort -g |
    awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"
ratio="$(awk -v v="$vantora_total" -v t="$taskmgr_total" 'BEGIN { printf "%.3f", (t > 0 ? v / t : 0) }')"
met="$(awk -v r="$ratio" 'BEGIN { print (r <= 0.5) ? "true" : "false" }')"
alone="$(median 1 "${alone_runs[@]}")"

{
    printf '{\n  "what": "CPU at rest: %s with auto refresh on and explorer.exe selected, and Wine taskmgr at its default refresh, each alone in one fresh prefix",\n' \
        "$(basename "$exe")"
    printf '  "wine": "%s",\n  "seconds": %s,\n  "runs": %s,\n' "$("$VANTORA_WINE" --version 2>/dev/null)" "$seconds" "$runs"
    printf '  "not_run": ['
    first=1
    for item in "${not_run[@]}"; do
        [ $first -eq 1 ] || printf ', '
        first=0
        printf '"%s"' "$item"
    done
    printf '],\n  "programs": {\n'
    program_json "$(basename "$exe")" "${vantora_runs[@]}"
    printf ',\n'
    program_json "taskmgr.exe" "${taskmgr_runs[@]}"
    printf '\n  },\n  "server_alone_cpu_s": %s,\n' "$alone"
    printf '  "ratio": %s,\n  "target": "at most 0.5 of taskmgr'"'"'s CPU per second, process and server together",\n  "met": %s\n}\n' \
        "$ratio" "$met"
} >"$json"

echo "CPU per second, process and server together: $(basename "$exe") $(awk -v v="$vantora_total" -v n="$seconds" 'BEGIN { printf "%.4f", v / n }')," \
    "taskmgr $(awk -v t="$taskmgr_total" -v n="$seconds" 'BEGIN { printf "%.4f", t / n }'): ratio $ratio (at most 0.5: $([ "$met" = true ] && echo met || echo MISSED))"
for item in "${not_run[@]}"; do
    echo "not run: $item"
done
echo "written: $json"
