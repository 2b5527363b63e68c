#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from the seed corpus under fuzz/corpus/<target> (for the interpreter,
# the golden scripts of its tests).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${QUORVIX_FUZZ_BUILD:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVIX_FUZZ=ON -DQUORVIX_TESTS=OFF >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target $targets

status=0
passed=0
failed=0
for t in $targets; do
    [ -x "$build/fuzz/$t" ] || continue
    work=$(mktemp -d)
    [ -d "fuzz/corpus/$t" ] && cp -r "fuzz/corpus/$t/." "$work/"
    # The interpreter's seeds are the golden scripts of its tests.
    if [ "$t" = fuzz_vbscript ]; then
        find tests/vbscript/golden -name '*.vbs' -exec cp -t "$work/" {} +
    fi
    echo "== $t for ${seconds}s"
    if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/$t" -max_total_time="$seconds" -timeout=5 \
        -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 "$work" 2>"$work.log"; then
        status=1
        failed=$((failed + 1))
        tail -n 60 "$work.log"
    else
        passed=$((passed + 1))
        grep -E '^(#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::peak_rss)' \
            "$work.log" | tail -n 3
    fi
    rm -rf "$work" "$work.log"
done
echo "fuzz: $passed passed, $failed failed"
exit $status
