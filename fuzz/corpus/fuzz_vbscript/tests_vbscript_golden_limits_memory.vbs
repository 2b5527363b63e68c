' Sizes beyond memory are Out of memory, not a crash
'? Space(2000000000) ==> #7 Out of memory
ReDim huge(100000, 100000)
'! #7 Out of memory
s = "x": Do: s = s & s: Loop
'! #7 Out of memory
'? Len(s) ==> 16777216 (Long)
