#!/usr/bin/env bash
# Builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset release -DTORVELIN_BUILD_BENCHMARKS=OFF
cmake --build --preset release --target torvelin
exec build/release/app/torvelin "$@"
