' The loop a calculator user writes in statement mode
s = 0: For i = 1 To 100: s = s + i ^ 2: Next
'? s ==> 338350 (Double)
'? i ==> 101 (Integer)
