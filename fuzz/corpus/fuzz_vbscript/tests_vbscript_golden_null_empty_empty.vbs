' Empty is 0 for numbers and "" for text
'? neverAssigned ==> Empty
'? neverAssigned + 2 ==> 2 (Integer)
'? neverAssigned & "x" ==> "x" (String)
'? neverAssigned = 0 ==> True (Boolean)
'? neverAssigned = "" ==> True (Boolean)
'? IsEmpty(neverAssigned) ==> True (Boolean)
'? -Empty ==> 0 (Integer)
