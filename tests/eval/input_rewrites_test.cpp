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

class RewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, RewritesAsTheShorthandRulesSay) {
    const RewriteCase& c = GetParam();
    const RewrittenInput r = quorvix::rewriteInput(QString::fromUtf8(c.input), c.language);
    EXPECT_EQ(r.mode, c.mode);
    EXPECT_EQ(r.text.toStdString(), c.text);
}

constexpr auto VB = ScriptLanguage::VBScript;
constexpr auto JS = ScriptLanguage::JavaScript;

INSTANTIATE_TEST_SUITE_P(
    ImplicitMultiplication, RewriteTest,
    testing::Values(RewriteCase{"DigitBeforeBracket", "2(3)", VB, Mode::Expression, "2*(3)"},
                    RewriteCase{"BracketBeforeBracket", "(1+2)(3+4)", VB, Mode::Expression,
                                "(1+2)*(3+4)"},
                    RewriteCase{"BracketBeforeDigit", "(2)3", VB, Mode::Expression, "(2)*3"},
                    RewriteCase{"NameEndingInDigit", "x2(3)", VB, Mode::Expression, "x2*(3)"},
                    RewriteCase{"FunctionCallLeftAlone", "Sqr(4)", VB, Mode::Expression, "Sqr(4)"},
                    RewriteCase{"NegativeArgument", "Abs(-2)", VB, Mode::Expression, "Abs(-2)"},
                    RewriteCase{"DigitAfterLetterLeftAlone", "x2", VB, Mode::Expression, "x2"},
                    RewriteCase{"ChainOfBrackets", "2(3)(4)5", VB, Mode::Expression, "2*(3)*(4)*5"},
                    RewriteCase{"InsideQuotesToo", "\"2(3)\"", VB, Mode::Expression, "\"2*(3)\""},
                    RewriteCase{"SpaceBreaksThePair", "2 (3)", VB, Mode::Expression, "2 (3)"}),
    testing_rows::RowName());

INSTANTIATE_TEST_SUITE_P(
    Continuation, RewriteTest,
    testing::Values(RewriteCase{"Plus", "+5", VB, Mode::Expression, "Ans +5"},
                    RewriteCase{"MinusIsNotNegation", "-5", VB, Mode::Expression, "Ans -5"},
                    RewriteCase{"Times", "*2", VB, Mode::Expression, "Ans *2"},
                    RewriteCase{"Divide", "/2", VB, Mode::Expression, "Ans /2"},
                    RewriteCase{"Power", "^2", VB, Mode::Expression, "Ans ^2"},
                    RewriteCase{"PowerStaysInJavaScript", "^2", JS, Mode::Expression, "Ans ^2"},
                    RewriteCase{"LowerE", "e3", VB, Mode::Expression, "Ans*10^3"},
                    RewriteCase{"UpperE", "E3", VB, Mode::Expression, "Ans*10^3"},
                    RewriteCase{"NegativeExponent", "e-2", VB, Mode::Expression, "Ans*10^-2"},
                    RewriteCase{"NamesBeginningWithE", "exp(1)", VB, Mode::Expression,
                                "Ans*10^xp(1)"},
                    RewriteCase{"JavaScriptPowerOperator", "e3", JS, Mode::Expression, "Ans*10**3"},
                    RewriteCase{"OperatorBeforeE", "+e", VB, Mode::Expression, "Ans +e"}),
    testing_rows::RowName());

INSTANTIATE_TEST_SUITE_P(
    TrimAndEquals, RewriteTest,
    testing::Values(RewriteCase{"TrailingEquals", "7=", VB, Mode::Expression, "7"},
                    RewriteCase{"OnlyOneEqualsDropped", "7==", VB, Mode::Expression, "7="},
                    RewriteCase{"EqualsAlone", "=", VB, Mode::Expression, ""},
                    RewriteCase{"BlanksTrimmed", "  1+1  ", VB, Mode::Expression, "1+1"},
                    RewriteCase{"TabsStay", "\t1+1\t", VB, Mode::Expression, "\t1+1\t"},
                    RewriteCase{"EmptyInput", "", VB, Mode::Expression, ""},
                    RewriteCase{"BlanksBeforeOperator", "  +1", VB, Mode::Expression, "Ans +1"}),
    testing_rows::RowName());

INSTANTIATE_TEST_SUITE_P(
    StatementMode, RewriteTest,
    testing::Values(
        RewriteCase{"Assignment", "!x=5", VB, Mode::Statement, "x=5"},
        RewriteCase{"TrailingEqualsKept", "!x=5=", VB, Mode::Statement, "x=5="},
        RewriteCase{"ImplicitMultiplication", "!x=2(3)", VB, Mode::Statement, "x=2*(3)"},
        RewriteCase{"LowerAnsRefused", "!ans=1", VB, Mode::RefusedAnsAssignment, "ans=1"},
        RewriteCase{"MixedAnsRefused", "!Ans=1", VB, Mode::RefusedAnsAssignment, "Ans=1"},
        RewriteCase{"UpperAnsRefused", "!ANS=1", VB, Mode::RefusedAnsAssignment, "ANS=1"},
        RewriteCase{"BlankBeforeEqualsRuns", "!Ans =1", VB, Mode::Statement, "Ans =1"},
        RewriteCase{"BlankAfterBangRuns", "! ans=1", VB, Mode::Statement, " ans=1"},
        RewriteCase{"BangAlone", "!", VB, Mode::Statement, ""},
        RewriteCase{"NoContinuation", "!+1", VB, Mode::Statement, "+1"},
        RewriteCase{"NoEShorthand", "!e=1", VB, Mode::Statement, "e=1"}),
    testing_rows::RowName());

struct PositionCase {
    const char* name;
    const char* input;
    ScriptLanguage language;
    qsizetype rewrittenPosition;
    qsizetype inputPosition;
};

class InputPositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(InputPositionTest, TracesTheEnginePositionBackToTheInputLine) {
    const PositionCase& c = GetParam();
    const QString input = QString::fromUtf8(c.input);
    EXPECT_EQ(quorvix::inputPosition(input, quorvix::rewriteInput(input, c.language),
                                     c.rewrittenPosition),
              c.inputPosition);
}

INSTANTIATE_TEST_SUITE_P(Positions, InputPositionTest,
                         testing::Values(PositionCase{"Unchanged", "1+)", VB, 2, 2},
                                         PositionCase{"LeadingBlanks", "  1+)", VB, 2, 4},
                                         PositionCase{"AfterAddedStar", "2(3)+)", VB, 6, 5},
                                         PositionCase{"OnAddedStar", "2(3", VB, 1, 1},
                                         PositionCase{"AfterAnsPrefix", "+)", VB, 5, 1},
                                         PositionCase{"InsideAnsPrefix", "+)", VB, 1, 0},
                                         PositionCase{"AfterExponentShorthand", "e3)", VB, 8, 2},
                                         PositionCase{"FirstAfterExponent", "e)", VB, 7, 1},
                                         PositionCase{"AfterJavaScriptExponent", "e3)", JS, 9, 2},
                                         PositionCase{"StatementMark", "!x=)", VB, 2, 3},
                                         PositionCase{"PastTheEnd", "1+", VB, 2, 2},
                                         PositionCase{"OnlyBlanks", "   ", VB, 0, 3}));

TEST(ImplicitMultiplication, ScansInputsBeyondSixteenBitPositions) {
    // Over 32,767 characters the scan goes on to the end instead of stopping or wrapping.
    const QString input = QString(40000, u'1') + QStringLiteral("(2)");
    const QString out = quorvix::insertImplicitMultiplication(input);
    EXPECT_EQ(out.size(), input.size() + 1);
    EXPECT_TRUE(out.endsWith(QStringLiteral("1*(2)")));
}

TEST(ImplicitMultiplication, MegabyteOfPairsGetsOneStarEach) {
    QString input;
    for (int i = 0; i < 250000; ++i) {
        input += QStringLiteral("(1)");
    }
    const QString out = quorvix::insertImplicitMultiplication(input);
    EXPECT_EQ(out.size(), input.size() + 249999);
    EXPECT_EQ(out.count(u'*'), 249999);
}

} // namespace
