#pragma once

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

// Every table row has a name; it names the test and stands for the row in messages.
template <class Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

template <class Row> std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

} // namespace quorvix::keypad
