' The recursive function a calculator user defines in statement mode
Function f(n): If n < 2 Then f = 1 Else f = n * f(n - 1): End Function
'? f(10) ==> 3628800 (Long)
'? f(1) ==> 1 (Integer)
