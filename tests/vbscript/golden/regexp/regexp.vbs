' Regular expressions. Sources: Microsoft's VBScript reference [MS:x] pages named at each case;
' the pattern dialect and the replacement rules ($&, $`, $', $$, two-digit groups) are those of
' ECMAScript's third edition [ES3: 15.10, 15.5.4.11], which the RegExp object follows. TypeNames
' are the interface names that scripts written for Windows test for.
' Properties start empty and False [MS:Pattern Property, Global Property, IgnoreCase Property].
Set r = New RegExp
'? TypeName(r) & " " & r.Pattern & r.Global & r.IgnoreCase & r.Multiline ==> "IRegExp2 FalseFalseFalse" (String)
' Without Global, Execute gives the first match; FirstIndex counts from 0 [MS:Execute Method,
' FirstIndex Property].
r.Pattern = "(\w+)@(\w+)\.com"
Set ms = r.Execute("joe@x.com, ann@y.com")
'? ms.Count & " " & ms(0) & " " & ms(0).FirstIndex & " " & ms(0).Length ==> "1 joe@x.com 0 9" (String)
' Matches, Match and SubMatches: Count, Item, For Each, Value [MS:Matches Collection, Match
' Object, SubMatches Collection].
r.Global = True
Set ms = r.Execute("joe@x.com, ann@y.com")
s = ""
For Each m In ms
    s = s & m.FirstIndex & ":" & m.Value & "/" & m.SubMatches(1) & m.SubMatches.Count & ";"
Next
'? s ==> "0:joe@x.com/x2;11:ann@y.com/y2;" (String)
' A Match in an array is read for its default member, Value, as an argument would be.
'? Join(Array(ms(0), ms(1)), "|") ==> "joe@x.com|ann@y.com" (String)
'? TypeName(ms) & " " & TypeName(ms.Item(1)) & " " & TypeName(ms(1).SubMatches) ==> "IMatchCollection2 IMatch2 ISubMatches" (String)
For Each g In ms(1).SubMatches: s = g: Next
'? s ==> "y" (String)
' Groups in the replacement [MS:Replace Method].
'? r.Replace("joe@x.com, ann@y.com", "$2-$1") ==> "x-joe, y-ann" (String)
' $& the match, $` before it, $' after it, $$ a dollar; $0 and a missing group stay as written
' [ES3: 15.5.4.11].
r.Pattern = "b(c)"
'? r.Replace("abcd", "[$&|$`|$'|$$|$0|$2|$1]") ==> "a[bc|a|d|$|$0|$2|c]d" (String)
'? r.Replace("abcd", "$01$10") ==> "acc0d" (String)
' A group that took no part is Empty in SubMatches and nothing in Replace [ES3: 15.10.2.1].
r.Pattern = "(x)|(y)"
'? IsEmpty(r.Execute("y")(0).SubMatches(0)) & r.Replace("y", "<$1$2>") ==> "True<y>" (String)
' Empty matches move along the text: "x*" matches before each character and at the end
' [ES3: 15.5.4.11].
r.Pattern = "x*"
'? r.Replace("abc", "-") & " " & r.Execute("abc").Count ==> "-a-b-c- 4" (String)
r.Global = False
'? r.Replace("abc", "-") ==> "-abc" (String)
' IgnoreCase, Multiline; "$" without Multiline is only the end of the text [MS:Multiline
' Property, IgnoreCase Property].
r.Pattern = "^b$"
'? r.Test("a" & vbLf & "B") ==> False (Boolean)
r.IgnoreCase = True: r.Multiline = True
'? r.Test("a" & vbLf & "B") ==> True (Boolean)
r.Multiline = False: r.Pattern = "b$"
'? r.Test("b" & vbLf) ==> False (Boolean)
' IgnoreCase folds letters beyond ASCII too [ES3: 15.10.2.8, Canonicalize].
r.Pattern = ChrW(1041) & ChrW(201)
'? r.Test(ChrW(1073) & ChrW(233)) ==> True (Boolean)
' Escapes \uhhhh and \xhh; "." stops at line ends [MS:Regular Expression Syntax].
r.Pattern = "\u0041\x42."
'? r.Test("ab" & vbCr) & r.Test("abc") ==> "FalseTrue" (String)
' An empty pattern matches at the start.
r.Pattern = ""
'? r.Test("abc") & r.Execute("abc")(0).FirstIndex ==> "True0" (String)
Set r2 = CreateObject("VBScript.REGEXP")
'? TypeName(r2) ==> "IRegExp2" (String)
' Errors [MS:VBScript Run-time Errors]: an invalid pattern is refused where it is used, not when
' assigned (our reading: the Pattern page names no error); an index beyond the matches is an
' invalid argument.
r.Pattern = "a("
'! ok
x = r.Test("a")
'! #5017 Syntax error in regular expression
r.Pattern = "a"
x = r.Execute("b")(0)
'! #5 Invalid procedure call or argument
x = r.Execute("a")(0).SubMatches(0)
'! #5 Invalid procedure call or argument
x = r.Execute()
'! #450 Wrong number of arguments or invalid property assignment
' Given something to call instead of a text (GetRef, or an object with a default method),
' Replace calls it for each match with the match, each submatch, the position (from 0, as
' FirstIndex) and the whole text, and puts in its result (VBScript 5.5 and later; the order of
' the arguments as Tek-Tips thread 1085831 lists them). An error inside it is the Replace's.
Function Tagged(m, first, second, pos, text)
    Tagged = "[" & m & "|" & first & "|" & IsEmpty(second) & "|" & pos & "|" & Len(text) & "]"
End Function
Function Broken(m, pos, text)
    Broken = 1 / 0
End Function
Class Shouter
    Public Default Function Shout(m, pos, text): Shout = UCase(m): End Function
End Class
Set rc = New RegExp
rc.Pattern = "(a)(z)?b"
rc.Global = True
'? rc.Replace("x ab y ab", GetRef("Tagged")) ==> "x [ab|a|True|2|9] y [ab|a|True|7|9]" (String)
rc.Pattern = "b+"
'? rc.Replace("abbcb", New Shouter) ==> "aBBcB" (String)
'? rc.Replace("abc", GetRef("Broken")) ==> #11 Division by zero
'? rc.Replace("abc", GetRef("Tagged")) ==> #450 Wrong number of arguments or invalid property assignment
' The Replace function takes no procedure [MS:Replace Function]: the reference is a value, and
' one without a default member fails as it does in "" & it.
'? Replace("abc", "b", GetRef("Tagged")) ==> #438 Object doesn't support this property or method
