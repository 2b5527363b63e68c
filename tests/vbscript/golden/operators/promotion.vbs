' Integer -> Long -> Double on overflow, Boolean counts as -1
x = 32767
'? x + 1 ==> 32768 (Long)
'? 2147483647 + 1 ==> 2147483648 (Double)
'? 200 * 200 ==> 40000 (Long)
'? True + True ==> -2 (Integer)
'? 21 / 7 ==> 3 (Double)
'? CByte(1) + CByte(2) ==> 3 (Byte)
'? 1E308 * 10 ==> #6 Overflow
' A Single against a Double compares at the Single's precision
'? CSng(0.001 * 0.001) = 0.000001 ==> True (Boolean)
'? 0.000001 = CSng(0.001 * 0.001) ==> True (Boolean)
'? CSng(0.1) < 0.2 ==> True (Boolean)
