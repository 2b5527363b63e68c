' What one call defines or leaves behind holds for the calls after it
Function sq(n)
    sq = n * n
End Function
'? sq(12) ==> 144 (Integer)
total = 0
Sub add(n): total = total + n: End Sub
'? total ==> 0 (Integer)
add 5: add 6
'? total ==> 11 (Integer)
' A failed run keeps what it did before the failure
a = 1: b = 1/0: c = 1
'! #11 Division by zero
'? a & "|" & c ==> "1|" (String)
' A syntax error defines nothing
Function nope(): nope = 1: End Function
x = (1
'! #1006 Expected ')'
'? nope() ==> #13 Type mismatch
Option Explicit
'? other + 1 ==> #500 Variable is undefined
fresh = 1
'! #500 Variable is undefined
Dim fresh: fresh = 3
'? fresh ==> 3 (Integer)
