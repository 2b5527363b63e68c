#include "builtins.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vbs::test {
namespace {

TEST(BuiltinTable, NamesAreLowerCaseAndUnique) {
    for (int i = 0; i < builtinCount(); ++i) {
        const std::u16string name = builtinAt(i).name;
        EXPECT_EQ(name, lowerAscii(name));
        EXPECT_EQ(findBuiltin(name), i) << utf8(name) << " appears twice";
        EXPECT_LE(builtinAt(i).minArgs, builtinAt(i).maxArgs) << utf8(name);
        // The signature names the function in its usual spelling, with arguments only when it
        // takes some.
        const std::u16string signature = builtinAt(i).signature;
        EXPECT_EQ(lowerAscii(signature.substr(0, name.size())), name) << utf8(signature);
        EXPECT_EQ(signature.size() > name.size(), builtinAt(i).maxArgs > 0) << utf8(signature);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Math, ExpressionTable,
    testing::Values(
        Case{"AbsKeepsLong", "Abs(-100000)", "100000 (Long)"},
        Case{"AbsOfText", "Abs(\"-2.5\")", "2.5 (Double)"},
        Case{"AbsTrue", "Abs(True)", "1 (Integer)"}, Case{"AbsNull", "Abs(Null)", "Null"},
        Case{"AbsMinInteger", "Abs(-32767-1)", "32768 (Long)"},
        Case{"SgnIsInteger", "Sgn(-2.5)", "-1 (Integer)"},
        Case{"SgnNull", "Sgn(Null)", "#94 Invalid use of Null"},
        Case{"IntFloors", "Int(-1.99)", "-2 (Double)"},
        Case{"FixTruncates", "Fix(-1.99)", "-1 (Double)"},
        Case{"IntTrue", "Int(True)", "-1 (Integer)"},
        Case{"IntCurrency", "Int(CCur(2.5))", "2 (Currency)"},
        Case{"SqrNegative", "Sqr(-1)", "#5 Invalid procedure call or argument"},
        Case{"SqrTrue", "Sqr(True)", "#5 Invalid procedure call or argument"},
        Case{"SqrEmpty", "Sqr(Empty)", "0 (Double)"}, Case{"Sqr16", "Sqr(16)", "4 (Double)"},
        Case{"LogZero", "Log(0)", "#5 Invalid procedure call or argument"},
        Case{"LogE", "Log(Exp(1))", "1 (Double)"}, Case{"ExpOverflow", "Exp(1000)", "#6 Overflow"},
        Case{"PiFromAtn", "4 * Atn(1)", "3.14159265358979 (Double)"},
        Case{"CosZero", "Cos(0)", "1 (Double)"}, Case{"SinZero", "Sin(0)", "0 (Double)"},
        Case{"TanZero", "Tan(0)", "0 (Double)"},
        Case{"RoundHalfUpToEven", "Round(3.5)", "4 (Double)"},
        Case{"RoundNegativeHalf", "Round(-3.5)", "-4 (Double)"},
        Case{"RoundHalfDownToEven", "Round(2.5)", "2 (Double)"},
        Case{"RoundPlaces", "Round(0.12345, 4)", "0.1234 (Double)"},
        Case{"RoundPlacesUp", "Round(0.12355, 4)", "0.1236 (Double)"},
        Case{"RoundKeepsInteger", "Round(7)", "7 (Integer)"},
        Case{"RoundKeepsBoolean", "Round(True)", "True (Boolean)"},
        Case{"RoundText", "Round(\"2.7\")", "3 (Double)"},
        Case{"RoundNegativePlaces", "Round(1, -1)", "#5 Invalid procedure call or argument"},
        Case{"HexMinusOne", "Hex(-1)", "\"FFFF\" (String)"},
        Case{"HexLongMinInteger", "Hex(-32768)", "\"FFFF8000\" (String)"},
        Case{"HexRoundsHalfEven", "Hex(228.5)", "\"E4\" (String)"},
        Case{"HexDoubleLong", "Hex(-2147483647.5)", "\"80000000\" (String)"},
        Case{"HexOverflow", "Hex(2147483647.5)", "#6 Overflow"},
        Case{"HexText", "Hex(\"test\")", "#13 Type mismatch"},
        Case{"HexEmpty", "Hex(Empty)", "\"0\" (String)"}, Case{"HexNull", "Hex(Null)", "Null"},
        Case{"OctMinusOne", "Oct(-1)", "\"177777\" (String)"},
        Case{"OctRounds", "Oct(9.5)", "\"12\" (String)"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Conversions, ExpressionTable,
    testing::Values(Case{"CIntHalfToEven", "CInt(0.5)", "0 (Integer)"},
                    Case{"CIntOneAndHalf", "CInt(1.5)", "2 (Integer)"},
                    Case{"CIntNegativeHalf", "CInt(-36.5)", "-36 (Integer)"},
                    Case{"CIntUpperEdge", "CInt(32767.49)", "32767 (Integer)"},
                    Case{"CIntUpperOverflow", "CInt(32767.5)", "#6 Overflow"},
                    Case{"CIntLowerEdge", "CInt(-32768.5)", "-32768 (Integer)"},
                    Case{"CIntLowerOverflow", "CInt(-32768.51)", "#6 Overflow"},
                    Case{"CIntTrue", "CInt(True)", "-1 (Integer)"},
                    Case{"CIntTrueText", "CInt(\"TRUE\")", "#13 Type mismatch"},
                    Case{"CIntNull", "CInt(Null)", "#94 Invalid use of Null"},
                    Case{"CLngHalf", "CLng(1.5)", "2 (Long)"},
                    Case{"CLngOverflow", "CLng(2147483648)", "#6 Overflow"},
                    Case{"CByteTrue", "CByte(True)", "255 (Byte)"},
                    Case{"CByteRounds", "CByte(255.49)", "255 (Byte)"},
                    Case{"CByteMinusHalf", "CByte(\"-0.5\")", "0 (Byte)"},
                    Case{"CByteNegative", "CByte(\"-1\")", "#6 Overflow"},
                    Case{"CByteTooLarge", "CByte(\"258\")", "#6 Overflow"},
                    Case{"CByteHashTrue", "CByte(\"#TRUE#\")", "#13 Type mismatch"},
                    Case{"CBoolText", "CBool(\"true\")", "True (Boolean)"},
                    Case{"CBoolHashText", "CBool(\"#FALSE#\")", "False (Boolean)"},
                    Case{"CBoolNumericText", "CBool(\"0.1\")", "True (Boolean)"},
                    Case{"CBoolEmptyText", "CBool(\"\")", "#13 Type mismatch"},
                    Case{"CBoolZero", "CBool(0)", "False (Boolean)"},
                    Case{"CDblEmptyText", "CDbl(\"\")", "#13 Type mismatch"},
                    Case{"CDblBlank", "CDbl(\" \")", "#13 Type mismatch"},
                    Case{"CDblTrue", "CDbl(True)", "-1 (Double)"},
                    Case{"CDblExponentText", "CDbl(\"1e+01\")", "10 (Double)"},
                    Case{"CDblCurrencyText", "CDbl(\"$11\") + 1", "12 (Double)"},
                    Case{"CSngSevenDigits", "CSng(654322.23456)", "654322.3 (Single)"},
                    Case{"CSngNoise", "CSng(\"0.01\") + 0.01", "1.99999997764826E-02 (Double)"},
                    Case{"CCurRoundsToFourPlaces", "CCur(0.000149)", "0.0001 (Currency)"},
                    Case{"CCurLargeIsExact", "CCur(922337203685477) + CCur(0.5807)",
                         "922337203685477.5807 (Currency)"},
                    Case{"CCurOverflow", "CCur(1E15)", "#6 Overflow"},
                    Case{"CDateOne", "CDate(1)", "12/31/1899 (Date)"},
                    Case{"CDateText", "CDate(\"2/3/2004 5:06 PM\")", "2/3/2004 5:06:00 PM (Date)"},
                    Case{"CDateYear100", "CDate(\"1/2/100\")", "1/2/100 (Date)"},
                    Case{"CDateHourPastTwelvePM", "CDate(\"13:00 PM\")", "#13 Type mismatch"},
                    Case{"CStrDouble", "CStr(2^0.5)", "\"1.4142135623731\" (String)"},
                    Case{"CStrNull", "CStr(Null)", "#94 Invalid use of Null"},
                    Case{"CStrEmpty", "CStr(Empty)", "\"\" (String)"},
                    Case{"CStrBoolean", "CStr(False)", "\"False\" (String)"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Inspection, ExpressionTable,
    testing::Values(Case{"IsNumericText", "IsNumeric(\"12.5\")", "True (Boolean)"},
                    Case{"IsNumericWord", "IsNumeric(\"rwrf\")", "False (Boolean)"},
                    Case{"IsNumericCurrency", "IsNumeric(\"$1,000.50\")", "True (Boolean)"},
                    Case{"IsNumericEmpty", "IsNumeric(Empty)", "True (Boolean)"},
                    Case{"IsNumericNull", "IsNumeric(Null)", "False (Boolean)"},
                    Case{"IsNumericBoolean", "IsNumeric(True)", "True (Boolean)"},
                    Case{"IsNumericArray", "IsNumeric(Array(1))", "False (Boolean)"},
                    Case{"IsDateText", "IsDate(\"1/2/2003\")", "True (Boolean)"},
                    Case{"IsDateNumberText", "IsDate(\"4\")", "False (Boolean)"},
                    Case{"IsEmpty", "IsEmpty(neverSet)", "True (Boolean)"},
                    Case{"IsNull", "IsNull(Null)", "True (Boolean)"},
                    Case{"IsArray", "IsArray(Array())", "True (Boolean)"},
                    Case{"IsObject", "IsObject(Nothing)", "True (Boolean)"},
                    Case{"TypeNameInteger", "TypeName(1)", "\"Integer\" (String)"},
                    Case{"TypeNameArray", "TypeName(Array())", "\"Variant()\" (String)"},
                    Case{"TypeNameEmpty", "TypeName(Empty)", "\"Empty\" (String)"},
                    Case{"VarTypeDouble", "VarType(1.5)", "5 (Integer)"},
                    Case{"VarTypeArray", "VarType(Array())", "8204 (Integer)"},
                    Case{"VarTypeByte", "VarType(CByte(1))", "17 (Integer)"},
                    Case{"WrongArgumentCount", "Len()",
                         "#450 Wrong number of arguments or invalid property assignment"},
                    Case{"Constants",
                         "vbTrue & vbFalse & vbBinaryCompare & vbTextCompare & vbString",
                         "\"-10018\" (String)"},
                    Case{"CrLf", "Len(vbCrLf) & AscW(vbTab)", "\"29\" (String)"},
                    Case{"ObjectError", "vbObjectError", "-2147221504 (Long)"},
                    Case{"EngineName", "ScriptEngine", "\"VBScript\" (String)"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Text, ExpressionTable,
    testing::Values(
        Case{"LenIsLong", "Len(\"abc\")", "3 (Long)"}, Case{"LenNull", "Len(Null)", "Null"},
        Case{"LenEmpty", "Len(Empty)", "0 (Long)"}, Case{"LenNumber", "Len(123)", "3 (Long)"},
        Case{"Left", "Left(\"123456\", 2.5)", "\"12\" (String)"},
        Case{"LeftBoolean", "Left(True, 2)", "\"Tr\" (String)"},
        Case{"LeftNegative", "Left(\"abc\", -1)", "#5 Invalid procedure call or argument"},
        Case{"LeftNullCount", "Left(\"abc\", Null)", "#94 Invalid use of Null"},
        Case{"RightNull", "Right(Null, 1)", "Null"},
        Case{"Right", "Right(\"abcdef\", 2)", "\"ef\" (String)"},
        Case{"Mid", "Mid(\"abcdef\", 2, 3)", "\"bcd\" (String)"},
        Case{"MidToEnd", "Mid(\"abcdef\", 4)", "\"def\" (String)"},
        Case{"MidPastEnd", "Mid(\"abc\", 9)", "\"\" (String)"},
        Case{"MidStartZero", "Mid(\"x\", 0)", "#5 Invalid procedure call or argument"},
        Case{"MidStartEmpty", "Mid(\"x\", Empty)", "#5 Invalid procedure call or argument"},
        Case{"InStr", "InStr(\"abcabc\", \"c\")", "3 (Long)"},
        Case{"InStrStart", "InStr(4, \"abcabc\", \"c\")", "6 (Long)"},
        Case{"InStrEmptyFind", "InStr(4, \"abcdef\", \"\")", "4 (Long)"},
        Case{"InStrEmptyPastEnd", "InStr(20, \"abcdef\", \"\")", "0 (Long)"},
        Case{"InStrBothEmpty", "InStr(4, \"\", \"\")", "0 (Long)"},
        Case{"InStrTextCompare", "InStr(1, \"ABC\", \"b\", 1)", "2 (Long)"},
        Case{"InStrBadCompare", "InStr(1, \"ABC\", \"b\", 10)",
             "#5 Invalid procedure call or argument"},
        Case{"InStrNullText", "InStr(\"abc\", Null)", "Null"},
        Case{"InStrNullStart", "InStr(Null, \"abc\", \"b\")", "#94 Invalid use of Null"},
        Case{"InStrRev", "InStrRev(\"abcabc\", \"b\")", "5 (Long)"},
        Case{"InStrRevStart", "InStrRev(\"abcabc\", \"b\", 4)", "2 (Long)"},
        Case{"InStrRevPastEnd", "InStrRev(\"abc\", \"b\", 9)", "0 (Long)"},
        Case{"InStrRevNull", "InStrRev(\"abc\", Null)", "#94 Invalid use of Null"},
        Case{"ReplaceAll", "Replace(\"a-b-c\", \"-\", \"+\")", "\"a+b+c\" (String)"},
        Case{"ReplaceFromStart", "Replace(\"xx testxx(xx)\", \"xx\", \"!\", 2)",
             "\"x test!(!)\" (String)"},
        Case{"ReplaceCount", "Replace(\"aaaa\", \"a\", \"b\", 1, 2)", "\"bbaa\" (String)"},
        Case{"ReplaceNone", "Replace(\"aaaa\", \"a\", \"b\", 1, 0)", "\"aaaa\" (String)"},
        Case{"ReplaceEmptyFind", "Replace(\"abc\", \"\", \"x\")", "\"abc\" (String)"},
        Case{"ReplaceTextCompare", "Replace(\"aAa\", \"a\", \"b\", 1, -1, 1)", "\"bbb\" (String)"},
        Case{"ReplaceBadStart", "Replace(\"a\", \"a\", \"b\", 0)",
             "#5 Invalid procedure call or argument"},
        Case{"ReplaceBadCompare", "Replace(\"a\", \"a\", \"b\", 1, -1, 8)",
             "#5 Invalid procedure call or argument"},
        Case{"ReplaceNull", "Replace(Null, \"a\", \"b\")", "#94 Invalid use of Null"},
        Case{"UCase", "UCase(\"abc\")", "\"ABC\" (String)"},
        Case{"LCaseNull", "LCase(Null)", "Null"},
        Case{"Trim", "\"[\" & Trim(\"  a b  \") & \"]\"", "\"[a b]\" (String)"},
        Case{"LTrim", "\"[\" & LTrim(\"  a \") & \"]\"", "\"[a ]\" (String)"},
        Case{"RTrim", "\"[\" & RTrim(\" a  \") & \"]\"", "\"[ a]\" (String)"},
        Case{"SpaceRoundsDown", "Len(Space(4.5))", "4 (Long)"},
        Case{"SpaceRoundsUp", "Len(Space(5.5))", "6 (Long)"},
        Case{"SpaceNegative", "Space(-1)", "#5 Invalid procedure call or argument"},
        Case{"String", "String(3, \"xy\")", "\"xxx\" (String)"},
        Case{"StringFromCode", "String(2, 65)", "\"AA\" (String)"},
        Case{"StringEmptyChar", "String(0, \"\")", "#5 Invalid procedure call or argument"},
        Case{"StrReverse", "StrReverse(\"abc\")", "\"cba\" (String)"},
        Case{"StrCompBinary", "StrComp(\"ABC\", \"abc\")", "-1 (Integer)"},
        Case{"StrCompText", "StrComp(\"ABC\", \"abc\", 1)", "0 (Integer)"},
        Case{"StrCompEmpty", "StrComp(Empty, \"\")", "0 (Integer)"},
        Case{"StrCompNull", "StrComp(Null, \"a\")", "Null"},
        Case{"StrCompArity", "StrComp(\"a\")",
             "#450 Wrong number of arguments or invalid property assignment"},
        Case{"ChrRoundsHalfEven", "Chr(119.5) & Chr(120.5)", "\"xx\" (String)"},
        Case{"ChrOutOfRange", "Chr(65536)", "#5 Invalid procedure call or argument"},
        Case{"ChrCodePage", "AscW(Chr(128))", "8364 (Integer)"},
        Case{"ChrW", "AscW(ChrW(8364))", "8364 (Integer)"},
        Case{"ChrWNegative", "AscW(ChrW(-1))", "-1 (Integer)"},
        Case{"Asc", "Asc(\"A\")", "65 (Integer)"},
        Case{"AscEuro", "Asc(ChrW(8364))", "128 (Integer)"},
        Case{"AscEmpty", "Asc(\"\")", "#5 Invalid procedure call or argument"},
        Case{"AscEmptyValue", "Asc(Empty)", "#5 Invalid procedure call or argument"},
        Case{"AscArity", "Asc()", "#450 Wrong number of arguments or invalid property assignment"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    FormatNumber, ExpressionTable,
    testing::Values(Case{"DefaultTwoDecimals", "FormatNumber(1234.5)", "\"1,234.50\" (String)"},
                    Case{"GivenDigits", "FormatNumber(1, 2)", "\"1.00\" (String)"},
                    Case{"Grouped", "FormatNumber(1234.5678, 3)", "\"1,234.568\" (String)"},
                    Case{"NoGrouping", "FormatNumber(1234.5678, 0, , , False)",
                         "\"1235\" (String)"},
                    Case{"Parentheses", "FormatNumber(-1, 2, 0, -1)", "\"(1.00)\" (String)"},
                    Case{"NoLeadingZero", "FormatNumber(0.5, 2, 0)", "\".50\" (String)"},
                    Case{"Negative", "FormatNumber(-1234567.891, 1)", "\"-1,234,567.9\" (String)"},
                    Case{"RoundsToZeroWithoutSign", "FormatNumber(-0.001, 2)", "\"0.00\" (String)"},
                    Case{"NullValue", "FormatNumber(Null)", "#13 Type mismatch"},
                    Case{"NullDigits", "FormatNumber(1, Null)", "#94 Invalid use of Null"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Arrays, ExpressionTable,
    testing::Values(
        Case{"UBoundOfArray", "UBound(Array(1, 2, 3))", "2 (Long)"},
        Case{"LBoundIsZero", "LBound(Array(1))", "0 (Long)"},
        Case{"EmptyArray", "UBound(Array())", "-1 (Long)"},
        Case{"UBoundOfEmpty", "UBound(Empty)", "#13 Type mismatch"},
        Case{"UBoundNoArguments", "UBound()",
             "#450 Wrong number of arguments or invalid property assignment"},
        Case{"UBoundBadDimension", "UBound(Array(1), 2)", "#9 Subscript out of range"},
        Case{"Join", "Join(Array(1, \"b\", 3), \"-\")", "\"1-b-3\" (String)"},
        Case{"JoinDefaultDelimiter", "Join(Array(\"a\", \"b\"))", "\"a b\" (String)"},
        Case{"SplitDefault", "Join(Split(\"a b c\"), \"|\")", "\"a|b|c\" (String)"},
        Case{"SplitNumberDelimiter", "Join(Split(\"12345\", 3), \"|\")", "\"12|45\" (String)"},
        Case{"SplitEmptyDelimiter", "UBound(Split(\"abc\", \"\"))", "0 (Long)"},
        Case{"SplitCount", "Join(Split(\"a,b,c\", \",\", 2), \"|\")", "\"a|b,c\" (String)"},
        Case{"SplitEmptyText", "UBound(Split(\"\"))", "-1 (Long)"},
        Case{"SplitBadCount", "Split(\"a\", \",\", -2)", "#5 Invalid procedure call or argument"},
        Case{"SplitBadCompare", "Split(\"a\", \",\", -1, 2)",
             "#5 Invalid procedure call or argument"},
        Case{"SplitNull", "Split(Null)", "#94 Invalid use of Null"},
        Case{"Filter", "Join(Filter(Array(\"ab\", \"cd\", \"ba\"), \"a\"), \",\")",
             "\"ab,ba\" (String)"},
        Case{"FilterExclude", "Join(Filter(Array(\"ab\", \"cd\"), \"a\", False), \",\")",
             "\"cd\" (String)"}),
    RowName());

INSTANTIATE_TEST_SUITE_P(
    Dates, ExpressionTable,
    testing::Values(
        Case{"Year", "Year(#3/4/2005#)", "2005 (Integer)"},
        Case{"Month", "Month(#3/4/2005#)", "3 (Integer)"},
        Case{"Day", "Day(#3/4/2005#)", "4 (Integer)"},
        Case{"Hour", "Hour(#3/4/2005 1:02:03 PM#)", "13 (Integer)"},
        Case{"Minute", "Minute(#1:02:03 PM#)", "2 (Integer)"},
        Case{"Second", "Second(#1:02:03 PM#)", "3 (Integer)"},
        Case{"YearNull", "Year(Null)", "Null"},
        Case{"WeekdaySunday", "Weekday(#1/2/2000#)", "1 (Integer)"},
        Case{"WeekdayMondayFirst", "Weekday(#1/2/2000#, 2)", "7 (Integer)"},
        Case{"DateSerial", "DateSerial(2000, 2, 29)", "2/29/2000 (Date)"},
        Case{"DateSerialMonthOverflow", "DateSerial(2000, 13, 1)", "1/1/2001 (Date)"},
        Case{"DateSerialDayZero", "DateSerial(2000, 3, 0)", "2/29/2000 (Date)"},
        Case{"DateSerialTwoDigitYear", "DateSerial(99, 1, 1)", "1/1/1999 (Date)"},
        Case{"TimeSerial", "TimeSerial(13, 30, 0)", "1:30:00 PM (Date)"},
        Case{"DateAddMonthClamps", "DateAdd(\"m\", 1, #1/31/2001#)", "2/28/2001 (Date)"},
        Case{"DateAddDays", "DateAdd(\"d\", -1, #1/1/2000#)", "12/31/1999 (Date)"},
        Case{"DateAddHours", "DateAdd(\"h\", 36, #1/1/2000#)", "1/2/2000 12:00:00 PM (Date)"},
        Case{"DateAddBadInterval", "DateAdd(\"x\", 1, #1/1/2000#)",
             "#5 Invalid procedure call or argument"},
        // Every Date lies within 1 Jan 100 and 31 Dec 9999, whatever the count.
        Case{"DateAddToLastYear", "DateAdd(\"yyyy\", 7999, #1/1/2000#)", "1/1/9999 (Date)"},
        Case{"DateAddHugeYears", "DateAdd(\"yyyy\", 1e19, #1/1/2000#)",
             "#5 Invalid procedure call or argument"},
        Case{"DateAddYearsBeyondLong", "DateAdd(\"yyyy\", 2^63, #1/1/2000#)",
             "#5 Invalid procedure call or argument"},
        Case{"DateAddFewerYears", "DateAdd(\"yyyy\", -2^62, #1/1/2000#)",
             "#5 Invalid procedure call or argument"},
        Case{"DateAddQuartersOverflowingMonths", "DateAdd(\"q\", 6148914691236517206, #1/1/2000#)",
             "#5 Invalid procedure call or argument"},
        Case{"DateAddDaysBeyond", "DateAdd(\"d\", 1e300, #1/1/2000#)",
             "#5 Invalid procedure call or argument"},
        Case{"DateAddSecondPastTheEnd", "DateAdd(\"s\", 1, #12/31/9999 11:59:59 PM#)",
             "#5 Invalid procedure call or argument"},
        Case{"TimeSerialBeyond", "TimeSerial(2147483647, 0, 0)",
             "#5 Invalid procedure call or argument"},
        Case{"CDateLastSecond", "CDate(2958465.999988)", "12/31/9999 11:59:59 PM (Date)"},
        Case{"CDateRoundsPastTheEnd", "CDate(2958465.99999999)", "#6 Overflow"},
        Case{"YearRoundsPastTheEnd", "Year(2958465.99999999)", "#6 Overflow"},
        Case{"CDateRoundsBeforeTheStart", "CDate(-657434.99999999)", "#6 Overflow"},
        Case{"NegatedLastDay", "-#12/31/9999#", "#6 Overflow"},
        Case{"DateDiffDays", "DateDiff(\"d\", #1/1/2000#, #3/1/2000#)", "60 (Long)"},
        Case{"DateDiffYears", "DateDiff(\"yyyy\", #12/31/1999#, #1/1/2000#)", "1 (Long)"},
        Case{"DateDiffMonths", "DateDiff(\"m\", #1/31/2000#, #2/1/2000#)", "1 (Long)"},
        Case{"DateDiffSeconds", "DateDiff(\"s\", #1:00 AM#, #1:01 AM#)", "60 (Long)"},
        Case{"NowIsDate", "VarType(Now)", "7 (Integer)"},
        Case{"DateIsWholeDay", "Date = Int(Date)", "True (Boolean)"},
        Case{"TimerIsSingle", "TypeName(Timer)", "\"Single\" (String)"}),
    RowName());

// GetLocale reports the user's locale; SetLocale switches between it and en-US, for this
// interpreter alone, and refuses a locale whose forms it does not know.
TEST(Locale, SwitchesBetweenTheUsersAndUsFormsPerInterpreter) {
    InterpreterOptions german = quickOptions();
    german.decimalSeparator = u',';
    german.localeName = u"de_DE";
    Interpreter in(german);
    EXPECT_EQ(evalText(in, "GetLocale"), "1031 (Long)");
    EXPECT_EQ(evalText(in, "SetLocale(\"en-us\") & \"|\" & CStr(1.5) & \"|\" & GetLocale"),
              "\"1031|1.5|1033\" (String)");
    EXPECT_EQ(evalText(in, "SetLocale(1036)"), "#5 Invalid procedure call or argument");
    Interpreter other(german);
    EXPECT_EQ(evalText(other, "CStr(1.5)"), "\"1,5\" (String)");
    EXPECT_EQ(evalText(in, "SetLocale(0) & \"|\" & CStr(1.5)"), "\"1033|1,5\" (String)");
}

} // namespace
} // namespace vbs::test
