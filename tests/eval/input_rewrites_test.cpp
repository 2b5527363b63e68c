#include "../table_rows.h"
#include "input_rewrites.h"

#include <gtest/gtest.h>

using quorvix::RewrittenInput;
using quorvix::ScriptLanguage;
using Mode = RewrittenInput::Mode;

namespace {

using testing_rows::PrintTo;

struct RewriteCase {
    const char* name;
    const char* input;
    ScriptLanguage language;
    Mode mode;
    const char* text;
};

constexpr auto VB = ScriptLanguage::VBScript;
constexpr auto JS = ScriptLanguage::JavaScript;
constexpr auto kExpr = Mode::Expression;
constexpr auto kStmt = Mode::Statement;
constexpr auto kRefused = Mode::RefusedAnsAssignment;

const RewriteCase kRewrites[] = {
    {"DigitBeforeBracket", "2(3)", VB, kExpr, "2*(3)"},
    {"BracketBeforeBracket", "(1+2)(3+4)", VB, kExpr, "(1+2)*(3+4)"},
    {"BracketBeforeDigit", "(2)3", VB, kExpr, "(2)*3"},
    {"NameEndingInDigit", "x2(3)", VB, kExpr, "x2*(3)"},
    {"FunctionCallLeftAlone", "Sqr(4)", VB, kExpr, "Sqr(4)"},
    {"NegativeArgument", "Abs(-2)", VB, kExpr, "Abs(-2)"},
    {"DigitAfterLetterLeftAlone", "x2", VB, kExpr, "x2"},
    {"ChainOfBrackets", "2(3)(4)5", VB, kExpr, "2*(3)*(4)*5"},
    {"InsideQuotesToo", "\"2(3)\"", VB, kExpr, "\"2*(3)\""},
    {"SpaceBreaksThePair", "2 (3)", VB, kExpr, "2 (3)"},
    {"Plus", "+5", VB, kExpr, "Ans +5"},
    {"MinusIsNotNegation", "-5", VB, kExpr, "Ans -5"},
    {"Times", "*2", VB, kExpr, "Ans *2"},
    {"Divide", "/2", VB, kExpr, "Ans /2"},
    {"Power", "^2", VB, kExpr, "Ans ^2"},
    {"PowerStaysInJavaScript", "^2", JS, kExpr, "Ans ^2"},
    {"LowerE", "e3", VB, kExpr, "Ans*10^3"},
    {"UpperE", "E3", VB, kExpr, "Ans*10^3"},
    {"NegativeExponent", "e-2", VB, kExpr, "Ans*10^-2"},
    {"EAlone", "E", VB, kExpr, "Ans*10^"},
    {"EBeforeBracket", "e(2+1)", VB, kExpr, "Ans*10^(2+1)"},
    {"EBeforePoint", "e.5", VB, kExpr, "Ans*10^.5"},
    {"EBeforeBlank", "e 3", VB, kExpr, "Ans*10^ 3"},
    {"EBeforeMemory", "Ex", VB, kExpr, "Ans*10^x"},
    {"EBeforeMemoryThenOperator", "Ek+1", VB, kExpr, "Ans*10^k+1"},
    {"NameBeginningWithE", "Exp(1)", VB, kExpr, "Exp(1)"},
    {"LowerNameBeginningWithE", "exp(1)", VB, kExpr, "exp(1)"},
    {"UnsetNameBeginningWithE", "eps", VB, kExpr, "eps"},
    {"MemoryLetterStartsLongerName", "Exx", VB, kExpr, "Exx"},
    {"UnderscoreName", "e_1", VB, kExpr, "e_1"},
    {"JavaScriptName", "escape(\"a b\")", JS, kExpr, "escape(\"a b\")"},
    {"TimesSign", "2×3", VB, kExpr, "2*3"},
    {"DivisionSign", "6÷2", JS, kExpr, "6/2"},
    {"MinusSignContinuesFromAns", "−1", VB, kExpr, "Ans -1"},
    {"SignsInsideQuotesStay", "\"2×3\" & 2×3", VB, kExpr, "\"2×3\" & 2*3"},
    {"DoubledQuoteStaysInside", "\"a\"\"×\"", VB, kExpr, "\"a\"\"×\""},
    {"JavaScriptSingleQuotes", "'÷'+3−1", JS, kExpr, "'÷'+3-1"},
    {"JavaScriptEscapedQuote", "\"\\\"×\"", JS, kExpr, "\"\\\"×\""},
    {"JavaScriptPowerOperator", "e3", JS, kExpr, "Ans*10**3"},
    {"OperatorBeforeE", "+e", VB, kExpr, "Ans +e"},
    {"TrailingEquals", "7=", VB, kExpr, "7"},
    {"OnlyOneEqualsDropped", "7==", VB, kExpr, "7="},
    {"EqualsAlone", "=", VB, kExpr, ""},
    {"BlanksTrimmed", "  1+1  ", VB, kExpr, "1+1"},
    {"TabsStay", "\t1+1\t", VB, kExpr, "\t1+1\t"},
    {"EmptyInput", "", VB, kExpr, ""},
    {"BlanksBeforeOperator", "  +1", VB, kExpr, "Ans +1"},
    {"Assignment", "!x=5", VB, kStmt, "x=5"},
    {"TrailingEqualsKept", "!x=5=", VB, kStmt, "x=5="},
    {"StatementImplicitMultiplication", "!x=2(3)", VB, kStmt, "x=2*(3)"},
    {"LowerAnsRefused", "!ans=1", VB, kRefused, "ans=1"},
    {"MixedAnsRefused", "!Ans=1", VB, kRefused, "Ans=1"},
    {"UpperAnsRefused", "!ANS=1", VB, kRefused, "ANS=1"},
    {"BlankBeforeEqualsRuns", "!Ans =1", VB, kStmt, "Ans =1"},
    {"BlankAfterBangRuns", "! ans=1", VB, kStmt, " ans=1"},
    {"BangAlone", "!", VB, kStmt, ""},
    {"NoContinuation", "!+1", VB, kStmt, "+1"},
    {"NoEShorthand", "!e=1", VB, kStmt, "e=1"},
};

class RewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, RewritesAsTheShorthandRulesSay) {
    const RewriteCase& c = GetParam();
    const RewrittenInput r = quorvix::rewriteInput(QString::fromUtf8(c.input), c.language);
    EXPECT_EQ(r.mode, c.mode);
    EXPECT_EQ(r.text.toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, RewriteTest, testing::ValuesIn(kRewrites), testing_rows::RowName());

struct PositionCase {
    const char* name;
    const char* input;
    ScriptLanguage language;
    qsizetype rewrittenPosition;
    qsizetype inputPosition;
};

const PositionCase kPositions[] = {
    {"Unchanged", "1+)", VB, 2, 2},
    {"LeadingBlanks", "  1+)", VB, 2, 4},
    {"AfterAddedStar", "2(3)+)", VB, 6, 5},
    {"OnAddedStar", "2(3", VB, 1, 1},
    {"OnStarBeforeTheLastCharacter", "2(", VB, 2, 1},
    {"AfterAnsPrefix", "+)", VB, 5, 1},
    {"InsideAnsPrefix", "+)", VB, 1, 0},
    {"AfterExponentShorthand", "e3)", VB, 8, 2},
    {"FirstAfterExponent", "e)", VB, 7, 1},
    {"AfterJavaScriptExponent", "e3)", JS, 9, 2},
    {"StatementMark", "!x=)", VB, 2, 3},
    {"PastTheEnd", "1+", VB, 2, 2},
    {"OnlyBlanks", "   ", VB, 0, 3},
};

class InputPositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(InputPositionTest, TracesTheEnginePositionBackToTheInputLine) {
    const PositionCase& c = GetParam();
    const QString input = QString::fromUtf8(c.input);
    EXPECT_EQ(quorvix::inputPosition(input, quorvix::rewriteInput(input, c.language),
                                     c.rewrittenPosition),
              c.inputPosition);
}

INSTANTIATE_TEST_SUITE_P(Positions, InputPositionTest, testing::ValuesIn(kPositions),
                         testing_rows::RowName());

TEST(ImplicitMultiplication, ScansInputsBeyondSixteenBitPositions) {
    // Over 32,767 characters the scan goes on to the end instead of stopping or wrapping.
    const QString input = QString(40000, u'1') + QStringLiteral("(2)");
    const QString out = quorvix::insertImplicitMultiplication(input);
    EXPECT_EQ(out.size(), input.size() + 1);
    EXPECT_TRUE(out.endsWith(QStringLiteral("1*(2)")));
}

TEST(ImplicitMultiplication, MegabyteOfPairsGetsOneStarEach) {
    const QString out =
        quorvix::insertImplicitMultiplication(QStringLiteral("(1)").repeated(250000));
    EXPECT_EQ(out.size(), 750000 + 249999);
    EXPECT_EQ(out.count(u'*'), 249999);
}

} // namespace
