' With blocks. Sources: Microsoft's VBScript reference page on With...End With (".member" refers
' to the object named after With; blocks nest, the inner object taking over); the run-time error
' list (505 "Invalid or unqualified reference" for ".member" with no With around it, as a test
' suite verified on Windows asserts); Nothing has no members (91).
Class Part
    Public name, inner
    Function Describe(x): Describe = name & ":" & x: End Function
End Class
Set outer = New Part
Set outer.inner = New Part
With outer
    .name = "out"
    With .inner
        .name = "in"
        r1 = .Describe(1)
    End With
    r2 = .Describe(2)
    Set .inner = Nothing
End With
'? r1 & " " & r2 ==> "in:1 out:2" (String)
'? TypeName(outer.inner) ==> "Nothing" (String)
' With is lexical: a procedure called inside the block does not see its object.
Sub lookOutside: x = .name: End Sub
With outer: lookOutside: End With
'! #505 Invalid or unqualified reference
x = .name
'! #505 Invalid or unqualified reference
' With Nothing is accepted; using a member fails.
With Nothing
End With
With Nothing: x = .name: End With
'! #91 Object variable not set
With 5: x = .name: End With
'! #424 Object required
With New Part: .name = "temp": r3 = .Describe(3): End With
'? r3 ==> "temp:3" (String)
' A With whose object fails opens no block: the enclosing one keeps its object.
On Error Resume Next: Set p = New Part: p.name = "p"
With p: With .missing: End With: r5 = .name & Err.Number: End With
'? r5 ==> "p438" (String)
' A call without parentheses may begin its first argument with a member: "ok .name" passes
' .name, "ok.name" is a member of ok.
Dim r4
Sub ok(a, b): r4 = TypeName(a) & " " & a & " " & b: End Sub
With New Part: .name = "n": ok .name = "n", "text" & .name: End With
'? r4 ==> "Boolean True textn" (String)
