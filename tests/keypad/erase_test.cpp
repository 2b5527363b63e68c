#include "../table_rows.h"
#include "edit_case.h"
#include "erase.h"

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

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
