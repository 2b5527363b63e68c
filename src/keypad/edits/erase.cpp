#include "erase.h"

#include "insert_at_cursor.h"

namespace quorvix::keypad {

namespace {

// The number of UTF-16 units that make up the character starting at `at` (1, or 2 for a pair).
qsizetype unitsFrom(const QString& text, qsizetype at) {
    const bool pair =
        at + 1 < text.size() && text.at(at).isHighSurrogate() && text.at(at + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

} // namespace

LineState backspace(const LineState& state) {
    const LineState in = clamped(state);
    if (in.selStart == 0) {
        if (in.text.isEmpty()) {
            return LineState{};
        }
        return LineState{in.text.sliced(unitsFrom(in.text, 0)), 0, 0};
    }
    if (in.selLength == 0) {
        qsizetype from = in.selStart - 1;
        if (from > 0 && in.text.at(from).isLowSurrogate() &&
            in.text.at(from - 1).isHighSurrogate()) {
            --from;
        }
        // The cursor may stand inside a pair; then the pair goes with its first half.
        const qsizetype count = unitsFrom(in.text, from);
        QString result = in.text;
        result.remove(from, count);
        return LineState{std::move(result), from, 0};
    }
    return insertAtCursor(in, u"");
}

LineState clearLine(const LineState&) {
    return LineState{};
}

} // namespace quorvix::keypad
