' Single expressions, each evaluated after the lines above it: value and subtype (builtins).

' Math.
'? Abs(-100000) ==> 100000 (Long)
'? Abs("-2.5") ==> 2.5 (Double)
'? Abs(True) ==> 1 (Integer)
'? Abs(Null) ==> Null
'? Abs(-32767-1) ==> 32768 (Long)
'? Sgn(-2.5) ==> -1 (Integer)
'? Sgn(Null) ==> #94 Invalid use of Null
'? Int(-1.99) ==> -2 (Double)
'? Fix(-1.99) ==> -1 (Double)
'? Int(True) ==> -1 (Integer)
'? Int(CCur(2.5)) ==> 2 (Currency)
'? Sqr(-1) ==> #5 Invalid procedure call or argument
'? Sqr(True) ==> #5 Invalid procedure call or argument
'? Sqr(Empty) ==> 0 (Double)
'? Sqr(16) ==> 4 (Double)
'? Log(0) ==> #5 Invalid procedure call or argument
'? Log(Exp(1)) ==> 1 (Double)
'? Exp(1000) ==> #6 Overflow
'? 4 * Atn(1) ==> 3.14159265358979 (Double)
'? Cos(0) ==> 1 (Double)
'? Sin(0) ==> 0 (Double)
'? Tan(0) ==> 0 (Double)
'? Round(3.5) ==> 4 (Double)
'? Round(-3.5) ==> -4 (Double)
'? Round(2.5) ==> 2 (Double)
'? Round(0.12345, 4) ==> 0.1234 (Double)
'? Round(0.12355, 4) ==> 0.1236 (Double)
'? Round(7) ==> 7 (Integer)
'? Round(True) ==> True (Boolean)
'? Round("2.7") ==> 3 (Double)
'? Round(1, -1) ==> #5 Invalid procedure call or argument
'? Hex(-1) ==> "FFFF" (String)
'? Hex(-32768) ==> "FFFF8000" (String)
'? Hex(228.5) ==> "E4" (String)
'? Hex(-2147483647.5) ==> "80000000" (String)
'? Hex(2147483647.5) ==> #6 Overflow
'? Hex("test") ==> #13 Type mismatch
'? Hex(Empty) ==> "0" (String)
'? Hex(Null) ==> Null
'? Oct(-1) ==> "177777" (String)
'? Oct(9.5) ==> "12" (String)

' Conversions.
'? CInt(0.5) ==> 0 (Integer)
'? CInt(1.5) ==> 2 (Integer)
'? CInt(-36.5) ==> -36 (Integer)
'? CInt(32767.49) ==> 32767 (Integer)
'? CInt(32767.5) ==> #6 Overflow
'? CInt(-32768.5) ==> -32768 (Integer)
'? CInt(-32768.51) ==> #6 Overflow
'? CInt(True) ==> -1 (Integer)
'? CInt("TRUE") ==> #13 Type mismatch
'? CInt(Null) ==> #94 Invalid use of Null
'? CLng(1.5) ==> 2 (Long)
'? CLng(2147483648) ==> #6 Overflow
'? CByte(True) ==> 255 (Byte)
'? CByte(255.49) ==> 255 (Byte)
'? CByte("-0.5") ==> 0 (Byte)
'? CByte("-1") ==> #6 Overflow
'? CByte("258") ==> #6 Overflow
'? CByte("#TRUE#") ==> #13 Type mismatch
'? CBool("true") ==> True (Boolean)
'? CBool("#FALSE#") ==> False (Boolean)
'? CBool("0.1") ==> True (Boolean)
'? CBool("") ==> #13 Type mismatch
'? CBool(0) ==> False (Boolean)
'? CDbl("") ==> #13 Type mismatch
'? CDbl(" ") ==> #13 Type mismatch
'? CDbl(True) ==> -1 (Double)
'? CDbl("1e+01") ==> 10 (Double)
'? CDbl("$11") + 1 ==> 12 (Double)
'? CSng(654322.23456) ==> 654322.3 (Single)
'? CSng("0.01") + 0.01 ==> 1.99999997764826E-02 (Double)
'? CCur(0.000149) ==> 0.0001 (Currency)
'? CCur(922337203685477) + CCur(0.5807) ==> 922337203685477.5807 (Currency)
'? CCur(1E15) ==> #6 Overflow
'? CDate(1) ==> 12/31/1899 (Date)
' A time that rounds to a whole day is the next day's midnight.
'? CDate(1.9999999999) ==> 1/1/1900 (Date)
'? CDate("2/3/2004 5:06 PM") ==> 2/3/2004 5:06:00 PM (Date)
'? CDate("1/2/100") ==> 1/2/100 (Date)
'? CDate("13:00 PM") ==> #13 Type mismatch
'? CStr(2^0.5) ==> "1.4142135623731" (String)
'? CStr(Null) ==> #94 Invalid use of Null
'? CStr(Empty) ==> "" (String)
'? CStr(False) ==> "False" (String)

' Inspection.
'? IsNumeric("12.5") ==> True (Boolean)
'? IsNumeric("rwrf") ==> False (Boolean)
'? IsNumeric("$1,000.50") ==> True (Boolean)
'? IsNumeric(Empty) ==> True (Boolean)
'? IsNumeric(Null) ==> False (Boolean)
'? IsNumeric(True) ==> True (Boolean)
'? IsNumeric(Array(1)) ==> False (Boolean)
'? IsDate("1/2/2003") ==> True (Boolean)
'? IsDate("4") ==> False (Boolean)
'? IsEmpty(neverSet) ==> True (Boolean)
'? IsNull(Null) ==> True (Boolean)
'? IsArray(Array()) ==> True (Boolean)
'? IsObject(Nothing) ==> True (Boolean)
'? TypeName(1) ==> "Integer" (String)
'? TypeName(Array()) ==> "Variant()" (String)
'? TypeName(Empty) ==> "Empty" (String)
'? VarType(1.5) ==> 5 (Integer)
'? VarType(Array()) ==> 8204 (Integer)
'? VarType(CByte(1)) ==> 17 (Integer)
'? Len() ==> #450 Wrong number of arguments or invalid property assignment
'? 1 + Len("abc") ==> 4 (Long)
'? 1 + Sqr(4, 9) ==> #450 Wrong number of arguments or invalid property assignment
'? vbTrue & vbFalse & vbBinaryCompare & vbTextCompare & vbString ==> "-10018" (String)
'? Len(vbCrLf) & AscW(vbTab) ==> "29" (String)
'? vbObjectError ==> -2147221504 (Long)
'? ScriptEngine ==> "VBScript" (String)

' Text.
'? Len("abc") ==> 3 (Long)
'? Len(Null) ==> Null
'? Len(Empty) ==> 0 (Long)
'? Len(123) ==> 3 (Long)
'? Left("123456", 2.5) ==> "12" (String)
'? Left(True, 2) ==> "Tr" (String)
'? Left("abc", -1) ==> #5 Invalid procedure call or argument
'? Left("abc", Null) ==> #94 Invalid use of Null
'? Right(Null, 1) ==> Null
'? Right("abcdef", 2) ==> "ef" (String)
'? Mid("abcdef", 2, 3) ==> "bcd" (String)
'? Mid("abcdef", 4) ==> "def" (String)
'? Mid("abc", 9) ==> "" (String)
'? Mid("x", 0) ==> #5 Invalid procedure call or argument
'? Mid("x", Empty) ==> #5 Invalid procedure call or argument
'? InStr("abcabc", "c") ==> 3 (Long)
'? InStr(4, "abcabc", "c") ==> 6 (Long)
'? InStr(4, "abcdef", "") ==> 4 (Long)
'? InStr(20, "abcdef", "") ==> 0 (Long)
'? InStr(4, "", "") ==> 0 (Long)
'? InStr(1, "ABC", "b", 1) ==> 2 (Long)
'? InStr(1, "ABC", "b", 10) ==> #5 Invalid procedure call or argument
'? InStr("abc", Null) ==> Null
'? InStr(Null, "abc", "b") ==> #94 Invalid use of Null
'? InStrRev("abcabc", "b") ==> 5 (Long)
'? InStrRev("abcabc", "b", 4) ==> 2 (Long)
'? InStrRev("abc", "b", 9) ==> 0 (Long)
'? InStrRev("abc", Null) ==> #94 Invalid use of Null
'? Replace("a-b-c", "-", "+") ==> "a+b+c" (String)
'? Replace("xx testxx(xx)", "xx", "!", 2) ==> "x test!(!)" (String)
'? Replace("aaaa", "a", "b", 1, 2) ==> "bbaa" (String)
'? Replace("aaaa", "a", "b", 1, 0) ==> "aaaa" (String)
'? Replace("abc", "", "x") ==> "abc" (String)
'? Replace("aAa", "a", "b", 1, -1, 1) ==> "bbb" (String)
'? Replace("a", "a", "b", 0) ==> #5 Invalid procedure call or argument
'? Replace("a", "a", "b", 1, -1, 8) ==> #5 Invalid procedure call or argument
'? Replace(Null, "a", "b") ==> #94 Invalid use of Null

' An optional argument written as Empty is a value, converted like any other (0, "", False);
' only one not written, or left out between commas, takes the default: the engine passes a
' left-out place as "parameter not found", not as Empty (Raymond Chen, "One of my favorite
' error codes: Optional parameter missing"; Empty is 0 or "" [MS:VBScript Data Types]).
'? Replace("abcabc", "b", "x", Empty) ==> #5 Invalid procedure call or argument
'? Replace("abcabc", "b", "x", , 1) ==> "axcabc" (String)
'? Mid("abcdef", 2, Empty) ==> "" (String)
'? Mid("abcdef", 2, ) ==> "bcdef" (String)
'? InStr(Empty, "abc", "b") ==> #5 Invalid procedure call or argument
'? InStr(, "abc", "b") ==> 2 (Long)
'? InStrRev("abc", "b", Empty) ==> #5 Invalid procedure call or argument
'? Join(Array(1, 2), Empty) & "|" & Join(Array(1, 2), ) ==> "12|1 2" (String)
'? UBound(Split("a b", Empty)) & UBound(Split("a b", , -1)) ==> "01" (String)
'? Join(Filter(Array("a", "b"), "a", Empty)) ==> "b" (String)
'? UBound(Array(1), Empty) ==> #9 Subscript out of range
'? FormatNumber(1234.5, Empty) & " " & FormatNumber(1234.5, , , , Empty) ==> "1,234 1234.50" (String)
'? FormatCurrency(1234.5, , , , Empty) & " " & FormatPercent(0.5, Empty) ==> "$1234.50 50%" (String)
'? UCase("abc") ==> "ABC" (String)
'? LCase(Null) ==> Null
'? "[" & Trim("  a b  ") & "]" ==> "[a b]" (String)
'? "[" & LTrim("  a ") & "]" ==> "[a ]" (String)
'? "[" & RTrim(" a  ") & "]" ==> "[ a]" (String)
'? Len(Space(4.5)) ==> 4 (Long)
'? Len(Space(5.5)) ==> 6 (Long)
'? Space(-1) ==> #5 Invalid procedure call or argument
'? String(3, "xy") ==> "xxx" (String)
'? String(2, 65) ==> "AA" (String)
'? String(0, "") ==> #5 Invalid procedure call or argument
'? StrReverse("abc") ==> "cba" (String)
'? StrComp("ABC", "abc") ==> -1 (Integer)
'? StrComp("ABC", "abc", 1) ==> 0 (Integer)
' Text mode folds the letters of Latin-1 the same way in every function that has it.
'? StrComp(ChrW(201), ChrW(233), 1) & InStr(1, "x" & ChrW(201), ChrW(233), 1) & UBound(Split("a" & ChrW(201) & "b", ChrW(233), -1, 1)) & UBound(Filter(Array(ChrW(201)), ChrW(233), True, 1)) ==> "0210" (String)
'? StrComp(Empty, "") ==> 0 (Integer)
'? StrComp(Null, "a") ==> Null
'? StrComp("a") ==> #450 Wrong number of arguments or invalid property assignment
'? Chr(119.5) & Chr(120.5) ==> "xx" (String)
'? Chr(65536) ==> #5 Invalid procedure call or argument
'? AscW(Chr(128)) ==> 8364 (Integer)
'? AscW(ChrW(8364)) ==> 8364 (Integer)
'? AscW(ChrW(-1)) ==> -1 (Integer)
'? Asc("A") ==> 65 (Integer)
'? Asc(ChrW(8364)) ==> 128 (Integer)
'? Asc("") ==> #5 Invalid procedure call or argument
'? Asc(Empty) ==> #5 Invalid procedure call or argument
'? Asc() ==> #450 Wrong number of arguments or invalid property assignment

' Format number.
'? FormatNumber(1234.5) ==> "1,234.50" (String)
'? FormatNumber(1, 2) ==> "1.00" (String)
'? FormatNumber(1234.5678, 3) ==> "1,234.568" (String)
'? FormatNumber(1234.5678, 0, , , False) ==> "1235" (String)
'? FormatNumber(-1, 2, 0, -1) ==> "(1.00)" (String)
'? FormatNumber(0.5, 2, 0) ==> ".50" (String)
'? FormatNumber(-1234567.891, 1) ==> "-1,234,567.9" (String)
'? FormatNumber(-0.001, 2) ==> "0.00" (String)
'? FormatNumber(Null) ==> #13 Type mismatch
'? FormatNumber(1, Null) ==> #94 Invalid use of Null

' Arrays.
'? UBound(Array(1, 2, 3)) ==> 2 (Long)
'? LBound(Array(1)) ==> 0 (Long)
'? UBound(Array()) ==> -1 (Long)
'? UBound(Empty) ==> #13 Type mismatch
'? UBound() ==> #450 Wrong number of arguments or invalid property assignment
'? UBound(Array(1), 2) ==> #9 Subscript out of range
'? Join(Array(1, "b", 3), "-") ==> "1-b-3" (String)
'? Join(Array("a", "b")) ==> "a b" (String)
'? Join(Split("a b c"), "|") ==> "a|b|c" (String)
'? Join(Split("12345", 3), "|") ==> "12|45" (String)
'? UBound(Split("abc", "")) ==> 0 (Long)
'? Join(Split("a,b,c", ",", 2), "|") ==> "a|b,c" (String)
'? UBound(Split("")) ==> -1 (Long)
'? Split("a", ",", -2) ==> #5 Invalid procedure call or argument
'? Split("a", ",", -1, 2) ==> #5 Invalid procedure call or argument
'? Split(Null) ==> #94 Invalid use of Null
'? Join(Filter(Array("ab", "cd", "ba"), "a"), ",") ==> "ab,ba" (String)
'? Join(Filter(Array("ab", "cd"), "a", False), ",") ==> "cd" (String)

' Dates.
'? Year(#3/4/2005#) ==> 2005 (Integer)
'? Month(#3/4/2005#) ==> 3 (Integer)
'? Day(#3/4/2005#) ==> 4 (Integer)
'? Hour(#3/4/2005 1:02:03 PM#) ==> 13 (Integer)
'? Minute(#1:02:03 PM#) ==> 2 (Integer)
'? Second(#1:02:03 PM#) ==> 3 (Integer)
'? Year(Null) ==> Null
'? Weekday(#1/2/2000#) ==> 1 (Integer)
'? Weekday(#1/2/2000#, 2) ==> 7 (Integer)
'? DateSerial(2000, 2, 29) ==> 2/29/2000 (Date)
'? DateSerial(2000, 13, 1) ==> 1/1/2001 (Date)
'? DateSerial(2000, 3, 0) ==> 2/29/2000 (Date)
'? DateSerial(99, 1, 1) ==> 1/1/1999 (Date)
'? IsObject() ==> #450 Wrong number of arguments or invalid property assignment
' Dates run from 1 Jan 100 to 31 Dec 9999.
'? DateSerial(10000, 1, 1) ==> #5 Invalid procedure call or argument
'? DateAdd("yyyy", -1, #6/1/100#) ==> #5 Invalid procedure call or argument
'? TimeSerial(13, 30, 0) ==> 1:30:00 PM (Date)
'? DateAdd("m", 1, #1/31/2001#) ==> 2/28/2001 (Date)
'? DateAdd("d", -1, #1/1/2000#) ==> 12/31/1999 (Date)
'? DateAdd("h", 36, #1/1/2000#) ==> 1/2/2000 12:00:00 PM (Date)
'? DateAdd("x", 1, #1/1/2000#) ==> #5 Invalid procedure call or argument
' Every Date lies within 1 Jan 100 and 31 Dec 9999, whatever the count.
'? DateAdd("yyyy", 7999, #1/1/2000#) ==> 1/1/9999 (Date)
'? DateAdd("yyyy", 1e19, #1/1/2000#) ==> #5 Invalid procedure call or argument
'? DateAdd("yyyy", 2^63, #1/1/2000#) ==> #5 Invalid procedure call or argument
'? DateAdd("yyyy", -2^62, #1/1/2000#) ==> #5 Invalid procedure call or argument
'? DateAdd("q", 6148914691236517206, #1/1/2000#) ==> #5 Invalid procedure call or argument
'? DateAdd("d", 1e300, #1/1/2000#) ==> #5 Invalid procedure call or argument
'? DateAdd("s", 1, #12/31/9999 11:59:59 PM#) ==> #5 Invalid procedure call or argument
'? TimeSerial(2147483647, 0, 0) ==> #5 Invalid procedure call or argument
'? CDate(2958465.999988) ==> 12/31/9999 11:59:59 PM (Date)
'? CDate(2958465.99999999) ==> #6 Overflow
'? Year(2958465.99999999) ==> #6 Overflow
'? CDate(-657434.99999999) ==> #6 Overflow
'? -#12/31/9999# ==> #6 Overflow
'? DateDiff("d", #1/1/2000#, #3/1/2000#) ==> 60 (Long)
'? DateDiff("yyyy", #12/31/1999#, #1/1/2000#) ==> 1 (Long)
'? DateDiff("m", #1/31/2000#, #2/1/2000#) ==> 1 (Long)
'? DateDiff("s", #1:00 AM#, #1:01 AM#) ==> 60 (Long)
'? VarType(Now) ==> 7 (Integer)
'? Date = Int(Date) ==> True (Boolean)
'? TypeName(Timer) ==> "Single" (String)
