' Texts join with +, a number and numeric text add
'? "7" + "7" ==> "77" (String)
'? 7 + "7" ==> 14 (Double)
'? "1.5" * 2 ==> 3 (Double)
'? 7 + "seven" ==> #13 Type mismatch
'? 1 & 2 ==> "12" (String)
v1 = "100": v2 = 1000
'? v1 > v2 ==> True (Boolean)
'? v1 > 1000 ==> False (Boolean)
'? 3 / 7 ==> 0.428571428571429 (Double)
'? 1 / 30 ==> 3.33333333333333E-02 (Double)
'? 1E15 ==> 1E+15 (Double)
