#pragma once

#include "line_state.h"

namespace quorvix::keypad {

// Backspace deletes one character, or the selection:
// - with the cursor at 0 the first character goes, whatever is selected: repeated presses eat
//   the line from the front, and a selection starting at 0 loses only its first character
//   ("2+3" all selected after an evaluation becomes "+3");
// - otherwise without a selection the character before the cursor goes;
// - otherwise the selection goes and the cursor stays where it began.
// A character is one UTF-16 unit, except that a surrogate pair goes as a whole, so that no
// half of a pair is left behind.
LineState backspace(const LineState& state);

// Clear empties the line, cursor at 0. The window then evaluates the empty line.
LineState clearLine(const LineState& state);

} // namespace quorvix::keypad
