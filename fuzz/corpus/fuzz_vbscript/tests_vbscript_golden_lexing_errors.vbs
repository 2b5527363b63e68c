' Lexical errors carry VBScript's numbers
x = "open
'! #1033 Unterminated string constant
x = 1 ? 2
'! #1032 Invalid character
x = 1e999
'! #1031 Invalid number
