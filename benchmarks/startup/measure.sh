#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How fast the calculator's window opens, against a bare Qt Widgets window with
# as many controls, both built in Release and measured in the same run under
# Xvfb: the time until the window is mapped and the resident memory then.
# Prints the medians and the two ratios (the target is 1.15 or less).
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
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

probe() { build/startup/map_probe "$1"; }
# One warm-up each, so that both start from the same file cache.
probe build/bench/app/torvelin >/dev/null
probe build/startup/bare_window >/dev/null
for _ in $(seq "$runs"); do
    probe build/bench/app/torvelin >>"$work/torvelin"
    probe build/startup/bare_window >>"$work/bare"
done

median() { cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
report() {
    local what=$1 field=$2 unit=$3 ours bare
    ours=$(median "$work/torvelin" "$field")
    bare=$(median "$work/bare" "$field")
    awk -v what="$what" -v ours="$ours" -v bare="$bare" -v unit="$unit" 'BEGIN {
        printf "%-16s torvelin %8.1f %s   bare window %8.1f %s   ratio %.2f\n", what, ours, unit, bare, unit, ours / bare }'
}
echo "medians of $runs runs"
report "time to map" 1 ms
report "resident memory" 2 KiB
