# SPDX-License-Identifier: MIT
# Sourced by the tests that run the real program on a real X server: starts
# Xvfb on a free display and the program on it, and cleans both up on exit.
# Needs TORVELIN (the program's path).

caption='Torvelin・終期日表示版'
pids=()
work=$(mktemp -d)
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "FAIL: command failed at line $LINENO of $(basename "$0")" >&2' ERR

fail() { echo "FAIL: $*" >&2; exit 1; }

start_x_server() {
    # Xvfb and the program end with the test even when it is killed outright.
    setpriv --pdeathsig TERM -- Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.1
    done
    [[ -s "$work/display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -1 "$work/display")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # Without one, Qt makes /tmp/runtime-$USER and leaves it behind.
    if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
        export XDG_RUNTIME_DIR=$work/runtime
        mkdir -m 700 "$XDG_RUNTIME_DIR"
    fi
}

# Starts the program and sets `window` to its mapped top-level window.
start_program() {
    setpriv --pdeathsig TERM -- "$TORVELIN" >"$work/program.log" 2>&1 &
    program=$!
    pids+=("$program")
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^${caption}\$" | head -1) ||
        fail "the window did not appear: $(cat "$work/program.log")"
}

# The window's geometry: sets left, top, width and height.
read_geometry() {
    local info
    info=$(xwininfo -id "$window")
    left=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
    top=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    width=$(awk '/^  Width:/ { print $2 }' <<<"$info")
    height=$(awk '/^  Height:/ { print $2 }' <<<"$info")
}

# Clicks at a point given in the window's logical pixels.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

# The colour of a pixel of an image, as r,g,b.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Whether two r,g,b colours differ by at most 24 in each component (printed
# images may pass through lossy compression).
near() {
    local IFS=,
    local -a a=($1) b=($2)
    for i in 0 1 2; do
        (( ${a[i]} - ${b[i]} <= 24 && ${b[i]} - ${a[i]} <= 24 )) || return 1
    done
}
