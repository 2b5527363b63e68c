' Numbers shown as text and text read as numbers and dates, through the conversions that use them.

' A Double shows 15 significant digits, fixed below 1E+15 and down to 15 decimals, else in the
' exponent form with at least two exponent digits.
'? CDbl(6) ==> 6 (Double)
'? 0.1 + 0.2 ==> 0.3 (Double)
'? 919.9999999999999 ==> 920 (Double)
'? 9.2 * 100 ==> 920 (Double)
'? 5.499999999999995 ==> 5.49999999999999 (Double)
'? 3 / 7 ==> 0.428571428571429 (Double)
'? -1 / 3 ==> -0.333333333333333 (Double)
'? 999999999999999 ==> 999999999999999 (Double)
'? 1e15 ==> 1E+15 (Double)
'? 123456789012345678 ==> 1.23456789012346E+17 (Double)
'? 9007199254740992 ==> 9.00719925474099E+15 (Double)
'? 0.00001 ==> 0.00001 (Double)
'? 1e-15 ==> 0.000000000000001 (Double)
'? 1.5e-15 ==> 1.5E-15 (Double)
'? 1 / 30 ==> 3.33333333333333E-02 (Double)
'? 3 / 777777 ==> 3.85714671428957E-06 (Double)
'? 7 + 333.333e200 ==> 3.33333E+202 (Double)
'? 3 / 333.333e200 ==> 9.000009000009E-203 (Double)
'? -CDbl(0) ==> 0 (Double)
'? -1e20 ==> -1E+20 (Double)
' A Single shows seven digits; a Currency is fixed with up to four decimals.
'? CSng(1e10) ==> 1E+10 (Single)
'? CSng(-2.5) ==> -2.5 (Single)
'? CCur(0.0009) ==> 0.0009 (Currency)
'? CCur(-1.5) ==> -1.5 (Currency)

' Numeric text: blanks around, a sign, a currency symbol before or after the sign, behind the
' number, or around it in parentheses (negative); hexadecimal; an underflow reads as 0.
'? CDbl("42") ==> 42 (Double)
'? CDbl(" " & vbTab & "42 ") ==> 42 (Double)
'? CDbl("-4.5") ==> -4.5 (Double)
'? CDbl(".5") ==> 0.5 (Double)
'? CDbl("1e-94938484") ==> 0 (Double)
'? CDbl("&H10000") ==> 65536 (Double)
'? CDbl("-$11.5") ==> -11.5 (Double)
'? CDbl("$-11") ==> -11 (Double)
'? CDbl("11 $") ==> 11 (Double)
'? CDbl("($1,000)") ==> -1000 (Double)
' Not numeric: each alone would make the line True.
'? IsNumeric("$") Or IsNumeric("$11$") Or IsNumeric("1$1") Or IsNumeric("-5-") Or IsNumeric("1e") Or IsNumeric("1e999") ==> False (Boolean)

' Date text in the US form (month first), as serial numbers: day 0 is 12/30/1899.
'? CDbl(CDate("12/30/1899")) ==> 0 (Double)
'? CDbl(CDate("1/1/2000")) ==> 36526 (Double)
'? CDbl(CDate("1/1/2000 6:00 PM")) ==> 36526.75 (Double)
'? CDbl(CDate("12:00:00 AM")) ==> 0 (Double)
'? CDbl(CDate("12:00 PM")) ==> 0.5 (Double)
'? CDbl(CDate("18:00")) ==> 0.75 (Double)
'? CDbl(CDate("6:00PM")) ==> 0.75 (Double)
'? CDbl(CDate("2000-01-01")) ==> 36526 (Double)
'? CDbl(CDate("1/1/29")) ==> 47119 (Double)
'? CDbl(CDate("12/29/1899 6:00 AM")) ==> -1.25 (Double)
'? CDbl(CDate("2/29/2000")) ==> 36585 (Double)
' Not dates: each alone would make the line True.
'? IsDate("2/29/1900") Or IsDate("13/1/2000") Or IsDate("25:00") Or IsDate("4") Or IsDate("soon") Or IsDate("") ==> False (Boolean)
