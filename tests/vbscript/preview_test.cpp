#include "test_support.h"

namespace vbs::test {
namespace {

using namespace std::chrono_literals;

// Every row runs in a scope with these: plain values, an array, a procedure and an object
// whose default member counts its reads, so that a row that ran either would show.
constexpr const char* kScope = R"(Dim n, s, a, o, counter
n = 6 : s = "ab" : a = Array(1, 2) : counter = 0
Const k = 2
Class Loud
    Public Default Property Get Value
        counter = counter + 1 : Value = 1
    End Property
End Class
Set o = New Loud
Function Bump()
    counter = counter + 1 : Bump = counter
End Function)";

std::string previewText(Interpreter& in, const std::string& expression,
                        std::chrono::milliseconds limit = 50ms) {
    const std::optional<Variant> v = in.preview(utf16(expression), limit);
    return v ? describe(*v) : "refused";
}

class PreviewTable : public testing::TestWithParam<Case> {};

TEST_P(PreviewTable, GivesTheValueOnlyWhenNothingCanChange) {
    Interpreter in(quickOptions());
    ASSERT_EQ(execText(in, kScope), "ok");
    EXPECT_EQ(previewText(in, GetParam().input), GetParam().expected);
}

const Case kRows[] = {
    {"Operators", "1 + 2 * 3 ^ 2", "19 (Double)"},
    {"Brackets", "(1 + 2) * -3", "-9 (Integer)"},
    {"Variables", "n * k & s", "\"12ab\" (String)"},
    {"EqualsCompares", "n = 6", "True (Boolean)"},
    {"EffectFreeBuiltIns", "Sqr(16) + Len(s) + Abs(-1)", "7 (Double)"},
    {"Constants", "vbCrLf = Chr(13) & Chr(10)", "True (Boolean)"},
    {"Empty", "", "refused"},
    {"Failure", "1 / 0", "refused"},
    {"Statements", "n = 1 : n", "refused"},
    {"UnknownName", "nosuch + 1", "refused"},
    {"Rnd", "Rnd", "refused"},
    {"UserFunction", "Bump() + 1", "refused"},
    {"ObjectDefaultMember", "o + 1", "refused"},
    {"ObjectMember", "o.Value", "refused"},
    {"New", "New Loud", "refused"},
    {"ArrayElement", "a(0)", "refused"},
    {"ArrayInBuiltIn", "UBound(a)", "refused"},
    {"BuiltInOfObject", "CStr(o)", "refused"},
    {"Eval", "Eval(\"1\")", "refused"},
    {"Execute", "Execute(\"n = 1\")", "refused"},
    {"GetRef", "GetRef(\"Bump\")", "refused"},
    {"CreateObject", "CreateObject(\"Scripting.Dictionary\")", "refused"},
    {"SetLocale", "SetLocale(1033)", "refused"},
    {"MsgBox", "MsgBox(1)", "refused"},
    {"Err", "Err", "refused"},
};

INSTANTIATE_TEST_SUITE_P(Rows, PreviewTable, testing::ValuesIn(kRows), RowName());

// What a later call sees: the last error, Err, the variables, the random sequence, the names.
std::string state(Interpreter& in) {
    const std::string last = failure(in);
    const std::size_t names = in.globalNames().size();
    return last + " | " + std::to_string(names) + " | " +
           evalText(in, "counter & n & s & Err.Number & Rnd");
}

TEST(Preview, ChangesNothingALaterCallSees) {
    Interpreter with(quickOptions());
    Interpreter without(quickOptions());
    for (Interpreter* in : {&with, &without}) {
        ASSERT_EQ(execText(*in, std::string(kScope) +
                                    "\nRandomize 1\nOn Error Resume Next\nn = 1 / 0\nn = 6"),
                  "ok");
        EXPECT_EQ(evalText(*in, "Len(1, 2)"),
                  "#450 Wrong number of arguments or invalid property assignment");
    }
    for (const Case& row : kRows) {
        previewText(with, row.input);
    }
    // Stopped by its own limit (none at all here), while the normal run's limit is untouched.
    const std::string slow = "Len(Replace(Space(100000), \" \", \"ab\"))";
    EXPECT_EQ(previewText(with, slow, 0ms), "refused");
    EXPECT_EQ(state(with), state(without));
    EXPECT_EQ(evalText(with, slow), "200000 (Long)");
}

} // namespace
} // namespace vbs::test
