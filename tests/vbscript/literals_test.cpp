#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

INSTANTIATE_TEST_SUITE_P(NumberLiterals, ExpressionTable,
                         testing::Values(Case{"LeadingZeroNotOctal", "010", "10 (Integer)"},
                                         Case{"TrailingPoint", "10.", "10 (Double)"},
                                         Case{"LeadingPoint", ".5", "0.5 (Double)"},
                                         Case{"PointWithExponent", ".5e1", "5 (Double)"},
                                         Case{"ExponentWithPlus", "34e+5", "3400000 (Double)"},
                                         Case{"ExponentWithMinus", "56.789e-2", "0.56789 (Double)"},
                                         Case{"ZeroExponent", "34e0", "34 (Double)"},
                                         Case{"Underflow", "1e-94938484", "0 (Double)"},
                                         Case{"LargestInteger", "32767", "32767 (Integer)"},
                                         Case{"SmallestLong", "32768", "32768 (Long)"},
                                         Case{"LargestLong", "2147483647", "2147483647 (Long)"},
                                         Case{"BeyondLong", "2147483648", "2147483648 (Double)"},
                                         Case{"PointZeroIsDouble", "0.0", "0 (Double)"},
                                         Case{"NegativeLiteralIsLong", "-32768", "-32768 (Long)"},
                                         Case{"NegatedInteger", "-32767", "-32767 (Integer)"},
                                         Case{"HexByte", "&hff", "255 (Integer)"},
                                         Case{"HexAllOnesIsMinusOne", "&hffff", "-1 (Integer)"},
                                         Case{"HexSignBit", "&h8000", "-32768 (Integer)"},
                                         Case{"HexLongForm", "&hffff&", "65535 (Long)"},
                                         Case{"HexLongSmall", "&h10&", "16 (Integer)"},
                                         Case{"HexLongAllOnes", "&hffffffff&", "-1 (Integer)"},
                                         Case{"HexFiveDigits", "&h10000", "65536 (Long)"},
                                         Case{"Octal", "&O10", "8 (Integer)"},
                                         Case{"HexThenName", "\"x\" &hi", "\"x\" (String)"}),
                         RowName());

INSTANTIATE_TEST_SUITE_P(
    TextAndDateLiterals, ExpressionTable,
    testing::Values(Case{"DoubledQuote", "\"say \"\"hi\"\"\"", "\"say \"hi\"\" (String)"},
                    Case{"EmptyText", "\"\"", "\"\" (String)"},
                    Case{"NoBackslashEscapes", "\"a\\n\"", "\"a\\n\" (String)"},
                    Case{"Date", "#1/1/2011#", "1/1/2011 (Date)"},
                    Case{"DateTime", "#12/31/1999 11:59:59 PM#", "12/31/1999 11:59:59 PM (Date)"},
                    Case{"TimeOnly", "#6:30 AM#", "6:30:00 AM (Date)"},
                    Case{"Noon", "#12:00 PM#", "12:00:00 PM (Date)"},
                    Case{"IsoDate", "#2003-01-02#", "1/2/2003 (Date)"},
                    Case{"DayZeroMidnight", "CDate(0)", "12:00:00 AM (Date)"},
                    Case{"QuarterDay", "CDate(365.25)", "12/30/1900 6:00:00 AM (Date)"},
                    Case{"BeforeDayZero", "CDate(-1.25)", "12/29/1899 6:00:00 AM (Date)"},
                    Case{"Keywords", "TRUE & false & Empty", "\"TrueFalse\" (String)"},
                    Case{"NullKeyword", "Null", "Null"},
                    Case{"NothingKeyword", "TypeName(Nothing)", "\"Nothing\" (String)"}),
    RowName());

} // namespace
} // namespace vbs::test
