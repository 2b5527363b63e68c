' The library beyond the core: constants, names, formatting, date parts, the engine itself.
' Sources: [api] is the Windows-verified assertions of Wine's VBScript API test script;
' [MS:x] is Microsoft's VBScript reference page x. Rewritten here in our own words.

' Message box styles and answers (vbOK ... vbNo, 1 to 7) are Integers; the four extra style
' flags are Longs [api].
'? vbOKOnly & vbOKCancel & vbAbortRetryIgnore & vbYesNoCancel & vbYesNo & vbRetryCancel ==> "012345" (String)
'? vbCritical + vbQuestion + vbExclamation + vbInformation ==> 160 (Integer)
'? vbDefaultButton2 + vbDefaultButton3 + vbDefaultButton4 + vbSystemModal + vbApplicationModal ==> 5632 (Integer)
'? vbMsgBoxHelpButton + vbMsgBoxSetForeground + vbMsgBoxRight + vbMsgBoxRtlReading ==> 1654784 (Long)
'? vbOK & vbCancel & vbAbort & vbRetry & vbIgnore & vbYes & vbNo ==> "1234567" (String)
' Date formats, first day and first week of the year, comparison, Decimal [api].
'? vbGeneralDate & vbLongDate & vbShortDate & vbLongTime & vbShortTime ==> "01234" (String)
'? vbUseSystem & vbUseSystemDayOfWeek & vbFirstJan1 & vbFirstFourDays & vbFirstFullWeek ==> "00123" (String)
'? vbDatabaseCompare + vbDecimal ==> 16 (Integer)
' Colours are Longs with red in the lowest byte [api].
'? Hex(vbRed) & " " & Hex(vbGreen) & " " & Hex(vbBlue) & " " & Hex(vbYellow) & " " & Hex(vbMagenta) & " " & Hex(vbCyan) & " " & Hex(vbWhite) & " " & vbBlack ==> "FF FF00 FF0000 FFFF FF00FF FFFF00 FFFFFF 0" (String)
'? TypeName(vbWhite) ==> "Long" (String)
'? Asc(vbFormFeed) & " " & Asc(vbVerticalTab) ==> "12 11" (String)

' RGB: a part above 255 counts as 255, a negative one is an invalid argument [api].
'? RGB(0, &h1f&, &hf1&) = &hf11f00& ==> True (Boolean)
'? RGB(&h1&, &h100&, &h111&) ==> 16776961 (Long)
'? RGB(-1, 0, 0) ==> #5 Invalid procedure call or argument

' The engine reports its name and a Long version [api]; 5.8 and a build number of our own.
'? ScriptEngine & " " & ScriptEngineMajorVersion & "." & ScriptEngineMinorVersion ==> "VBScript 5.8" (String)
'? TypeName(ScriptEngineBuildVersion) ==> "Long" (String)

' Names of months and days [MS:MonthName Function, MS:WeekdayName Function]; any Null
' argument is an invalid use of Null, even beside a month that is no number [api].
'? MonthName(1) & " " & MonthName(12, True) ==> "January Dec" (String)
'? MonthName(13) ==> #5 Invalid procedure call or argument
'? MonthName("a", Null) ==> #94 Invalid use of Null
'? WeekdayName(1) & " " & WeekdayName(7, True) & " " & WeekdayName(1, False, vbMonday) ==> "Sunday Sat Monday" (String)
' Whole-number arguments round half to even; any non-zero abbreviate counts as True [api].
'? WeekdayName(1.1) & " " & WeekdayName(1, 10, 1.5) & " " & MonthName(1, 10) ==> "Sunday Mon Jan" (String)

' Formatting: a Null value is a type mismatch, a Null option an invalid use of Null [api].
' The texts follow the US defaults of [MS:FormatCurrency Function, MS:FormatPercent Function];
' a minus sign for the locale's default sign style is derived from FormatNumber's.
'? FormatCurrency(1234.5) & " " & FormatCurrency(-1000, 0) & " " & FormatCurrency(-1000, , , -1) ==> "$1,234.50 -$1,000 ($1,000.00)" (String)
'? FormatPercent(0.1234) & " " & FormatPercent(-0.5, 0) ==> "12.34% -50%" (String)
'? FormatCurrency(Null) ==> #13 Type mismatch
'? FormatPercent(0.1, Null) ==> #94 Invalid use of Null
' FormatDateTime's five forms [MS:FormatDateTime Function]; Null dates and options as above [api].
x = #1/1/2000 6:05:09 PM#
'? FormatDateTime(x) & "|" & FormatDateTime(x, vbLongDate) & "|" & FormatDateTime(x, vbShortDate) ==> "1/1/2000 6:05:09 PM|Saturday, January 1, 2000|1/1/2000" (String)
'? FormatDateTime(x, vbLongTime) & "|" & FormatDateTime(x, vbShortTime) & "|" & FormatDateTime(0, vbShortDate) ==> "6:05:09 PM|18:05|12/30/1899" (String)
'? FormatDateTime(Null) ==> #13 Type mismatch
'? FormatDateTime(x, Null) ==> #94 Invalid use of Null

' DatePart's intervals [MS:DatePart Function]. Derived: a day before the next year's week 1
' counts on in its own year, so 29 Dec 2003 is week 53 under Monday-first four-day weeks.
'? DatePart("yyyy", x) & DatePart("q", x) & DatePart("m", x) & DatePart("y", #3/1/2000#) & DatePart("w", x) & DatePart("h", x) & DatePart("n", x) & DatePart("s", x) ==> "2000116171859" (String)
'? DatePart("ww", #1/1/2000#) & " " & DatePart("ww", #1/2/2000#) & " " & DatePart("ww", #1/3/2000#, vbMonday, vbFirstFourDays) ==> "1 2 1" (String)
'? DatePart("ww", #12/29/2003#, vbMonday, vbFirstFourDays) ==> 53 (Integer)
'? DateValue(x) & "|" & TimeValue(x) ==> "1/1/2000|6:05:09 PM" (String)

' Escape writes %xx, or %uxxxx above 255 [MS:Escape Function]; the characters it leaves alone
' are those of JScript's escape, which it mirrors (derived).
'? Escape("a b+c/" & ChrW(252) & ChrW(8364)) ==> "a%20b+c/%FC%u20AC" (String)
'? Unescape("%41%u20ac%zz%") = "A" & ChrW(8364) & "%zz%" ==> True (Boolean)

' A calculator shows no dialogs: MsgBox answers vbOK, InputBox Empty; Stop does nothing.
'? MsgBox("Go on?", vbYesNo) ==> 1 (Integer)
'? InputBox("Name") ==> Empty
' Their arguments are still read as text and numbers, as a dialog would read them.
'? MsgBox("Sum", , "Title") ==> 1 (Integer)
'? MsgBox(Array(1)) ==> #13 Type mismatch
'? MsgBox(Null) ==> #94 Invalid use of Null
'? MsgBox("Go on?", "Yes") ==> #13 Type mismatch
'? InputBox("Name", "Title", "x", 100, "left") ==> #13 Type mismatch
Stop
'? GetLocale ==> 1033 (Long)
