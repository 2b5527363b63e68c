' Runaway recursion ends in VBScript's own error, and the engine goes on
Function r(n): r = r(n + 1): End Function
'? r(0) ==> #28 Out of stack space
'? 1 + 1 ==> 2 (Integer)
