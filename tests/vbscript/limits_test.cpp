#include "objects/object.h"
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

// One run that meets a limit. Nothing may crash: it ends in VBScript's own error, and the
// interpreter goes on working afterwards. The outcome shows the statements' result (when there
// are statements), then the expression's value (when there is one), joined by " | ".
struct LimitCase {
    const char* name;
    std::string statements;
    std::string expression;
    std::string expected;
    int timeLimitMs = 60'000;
};

const std::string kOutOfStack = "#28 Out of stack space";

const LimitCase kLimits[] = {
    {"DeepParentheses", "", repeat("(", 100000) + "1" + repeat(")", 100000), kOutOfStack},
    {"ModerateNesting", "", repeat("(", 200) + "7" + repeat(")", 200), "7 (Integer)"},
    {"DeepNegation", "", repeat("-", 100000) + "1", kOutOfStack},
    {"DeepNot", "", repeat("Not ", 100000) + "1", kOutOfStack},
    {"DeepBlocks", repeat("If True Then\n", 50000) + "x = 1\n" + repeat("End If\n", 50000), "",
     kOutOfStack},
    {"LongFlatExpression", "", repeat("1+", 500000) + "1", "500001 (Long)"},
    {"HundredLevelsOfRecursion",
     "Function depth(n): If n = 0 Then depth = 0 Else depth = 1 + depth(n - 1)\nEnd Function",
     "depth(100)", "ok | 100 (Integer)"},
    {"OnErrorCannotCatchTheTimeOut", "On Error Resume Next\nDo\nx = 1/0\nLoop", "",
     "#10001 Script timed out after 100 milliseconds", 100},
    {"EndlessCallsInALoopTimeOut", "Sub s(): End Sub\nWhile True: s: Wend", "",
     "#10001 Script timed out after 100 milliseconds", 100},
    {"TimeOutTextInSeconds", "Do: Loop", "", "#10001 Script timed out after 1 second", 1000},
    // Folding the whole text once per match took hours on a megabyte of matches.
    {"TextCompareReplaceIsLinear", "",
     "Len(Replace(String(1000000, \"a\"), \"A\", \"bc\", 1, -1, 1))", "2000000 (Long)"},
    {"HugeText", "", "String(2000000000, \"a\")", "#7 Out of memory"},
    {"HugeSpace", "", "Space(2000000000)", "#7 Out of memory"},
    {"HugeTwoDimensionalReDim", "ReDim huge(100000, 100000)", "", "#7 Out of memory"},
    {"DoublingTextStopsAtTheLongestText", "s = \"x\": Do: s = s & s: Loop", "Len(s)",
     "#7 Out of memory | 16777216 (Long)"},
    {"RunawayRecursion", "Function r(n): r = r(n + 1): End Function", "r(0)",
     "ok | " + kOutOfStack},
    {"RunawayRecursionInAnOperator", "Function r(n): r = Abs(n) + r(n + 1): End Function", "r(0)",
     "ok | " + kOutOfStack},
    // Through a method named alone, through Me and through a variable holding the object.
    {"RunawayMethodRecursion",
     "Dim o: Class M: Function a(n): a = b(n + 1): End Function\n"
     "Function b(n): b = Me.c(n + 1): End Function: Function c(n): c = o.a(n + 1): End Function\n"
     "End Class: Set o = New M",
     "o.a(0)", "ok | " + kOutOfStack},
    // A procedure RegExp.Replace calls for each match runs within the run's limits.
    {"EndlessReplaceCallbackTimesOut",
     "Function f(m, p, s): Do: Loop: End Function\nSet r = New RegExp: r.Pattern = \"a\"",
     "r.Replace(\"aa\", GetRef(\"f\"))", "ok | #10001 Script timed out after 100 milliseconds",
     100},
    {"ReplaceCallbackCallingReplace",
     "Function f(m, p, s): f = r.Replace(s, GetRef(\"f\")): End Function\n"
     "Set r = New RegExp: r.Pattern = \"a\"",
     "r.Replace(\"a\", GetRef(\"f\"))", "ok | " + kOutOfStack},
    {"ReplaceCallbackDoublingText",
     "Function f(m, p, s): f = s & s: End Function\nSet r = New RegExp: r.Pattern = \".\"\n"
     "r.Global = True: t = \"ab\": Do: t = r.Replace(t, GetRef(\"f\")): Loop",
     "Len(t) > 0", "#7 Out of memory | True (Boolean)"},
    {"TimeOutKeepsWhatWasDone", "Do: x = x + 1: Loop", "x > 0",
     "#10001 Script timed out after 500 milliseconds | True (Boolean)", 500},
    {"ManyBytes", "", "Len(Space(1000000))", "1000000 (Long)"},
    {"HugeReDim", "ReDim a(2147483647)", "", "#7 Out of memory"},
    // Nested arrays are shared, not copied, so doubling costs nothing; the nesting limit ends it.
    {"DoublingNestedArrays", "a = Array(1): Do: a = Array(a, a): Loop", "UBound(a)",
     kOutOfStack + " | 1 (Long)"},
    {"ArrayInsideAnArrayKeepsItsValue",
     "a = Array(1, 2): b = Array(a): a(0) = 9: c = b(0)\nDim d(1): d(0) = a: a(1) = 7: e = d(0)",
     "c(0) & e(1)", "ok | \"12\" (String)"},
    {"DeeplyNestedArrays", "a = Array(1): Do: a = Array(a): Loop", "", kOutOfStack},
    {"ArrayHoldingItself", "Dim b(0): Do: b(0) = b: Loop", "", kOutOfStack},
    {"ArrayHoldingItselfByRef", "Sub put(v, x): v = x: End Sub\nDim b(0): Do: put b(0), b: Loop",
     "", kOutOfStack},
    // PCRE2 cannot be interrupted: the search is given work in slices checked against the clock.
    {"CatastrophicRegexTimesOut",
     "Set r = New RegExp: r.Pattern = \"(a+)+$\"\nx = r.Test(String(10000, \"a\") & \"b\")",
     "r.Test(\"aa\")", "#10001 Script timed out after 500 milliseconds | True (Boolean)", 500},
    {"RunawayDictionaries",
     "Do: Set o = CreateObject(\"Scripting.Dictionary\"): o.Add 1, String(1000, \"a\"): Loop",
     "o.Count < 2", "#10001 Script timed out after 500 milliseconds | True (Boolean)", 500},
    // Text run by Execute holds its size in the budget while it runs, so nesting long texts
    // ends in memory, not only in the stack.
    {"NestedExecuteOfLongText", "s = \"Execute s\" & Space(7000000): Execute s",
     "Eval(\"Len(\"\"\" & Space(3000000) & \"\"\")\")", "#7 Out of memory | 3000000 (Long)"},
    {"EvalCallingItsFunction", "Function f: f = Eval(\"f()\"): End Function", "f()",
     "ok | " + kOutOfStack},
    // Each object made ends the one before: the loop stops at the time limit, not in memory.
    {"RunawayNew",
     "Dim n: Class C: Sub Class_Terminate: n = n + 1: End Sub: End Class\n"
     "Do: Set o = New C: Loop",
     "n > 0", "#10001 Script timed out after 1 second | True (Boolean)", 1000},
};

class LimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(LimitTest, EndsCleanlyAndTheInterpreterGoesOn) {
    const LimitCase& row = GetParam();
    InterpreterOptions o;
    o.timeLimit = std::chrono::milliseconds(row.timeLimitMs);
    Interpreter in(o);
    std::string outcome = row.statements.empty() ? "" : execText(in, row.statements);
    if (!row.expression.empty()) {
        outcome += (outcome.empty() ? "" : " | ") + evalText(in, row.expression);
    }
    EXPECT_EQ(outcome, row.expected);
    EXPECT_EQ(evalText(in, "1+1"), "2 (Integer)");
}

INSTANTIATE_TEST_SUITE_P(Runs, LimitTest, testing::ValuesIn(kLimits), RowName());

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

const Case kCalls[] = {
    {"Split", "UBound(Split(s, \",\"))", ""},
    {"Join", "Len(Join(a, \"x\"))", ""},
    {"Filter", "UBound(Filter(a, \"x\"))", ""},
    {"Replace", "Len(Replace(s, \",\", \"ab\"))", ""},
    {"ReplaceText", "Len(Replace(s, \",\", \"ab\", 1, -1, 1))", ""},
    {"JoinChain", kJoinChain.c_str(), ""},
    {"TextJoinChain", kTextJoinChain.c_str(), ""},
};

INSTANTIATE_TEST_SUITE_P(Calls, LongBuiltinCallTest, testing::ValuesIn(kCalls), RowName());

TEST(Limits, LiveStringsAreCountedInTheMemoryBudget) {
    Interpreter in(quickOptions());
    const std::size_t before = in.memoryInUse();
    ASSERT_EQ(execText(in, "big = Space(1000000)"), "ok");
    EXPECT_GE(in.memoryInUse(), before + 2000000);
    ASSERT_EQ(execText(in, "big = Empty"), "ok");
    EXPECT_LT(in.memoryInUse(), before + 2000000);
}

// A short text lives inside its element: an array of them costs its elements and nothing more;
// a longer one is counted by its characters.
TEST(Limits, ShortTextsCostOnlyTheirElement) {
    Interpreter in(quickOptions());
    const std::size_t before = in.memoryInUse();
    ASSERT_EQ(execText(in, "ReDim a(299999): For i = 0 To 299999: a(i) = CStr(i Mod 97): Next\n"
                           "b = Split(Join(a, \",\"), \",\")"),
              "ok");
    EXPECT_EQ(in.memoryInUse() - before, 2 * 300000 * sizeof(Variant));
    ASSERT_EQ(execText(in, "Erase b: a(0) = String(8, \"x\") & \"y\""), "ok");
    EXPECT_EQ(in.memoryInUse() - before, 300000 * sizeof(Variant) + 2 * 9);
}

TEST(Limits, ObjectsAreCountedAndFreedWithTheirCyclesAndLongChains) {
    Interpreter in(quickOptions());
    const std::size_t before = in.memoryInUse();
    ASSERT_EQ(execText(in, "Class L: Public other, pad: End Class\n"
                           "For i = 1 To 1000: Set a = New L: Set a.other = a\n"
                           "a.pad = Space(1000): Next"),
              "ok");
    EXPECT_GE(in.memoryInUse(), before + 2000);
    // Only the last object is still held; the other 999 held only themselves.
    EXPECT_LT(in.memoryInUse(), before + 100000);
    EXPECT_EQ(evalText(in, "a.other Is a"), "True (Boolean)");
    ASSERT_EQ(execText(in, "Set h = Nothing: For i = 1 To 300000: Set n = New L: Set n.other = h: "
                           "Set h = n: Next\n"
                           "Set h = Nothing: Set n = Nothing: Set a = Nothing"),
              "ok");
    EXPECT_LT(in.memoryInUse(), before + 100000);
}

// Tells when the last reference to it goes.
class Probe final : public ObjectData {
public:
    explicit Probe(bool& gone) : gone_(gone) {}
    ~Probe() override { gone_ = true; }
    std::u16string_view typeName() const override { return u"Probe"; }
    int memberIndex(std::u16string_view) const override { return -1; }
    int defaultMember() const override { return -1; }
    Outcome invoke(Runtime&, int, MemberAccess, Variant*, std::size_t, Variant&) override {
        return Outcome::NoSuchMember;
    }

private:
    bool& gone_;
};

TEST(Limits, DictionariesAndMatchesAreCountedAndTheirCyclesFreed) {
    bool cycleGone = false;
    bool keptGone = false;
    {
        Interpreter in(quickOptions());
        const std::size_t before = in.memoryInUse();
        ASSERT_EQ(execText(in, "Set d = CreateObject(\"Scripting.Dictionary\")\n"
                               "For i = 1 To 1000: d.Add i, i: Next\n"
                               "Set r = New RegExp: r.Global = True: r.Pattern = \"a\"\n"
                               "Set m = r.Execute(String(1000, \"a\"))"),
                  "ok");
        EXPECT_GE(in.memoryInUse(), before + 1000 * (2 * sizeof(Variant) + 2 * sizeof(void*)));
        ASSERT_EQ(execText(in, "Set d = Nothing: Set m = Nothing"), "ok");
        EXPECT_LT(in.memoryInUse(), before + 10000);
        // A dictionary that holds itself (here through an object) is freed after the run...
        const std::string cycle =
            "Class Holder: Public d: End Class\n"
            "Set d = CreateObject(\"Scripting.Dictionary\"): Set h = New Holder\n"
            "Set h.d = d: d.Add 1, h: d.Add 2, probe: Set probe = Nothing\n";
        ASSERT_TRUE(in.setGlobal(u"probe", Variant::object(std::make_shared<Probe>(cycleGone))));
        ASSERT_EQ(execText(in, cycle + "Set d = Nothing: Set h = Nothing"), "ok");
        EXPECT_TRUE(cycleGone);
        // ... and one still held when the interpreter ends is freed with it.
        ASSERT_TRUE(in.setGlobal(u"probe", Variant::object(std::make_shared<Probe>(keptGone))));
        ASSERT_EQ(execText(in, cycle), "ok");
        EXPECT_FALSE(keptGone);
    }
    EXPECT_TRUE(keptGone);
}

} // namespace
} // namespace vbs::test
