#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a window test where Qt tells screen readers what happens: on an X
# server, with a session bus and an accessibility bus of the test's own, as a
# desktop has them when a screen reader runs. All of them end with the test.
# Usage: screen_reader_test.sh WINDOW_TEST TEST_FUNCTION
set -euo pipefail
source "$(dirname "$0")/xvfb_session.sh"

start_x_server
export XDG_RUNTIME_DIR=$work/buses
mkdir -m 700 "$XDG_RUNTIME_DIR"
setpriv --pdeathsig TERM -- dbus-daemon --session --nofork --nosyslog \
    --address="unix:path=$XDG_RUNTIME_DIR/session" --print-address=3 3>"$work/session-bus" &
pids+=($!)
for _ in $(seq 100); do
    [[ -s "$work/session-bus" ]] && break
    sleep 0.1
done
[[ -s "$work/session-bus" ]] || fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/session-bus")
setpriv --pdeathsig TERM -- /usr/libexec/at-spi-bus-launcher >"$work/at-spi.log" 2>&1 &
pids+=($!)
# Qt asks the session bus for the accessibility bus; as if a screen reader ran.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$1" "$2"
