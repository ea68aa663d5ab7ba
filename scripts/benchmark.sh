#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the bench preset (the release build with the benchmarks) and prints
# the benchmarks' figures: the court calendar and a whole deadline, the
# Calculate step against a QDate baseline, how fast the main and the deadline
# window open, each against a bare Qt window with the same controls, then a
# batch of torvelin-calc against `date -f`. Extra arguments go to the Calculate
# benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench web
cmake --preset bench
cmake --build --preset bench
build/bench/benchmarks/calendar_benchmark
build/bench/benchmarks/calculate_benchmark "$@"
benchmarks/startup/measure.sh
benchmarks/batch/measure.sh
scripts/web.sh build >/dev/null
/usr/bin/python3 benchmarks/web/measure.py build/web/site
