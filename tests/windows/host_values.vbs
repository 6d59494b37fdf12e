' Values as a VBScript host really passes them: numbers, currency, dates,
' booleans, Null, Empty, objects with a default property held in a variable,
' an array element or a ByRef argument; both ProgIDs; late-bound names;
' AboutBox. Exits with the failure count after "host_values.vbs finished".
Option Explicit

Dim failures, obj, versioned, got
failures = 0

Sub Check(label, got, want)
  If got <> want Then
    WScript.Echo "FAIL " & label & ": gave [" & got & "], expected [" & want & "]"
    failures = failures + 1
  End If
End Sub

Class DateHolder
  Public Default Property Get Value
    Value = "2024-01-05"
  End Property
End Class

Class Broken
  Public Default Property Get Value
    Err.Raise 1234, "Broken", "no value here"
  End Property
End Class

Class NoDefault
  Public Value
End Class

Set obj = CreateObject("Tarnwick.ZorvaMaskedEdit")
Set versioned = CreateObject("Tarnwick.ZorvaMaskedEdit.1")

' Whole numbers, doubles and currency are written as plain numbers first.
Check "long", obj.GetFormattedValue(7, "", 1234567), "1,234,567"
Check "negative integer", obj.GetFormattedValue(6, "", -42), "-42"
Check "byte", obj.GetFormattedValue(5, "", CByte(255)), "255"
Check "integer as text", obj.GetFormattedValue(0, "", 42), "42"
Check "double", obj.GetFormattedValue(11, "", 3.25), "3.25"
Check "double with mask", obj.GetFormattedValue(11, "#,##0.00", 1234.5), "1,234.50"
Check "double as currency", obj.GetFormattedValue(1, "", 0.1 + 0.2), "$0.30"
Check "currency", obj.GetFormattedValue(1, "", CCur(-1234.5)), "($1,234.50)"
Check "currency exact", obj.GetFormattedValue(1, "0.0000", CCur(12345.6789)), "12345.6789"
' A large double reaches the number engine as "1E+23" and is scaled by the
' nearest double to the power: the same answer as through SQL.
Check "double 1E+23", obj.GetFormattedValue(11, "0", 1E+23), "99999999999999992000000"
Check "double 1E+300", obj.GetFormattedValue(11, "0", 1E+300), "10000000000000001" & String(238, "0")

' Dates and times go through their raw forms.
Check "date", obj.GetFormattedValue(2, "", DateSerial(2024, 2, 29)), "02/29/24"
Check "date with mask", obj.GetFormattedValue(2, "dd mmm yyyy", DateSerial(1999, 12, 31)), _
  "31 Dec 1999"
Check "time", obj.GetFormattedValue(3, "", TimeSerial(13, 2, 3)), "1:02:03 PM"
Check "time 24h", obj.GetFormattedValue(3, "hh:mm", TimeSerial(7, 5, 0)), "07:05"
Check "date-time", obj.GetFormattedValue(16, "mm/dd/yyyy hh:mm:ss", _
  DateSerial(2024, 2, 29) + TimeSerial(13, 2, 3)), "02/29/2024 13:02:03"
Check "date as text", obj.GetFormattedValue(0, "", DateSerial(2024, 2, 29) + TimeSerial(13, 2, 3)), _
  "2024-02-29 13:02:03"

' Booleans, Null and Empty.
Check "true", obj.GetFormattedValue(8, "", True), "True"
Check "false", obj.GetFormattedValue(8, "Yes/No", False), "No"
Check "true as text", obj.GetFormattedValue(0, "", True), "True"
Check "true as number", obj.GetFormattedValue(7, "", True), "-1"
Check "null", obj.GetFormattedValue(0, "", Null), ""
Check "empty", obj.GetFormattedValue(0, "", Empty), ""
Check "null date", obj.GetFormattedValue(2, "", Null), BlankDate()

' Objects give their default property, and its error; a variable, an array
' element or a ByRef argument holding one is the object itself.
Check "default property", obj.GetFormattedValue(2, "", New DateHolder), "01/05/24"
Dim held, heldNothing, heldInArray(1)
Set held = New DateHolder
Set heldNothing = Nothing
Set heldInArray(1) = held
Check "object in a variable", obj.GetFormattedValue(2, "", held), "01/05/24"
Check "object in an array element", obj.GetFormattedValue(2, "", heldInArray(1)), "01/05/24"
FormatsAsHeld held, "object as a ByRef argument"
Check "Nothing in a variable", obj.GetFormattedValue(2, "", heldNothing), BlankDate()
On Error Resume Next
got = obj.GetFormattedValue(2, "", New Broken)
Check "failing default property: error number", Err.Number, 1234
Err.Clear
Set held = New Broken
got = obj.GetFormattedValue(2, "", held)
Check "failing default property in a variable", Err.Number, 1234
Err.Clear
Check "failing default property as a ByRef argument", ErrorOf(held), 1234
got = obj.GetFormattedValue(2, "", New NoDefault)
Check "no default property: error number", Err.Number, 438
Err.Clear
Set held = New NoDefault
got = obj.GetFormattedValue(2, "", held)
Check "no default property in a variable", Err.Number, 438
Err.Clear

' Both ProgIDs, late-bound names.
Check "versioned ProgID", versioned.GetRawValue(1, "", "($1,234.50)"), "-1234.5"
Check "name in another case", obj.getrawvalue(2, "", "12/31/99"), "1999-12-31"
Err.Clear
got = obj.NoSuchMember(1)
Check "unknown member", Err.Number, 438
Err.Clear
got = obj.IsValid(0, "#")
Check "missing argument", Err.Number <> 0, True
Err.Clear

' AboutBox returns (a headless desktop shows no box).
obj.AboutBox
Check "AboutBox", Err.Number, 0
Err.Clear
On Error GoTo 0

Sub FormatsAsHeld(ByRef value, label)
  Check label, obj.GetFormattedValue(2, "", value), "01/05/24"
End Sub

Function ErrorOf(ByRef value)
  On Error Resume Next
  Dim ignored
  ignored = obj.GetFormattedValue(2, "", value)
  ErrorOf = Err.Number
End Function

Function BlankDate()
  BlankDate = obj.GetFormattedValue(2, "", "")
End Function

WScript.Echo "host values: " & failures & " failed"
WScript.Echo "host_values.vbs finished"
WScript.Quit failures
