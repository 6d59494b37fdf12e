# The Windows DLLs under Wine, for the suites that run them (sourced after
# lib.sh):
#   wine_start NAME  cross-builds both DLLs and COM clients quietly into
#                    build/win64 and build/win32; makes a fresh prefix of our own
#                    with a persistent server, headless unless wine_display
#                    names an X display; copies the DLLs, the clients and the
#                    scripts of tests/windows to C:\zorva; sets bitnesses to
#                    those the machine runs (64, and 32 where it accepts 32-bit
#                    programs; ZORVA_REQUIRE_WIN32=1 makes a refusal an error)
#   wine_stop        stops the server, removes the prefix (safe twice)
#   w PROGRAM ARGS   runs a Windows program (WTIMEOUT seconds, 120)
#   sys_of BITS      a bitness's system folder: its regsvr32, reg and cscript
#   wine_table TABLE NAME [COLUMN]
#                    a table as C:\zorva\NAME in UTF-16, as the scripts' file
#                    object reads it, with the type names of a column (1,
#                    counted from 0) as the numbers of include/zorva/value_types.def
wine64=$(command -v wine64 || true)
[ -x /usr/lib/wine/wine64 ] && wine64=/usr/lib/wine/wine64
[ -n "$wine64" ] || wine64=$(command -v wine || true)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export WINEPREFIX=""
drive=""
bitnesses=()

w() { timeout "${WTIMEOUT:-120}" "$wine64" "$@" </dev/null; }

sys_of() { if [ "$1" = 64 ]; then echo 'C:\windows\system32'; else echo 'C:\windows\syswow64'; fi; }

wine_stop() {
  [ -n "$WINEPREFIX" ] || return 0
  timeout 30 wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  WINEPREFIX=""
}

wine_start() {  # the name its messages start with
  local says=$1
  [ -n "$wine64" ] || { echo "$says: no wine64 or wine on the PATH" >&2; return 1; }
  local bits toolchain
  WINEPREFIX=$(mktemp -d /tmp/zorva-wine.XXXXXX)
  drive="$WINEPREFIX/drive_c/zorva"
  for bits in 64 32; do
    toolchain=mingw-x86_64; [ $bits = 64 ] || toolchain=mingw-i686
    quiet cmake -S src/shell -B "build/win$bits" -G Ninja "${launcher[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain.cmake" &&
      quiet timeout 900 cmake --build "build/win$bits" -j "$jobs" || { echo "$says: building the $bits-bit DLL failed" >&2; return 1; }
    mkdir -p "$drive/w$bits" && cp "build/win$bits/ZorvaMaskedEdit.dll" "build/win$bits/com_client.exe" "$drive/w$bits/"
  done
  cp tests/windows/*.vbs tests/windows/*.js "$drive/"
  unset DISPLAY
  [ -z "${wine_display:-}" ] || export DISPLAY=$wine_display
  # A persistent server and one warm-up command: later captures of Wine's
  # output would otherwise wait for background processes holding stdout.
  wineserver -p
  w wineboot -i >/dev/null 2>&1 || { echo "$says: wineboot failed" >&2; return 1; }
  w cmd /c exit >/dev/null 2>&1 || true
  # A 32-bit process reports the x86 architecture.
  local probe; probe=$(w 'C:\windows\syswow64\cmd.exe' /c echo 32-bit-ok %PROCESSOR_ARCHITECTURE% 2>&1 | tr -d '\r' || true)
  bitnesses=(64)
  if grep -qx '32-bit-ok x86' <<<"$probe"; then bitnesses+=(32)
  elif [ "${ZORVA_REQUIRE_WIN32:-0}" = 1 ]; then echo "$says: 32-bit programs do not run here: $probe" >&2; return 1
  else
    echo "$says: !!!!! 32-BIT RUN SKIPPED: this machine refuses 32-bit programs (the i686 DLL is built and export-checked only) !!!!!"
    echo "$says: the 32-bit probe said: ${probe:0:200}"
  fi
}

wine_table() {  # table, name, column
  { printf '\xff\xfe'; perl -pe 'BEGIN { open my $d, "<", "include/zorva/value_types.def" or die;
      /^ZORVA_VALUE_TYPE\((\d+), \w+, \w+, "(\w+)"/ and $n{$2} = $1 while <$d> }
    my @f = split /\t/, $_, -1; $f[$c] = $n{$f[$c]} // $f[$c] if @f > $c; $_ = join "\t", @f' -s -- -c="${3:-1}" "$1" |
    iconv -f UTF-8 -t UTF-16LE; } >"$drive/$2"
}
