#include "line_state.h"

#include <algorithm>
#include <utility>

namespace quorvix::keypad {

LineState clamped(LineState state) {
    const qsizetype length = state.text.size();
    state.selStart = std::clamp<qsizetype>(state.selStart, 0, length);
    state.selLength = std::clamp<qsizetype>(state.selLength, 0, length - state.selStart);
    return state;
}

LineState cursorAtEnd(QString text) {
    const qsizetype end = text.size();
    return LineState{std::move(text), end, 0};
}

} // namespace quorvix::keypad
