#!/usr/bin/env bash
# Times our VBScript interpreter against Lua 5.4 and python3 on the same work, side by side in
# one run (hyperfine). Usage: bench/compare_interpreters.sh [path/to/quorvix-eval] [runs]
# Where the build has the benchmarks (-DQUORVIX_BENCH=ON), the interpreter alone (run_vbscript,
# no Qt) is timed beside the calculator's headless tool.
set -euo pipefail
eval_bin=$(realpath "${1:-build/src/cli/quorvix-eval}")
runs=${2:-10}
alone_bin=$(dirname "$eval_bin")/../../bench/run_vbscript
for tool in hyperfine lua5.4 python3; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install hyperfine lua5.4)"; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/loop.lua" <<'LUA'
s = 0
for i = 1, 10000000 do s = s + i end
print(s)
LUA
cat >"$work/loop.py" <<'PY'
s = 0
for i in range(1, 10000001):
    s = s + i
print(s)
PY
cat >"$work/fib.lua" <<'LUA'
function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end
print(fib(25))
LUA
cat >"$work/fib.py" <<'PY'
def fib(n):
    return n if n < 2 else fib(n - 1) + fib(n - 2)
print(fib(25))
PY
cat >"$work/method.lua" <<'LUA'
local F = {}
function F:fib(n) if n < 2 then return n end return self:fib(n - 1) + self:fib(n - 2) end
print(F:fib(25))
LUA
cat >"$work/method.py" <<'PY'
class F:
    def fib(self, n):
        return n if n < 2 else self.fib(n - 1) + self.fib(n - 2)
print(F().fib(25))
PY
cat >"$work/append.lua" <<'LUA'
s = ""
for i = 1, 200000 do s = s .. "x" end
print(#s)
LUA
cat >"$work/append.py" <<'PY'
s = ""
for i in range(200000):
    s = s + "x"
print(len(s))
PY
cat >"$work/grow.lua" <<'LUA'
a = {}
for i = 0, 100000 do a[i] = i end
print(#a)
LUA
cat >"$work/grow.py" <<'PY'
a = []
for i in range(100001):
    a.append(i)
print(len(a))
PY
cat >"$work/math.lua" <<'LUA'
local sqrt, sin = math.sqrt, math.sin
x = 0
for i = 1, 3000000 do x = x + sqrt(i) * sin(i) end
print(x)
LUA
cat >"$work/math.py" <<'PY'
from math import sqrt, sin
x = 0.0
for i in range(1, 3000001):
    x = x + sqrt(i) * sin(i)
print(x)
PY

compare() { # title, vbscript arguments, lua script, python script[, runs]
    echo "== $1"
    # Cases where one of the others copies its whole text per step take seconds a run: fewer runs.
    local alone=()
    [ -x "$alone_bin" ] && alone=(-n "vbscript alone" "$alone_bin $2")
    hyperfine --warmup 1 --runs "${5:-$runs}" --style basic --export-markdown "$work/table.md" \
        -n vbscript "$eval_bin --raw $2" "${alone[@]}" -n lua "lua5.4 $3" -n python3 "python3 $4" \
        >/dev/null
    cat "$work/table.md"
}

compare "sum of 1..10,000,000 in a loop with global variables" \
    "-e '!s = 0: For i = 1 To 10000000: s = s + i: Next' -e s" "$work/loop.lua" "$work/loop.py"
compare "recursive fib(25) with a global function" \
    "-e '!Function fib(n): If n < 2 Then fib = n Else fib = fib(n - 1) + fib(n - 2): End Function' -e 'fib(25)'" \
    "$work/fib.lua" "$work/fib.py"
# A method call should cost at most twice a plain call (the row above).
compare "recursive fib(25) as a method of an object" \
    "-e '!Class F: Function fib(n): If n < 2 Then fib = n Else fib = o.fib(n - 1) + o.fib(n - 2): End Function: End Class: Set o = New F' -e 'o.fib(25)'" \
    "$work/method.lua" "$work/method.py"
compare "string building: s = s & \"x\" 200,000 times with a global variable" \
    "-e '!s = \"\": For i = 1 To 200000: s = s & \"x\": Next' -e 'Len(s)'" \
    "$work/append.lua" "$work/append.py" "$((runs < 3 ? runs : 3))"
compare "growing an array one element at a time to 100,001 elements" \
    "-e '!Dim a(): For i = 0 To 100000: ReDim Preserve a(i): a(i) = i: Next' -e 'UBound(a)'" \
    "$work/grow.lua" "$work/grow.py"
compare "built-in calls: x = x + Sqr(i) * Sin(i) 3,000,000 times" \
    "-e '!x = 0: For i = 1 To 3000000: x = x + Sqr(i) * Sin(i): Next' -e x" \
    "$work/math.lua" "$work/math.py"
compare "start-up alone: one trivial evaluation" "-e 1" "-e 'print(1)'" "-c 'print(1)'"
