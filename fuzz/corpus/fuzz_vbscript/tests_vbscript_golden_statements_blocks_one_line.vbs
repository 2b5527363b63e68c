' Block statements joined with ":" on one line
x = 5: If x > 3 Then: y = "big": Else: y = "small": End If
'? y ==> "big" (String)
Do While k < 3: k = k + 1: Loop
'? k ==> 3 (Integer)
Select Case k: Case 1, 2: z = "low": Case 3: z = "three": Case Else: z = "other": End Select
'? z ==> "three" (String)
While w < 4: w = w + 2: Wend
'? w ==> 4 (Integer)
