#!/usr/bin/env bash
# Times our VBScript interpreter against Lua 5.4 and python3 on the same work, side by side in
# one run (hyperfine). Usage: bench/compare_interpreters.sh [path/to/quorvix-eval]
set -euo pipefail
eval_bin=${1:-build/src/cli/quorvix-eval}
for tool in hyperfine lua5.4 python3; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install hyperfine lua5.4)"; exit 2; }
done

echo "== sum of 1..10,000,000 in a loop with global variables"
hyperfine --warmup 1 --runs 5 --export-markdown /dev/stdout \
    -n vbscript "$eval_bin --raw -e '!s = 0: For i = 1 To 10000000: s = s + i: Next' -e 's'" \
    -n lua "lua5.4 -e 's = 0 for i = 1, 10000000 do s = s + i end print(s)'" \
    -n python3 "python3 -c \$'s = 0\nfor i in range(1, 10000001): s = s + i\nprint(s)'"

echo "== recursive fib(25) with a global function"
hyperfine --warmup 1 --runs 5 --export-markdown /dev/stdout \
    -n vbscript "$eval_bin --raw -e '!Function fib(n): If n < 2 Then fib = n Else fib = fib(n - 1) + fib(n - 2): End Function' -e 'fib(25)'" \
    -n lua "lua5.4 -e 'function fib(n) if n < 2 then return n end return fib(n-1) + fib(n-2) end print(fib(25))'" \
    -n python3 "python3 -c \$'def fib(n):\n  return n if n < 2 else fib(n-1) + fib(n-2)\nprint(fib(25))'"
