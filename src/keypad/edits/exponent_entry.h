#pragma once

#include "line_state.h"

namespace quorvix::keypad {

// The exponent key inserts "E" after a digit or at the very start of the line (where the
// evaluation reads a leading "E" as "Ans*10^"), and "*10^" after anything else. Only the
// character just left of the cursor (or of the selection) decides; the selection is replaced
// and the cursor ends behind the inserted text.
LineState enterExponent(const LineState& state);

} // namespace quorvix::keypad
