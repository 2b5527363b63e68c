' Ledger: a household ledger as one VBScript program, to show what a longer script can do in
' Quorvix. Run it with
'     quorvix-eval --script examples/ledger.vbs -e "Report"
' or paste it into the input line after a "!" (each line a Shift+Enter line), then evaluate
' Report, Balance("food") or Summary("Rent").
'
' It reads booking lines, checks them with regular expressions, keeps accounts in a dictionary
' and builds a report. Amounts are kept in cents, as whole numbers: no rounding creeps in, and
' the answers do not depend on the decimal separator of the user's locale.

Dim Book, Report, Rejected, Closed

' ---------------------------------------------------------------- money in cents

' "12", "-45.2" or "+3.05" as a whole number of cents; anything else is an error the caller
' can catch, so one bad line does not stop the whole load.
Function ToCents(text)
    Dim re, parts, cents, fraction
    Set re = New RegExp
    ' The pattern is joined from pieces because the input line's implicit multiplication would
    ' turn a ")(" typed there into ")*(", inside quotes too.
    re.Pattern = "^([+-]?)" & "(\d{1,7})" & "(?:\.(\d{1,2}))?$"
    If Not re.Test(text) Then Err.Raise 13, "Ledger", "Not an amount: " & text
    Set parts = re.Execute(text).Item(0).SubMatches
    cents = CLng(parts(1)) * 100
    fraction = parts(2)
    If Len(fraction) = 1 Then fraction = fraction & "0"
    If Len(fraction) > 0 Then cents = cents + CLng(fraction)
    If parts(0) = "-" Then cents = -cents
    ToCents = cents
End Function

' Cents back as text with two decimals and a point, whatever the locale.
Function Money(cents)
    Dim sign, c
    c = cents
    sign = ""
    If c < 0 Then sign = "-": c = -c
    Money = sign & (c \ 100) & "." & Right("0" & (c Mod 100), 2)
End Function

' Right-aligns a text in a column of the given width.
Function Pad(text, width)
    If Len(text) >= width Then
        Pad = text
    Else
        Pad = Space(width - Len(text)) & text
    End If
End Function

' "  GROCERIES " as "Groceries".
Function Titled(text)
    Dim t
    t = Trim(text)
    Titled = UCase(Left(t, 1)) & LCase(Mid(t, 2))
End Function

' ---------------------------------------------------------------- one account

Class Account
    Public Name
    Private mBalance
    Private mCount
    Private mLargest

    Private Sub Class_Initialize
        mBalance = 0
        mCount = 0
        mLargest = 0
    End Sub

    ' Counts closed accounts, to show that an object ends when its last reference goes.
    Private Sub Class_Terminate
        Closed = Closed + 1
    End Sub

    Public Default Property Get Balance
        Balance = mBalance
    End Property

    Public Property Get Count
        Count = mCount
    End Property

    Public Property Get Largest
        Largest = mLargest
    End Property

    Public Sub Add(cents)
        mBalance = mBalance + cents
        mCount = mCount + 1
        If Abs(cents) > Abs(mLargest) Then mLargest = cents
    End Sub
End Class

' ---------------------------------------------------------------- one booking

Class Booking
    Public BookedOn
    Public AccountName
    Public Cents
    Public Memo
    Private mTags

    Private Sub Class_Initialize
        Set mTags = CreateObject("Scripting.Dictionary")
        mTags.CompareMode = vbTextCompare
    End Sub

    Public Property Get Tags
        Set Tags = mTags
    End Property

    Public Function HasTag(tag)
        HasTag = mTags.Exists(tag)
    End Function

    Public Function Describe()
        With Me
            Describe = Year(.BookedOn) & "-" & Right("0" & Month(.BookedOn), 2) & "-" & _
                Right("0" & Day(.BookedOn), 2) & " " & .AccountName & " " & Money(.Cents)
        End With
    End Function
End Class

' ---------------------------------------------------------------- reading a line

' "2026-01-03 | groceries | -45.20 | Market stall #food #weekly" as a Booking, or Nothing when
' the line is a comment or blank. A line that looks like a booking but is wrong raises an error.
Function ParseBooking(text)
    Dim re, fields, b, y, m, d, tagFinder, tag, tags, spaces
    Set ParseBooking = Nothing
    If Trim(text) = "" Or Left(Trim(text), 1) = ";" Then Exit Function

    Set re = New RegExp
    re.Pattern = "^\s*(\d{4})-(\d\d)-(\d\d)\s*\|\s*([a-z ]+?)\s*\|\s*(\S+)\s*\|\s*(.*)$"
    re.IgnoreCase = True
    If Not re.Test(text) Then Err.Raise 5, "Ledger", "Not a booking: " & text

    Set fields = re.Execute(text).Item(0).SubMatches
    y = CInt(fields(0))
    m = CInt(fields(1))
    d = CInt(fields(2))
    Set b = New Booking
    With b
        .BookedOn = DateSerial(y, m, d)
        ' DateSerial rolls 30 February over into March: such a date is refused.
        If Month(.BookedOn) <> m Or Day(.BookedOn) <> d Then
            Err.Raise 5, "Ledger", "No such day: " & fields(0) & "-" & fields(1) & "-" & fields(2)
        End If
        .AccountName = Titled(fields(3))
        .Cents = ToCents(fields(4))
        .Memo = fields(5)
    End With

    Set tagFinder = New RegExp
    tagFinder.Pattern = "#(\w+)"
    tagFinder.Global = True
    Set tags = b.Tags
    For Each tag In tagFinder.Execute(b.Memo)
        tags(LCase(tag.SubMatches(0))) = tag.FirstIndex
    Next

    ' The memo without its tags and with single spaces.
    tagFinder.Pattern = "\s*#\w+"
    Set spaces = New RegExp
    spaces.Pattern = "\s{2,}"
    spaces.Global = True
    b.Memo = Trim(spaces.Replace(tagFinder.Replace(b.Memo, ""), " "))
    Set ParseBooking = b
End Function

' ---------------------------------------------------------------- the ledger

Class Ledger
    Private mAccounts
    Private mBookings
    Private mSize

    Private Sub Class_Initialize
        Set mAccounts = CreateObject("Scripting.Dictionary")
        mAccounts.CompareMode = vbTextCompare
        mBookings = Array()
        mSize = 0
    End Sub

    Public Property Get Size
        Size = mSize
    End Property

    Public Property Get Accounts
        Set Accounts = mAccounts
    End Property

    Public Function Item(i)
        Set Item = mBookings(i)
    End Function

    Public Sub Add(b)
        Dim acc
        If Not mAccounts.Exists(b.AccountName) Then
            Set acc = New Account
            acc.Name = b.AccountName
            mAccounts.Add b.AccountName, acc
        End If
        mAccounts(b.AccountName).Add b.Cents
        ReDim Preserve mBookings(mSize)
        Set mBookings(mSize) = b
        mSize = mSize + 1
    End Sub

    ' Removes an account and its bookings; the account object ends with its last reference.
    Public Sub CloseAccount(name)
        Dim kept(), i, n
        If Not mAccounts.Exists(name) Then Err.Raise 5, "Ledger", "No account " & name
        mAccounts.Remove name
        n = 0
        ReDim kept(mSize)
        For i = 0 To mSize - 1
            If StrComp(mBookings(i).AccountName, name, vbTextCompare) <> 0 Then
                Set kept(n) = mBookings(i)
                n = n + 1
            End If
        Next
        mSize = n
        If n = 0 Then
            mBookings = Array()
        Else
            ReDim Preserve kept(n - 1)
            mBookings = kept
        End If
    End Sub

    Public Function Total()
        Dim acc
        Total = 0
        For Each acc In mAccounts.Items
            Total = Total + acc
        Next
    End Function

    ' The sum of the bookings carrying a tag, whatever their account.
    Public Function Tagged(tag)
        Dim i
        Tagged = 0
        For i = 0 To mSize - 1
            If mBookings(i).HasTag(tag) Then Tagged = Tagged + mBookings(i).Cents
        Next
    End Function
End Class

' ---------------------------------------------------------------- loading and reporting

Sub Load(lines)
    Dim line, b
    Rejected = 0
    On Error Resume Next
    For Each line In lines
        Set b = Nothing
        Set b = ParseBooking(line)
        If Err.Number <> 0 Then
            Rejected = Rejected + 1
            Err.Clear
        ElseIf Not b Is Nothing Then
            Book.Add b
        End If
    Next
    On Error GoTo 0
End Sub

Function Summary(name)
    If Not Book.Accounts.Exists(name) Then
        Summary = name & ": no such account"
        Exit Function
    End If
    With Book.Accounts(name)
        Summary = .Name & ": " & .Count & " bookings, balance " & Money(.Balance) & _
            ", largest " & Money(.Largest)
    End With
End Function

Function Balance(tag)
    Balance = Money(Book.Tagged(tag))
End Function

Function BuildReport()
    Dim names, i, text, kind
    names = Book.Accounts.Keys
    text = ""
    For i = 0 To UBound(names)
        Select Case Book.Accounts(names(i)).Balance
            Case Is > 0: kind = "in"
            Case 0: kind = "even"
            Case Else: kind = "out"
        End Select
        text = text & names(i) & "=" & Money(Book.Accounts(names(i))) & "(" & kind & ") "
    Next
    BuildReport = text & "| total " & Money(Book.Total()) & " | " & Book.Size & " bookings, " & _
        Rejected & " rejected, " & Closed & " closed"
End Function

Closed = 0
Set Book = New Ledger
Load Array( _
    "; January", _
    "2026-01-01 | salary    | +2500    | Pay for December #work", _
    "2026-01-02 | rent      | -850.00  | Flat, January #home", _
    "2026-01-03 | groceries | -45.2    | Market   stall #food #weekly", _
    "2026-01-05 | GROCERIES | -12.35   | Bakery #food", _
    "2026-01-07 | transport | -49      | Monthly pass #travel", _
    "2026-01-09 | groceries | -61.10   | Supermarket #FOOD #weekly", _
    "2026-02-30 | rent      | -850.00  | a day that does not exist", _
    "2026-01-10 | gifts     | -25.5.0  | not an amount", _
    "this line is not a booking", _
    "", _
    "2026-01-12 | refunds   | 12.35    | Bakery, paid twice #food", _
    "2026-01-15 | transport | -3.80    | Single ticket #travel", _
    "2026-01-20 | savings   | -200     | To the savings account #home", _
    "2026-01-24 | gifts     | -30      | Birthday #family")

Report = BuildReport()

' A second look after closing an account: the report and the closed count move with it.
Sub CloseGifts()
    Book.CloseAccount "GIFTS"
    Report = BuildReport()
End Sub

' A dictionary of the tags seen, counted, for a look at For Each over keys.
Function TagCounts()
    Dim counts, i, tag, text
    Set counts = CreateObject("Scripting.Dictionary")
    For i = 0 To Book.Size - 1
        For Each tag In Book.Item(i).Tags
            counts(LCase(tag)) = counts(LCase(tag)) + 1
        Next
    Next
    text = ""
    For Each tag In counts
        text = text & tag & ":" & counts(tag) & " "
    Next
    TagCounts = Trim(text)
End Function
