#!/bin/bash
# Runs a command on X (Xvfb) with a session bus and the AT-SPI bus, as a desktop with a screen
# reader has them, so that programs started by the command publish their accessibility tree.
#
#   atspi_session.sh <command> [arguments...]
#
# Exit 77 (skipped) when Xvfb, dbus-run-session, dbus-send or at-spi2-core is missing.
set -u

if [ "${1:-}" = --inside ]; then
    # Inside the session bus: start the AT-SPI bus and wait until it answers.
    "$2" --launch-immediately &
    LAUNCHER_PID=$!
    trap 'kill $LAUNCHER_PID 2>/dev/null' EXIT
    for _ in $(seq 300); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
        sleep 0.1
    done
    shift 2
    "$@"
    exit $?
fi

LAUNCHER=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && LAUNCHER=$candidate
done
for tool in Xvfb dbus-run-session dbus-send; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
if [ -z "$LAUNCHER" ]; then
    echo "SKIP: at-spi2-core is not installed"
    exit 77
fi

# Xvfb picks a free display itself, so that parallel runs never race for one.
WORK=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 300); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
done
if [ ! -s "$WORK/display" ]; then
    echo "FAIL: Xvfb did not start"
    cat "$WORK/xvfb.log"
    exit 1
fi
export DISPLAY=":$(head -n1 "$WORK/display")"
dbus-run-session -- "$0" --inside "$LAUNCHER" "$@"
