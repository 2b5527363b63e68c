#!/usr/bin/env bash
# Start-up benchmark: starts a program under Xvfb and measures the time until its window is
# mapped (polling xdotool every few milliseconds) and its resident memory half a second later.
# Runs Quorvix and, when it is installed, SpeedCrunch side by side, ten runs each, and prints
# medians (and ratios when both ran).
# Usage: bench/startup.sh [path/to/quorvix] [runs]
set -euo pipefail
quorvix=${1:-build/src/app/quorvix}
runs=${2:-10}
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool)"; exit 2; }
done
peer=speedcrunch
command -v "$peer" >/dev/null || { echo "($peer is not installed: measuring Quorvix alone)"; peer=; }

# Xvfb picks a free display itself and writes its number: a number chosen here could be one
# that another X server (a test run) holds, and runs then fail when that server goes away.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 200); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$displayfile")
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done

# One run: prints "milliseconds-to-map resident-kB".
measure() { # command, window name pattern
    local cmd=$1 pattern=$2 home
    home=$(mktemp -d)
    local start end pid
    start=$(date +%s%N)
    HOME=$home XDG_CONFIG_HOME=$home/.config $cmd >/dev/null 2>&1 &
    pid=$!
    while ! xdotool search --onlyvisible --pid "$pid" --name "$pattern" >/dev/null 2>&1; do
        sleep 0.003
        if [ $(( ($(date +%s%N) - start) / 1000000 )) -gt 20000 ]; then
            echo "timeout"; kill "$pid"; return 1
        fi
    done
    end=$(date +%s%N)
    sleep 0.5
    local rss
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    rm -rf "$home"
    echo "$(( (end - start) / 1000000 )) $rss"
}

results=$(mktemp)
for i in $(seq "$runs"); do
    # A run whose window never showed is reported and left out of the medians.
    if r=$(measure "$quorvix" '^Quorvix$'); then echo "quorvix $r" >>"$results"; else echo "quorvix run $i: $r"; fi
    [ -z "$peer" ] && continue
    if r=$(measure speedcrunch '^SpeedCrunch$'); then echo "speedcrunch $r" >>"$results"; else echo "speedcrunch run $i: $r"; fi
done

python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
med = {}
for name in dict.fromkeys(r[0] for r in rows):
    ms = [int(r[1]) for r in rows if r[0] == name]
    kb = [int(r[2]) for r in rows if r[0] == name]
    med[name] = (statistics.median(ms), statistics.median(kb))
    print(f"{name:12s} window mapped after {med[name][0]:6.0f} ms (median of {len(ms)}), "
          f"resident {med[name][1] / 1024:6.1f} MB")
if len(med) == 2:
    q, s = med["quorvix"], med["speedcrunch"]
    print(f"ratio quorvix/speedcrunch: time {q[0] / s[0]:.2f}, memory {q[1] / s[1]:.2f}")
PY
rm -f "$results"
