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
// - text ending with ")": the bracket scan below;
// - text ending with "(-": those two characters go ("5+(-" gives "5+");
// - other non-digit at the end: "(-" is appended ("5+" gives "5+(-");
// - digit at the end: the last number is wrapped ("12+34" gives "12+(-34)").
//
// Bracket scan: starting two characters before the final ")" (the character just before it is
// never looked at) and moving left over digits, the first of these decides:
// - a "(": a minus is put after it ("2*(4)" gives "2*(-4)");
// - the first character, a non-digit: everything after it is wrapped ("-5)" gives "-(-5))");
// - the first character, a digit: the whole text is wrapped, its own ")" closing the wrapper
//   ("55)" gives "(-55)");
// - "(-" at the very start: it and the final ")" go ("(-5)" gives "5");
// - "(-" after a non-digit: it and the final ")" go ("12+(-34)" gives "12+34");
// - "(-" after a digit: only the "-" goes, so the number does not run into the digit before
//   it ("2(-5)" gives "2(5)");
// - another non-digit: what follows it is wrapped ("2*(3+4)" gives "2*(3+(-4))").
// A two-character text ending with ")" is wrapped whole; the text ")" stays as it is.
//
// So pressing twice restores any text that ends with a digit, or with a non-digit other than
// ")" that is not an open negation; texts ending with ")" are not always restored.
// One pass over the text at most, for texts of any length.
LineState toggleSign(const LineState& state);

} // namespace quorvix::keypad
