#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Reads the calendars torvelin-calc writes back the way calendar programs do:
# with Debian's iCalendar parser for Python (reader), and by importing them
# into khal and listing its days (client). Everything is written in a
# temporary folder that is removed however the test ends; HOME and the XDG
# folders point into it, so nothing of the user's is read or written.
# Usage: calendar_test.sh TORVELIN_CALC reader|client
set -uo pipefail
program=$1
part=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP

# Debian's Python modules are under its own interpreter, whatever comes first on PATH.
python=/usr/bin/python3
if ! "$python" -c 'import icalendar' 2>/dev/null; then
    echo "SKIP: python3-icalendar is not installed (scripts/install-deps.sh test installs it)"
    exit 77
fi
if [[ $part == client ]] && ! command -v khal >/dev/null; then
    echo "SKIP: khal is not installed (scripts/install-deps.sh test installs it)"
    exit 77
fi
mkdir "$work/home"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
XDG_CACHE_HOME=$work/home/.cache \
    "$python" "$(dirname "$0")/calendar_test.py" "$program" "$work" "$part"
