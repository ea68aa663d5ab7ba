#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package build/release/torvelin_<version>_<arch>.deb and
# checks it with lintian, which must find no error and no warning.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
cmake --preset release
cmake --build --preset release
rm -f build/release/torvelin_*.deb
(cd build/release && cpack -G DEB)
deb=$(ls build/release/torvelin_*.deb)
lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "$deb"
