' Single expressions, each evaluated after the lines above it: value and subtype (operators).

' Precedence.
'? -3^2 ==> 9 (Double)
'? 2^3^2 ==> 64 (Double)
'? 2*3^2 ==> 18 (Double)
'? 2+3\4 ==> 2 (Integer)
'? 5\4/2 ==> 2 (Long)
'? 12/3\2 ==> 2 (Long)
'? 7 Mod 4+2 ==> 5 (Integer)
'? --1 ==> 1 (Integer)
'? +--+-+1 ==> -1 (Integer)
'? 2^-1 ==> 0.5 (Double)
'? -2^-3 ==> -0.125 (Double)
'? 1 = 1 < 0 ==> True (Boolean)
'? 0 > 1 = 1 ==> False (Boolean)
'? "" = True = False ==> True (Boolean)
'? Not 1 = 2 ==> True (Boolean)
'? True Or False And False ==> True (Boolean)
'? True Or False Xor True ==> False (Boolean)
'? True Xor False Or True ==> False (Boolean)
'? 1 + 2 & 3 + 4 ==> "37" (String)
'? (1 + 7) * 2 - 3 ==> 13 (Integer)

' Arithmetic subtypes.
'? 7+7 ==> 14 (Integer)
'? 7+777777 ==> 777784 (Long)
'? 7+9.99 ==> 16.99 (Double)
'? 7+True ==> 6 (Integer)
'? True+False ==> -1 (Integer)
'? False + 6 + True ==> 5 (Integer)
'? 3+5-True ==> 9 (Integer)
'? 32767 + 1 ==> 32768 (Long)
'? 2147483647 + 1 ==> 2147483648 (Double)
'? 300 * 300 ==> 90000 (Long)
'? 100000 * 100000 ==> 10000000000 (Double)
'? CByte(100) + CByte(100) ==> 200 (Byte)
'? CByte(200) + CByte(100) ==> 300 (Integer)
'? CSng(1.5) + 100000 ==> 100001.5 (Double)
'? CSng(1.5) + 1 ==> 2.5 (Single)
'? CSng(2.5) - 1 ==> 1.5 (Single)
'? "3.5" - 1 ==> 2.5 (Double)
'? CCur(1.25) * 2 ==> 2.5 (Currency)
'? CCur(1.25) * 0.5 ==> 0.625 (Double)
'? #1/1/2000# + 1 ==> 1/2/2000 (Date)
'? #1/3/2000# - #1/1/2000# ==> 2 (Double)
'? 1E308 * 10 ==> #6 Overflow
'? 1e400 ==> #1031 Invalid number
'? 1e-320 * 1e-320 ==> 0 (Double)

' Division.
'? 21/7 ==> 3 (Double)
'? 3/True ==> -3 (Double)
'? Empty/3 ==> 0 (Double)
'? 3/2 ==> 1.5 (Double)
'? 1/0 ==> #11 Division by zero
'? 0/0 ==> #6 Overflow
'? 1\0 ==> #11 Division by zero
'? 1 Mod 0 ==> #11 Division by zero
'? 4.6 \ 1.5 ==> 2 (Long)
'? 4.6 \ 1.49 ==> 5 (Long)
'? 11.6 Mod 5.5 ==> 0 (Long)
'? 20.6 Mod 7 ==> 0 (Long)
'? 24 Mod 6.6 ==> 3 (Long)
'? -7 Mod 3 ==> -1 (Integer)
'? -32768 \ -1 ==> 32768 (Long)
'? 3000000000 \ 2 ==> #6 Overflow
'? 2^3 ==> 8 (Double)
'? 2^31 ==> 2147483648 (Double)
'? 2^0.5 ==> 1.4142135623731 (Double)
'? (-8)^(1/3) ==> #5 Invalid procedure call or argument
'? 10^400 ==> #6 Overflow

' Text mixing.
'? "7" + "7" ==> "77" (String)
'? 7 + "7" ==> 14 (Double)
'? "3" * "4" ==> 12 (Double)
'? 7 + "seven" ==> #13 Type mismatch
'? "abc" * 2 ==> #13 Type mismatch
'? " 5- " * 1 ==> -5 (Double)
'? "(5)" * 1 ==> -5 (Double)
'? "1,000" * 1 ==> 1000 (Double)
'? "&HF800" * 1 ==> -2048 (Double)
'? "&o777" * 1 ==> 511 (Double)
'? "0x1F" * 1 ==> #13 Type mismatch
'? "" * 1 ==> #13 Type mismatch
'? "True" * 1 ==> #13 Type mismatch
'? 1 & 100000 ==> "1100000" (String)
'? True & False ==> "TrueFalse" (String)
'? 1.5 & "" ==> "1.5" (String)
'? #1/2/2003# & "" ==> "1/2/2003" (String)
'? +"true" ==> "true" (String)
'? +True ==> True (Boolean)
'? -"2" ==> -2 (Double)
'? -(-32768) ==> 32768 (Long)

' Empty and null.
'? 2 + Empty ==> 2 (Integer)
'? 2 - Empty ==> 2 (Integer)
'? Empty + Empty ==> 0 (Integer)
'? Empty + "a" ==> "a" (String)
'? "1" + Empty ==> "1" (String)
'? Empty + True ==> -1 (Integer)
'? -Empty ==> 0 (Integer)
'? nothingHere ==> Empty
'? 2 + Null ==> Null
'? Null * 2 ==> Null
'? 2 Mod Null ==> Null
'? -Null ==> Null
'? "ab " & Null ==> "ab " (String)
'? Null & Null ==> Null
'? Empty & "x" ==> "x" (String)
'? Null = Null ==> Null
'? 1 < Null ==> Null
'? Null And True ==> Null
'? Null And False ==> False (Boolean)
'? Null Or True ==> True (Boolean)
'? Null Or False ==> Null
'? Null Xor True ==> Null
'? False Eqv Null ==> Null
'? False Imp Null ==> True (Boolean)
'? Null Imp True ==> True (Boolean)
'? Null Imp False ==> Null
'? Not Null ==> Null

' Comparisons.
'? False > True ==> True (Boolean)
'? 0 > True ==> True (Boolean)
'? 16 = &h10& ==> True (Boolean)
'? 0 = 0.0 ==> True (Boolean)
'? "ABC" < "abc" ==> True (Boolean)
'? "100" > 1000 ==> False (Boolean)
'? 3 = "3" ==> True (Boolean)
'? 3 < "abc" ==> True (Boolean)
'? "true" <> True ==> True (Boolean)
'? True = 2 >= 1 ==> False (Boolean)
'? "" = True ==> False (Boolean)
'? Empty = Empty ==> True (Boolean)
'? Empty = "" ==> True (Boolean)
'? Empty = 0 ==> True (Boolean)
'? Empty < "a" ==> True (Boolean)
'? "" < Empty Or "a" <= Empty Or 1 > "" ==> False (Boolean)
'? 2 => 1 ==> True (Boolean)
'? 2 =< 1 ==> False (Boolean)
'? 2 >< 1 ==> True (Boolean)
'? CSng(0.001 * 0.001) = 0.000001 And 0.000001 = CSng(0.001 * 0.001) ==> True (Boolean)
'? CSng(0.1) < 0.2 ==> True (Boolean)
'? #1/2/2000# > #1/1/2000# ==> True (Boolean)
'? 42 Is 42 ==> #424 Object required
'? Nothing Is Nothing ==> True (Boolean)

' Logic.
'? False Or True ==> True (Boolean)
'? &h01 Or &h02 ==> 3 (Integer)
'? (&h01or&h02) ==> 3 (Integer)
'? 65535 And 255 ==> 255 (Long)
'? Not 0 ==> -1 (Integer)
'? Not True ==> False (Boolean)
'? Not Empty ==> -1 (Integer)
'? 5 Xor 3 ==> 6 (Integer)
'? True Eqv True ==> True (Boolean)
'? True Imp False ==> False (Boolean)
'? True And 6 ==> 6 (Integer)
'? 2.5 Or 0 ==> 2 (Long)
'? "True" And True ==> True (Boolean)
'? 3000000000 And 1 ==> #6 Overflow
'? Not Nothing ==> #91 Object variable not set
