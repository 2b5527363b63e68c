#!/usr/bin/env bash
# Times our VBScript interpreter against Lua 5.4 and python3 on the same work, side by side in
# one run (hyperfine): whole-process times, work alone and peak memory; see compare_interpreters.py.
# Usage: bench/compare_interpreters.sh [path/to/quorvix-eval] [runs] [rounds]
exec python3 "$(dirname "$0")/compare_interpreters.py" "$@"
