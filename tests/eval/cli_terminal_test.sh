#!/usr/bin/env bash
# quorvix-eval at a terminal (a tmux pane): a prompt with line editing, Tab completion, a
# continued line, Up and Ctrl+R through the inputs of this and earlier sessions; Ctrl+C during a
# run stops that run and the session goes on with its variables, Ctrl+C at the prompt clears the
# line, Ctrl+D ends the session with status 0; answers are bold and errors red there, unless
# NO_COLOR is set. Skipped (77) without tmux.
set -euo pipefail
command -v tmux >/dev/null || exit 77
# A copy of its own (with the JavaScript worker beside it) keeps its history beside it, away from
# the build's.
work=$(mktemp -d)
cp "$1" "$2" "$work/"
EVAL=$work/quorvix-eval
tmuxc() { tmux -L "quorvix-terminal-$$" "$@"; }
trap 'tmuxc kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
# tmux's server ends with its last session, and a session asked for while it ends fails with
# "server exited unexpectedly": a session of its own keeps it up from here to the end.
tmuxc new-session -d -s keep 'sleep 600'
# A step that fails outside expect_line says which, and what the pane showed.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"; tmuxc capture-pane -p -t calc 2>&1 || true' ERR

# Waits until a line of the pane (with "last", its last line that is not empty) matches the
# pattern.
expect_line() {
    local lines=(cat)
    [ "$1" = last ] && { lines=(tail -n 1); shift; }
    for _ in $(seq 200); do
        tmuxc capture-pane -p -t calc 2>/dev/null | grep -v '^$' | "${lines[@]}" | grep -qE "^$1\$" &&
            { echo "ok: $2"; return; }
        sleep 0.05
    done
    echo "FAIL: $2; the pane shows:" && tmuxc capture-pane -p -t calc && exit 1
}
# A session whose shell outlives the program, to say how it ended.
start() {
    tmuxc new-session -d -s calc -x 120 -y 30 \
        "bash -c '\"\$0\" \"\$@\"; echo ended \$?; sleep 30' '$EVAL' $*"
    expect_line last '> ?' "quorvix-eval $* shows its prompt"
}

for language in vbscript javascript; do
    [ "$language" = vbscript ] && set -- '!x = 5' '!Do: Loop' || set -- '!var x = 5' '!while (true) {}'
    start --lang $language
    # The endless run starts once the first input has run (a busy machine may take seconds to
    # start the JavaScript worker), so that Ctrl+C meets the endless run and not the first.
    tmuxc send-keys -t calc "$1" Enter x Enter
    expect_line '5' "$language: the first input ran"
    tmuxc send-keys -t calc "$2" Enter
    sleep 1
    tmuxc send-keys -t calc C-c
    expect_line '(\^C)?Stopped after [0-9.]+ seconds' "$language: Ctrl+C stopped the run"
    expect_line last '> ?' "$language: the prompt came back"
    tmuxc send-keys -t calc '!x = 7' C-c 'x+1' Enter
    expect_line '6' "$language: Ctrl+C cleared the line and the session went on with its variables"
    tmuxc send-keys -t calc C-d
    expect_line '(\^D)?ended 0' "$language: Ctrl+D ended the session"
    tmuxc kill-session -t calc
done

start
tmuxc send-keys -t calc 'DateA' Tab '("yyyy", 1, #1/1/2020#)' Enter
expect_line '1/1/2021' "Tab completed DateA to DateAdd"
tmuxc send-keys -t calc 'Date' Tab
expect_line 'Date  DateAdd  DateDiff  DatePart  DateSerial  DateValue *' "Tab listed the Date names"
tmuxc send-keys -t calc C-c 'Form' Tab
expect_line last '> Format' "Tab completed Form to what the Format names share"
tmuxc send-keys -t calc C-c
tmuxc send-keys -t calc '1 + _' Enter
expect_line last '>> ?' "a line ending in _ goes on"
tmuxc send-keys -t calc '2' Enter
expect_line '3' "the continued statement ran whole"
tmuxc send-keys -t calc '1 + _' Enter C-c '5' Enter
expect_line '5' "Ctrl+C dropped the statement begun"
tmuxc send-keys -t calc '1 + _' Enter C-d '8' Enter
expect_line '8' "Ctrl+D dropped the statement begun"
tmuxc send-keys -t calc '7 * 6' Enter '0' Enter Up
expect_line last '> 0' "Up recalled the last input"
# Only the end of this session: Ctrl+C so close before Ctrl+D may end the pane's shell too
# (seen under load), and then there is no session left to kill.
tmuxc send-keys -t calc C-c C-d
tmuxc kill-session -t calc 2>/dev/null || true
start
tmuxc send-keys -t calc C-r '7 *'
sleep 0.3
tmuxc send-keys -t calc Enter
expect_line '42' "Ctrl+R found an input of the last session"
tmuxc send-keys -t calc C-d
tmuxc kill-session -t calc
[ "$(stat -c %a "$work/Quorvix-eval-history.txt")" = 600 ] || { echo "FAIL: history not owner-only"; exit 1; }

# The pane's lines with their colour codes (tmux writes its own resets): bold is ESC[1m, red
# ESC[31m; the two lines after NO_COLOR have none.
tmuxc new-session -d -s calc -x 120 -y 30 \
    "bash -c '\"\$0\" -e 1+1 -e 1/0; NO_COLOR=1 \"\$0\" -e 2+2 -e 1/0; sleep 30' '$EVAL'"
expect_line '4' "the second program ran"
expect_line last 'Division by zero' "the second program ended"
mapfile -t lines < <(tmuxc capture-pane -e -p -t calc | grep -v '^$' |
    sed -E 's/\x1b\[(0|22|39|49)?m//g')
esc=$'\e'
[[ ${lines[0]} == "${esc}[1m2" && ${lines[1]} == "${esc}[31mDivision by zero" &&
    ${lines[2]} == 4 && ${lines[3]} == "Division by zero" ]] ||
    { echo "FAIL: colours at the terminal:"; printf '%q\n' "${lines[@]}"; exit 1; }
echo "ok: answers bold and errors red at a terminal, plain with NO_COLOR"
echo "PASS"
