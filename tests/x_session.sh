# shellcheck shell=bash
# Sourced by the tests that run the program on an X server of their own: a work folder ($WORK)
# removed at exit, the program ($APP_PID) and Xvfb stopped; fail() shows $WORK/quorvix.log.

# Exit 77 (skipped) when a tool is missing.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

WORK=$(mktemp -d)
XVFB_PID=
APP_PID=
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$WORK/quorvix.log" ] && sed 's/^/  quorvix: /' "$WORK/quorvix.log"
    exit 1
}

# Runs the command every 0.1 s until it succeeds, for at most 30 s (a busy machine is slow).
wait_until() {
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

program_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }

# Xvfb picks a free display itself, so that parallel runs never race for one.
display_given() { [ -s "$WORK/display" ]; }
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    wait_until display_given || { cat "$WORK/xvfb.log"; fail "Xvfb did not start"; }
    export DISPLAY=":$(head -n1 "$WORK/display")"
}
