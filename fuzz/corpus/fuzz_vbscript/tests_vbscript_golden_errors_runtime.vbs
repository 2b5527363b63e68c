' Run-time errors with their VBScript texts
'? 1 \ 0 ==> #11 Division by zero
'? "abc" * 2 ==> #13 Type mismatch
'? CInt(32767.5) ==> #6 Overflow
'? Sqr(-1) ==> #5 Invalid procedure call or argument
'? CStr(Null) ==> #94 Invalid use of Null
'? 42 Is 42 ==> #424 Object required
x = Nothing
'! #91 Object variable not set
Option Explicit
undeclared = 1
'! #500 Variable is undefined
