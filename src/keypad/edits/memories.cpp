#include "memories.h"

#include "insert_at_cursor.h"

namespace quorvix::keypad {

QStringView memoryName(int index) {
    if (index < 1 || index > static_cast<int>(kMemoryNames.size())) {
        return {};
    }
    return kMemoryNames[static_cast<std::size_t>(index - 1)];
}

LineState storeInMemory(const LineState& state, int index) {
    const QStringView name = memoryName(index);
    if (name.isEmpty()) {
        return clamped(state);
    }
    QString statement;
    statement.reserve(name.size() + 2 + state.text.size());
    statement.append(u'!').append(name).append(u'=').append(state.text);
    return LineState{std::move(statement), 0, 0};
}

LineState recallMemory(const LineState& state, int index) {
    const QStringView name = memoryName(index);
    if (name.isEmpty()) {
        return clamped(state);
    }
    return insertAtCursor(state, name);
}

} // namespace quorvix::keypad
