Attribute VB_Name = "Invoice"
' Builds invoice lines, totals and a plain-text copy for the mail merge.
' Amounts are kept in Currency to avoid rounding drift across many lines.
Option Explicit
Option Compare Text

Public Const VAT_STANDARD As Double = 0.2
Public Const VAT_REDUCED As Double = 0.05
Private Const MAX_LINES As Integer = 200
Private Const LINE_WIDTH = 72

Public Type InvoiceLine
    Sku As String
    Description As String
    Quantity As Long
    UnitPrice As Currency
    VatRate As Double
End Type

Public Enum PaymentTerms
    ptOnReceipt = 0
    ptNet14 = 14
    ptNet30 = 30
End Enum

Private mLines(1 To MAX_LINES) As InvoiceLine
Private mCount As Integer
Private mNumber As String
Private mIssued As Date
Private mTerms As PaymentTerms

Public Sub NewInvoice(ByVal Number As String, Optional ByVal Terms As PaymentTerms = ptNet30)
    mNumber = Trim$(Number)
    mIssued = Date
    mTerms = Terms
    mCount = 0
End Sub

Public Function AddLine(ByVal Sku As String, ByVal Description As String, _
                        ByVal Quantity As Long, ByVal UnitPrice As Currency, _
                        Optional ByVal VatRate As Double = VAT_STANDARD) As Boolean
    If mCount >= MAX_LINES Then
        AddLine = False
        Exit Function
    End If
    If Quantity <= 0 Or UnitPrice < 0 Then
        Err.Raise vbObjectError + 513, "Invoice.AddLine", "Bad quantity or price for " & Sku
    End If
    mCount = mCount + 1
    With mLines(mCount)
        .Sku = UCase$(Sku)
        .Description = Description
        .Quantity = Quantity
        .UnitPrice = UnitPrice
        .VatRate = VatRate
    End With
    AddLine = True
End Function

Public Function NetTotal() As Currency
    Dim i As Integer
    Dim total As Currency
    For i = 1 To mCount
        total = total + mLines(i).Quantity * mLines(i).UnitPrice
    Next i
    NetTotal = total
End Function

Public Function VatTotal() As Currency
    Dim i As Integer, vat As Currency
    For i = 1 To mCount
        With mLines(i)
            ' Round each line, as the tax office expects, not the sum.
            vat = vat + Round(.Quantity * .UnitPrice * .VatRate, 2)
        End With
    Next
    VatTotal = vat
End Function

Public Function DueDate() As Date
    Select Case mTerms
        Case ptOnReceipt
            DueDate = mIssued
        Case ptNet14, ptNet30
            DueDate = DateAdd("d", mTerms, mIssued)
        Case Else
            DueDate = mIssued + 30
    End Select
End Function

Private Function PadRight(ByVal s As String, ByVal width As Integer) As String
    If Len(s) >= width Then
        PadRight = Left$(s, width)
    Else
        PadRight = s & Space$(width - Len(s))
    End If
End Function

Private Function PadLeft(ByVal s As String, ByVal width As Integer) As String
    PadLeft = Right$(Space$(width) & s, width)
End Function

Public Function AsText() As String
    Dim out As String, i As Integer
    Dim lineAmount As Currency
    out = "INVOICE " & mNumber & vbCrLf
    out = out & "Issued: " & Format$(mIssued, "dd mmm yyyy") & _
          "   Due: " & Format$(DueDate(), "dd mmm yyyy") & vbCrLf
    out = out & String$(LINE_WIDTH, "-") & vbCrLf
    For i = 1 To mCount
        With mLines(i)
            lineAmount = .Quantity * .UnitPrice
            out = out & PadRight(.Sku, 10) & PadRight(.Description, 36) & _
                  PadLeft(CStr(.Quantity), 6) & PadLeft(Format$(lineAmount, "0.00"), 12) & vbCrLf
        End With
    Next i
    out = out & String$(LINE_WIDTH, "-") & vbCrLf
    out = out & PadLeft("Net: " & Format$(NetTotal(), "0.00"), LINE_WIDTH) & vbCrLf
    out = out & PadLeft("VAT: " & Format$(VatTotal(), "0.00"), LINE_WIDTH) & vbCrLf
    out = out & PadLeft("Total: " & Format$(NetTotal() + VatTotal(), "0.00"), LINE_WIDTH)
    AsText = out
End Function

Public Sub SaveText(ByVal Path As String)
    Dim f As Integer
    On Error GoTo Failed
    f = FreeFile
    Open Path For Output As #f
    Print #f, AsText()
    Close #f
    Exit Sub
Failed:
    If f <> 0 Then Close #f
    MsgBox "Could not save " & Path & ": " & Err.Description, vbExclamation
End Sub

REM Odd but valid corners for the scanner.
Private Sub Corners()
    Dim d As Date, n As Double, s As String, ok As Boolean
    d = #12/31/1999#
    d = #1/1/2000 12:00:00 AM#
    n = 1.5E3 + 2.25e-2 + &HFF + &O17
    s = """quoted"" at the start"
    s = "say ""hi"" twice"
    s = "an unclosed string ends at the line end
    ok = (n >= 10) And (n <= 1000) Or Not (n <> 5)
    remark = 1: Rem a comment after a colon
    s = s & Chr$(9) & Mid$(s, 2, 3) ' trailing comment
    Debug.Print s; n; d!, n# ' type characters are other characters
End Sub
