#include "decimal_point.h"

#include "insert_at_cursor.h"

namespace quorvix::keypad {

LineState enterDecimalPoint(const LineState& state) {
    return cursorAtEnd(insertAtCursor(state, u".").text);
}

} // namespace quorvix::keypad
