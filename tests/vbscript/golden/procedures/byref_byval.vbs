' An array element passed ByRef is written back; in parentheses it goes by value
Sub setTwo(v): v = 2: End Sub
Sub setFirst(arr): arr(0) = 2: End Sub
e = Array(1)
setTwo e(0)
'? e(0) ==> 2 (Integer)
e(0) = 1
setTwo (e(0))
'? e(0) ==> 1 (Integer)
Dim f(1)
Call setTwo(f(1))
'? f(1) ==> 2 (Integer)
g = Array(Array(3))
setFirst g(0)
h = g(0)
Dim r
'? h(0) ==> 2 (Integer)
Sub shrink(v): r = Array(5): v = 7: End Sub
ReDim r(3)
shrink r(2)
'? Join(r, ",") ==> "5" (String)
ReDim r(3)
shrink r(0)
'? Join(r, ",") ==> "7" (String)
' A class's own array element and a 2-D element go ByRef; an object's property goes as a copy.
Sub addTen(v): v = v + 10: End Sub
Class Holder
    Public items, count
    Sub Fill: items = Array(1, 2): count = 5: addTen items(1): addTen count: End Sub
End Class
Dim m(1, 1): Set ho = New Holder: ho.Fill: addTen ho.count: addTen m(1, 0)
'? ho.items(1) & " " & ho.count & " " & m(1, 0) ==> "12 15 10" (String)
' A procedure's own Const is a name of that procedure.
Function twiceK(): Const k = 5: twiceK = k * 2: End Function
'? twiceK() ==> 10 (Integer)
