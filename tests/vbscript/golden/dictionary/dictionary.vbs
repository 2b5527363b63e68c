' Scripting.Dictionary. Sources: Microsoft's Scripting Runtime reference pages on the
' Dictionary object and its Add, Exists, Items, Keys, Remove and RemoveAll methods and Count,
' Item, Key and CompareMode properties: Add of a key already there fails; reading Item of a
' missing key adds it with an empty item; changing a missing Key, or Remove of one, fails;
' CompareMode cannot change once the dictionary holds data; Keys and Items give arrays. Error
' numbers and texts from Microsoft's run-time error list.
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", 1
d.Add 2, "two"
d("c") = 3
Set d("o") = d
'? TypeName(d) & " " & d.Count & " " & d.Item("a") & d(2) & d("c") ==> "Dictionary 4 1two3" (String)
'? d("o") Is d ==> True (Boolean)
d.Remove "o"
' Reading a missing key adds it, Empty.
'? IsEmpty(d("new")) & " " & d.Count & " " & d.Exists("new") ==> "True 4 True" (String)
'? Join(d.Keys, ",") & " " & Join(d.Items, ",") ==> "a,2,c,new 1,two,3," (String)
' Numbers are keys by value whatever their subtype (Wine's Scripting Runtime tests, checked on
' Windows, give Integer, Long and Double keys the hash of their value); "2" is text, another key.
' Changing CompareMode of a dictionary with data fails with error 5 (the same tests).
'? d.Exists(2.0) & d.Exists(CLng(2)) & d.Exists("2") ==> "TrueTrueFalse" (String)
' Key renames in place; For Each walks the keys in the order they were added.
d.Key("a") = "A"
s = ""
For Each k In d: s = s & k & "=" & d(k) & ";": Next
'? s ==> "A=1;2=two;c=3;new=;" (String)
d.Remove "c"
d.Add "c", 9
'? Join(d.Keys, ",") & " " & d.Exists("a") ==> "A,2,new,c False" (String)
' Binary comparison by default: "A" and "a" are two keys; CompareMode 1 compares text.
'? d.Exists("a") & d.CompareMode ==> "False0" (String)
d.RemoveAll
d.CompareMode = 1
d.Add "Key", 1
'? d.Exists("KEY") & d.Count & UBound(d.Keys) ==> "True10" (String)
' An array item is the dictionary's own copy.
a = Array(1, 2)
d("arr") = a
a(0) = 5
'? d("arr")(0) ==> 1 (Integer)
' Objects are keys by their identity.
Set o1 = CreateObject("Scripting.Dictionary")
d.Add o1, "first"
'? d(o1) & d.Exists(CreateObject("Scripting.Dictionary")) ==> "firstFalse" (String)
' Errors.
d.Add "key", 2
'! #457 This key is already associated with an element of this collection
d.Remove "nothing here"
'! #32811 Element not found
d.Key("nothing here") = "x"
'! #32811 Element not found
d.CompareMode = 0
'! #5 Invalid procedure call or argument
x = d.Count(1)
'! #450 Wrong number of arguments or invalid property assignment
x = d.Missing
'! #438 Object doesn't support this property or method
' Nothing else can be created: no files, shell, network or registry from a script.
Set f = CreateObject("Scripting.FileSystemObject")
'! #429 ActiveX component can't create object
Set f = CreateObject("WScript.Shell")
'! #429 ActiveX component can't create object
Set f = GetObject("winmgmts:")
'! #429 ActiveX component can't create object
'? TypeName(New RegExp) & " " & TypeName(CreateObject("scripting.dictionary")) ==> "IRegExp2 Dictionary" (String)
