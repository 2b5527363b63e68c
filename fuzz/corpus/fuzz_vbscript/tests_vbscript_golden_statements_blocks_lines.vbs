' The same blocks written across lines
x = 2
If x = 1 Then
    y = "one"
ElseIf x = 2 Then
    y = "two"
Else
    y = "many"
End If
'? y ==> "two" (String)
For i = 10 To 1 Step -2
    t = t & i & " "
Next
'? t ==> "10 8 6 4 2 " (String)
Do
    n = n + 1
    If n = 4 Then Exit Do
Loop
'? n ==> 4 (Integer)
For Each v In Array("a", "b")
    u = u & v
Next
'? u ==> "ab" (String)
