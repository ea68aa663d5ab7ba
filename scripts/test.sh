#!/usr/bin/env bash
# Builds the project with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --preset debug
cmake --build --preset debug
ctest --preset debug "$@"
