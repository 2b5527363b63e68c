' Scripting.Dictionary. Sources: Microsoft's Scripting Runtime reference [MS:x] pages named at
' each case; [wine-scrrun] Wine's Scripting Runtime tests (dlls/scrrun/tests/dictionary.c),
' whose assertions were checked on Windows. Error numbers and texts from Microsoft's run-time
' error list [MS:VBScript Run-time Errors].
' Add, Item (the default), Count [MS:Add Method (Dictionary), Item Property, Count Property].
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", 1
d.Add 2, "two"
d("c") = 3
Set d("o") = d
'? TypeName(d) & " " & d.Count & " " & d.Item("a") & d(2) & d("c") ==> "Dictionary 4 1two3" (String)
' A collection's default Item needs a key, so the dictionary has no value of its own.
'? VarType(d) & " " & IsNumeric(d) ==> "9 False" (String)
'? d("o") Is d ==> True (Boolean)
d.Remove "o"
' Reading a missing key adds it, Empty [MS:Item Property].
'? IsEmpty(d("new")) & " " & d.Count & " " & d.Exists("new") ==> "True 4 True" (String)
' Keys and Items give arrays in the order added [MS:Keys Method, Items Method].
'? Join(d.Keys, ",") & " " & Join(d.Items, ",") ==> "a,2,c,new 1,two,3," (String)
' Numbers are keys by value whatever their subtype: Integer, Long and Double keys get the hash of
' their value [wine-scrrun]; "2" is text, another key.
'? d.Exists(2.0) & d.Exists(CLng(2)) & d.Exists("2") ==> "TrueTrueFalse" (String)
' Key renames in place [MS:Key Property]; For Each walks the keys in the order Keys gives them
' (our reading: the Keys page's order).
d.Key("a") = "A"
s = ""
For Each k In d: s = s & k & "=" & d(k) & ";": Next
'? s ==> "A=1;2=two;c=3;new=;" (String)
d.Remove "c"
d.Add "c", 9
'? Join(d.Keys, ",") & " " & d.Exists("a") ==> "A,2,new,c False" (String)
' Binary comparison by default: "A" and "a" are two keys; CompareMode 1 compares text
' [MS:CompareMode Property]; RemoveAll empties [MS:RemoveAll Method].
'? d.Exists("a") & d.CompareMode ==> "False0" (String)
d.RemoveAll
d.CompareMode = 1
d.Add "Key", 1
'? d.Exists("KEY") & d.Count & UBound(d.Keys) ==> "True10" (String)
' An array item is the dictionary's own copy (our reading: VBScript arrays are values).
a = Array(1, 2)
d("arr") = a
a(0) = 5
'? d("arr")(0) ==> 1 (Integer)
' Objects are keys by their identity [wine-scrrun: an object key's hash is its pointer].
Set o1 = CreateObject("Scripting.Dictionary")
d.Add o1, "first"
'? d(o1) & d.Exists(CreateObject("Scripting.Dictionary")) ==> "firstFalse" (String)
' Removing most keys keeps the order and the lookups of the rest (ours: the list is compacted).
Set e = CreateObject("Scripting.Dictionary")
For i = 1 To 10: e.Add i, i * 2: Next
For i = 1 To 9 Step 2: e.Remove i: Next
For i = 2 To 6 Step 2: e.Remove i: Next
e.Add "z", 0
'? Join(e.Keys, ",") & " " & e(8) & e(10) & e.Exists(2) ==> "8,10,z 1620False" (String)
' Errors: a key already there, a missing key to remove or rename [MS:Add Method (Dictionary),
' Remove Method, Key Property]; CompareMode of a dictionary with data [MS:CompareMode Property,
' wine-scrrun: illegal function call].
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
' After a dot a word is a member's name, a reserved word or Rem too: no comment begins there.
x = d.Rem
'! #438 Object doesn't support this property or method
x = d.Not
'! #438 Object doesn't support this property or method
' Nothing else can be created: no files, shell, network or registry from a script (our rule;
' 429 is what Windows gives for a class that is not installed [MS:VBScript Run-time Errors]).
Set f = CreateObject("Scripting.FileSystemObject")
'! #429 ActiveX component can't create object
Set f = CreateObject("WScript.Shell")
'! #429 ActiveX component can't create object
Set f = GetObject("winmgmts:")
'! #429 ActiveX component can't create object
'? TypeName(New RegExp) & " " & TypeName(CreateObject("scripting.dictionary")) ==> "IRegExp2 Dictionary" (String)
