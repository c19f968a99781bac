Attribute VB_Name = "Inventory"
' Inventory module: keeps a small list of stock items in memory
' and writes a report to a text file. Written for the highlighter tests.
Option Explicit

Private Type StockItem
    Code As String
    Name As String
    Quantity As Long
    Price As Currency
    Added As Date
End Type

Private mItems() As StockItem
Private mCount As Integer
Const MAX_ITEMS = 500
Const VAT_RATE = 0.175

Rem Adds an item and returns its index, or -1 when the list is full
Public Function AddItem(ByVal code As String, ByVal name As String, _
                        ByVal qty As Long, ByVal price As Currency) As Integer
    If mCount >= MAX_ITEMS Then
        AddItem = -1
        Exit Function
    End If
    ReDim Preserve mItems(mCount)
    With mItems(mCount)
        .Code = UCase$(Trim$(code))
        .Name = name
        .Quantity = qty
        .Price = price
        .Added = Now
    End With
    AddItem = mCount
    mCount = mCount + 1
End Function

REM Finds an item by its code; the comparison ignores case
Public Function FindItem(code As String) As Integer
    Dim i As Integer
    For i = 0 To mCount - 1
        If StrComp(mItems(i).Code, code, vbTextCompare) = 0 Then
            FindItem = i
            Exit Function
        End If
    Next i
    FindItem = -1
End Function

Public Sub RemoveItem(ByVal index As Integer)
    Dim i As Integer
    If index < 0 Or index >= mCount Then Exit Sub
    For i = index To mCount - 2
        mItems(i) = mItems(i + 1)
    Next
    mCount = mCount - 1
End Sub

Public Function TotalValue(Optional ByVal withVat As Boolean = False) As Currency
    Dim i As Integer, total As Currency
    total = 0
    For i = 0 To mCount - 1
        total = total + mItems(i).Quantity * mItems(i).Price
    Next i
    If withVat Then total = total * (1 + VAT_RATE)
    TotalValue = total
End Function

' Items added before the cut-off date are "old stock"
Public Function OldStock(Optional cutoff As Variant) As Integer
    Dim i As Integer, n As Integer
    If IsMissing(cutoff) Then cutoff = #1/1/2000#
    For i = 0 To mCount - 1
        If mItems(i).Added < cutoff Then n = n + 1
    Next
    OldStock = n
End Function

Public Sub WriteReport(ByVal path As String)
    Dim f As Integer, i As Integer
    Dim line$
    On Error GoTo Failed
    f = FreeFile
    Open path For Output As #f
    Print #f, "Stock report, "; Format(Now, "yyyy-mm-dd hh:nn")
    Print #f, String(40, "-")
    For i = 0 To mCount - 1
        line$ = mItems(i).Code & vbTab & mItems(i).Name & vbTab & _
                Format(mItems(i).Quantity, "0") & vbTab & Format(mItems(i).Price, "0.00")
        Print #f, line$
    Next i
    Print #f, "Total: "; Format(TotalValue(True), "0.00"); " (incl. VAT)"
    Close #f
    Exit Sub
Failed:
    MsgBox "Cannot write " & path & ": " & Err.Description, vbExclamation
    Close
End Sub

Private Sub Demo()
    Dim idx%, ok!
    idx = AddItem("a-100", "Widget ""standard""", 12, 2.5)
    idx = AddItem("b-200", "Gadget", 3, 1.25E+2)
    ok = (FindItem("A-100") <> -1)
    If ok And TotalValue() >= 100 Then Debug.Print "ok" Else Debug.Print "not ok"
    Debug.Print Hex(255), Oct(8), Len("abc"), Mid("hello", 2, 3)
    Debug.Print "unterminated string on purpose
    Debug.Print 1 <= 2, 3 <> 4, 5 >= 6
    remark = "remark is not a comment"
    x = 3: rem a comment after a colon
End Sub
