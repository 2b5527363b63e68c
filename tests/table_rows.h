#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Every table row has a name: it names the row's test and stands for the row in messages and in
// the test list. A test file's rows see the printer through `using testing_rows::PrintTo;` in
// their own namespace, where GoogleTest looks for it.
namespace testing_rows {

template <class Row>
requires requires(const Row& row) {
    std::string(row.name);
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

struct RowName {
    template <class Row> std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

} // namespace testing_rows
