#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Wall time of the real program's start: from launching the binary to its main window being
# mapped on a virtual X screen, and its resident memory a second later. Needs Xvfb and xdotool.
#
#   bench/startup.sh [path/to/kurvanto] [runs]     (defaults: build/kurvanto, 10 runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/kurvanto}")
runs=${2:-10}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing" >&2; exit 2; }
done
[ -x "$program" ] || { echo "startup.sh: no program at $program" >&2; exit 2; }

# A virtual screen of our own: Xvfb picks a free display number itself and tells it. It must
# not reset when the last program leaves, or the next one may find no server to talk to.
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
log=$(mktemp)
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$log"' EXIT
read -r -t 10 number <&3 || { echo "startup.sh: Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Polls for a visible window of the process every 5 ms, for at most 20 seconds.
wait_mapped() {
    local pid=$1 deadline=$(( $(now_ms) + 20000 ))
    while [ "$(now_ms)" -lt "$deadline" ]; do
        if xdotool search --onlyvisible --pid "$pid" --name 'Kurvanto' >/dev/null 2>&1; then
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.005
    done
    return 1
}

times=()
for run in $(seq 1 "$runs"); do
    started=$(now_ms)
    "$program" >"$log" 2>&1 &
    pid=$!
    if ! wait_mapped "$pid"; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        echo "run $run: the main window did not come up; the program said:" >&2
        cat "$log" >&2
        exit 1
    fi
    elapsed=$(( $(now_ms) - started ))
    times+=("$elapsed")
    sleep 1
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "run $run: window mapped after $elapsed ms, resident $(( rss / 1024 )) MiB"
done

sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start-up to window mapped over $runs runs: min ${sorted[0]} ms," \
     "median ${sorted[$(( runs / 2 ))]} ms, max ${sorted[$(( runs - 1 ))]} ms"
