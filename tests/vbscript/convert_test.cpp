#include "../table_rows.h"
#include "convert.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

using testing_rows::PrintTo;

struct TextNumberCase {
    const char* name;
    const char* text;
    char16_t decimal;
    bool numeric;
    double value;
};

class NumericTextTest : public testing::TestWithParam<TextNumberCase> {};

TEST_P(NumericTextTest, ReadsTextAsVBScriptDoes) {
    NumberLocale locale;
    locale.decimal = GetParam().decimal;
    locale.thousands = GetParam().decimal == u',' ? u'.' : u',';
    double value = -12345;
    EXPECT_EQ(parseNumericText(utf16(GetParam().text), locale, value), GetParam().numeric);
    if (GetParam().numeric) {
        EXPECT_DOUBLE_EQ(value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericTextTest,
    testing::Values(TextNumberCase{"Plain", "42", u'.', true, 42},
                    TextNumberCase{"BlanksAround", " \t42 ", u'.', true, 42},
                    TextNumberCase{"LeadingSign", "-4.5", u'.', true, -4.5},
                    TextNumberCase{"FractionOnly", ".5", u'.', true, 0.5},
                    TextNumberCase{"ExponentUnderflow", "1e-94938484", u'.', true, 0},
                    TextNumberCase{"HexLong", "&H10000", u'.', true, 65536},
                    TextNumberCase{"CommaDecimal", "2,5", u',', true, 2.5},
                    TextNumberCase{"DotThousandsInCommaLocale", "1.000,5", u',', true, 1000.5},
                    TextNumberCase{"DotIsNoDecimalInCommaLocale", "2.5", u',', true, 25},
                    TextNumberCase{"CurrencyAfterSign", "-$11.5", u'.', true, -11.5},
                    TextNumberCase{"SignAfterCurrency", "$-11", u'.', true, -11},
                    TextNumberCase{"CurrencyBehind", "11 $", u'.', true, 11},
                    TextNumberCase{"CurrencyInParentheses", "($1,000)", u'.', true, -1000},
                    TextNumberCase{"CurrencyAlone", "$", u'.', false, 0},
                    TextNumberCase{"TwoCurrencySymbols", "$11$", u'.', false, 0},
                    TextNumberCase{"CurrencyInside", "1$1", u'.', false, 0},
                    TextNumberCase{"TwoSigns", "-5-", u'.', false, 0},
                    TextNumberCase{"BareExponent", "1e", u'.', false, 0},
                    TextNumberCase{"TooLarge", "1e999", u'.', false, 0}));

struct DateCase {
    const char* name;
    const char* text;
    bool valid;
    double serial;
};

class DateTextTest : public testing::TestWithParam<DateCase> {};

TEST_P(DateTextTest, ReadsUSDatesAndTimes) {
    double serial = -1;
    EXPECT_EQ(parseDateText(utf16(GetParam().text), serial), GetParam().valid);
    if (GetParam().valid) {
        EXPECT_DOUBLE_EQ(serial, GetParam().serial);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateTextTest,
    testing::Values(
        DateCase{"DayZero", "12/30/1899", true, 0}, DateCase{"Y2K", "1/1/2000", true, 36526},
        DateCase{"WithTime", "1/1/2000 6:00 PM", true, 36526.75},
        DateCase{"Midnight", "12:00:00 AM", true, 0}, DateCase{"Noon", "12:00 PM", true, 0.5},
        DateCase{"TwentyFourHour", "18:00", true, 0.75},
        DateCase{"AttachedPm", "6:00PM", true, 0.75},
        DateCase{"YearFirst", "2000-01-01", true, 36526},
        DateCase{"TwoDigitYear", "1/1/29", true, 47119},
        DateCase{"BeforeDayZero", "12/29/1899 6:00 AM", true, -1.25},
        DateCase{"LeapDay", "2/29/2000", true, 36585}, DateCase{"NoLeapDay", "2/29/1900", false, 0},
        DateCase{"BadMonth", "13/1/2000", false, 0}, DateCase{"BadHour", "25:00", false, 0},
        DateCase{"Number", "4", false, 0}, DateCase{"Word", "soon", false, 0},
        DateCase{"Empty", "", false, 0}));

} // namespace
} // namespace vbs::test
