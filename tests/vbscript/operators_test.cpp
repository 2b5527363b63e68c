#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

class ExpressionTest : public testing::TestWithParam<Case> {};

TEST_P(ExpressionTest, GivesVBScriptsValueAndSubtype) {
    Interpreter in(quickOptions());
    EXPECT_EQ(evalText(in, GetParam().input), GetParam().expected);
}

std::string rowName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, ExpressionTest,
    testing::Values(Case{"UnaryMinusBeforePower", "-3^2", "9 (Double)"},
                    Case{"PowerLeftAssociative", "2^3^2", "64 (Double)"},
                    Case{"PowerBeforeTimes", "2*3^2", "18 (Double)"},
                    Case{"IntDivBelowPlus", "2+3\\4", "2 (Integer)"},
                    Case{"SlashBeforeBackslash", "5\\4/2", "2 (Long)"},
                    Case{"DivideThenIntDivide", "12/3\\2", "2 (Long)"},
                    Case{"ModBelowPlus", "7 Mod 4+2", "5 (Integer)"},
                    Case{"DoubleMinus", "--1", "1 (Integer)"},
                    Case{"MixedSigns", "+--+-+1", "-1 (Integer)"},
                    Case{"NegativeExponent", "2^-1", "0.5 (Double)"},
                    Case{"NegativeBaseNegativeExponent", "-2^-3", "-0.125 (Double)"},
                    Case{"ComparisonsChain", "1 = 1 < 0", "True (Boolean)"},
                    Case{"ComparisonsChainFalse", "0 > 1 = 1", "False (Boolean)"},
                    Case{"EmptyTextChain", "\"\" = True = False", "True (Boolean)"},
                    Case{"NotBelowComparison", "Not 1 = 2", "True (Boolean)"},
                    Case{"OrBelowAnd", "True Or False And False", "True (Boolean)"},
                    Case{"XorBelowOr", "True Or False Xor True", "False (Boolean)"},
                    Case{"XorAfterOr", "True Xor False Or True", "False (Boolean)"},
                    Case{"ConcatBelowPlus", "1 + 2 & 3 + 4", "\"37\" (String)"},
                    Case{"Parentheses", "(1 + 7) * 2 - 3", "13 (Integer)"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    ArithmeticSubtypes, ExpressionTest,
    testing::Values(Case{"IntegerPlusInteger", "7+7", "14 (Integer)"},
                    Case{"IntegerPlusLong", "7+777777", "777784 (Long)"},
                    Case{"IntegerPlusDouble", "7+9.99", "16.99 (Double)"},
                    Case{"BooleanCountsAsInteger", "7+True", "6 (Integer)"},
                    Case{"TwoBooleans", "True+False", "-1 (Integer)"},
                    Case{"FalsePlusTrue", "False + 6 + True", "5 (Integer)"},
                    Case{"MinusTrue", "3+5-True", "9 (Integer)"},
                    Case{"IntegerOverflowToLong", "32767 + 1", "32768 (Long)"},
                    Case{"LongOverflowToDouble", "2147483647 + 1", "2147483648 (Double)"},
                    Case{"IntegerTimesToLong", "300 * 300", "90000 (Long)"},
                    Case{"LongTimesToDouble", "100000 * 100000", "10000000000 (Double)"},
                    Case{"ByteStaysByte", "CByte(100) + CByte(100)", "200 (Byte)"},
                    Case{"ByteOverflowToInteger", "CByte(200) + CByte(100)", "300 (Integer)"},
                    Case{"SingleWithLongIsDouble", "CSng(1.5) + 100000", "100001.5 (Double)"},
                    Case{"SingleWithInteger", "CSng(1.5) + 1", "2.5 (Single)"},
                    Case{"CurrencyWithInteger", "CCur(1.25) * 2", "2.5 (Currency)"},
                    Case{"CurrencyWithDouble", "CCur(1.25) * 0.5", "0.625 (Double)"},
                    Case{"DatePlusNumber", "#1/1/2000# + 1", "1/2/2000 (Date)"},
                    Case{"DateMinusDate", "#1/3/2000# - #1/1/2000#", "2 (Double)"},
                    Case{"DoubleOverflow", "1E308 * 10", "#6 Overflow"},
                    Case{"HugeLiteral", "1e400", "#1031 Invalid number"},
                    Case{"UnderflowIsZero", "1e-320 * 1e-320", "0 (Double)"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Division, ExpressionTest,
    testing::Values(Case{"SlashGivesDouble", "21/7", "3 (Double)"},
                    Case{"SlashByTrue", "3/True", "-3 (Double)"},
                    Case{"EmptyDividend", "Empty/3", "0 (Double)"},
                    Case{"Fraction", "3/2", "1.5 (Double)"},
                    Case{"DivideByZero", "1/0", "#11 Division by zero"},
                    Case{"ZeroByZero", "0/0", "#6 Overflow"},
                    Case{"IntDivideByZero", "1\\0", "#11 Division by zero"},
                    Case{"ModByZero", "1 Mod 0", "#11 Division by zero"},
                    Case{"IntDivRoundsOperands", "4.6 \\ 1.5", "2 (Long)"},
                    Case{"IntDivRoundsDivisorDown", "4.6 \\ 1.49", "5 (Long)"},
                    Case{"ModRoundsHalfToEven", "11.6 Mod 5.5", "0 (Long)"},
                    Case{"ModOfDouble", "20.6 Mod 7", "0 (Long)"},
                    Case{"ModByDouble", "24 Mod 6.6", "3 (Long)"},
                    Case{"ModSignFollowsDividend", "-7 Mod 3", "-1 (Integer)"},
                    Case{"IntDivIntegerOverflow", "-32768 \\ -1", "32768 (Long)"},
                    Case{"IntDivBeyondLong", "3000000000 \\ 2", "#6 Overflow"},
                    Case{"PowerIsDouble", "2^3", "8 (Double)"},
                    Case{"PowerBeyondLong", "2^31", "2147483648 (Double)"},
                    Case{"SquareRootByPower", "2^0.5", "1.4142135623731 (Double)"},
                    Case{"NegativeBaseFraction", "(-8)^(1/3)",
                         "#5 Invalid procedure call or argument"},
                    Case{"PowerOverflow", "10^400", "#6 Overflow"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    TextMixing, ExpressionTest,
    testing::Values(Case{"TwoTextsJoin", "\"7\" + \"7\"", "\"77\" (String)"},
                    Case{"NumberPlusNumericText", "7 + \"7\"", "14 (Double)"},
                    Case{"NumericTextTimes", "\"3\" * \"4\"", "12 (Double)"},
                    Case{"NonNumericText", "7 + \"seven\"", "#13 Type mismatch"},
                    Case{"TextTimesNumber", "\"abc\" * 2", "#13 Type mismatch"},
                    Case{"TextWithBlanksAndSign", "\" 5- \" * 1", "-5 (Double)"},
                    Case{"TextInParentheses", "\"(5)\" * 1", "-5 (Double)"},
                    Case{"TextWithThousands", "\"1,000\" * 1", "1000 (Double)"},
                    Case{"TextHex", "\"&HF800\" * 1", "-2048 (Double)"},
                    Case{"TextOctal", "\"&o777\" * 1", "511 (Double)"},
                    Case{"TextCStyleHexIsNot", "\"0x1F\" * 1", "#13 Type mismatch"},
                    Case{"EmptyTextIsNoNumber", "\"\" * 1", "#13 Type mismatch"},
                    Case{"TrueTextIsNoNumber", "\"True\" * 1", "#13 Type mismatch"},
                    Case{"ConcatNumbers", "1 & 100000", "\"1100000\" (String)"},
                    Case{"ConcatBooleans", "True & False", "\"TrueFalse\" (String)"},
                    Case{"ConcatDouble", "1.5 & \"\"", "\"1.5\" (String)"},
                    Case{"ConcatDate", "#1/2/2003# & \"\"", "\"1/2/2003\" (String)"},
                    Case{"UnaryPlusKeepsText", "+\"true\"", "\"true\" (String)"},
                    Case{"UnaryPlusKeepsBoolean", "+True", "True (Boolean)"},
                    Case{"NegatedText", "-\"2\"", "-2 (Double)"},
                    Case{"NegatedMinInteger", "-(-32768)", "32768 (Long)"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    EmptyAndNull, ExpressionTest,
    testing::Values(Case{"PlusEmptyKeepsOther", "2 + Empty", "2 (Integer)"},
                    Case{"MinusEmpty", "2 - Empty", "2 (Integer)"},
                    Case{"EmptyPlusEmpty", "Empty + Empty", "0 (Integer)"},
                    Case{"EmptyPlusText", "Empty + \"a\"", "\"a\" (String)"},
                    Case{"NegatedEmpty", "-Empty", "0 (Integer)"},
                    Case{"UnknownNameIsEmpty", "nothingHere", "Empty"},
                    Case{"NullPlus", "2 + Null", "Null"}, Case{"NullTimes", "Null * 2", "Null"},
                    Case{"NullMod", "2 Mod Null", "Null"}, Case{"NegatedNull", "-Null", "Null"},
                    Case{"NullConcat", "\"ab \" & Null", "\"ab \" (String)"},
                    Case{"NullConcatNull", "Null & Null", "Null"},
                    Case{"EmptyConcat", "Empty & \"x\"", "\"x\" (String)"},
                    Case{"NullEquals", "Null = Null", "Null"}, Case{"NullLess", "1 < Null", "Null"},
                    Case{"NullAndTrue", "Null And True", "Null"},
                    Case{"NullAndFalse", "Null And False", "False (Boolean)"},
                    Case{"NullOrTrue", "Null Or True", "True (Boolean)"},
                    Case{"NullOrFalse", "Null Or False", "Null"},
                    Case{"NullXor", "Null Xor True", "Null"},
                    Case{"FalseEqvNull", "False Eqv Null", "Null"},
                    Case{"FalseImpNull", "False Imp Null", "True (Boolean)"},
                    Case{"NullImpTrue", "Null Imp True", "True (Boolean)"},
                    Case{"NullImpFalse", "Null Imp False", "Null"},
                    Case{"NotNull", "Not Null", "Null"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Comparisons, ExpressionTest,
    testing::Values(Case{"FalseAboveTrue", "False > True", "True (Boolean)"},
                    Case{"ZeroAboveTrue", "0 > True", "True (Boolean)"},
                    Case{"HexLongEqualsInteger", "16 = &h10&", "True (Boolean)"},
                    Case{"ZeroEqualsZeroPointZero", "0 = 0.0", "True (Boolean)"},
                    Case{"TextBinaryOrder", "\"ABC\" < \"abc\"", "True (Boolean)"},
                    Case{"TextReadAsLiteralNumber", "\"100\" > 1000", "False (Boolean)"},
                    Case{"LiteralNumberEqualsText", "3 = \"3\"", "True (Boolean)"},
                    Case{"LiteralAgainstWord", "3 < \"abc\"", "True (Boolean)"},
                    Case{"TrueTextIsNotTrue", "\"true\" <> True", "True (Boolean)"},
                    Case{"EmptyTextIsNotTrue", "\"\" = True", "False (Boolean)"},
                    Case{"EmptyEqualsEmpty", "Empty = Empty", "True (Boolean)"},
                    Case{"EmptyEqualsEmptyText", "Empty = \"\"", "True (Boolean)"},
                    Case{"EmptyEqualsZero", "Empty = 0", "True (Boolean)"},
                    Case{"EmptyBelowText", "Empty < \"a\"", "True (Boolean)"},
                    Case{"OldSpellingGreaterEqual", "2 => 1", "True (Boolean)"},
                    Case{"OldSpellingLessEqual", "2 =< 1", "False (Boolean)"},
                    Case{"OldSpellingNotEqual", "2 >< 1", "True (Boolean)"},
                    Case{"DatesCompare", "#1/2/2000# > #1/1/2000#", "True (Boolean)"},
                    Case{"IsNeedsObjects", "42 Is 42", "#424 Object required"},
                    Case{"NothingIsNothing", "Nothing Is Nothing", "True (Boolean)"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Logic, ExpressionTest,
    testing::Values(Case{"BooleanOr", "False Or True", "True (Boolean)"},
                    Case{"BitwiseOr", "&h01 Or &h02", "3 (Integer)"},
                    Case{"HexEndsAtNonHex", "(&h01or&h02)", "3 (Integer)"},
                    Case{"BitwiseAndLong", "65535 And 255", "255 (Long)"},
                    Case{"NotInteger", "Not 0", "-1 (Integer)"},
                    Case{"NotBoolean", "Not True", "False (Boolean)"},
                    Case{"NotEmpty", "Not Empty", "-1 (Integer)"},
                    Case{"XorIntegers", "5 Xor 3", "6 (Integer)"},
                    Case{"EqvBooleans", "True Eqv True", "True (Boolean)"},
                    Case{"ImpBooleans", "True Imp False", "False (Boolean)"},
                    Case{"BooleanAndInteger", "True And 6", "6 (Integer)"},
                    Case{"RoundsDoubleOperand", "2.5 Or 0", "2 (Long)"},
                    Case{"TextBooleanOperand", "\"True\" And True", "True (Boolean)"},
                    Case{"BeyondLongOverflows", "3000000000 And 1", "#6 Overflow"},
                    Case{"NothingNotSet", "Not Nothing", "#91 Object variable not set"}),
    rowName);

} // namespace
} // namespace vbs::test
