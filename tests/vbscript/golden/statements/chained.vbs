' Calls and subscripts applied to a value. Sources: Microsoft's VBScript reference (an array
' element may itself be an array; a class's Default member is used when its object is called or
' indexed). "(f)(x)": brackets around a bare name name what is called or indexed, a procedure
' as well; around anything else they make a value that is indexed or called.
Class Item
    Public name
End Class
Class Shelf
    Private list
    Sub Class_Initialize
        list = Array(New Item, New Item)
        list(0).name = "first"
        list(1).name = "second"
    End Sub
    Public Property Get Items(i)
        Set Items = list(i)
    End Property
    Public Property Get All
        All = list
    End Property
    Public Default Function Pick(i)
        Set Pick = list(i)
    End Function
End Class
Function pair(a, b): pair = Array(a, b): End Function
Set shelf1 = New Shelf
x = Array(Array(1, 2), Array(3, Array(4, 5)))
'? x(0)(1) ==> 2 (Integer)
'? x(1)(1)(0) ==> 4 (Integer)
'? x(0)(5) ==> #9 Subscript out of range
'? shelf1.Items(1).name ==> "second" (String)
' A property without parameters, given an argument, indexes the array it returns.
'? shelf1.All(0).name ==> "first" (String)
' An object called with arguments: its default member.
'? shelf1(1).name ==> "second" (String)
'? pair(7, 8)(1) ==> 8 (Integer)
'? (x)(1)(0) ==> 3 (Integer)
'? UBound((x)(1)) ==> 1 (Long)
'? (5)(1) ==> #13 Type mismatch
'? (pair)(1, 2)(0) & ((pair))(3, 4)(1) ==> "14" (String)
Call ((pair)) (5, 6)
y = (pair)(7, 8)
'? y(1) ==> 8 (Integer)
Call shelf1(0)
Call (pair(1, 2))(0)
'? "ok" ==> "ok" (String)
' x(0)(1) = v writes into the inner array (our reading, as x(0)(1) reads it; unconfirmed on
' Windows); the array x(0) came from is a copy and stays as it was.
inner = Array(1, 2)
grid = Array(inner, Array(3, Array(4, 5)))
grid(0)(1) = "b"
grid(1)(1)(0) = 40
'? grid(0)(1) & inner(1) & grid(1)(1)(0) ==> "b240" (String)
'? grid(0)(7) ==> #9 Subscript out of range
grid(2)(0) = 1
'! #9 Subscript out of range
grid(1)(0)(0) = 1
'! #13 Type mismatch
