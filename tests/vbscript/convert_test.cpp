#include "test_support.h"
#include "values/convert.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

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

// The comma locale; the US rows are in golden/expressions/number_text.vbs.
INSTANTIATE_TEST_SUITE_P(
    Texts, NumericTextTest,
    testing::Values(TextNumberCase{"CommaDecimal", "2,5", u',', true, 2.5},
                    TextNumberCase{"DotThousandsInCommaLocale", "1.000,5", u',', true, 1000.5},
                    TextNumberCase{"DotIsNoDecimalInCommaLocale", "2.5", u',', true, 25}));

} // namespace
} // namespace vbs::test
