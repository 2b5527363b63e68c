#include "exponent_entry.h"

#include "insert_at_cursor.h"

namespace quorvix::keypad {

LineState enterExponent(const LineState& state) {
    const LineState in = clamped(state);
    const bool exponentLetter = in.selStart == 0 || isAsciiDigit(in.text.at(in.selStart - 1));
    return insertAtCursor(in, exponentLetter ? u"E" : u"*10^");
}

} // namespace quorvix::keypad
