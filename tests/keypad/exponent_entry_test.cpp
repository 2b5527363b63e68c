#include "../table_rows.h"
#include "edit_case.h"
#include "exponent_entry.h"

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

const EditCase kExponent[] = {
    {"EmptyLineGetsE", {"", 0, 0}, {"E", 1, 0}},
    {"StartOfLineGetsEBeforeDigit", {"5", 0, 0}, {"E5", 1, 0}},
    {"BetweenDigitsGetsE", {"12", 1, 0}, {"1E2", 2, 0}},
    {"AfterOperatorGetsPowerOfTen", {"2+", 2, 0}, {"2+*10^", 6, 0}},
    {"AfterCloseBracketGetsPowerOfTen", {"(1+2)", 5, 0}, {"(1+2)*10^", 9, 0}},
    {"AfterLetterGetsPowerOfTen", {"Pi", 2, 0}, {"Pi*10^", 6, 0}},
    {"AfterPointGetsPowerOfTen", {"2.", 2, 0}, {"2.*10^", 6, 0}},
    {"SecondExponentAfterDigit", {"2E5", 3, 0}, {"2E5E", 4, 0}},
    {"SelectionReplacedCharacterBeforeDecides", {"12+3", 2, 2}, {"12E", 3, 0}},
    {"SelectionAfterOperatorGetsPowerOfTen", {"1+23", 2, 2}, {"1+*10^", 6, 0}},
    {"SelectionFromStartGetsE", {"+5", 0, 1}, {"E5", 1, 0}},
    {"CharactersRightOfCursorAreIgnored", {"+5", 1, 0}, {"+*10^5", 5, 0}},
    {"OtherScriptsDigitIsNoDigit", {"\u0663", 1, 0}, {"\u0663*10^", 5, 0}},
};

class ExponentEntry : public testing::TestWithParam<EditCase> {};

TEST_P(ExponentEntry, GivesExpectedLine) {
    EXPECT_EQ(enterExponent(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, ExponentEntry, testing::ValuesIn(kExponent),
                         testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
