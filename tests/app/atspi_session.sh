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
. "$(dirname "$0")/../x_session.sh"
require_tools Xvfb dbus-run-session dbus-send
if [ -z "$LAUNCHER" ]; then
    echo "SKIP: at-spi2-core is not installed"
    exit 77
fi

start_xvfb
dbus-run-session -- "$0" --inside "$LAUNCHER" "$@"
