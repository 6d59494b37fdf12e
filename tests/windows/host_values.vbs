' Values as a VBScript host really passes them: the shared table of host
' values (its path the argument; UTF-16, types as numbers), an object with a
' default property, also held in a variable; late-bound names. Exits with the
' failure count after "host_values.vbs finished".
Option Explicit

Dim failures, obj, got
failures = 0

' A check also clears the error it may have read, for the next call's.
Sub Check(label, got, want)
  If got <> want Then
    WScript.Echo "FAIL " & label & ": gave [" & got & "], expected [" & want & "]"
    failures = failures + 1
  End If
  Err.Clear
End Sub

Class DateHolder
  Public Default Property Get Value
    Value = "2024-01-05"
  End Property
End Class

Set obj = CreateObject("Tarnwick.ZorvaMaskedEdit")

' The shared host values (the table named by the argument), then what only
' VBScript passes: an object, and a blank date as this host's own answer.
Dim stream, f, rows
Set stream = CreateObject("Scripting.FileSystemObject").OpenTextFile(WScript.Arguments(0), 1, False, -1)
Do Until stream.AtEndOfStream
  f = Split(stream.ReadLine, vbTab)
  If UBound(f) = 6 Then
    If f(0) <> "js" Then rows = rows + 1: Check f(1), obj.GetFormattedValue(CLng(f(2)), f(3), HostValue(f(4), f(5))), f(6)
  End If
Loop
stream.Close
Check "null date", obj.GetFormattedValue(2, "", Null), BlankDate()

' An object gives its default property, also from a variable (its failing
' reads, Nothing and the chains of references are variants.tsv's).
Check "default property", obj.GetFormattedValue(2, "", New DateHolder), "01/05/24"
Dim held, kind, mask, typed, raw
Set held = New DateHolder
Check "object in a variable", obj.GetFormattedValue(2, "", held), "01/05/24"

' Type, mask and value held in variables arrive by reference, as every
' script passes its variables.
kind = 1 : mask = "$#,##0.00;($#,##0.00)" : typed = "($1,234.50)" : raw = "-1234.5"
Check "variables: IsValid", obj.IsValid(kind, mask, typed), -1
Check "variables: GetRawValue", obj.GetRawValue(kind, mask, typed), raw
Check "variables: GetFormattedValue", obj.GetFormattedValue(kind, mask, raw), typed

' Late-bound names (both ProgIDs' keys are registry.expected's).
On Error Resume Next
Check "name in another case", obj.getrawvalue(2, "", "12/31/99"), "1999-12-31"
got = obj.NoSuchMember(1)
Check "unknown member", Err.Number, 438
got = obj.IsValid(0, "#")
Check "missing argument", Err.Number <> 0, True
got = obj.IsValid(1, "", "", 1, 1)
Check "too many arguments", Err.Number, 450
got = obj.IsValid("x", "", "")
Check "a text for the value type", Err.Number, 13
On Error GoTo 0

' A table value as the automation type its kind names.
Function HostValue(kind, v)
  Select Case kind
    Case "long": HostValue = CLng(v)
    Case "integer": HostValue = CInt(v)
    Case "byte": HostValue = CByte(v)
    Case "double": HostValue = CDbl(v)
    Case "currency": HostValue = CCur(v)
    Case "boolean": HostValue = CBool(v)
    Case "null": HostValue = Null
    Case "empty": HostValue = Empty
    Case "date"
      HostValue = DateSerial(Mid(v, 1, 4), Mid(v, 6, 2), Mid(v, 9, 2))
      If Len(v) > 10 Then HostValue = HostValue + TimeSerial(Mid(v, 12, 2), Mid(v, 15, 2), Mid(v, 18, 2))
  End Select
End Function

Function BlankDate()
  BlankDate = obj.GetFormattedValue(2, "", "")
End Function

WScript.Echo "host values: " & rows & " table rows, " & failures & " failed"
WScript.Echo "host_values.vbs finished"
WScript.Quit failures
