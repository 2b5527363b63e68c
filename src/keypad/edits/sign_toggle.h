#pragma once

#include "line_state.h"

namespace quorvix::keypad {

// The +/- key: makes the last number of the line negative, or positive again. It works on the
// end of the text only, whatever the cursor and selection, and leaves the cursor at the end
// with nothing selected. A number is a run of the digits 0-9 alone ("1.5" ends in the number
// "5"); a negative number is written wrapped as "(-" number ")".
//
// - all of a non-empty text selected: the text is dropped first (then as for an empty text);
// - empty text: "-";
// - text ending with ")": see below;
// - text ending with "(-": those two characters go ("5+(-" gives "5+");
// - other non-digit at the end: "(-" is appended ("5+" gives "5+(-");
// - digit at the end: the last number is wrapped ("12+34" gives "12+(-34)").
//
// A text ending with ")" is looked at before its closing brackets:
// - a number wrapped as "(-" number ")": the "(-" and that ")" go ("2*(3+(-4))" gives
//   "2*(3+4)"), but only the "-" when a digit comes before the "(" ("2(-5)" gives "2(5)");
// - another number: it is wrapped where it stands ("Sqr(9)" gives "Sqr((-9))"), so that the
//   brackets the user typed are never the ones a second press takes away;
// - no number: a minus goes after the "(" of the last bracketed group, or comes off again
//   ("(2+)" gives "(-2+)" and back); without that "(" the text itself starts the group;
// - nothing but brackets: unchanged.
//
// So pressing twice restores every text whose last number had no sign. One pass over the
// text at most, for texts of any length.
LineState toggleSign(const LineState& state);

} // namespace quorvix::keypad
