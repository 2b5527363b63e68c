' Null spreads through arithmetic and comparisons; logic is three-valued
n = Null
'? n + 1 ==> Null
'? n = n ==> Null
'? n & "x" ==> "x" (String)
'? n And False ==> False (Boolean)
'? n Or True ==> True (Boolean)
'? n Or False ==> Null
'? False Imp n ==> True (Boolean)
'? CStr(n) ==> #94 Invalid use of Null
If n Then r = "taken" Else r = "not taken"
'? r ==> "not taken" (String)
