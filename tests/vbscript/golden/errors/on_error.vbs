' On Error Resume Next keeps going and fills Err
On Error Resume Next
x = 1 / 0
'? Err.Number & "|" & Err.Description ==> "11|Division by zero" (String)
Err.Clear
'? Err.Number ==> 0 (Long)
Err.Raise 1000, "calc", "own error"
'! #1000 own error
' Err.Raise takes every argument it is given; what is left out keeps Err's values.
' (Each run between two checks is a call of its own, with its own On Error.)
On Error Resume Next
Err.Raise 1000, "mine", "my text", "help.chm", 42
r = Err.Source & "|" & Err.Description & "|" & Err.HelpFile & "|" & Err.HelpContext
Err.Raise 5
r = r & " " & Err.Number & "|" & Err.Source & "|" & Err.Description & "|" & Err.HelpContext
Err.Clear
Err.Raise 5
r = r & " " & Err.Source & "|" & Err.Description
'? r ==> "mine|my text|help.chm|42 5|mine|my text|42 Microsoft VBScript runtime error|Invalid procedure call or argument" (String)
On Error Resume Next
Err.Raise 0
r = Err.Number
Err.Clear
Err.Raise &H8000
r = r & " " & Err.Number
Err.Clear
Err.Raise &HFFFF
r = r & " " & Err.Number
Err.Clear
Err.Raise &H10000&
r = r & " " & Err.Number
Err.Clear
Err.Raise -3000000000
r = r & " " & Err.Number
Err.Clear
Err.Raise &H8007000E&
r = r & " " & Err.Number & "|" & Err.Description & "|" & Err.Source
'? r ==> "5 -32768 -1 5 6 7|Out of memory|Microsoft VBScript runtime error" (String)
On Error Resume Next
Err.Source = "mine"
If 1 / 0 Then x = 1
'? Err.Number & "|" & Err.Source ==> "11|Microsoft VBScript runtime error" (String)
On Error Resume Next
'? Err.Number ==> 0 (Long)
' A failing block header goes on into the block once
On Error Resume Next
passes = ""
Do While 1 / 0
    passes = passes & "do" & Err.Number & " "
Loop
Err.Clear
For x = 1 / 0 To 3
    passes = passes & "for" & Err.Number & " "
Next
Err.Clear
For x = 1 To 1 / 0
    passes = passes & "to" & Err.Number & " "
Next
Err.Clear
For Each x In 1 / 0
    passes = passes & "each" & Err.Number & " "
Next
Err.Clear
Select Case 1 / 0
Case 1
    passes = passes & "select" & Err.Number & " "
Case 2
    passes = passes & "other "
End Select
Err.Clear
Select Case 2
Case 1 / 0
    passes = passes & "case" & Err.Number & " "
Case 2
    passes = passes & "other "
End Select
'? passes ==> "do11 for11 to11 each11 select11 case11 " (String)
On Error Resume Next
For x = 1 / 0 To 3
Next
'? Err.Number ==> 92 (Long)
On Error Resume Next
n = 0
Do
    n = n + 1
Loop While 1 / 0
'? n & "|" & Err.Number ==> "1|11" (String)
' The error a script raised with its own texts is what Err holds after the statement, even when
' an object the statement released raises one of its own in Class_Terminate.
Class RaisesOnEnd
    Private Sub Class_Terminate
        Err.Raise 77, "terminate", "inner"
    End Sub
End Class
Function RaiseOwn()
    Dim held
    Set held = New RaisesOnEnd
    Err.Raise 1000, "script", "outer"
End Function
On Error Resume Next
x = RaiseOwn()
'? Err.Number & "|" & Err.Source & "|" & Err.Description ==> "1000|script|outer" (String)
' So do While, Do Until and a condition failing after some passes; a failing Case item in a list.
On Error Resume Next: passes = ""
While 1 / 0: passes = passes & "wend" & Err.Number & " ": Wend
Do Until 1 / 0: passes = passes & "until ": Exit Do: Loop: k = 0: Do While 10 / (2 - k): k = k + 1: Loop
Select Case 2: Case 5, 1 / 0: passes = passes & "list" & k & " ": Case 2: passes = "other": End Select
'? passes ==> "wend11 until list3 " (String)
