#pragma once

#include "../table_rows.h"
#include "line_state.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace quorvix::keypad {

// Readable failures: text, cursor and selection length.
inline void PrintTo(const LineState& state, std::ostream* os) {
    *os << '"' << state.text.toStdString() << "\" cursor " << state.selStart << " selected "
        << state.selLength;
}

// One named row of an edit table: the line before the key and the line after it.
struct EditCase {
    const char* name;
    LineState before;
    LineState after;
};

using testing_rows::PrintTo; // for EditCase

} // namespace quorvix::keypad
