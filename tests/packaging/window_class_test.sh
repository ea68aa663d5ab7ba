#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Docks tie a window to its launcher by the window's class: the desktop
# entry's StartupWMClass must be what the running program sets.
# Usage: window_class_test.sh PROGRAM DESKTOP_ENTRY
set -euo pipefail
TORVELIN=$1
entry=$2
source "$(dirname "$0")/../window/xvfb_session.sh"

expected=$(sed -n 's/^StartupWMClass=//p' "$entry")
[[ -n $expected ]] || fail "the desktop entry has no StartupWMClass"
start_x_server
start_program
class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
[[ "$class" == "$expected" ]] || fail "the window's class is '$class', the desktop entry says '$expected'"
echo "PASS: WM_CLASS $class"
