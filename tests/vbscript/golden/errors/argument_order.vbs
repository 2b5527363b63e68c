' Which error a built-in raises when several arguments are at fault, and where Null passes
' through. Sources: [api] is the Windows-verified assertions of Wine's VBScript API test
' script; [MS:x] is Microsoft's VBScript reference page x. Rewritten in our own words.

' Join: a Null list is an invalid use of Null, a Null element a type mismatch.
'? Join(Null) ==> #94 Invalid use of Null
'? Join(Array(1, Null)) ==> #13 Type mismatch
'? Join(Array(1, Empty, "a"), "-") ==> "1--a" (String)

' Mid looks for a Null start or length before it converts or checks the start [api].
'? Mid("test", 0, Null) ==> #94 Invalid use of Null
'? Mid("test", "a", Null) ==> #94 Invalid use of Null
'? Mid("test", Null, -1) ==> #94 Invalid use of Null
'? Mid("test", "a", Empty) ==> #13 Type mismatch
'? Mid(Null, -1, -1) ==> #5 Invalid procedure call or argument
'? Mid("test", Empty, 1) ==> #5 Invalid procedure call or argument
'? Mid(Null, 2) ==> Null

' DateAdd: a Null date gives Null, a Null interval or count is an error [api].
'? DateAdd("q", 1, Null) ==> Null
'? DateAdd("q", Null, #1/1/2000#) ==> #94 Invalid use of Null
'? DateAdd(Null, 1, #1/1/2000#) ==> #94 Invalid use of Null

' Weekday checks its first day before a Null date passes through [api].
'? Weekday(Null, -1) ==> #5 Invalid procedure call or argument
'? Weekday(Null, Null) ==> #94 Invalid use of Null
'? Weekday(Null, "a") ==> #13 Type mismatch
'? Weekday(Null, vbSunday) ==> Null
'? Weekday(#1/1/2000#, Null) ==> #94 Invalid use of Null

' DatePart likewise checks the interval and its options first (derived from DateAdd's and
' Weekday's order).
'? DatePart("d", Null) ==> Null
'? DatePart("d", Null, 9) ==> #5 Invalid procedure call or argument

' A Call statement refuses the result of a numeric or date conversion, once the conversion
' itself succeeded; a failing conversion reports its own error [api].
Call CByte(1)
'! #458 Variable uses an Automation type not supported in VBScript
Call CInt("x")
'! #13 Type mismatch
On Error Resume Next
Call CDate(1)
r = Err.Number
Err.Clear
Call CDbl(1) : r = r & " " & Err.Number
Err.Clear
Call CLng(1) : r = r & " " & Err.Number
Err.Clear
Call CSng(1) : r = r & " " & Err.Number
Err.Clear
Call CCur(1) : r = r & " " & Err.Number
Err.Clear
Call CByte("258") : r = r & " " & Err.Number
Err.Clear
x = CInt(1) : r = r & " " & Err.Number
'? r ==> "458 458 458 458 458 6 0" (String)
