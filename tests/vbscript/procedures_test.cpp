#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

const ScriptCase kProcedures[] = {
    {"RecursiveFactorial", "Function f(n): If n < 2 Then f = 1 Else f = n * f(n - 1): End Function",
     "f(10)", "3628800 (Long)"},
    {"ResultIsEmptyWhenUnset", "Function g(): End Function", "IsEmpty(g())", "True (Boolean)"},
    {"BareNameReadsResult", "Function h(): h = 4: h = h + 1: End Function", "h()", "5 (Integer)"},
    {"CalledBeforeDefinition", "x = twice(4)\nFunction twice(n)\ntwice = 2 * n\nEnd Function", "x",
     "8 (Integer)"},
    {"DefinedInsideIfFalse", "If False Then\nFunction k(): k = 1: End Function\nEnd If", "k()",
     "1 (Integer)"},
    {"LaterDefinitionWins", "Function v(): v = 1: End Function\nFunction v(): v = 2: End Function",
     "v()", "2 (Integer)"},
    {"ByRefByDefault", "Sub inc(v): v = v + 1: End Sub\nq = 1: inc q: inc q", "q", "3 (Integer)"},
    {"ByVal", "Sub inc(ByVal v): v = v + 1: End Sub\nq = 1: inc q", "q", "1 (Integer)"},
    {"ParenthesesPassByValue", "Sub inc(v): v = v + 1: End Sub\nq = 1: inc (q)", "q",
     "1 (Integer)"},
    {"CallPassesByRef", "Sub inc(v): v = v + 1: End Sub\nq = 1: Call inc(q)", "q", "2 (Integer)"},
    {"ExpressionArgument", "Sub put(v): r = v: End Sub\nput (2 + 1) * 1000, ignoredNot\n", "1",
     "#450 Wrong number of arguments or invalid property assignment"},
    {"FirstArgumentInParentheses", "Sub put(v): r = v: End Sub\nput (2 + 1) * 1000", "r", "Empty"},
    {"ParenthesesOnTwoArguments", "Sub s2(a, b): End Sub\ns2(1, 2)", "1",
     "#1044 Cannot use parentheses when calling a Sub"},
    {"CallWithTwoArguments", "g = 0\nSub s2(a, b): g = a + b: End Sub\nCall s2(1, 2)", "g",
     "3 (Integer)"},
    {"UndeclaredInsideIsLocal", "Sub s(): loc = 5: End Sub\ns", "loc", "Empty"},
    {"GlobalsVisibleInside", "gv = 2\nSub s(): gv = gv * 10: End Sub\ns", "gv", "20 (Integer)"},
    {"DimInsideIsLocal", "gv = 2\nSub s(): Dim gv: gv = 7: End Sub\ns", "gv", "2 (Integer)"},
    {"ExitFunctionFromLoop",
     "Function first(): For i = 1 To 10: first = i: If i = 3 Then Exit Function\nNext: End "
     "Function",
     "first()", "3 (Integer)"},
    {"ExitSub", "Sub s(): x = 1: Exit Sub: x = 2: End Sub\ns", "x", "Empty"},
    {"WrongArgumentCount", "Function f(a): End Function", "f(1, 2)",
     "#450 Wrong number of arguments or invalid property assignment"},
    {"ArrayArgumentByValueCopies",
     "Function f(ByVal a): a(0) = 9: f = a(0): End Function\nb = Array(1)", "f(b) & b(0)",
     "\"91\" (String)"},
    {"ExitSubOutsideSub", "Function f(): Exit Sub: End Function", "1",
     "#1039 Invalid 'exit' statement"},
    {"MissingEndFunction", "Function f()\nx = 1", "1", "#1014 Expected 'End'"},
    {"WrongEnd", "Function f()\nEnd Sub", "1", "#1015 Expected 'Function'"},
    {"CallingAVariable", "v = 1: v 2", "1", "#13 Type mismatch"},
};

INSTANTIATE_TEST_SUITE_P(Procedures, ScriptTable, testing::ValuesIn(kProcedures), RowName());

} // namespace
} // namespace vbs::test
