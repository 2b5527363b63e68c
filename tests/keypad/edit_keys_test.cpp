// The keys that edit the line by a rule of their own: the decimal point, the exponent, backspace
// and clear. Each table gives the line before the key and the line after it.
#include "../table_rows.h"
#include "decimal_point.h"
#include "edit_case.h"
#include "erase.h"
#include "exponent_entry.h"

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

const QString kSmile = QString::fromUtf16(u"\U0001F600"); // one character, two UTF-16 units

const EditCase kBackspace[] = {
    {"EmptyLineStaysEmpty", {"", 0, 0}, {"", 0, 0}},
    {"AfterFirstRemovesFirst", {"123", 1, 0}, {"23", 0, 0}},
    {"AtStartRemovesCharacterAfterCursor", {"123", 0, 0}, {"23", 0, 0}},
    {"AtStartRemovesTheOnlyCharacter", {"3", 0, 0}, {"", 0, 0}},
    {"RemovesSelection", {"1234", 1, 2}, {"14", 1, 0}},
    {"WholeLineSelectedLosesOnlyFirst", {"2+3", 0, 3}, {"+3", 0, 0}},
    {"SelectionFromStartLosesOnlyFirst", {"1234", 0, 2}, {"234", 0, 0}},
    {"NamesGoOneCharacterAtATime", {"2Pi", 3, 0}, {"2P", 2, 0}},
    {"PiecesGoOneCharacterAtATime", {"16^(0.5)", 8, 0}, {"16^(0.5", 7, 0}},
    {"CursorBeyondEndIsClamped", {"12", 9, 0}, {"1", 1, 0}},
    {"SelectionBeyondEndIsClamped", {"1234", 2, 50}, {"12", 2, 0}},
    {"NulIsAnOrdinaryCharacter",
     {QString(QChar(u'\0')) + "1", 2, 0},
     {QString(QChar(u'\0')), 1, 0}},
    {"SurrogatePairBeforeCursorGoesWhole", {"a" + kSmile, 3, 0}, {"a", 1, 0}},
    {"SurrogatePairAtStartGoesWhole", {kSmile + "a", 0, 0}, {"a", 0, 0}},
    {"CursorInsidePairRemovesPair", {"a" + kSmile + "b", 2, 0}, {"ab", 1, 0}},
    {"LoneHighSurrogateGoesAlone", {"a" + QString(QChar(0xD800)), 2, 0}, {"a", 1, 0}},
    {"LoneLowSurrogateGoesAlone", {QString(QChar(0xDC00)) + "a", 1, 0}, {"a", 0, 0}},
};

class Backspace : public testing::TestWithParam<EditCase> {};

TEST_P(Backspace, GivesExpectedLine) {
    EXPECT_EQ(backspace(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, Backspace, testing::ValuesIn(kBackspace), testing_rows::RowName());

const EditCase kClear[] = {
    {"EmptyLine", {"", 0, 0}, {"", 0, 0}},
    {"TextWithCursor", {"12+3", 2, 0}, {"", 0, 0}},
};

class Clear : public testing::TestWithParam<EditCase> {};

TEST_P(Clear, EmptiesLineCursorAtStart) {
    EXPECT_EQ(clearLine(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, Clear, testing::ValuesIn(kClear), testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
