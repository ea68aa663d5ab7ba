#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset release
cmake --build --preset release --target torvelin
exec build/release/app/torvelin "$@"
