#!/usr/bin/env bash
# quorvix-eval at a terminal (a tmux pane): Ctrl+C during a run stops that run and the session
# goes on with its variables; Ctrl+C with nothing running ends the program; answers are bold and
# errors red there, unless NO_COLOR is set. Skipped (77) without tmux.
set -euo pipefail
EVAL=$1
command -v tmux >/dev/null || exit 77
tmuxc() { tmux -L "quorvix-interrupt-$$" "$@"; }
trap 'tmuxc kill-server 2>/dev/null || true' EXIT

# Waits until the pane shows a line matching the pattern (a ^C the terminal echoed may lead it).
expect_line() {
    for _ in $(seq 200); do
        tmuxc capture-pane -p -t calc 2>/dev/null | grep -qE "^(\^C)?$1\$" && { echo "ok: $2"; return; }
        sleep 0.05
    done
    echo "FAIL: $2; the pane shows:" && tmuxc capture-pane -p -t calc && exit 1
}

for language in vbscript javascript; do
    [ "$language" = vbscript ] && set -- '!x = 5' '!Do: Loop' || set -- '!var x = 5' '!while (true) {}'
    # The pane's shell outlives the Ctrl+C that ends the program, to say how it ended.
    tmuxc new-session -d -s calc -x 120 -y 30 \
        "bash -c 'trap true INT; \"\$0\" --lang $language; echo ended \$?; sleep 30' '$EVAL'"
    tmuxc send-keys -t calc "$1" Enter "$2" Enter
    sleep 1
    tmuxc send-keys -t calc C-c
    expect_line 'Stopped after [0-9.]+ seconds' "$language: Ctrl+C stopped the run"
    tmuxc send-keys -t calc 'x+1' Enter
    expect_line '6' "$language: the session went on with its variables"
    tmuxc send-keys -t calc C-c
    expect_line 'ended 130' "$language: Ctrl+C with nothing running ended the program"
    tmuxc kill-session -t calc
done
# The pane's lines with their colour codes (tmux writes its own resets): bold is ESC[1m, red
# ESC[31m; the two lines after NO_COLOR have none.
tmuxc new-session -d -s calc -x 120 -y 30 \
    "bash -c '\"\$0\" -e 1+1 -e 1/0; NO_COLOR=1 \"\$0\" -e 2+2 -e 1/0; sleep 30' '$EVAL'"
expect_line 'Division by zero' "the second program ran"
mapfile -t lines < <(tmuxc capture-pane -e -p -t calc | grep -v '^$' |
    sed -E 's/\x1b\[(0|22|39|49)?m//g')
esc=$'\e'
[[ ${lines[0]} == "${esc}[1m2" && ${lines[1]} == "${esc}[31mDivision by zero" &&
    ${lines[2]} == 4 && ${lines[3]} == "Division by zero" ]] ||
    { echo "FAIL: colours at the terminal:"; printf '%q\n' "${lines[@]}"; exit 1; }
echo "ok: answers bold and errors red at a terminal, plain with NO_COLOR"
echo "PASS"
