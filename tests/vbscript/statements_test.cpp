#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

// The one test of every statement table, whatever file holds its rows.
TEST_P(ScriptTable, LeavesTheExpectedState) {
    EXPECT_EQ(runScript(GetParam()), GetParam().expected);
}

const ScriptCase kAssignment[] = {
    {"Simple", "x = 5", "x", "5 (Integer)"},
    {"CaseInsensitiveKeywordPrefix", "Option_Var = 1: option_var = OPTION_VAR + 1", "OPTION_var",
     "2 (Integer)"},
    {"QuotedText", "s = \"a\"\"b\"", "s", "\"a\"b\" (String)"},
    // A run of joins grows its own result in place, never a text someone else holds.
    {"JoinsLeaveTheirOperands",
     "a = \"x\": b = Array(\"y\"): c = CStr(a) & 1 & 2: d = b(0) & 3 & 4: e = a & c",
     "a & b(0) & c & d & e", "\"xyx12y34xx12\" (String)"},
    // `s = s & ...` grows s's own text; never one a copy or a called procedure still holds.
    {"AppendLeavesCopies",
     "Dim k, keep, t\nFunction n(): keep = k: n = \"z\": End Function\nk = \"p\": t = k: k = k & "
     "\"q\": k = k & n() & \"c\"",
     "t & keep & k", "\"ppqpqzc\" (String)"},
    // x = y copies the value: neither later changes to y nor to x reach the other.
    {"PlainCopiesAreValues",
     "Function f(n): f = n: n = n + 1: End Function\na = Array(1): b = a: b(0) = 2: t = \"x\": u = "
     "t: u = u & \"y\": k = 3: r = f(k)",
     "a(0) & b(0) & t & u & k & r", "\"12xxy43\" (String)"},
    {"PlainCopiesAreValuesInAProcedure",
     "Function g(): Dim a, b: a = Array(1): b = a: b(0) = 2: g = a(0) & b(0): End Function", "g()",
     "\"12\" (String)"},
    {"LongAppendLoop", "s = \"\": For i = 1 To 100000: s = s & \"x\": Next",
     "Len(s) & Mid(s, 99999)", "\"100000xx\" (String)"},
    {"ColonsAndLines", "a = 1 :: :\nb = 2\r\nc = 3\rd = 4", "a+b+c+d", "10 (Integer)"},
    {"Continuation", "x =_\n3 + _  \n 4", "x", "7 (Integer)"},
    {"CommentAndRem", "x = 1 ' note\ny = 2 : Rem note\nREM whole line", "x + y", "3 (Integer)"},
    {"BracketedName", "[my var] = 4", "[my var] * 2", "8 (Integer)"},
    {"SetNothing", "Set x = Nothing", "x Is Nothing", "True (Boolean)"},
    {"ExpressionIsNoStatement", "5*4", "1", "#1024 Expected statement"},
    {"DefaultNeedsAProcedure", "Class A: Public Default x: End Class", "1",
     "#1024 Expected statement"},
    {"ConstKeepsSubtype", "Const c = -3", "c", "-3 (Integer)"},
    {"ConstExpression", "Const a = 2, b = a * 3", "b", "6 (Integer)"},
    {"ConstHoisted", "x = k: Const k = 7", "x", "7 (Integer)"},
    {"ConstCannotChange", "Const k = 1\nk = 2", "k", "#501 Illegal assignment"},
    {"ConstCannotTakeAnOperation", "Const k = 1\nk = k + 1", "k", "#501 Illegal assignment"},
    {"ConstNeedsLiteral", "Const k = x", "k", "#1045 Expected literal constant"},
};

INSTANTIATE_TEST_SUITE_P(Assignment, ScriptTable, testing::ValuesIn(kAssignment), RowName());

const ScriptCase kConditions[] = {
    {"OneLineThenElse", "If 1 > 2 Then x = 1 Else x = 2", "x", "2 (Integer)"},
    // Comparisons of plain values that are no two numbers: text, Null, Boolean, an array.
    {"TextComparison", "s = \"a\": If s = \"a\" Then x = 1 Else x = 2", "x", "1 (Integer)"},
    {"NullComparisonTakesElse", "n = Null: If n < 2 Then x = 1 Else x = 2", "x", "2 (Integer)"},
    {"BooleanAgainstNumber", "b = True: If b = -1 Then x = 1 Else x = 2", "x", "1 (Integer)"},
    {"FailedComparisonStops", "a = Array(1): If a = 1 Then x = 1 Else x = 2", "x",
     "#13 Type mismatch"},
    {"FailedComparisonResumesInThen",
     "On Error Resume Next: a = Array(1): If a = 1 Then x = 1 Else x = 2", "x", "1 (Integer)"},
    {"OneLineColonsBelongToThen", "y = 0: If False Then x = 1: y = 1", "y", "0 (Integer)"},
    {"OneLineTrailingEndIf", "If True Then x = 3 End If", "x", "3 (Integer)"},
    {"BlockElseIf",
     "x = 2\nIf x = 1 Then\ny = \"a\"\nElseIf x = 2 Then\ny = \"b\"\nElse\ny = \"c\"\nEnd If", "y",
     "\"b\" (String)"},
    {"BlockOnOneLine", "If True Then: x = 1: Else: x = 2: End If", "x", "1 (Integer)"},
    // A ":" right after Then starts the one-line form with an empty statement: the next
    // line runs whatever the condition.
    {"ThenColonOpensNoBlock", "x = 0\nIf False Then :\nx = 2", "x", "2 (Integer)"},
    {"ElseOnSameLine", "If False Then\nx = 1\nElse x = 2\nEnd If", "x", "2 (Integer)"},
    {"NullTakesElse", "If Null Then x = 2 Else x = 3", "x", "3 (Integer)"},
    {"FractionIsTrue", "If 0.1 Then x = 2", "x", "2 (Integer)"},
    {"TextTrue", "If \"TRUE\" Then x = 2", "x", "2 (Integer)"},
    {"TextZeroFalse", "x = 1: If \"0\" Then x = 2", "x", "1 (Integer)"},
    {"EmptyTextMismatch", "If \"\" Then x = 2", "x", "#13 Type mismatch"},
    {"MissingThen", "If x x = 1", "x", "#1017 Expected 'Then'"},
    {"MissingEndIf", "If x Then\ny = 1", "y", "#1014 Expected 'End'"},
    {"SelectFirstMatch",
     "Select Case 3: Case 1, 2: z = \"a\": Case 3 To 5: z = \"b\": Case 3: z = \"c\": End Select",
     "z", "\"b\" (String)"},
    {"SelectIs", "Select Case 9\nCase Is > 5\nz = 1\nCase Else\nz = 2\nEnd Select", "z",
     "1 (Integer)"},
    {"SelectTextAgainstLiteral",
     "x = \"3\": Select Case x: Case 3: r = 1: Case Else: r = 2: End Select", "r", "1 (Integer)"},
    {"NumberVariableBelowText", "v1 = \"100\": v2 = 1000", "(v1 > v2) & (v1 > 1000)",
     "\"TrueFalse\" (String)"},
    {"SelectElse", "Select Case \"q\": Case \"a\": z = 1: Case Else: z = 2: End Select", "z",
     "2 (Integer)"},
    {"SelectCaseWithoutColon", "Select Case 1\ncase 1  y = 200\nEnd Select", "y", "200 (Integer)"},
    {"SelectLaterCasesNotEvaluated", "Select Case 1: Case 1: z = 1: Case 1/0: z = 2: End Select",
     "z", "1 (Integer)"},
};

INSTANTIATE_TEST_SUITE_P(Conditions, ScriptTable, testing::ValuesIn(kConditions), RowName());

const ScriptCase kLoops[] = {
    {"SumOfSquares", "s = 0: For i = 1 To 100: s = s + i ^ 2: Next", "s", "338350 (Double)"},
    {"CounterAfterLoop", "For i = 1 To 3: Next", "i", "4 (Integer)"},
    {"StepDown", "For i = 10 To 1 Step -3: s = s & i: Next", "s", "\"10741\" (String)"},
    {"FractionalStep", "For x = 1 To 2 Step 0.5: n = n + 1: Next", "n", "3 (Integer)"},
    {"FractionalLimit", "For x = 1 To 2.5 Step 0.5: n = n + 1: Next", "n", "4 (Integer)"},
    {"StartPastEnd", "n = 0: For x = 1.5 To 1: n = n + 1: Next", "n", "0 (Integer)"},
    {"StepTrueCountsDown", "For i = 3 To 1 Step True: s = s & i: Next", "s", "\"321\" (String)"},
    {"TextBounds", "For i = \"1\" To \"3\": n = n + 1: Next", "n", "3 (Integer)"},
    {"BoundsEvaluatedOnce", "m = 3: For i = 1 To m: m = 10: n = n + 1: Next", "n", "3 (Integer)"},
    {"CounterChangeCounts", "For i = 1 To 10: i = i + 4: n = n + 1: Next", "n", "2 (Integer)"},
    {"ExitFor", "For i = 1 To 10: If i = 4 Then Exit For\nNext", "i", "4 (Integer)"},
    {"NextWithName", "For i = 1 To 2\nn = n + 1\nNext i", "n", "2 (Integer)"},
    {"ForEachArrayOnLines", "For Each e In Array(1, \"b\", 3)\nt = t & e\nNext", "t",
     "\"1b3\" (String)"},
    {"ForEachFirstIndexFastest",
     "Dim a(1, 1): a(0, 0) = 1: a(1, 0) = 2: a(0, 1) = 3: a(1, 1) = 4\nFor Each e In a: t = t & e: "
     "Next",
     "t", "\"1234\" (String)"},
    {"ForEachUnsizedArray", "Dim u(): n = 0: For Each e In u: n = 1: Next", "n", "0 (Integer)"},
    {"ForEachNotCollection", "For Each e In 5: Next", "1", "#451 Object not a collection"},
    {"DoWhile", "Do While k < 5: k = k + 1: Loop", "k", "5 (Integer)"},
    {"DoUntil", "Do Until k >= 5: k = k + 2: Loop", "k", "6 (Integer)"},
    {"LoopWhileRunsOnce", "Do: k = k + 1: Loop While False", "k", "1 (Integer)"},
    {"LoopUntil", "Do: m = m + 1: Loop Until m >= 7", "m", "7 (Integer)"},
    {"ExitDo", "Do: k = k + 1: If k = 3 Then Exit Do\nLoop", "k", "3 (Integer)"},
    {"WhileWend", "While w < 3: w = w + 1: Wend", "w", "3 (Integer)"},
    {"ExitDoLeavesOuterDoFromWhile", "Do\nWhile True\nn = n + 1\nExit Do\nWend\nLoop", "n",
     "1 (Integer)"},
    {"NullConditionEndsWhile", "While Null: n = 1: Wend", "n", "Empty"},
    {"ExitOutsideLoop", "Exit For", "1", "#1039 Invalid 'exit' statement"},
    {"MissingNext", "For i = 1 To 2\nx = 1", "1", "#1020 Expected 'Next'"},
    {"LoopWithoutDo", "x = 1\nLoop", "1", "#1038 'loop' without 'do'"},
    {"StrayNext", "Next", "1", "#1055 Unexpected 'Next'"},
};

INSTANTIATE_TEST_SUITE_P(Loops, ScriptTable, testing::ValuesIn(kLoops), RowName());

const ScriptCase kArrays[] = {
    {"FixedArray", "Dim a(3): a(0) = 5: a(3) = 7", "a(0) + a(3)", "12 (Integer)"},
    {"FourElements", "Dim a(3)", "UBound(a)", "3 (Long)"},
    {"IndexOutOfRange", "Dim a(3): a(4) = 1", "1", "#9 Subscript out of range"},
    {"ReadOutOfRange", "Dim a(3)", "a(4)", "#9 Subscript out of range"},
    {"WrongDimensionCount", "Dim a(3)", "a(1, 1)", "#9 Subscript out of range"},
    {"IndexRoundsHalfEven", "Dim a(3): a(2) = \"two\"", "a(2.5)", "\"two\" (String)"},
    {"TwoDimensions", "Dim m(2, 3): m(2, 3) = 9", "m(2, 3) & UBound(m, 2)", "\"93\" (String)"},
    {"ReDim", "Dim a(): ReDim a(5)", "UBound(a)", "5 (Long)"},
    {"ReDimEmptiesArray", "ReDim a(2): a(1) = 1: ReDim a(3)", "IsEmpty(a(1))", "True (Boolean)"},
    {"ReDimPreserve", "ReDim a(2): a(1) = \"k\": ReDim Preserve a(4)", "a(1) & UBound(a)",
     "\"k4\" (String)"},
    {"ReDimPreserveLastBound", "ReDim m(1, 1): m(1, 1) = 5: ReDim Preserve m(1, 3)", "m(1, 1)",
     "5 (Integer)"},
    {"ReDimPreserveOtherBound", "ReDim m(1, 1): ReDim Preserve m(2, 1)", "1",
     "#9 Subscript out of range"},
    {"ReDimFixedArray", "Dim a(2): ReDim a(3)", "1",
     "#10 This array is fixed or temporarily locked"},
    {"ReDimFixedArrayBeforeBounds", "Dim a(2): ReDim a(\"abc\")", "1",
     "#10 This array is fixed or temporarily locked"},
    {"ReDimMinusOne", "ReDim x(-1)", "UBound(x)", "-1 (Long)"},
    {"ReDimPreserveGrowth", "Dim a(): For i = 0 To 100000: ReDim Preserve a(i): a(i) = i: Next",
     "UBound(a) & \"|\" & a(4000)", "\"100000|4000\" (String)"},
    // For Each goes on over the elements it started with.
    {"ReDimPreserveInForEach",
     "a = Array(1, 2, 3): n = 0\nFor Each x In a: ReDim Preserve a(5): a(5) = 9: n = n + 1: Next",
     "n & UBound(a) & a(5)", "\"359\" (String)"},
    {"AssignmentCopies", "a = Array(1, 2): b = a: b(0) = 9", "a(0)", "1 (Integer)"},
    {"Erase", "Dim a(2): a(0) = 1: Erase a", "IsEmpty(a(0))", "True (Boolean)"},
    {"IndexOnNonArray", "x = 5", "x(1)", "#13 Type mismatch"},
    {"HugeReDim", "ReDim a(100000000)", "1", "#7 Out of memory"},
};

INSTANTIATE_TEST_SUITE_P(Arrays, ScriptTable, testing::ValuesIn(kArrays), RowName());

} // namespace
} // namespace vbs::test
