#include "../table_rows.h"
#include "edit_case.h"
#include "memories.h"

namespace quorvix::keypad {
namespace {

using testing_rows::PrintTo;

// Memories by index: 1 x, 2 y, 3 z, 4 c, 5 k.
struct MemoryCase {
    const char* name;
    LineState before;
    int index;
    LineState after;
};

// The window evaluates the stored statement afterwards, which selects the whole line.
const MemoryCase kStore[] = {
    {"ImplicitProductIntoZUnrewritten", {"2(3)", 4, 0}, 3, {"!z=2(3)", 0, 0}},
    {"LeadingOperatorIntoC", {"+1", 2, 0}, 4, {"!c=+1", 0, 0}},
    {"AnsIntoK", {"Ans", 3, 0}, 5, {"!k=Ans", 0, 0}},
    {"EmptyLineIntoY", {"", 0, 0}, 2, {"!y=", 0, 0}},
    {"StatementAfterStoreIsWrappedAgain", {"!x=5", 0, 4}, 2, {"!y=!x=5", 0, 0}},
    {"WholeTextUntrimmedWhateverSelected", {" 1+2 ", 2, 1}, 1, {"!x= 1+2 ", 0, 0}},
    {"IndexZeroLeavesLine", {"5", 1, 0}, 0, {"5", 1, 0}},
    {"IndexSixLeavesLine", {"5", 1, 0}, 6, {"5", 1, 0}},
    // Found by fuzzing: a stale selection past the text came back unchanged.
    {"BadIndexStillClampsTheSelection", {"(-3)", 0, 40}, 0, {"(-3)", 0, 4}},
};

class StoreInMemory : public testing::TestWithParam<MemoryCase> {};

TEST_P(StoreInMemory, BuildsStatement) {
    EXPECT_EQ(storeInMemory(GetParam().before, GetParam().index), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoreInMemory, testing::ValuesIn(kStore), testing_rows::RowName());

const MemoryCase kRecall[] = {
    {"ReplacesSelectedStatement", {"!x=5", 0, 4}, 1, {"x", 1, 0}},
    {"InsertsY", {"2*", 2, 0}, 2, {"2*y", 3, 0}},
    {"InsertsZ", {"", 0, 0}, 3, {"z", 1, 0}},
    {"InsertsC", {"+", 0, 0}, 4, {"c+", 1, 0}},
    {"IndexOutOfRangeLeavesLine", {"12", 1, 0}, -1, {"12", 1, 0}},
    {"BadIndexStillClampsTheCursor", {"12", 9, 0}, 7, {"12", 2, 0}},
};

class RecallMemory : public testing::TestWithParam<MemoryCase> {};

TEST_P(RecallMemory, InsertsName) {
    EXPECT_EQ(recallMemory(GetParam().before, GetParam().index), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, RecallMemory, testing::ValuesIn(kRecall), testing_rows::RowName());

} // namespace
} // namespace quorvix::keypad
