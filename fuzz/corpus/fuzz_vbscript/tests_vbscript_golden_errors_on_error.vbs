' On Error Resume Next keeps going and fills Err
On Error Resume Next
x = 1 / 0
'? Err.Number ==> 11 (Long)
'? Err.Description ==> "Division by zero" (String)
Err.Clear
'? Err.Number ==> 0 (Long)
Err.Raise 1000, "calc", "own error"
'! #1000 own error
