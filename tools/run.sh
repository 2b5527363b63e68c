#!/usr/bin/env bash
# Installs what is missing, builds Quorvix and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target quorvix quorvix-eval
exec build/src/app/quorvix
