' Eval, Execute, ExecuteGlobal and GetRef. Sources: Microsoft's VBScript reference pages on
' the Eval function and the Execute and ExecuteGlobal statements (Eval reads "x = y" as a
' comparison, Execute as an assignment; Execute runs in the caller's scope, ExecuteGlobal in
' the global one; a procedure Execute defines sees only the global scope) and on GetRef (a
' reference to a Sub or Function, used like a function pointer).
Dim x, log
x = "global"
Function Twice(n): Twice = n * 2: End Function
Sub Note(s): log = log & s: End Sub
'? Eval("1 + 2 * 3") ==> 7 (Integer)
'? Eval("x = ""global""") ==> True (Boolean)
'? Eval("") ==> Empty
Execute "y = 5 : z = y + 1"
'? z ==> 6 (Integer)
Execute "x = ""changed""" & vbCrLf & "x = x & ""!"""
'? x ==> "changed!" (String)
' Inside a procedure, Eval and Execute see its locals and Dim there makes a local.
Function Scoped(n)
    Dim x
    x = "local"
    Execute "x = x & n : Dim made : made = 3 : Const k = ""k"""
    Scoped = Eval("x & made & k") & "/" & Eval("Twice(n)")
End Function
'? Scoped(4) ==> "local43k/8" (String)
'? x ==> "changed!" (String)
'? IsEmpty(made) & IsEmpty(k) ==> "TrueTrue" (String)
' ExecuteGlobal in a procedure changes the global variable, and its Dim is global.
Sub Globally
    Dim x
    ExecuteGlobal "x = ""from global"" : Dim shared : shared = 9"
End Sub
Globally
'? x & shared ==> "from global9" (String)
' A procedure Execute defines in a procedure sees only the global scope, and only that
' procedure may call it [MS:Execute Statement; "VBScript in a Nutshell", Execute]: elsewhere the
' name is no procedure, "Type mismatch" as for any such call. ExecuteGlobal's may be called from
' anywhere [MS:ExecuteGlobal Statement]; Execute at the script level defines one for everyone.
Dim seenInside
Sub Definer
    Dim x
    x = "hidden"
    Execute "Function Seen: Seen = x: End Function"
    seenInside = Seen()
End Sub
Sub Outsider
    seenInside = Seen()
End Sub
Definer
'? seenInside ==> "from global" (String)
'? Seen ==> #13 Type mismatch
Outsider
'! #13 Type mismatch
Sub GlobalDefiner
    ExecuteGlobal "Function SeenEverywhere: SeenEverywhere = x: End Function"
End Sub
GlobalDefiner
'? SeenEverywhere ==> "from global" (String)
Execute "Function Seen: Seen = 1: End Function"
'? Seen ==> 1 (Integer)
' A call in a procedure's body may name a Function that an Execute in it defines first.
Dim laterValue
Sub UsesLater
    Execute "Function Later(v): Later = v + 1: End Function"
    laterValue = Later(1)
End Sub
UsesLater
'? laterValue ==> 2 (Integer)
ExecuteGlobal "Class Pt: Public a: End Class : Function MakePt(v): Set MakePt = New Pt: MakePt.a = v: End Function"
'? MakePt(7).a ==> 7 (Integer)
' A Function redefined by the ExecuteGlobal it runs finishes as it began.
Function Redo
    ExecuteGlobal "Function Redo: Redo = ""new"": End Function"
    Redo = "old"
End Function
'? Redo & Redo ==> "oldnew" (String)
' Also when the new definition comes from an argument of the call.
Sub Takes(a): log = "old " & a: End Sub
Takes Execute("Sub Takes(a): log = ""new"": End Sub")
Takes 1
'? log ==> "new" (String)
log = ""
' Errors: a syntax error in the text is raised by the call with its own number; an error
' inside propagates to On Error Resume Next like any other.
'? Eval("1 +") ==> #1002 Syntax error
'? Eval("(1") ==> #1006 Expected ')'
Execute "5 * 4"
'! #1024 Expected statement
On Error Resume Next
Execute "q = 1 / 0"
n = Err.Number
On Error GoTo 0
'? n ==> 11 (Long)
' Text that runs itself again ends in Out of stack space, not a crash.
s = "Execute s"
Execute s
'! #28 Out of stack space
' GetRef: a reference called like the function; TypeName and VarType of an object.
Set f = GetRef("Twice")
'? f(21) ==> 42 (Integer)
'? TypeName(f) & " " & VarType(f) & " " & IsObject(f) ==> "Object 9 True" (String)
Set g = GetRef("note")
g "a"
Call g("b")
g("c")
'? log ==> "abc" (String)
' Arguments pass as in a direct call: ByRef by default.
Sub Bump(v): v = v + 1: End Sub
Set b = GetRef("Bump")
k = 1
b k
'? k ==> 2 (Integer)
' Inside Function f, Eval("f(...)") calls f again, as f(...) there does.
Function Fact(n)
    If n <= 1 Then
        Fact = 1
    Else
        Fact = n * Eval("Fact(n - 1)")
    End If
End Function
'? Fact(5) ==> 120 (Integer)
Function Apply(fn, v): Apply = fn(v): End Function
'? Apply(GetRef("Twice"), 5) ==> 10 (Integer)
'? GetRef("NoSuchThing") ==> #5 Invalid procedure call or argument
'? GetRef("x") ==> #5 Invalid procedure call or argument
' An object with a default member, called as a statement with arguments ("acc 5"), calls that
' member, as "Call acc(5)" does (our reading; the Call form is Microsoft's).
Class Accumulator
    Public total
    Public Default Sub Add(v): total = total + v: End Sub
End Class
Set acc = New Accumulator
acc 5
acc 6
Call acc(1)
'? acc.total ==> 12 (Integer)
' Inside a class's procedure, Execute sees the members and Me.
Class Box
    Public v
    Function Fill(n)
        Execute "v = n : Set keep = Me"
        Fill = keep.v + Eval("v")
    End Function
End Class
'? (New Box).Fill(4) ==> 8 (Integer)
' A class may not take the name of a variable declared before (Name redefined, unconfirmed).
ExecuteGlobal "Class x: End Class"
'! #1041 Name redefined
' A name a variable held until ExecuteGlobal made it a function (unconfirmed): code that ran
' before, an operator on it and a copy of it, now calls it.
Function PlusU(): Dim c: c = u: PlusU = c + u: End Function
u = 1
'? PlusU() ==> 2 (Integer)
ExecuteGlobal "Function u(): u = 40: End Function"
'? PlusU() ==> 80 (Integer)
