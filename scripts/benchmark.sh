#!/usr/bin/env bash
# Builds the release preset and prints the benchmarks' figures: the Calculate
# step against a QDate baseline, how fast the window opens against a bare Qt
# window, then a batch of torvelin-calc against `date -f`. Extra arguments go
# to the Calculate benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake --preset release
cmake --build --preset release
build/release/benchmarks/calculate_benchmark "$@"
benchmarks/startup/measure.sh
benchmarks/batch/measure.sh
