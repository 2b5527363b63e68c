#include "../table_rows.h"
#include "edit_case.h"
#include "insert_at_cursor.h"

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

struct InsertCase {
    const char* name;
    LineState before;
    const char* inserted;
    LineState after;
};

const InsertCase kInsert[] = {
    {"IntoEmptyLine", {"", 0, 0}, "+", {"+", 1, 0}},
    {"AtCursorInMiddle", {"1234", 2, 0}, "*", {"12*34", 3, 0}},
    {"ReplacesSelection", {"1234", 1, 2}, "Ans", {"1Ans4", 4, 0}},
    {"ReplacesWholeSelectedLine", {"2+3", 0, 3}, "7", {"7", 1, 0}},
    {"AddsNoMultiplicationSign", {"2", 1, 0}, "Pi", {"2Pi", 3, 0}},
    {"PostfixPieceAtEnd", {"16", 2, 0}, "^(0.5)", {"16^(0.5)", 8, 0}},
    {"EmptyTextDeletesSelection", {"1234", 1, 2}, "", {"14", 1, 0}},
    {"EmptyTextWithoutSelectionChangesNothing", {"12", 1, 0}, "", {"12", 1, 0}},
    {"CursorBeyondEndIsClamped", {"ab", 7, 3}, "x", {"abx", 3, 0}},
    {"NegativeCursorIsClamped", {"ab", -4, -1}, "x", {"xab", 1, 0}},
    {"SelectionBeyondEndIsClamped", {"abcd", 2, 100}, "x", {"abx", 3, 0}},
    {"KeepsEveryCharacterBeyond32767",
     {QString("1").repeated(50'000), 40'000, 0},
     "+",
     {QString("1").repeated(40'000) + "+" + QString("1").repeated(10'000), 40'001, 0}},
};

class InsertAtCursor : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertAtCursor, GivesExpectedLine) {
    EXPECT_EQ(insertAtCursor(GetParam().before, QString(GetParam().inserted)), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, InsertAtCursor, testing::ValuesIn(kInsert), testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
