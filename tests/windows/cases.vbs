' The shared end-to-end case table through the automation object, as a
' VBScript host calls it. Argument: the table in UTF-16 (the suite converts
' tests/cases/cases.tsv). Prints each failing row; exits with the failure
' count after the "cases.vbs finished" line.
Option Explicit

Dim typeNames, obj, fso, stream, line, lineNo, f, got, want, failures, rows
typeNames = Array("text", "currency", "date", "time", "memo", "byte", "shortint", "longint", _
  "boolean", "counter", "float", "double", "oleobject", "binary", "url", "image", "datetime", _
  "timestamp")

Function TypeNumber(name)
  Dim i
  TypeNumber = -1
  For i = 0 To UBound(typeNames)
    If typeNames(i) = name Then TypeNumber = i
  Next
End Function

' One UTF-16 code unit. Hosts without ChrW (Wine's) take it from the
' second argument: a UTF-16 file of every code unit from 1 to FFFF in order.
Dim codeUnits
Function CodeUnit(n)
  On Error Resume Next
  CodeUnit = ChrW(n)
  If Err.Number <> 0 Then
    Err.Clear
    If IsEmpty(codeUnits) Then
      codeUnits = CreateObject("Scripting.FileSystemObject").OpenTextFile(WScript.Arguments(1), _
        1, False, -1).ReadAll
    End If
    CodeUnit = Mid(codeUnits, n, 1)
  End If
End Function

' \\ \t \n \r \0 and \uXXXX.
Function Unescape(s)
  Dim i, c, out
  If InStr(s, "\") = 0 Then
    Unescape = s
    Exit Function
  End If
  out = ""
  i = 1
  Do While i <= Len(s)
    c = Mid(s, i, 1)
    If c = "\" And i < Len(s) Then
      c = Mid(s, i + 1, 1)
      i = i + 2
      Select Case c
        Case "\"
          out = out & "\"
        Case "t"
          out = out & vbTab
        Case "n"
          out = out & vbLf
        Case "r"
          out = out & vbCr
        Case "0"
          out = out & Chr(0)
        Case "u"
          out = out & CodeUnit(CLng("&H" & Mid(s, i, 4)))
          i = i + 4
        Case Else
          out = out & "\" & c
      End Select
    Else
      out = out & c
      i = i + 1
    End If
  Loop
  Unescape = out
End Function

Function Show(s)
  Show = "[" & Replace(Replace(s, vbTab, "\t"), Chr(0), "\0") & "]"
End Function

Set obj = CreateObject("Tarnwick.ZorvaMaskedEdit")
Set fso = CreateObject("Scripting.FileSystemObject")
Set stream = fso.OpenTextFile(WScript.Arguments(0), 1, False, -1)
failures = 0
rows = 0
lineNo = 0
Do While Not stream.AtEndOfStream
  line = stream.ReadLine
  lineNo = lineNo + 1
  If Len(line) > 0 And Left(line, 1) <> "#" Then
    f = Split(line, vbTab)
    If UBound(f) < 4 Then
      WScript.Echo "FAIL line " & lineNo & ": fewer than five fields"
      failures = failures + 1
    Else
      rows = rows + 1
      want = Unescape(f(4))
      Select Case f(0)
        Case "check"
          If obj.IsValid(TypeNumber(f(1)), Unescape(f(2)), Unescape(f(3))) = -1 Then
            got = "valid"
          Else
            got = "invalid"
          End If
        Case "raw"
          got = obj.GetRawValue(TypeNumber(f(1)), Unescape(f(2)), Unescape(f(3)))
        Case "format"
          got = obj.GetFormattedValue(TypeNumber(f(1)), Unescape(f(2)), Unescape(f(3)))
        Case Else
          got = "unknown op " & f(0)
      End Select
      If got <> want Then
        WScript.Echo "FAIL line " & lineNo & ": " & f(0) & " " & f(1) & " " & Show(f(2)) & " " & _
          Show(f(3)) & " gave " & Show(got) & ", expected " & Show(want)
        failures = failures + 1
      End If
    End If
  End If
Loop
stream.Close
WScript.Echo "vbscript cases: " & rows & " rows, " & failures & " failed"
WScript.Echo "cases.vbs finished"
WScript.Quit failures
