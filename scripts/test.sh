#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the project with its tests and the web page, and runs every test.
# Installs what the tests need first, the print service and its PDF printer's
# driver among them: the printing test runs a print service of its own and
# leaves the system's alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --preset debug
cmake --build --preset debug
# The web page, which its tests open in a browser.
scripts/web.sh build
status=0
ctest --preset debug "$@" || status=$?
# ctest shows a skipped test only as "Skipped"; each says why in its output.
awk '/^[0-9]+\/[0-9]+ Testing: / { test = $3 } /^SKIP: / { print test " skipped: " substr($0, 7) }' \
    build/debug/Testing/Temporary/LastTest.log
exit "$status"
