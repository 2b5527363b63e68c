#!/usr/bin/env bash
# Installs what is missing, builds Quorvix with warnings as errors and runs every test: once in
# the release build and once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

run_suite() { # build folder, extra cmake arguments...
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DQUORVIX_WERROR=ON "$@"
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

echo "== release build"
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== sanitizer build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tools/lsan-suppressions.txt" run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVIX_SANITIZE=ON
echo "== fuzz targets, 60 seconds each"
bash fuzz/run.sh 60
