' Parameters are ByRef unless ByVal; parentheses make a copy
Sub bump(v): v = v + 1: End Sub
Sub bumpCopy(ByVal v): v = v + 1: End Sub
a = 1
bump a
Call bump(a)
bump (a)
bumpCopy a
'? a ==> 3 (Integer)
Function twice(n)
    twice = n * 2
    Exit Function
    twice = 0
End Function
'? twice(21) ==> 42 (Integer)
'? twice(1, 2) ==> #450 Wrong number of arguments or invalid property assignment
