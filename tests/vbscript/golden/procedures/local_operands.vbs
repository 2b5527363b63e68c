' A procedure's parameter against a number written in the source: the same subtypes and rules
' as anywhere else. Sources: Microsoft's VBScript reference pages on the + and - operators
' (Integer overflows to Long, Long to Double; Empty counts as 0; Null gives Null) and on the
' comparison operators (a number is less than a text; Null compares to Null).
Function plusOne(v): plusOne = v + 1: End Function
Function minusTwo(v): minusTwo = v - 2: End Function
Function belowTwo(v): belowTwo = v < 2: End Function
Function branch(v): If v < 2 Then branch = "then" Else branch = "else": End Function
'? plusOne(5) ==> 6 (Integer)
'? plusOne(32767) ==> 32768 (Long)
'? plusOne(2147483647) ==> 2147483648 (Double)
'? minusTwo(-32767) ==> -32769 (Long)
'? plusOne(CByte(200)) ==> 201 (Integer)
'? plusOne(1.5) ==> 2.5 (Double)
'? plusOne(CSng(1.5)) ==> 2.5 (Single)
'? plusOne(CCur(1.25)) ==> 2.25 (Currency)
'? plusOne(True) ==> 0 (Integer)
'? plusOne(Empty) ==> 1 (Integer)
'? plusOne(Null) ==> Null
'? plusOne("3.5") ==> 4.5 (Double)
'? minusTwo(CDate(3)) ==> 12/31/1899 (Date)
'? belowTwo(1) ==> True (Boolean)
'? belowTwo(2.5) ==> False (Boolean)
'? belowTwo(Empty) ==> True (Boolean)
'? belowTwo(Null) ==> Null
'? branch(1) ==> "then" (String)
'? branch(1.99) ==> "then" (String)
'? branch(2) ==> "else" (String)
'? branch(-32768) ==> "then" (String)
