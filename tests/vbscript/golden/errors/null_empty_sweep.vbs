' The built-ins given Null, Empty, an array or an object where they expect a value. Sources:
' [api] is the Windows-verified assertions of Wine's VBScript API test script; [MS:x] is
' Microsoft's VBScript reference page x. Rewritten here in our own words. Cases that neither
' settles (Sqr(Null), String(Null, "x"), ...) keep our behaviour and have no row here.

Class Bare
    Public v
End Class
Class Holder
    Public v
    Public Default Property Get Value
        Value = v
    End Property
End Class
Set plain = New Bare
Set valued = New Holder

' Null in, Null out: each page says that a Null argument gives Null [MS:UCase Function, LTrim,
' RTrim, and Trim Functions, Int, Fix Functions, Oct Function, Month/Day/Hour/Minute/Second
' Function, TimeValue Function, InStr Function, StrComp Function]; UCase, Oct, InStr, Right [api].
'? IsNull(UCase(Null)) And IsNull(Trim(Null)) And IsNull(LTrim(Null)) And IsNull(RTrim(Null)) ==> True (Boolean)
'? IsNull(Fix(Null)) And IsNull(Int(Null)) And IsNull(Oct(Null)) And IsNull(TimeValue(Null)) ==> True (Boolean)
'? IsNull(Month(Null)) And IsNull(Day(Null)) And IsNull(Hour(Null)) And IsNull(Minute(Null)) And IsNull(Second(Null)) ==> True (Boolean)
'? IsNull(InStr(2, Null, "abcd")) And IsNull(StrComp("a", Null)) And IsNull(Right(Null, 0)) ==> True (Boolean)

' Null is an error: StrReverse [MS:StrReverse Function]; Space, Asc, CDate, DateSerial,
' TimeSerial, the compare of InStr, every argument of InStrRev, Replace and Split, the length of
' Right and the delimiter of Join [api]. Right checks a negative length first [api].
'? StrReverse(Null) ==> #94 Invalid use of Null
'? Space(Null) ==> #94 Invalid use of Null
'? Asc(Null) ==> #94 Invalid use of Null
'? CDate(Null) ==> #94 Invalid use of Null
'? DateSerial(2000, Null, 1) ==> #94 Invalid use of Null
'? TimeSerial(10, 1, Null) ==> #94 Invalid use of Null
'? InStr(2, "abcd", "abcd", Null) ==> #94 Invalid use of Null
'? InStrRev(Null, "abcd") ==> #94 Invalid use of Null
'? Replace("xx", "x", "y", 1, 1, Null) ==> #94 Invalid use of Null
'? Split("a-b", "-", -1, Null) ==> #94 Invalid use of Null
'? Right("test", Null) ==> #94 Invalid use of Null
'? Right(Null, -1) ==> #5 Invalid procedure call or argument
'? Join(Array(), Null) ==> #94 Invalid use of Null

' Empty counts as 0 or "" [api, MS:Hex Function]; neither Empty nor Null is an array [api].
'? Hex(Empty) & Oct(Empty) & "|" & Space(Empty) & Right("test", Empty) & Mid(Empty, 5, 2) & "|" ==> "00||" (String)
'? TypeName(Sgn(Empty)) & TypeName(Abs(Empty)) & TypeName(Fix(Empty)) & TypeName(Int(Empty)) ==> "IntegerIntegerIntegerInteger" (String)
'? Sqr(Empty) + Cos(Empty) ==> 1 (Double)
'? CByte(Empty) ==> 0 (Byte)
'? CDate(Empty) ==> 12:00:00 AM (Date)
'? StrComp(Empty, "ABC", 1) & " " & StrComp("ABC", Empty, 1) ==> "-1 1" (String)
'? Join(Empty) ==> #13 Type mismatch
'? LBound(Null) ==> #13 Type mismatch

' An array where text is expected is a type mismatch, in the list of Join too [api].
'? Join(Array(Array(1, 2), Array(3, 4))) ==> #13 Type mismatch
'? IsNumeric(Array(1)) ==> False (Boolean)

' An object stands for its default member's value [api]; without one, IsNumeric and IsDate say
' False (also for Nothing) while a conversion fails [api].
valued.v = 30.5
'? Hex(valued) & " " & Fix(valued) & " " & Int(-valued) & " " & CInt(valued) ==> "1E 30 -31 30" (String)
'? IsNumeric(valued) ==> True (Boolean)
valued.v = "test"
'? IsNumeric(valued) ==> False (Boolean)
'? IsNumeric(plain) Or IsNumeric(Nothing) Or IsDate(plain) Or IsDate(Nothing) ==> False (Boolean)
'? IsEmpty(Nothing) Or IsNull(plain) Or IsArray(plain) ==> False (Boolean)
'? Join(plain) ==> #438 Object doesn't support this property or method

' DateDiff checks its first day and first week as DatePart does, before a Null date passes
' through (derived from DatePart's and Weekday's order [api]); "ww" counts the first days of the
' week crossed [MS:DateDiff Function].
'? DateDiff("d", #1/2/2000#, #1/3/2000#, Null) ==> #94 Invalid use of Null
'? DateDiff("d", Null, #1/3/2000#, 1, 9) ==> #5 Invalid procedure call or argument
'? DateDiff("ww", #1/3/2000#, #1/9/2000#) & " " & DateDiff("ww", #1/3/2000#, #1/9/2000#, vbMonday) ==> "1 0" (String)
