#!/usr/bin/env bash
# Builds the Debian package build/release/torvelin_1.00_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
cmake --preset release -DTORVELIN_BUILD_BENCHMARKS=OFF
cmake --build --preset release
(cd build/release && cpack -G DEB)
ls build/release/torvelin_*.deb
