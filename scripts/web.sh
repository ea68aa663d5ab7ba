#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the web page into build/web/site/ (index.html beside everything it
# needs: the core compiled to WebAssembly by Debian's Emscripten, inside
# core.js) and opens it in the user's browser; with `build`, only builds it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh site
# Debian's Emscripten finds its JavaScript tools (acorn) only there.
export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web
site=build/web/site
case "${1:-open}" in
    build) echo "$site/index.html" ;;
    open) exec xdg-open "$site/index.html" ;;
    *) echo "usage: scripts/web.sh [build]" >&2; exit 2 ;;
esac
