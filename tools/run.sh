#!/usr/bin/env bash
# Installs what is missing, builds Quorvix and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
if [ -x build/src/app/quorvix ]; then
    exec build/src/app/quorvix
fi
# Without the window (not yet built), the headless evaluator reads expressions from the terminal.
exec build/src/cli/quorvix-eval
