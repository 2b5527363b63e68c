#pragma once

#include "line_state.h"

#include <QStringView>

namespace quorvix::keypad {

// Replaces the selection (if any) by `inserted` and puts the cursor directly behind it, nothing
// selected. Nothing is added or looked at around the cursor: "2" followed by "Pi" gives "2Pi".
// With an empty `inserted` this deletes the selection and leaves the cursor where it began.
LineState insertAtCursor(const LineState& state, QStringView inserted);

} // namespace quorvix::keypad
