#!/bin/bash
# Runs the accessibility widget tests on X (Xvfb) with a session bus and the AT-SPI bus, where
# Qt's accessibility bridge is active and hands every update to the test's handler (the
# offscreen platform has no bridge, so there they are skipped).
#
#   accessibility_bridge.sh <app_tests>
#
# Exit 77 (skipped) when xvfb-run, dbus-run-session, dbus-send or at-spi2-core is missing.
set -u

if [ "${1:-}" = --inside ]; then
    # Inside the session bus: start the AT-SPI bus and wait until it answers.
    "$2" --launch-immediately &
    LAUNCHER_PID=$!
    trap 'kill $LAUNCHER_PID 2>/dev/null' EXIT
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
        sleep 0.1
    done
    LOG=$(mktemp)
    "$3" --gtest_filter='AccessibilityTest.*' >"$LOG" 2>&1
    STATUS=$?
    cat "$LOG"
    if grep -q '^\[  SKIPPED \]' "$LOG"; then
        echo "FAIL: the accessibility bridge was not active"
        STATUS=1
    fi
    rm -f "$LOG"
    exit $STATUS
fi

LAUNCHER=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && LAUNCHER=$candidate
done
for tool in xvfb-run dbus-run-session dbus-send; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
if [ -z "$LAUNCHER" ]; then
    echo "SKIP: at-spi2-core is not installed"
    exit 77
fi

# Qt's bridge turns itself on when a screen reader asks; here it is asked to be always on.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec xvfb-run -a dbus-run-session -- "$0" --inside "$LAUNCHER" "$1"
