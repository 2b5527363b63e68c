#include "number_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

// The rest of the forms are in golden/expressions/number_text.vbs.
TEST(FormatDouble, UsesTheGivenSeparator) {
    EXPECT_EQ(utf8(formatDouble(0.5, u',')), "0,5");
    EXPECT_EQ(utf8(formatDouble(1.5e-20, u',')), "1,5E-20");
}

TEST(FormatCurrency, ShowsTheSmallestAndUsesTheGivenSeparator) {
    EXPECT_EQ(utf8(formatCurrency(INT64_MIN)), "-922337203685477.5808");
    EXPECT_EQ(utf8(formatCurrency(25000, u',')), "2,5");
}

} // namespace
} // namespace vbs::test
