#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The manual pages as the build writes them: each renders without a warning,
# and torvelin-calc's names every option its --help lists and the version its
# --version prints. Usage: manual_pages_test.sh PAGE_DIR TORVELIN_CALC
set -euo pipefail
pages=$1
calc=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT

# Prints the page as text, so wide that no line wraps and no option is split
# by a hyphen. A line too long for the terminal (Japanese has no spaces to
# break at) is no fault of the page; any other warning is.
render() {
    LC_ALL=C.UTF-8 MANWIDTH=1000 man --warnings -E UTF-8 -l "$1" 2>"$warnings" | sed 's/[‐−]/-/g'
    if grep -v -e "can't break line" -e 'cannot adjust line' "$warnings" >&2; then
        fail "$(basename "$1") renders with warnings"
    fi
}

[[ -s $pages/torvelin-calc.1.gz ]] || fail "torvelin-calc.1.gz was not written"
for page in "$pages"/*.1.gz; do
    render "$page" >/dev/null
done

text=$(render "$pages/torvelin-calc.1.gz")
options=$("$calc" --help | { grep -o -E -- '(^|[[:space:],[])--?[[:alpha:]][[:alnum:]-]*' || true; } |
          sed 's/^[^-]*//' | sort -u)
for option in $options; do
    grep -q -F -e "$option" <<<"$text" || fail "torvelin-calc.1 does not name $option"
done
version=$("$calc" --version | head -1)
grep -q -F -e "$version" <<<"$text" || fail "torvelin-calc.1 does not name '$version'"
echo "PASS: the pages render; torvelin-calc.1 names $version and the options:" $options
