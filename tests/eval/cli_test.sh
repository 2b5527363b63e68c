#!/usr/bin/env bash
# Drives quorvix-eval as a user would from a shell and compares what it prints.
set -u
bin=$1
fail=0

check() { # name, expected, command...
    local name=$1 expected=$2
    shift 2
    local actual
    actual=$("$@" 2>&1)
    if [ "$actual" != "$expected" ]; then
        printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$name" "$expected" "$actual"
        fail=1
    else
        printf 'ok   %s\n' "$name"
    fi
}

expected=$'6\n10\n1000\n1000\n10'
check vbscript "$expected" "$bin" -e "2(3)" -e "+4" -e "e2" -e "!x=5" -e "x*2"
check javascript "$expected" "$bin" --lang javascript -e "2(3)" -e "+4" -e "e2" -e "!x=5" -e "x*2"
check last-language-wins $'12\nstatus 0' \
    bash -c "'$bin' --lang javascript --lang vbscript -e '1 & 2'; echo status \$?"
check stdin $'3\n6' bash -c "printf '1+2\n*2\n' | '$bin'"
check stdin-crlf $'3\n6' bash -c "printf '1+2\r\n*2\r\n' | '$bin'"
check raw $'\n7\n2*(3)' "$bin" --raw -e "!x = 7" -e "x" -e "\"2*(3)\""
check raw-error 'Division by zero' "$bin" --raw -e "1/0"

# Statement mode runs the real language: a procedure on one line.
check factorial $'\n3628800' "$bin" --raw \
    -e '!Function f(n): If n < 2 Then f = 1 Else f = n * f(n - 1): End Function' -e 'f(10)'
# The stack guard measures the thread's real stack, whatever `ulimit -s` gave it.
brackets=$(printf '%.0s(' $(seq 450))1$(printf '%.0s)' $(seq 450))
minuses=$(printf '%.0s-' $(seq 5000))1
check tiny-stack-nesting $'Out of stack space\nOut of stack space\n\nOut of stack space\n10' \
    sh -c 'ulimit -s 128 && exec "$0" --raw -e "$1" -e "$2" \
    -e "!Function f(n): f = f(n+1): End Function" -e "f(1)" -e "2*(3)+Sqr(16)"' \
    "$bin" "$brackets" "$minuses"
# JavaScript's recursion checks hold whatever stack the calculator was started with.
check javascript-small-stack $'\nMaximum call stack size exceeded.\nMaximum call stack size exceeded.\n\n6' \
    bash -c "ulimit -s 1024 && '$bin' --raw --lang javascript -e '!function g(n) { return [g(n + 1)] }' \
        -e 'g(1)' -e '[1].map(function m() { return [1].map(m) })' -e '!var keep = 6' -e 'keep'"
nested=$(mktemp)
{ printf '%.0s(' $(seq 100000); printf 1; printf '%.0s)' $(seq 100000); echo; } >"$nested"
check deep-nesting 'Out of stack space' "$bin" --raw "$nested"
rm -f "$nested"

tmp=$(mktemp)
printf '2^10\n!y=Ans\ny+1\n' >"$tmp"
check file $'1024\n1024\n1025' "$bin" "$tmp"

# --script runs a whole program first; the inputs see what it defined. A failure names the line
# it was raised on and ends the run with status 1, before any input.
printf 'Function fib(n)\n  If n < 2 Then fib = n Else fib = fib(n-1) + fib(n-2)\nEnd Function\nx = Pi\n' >"$tmp"
check script $'6765\n3.14159265358979' "$bin" --script "$tmp" -e "fib(20)" -e "x"
check script-then-stdin 6765 bash -c "echo 'fib(20)' | '$bin' --script '$tmp'"
printf 'function fib(n) {\n  return n < 2 ? n : fib(n - 1) + fib(n - 2)\n}\n' >"$tmp"
check script-javascript 6765 "$bin" --lang javascript --script "$tmp" -e "fib(20)"
unreadable='quorvix-eval: cannot read /nonexistent/p.vbs: No such file or directory'
check script-unreadable "$unreadable"$'\nstatus 2' \
    bash -c "'$bin' --script /nonexistent/p.vbs -e 1; echo status \$?"
printf 'a = 1\n\nb = 1 / 0\n' >"$tmp"
check script-failure "$tmp, line 3: Division by zero"$'\nstatus 1' \
    bash -c "'$bin' --script '$tmp' -e 1; echo status \$?"
printf 'var a = 1;\nvar b = (;\n' >"$tmp"
check script-javascript-failure "$tmp, line 2: Expected token \`)'"$'\nstatus 1' \
    bash -c "'$bin' --lang javascript --script '$tmp' -e 1; echo status \$?"
# The example ledger: classes, a dictionary, regular expressions and With in one long program.
ledger="$(dirname "$0")/../../examples/ledger.vbs"
check ledger-script $'Salary=2500.00(in) Rent=-850.00(out) Groceries=-118.65(out) Transport=-52.80(out) Refunds=12.35(in) Savings=-200.00(out) Gifts=-30.00(out) | total 1260.90 | 10 bookings, 3 rejected, 0 closed\nGroceries: 3 bookings, balance -118.65, largest -61.10' \
    "$bin" --script "$ledger" -e "Report" -e 'Summary("GROCERIES")'
rm -f "$tmp"

# The input line takes at most two million characters. A longer line is refused on its own
# line and read in pieces: 300 MB of it pass under a 200 MB memory limit. The next line is
# evaluated.
limit=2000000
too_long="Too long to evaluate: the input line takes at most $limit characters"
check longest-line 7 bash -c "{ printf 7; printf '%*s\n' $((limit - 1)) ''; } | '$bin'"
check too-long-line "$too_long"$'\n2' bash -c "{ printf '%*s7\n' $limit ''; echo 1+1; } | '$bin'"
memory_limit='ulimit -v 200000;'
# The address sanitizer reserves terabytes of address space up front.
grep -q __asan_init "$bin" && memory_limit=
# The refusal comes while the line still goes on (a line that never ends is answered too): the
# feeder ends the line only once it has seen the message, and says "late" otherwise.
answer=$(mktemp)
check endless-line "$too_long"$'\n2' bash -c "$memory_limit {
    head -c 300000000 /dev/zero
    for _ in \$(seq 600); do grep -q 'Too long' '$answer' && break; sleep 0.1; done
    grep -q 'Too long' '$answer' && printf '\n1+1\n' || printf '\n\"late\"\n'
} | '$bin' >'$answer'; cat '$answer'"
rm -f "$answer"

"$bin" --lang cobol -e 1 >/dev/null 2>&1
[ $? -eq 2 ] && echo "ok   bad-language" || { echo "FAIL bad-language exit status"; fail=1; }
usage='usage: quorvix-eval [--lang vbscript|javascript] [--raw] [--script PROGRAM] [-e TEXT]...'
check bad-option "$usage"$'\nstatus 2' \
    bash -c "'$bin' --bogus 2>&1 >/dev/null | head -n 1; echo status \${PIPESTATUS[0]}"
check help-and-version 'status 0 status 0' \
    bash -c "'$bin' --help >/dev/null; a=\$?; '$bin' --version >/dev/null; echo status \$a status \$?"
"$bin" /nonexistent/file >/dev/null 2>&1
[ $? -eq 2 ] && echo "ok   missing-file" || { echo "FAIL missing-file exit status"; fail=1; }

exit $fail
