#include "../table_rows.h"
#include "answer_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using quorvix::ScriptValue;
using Kind = ScriptValue::Kind;

namespace {

using testing_rows::PrintTo;

struct TextCase {
    const char* name;
    ScriptValue value;
    const char* text;
};

class AnswerTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(AnswerTextTest, ShowsTheAnswerAsTheOutputBoxDoes) {
    const auto text = quorvix::answerText(GetParam().value, u'.');
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, AnswerTextTest,
    testing::Values(
        TextCase{"Empty", ScriptValue::empty(), ""},
        TextCase{"True", ScriptValue::fromBool(true), "True"},
        TextCase{"False", ScriptValue::fromBool(false), "False"},
        TextCase{"Integer", ScriptValue::fromInteger(Kind::Integer, -32768), "-32768"},
        TextCase{"Long", ScriptValue::fromInteger(Kind::Long, 2147483647), "2147483647"},
        TextCase{"WholeDouble", ScriptValue::fromDouble(6), "6"},
        TextCase{"NoiseHidden", ScriptValue::fromDouble(0.1 + 0.2), "0.3"},
        TextCase{"NoiseHiddenNear920", ScriptValue::fromDouble(919.9999999999999), "920"},
        TextCase{"FifteenDigits", ScriptValue::fromDouble(3.0 / 7.0), "0.428571428571429"},
        TextCase{"NegativeThird", ScriptValue::fromDouble(-1.0 / 3.0), "-0.333333333333333"},
        TextCase{"FifteenIntegerDigits", ScriptValue::fromDouble(999999999999999.0),
                 "999999999999999"},
        TextCase{"SixteenIntegerDigits", ScriptValue::fromDouble(1e15), "1E+15"},
        TextCase{"TwoPow53", ScriptValue::fromDouble(9007199254740992.0), "9.00719925474099E+15"},
        TextCase{"Large", ScriptValue::fromDouble(123456789012345678.0), "1.23456789012346E+17"},
        TextCase{"SmallFixed", ScriptValue::fromDouble(0.00001), "0.00001"},
        TextCase{"FifteenDecimalPlaces", ScriptValue::fromDouble(1e-15), "0.000000000000001"},
        TextCase{"SixteenDecimalPlaces", ScriptValue::fromDouble(1.5e-15), "1.5E-15"},
        TextCase{"ThirtiethUsesE", ScriptValue::fromDouble(1.0 / 30.0), "3.33333333333333E-02"},
        TextCase{"ThreeDigitExponent", ScriptValue::fromDouble(333.333e200), "3.33333E+202"},
        TextCase{"NegativeZero", ScriptValue::fromDouble(-0.0), "0"},
        TextCase{"Infinity", ScriptValue::fromDouble(std::numeric_limits<double>::infinity()),
                 "Infinity"},
        TextCase{"MinusInfinity", ScriptValue::fromDouble(-std::numeric_limits<double>::infinity()),
                 "-Infinity"},
        TextCase{"NaN", ScriptValue::fromDouble(std::nan("")), "NaN"},
        TextCase{"Single", ScriptValue::fromNumber(Kind::Single, 654322.23456f), "654322.3"},
        TextCase{"SingleRnd", ScriptValue::fromNumber(Kind::Single, 11837123.0f / 16777216.0f),
                 "0.7055475"},
        TextCase{"CurrencyMax", ScriptValue::fromInteger(Kind::Currency, 9223372036854775807LL),
                 "922337203685477.5807"},
        TextCase{"CurrencySmall", ScriptValue::fromInteger(Kind::Currency, 9), "0.0009"},
        TextCase{"CurrencyWhole", ScriptValue::fromInteger(Kind::Currency, -20000), "-2"},
        TextCase{"DateAndTime", ScriptValue::fromNumber(Kind::Date, 365.25),
                 "12/30/1900 6:00:00 AM"},
        TextCase{"TimeOnDayZero", ScriptValue::fromNumber(Kind::Date, 0), "12:00:00 AM"},
        TextCase{"String", ScriptValue::fromString(QStringLiteral("a\"b")), "a\"b"},
        TextCase{"ObjectWithText", ScriptValue::object(QStringLiteral("1,2"), true), "1,2"}),
    testing_rows::RowName());

TEST(AnswerText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(quorvix::answerText(ScriptValue::fromDouble(0.5), u',')->toStdString(), "0,5");
    EXPECT_EQ(quorvix::answerText(ScriptValue::fromDouble(1.5e-20), u',')->toStdString(),
              "1,5E-20");
}

TEST(AnswerText, NullAndObjectsWithoutTextHaveNone) {
    EXPECT_FALSE(quorvix::answerText(ScriptValue::null(), u'.').has_value());
    EXPECT_FALSE(
        quorvix::answerText(ScriptValue::object(QStringLiteral("why"), false), u'.').has_value());
}

} // namespace
