' Classes. Sources: Microsoft's VBScript reference pages on the Class, Property Get/Let/Set,
' Set, New and Is statements and on TypeName/VarType (members are Public unless declared
' Private; Public variables and properties are the object's properties; Default names the member
' an object stands for; Class_Terminate runs when the last reference goes); error numbers and
' texts from Microsoft's run-time error list.
Dim log
Class Counter
    Private count
    Public label
    Dim slots(2)
    Private Sub Class_Initialize
        count = 0
        log = log & "+"
    End Sub
    Private Sub Class_Terminate
        log = log & "-" & label
    End Sub
    Public Default Property Get Value
        Value = count
    End Property
    Public Property Let Value(v)
        count = v
    End Property
    Property Get Twice(k)
        Twice = count * k
    End Property
    Public Function Add(n)
        count = count + n
        Set Add = Me
    End Function
    Sub Bump
        count = count + 1
    End Sub
    Private Function Secret
        Secret = 1
    End Function
End Class
Class Plain
    Public v
End Class
Set c = New Counter
c.label = "c"
c.Add 5
c.Add(2).Add 3
Call c.Bump
c.Value = c + 1
'? c.Value ==> 12 (Integer)
'? c * 2 ==> 24 (Integer)
'? c.Twice(3) ==> 36 (Integer)
'? CBool(c) ==> True (Boolean)
'? TypeName(c) & " " & VarType(New Plain) & " " & IsObject(c) ==> "Counter 9 True" (String)
' VarType of an object with a default property is the type of that property's value.
'? VarType(c) ==> 2 (Integer)
'? UBound(c.slots) ==> 2 (Long)
c.slots(1) = "s"
'? c.slots(1) ==> "s" (String)
' Join and Filter convert each element as an argument is converted: an object stands for its
' default value (the OLE conversion of an object reads its Value property [MS:VariantChangeType,
' MS:VarBstrFromDisp]); one without a default member fails as "" & it does.
'? Join(Array(c, c), "+") & " " & Join(Filter(Array(c, 5), "2")) ==> "12+12 12" (String)
'? Join(Array(New Plain)) ==> #438 Object doesn't support this property or method
'? Filter(Array(Nothing), "x") ==> #91 Object variable not set
'? TypeName(Array(c)(0)) ==> "Counter" (String)
Set d = c
'? d Is c ==> True (Boolean)
'? (New Counter) Is c ==> False (Boolean)
' Assigning without Set gives the default value; Set needs an object.
n = c
'? n ==> 12 (Integer)
Set d = Nothing
Set c = Nothing
' The last reference gone, Class_Terminate has run (the New above made and ended one more).
'? log ==> "++--c" (String)
'? TypeName(c) & " " & IsObject(c) ==> "Nothing True" (String)
' A local object ends when its procedure returns.
Sub useOne: Dim k: Set k = New Counter: k.label = "k": End Sub
log = ""
useOne
'? log ==> "+-k" (String)
' Errors: a member that is not there, a private one, Nothing, a non-object, an unknown class.
Set c = New Counter
x = c.missing
'! #438 Object doesn't support this property or method
x = c.Secret
'! #438 Object doesn't support this property or method
Set e = Nothing
x = e.label
'! #91 Object variable not set
x = Nothing
'! #91 Object variable not set
Set x = 5
'! #424 Object required
y = 5
x = y.label
'! #424 Object required
Set x = New Nowhere
'! #506 Class not defined
x = New Plain
'! #438 Object doesn't support this property or method
'? New Plain + 1 ==> #438 Object doesn't support this property or method
' Me outside a class is read (a host may give the script level an object); ours has none, so
' using it fails when it runs, and what ran before stays done.
Sub outside: x = Me: End Sub
outside
'! #1037 Invalid use of 'Me' keyword
y = 7: y = Me
'! #1037 Invalid use of 'Me' keyword
'? y ==> 7 (Integer)
'? +c Is c ==> True (Boolean)
' A property without Let cannot be assigned.
c.Twice(1) = 5
'! #450 Wrong number of arguments or invalid property assignment
' Two objects that refer to each other are freed after the evaluation (our own rule: they
' would otherwise live until the interpreter ends).
Class Link
    Public other
End Class
For i = 1 To 100
    Set a = New Link
    Set b = New Link
    Set a.other = b
    Set b.other = a
Next
Set a = Nothing
Set b = Nothing
'? TypeName(New Link) ==> "Link" (String)
' An object as the answer shows its default member's value (our rule for the output box).
Set c = New Counter
c.Value = 7
'? c ==> 7 (Integer)
' ReDim in a method resizes the class's own array variable.
Class Stack
    Private items()
    Private n
    Sub Class_Initialize: n = 0: End Sub
    Sub Push(v): ReDim Preserve items(n): items(n) = v: n = n + 1: End Sub
    Function Top: Top = items(n - 1): End Function
End Class
Set st = New Stack
st.Push "a"
st.Push "b"
'? st.Top ==> "b" (String)
'? New Nothing ==> #1010 Expected identifier
Class Unfinished
'! #1014 Expected 'End'
' A class's variable passed to a ByRef parameter is shared with the callee; Exit Property
' leaves a property procedure.
Sub addOne(v): v = v + 1: End Sub
Class Tally
    Public n
    Sub Bump: n = 1: addOne n: End Sub
    Property Get Capped
        Capped = "low"
        If n < 5 Then Exit Property
        Capped = "high"
    End Property
End Class
Set ta = New Tally
ta.Bump
'? ta.n & " " & ta.Capped ==> "2 low" (String)
' Wherever a value is needed (conditions, For bounds, Select Case, joins) an object gives its
' default member's value.
Set three = New Counter
three.Value = 3
s = "n"
s = s & three & three
If three Then s = s & "!"
For i = 1 To three: Next
Select Case three
Case 3: s = s & "c"
End Select
'? s & i ==> "n33!c4" (String)
If Nothing Then s = 1
'! #91 Object variable not set
' An object indexed on the left of "=" assigns through its default property's Let.
Class Table
    Private cells(3)
    Public Default Property Get Cell(i): Cell = cells(i): End Property
    Public Property Let Cell(i, v): cells(i) = v: End Property
End Class
Set tb = New Table
tb(2) = "two"
'? tb(2) & tb.Cell(2) ==> "twotwo" (String)
' A script's class is no collection (451); Nothing gives 91 (our reading, unconfirmed).
For Each item In New Plain: Next
'! #451 Object not a collection
For Each item In Nothing: Next
'! #91 Object variable not set
' A method that drops the last reference to its own object runs to its end (the call holds
' the object); Class_Terminate runs once the statement is done.
Class Dropper
    Public v
    Function Drop()
        Set keep = Nothing
        v = 5
        Drop = v + 1
    End Function
    Private Sub Class_Terminate
        log = log & "-dropped"
    End Sub
End Class
log = ""
Set keep = New Dropper
r = keep.Drop()
'? r & log & TypeName(keep) ==> "6-droppedNothing" (String)
' Inside its class a bare name finds its members; Property Set takes an object; Default, arguments.
Class Shelf
    Private store(2), owner_
    Property Get Item(i): Item = store(i): End Property
    Property Let Item(i, v): store(i) = v: End Property
    Property Get Owner: Set Owner = owner_: End Property: Property Set Owner(o): Set owner_ = o: End Property
    Public Default Function Pick(i): Pick = "#" & Item(i): End Function
    Sub Fill: Item(1) = "b": store(2) = "c": End Sub
    Function Both: Both = Item(1) & store(2) & Pick(2): End Function
End Class
Set sh = New Shelf: sh.Fill: sh.Item(0) = "a": Set sh.Owner = New Plain
'? sh.Item(0) & sh.Both & sh(1) & TypeName(sh.Owner) ==> "abc#c#bPlain" (String)
x = sh.store
'! #438 Object doesn't support this property or method
' A class exists from the start of the text that defines it, as a procedure does.
Set early = New Later: Class Later: Public p: End Class
'? TypeName(early) ==> "Later" (String)
' Inside its class, a method calls itself by its bare name and through Me, Me reaches a private
' member, a Function without parameters has its result indexed, and dropping the last outside
' reference during a call ends the instance only after the statement.
Class Inner
    Private Sub Class_Terminate: log = log & "T": End Sub
    Private Function Pick(i): Pick = Mid("xyz", i, 1): End Function
    Function List: List = Array("a", "b"): End Function
    Function Fact(n): If n < 2 Then Fact = 1 Else Fact = n * Me.Fact(n - 1)
    End Function
    Function Count(n): If n < 1 Then Count = 0 Else Count = Count(n - 1) + 1
    End Function
    Function Run(k): Set keep = Nothing: log = log & "R"
        Run = Pick(1) & Me.Pick(2) & List(1) & Fact(k) & Count(k)
    End Function
End Class
log = ""
Set keep = New Inner
'? keep.Run(4) & log ==> "xyb244R" (String)
'? log ==> "RT" (String)
' A method called through a variable that holds its own object goes Me's way: it reaches private
' members, and the outer call keeps the object alive when the variable lets go of it. The same
' place given another class's object calls that object's member.
Dim walker
Class Walk
    Public v
    Private Function Pace(n): Pace = n + 1: End Function
    Function Via(o, n): Via = o.Pace(n): End Function
    Function Go(n)
        If n = 0 Then Set walker = Nothing: v = "kept": Go = v: Exit Function
        Go = walker.Pace(n) & walker.Go(n - 1)
    End Function
End Class
Class Pacer
    Function Pace(n): Pace = n * 10: End Function
End Class
Set walker = New Walk
'? walker.Via(walker, 1) & walker.Via(New Pacer, 1) & walker.Via(walker, 2) ==> "2103" (String)
'? walker.Go(2) & TypeName(walker) ==> "32keptNothing" (String)
