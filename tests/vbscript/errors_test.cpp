#include "test_support.h"
#include "values/error_codes.h"

#include <gtest/gtest.h>
#include <set>

namespace vbs::test {
namespace {

// No two codes of the list share a number, or the second one's text could never be shown.
TEST(ErrorTable, NumbersAreUnique) {
    std::set<int> numbers;
#define VBS_CHECK_ERROR(name, number, text)                                                        \
    EXPECT_TRUE(numbers.insert(number).second) << #name << " repeats " << number;
    VBS_ERROR_LIST(VBS_CHECK_ERROR)
#undef VBS_CHECK_ERROR
}

TEST(ErrorTable, UnknownNumbersHaveTheGenericText) {
    EXPECT_FALSE(hasErrorText(1));
    EXPECT_EQ(utf8(errorText(1)), "Unknown runtime error");
}

const std::string kLongestName(255, 'n');
const std::string kTooLongName(256, 'n');

// The rows whose input a golden line cannot hold: line breaks, blanks, very long names.
TEST_P(ExpressionTable, GivesVBScriptsValueAndSubtype) {
    EXPECT_EQ(evalFresh(GetParam()), GetParam().expected);
}

const Case kCompileErrors[] = {
    {"StringAcrossLines", "\"ab\ncd\"", "#1033 Unterminated string constant"},
    {"TwoLines", "1\n3", "#1025 Expected end of statement"},
    {"TrailingLineEndsIgnored", "13\n\n", "13 (Integer)"},
    {"BlanksAreEmpty", "   ", "Empty"},
    {"NameOf255Characters", kLongestName.c_str(), "Empty"},
    {"NameOf256Characters", kTooLongName.c_str(), "#1030 Identifier too long"},
};

INSTANTIATE_TEST_SUITE_P(CompileErrors, ExpressionTable, testing::ValuesIn(kCompileErrors),
                         RowName());

const ScriptCase kOnError[] = {
    {"ResumeNextGoesOn", "On Error Resume Next: x = 1/0: y = 2", "y", "2 (Integer)"},
    {"ErrIsItsNumber", "On Error Resume Next: x = CInt(\"z\")", "Err", "13 (Long)"},
    {"GotoZeroClears", "On Error Resume Next: x = 1/0: On Error GoTo 0", "Err.Number", "0 (Long)"},
    {"GotoZeroStopsResuming", "On Error Resume Next\nOn Error GoTo 0\nx = 1/0", "1",
     "#11 Division by zero"},
    {"FailingIfEntersThen", "On Error Resume Next\nIf 1/0 Then x = \"then\" Else x = \"else\"", "x",
     "\"then\" (String)"},
    // An assignment computed straight into its variable must leave it as it was on failure.
    {"FailedOperatorKeepsTarget", "On Error Resume Next: x = 5: x = x + \"a\"", "x", "5 (Integer)"},
    {"FailedCallKeepsTarget", "On Error Resume Next: x = 5: x = x + Sqr(-1) * 2", "x",
     "5 (Integer)"},
    {"FailedRunKeepsTarget", "On Error Resume Next: x = 5: x = x + 1 + \"a\"", "x", "5 (Integer)"},
    {"OverflowKeepsTarget", "On Error Resume Next: z = 3: d = 1.7E308: z = d * 10", "z",
     "3 (Integer)"},
    {"RaiseUncaught", "Err.Raise 5", "1", "#5 Invalid procedure call or argument"},
    {"RaiseOwnNumber", "Err.Raise 1", "1", "#1 Unknown runtime error"},
    {"RaiseZero", "Err.Raise 0", "1", "#5 Invalid procedure call or argument"},
    {"RaiseCaught", "On Error Resume Next: Err.Raise 1000, \"me\", \"own\"",
     "Err.Number & Err.Description", "\"1000own\" (String)"},
    {"CalleeErrorCaughtByCaller",
     "Function bad(): bad = 1/0: End Function\nOn Error Resume Next\nx = bad()\ny = Err.Number",
     "y", "11 (Long)"},
    {"ResumeNextIsPerProcedure", "Sub s(): On Error Resume Next: x = 1/0: End Sub\ns\nz = 1/0", "1",
     "#11 Division by zero"},
    {"ErrAssignable", "Err.Number = 7", "Err.Number", "7 (Long)"},
};

INSTANTIATE_TEST_SUITE_P(OnError, ScriptTable, testing::ValuesIn(kOnError), RowName());

const ScriptCase kOptionExplicit[] = {
    {"UndeclaredWrite", "Option Explicit\nx = 1", "1", "#500 Variable is undefined"},
    {"UndeclaredRead", "Option Explicit\nDim y: y = z", "1", "#500 Variable is undefined"},
    {"Declared", "Option Explicit\nDim x: x = 1", "x", "1 (Integer)"},
    {"DeclaredBelow", "Option Explicit\nx = 1\nDim x", "x", "1 (Integer)"},
    {"InsideProcedure", "Option Explicit\nSub s(): q = 1: End Sub\ns", "1",
     "#500 Variable is undefined"},
    {"KeywordsAnyCase", "OPTION EXPLICIT : : DIM W\nw = 2", "w", "2 (Integer)"},
    {"ReachesExecutedText", "Option Explicit\nExecute \"q = 1\"", "1",
     "#500 Variable is undefined"},
};

INSTANTIATE_TEST_SUITE_P(OptionExplicit, ScriptTable, testing::ValuesIn(kOptionExplicit),
                         RowName());

// A class shares its name with no script-level variable or procedure (Microsoft's list of
// syntax errors: Name redefined; which clashes Windows reports is unconfirmed).
const ScriptCase kNameClashes[] = {
    {"DimThenClass", "Dim c\nClass c: End Class", "1", "#1041 Name redefined"},
    {"ClassThenDim", "Class c: End Class\nDim c", "1", "#1041 Name redefined"},
    {"SubAndClass", "Sub c: End Sub\nClass c: End Class", "1", "#1041 Name redefined"},
    {"ClassRedefined", "Class c: End Class\nExecuteGlobal \"Class c: End Class\"",
     "TypeName(New c)", "\"c\" (String)"},
};

INSTANTIATE_TEST_SUITE_P(NameClashes, ScriptTable, testing::ValuesIn(kNameClashes), RowName());

} // namespace
} // namespace vbs::test
