' Unary minus binds tighter than ^; the rest as VBScript's table
'? -3^2 ==> 9 (Double)
'? 2^3^2 ==> 64 (Double)
'? 2+3\4 ==> 2 (Integer)
'? 5\4/2 ==> 2 (Long)
'? 7 Mod 4+2 ==> 5 (Integer)
'? 1 + 2 & 3 ==> "33" (String)
'? Not 1 = 2 ==> True (Boolean)
'? True Or False And False ==> True (Boolean)
