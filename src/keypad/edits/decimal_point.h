#pragma once

#include "line_state.h"

namespace quorvix::keypad {

// Inserts "." in place of the selection, then moves the cursor to the end of the text. No test
// of its own: a second point and a point without a leading "0" are both left to the user.
LineState enterDecimalPoint(const LineState& state);

} // namespace quorvix::keypad
