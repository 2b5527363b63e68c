#include "../table_rows.h"
#include "decimal_point.h"
#include "edit_case.h"

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

// The point goes in at the cursor; the cursor then goes to the end, wherever the point went.
const EditCase kDecimalPoint[] = {
    {"EmptyLineGetsPointWithoutZero", {"", 0, 0}, {".", 1, 0}},
    {"AfterNumber", {"12", 2, 0}, {"12.", 3, 0}},
    {"SecondPointIsAllowed", {"1.5", 3, 0}, {"1.5.", 4, 0}},
    {"InMiddleCursorGoesToEnd", {"1234", 2, 0}, {"12.34", 5, 0}},
    {"ReplacesSelection", {"2+34", 2, 2}, {"2+.", 3, 0}},
    {"ReplacesMiddleSelectionCursorToEnd", {"2+34", 1, 1}, {"2.34", 4, 0}},
};

class DecimalPoint : public testing::TestWithParam<EditCase> {};

TEST_P(DecimalPoint, GivesExpectedLine) {
    EXPECT_EQ(enterDecimalPoint(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, DecimalPoint, testing::ValuesIn(kDecimalPoint),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
