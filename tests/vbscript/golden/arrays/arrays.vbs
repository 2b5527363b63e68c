' Fixed and dynamic arrays
Dim a(3)
a(0) = 5
'? a(0) ==> 5 (Integer)
'? UBound(a) ==> 3 (Long)
'? a(4) ==> #9 Subscript out of range
ReDim b(1)
b(1) = "kept"
ReDim Preserve b(5)
'? b(1) & UBound(b) ==> "kept5" (String)
ReDim a(1)
'! #10 This array is fixed or temporarily locked
c = Array(1, 2, 3)
d = c
d(0) = 9
'? c(0) ==> 1 (Integer)
'? Join(c, "+") ==> "1+2+3" (String)
Dim s(2)
ReDim s("abc")
'! #10 This array is fixed or temporarily locked
Dim u()
n = 0
For Each item In u
    n = n + 1
Next
'? n ==> 0 (Integer)
