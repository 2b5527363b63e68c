#include "../table_rows.h"
#include "answer_text.h"

#include <cmath>
#include <gtest/gtest.h>

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

// The forms of each kind are the number formatter's (its golden scripts); these rows show each
// kind reaching its form.
const TextCase kValues[] = {
    {"Empty", ScriptValue::empty(), ""},
    {"True", ScriptValue::fromBool(true), "True"},
    {"False", ScriptValue::fromBool(false), "False"},
    {"Integer", ScriptValue::fromInteger(Kind::Integer, -32768), "-32768"},
    {"Long", ScriptValue::fromInteger(Kind::Long, 2147483647), "2147483647"},
    {"WholeDouble", ScriptValue::fromDouble(6), "6"},
    {"FifteenDigits", ScriptValue::fromDouble(3.0 / 7.0), "0.428571428571429"},
    {"ThirtiethUsesE", ScriptValue::fromDouble(1.0 / 30.0), "3.33333333333333E-02"},
    {"Infinity", ScriptValue::fromDouble(HUGE_VAL), "Infinity"},
    {"MinusInfinity", ScriptValue::fromDouble(-HUGE_VAL), "-Infinity"},
    {"NaN", ScriptValue::fromDouble(std::nan("")), "NaN"},
    {"SingleRnd", ScriptValue::fromNumber(Kind::Single, 11837123.0f / 16777216.0f), "0.7055475"},
    {"CurrencyMax", ScriptValue::fromInteger(Kind::Currency, 9223372036854775807LL),
     "922337203685477.5807"},
    {"DateAndTime", ScriptValue::fromNumber(Kind::Date, 365.25), "12/30/1900 6:00:00 AM"},
    {"String", ScriptValue::fromString(QStringLiteral("a\"b")), "a\"b"},
    {"ObjectWithText", ScriptValue::object(QStringLiteral("1,2"), true), "1,2"},
};

INSTANTIATE_TEST_SUITE_P(Values, AnswerTextTest, testing::ValuesIn(kValues),
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
