#include "insert_at_cursor.h"

namespace quorvix::keypad {

LineState insertAtCursor(const LineState& state, QStringView inserted) {
    const LineState in = clamped(state);
    const QStringView text{in.text};
    QString result;
    result.reserve(text.size() - in.selLength + inserted.size());
    result.append(text.first(in.selStart));
    result.append(inserted);
    result.append(text.sliced(in.selStart + in.selLength));
    return LineState{std::move(result), in.selStart + inserted.size(), 0};
}

} // namespace quorvix::keypad
