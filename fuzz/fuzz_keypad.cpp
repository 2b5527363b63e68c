// Every keypad edit on an arbitrary line state: no crash, and the result is always a state
// whose cursor and selection lie inside its text.
#include "decimal_point.h"
#include "erase.h"
#include "exponent_entry.h"
#include "insert_at_cursor.h"
#include "line_state.h"
#include "memories.h"
#include "sign_toggle.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void checkInRange(const quorvix::keypad::LineState& s) {
    if (s.selStart < 0 || s.selLength < 0 || s.selStart + s.selLength > s.text.size()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvix::keypad;
    if (size < 4) {
        return 0;
    }
    // Two bytes pick the cursor and selection (possibly out of range), the rest is UTF-16 text.
    const qsizetype start = static_cast<std::int8_t>(data[0]);
    const qsizetype length = static_cast<std::int8_t>(data[1]);
    QString text(static_cast<qsizetype>((size - 2) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data + 2, static_cast<std::size_t>(text.size()) * 2);
    const LineState state{text, start, length};

    checkInRange(insertAtCursor(state, u"Pi"));
    checkInRange(insertAtCursor(state, u""));
    checkInRange(toggleSign(state));
    checkInRange(toggleSign(toggleSign(state)));
    checkInRange(enterExponent(state));
    checkInRange(enterDecimalPoint(state));
    checkInRange(backspace(state));
    checkInRange(clearLine(state));
    checkInRange(storeInMemory(state, data[0] % 7));
    checkInRange(recallMemory(state, data[1] % 7));
    return 0;
}
