' Single expressions, each evaluated after the lines above it: value and subtype (errors).

' Compile errors.
'? (1+2 ==> #1006 Expected ')'
'? 1 2 ==> #1025 Expected end of statement
'? 1+ ==> #1002 Syntax error
'? (1+) ==> #1023 Expected expression
'? 1 $ 2 ==> #1032 Invalid character
'? 1 ? 2 ==> #1032 Invalid character
'? "abc ==> #1033 Unterminated string constant
'? foo : ==> #1025 Expected end of statement
'? x = 5 ==> False (Boolean)
'?  ==> Empty
'? #13/45/2000# ==> #1002 Syntax error
'? &h123456789 ==> #1031 Invalid number
