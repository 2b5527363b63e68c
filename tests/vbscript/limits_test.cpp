#include "memory_budget.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

std::string repeat(const std::string& piece, int times) {
    std::string out;
    out.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// No input may crash the interpreter: nesting beyond the limit is "Out of stack space", and
// the interpreter goes on working afterwards.
TEST(Limits, DeepParenthesesRunOutOfStack) {
    Interpreter in(quickOptions());
    const std::string deep = repeat("(", 100000) + "1" + repeat(")", 100000);
    EXPECT_EQ(evalText(in, deep), "#28 Out of stack space");
    EXPECT_EQ(evalText(in, "1+1"), "2 (Integer)");
}

TEST(Limits, ModerateNestingWorks) {
    Interpreter in(quickOptions());
    EXPECT_EQ(evalText(in, repeat("(", 200) + "7" + repeat(")", 200)), "7 (Integer)");
}

TEST(Limits, DeepUnaryChainsRunOutOfStack) {
    Interpreter in(quickOptions());
    EXPECT_EQ(evalText(in, repeat("-", 100000) + "1"), "#28 Out of stack space");
    EXPECT_EQ(evalText(in, repeat("Not ", 100000) + "1"), "#28 Out of stack space");
}

TEST(Limits, DeepBlocksRunOutOfStack) {
    Interpreter in(quickOptions());
    const std::string nested =
        repeat("If True Then\n", 50000) + "x = 1\n" + repeat("End If\n", 50000);
    EXPECT_EQ(execText(in, nested), "#28 Out of stack space");
}

TEST(Limits, LongFlatExpressionIsComputed) {
    Interpreter in(quickOptions());
    EXPECT_EQ(evalText(in, repeat("1+", 500000) + "1"), "500001 (Long)");
}

TEST(Limits, RecursionOnOneHundredLevelsWorks) {
    Interpreter in(quickOptions());
    ASSERT_EQ(execText(in, "Function depth(n): If n = 0 Then depth = 0 Else depth = 1 + "
                           "depth(n - 1)\nEnd Function"),
              "ok");
    EXPECT_EQ(evalText(in, "depth(100)"), "100 (Integer)");
}

TEST(Limits, OnErrorCannotCatchTheTimeOut) {
    InterpreterOptions o;
    o.timeLimit = std::chrono::milliseconds(100);
    Interpreter in(o);
    EXPECT_EQ(execText(in, "On Error Resume Next\nDo\nx = 1/0\nLoop"),
              "#10001 Script timed out after 100 milliseconds");
}

TEST(Limits, EndlessRecursionInLoopTimesOut) {
    InterpreterOptions o;
    o.timeLimit = std::chrono::milliseconds(100);
    Interpreter in(o);
    ASSERT_EQ(execText(in, "Sub s(): End Sub"), "ok");
    EXPECT_EQ(execText(in, "While True: s: Wend"),
              "#10001 Script timed out after 100 milliseconds");
}

TEST(Limits, TimeOutTextInSeconds) {
    InterpreterOptions o;
    o.timeLimit = std::chrono::seconds(1);
    Interpreter in(o);
    EXPECT_EQ(execText(in, "Do: Loop"), "#10001 Script timed out after 1 second");
}

// A million joins in one expression: linear, yet far longer than a millisecond.
const std::string kJoinChain = "Len(" + repeat("1&", 999989) + "1)";
const std::string kTextJoinChain = "Len(" + repeat("\"ab\"&", 999999) + "\"ab\")";

// One built-in call over millions of pieces, or one expression of a million operations,
// stops at the time limit like a loop does.
class LongBuiltinCallTest : public testing::TestWithParam<Case> {};

TEST_P(LongBuiltinCallTest, TimesOut) {
    InterpreterOptions o;
    o.timeLimit = std::chrono::milliseconds(1);
    Interpreter in(o);
    ASSERT_EQ(execText(in, "s = String(8000000, \",\"): ReDim a(3000000)"), "ok");
    EXPECT_EQ(evalText(in, GetParam().input), "#10001 Script timed out after 1 millisecond");
    EXPECT_EQ(evalText(in, "Len(s)"), "8000000 (Long)");
}

INSTANTIATE_TEST_SUITE_P(Calls, LongBuiltinCallTest,
                         testing::Values(Case{"Split", "UBound(Split(s, \",\"))", ""},
                                         Case{"Join", "Len(Join(a, \"x\"))", ""},
                                         Case{"Filter", "UBound(Filter(a, \"x\"))", ""},
                                         Case{"Replace", "Len(Replace(s, \",\", \"ab\"))", ""},
                                         Case{"ReplaceText",
                                              "Len(Replace(s, \",\", \"ab\", 1, -1, 1))", ""},
                                         Case{"JoinChain", kJoinChain.c_str(), ""},
                                         Case{"TextJoinChain", kTextJoinChain.c_str(), ""}),
                         RowName());

TEST(Limits, TextCompareReplaceIsLinear) {
    // Folding the whole text once per match took hours on a megabyte of matches.
    Interpreter in(quickOptions());
    EXPECT_EQ(evalText(in, "Len(Replace(String(1000000, \"a\"), \"A\", \"bc\", 1, -1, 1))"),
              "2000000 (Long)");
}

class HugeValueTest : public testing::TestWithParam<Case> {};

TEST_P(HugeValueTest, IsOutOfMemoryNotACrash) {
    EXPECT_EQ(evalFresh(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, HugeValueTest,
    testing::Values(Case{"String", "String(2000000000, \"a\")", "#7 Out of memory"},
                    Case{"ManyBytes", "Len(Space(1000000))", "1000000 (Long)"}),
    RowName());

TEST(Limits, HugeReDimIsOutOfMemory) {
    Interpreter in(quickOptions());
    EXPECT_EQ(execText(in, "ReDim a(2147483647)"), "#7 Out of memory");
}

TEST(Limits, LiveStringsAreCountedInTheMemoryBudget) {
    Interpreter in(quickOptions());
    const std::size_t before = MemoryBudget::used();
    ASSERT_EQ(execText(in, "big = Space(1000000)"), "ok");
    EXPECT_GE(MemoryBudget::used(), before + 2000000);
    ASSERT_EQ(execText(in, "big = Empty"), "ok");
    EXPECT_LT(MemoryBudget::used(), before + 2000000);
}

// Nested arrays are shared, not copied, so doubling costs nothing; the nesting limit ends it.
TEST(Limits, DoublingNestedArraysEndAtTheNestingLimit) {
    Interpreter in(quickOptions());
    EXPECT_EQ(execText(in, "a = Array(1): Do: a = Array(a, a): Loop"), "#28 Out of stack space");
    EXPECT_EQ(evalText(in, "UBound(a)"), "1 (Long)");
}

TEST(Limits, ArrayInsideAnArrayKeepsItsValue) {
    Interpreter in(quickOptions());
    ASSERT_EQ(execText(in, "a = Array(1, 2): b = Array(a): a(0) = 9: c = b(0)"), "ok");
    EXPECT_EQ(evalText(in, "c(0)"), "1 (Integer)");
    ASSERT_EQ(execText(in, "Dim d(1): d(0) = a: a(1) = 7: e = d(0)"), "ok");
    EXPECT_EQ(evalText(in, "e(1)"), "2 (Integer)");
}

TEST(Limits, DeeplyNestedArraysRunOutOfStack) {
    Interpreter in(quickOptions());
    EXPECT_EQ(execText(in, "a = Array(1): Do: a = Array(a): Loop"), "#28 Out of stack space");
    EXPECT_EQ(execText(in, "Dim b(0): Do: b(0) = b: Loop"), "#28 Out of stack space");
}

} // namespace
} // namespace vbs::test
