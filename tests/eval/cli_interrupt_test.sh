#!/usr/bin/env bash
# quorvix-eval at a terminal (a tmux pane): Ctrl+C during a run stops that run and the session
# goes on with its variables; Ctrl+C with nothing running ends the program. Skipped (77) without
# tmux.
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
echo "PASS"
