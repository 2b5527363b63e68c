' Integer -> Long -> Double on overflow, Boolean counts as -1
x = 32767
'? x + 1 ==> 32768 (Long)
'? 2147483647 + 1 ==> 2147483648 (Double)
'? 200 * 200 ==> 40000 (Long)
'? True + True ==> -2 (Integer)
'? 21 / 7 ==> 3 (Double)
'? CByte(1) + CByte(2) ==> 3 (Byte)
'? 1E308 * 10 ==> #6 Overflow
