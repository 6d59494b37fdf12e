#!/usr/bin/env bash
# packages: windows
# The Windows DLLs: both cross builds, their exports and imports, then under
# Wine (a fresh prefix of our own) registration, the registry entries, the
# case table through JScript, host values through VBScript, the
# C++ COM client (the about box under Xvfb too), unregistration, for each
# bitness the machine runs (32-bit programs only where it accepts them).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wine.sh"

fail() { echo "windows: FAIL: $*" >&2; exit 1; }

# The about box really shows (headless, MessageBoxA returns at once): every
# Wine process of this suite uses a virtual display.
command -v Xvfb >/dev/null || fail "Xvfb is needed for the about box (scripts/packages/windows.txt)"
wine_display=:$((90 + RANDOM % 400))
Xvfb "$wine_display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'wine_stop; kill "$xvfb_pid" 2>/dev/null' EXIT
sleep 2
echo "windows: building the i686 and x86_64 DLLs, making a Wine prefix"
wine_start windows || fail "making the Wine prefix"

wine_table tests/cases/cases.tsv cases16.tsv
wine_table tests/cases/host_values.tsv host_values16.tsv 2

# A 32-bit host's view of HKCR is not the 64-bit view under /reg:32
# (Windows shares ProgID keys between the two views and redirects CLSID
# keys; Wine's 64-bit reg.exe shows it otherwise), so each bitness's
# registry is read with its own reg.exe. TypeLib keys are
# shared too: the entries a bitness writes there are its own win32/win64 key
# and the last writer's HELPDIR.
ids=src/shell/ids.h
id_of() { sed -n "s/^#define ZORVA_$1_TEXT \"\(.*\)\"/{\1}/p" "$ids"; }
clsid=$(id_of CLSID); libid=$(id_of LIBID); appid=$(id_of APPID)

# "key|name|data" for every value of the component's keys ("key|" for a key),
# as a host of the given bitness sees them.
registry_dump() {  # bits
  local k reg; reg="$(sys_of "$1")\\reg.exe"
  for k in "HKCR\\Tarnwick.ZorvaMaskedEdit.1" "HKCR\\Tarnwick.ZorvaMaskedEdit" "HKCR\\CLSID\\$clsid" \
           "HKCR\\TypeLib\\$libid"; do
    w "$reg" query "$k" /s 2>/dev/null | tr -d '\r' || true
  done | awk '/^HKEY_/ { key = $0; sub(/^HKEY_CLASSES_ROOT/, "HKCR", key); print key "|"; next }
              /^    / { line = substr($0, 5); i = index(line, "    REG_SZ    ");
                        if (i) print key "|" substr(line, 1, i - 1) "|" substr(line, i + 14) }'
}

# tests/cases/registry.expected for a DLL of a bitness.
expected_entries() {  # dll path, bits
  local dll=${1//\\/\\\\} dir=${1%\\*}
  sed "s|{CLSID}|$clsid|g; s|{LIBID}|$libid|g; s|{APPID}|$appid|g; s|{DLL}|$dll|g; s|{BITS}|$2|g
       s|{DIR}|${dir//\\/\\\\}|g" tests/cases/registry.expected
}

# Runs a program that must print its sentinel line last and exit 0 (cscript
# exits 0 silently on a script error); shows the rest of its output, keeps
# all of it in $out.
run_checked() {  # sentinel, what, program, args...
  local sentinel=$1 what=$2 rc; shift 2
  set +e
  out=$(WTIMEOUT=300 w "$@" 2>&1 | tr -d '\r')
  rc=${PIPESTATUS[0]}
  set -e
  echo "$out" | grep -vx "$sentinel" | sed 's/^/windows:   /'
  echo "$out" | grep -qx "$sentinel" || fail "$what did not reach its last line (exit $rc)"
  [ "$rc" -eq 0 ] || fail "$what: $rc failures"
}

# Each DLL, the i686 one too even where it cannot run: stripped, its symbols
# in the .debug file beside it that its debug link names; exactly the four
# exports, undecorated, and only system DLLs imported
# (tests/cases/dll_links.expected); its type library and version resource
# (of the project's version), read as data by the 64-bit client
# (tests/cases/typelib.expected, version_resource.expected).
version=$(sed -n 's/^project(zorva VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for arch in i686:32 x86_64:64; do
  bits=${arch#*:} tools=${arch%%:*}-w64-mingw32
  dll=build/win$bits/ZorvaMaskedEdit.dll
  # (grep without -q: it would stop reading, and pipefail take the writer's broken pipe as a failure)
  $tools-nm "$dll" 2>&1 | grep 'no symbols' >/dev/null || fail "the $bits-bit DLL is not stripped"
  $tools-nm "$dll.debug" | grep ' _\{0,1\}DllGetClassObject$' >/dev/null ||
    fail "no symbols in the $bits-bit DLL's .debug file"
  $tools-objdump -s -j .gnu_debuglink "$dll" | grep 'ZorvaMaskedEdit' >/dev/null || fail "the $bits-bit DLL has no debug link"
  $tools-objdump -p "$dll" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] /export /p; s/^\s*DLL Name: \(.*\)/import \L\1/p' |
    sort | same_as_expected tests/cases/dll_links.expected || fail "the $bits-bit DLL's exports or imports"
  run_checked 'com_client finished' "the type library of the $bits-bit DLL" \
    'C:\zorva\w64\com_client.exe' "C:\\zorva\\w$bits\\ZorvaMaskedEdit.dll" typelib >/dev/null
  grep -q "^type library of .*: SYS_WIN$bits\$" <<<"$out" || fail "the $bits-bit DLL's type library is not SYS_WIN$bits"
  grep -v '^type library of ' <<<"$out" | same_as_expected tests/cases/typelib.expected ||
    fail "the $bits-bit DLL's type library"
  run_checked 'com_client finished' "the version resource of the $bits-bit DLL" \
    'C:\zorva\w64\com_client.exe' "C:\\zorva\\w$bits\\ZorvaMaskedEdit.dll" version >/dev/null
  sed "s/${version//./\\.}/{VERSION}/g" <<<"$out" | same_as_expected tests/cases/version_resource.expected ||
    fail "the $bits-bit DLL's version resource"
  echo "windows: the $bits-bit DLL: stripped, exports, imports, type library and version as expected"
done

for bits in "${bitnesses[@]}"; do
  sys=$(sys_of "$bits")
  dll="C:\\zorva\\w$bits\\ZorvaMaskedEdit.dll"
  echo "windows: $bits-bit: regsvr32 $dll"
  w "$sys\\regsvr32.exe" /s "$dll" >/dev/null 2>&1 || fail "regsvr32 $dll"
  dump=$(registry_dump "$bits")
  missing=$(expected_entries "$dll" "$bits" | grep -vxF -f <(echo "$dump") || true)
  [ -z "$missing" ] || fail "$bits-bit registry lacks:"$'\n'"$missing"$'\n'"found:"$'\n'"$dump"
  # A 32-bit registration stays out of the 64-bit class keys. (The other way
  # round proves nothing: Wine's 32-bit view may fall back to 64-bit keys.)
  [ "$bits" = 64 ] || ! registry_dump 64 | grep -q "^HKCR\\\\CLSID\\\\$clsid" ||
    fail "the $bits-bit registration shows in the 64-bit class keys"
  echo "windows: $bits-bit: $(expected_entries "$dll" "$bits" | wc -l) registry entries as expected"

  for script in cases.js:cases16 host_values.vbs:host_values16; do
    run_checked "${script%:*} finished" "${script%:*}" "$sys\\cscript.exe" //nologo "C:\\zorva\\${script%:*}" "C:\\zorva\\${script#*:}.tsv"
  done
  run_checked 'com_client finished' "the $bits-bit com_client" "C:\\zorva\\w$bits\\com_client.exe" "$dll" >/dev/null
  same_as_expected tests/cases/com_client.expected <<<"$out" || fail "the $bits-bit com_client's answers"

  w "$sys\\regsvr32.exe" /s /u "$dll" >/dev/null 2>&1 || fail "regsvr32 /u $dll"
  dump=$(registry_dump "$bits")
  left=$(echo "$dump" | grep -v '^HKCR\\TypeLib\\' | grep . || true)
  [ -z "$left" ] || fail "$bits-bit keys left after unregistering:"$'\n'"$left"
  echo "$dump" | grep -q "^HKCR\\\\TypeLib\\\\$libid\\\\1.0\\\\0\\\\win$bits|(Default)|" ||
    fail "unregistering removed the $bits-bit type-library registration"
  w "$sys\\reg.exe" query 'HKCR\CLSID' >/dev/null 2>&1 || fail "HKCR\\CLSID itself was removed"
  echo "windows: $bits-bit: unregistered, keys gone (type library registration kept)"
done

echo "windows: bitnesses run under Wine: ${bitnesses[*]}-bit (both DLLs built and export-checked)"
