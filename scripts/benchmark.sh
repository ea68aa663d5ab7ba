#!/usr/bin/env bash
# Builds the release preset and prints the benchmarks' figures: the Calculate
# step against a QDate baseline, then how fast the window opens against a bare
# Qt window. Extra arguments go to the Calculate benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake --preset release
cmake --build --preset release
build/release/benchmarks/calendar_benchmark
build/release/benchmarks/calculate_benchmark "$@"
benchmarks/startup/measure.sh
