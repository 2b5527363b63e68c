' Texts of every length behave alike: short ones (up to eight characters) are kept inside the
' value and long ones shared, and growing or cutting a text moves it across that line.
s = "abcdefg"
s = s & "h"
'? s & "|" & Len(s) ==> "abcdefgh|8" (String)
s = s & "i"
'? s & "|" & Len(s) ==> "abcdefghi|9" (String)
t = s: s = s & "j"
'? t & "|" & s ==> "abcdefghi|abcdefghij" (String)
s = "abcd": s = s & s
'? s & "|" & Len(s & s) ==> "abcdabcd|16" (String)
'? Mid("abcdefghijklmnop", 5, 8) & "|" & Left("abcdefghij", 9) & "|" & Right("abcdefghij", 8) ==> "efghijkl|abcdefghi|cdefghij" (String)
'? UCase("abcdefghi") & LCase("ABCDEFGH") ==> "ABCDEFGHIabcdefgh" (String)
' An element taking the place of the array it came from.
a = Array("first of the list", "b"): a = a(0)
'? a ==> "first of the list" (String)
a = Array(Array("inner long text", 2)): a = a(0): a = a(0)
'? a ==> "inner long text" (String)
' Split and Join keep every piece, short or long, and the count of pieces.
p = Split("a,bcdefghij,,abcdefgh", ",")
'? UBound(p) & "|" & p(1) & "|" & p(2) & "|" & p(3) ==> "3|bcdefghij||abcdefgh" (String)
'? Join(Split("xAyaz", "a", -1, 1), "-") ==> "x-y-z" (String)
'? Join(Split("1,2,3,4", ",", 2), "|") ==> "1|2,3,4" (String)
'? UBound(Split("", ",")) & "|" & UBound(Split("abc", "")) ==> "-1|0" (String)
'? Join(Array(1, "long text here", 2.5, True), ",") ==> "1,long text here,2.5,True" (String)
