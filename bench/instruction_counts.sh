#!/usr/bin/env bash
# Counts the instructions (callgrind) the interpreter alone spends on four fixed pieces of work:
# a recursive Function, a 1M-step loop, the same recursion as a class method, and a one-line
# evaluation. Counts do not depend on the machine's speed or load, so two builds compare to the
# instruction. Usage: bench/instruction_counts.sh [path/to/run_vbscript]
# (the build needs -DQUORVIX_BENCH=ON; apt-get install valgrind).
set -euo pipefail
bin=$(realpath "${1:-build/bench/run_vbscript}")
command -v valgrind >/dev/null || { echo "needs valgrind (apt-get install valgrind)"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() {
    local name=$1
    shift
    valgrind --tool=callgrind --callgrind-out-file="$work/out" "$bin" "$@" >"$work/answer" 2>"$work/log"
    printf '%-14s %14s  %s\n' "$name" "$(grep -Eo 'Collected : [0-9]+' "$work/log" | grep -Eo '[0-9]+')" \
        "$(tr -d '\n' <"$work/answer")"
}

count fib22 -e '!Function fib(n): If n < 2 Then fib = n Else fib = fib(n - 1) + fib(n - 2): End Function' \
    -e 'fib(22)'
count loop1M -e '!s = 0: For i = 1 To 1000000: s = s + i: Next' -e 's'
count method22 -e '!Class F: Function fib(n): If n < 2 Then fib = n Else fib = fib(n - 1) + fib(n - 2): End Function: End Class' \
    -e '!Set o = New F' -e 'o.fib(22)'
count one-line -e '2 * (3 + 4) ^ 2 / 7'
