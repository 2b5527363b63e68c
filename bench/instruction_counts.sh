#!/usr/bin/env bash
# Counts the instructions (callgrind) the interpreter alone spends on fixed pieces of work: a
# recursive Function, a 1M-step loop, the same recursion as a class method in each of its three
# spellings (bare fib, Me.fib and o.fib inside the class), and a one-line evaluation. Counts do
# not depend on the machine's speed or load, so two builds compare to the instruction. The
# recursions print their count per call as well (fib(22) makes 57,313 calls).
# Usage: bench/instruction_counts.sh [path/to/run_vbscript]
# (the build needs -DQUORVIX_BENCH=ON; apt-get install valgrind).
set -euo pipefail
bin=$(realpath "${1:-build/bench/run_vbscript}")
command -v valgrind >/dev/null || { echo "needs valgrind (apt-get install valgrind)"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
readonly fib22_calls=57313

# count NAME CALLS ARGS...: CALLS is the number of script calls the work makes (0: not a call
# benchmark, no per-call figure).
count() {
    local name=$1 calls=$2
    shift 2
    valgrind --tool=callgrind --callgrind-out-file="$work/out" "$bin" "$@" >"$work/answer" 2>"$work/log"
    local total
    total=$(grep -Eo 'Collected : [0-9]+' "$work/log" | grep -Eo '[0-9]+')
    local perCall=""
    if ((calls > 0)); then
        perCall=$(printf '%7d/call' $((total / calls)))
    fi
    printf '%-14s %14s %12s  %s\n' "$name" "$total" "$perCall" "$(tr -d '\n' <"$work/answer")"
}

# The recursion as a class method, its recursive calls spelt $1.
method() {
    printf '!Class F: Function fib(n): If n < 2 Then fib = n Else fib = %s + %s: End Function: End Class' \
        "${1/N/n - 1}" "${1/N/n - 2}"
}

count fib22 $fib22_calls -e '!Function fib(n): If n < 2 Then fib = n Else fib = fib(n - 1) + fib(n - 2): End Function' \
    -e 'fib(22)'
count loop1M 0 -e '!s = 0: For i = 1 To 1000000: s = s + i: Next' -e 's'
count method22 $fib22_calls -e "$(method 'fib(N)')" -e '!Set o = New F' -e 'o.fib(22)'
count method22-me $fib22_calls -e "$(method 'Me.fib(N)')" -e '!Set o = New F' -e 'o.fib(22)'
# o is declared before the class, so that the class's procedure reads the script's o.
count method22-o $fib22_calls -e '!Dim o' -e "$(method 'o.fib(N)')" -e '!Set o = New F' -e 'o.fib(22)'
count one-line 0 -e '2 * (3 + 4) ^ 2 / 7'
