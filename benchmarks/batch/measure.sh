#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How fast torvelin-calc answers a batch, against GNU `date -f` converting the
# same dates, both run from this script in the same run: 300,000 dates (the
# target is torvelin-calc at least 3 times faster), then 3,000,000 to show
# that the peak resident memory stays flat whatever the input size. Then the
# deadline batch on the same 300,000 dates with a period of ten days, for each
# calendar and as records (the target is at least 10 times faster).
# torvelin-calc works out START + 120 days, or the deadline, for each line;
# `date -f` only reads each date and prints it back as yyyy/mm/dd.
# Prints the median wall time of RUNS runs, the ratio and the peak RSS.
# Usage: benchmarks/batch/measure.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-3}

scripts/install-deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench --target torvelin-calc >/dev/null
calc=build/bench/cli/torvelin-calc

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Dates spread over a century, the same for every run of this script.
awk 'BEGIN { srand(7); for (i = 0; i < 300000; i++) { d = int(rand() * 36500)
    printf "%04d/%02d/%02d\n", 1950 + int(d / 365), 1 + int(d / 31) % 12, 1 + d % 28 } }' \
    >"$work/dates-300k"
for _ in $(seq 10); do cat "$work/dates-300k"; done >"$work/dates-3M"
for size in 300k 3M; do
    awk '{ print $0 "\t120" }' "$work/dates-$size" >"$work/batch-$size"
done
awk '{ print $0 "\t10日" }' "$work/dates-300k" >"$work/deadlines-300k"

# Prints "SECONDS KIB": the median wall time of the runs and the peak RSS.
# Each run reads the file named by $input (none by default) as standard input.
# The timed runs start the command itself: under /usr/bin/time each would also
# count that program's own start, some 6 ms here, which is 7% of a batch of
# 0.09 s and under 1% of date's second. The peak RSS is taken in one more run,
# under /usr/bin/time.
measure() {
    local times=() start end
    for _ in $(seq "$runs"); do
        start=$EPOCHREALTIME
        "$@" <"${input:-/dev/null}" >/dev/null
        end=$EPOCHREALTIME
        times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')")
    done
    /usr/bin/time -f %M -o "$work/rss" "$@" <"${input:-/dev/null}" >/dev/null
    printf '%s\n' "${times[@]}" | sort -n | awk -v peak="$(tail -1 "$work/rss")" \
        '{ v[NR] = $1 } END { printf "%s %d\n", v[int((NR + 1) / 2)], peak }'
}

echo "median wall time of $runs runs; peak resident memory of one run more"
for size in 300k 3M; do
    read -r ours our_rss < <(measure "$calc" "$work/batch-$size")
    read -r theirs their_rss < <(measure date -f "$work/dates-$size" +%Y/%m/%d)
    awk -v size="$size" -v ours="$ours" -v theirs="$theirs" -v our_rss="$our_rss" \
        -v their_rss="$their_rss" 'BEGIN {
        printf "%4s lines   torvelin-calc %7.3f s %6d KiB   date -f %7.3f s %6d KiB   %.1f times faster\n",
            size, ours, our_rss, theirs, their_rss, theirs / ours }'
done
read -r theirs their_rss < <(measure date -f "$work/dates-300k" +%Y/%m/%d)
for options in "" "--closed=bank" "--closed=none" "--long" "--format=csv" "--format=json"; do
    # shellcheck disable=SC2086 # the options are words
    read -r ours our_rss < <(input="$work/deadlines-300k" measure "$calc" deadline $options)
    awk -v options="${options:-(court)}" -v ours="$ours" -v theirs="$theirs" -v our_rss="$our_rss" \
        'BEGIN { printf "300k deadlines %-14s %7.3f s %6d KiB   %.1f times faster than date -f\n",
            options, ours, our_rss, theirs / ours }'
done
