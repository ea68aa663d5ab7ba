#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the real program on an X server and looks at its window as a user
# would: caption, size, colours; then closes it with its Close button.
# Usage: xvfb_smoke_test.sh PROGRAM
set -euo pipefail
TORVELIN=$1
source "$(dirname "$0")/xvfb_session.sh"

start_x_server
start_program
[[ $(xdotool getwindowname "$window") == "$caption" ]] || fail "caption"
read_geometry
[[ "${width}x${height}" == 406x333 ]] || fail "client area ${width}x${height}, expected 406x333"

# Give the window time to paint, then look at it.
sleep 2
import -window root "$work/screen.png"
at() { pixel "$work/screen.png" $((left + $1)) $((top + $2)); }
[[ $(at 395 140) == 192,192,192 ]] || fail "Label13 is $(at 395 140), expected grey"
[[ $(at 100 3) == 0,0,192 ]] || fail "background above the labels is $(at 100 3)"
[[ $(at 403 130) == 0,0,192 ]] || fail "background right of Label13 is $(at 403 130)"
[[ $(at 200 250) == 0,0,192 ]] && fail "no Print button where it stands"

click_at 360 300  # Close
status=0
timeout 30 tail --pid="$program" -f /dev/null || fail "Close did not end the program"
wait "$program" || status=$?
[[ $status -eq 0 ]] || fail "exit status $status after Close"
echo "PASS"
