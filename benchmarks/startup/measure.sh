#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How fast the calculator's two windows open, each against a bare Qt Widgets
# window with the same controls, all built in Release and measured in the same
# run under Xvfb: the time until the window is mapped and the resident memory
# then. The main window (torvelin) is set against bare_window, the deadline
# window (torvelin --deadline) against bare_deadline_window. Prints the medians
# and the ratios (the targets are 1.15 or less for the main window, 1.2 or less
# for the deadline window).
# Usage: benchmarks/startup/measure.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-15}

scripts/install-deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench --target torvelin >/dev/null
cmake -S benchmarks/startup -B build/startup -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/startup >/dev/null

work=$(mktemp -d)
xvfb=
cleanup() { [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
# Xvfb, given time on a busy machine, and tried again if it does not answer;
# what it said is shown when it never does. -noreset: by default the server
# resets as its last client leaves, and a probe that connects meanwhile finds
# no display; each probe is the only client.
start_x_server() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 300); do
        [[ -s "$work/display" ]] && break
        kill -0 "$xvfb" 2>/dev/null || return 1
        sleep 0.1
    done
    [[ -s "$work/display" ]] || return 1
    export DISPLAY=":$(head -1 "$work/display")"
    xdpyinfo >/dev/null 2>&1
}
for attempt in 1 2 3; do
    start_x_server && break
    kill "$xvfb" 2>/dev/null || true
    xvfb=
    [[ $attempt -lt 3 ]] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
done
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Each window by a name for its figures, and the command that opens it.
declare -A commands=(
    [main]="build/bench/app/torvelin"
    [bare]="build/startup/bare_window"
    [deadline]="build/bench/app/torvelin --deadline"
    [bare_deadline]="build/startup/bare_deadline_window"
)
order=(main bare deadline bare_deadline)
# shellcheck disable=SC2086  # a command is its words
probe() { build/startup/map_probe ${commands[$1]}; }
# One warm-up each, so that all start from the same file cache; then the runs
# take turns, so that a busy moment of the machine falls on all alike.
for name in "${order[@]}"; do probe "$name" >/dev/null; done
for _ in $(seq "$runs"); do
    for name in "${order[@]}"; do probe "$name" >>"$work/$name"; done
done

median() { cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
report() {
    local what=$1 field=$2 unit=$3 ours=$4 bare=$5 label=$6
    ours=$(median "$work/$ours" "$field")
    bare=$(median "$work/$bare" "$field")
    awk -v what="$what" -v ours="$ours" -v bare="$bare" -v unit="$unit" -v label="$label" 'BEGIN {
        printf "%-16s torvelin %8.1f %s   %s %8.1f %s   ratio %.2f\n", what, ours, unit, label, bare, unit, ours / bare }'
}
echo "medians of $runs runs"
echo "main window (torvelin) against bare_window"
report "time to map" 1 ms main bare "bare window"
report "resident memory" 2 KiB main bare "bare window"
echo "deadline window (torvelin --deadline) against bare_deadline_window"
report "time to map" 1 ms deadline bare_deadline "bare window"
report "resident memory" 2 KiB deadline bare_deadline "bare window"
