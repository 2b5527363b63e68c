' Colons, line ends, continuation, comments and Rem
a = 1 :: :
b = _
  2
c = 3 ' a comment
d = 4 : rem another
REM a whole line
'? a + b + c + d ==> 10 (Integer)
OPTION_value = 5
'? option_VALUE ==> 5 (Integer)
[two words] = 6
'? [two words] ==> 6 (Integer)
'? 2 => 1 ==> True (Boolean)
'? 1 >< 1 ==> False (Boolean)
