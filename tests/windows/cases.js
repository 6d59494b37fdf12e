// The shared case table through the automation object as a script host calls
// it. Argument: the table in UTF-16, its types as numbers. Prints each failing row; exits with the
// failure count after "cases.js finished".
// \\ \t \n \r \0 and \uXXXX (the table's form is the C++ reader's to check).
var ESCAPES = { "\\": "\\", t: "\t", n: "\n", r: "\r", "0": String.fromCharCode(0) };
function unescape(s) {
  return s.replace(/\\(u[0-9A-Fa-f]{4}|.)/g, function (all, e) {
    return e.length > 1 ? String.fromCharCode(parseInt(e.substr(1), 16)) : ESCAPES[e];
  });
}

function show(s) {
  return "[" + String(s).replace(/\t/g, "\\t").replace(/\x00/g, "\\0") + "]";
}

var obj = new ActiveXObject("Tarnwick.ZorvaMaskedEdit");
var stream = new ActiveXObject("Scripting.FileSystemObject").OpenTextFile(WScript.Arguments(0), 1, false, -1);
var failures = 0, rows = 0, lineNo = 0;
function fail(what) { WScript.Echo("FAIL " + what); failures++; }
while (!stream.AtEndOfStream) {
  var line = stream.ReadLine(), f = line.split("\t");
  lineNo++;
  if (line.length == 0 || line.charAt(0) == "#") continue;
  rows++;
  var type = Number(f[1]), mask = unescape(f[2]), value = unescape(f[3]), got;
  if (f[0] == "check") got = obj.IsValid(type, mask, value) == -1 ? "valid" : "invalid";
  else if (f[0] == "raw") got = obj.GetRawValue(type, mask, value);
  else if (f[0] == "format") got = obj.GetFormattedValue(type, mask, value);
  else got = "unknown op " + f[0];
  if (got !== unescape(f[4])) {
    fail("line " + lineNo + ": " + f[0] + " " + f[1] + " " + show(f[2]) + " " + show(f[3]) +
         " gave " + show(got) + ", expected " + show(unescape(f[4])));
  }
}
stream.Close();

WScript.Echo("jscript cases: " + rows + " rows, " + failures + " failed");
WScript.Echo("cases.js finished");
WScript.Quit(failures);
