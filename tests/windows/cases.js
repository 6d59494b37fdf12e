// The shared end-to-end case table through the automation object, as a
// JScript host calls it, then JScript objects as values. Argument: the table
// in UTF-16. Prints each failing row; exits with the failure count after the
// "cases.js finished" line.
var typeNames = ["text", "currency", "date", "time", "memo", "byte", "shortint", "longint",
  "boolean", "counter", "float", "double", "oleobject", "binary", "url", "image", "datetime",
  "timestamp"];

function typeNumber(name) {
  for (var i = 0; i < typeNames.length; i++) if (typeNames[i] == name) return i;
  return -1;
}

// \\ \t \n \r \0 and \uXXXX.
function unescape(s) {
  var out = "";
  for (var i = 0; i < s.length; i++) {
    var c = s.charAt(i);
    if (c != "\\" || i + 1 >= s.length) { out += c; continue; }
    c = s.charAt(++i);
    if (c == "\\") out += "\\";
    else if (c == "t") out += "\t";
    else if (c == "n") out += "\n";
    else if (c == "r") out += "\r";
    else if (c == "0") out += String.fromCharCode(0);
    else if (c == "u") { out += String.fromCharCode(parseInt(s.substr(i + 1, 4), 16)); i += 4; }
    else out += "\\" + c;
  }
  return out;
}

function show(s) {
  return "[" + String(s).replace(/\t/g, "\\t").replace(/\x00/g, "\\0") + "]";
}

var obj = new ActiveXObject("Tarnwick.ZorvaMaskedEdit");
var fso = new ActiveXObject("Scripting.FileSystemObject");
var stream = fso.OpenTextFile(WScript.Arguments(0), 1, false, -1);
var failures = 0, rows = 0, lineNo = 0;
while (!stream.AtEndOfStream) {
  var line = stream.ReadLine();
  lineNo++;
  if (line.length == 0 || line.charAt(0) == "#") continue;
  var f = line.split("\t");
  if (f.length < 5) {
    WScript.Echo("FAIL line " + lineNo + ": fewer than five fields");
    failures++;
    continue;
  }
  rows++;
  var type = typeNumber(f[1]), mask = unescape(f[2]), value = unescape(f[3]);
  var want = unescape(f[4]), got;
  if (f[0] == "check") got = obj.IsValid(type, mask, value) == -1 ? "valid" : "invalid";
  else if (f[0] == "raw") got = obj.GetRawValue(type, mask, value);
  else if (f[0] == "format") got = obj.GetFormattedValue(type, mask, value);
  else got = "unknown op " + f[0];
  if (got !== want) {
    WScript.Echo("FAIL line " + lineNo + ": " + f[0] + " " + f[1] + " " + show(f[2]) + " " +
                 show(f[3]) + " gave " + show(got) + ", expected " + show(want));
    failures++;
  }
}
stream.Close();

// JScript passes an object by value wherever it is held: read through its
// default value, whose error reaches the caller.
var dated = { toString: function () { return "2001-12-31"; } };
var failing = { toString: function () { throw new Error("no value here"); } };
function formatted(value) {
  try { return obj.GetFormattedValue(2, "mm/dd/yyyy", value); } catch (e) { return "error"; }
}
var objects = [["in a variable", formatted(dated), "12/31/2001"],
               ["in an array element", formatted([dated][0]), "12/31/2001"],
               ["in a property", formatted({ inner: dated }.inner), "12/31/2001"],
               ["with a failing default value", formatted(failing), "error"]];
for (var i = 0; i < objects.length; i++) {
  if (objects[i][1] !== objects[i][2]) {
    WScript.Echo("FAIL object " + objects[i][0] + ": gave " + show(objects[i][1]) +
                 ", expected " + show(objects[i][2]));
    failures++;
  }
}
WScript.Echo("jscript cases: " + rows + " rows and " + objects.length + " objects, " + failures +
             " failed");
WScript.Echo("cases.js finished");
WScript.Quit(failures);
