#include "../table_rows.h"
#include "number_format.h"
#include "test_support.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vbs::test {
namespace {

using testing_rows::PrintTo;

struct DoubleCase {
    const char* name;
    double value;
    const char* text;
};

class FormatDoubleTest : public testing::TestWithParam<DoubleCase> {};

TEST_P(FormatDoubleTest, Uses15DigitsAndTheFixedOrExponentForm) {
    EXPECT_EQ(utf8(formatDouble(GetParam().value)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, FormatDoubleTest,
    testing::Values(DoubleCase{"Whole", 6, "6"}, DoubleCase{"NoiseHidden", 0.1 + 0.2, "0.3"},
                    DoubleCase{"Near920", 919.9999999999999, "920"},
                    DoubleCase{"Times100", 9.2 * 100, "920"},
                    DoubleCase{"HalfBelow", 5.499999999999995, "5.49999999999999"},
                    DoubleCase{"ThreeSevenths", 3.0 / 7, "0.428571428571429"},
                    DoubleCase{"NegativeThird", -1.0 / 3, "-0.333333333333333"},
                    DoubleCase{"FifteenNines", 999999999999999, "999999999999999"},
                    DoubleCase{"OneE15", 1e15, "1E+15"},
                    DoubleCase{"BeyondFifteenDigits", 123456789012345678.0, "1.23456789012346E+17"},
                    DoubleCase{"TwoTo53", 9007199254740992.0, "9.00719925474099E+15"},
                    DoubleCase{"SmallFixed", 0.00001, "0.00001"},
                    DoubleCase{"FifteenDecimals", 1e-15, "0.000000000000001"},
                    DoubleCase{"SixteenDecimals", 1.5e-15, "1.5E-15"},
                    DoubleCase{"Thirtieth", 1.0 / 30, "3.33333333333333E-02"},
                    DoubleCase{"SmallQuotient", 3.0 / 777777, "3.85714671428957E-06"},
                    DoubleCase{"LargeExponent", 7 + 333.333e200, "3.33333E+202"},
                    DoubleCase{"TinyExponent", 3 / 333.333e200, "9.000009000009E-203"},
                    DoubleCase{"NegativeZero", -0.0, "0"},
                    DoubleCase{"NegativeLarge", -1e20, "-1E+20"}));

TEST(FormatDouble, UsesTheGivenSeparator) {
    EXPECT_EQ(utf8(formatDouble(0.5, u',')), "0,5");
    EXPECT_EQ(utf8(formatDouble(1.5e-20, u',')), "1,5E-20");
}

TEST(FormatSingle, UsesSevenDigits) {
    EXPECT_EQ(utf8(formatSingle(1e10f)), "1E+10");
    EXPECT_EQ(utf8(formatSingle(-2.5f)), "-2.5");
}

TEST(FormatCurrency, IsFixedWithUpToFourDecimals) {
    EXPECT_EQ(utf8(formatCurrency(9)), "0.0009");
    EXPECT_EQ(utf8(formatCurrency(-15000)), "-1.5");
    EXPECT_EQ(utf8(formatCurrency(INT64_MIN)), "-922337203685477.5808");
    EXPECT_EQ(utf8(formatCurrency(25000, u',')), "2,5");
}

} // namespace
} // namespace vbs::test
