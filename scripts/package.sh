#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package build/release/torvelin_<version>_<arch>.deb and
# checks it with lintian, which must find no error and no warning; then the
# web page alone as build/release/torvelin-web-<version>.zip, a folder whose
# index.html is the whole program wherever it is unzipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
scripts/web.sh build >/dev/null
cmake --preset release
cmake --build --preset release
rm -f build/release/torvelin_*.deb
(cd build/release && cpack -G DEB)
deb=$(ls build/release/torvelin_*.deb)
lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)
version=$(sed -n 's/^project(Torvelin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=build/release/torvelin-web-$version.zip
rm -f build/release/torvelin-web-*.zip
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp -r build/web/site "$staging/torvelin-web-$version"
(cd "$staging" && zip -q -r -X "$OLDPWD/$zip" "torvelin-web-$version")
echo "$deb"
echo "$zip"
