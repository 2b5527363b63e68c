' Endless loops are stopped by the time limit
'~ 500
Do: x = x + 1: Loop
'! #10001 Script timed out after 500 milliseconds
'? x > 0 ==> True (Boolean)
