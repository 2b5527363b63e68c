#!/bin/bash
# Drives the real quorvix binary under Xvfb: keys with xdotool, clicks at the keypad buttons'
# window positions, results read back through the clipboard with xclip.
#
#   quorvix_e2e.sh <quorvix> <e2e_x11_tool> <Readme.txt> <artefact folder> <JavaScript worker>
#
# Exit 77 (skipped) when Xvfb, xdotool or xclip is missing.
set -u

QUORVIX=$1
TOOL=$2
README=$3
ARTEFACTS=$4
JAVASCRIPT_WORKER=$5

. "$(dirname "$0")/../x_session.sh"
require_tools Xvfb xdotool xclip

# The program keeps its settings beside its executable: give it a folder of its own.
mkdir "$WORK/program"
cp "$QUORVIX" "$WORK/program/quorvix"
cp "$README" "$WORK/program/Readme.txt"
cp "$JAVASCRIPT_WORKER" "$WORK/program/"
INI="$WORK/program/Quorvix.ini"
mkdir -p "$ARTEFACTS"

start_xvfb
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$WORK"

WID=
# Arguments, if any, are passed on: a launcher may give the program some.
start_quorvix() {
    "$WORK/program/quorvix" "$@" >>"$WORK/quorvix.log" 2>&1 &
    APP_PID=$!
    WID=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$APP_PID" --name '^Quorvix$' |
        head -n1)
    [ -n "$WID" ] || fail "the main window did not appear"
    xdotool windowfocus --sync "$WID" || fail "cannot focus the main window"
    sleep 0.3
}

# Types a whole new input line (Alt+I goes to it) and presses Enter.
type_input() {
    xdotool key alt+i ctrl+a
    xdotool type --delay 30 "$1"
    xdotool key Return
}

# Esc ends the program; waits for it.
quit_by_esc() {
    xdotool key Escape
    wait_for_end "$1"
}

# Waits for the program to end by itself.
wait_for_end() {
    wait_until program_ended || fail "the program did not end: $1"
    wait "$APP_PID"
    APP_PID=
}

window_size() {
    xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: //p'
}

# Waits for a window to reach a client size.
size_is() { [ "$(window_size "$1")" = "$2" ]; }
expect_size() {
    wait_until size_is "$1" "$2" || fail "$3: size $(window_size "$1"), want $2"
    echo "ok: $3 ($2)"
}

# Clicks the centre of a control given by its layout rectangle in twips (15 to a pixel).
click_control() {
    local left=$1 top=$2 width=$3 height=$4
    xdotool mousemove --window "$WID" $(((left + width / 2) / 15)) $(((top + height / 2) / 15)) \
        click 1
    sleep 0.15
}

# Reads the clipboard until it holds the expected text (the copy is handed over asynchronously).
clipboard_is() { got=$(xclip -o -selection clipboard 2>/dev/null); [ "$got" = "$1" ]; }
expect_clipboard() {
    wait_until clipboard_is "$1" || fail "$2: expected \"$1\", read \"$got\""
    echo "ok: $2 is \"$got\""
}

# Copies the output box until it holds the expected text: an evaluation that takes a moment shows
# its answer when it ends, the window answering meanwhile.
expect_output() {
    local expected=$1 what=$2 got=
    for _ in $(seq 50); do
        click_control $COPY_OUTPUT
        got=$(xclip -o -selection clipboard 2>/dev/null)
        # shellcheck disable=SC2053 # the expected text may be a pattern
        [[ "$got" == $expected ]] && { echo "ok: $what is \"$got\""; return 0; }
    done
    fail "$what: expected \"$expected\" in the output box, read \"$got\""
}

expect_settings() {
    local expected=$1 what=$2
    printf "$expected" >"$WORK/expected.ini"
    cmp -s "$INI" "$WORK/expected.ini" ||
        fail "$what: Quorvix.ini holds $(od -An -c "$INI" 2>/dev/null || echo nothing)"
    echo "ok: $what"
}

# Layout rectangles (twips) of the controls used below.
NUMBER_1="5490 1830 405 405"
NUMBER_2="5910 1830 405 405"
NUMBER_3="6330 1830 405 405"
ADD="6750 1830 405 405"
MULTIPLY="6750 1410 405 405"
POS_NEG="6330 2250 405 405"
EQUALS="6750 2250 825 405"
CLEAR="6540 30 1125 285"
GET_X="5490 2700 405 405"
SET_X="5490 3120 405 405"
INPUT_LINE="120 600 4695 585"
OUTPUT_BOX="120 2040 4695 345"
COPY_INPUT="120 1320 1275 555"
COPY_OUTPUT="3540 1320 1275 555"

# 1. First start: no settings file, so the keypad shows.
rm -f "$INI"
start_quorvix
expect_size "$WID" 533x237 "first start shows the keypad"
type_input '2(3)'
xdotool key alt+p
expect_clipboard 6 "2(3) evaluated and copied with Alt+P"
"$TOOL" grab "$WID" "$ARTEFACTS/quorvix-main-window.png" || fail "screenshot"
echo "ok: screenshot in $ARTEFACTS/quorvix-main-window.png"

# 2. The help window keeps its smallest size (465x246 client pixels) even without a window
# manager, and outlives a frame close of the main window, which writes the settings.
xdotool key alt+h
HELP=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quorvix Help$' | head -n1)
[ -n "$HELP" ] || fail "Alt+H did not open the help window"
xdotool windowsize "$HELP" 200 100
sleep 0.3
expect_size "$HELP" 465x246 "help window snaps back to its smallest size"
"$TOOL" close "$WID" || fail "cannot send the close message"
main_window_gone() { [ -z "$(xdotool search --onlyvisible --name '^Quorvix$')" ]; }
wait_until main_window_gone || fail "the main window is still shown"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended while the help window was open"
expect_settings 'lang=0\r\npad=1\r\n' "frame close wrote the settings"
"$TOOL" close "$HELP" || fail "cannot close the help window"
wait_for_end "after the last window was closed"
echo "ok: the program ended with its last window"

# 3. Esc ends without writing, even after the keypad was hidden.
start_quorvix
xdotool key alt+k
expect_size "$WID" 329x237 "Alt+K hides the keypad"
# Alt+O is shared by "&Output:", "&OK" and "C&opy Input"; its first press goes to the output box.
xdotool key alt+o
xdotool type 77
xdotool key alt+p
expect_clipboard 77 "typed into the output box after Alt+O"
quit_by_esc "after Esc"
expect_settings 'lang=0\r\npad=1\r\n' "Esc left the settings unchanged"

# 4. The keypad: 1 2 + 3 +/- = gives 9 from "12+(-3)".
start_quorvix
for key in "$NUMBER_1" "$NUMBER_2" "$ADD" "$NUMBER_3" "$POS_NEG" "$EQUALS"; do
    click_control $key
done
expect_output 9 "keypad sum"
click_control $COPY_INPUT
expect_clipboard '12+(-3)' "keypad input line"

# 5. Store in x, clear, recall x, times 2: 18.
for key in "$SET_X" "$CLEAR" "$GET_X" "$MULTIPLY" "$NUMBER_2" "$EQUALS"; do
    click_control $key
done
expect_output 18 "memory x times 2"
click_control $COPY_INPUT
expect_clipboard 'x*2' "recalled input line"

quit_by_esc "after the keypad"

# 6. Paste from clipboard owners that answer one request and go away, short and long: at worst
# nothing is inserted, and the program carries on.
start_quorvix
# Clicks into a box (its layout rectangle) and pastes there from an owner that answers once.
paste_once() {
    xclip -i -quiet -loops 1 -selection clipboard "$WORK/paste.txt" 2>/dev/null &
    local owner=$!
    sleep 0.3
    click_control "$@"
    xdotool key ctrl+a BackSpace ctrl+v
    for _ in $(seq 50); do kill -0 "$owner" 2>/dev/null || break; sleep 0.1; done
    kill "$owner" 2>/dev/null
    wait "$owner" 2>/dev/null
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended on a paste of $length characters"
}
for length in 3 1000 40000; do
    head -c "$length" /dev/zero | tr '\0' 7 >"$WORK/paste.txt"
    paste_once $OUTPUT_BOX
    paste_once $INPUT_LINE
    click_control $COPY_INPUT
    got=$(xclip -o -selection clipboard 2>/dev/null)
    [ -z "$got" ] || [ "$got" = "$(cat "$WORK/paste.txt")" ] ||
        fail "a paste of $length characters left \"${got:0:40}\" in the input line"
    echo "ok: paste of $length characters from a vanishing owner"
done
type_input '6*7'
expect_output 42 "evaluated after the pastes"
quit_by_esc "after the pastes"

# 7. Arguments that are not options are ignored. JavaScript, loaded from beside the program when
# it is chosen: Alt+J, then an expression.
start_quorvix foo --bar
grep -q "quorvix: ignoring foo --bar" "$WORK/quorvix.log" || fail "no note of the ignored arguments"
xdotool key alt+j
type_input 'Math.sqrt(16)+1'
expect_output 5 "JavaScript answer"
quit_by_esc "after JavaScript"

# 8. Inputs are kept across runs, also when the program ends by Esc: two Ups after a restart
# recall the input before the last, and Enter evaluates it.
start_quorvix
type_input '1+1'
type_input '2*3'
expect_output 6 "the second input"
quit_by_esc "after two inputs"
[ "$(stat -c %a "$WORK/program/Quorvix-history.txt")" = 600 ] ||
    fail "the history file is not private"
start_quorvix
xdotool key Up Up Return
expect_output 2 "1+1 recalled with two Ups after a restart"
# The result tape (F9) lists the evaluations of both runs; Copy all (Alt+L) reads it back.
xdotool key F9
TAPE=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quorvix - Result Tape$' | head -n1)
[ -n "$TAPE" ] || fail "F9 did not open the result tape"
xdotool windowfocus --sync "$TAPE" || fail "cannot focus the result tape"
xdotool key alt+l
TAPE_END=$(printf '\n\n1+1\n= 2\n\n2*3\n= 6\n\n1+1\n= 2')
tape_ends_so() {
    got=$(xclip -o -selection clipboard 2>/dev/null)
    [ "${got%"$TAPE_END"}" != "$got" ]
}
wait_until tape_ends_so || fail "the tape after a restart ends: $got"
echo "ok: the tape lists both runs' entries"
xdotool windowfocus --sync "$WID" || fail "cannot focus the main window"
quit_by_esc "at the end"
expect_settings 'lang=0\r\npad=1\r\n' "the history left the settings alone"

# 9. Of a 12 MB history the newest entry is recalled; a tape file of another kind is left alone.
HISTORY="$WORK/program/Quorvix-history.txt"
TAPE_FILE="$WORK/program/Quorvix-tape.txt"
{ echo '#Quorvix input history'; yes 1+1 | head -n 3000000; echo '6*7'; } >"$HISTORY"
printf '\177ELF\001\n>1\n' | tee "$TAPE_FILE" >"$WORK/foreign"
start_quorvix
xdotool key Up Return
expect_output 42 "the newest entry of a 12 MB history recalled"
quit_by_esc "after the huge history"
cmp -s "$TAPE_FILE" "$WORK/foreign" || fail "a tape file of another kind was written over"
rm "$TAPE_FILE"

# 10. Two calculators in one folder take turns, 50 evaluations each: the history and the tape
# keep all 100, in order.
start_quorvix
FIRST=$WID FIRST_PID=$APP_PID
start_quorvix
for n in $(seq 101 200); do
    [ $((n % 2)) = 1 ] && window=$FIRST || window=$WID
    xdotool windowfocus --sync "$window" type "$n"
    xdotool key Return
    # Each waits until the other's evaluation is on the tape, so that the turns are strict: an
    # input goes into the history when it starts to run, onto the tape when the run has ended.
    for _ in $(seq 200); do
        [ "$(grep '^>' "$TAPE_FILE" 2>/dev/null | tail -n1)" = ">$n" ] && break
        sleep 0.05
    done
done
[ "$(tail -n100 "$HISTORY")" = "$(seq 101 200)" ] || fail "the history lost entries of a copy"
[ "$(grep '^>' "$TAPE_FILE" | tail -n100)" = "$(seq 101 200 | sed 's/^/>/')" ] ||
    fail "the tape lost entries of a copy: $(grep '^>' "$TAPE_FILE" | tail -n100 | tr '\n' ' ')"
echo "ok: two copies kept each other's entries"
quit_by_esc "the second copy"
APP_PID=$FIRST_PID
xdotool windowfocus --sync "$FIRST" key Escape
wait_for_end "the first copy"

# 11. A program folder that keeps no settings (here its Quorvix.ini is a folder) and no user
# folder to fall back on: the history is offered all the same, and the output box says that new
# inputs are not saved.
mv "$INI" "$WORK/saved.ini" && mkdir "$INI"
XDG_CONFIG_HOME=/proc/no-quorvix-here start_quorvix
expect_output "$HISTORY cannot be written: new inputs are not saved" "unwritable history"
xdotool key alt+i Up Return
expect_output 200 "the unwritable history recalled"
quit_by_esc "after the unwritable history"
rmdir "$INI" && mv "$WORK/saved.ini" "$INI"

# 12. A run that would not end: the window answers meanwhile (F9 opens the tape), Esc stops the
# run and not the program, and the next evaluation answers. Then Close by the frame during a run
# ends the program at once, writing the settings.
start_quorvix
type_input '!Do: Loop'
STARTED=$(date +%s%N)
sleep 1
xdotool key F9
TAPE=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quorvix - Result Tape$' | head -n1)
[ -n "$TAPE" ] || fail "F9 did not open the result tape during a run"
echo "ok: the tape opened during a run"
xdotool windowfocus --sync "$WID" || fail "cannot focus the main window during a run"
xdotool key Escape
expect_output 'Stopped after * seconds' "a run stopped by Esc"
kill -0 "$APP_PID" 2>/dev/null || fail "Esc during a run ended the program"
type_input '1+1'
expect_output 2 "an evaluation after the stopped run"
echo "ok: answered $((($(date +%s%N) - STARTED) / 1000000)) ms after the run began"
type_input '!Do: Loop'
sleep 0.5
rm -f "$INI"
"$TOOL" close "$TAPE" || fail "cannot close the result tape"
"$TOOL" close "$WID" || fail "cannot send the close message during a run"
wait_for_end "after a frame close during a run"
expect_settings 'lang=0\r\npad=1\r\n' "a frame close during a run wrote the settings"
echo "PASS"
