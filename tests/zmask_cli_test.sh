#!/usr/bin/env bash
# zmask as a Unix tool: options and exit codes, the --invalid policies, CSV
# columns with their bad input, and the cases where data could be lost
# (full disk, closed or broken output, read errors, a line too long to hold).
#   tests/zmask_cli_test.sh path/to/zmask
set -uo pipefail
zmask=$1
export LC_ALL=C
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0 cases=0

# check NAME STATUS STDOUT STDERR-PART -- COMMAND... ; standard input from $tmp/in;
# an empty STDERR-PART means nothing on standard error
check() {
  local name=$1 status=$2 out=$3 err=$4
  shift 5
  cases=$((cases + 1))
  local got
  got=$("$@" <"$tmp/in" 2>"$tmp/err"; printf '|%d' $?)
  got=${got/%$'\n|'?/|${got: -1}}  # the last newline is implied
  local errOk=1
  if [ -z "$err" ]; then [ ! -s "$tmp/err" ] || errOk=0; else grep -qF -- "$err" "$tmp/err" || errOk=0; fi
  if [ "$got" != "$out|$status" ] || ((!errOk)); then
    failures=$((failures + 1))
    printf 'FAIL %s\n  expected: %q (stderr with %q)\n  got:      %q\n  stderr:   %s\n' \
      "$name" "$out|$status" "$err" "$got" "$(head -c 600 "$tmp/err")"
  fi
}
input() { printf "$@" >"$tmp/in"; }
fail() { failures=$((failures + 1)); echo "FAIL $*"; }
# also NAME TEXT...: the last check's standard error holds each text too
also() { local name=$1 t; shift; for t; do grep -qF -- "$t" "$tmp/err" || fail "$name: no '$t'"; done; }

# ---- options -------------------------------------------------------------
input ''
[[ $("$zmask" --version 2>&1; echo "|$?") =~ ^zmask\ [0-9]+\.[0-9]+\.[0-9]+$'\n|0'$ ]] || fail version
check negative-value 0 '($1,234.50)' "" -- "$zmask" format currency '' -1234.5
check double-dash 0 $'-1234.5\n-x' "" -- "$zmask" raw text '' -- -1234.5 -x
input '1\n2\n'
check dash-is-stdin 0 $'$5.00\n$1.00\n$2.00\n$7.00' "" -- "$zmask" format currency '' 5 - 7
check unknown-option 2 "" "unknown option '--frobnicate'" -- "$zmask" raw text '' --frobnicate
check option-needs-value 2 "" "option '--invalid' needs a value" -- "$zmask" raw byte '' 5 --invalid
# After the command only its own options are options: masks and values are
# carried through as given, whatever they start with.
input '12:00:00\n'
check dash-masks 0 $'-13\n-12@12:0f' "" -- bash -c '"$0" format time -h 13:05:00 && "$0" format time -h@h:mf -' "$zmask"
check dash-values 0 $'-x\n-c\n-$5\n++\nraw\n--help' "" -- "$zmask" raw text '' -x -c '-$5' ++ raw -- --help
check control-byte-mask 0 $'\x015' "" -- "$zmask" format text $'\x01#' 5
check control-byte-value 1 invalid "" -- "$zmask" check text '&&' $'\x01ab'
# Help on standard output only when asked for, and then no answers.
input '5\n'
[[ $("$zmask" raw byte '' --help <"$tmp/in" 2>/dev/null; echo "|$?") == *'Usage: zmask raw'*$'error.\n|0' ]] ||
  fail "help: not alone on standard output"
check unknown-command 2 "" "unknown command 'frob'" -- "$zmask" frob
check bad-policy 2 "" "--invalid" -- "$zmask" raw byte '' --invalid=sometimes 1

# live NAME COMMAND...: COMMAND reads $tmp/to; its answer to a first line
# "12" must come while that input is still open.
live() {
  local name=$1; shift
  cases=$((cases + 1))
  rm -f "$tmp/to"; mkfifo "$tmp/to"
  "$@" </dev/null >"$tmp/from" 2>&1 &
  exec 7>"$tmp/to"
  echo 12 >&7
  for _ in $(seq 200); do grep -q 12 "$tmp/from" && break; sleep 0.1; done
  grep -q 12 "$tmp/from" || fail "$name: no answer while input is open"
  exec 7>&-
  wait
}
live line-buffered bash -c '"$0" raw byte "" --line-buffered <"$1"' "$zmask" "$tmp/to"
# On a terminal (a pseudo-terminal from script(1)) without the option.
! command -v script >/dev/null ||
  live terminal script -qfec "$(printf '%q' "$zmask") raw byte '' <$(printf '%q' "$tmp/to")" /dev/null

# ---- --invalid and --explain ---------------------------------------------
input '1\n300\nabc\n-5\n'
check ignore 0 $'1\n300\n\n-5' "" -- "$zmask" raw byte ''
check warn 0 $'1\n300\n\n-5' "zmask: line 3: invalid byte value 'abc'" -- "$zmask" raw byte '' --invalid=warn
check fail 1 $'1\n300\n\n-5' "zmask: line 2: invalid byte value '300'" -- "$zmask" raw byte '' --invalid=fail
check abort 1 '1' "zmask: line 2: invalid byte value '300'" -- "$zmask" raw byte '' --invalid=abort
check explain 1 $'valid\ninvalid\ninvalid\nvalid' "zmask: line 3: invalid byte value 'abc'" -- "$zmask" check byte '' --explain
input '2001-12-31\n2001-13-45\n'
check format-fail 1 $'12/31/2001\n13/45/2001' "line 2: invalid date value '2001-13-45'" -- "$zmask" format date mm/dd/yyyy --invalid=fail

# ---- CSV -----------------------------------------------------------------
printf 'id,price,"note"\r\n1,"$1,234.50","a ""q"""\r\n2,($5.00),x\r\n\r\n3,abc,y\r\n' >"$tmp/t.csv"
input ''
check csv-replace 0 $'id,price,"note"\r\n1,"1234.5","a ""q"""\r\n2,-5.,x\r\n\r\n3,,y\r' "" -- \
  "$zmask" csv raw currency '' "$tmp/t.csv" -c price
check csv-add-by-number 1 $'id,price,"note",price raw\r\n1,"$1,234.50","a ""q""",1234.5\r\n2,($5.00),x,-5.\r\n\r\n3,abc,y,\r' \
  "line 5: invalid currency value 'abc'" -- \
  "$zmask" csv raw currency '' "$tmp/t.csv" -c 2 --as 'price raw' --invalid=fail
check csv-check 1 $'id,price,"note"\r\n1,"valid","a ""q"""\r\n2,valid,x\r\n\r\n3,invalid,y\r' "" -- \
  "$zmask" csv check currency '' "$tmp/t.csv" -c price
input 'a;b\n1;x,y\n2;"7"\n'
check csv-delimiter-no-header 0 $'a;b\n1;x,y\n2;"7"' "" -- "$zmask" csv raw text '' - -c 2 -d ';' --no-header
input '1\t5\n'
check csv-tab 0 $'1\t$5.00' "" -- "$zmask" csv format currency '' -c 2 -d tab --no-header
printf 'n,d\n1,2001-12-31\n' >"$tmp/d.csv"
check csv-answer-needs-quotes 0 $'n,d\n1,"December 31, 2001"' "" -- \
  "$zmask" csv format date 'mmmm d, yyyy' "$tmp/d.csv" -c d
input 'a,b\n1,2\n3,x\n4,5\n'
check csv-abort 1 $'a,b\n1,2' "line 3: invalid byte value 'x'" -- "$zmask" csv raw byte '' -c b --invalid=abort
input '\xef\xbb\xbfa,b\n1,2\n'
check csv-byte-order-mark 0 $'\xef\xbb\xbfa,b,c\n1,2,1' "" -- "$zmask" csv raw byte '' -c a --as c
input 'a,b\n1,2\n'
check csv-missing-column 2 "" "line 1: no column 'c' in the header" -- "$zmask" csv raw byte '' -c c
check csv-column-zero 2 "" "no column '0'" -- "$zmask" csv raw byte '' -c 0
check csv-column-past-first-row 2 "" "line 1: no column '3' in the first row (2 columns)" -- \
  "$zmask" csv raw byte '' -c 3 --no-header
input 'a,-b\n1,2\n'
check csv-option-forms 0 $'a,-b,-x\n1,2,2' "" -- "$zmask" csv raw byte '' -c-b --as=-x
check csv-name-without-header 2 "" "without a header the column must be a number" -- "$zmask" csv raw byte '' -c b --no-header
check csv-bad-delimiter 2 "" "delimiter" -- "$zmask" csv raw byte '' -c b -d '"'
input 'a,b\n1,2\n3\n4,5,6\n7,8\n'
check csv-ragged 2 $'a,b,c\n1,2,2\n3,\n4,5,6,5\n7,8,8' "line 3: 1 fields where the first row has 2" -- \
  "$zmask" csv raw byte '' -c b --as c
also csv-ragged "line 4: 3 fields"
input 'a,b\n1,\xff\n3,4\n'
check csv-invalid-utf8 2 $'a,b\n1,\xff\n3,4' "line 2: field 2 is not valid UTF-8" -- "$zmask" csv raw byte '' -c b
input 'a,b\n1,2\n3,"4\n5,6\n'
check csv-unterminated-quote 2 $'a,b\n1,2\n3,"4\n5,6' "line 3: unterminated quote" -- "$zmask" csv raw byte '' -c b
input 'a,b\n1,x"y\n3,4\n5,"6"z\r\n7,8'
check csv-malformed-quoting 2 $'a,b,c\n1,x"y,\n3,4,4\n5,"6"z,\r\n7,8,8' "line 2: malformed quoting" -- \
  "$zmask" csv raw byte '' -c b --as c
also csv-malformed "line 4: malformed quoting"
input 'a,b\n"multi\nline",1\n2,x\n'
check csv-line-numbers 0 $'a,b\n"multi\nline",1\n2,' "zmask: line 4: invalid byte value 'x'" -- \
  "$zmask" csv raw byte '' -c b --invalid=warn

# ---- data that must not be lost silently ----------------------------------
input '1\n2\n'
check dev-full 2 "" "write error: standard output: No space left on device" -- \
  bash -c '"$0" raw byte "" >/dev/full' "$zmask"
check csv-dev-full 2 "" "write error: standard output: No space left on device" -- \
  bash -c 'seq 1 100000 | "$0" csv raw longint "" -c 1 >/dev/full' "$zmask"
check closed-stdout 2 "" "write error: standard output: Bad file descriptor" -- \
  bash -c '"$0" raw byte "" >&-' "$zmask"
check epipe 2 "" "write error: standard output: Broken pipe" -- \
  bash -c 'trap "" PIPE; seq 1 100000 | "$0" raw longint "" | head -c 1 >/dev/null; exit ${PIPESTATUS[1]}' "$zmask"
check read-error-file 2 "" "zmask: /: read error: Is a directory" -- "$zmask" batch /
check read-error-stdin 2 "" "zmask: standard input: read error: Is a directory" -- bash -c '"$0" raw byte "" </' "$zmask"
check csv-read-error 2 "" "zmask: /: read error: Is a directory" -- "$zmask" csv raw byte '' / -c 1
check missing-file 2 "" "cannot open /nonexistent" -- "$zmask" csv raw byte '' /nonexistent -c 1
check newline-in-mask 2 "" "holds a newline; a mask is one line of text" -- "$zmask" raw text $'#\n#' 12
input 'raw\ttext\t#\x00#\t12\ncheck\tbyte\t\t1\n'
check nul-in-batch-mask 2 $'\nvalid' "line 1: mask '#\\x00#' holds a NUL byte" -- "$zmask" batch

# A line too long for the memory limit is reported and skipped; the lines
# after it are still answered. (Not under the sanitizers, which need more
# address space than any such limit leaves.)
if bash -c 'ulimit -v 150000 && "$0" --version; exit $?' "$zmask" >/dev/null 2>&1; then
  check long-line 2 $'7\n\n5' "line 2: too long to hold in memory; skipped" -- bash -c \
    '{ echo 7; head -c 300000000 /dev/zero | tr "\0" 9; printf "\n5\n"; } |
     (ulimit -v 150000 && exec "$0" raw byte "")' "$zmask"
  # A line that fits, but not twice: the service cannot copy it.
  check out-of-memory-value 2 $'7\n\n5' "line 2: " -- bash -c \
    '{ echo 7; head -c 60000000 /dev/zero | tr "\0" 9; printf "\n5\n"; } |
     (ulimit -v 120000 && exec "$0" raw text "")' "$zmask"
fi

# ---- the README's mask-language examples ----------------------------------
readme="$(dirname "$0")/../README.md"
examples=0
while IFS=$'\t' read -r command expected; do
  examples=$((examples + 1)) cases=$((cases + 1))
  got=$(eval "\"\$zmask\" ${command#zmask }" </dev/null 2>&1)
  if [ "$got" != "$expected" ]; then
    fail "$(printf 'README: %s\n  expected %s\n  got      %s' "$command" "$expected" "$got")"
  fi
done < <(sed -n 's/^|.*| `\(zmask [^`]*\)` | `\([^`]*\)` |$/\1\t\2/p' "$readme")
((examples >= 30)) || fail "README: only $examples examples found"

# ---- the shared case table: one batch, and a stream per op, type and mask --
table=${ZORVA_CASES:-"$(dirname "$0")/cases/cases.tsv"}
for mode in ${ZORVA_TABLE_MODES:-batch stream}; do
  cases=$((cases + 1))
  perl "$(dirname "$0")/cases/zmask_table.pl" "$zmask" "$table" "$mode" >"$tmp/table" 2>&1 || true
  while IFS= read -r line; do fail "table: $line"; done < <(grep -v '^zmask ' "$tmp/table")
  grep -Eq "^zmask $mode: ([3-9][0-9]{2}|[0-9]{4,}) rows answered, .*, 0 differ$" "$tmp/table" ||
    fail "table ($mode): $(tail -1 "$tmp/table")"
done

# ---- streams, batch errors and misuse --------------------------------------
input '1234.5\n-1\n\n0.125\r\n'
check stream-lines 0 $'$1,234.50\n($1.00)\n\n$0.13' "" -- "$zmask" format currency ''
input '1\n999\n3'
check stream-last-line 1 $'valid\ninvalid\nvalid' "" -- "$zmask" check byte ''
# A byte order mark opens the input, not its first line; a mark alone is an empty input.
input '\xef\xbb\xbfraw\ttext\t#\t1\n'
check batch-byte-order-mark 0 '1' "" -- "$zmask" batch
input '\xef\xbb\xbf5\n300\n'
check stream-byte-order-mark 1 $'valid\ninvalid' "" -- "$zmask" check byte ''
input '\xef\xbb\xbf'
check byte-order-mark-alone 0 "" "" -- "$zmask" check byte ''
input 'check\tbyte\t\t128\nraw\ttext\tonly three\nfrobnicate\ttext\t\tx\nraw\tnosuchtype\t\tx\nraw\t17\t\tx\n'
check batch-errors 2 $'invalid\n\n\n\n' "line 2: expected 4 tab-separated fields, found 3" -- "$zmask" batch
also batch-errors "line 3: unknown operation 'frobnicate'" "line 4: unknown type 'nosuchtype'"
input ''
check no-command 2 "" "Usage" -- "$zmask"
check unknown-type 2 "" "unknown type" -- "$zmask" raw nosuchtype '' x
check type-number-out-of-range 2 "" "unknown type" -- "$zmask" raw 18 '' x
check mask-required 2 "" "MASK is required" -- "$zmask" raw text
check type-by-number 0 "12/31/2001" "" -- "$zmask" format 2 mm/dd/yyyy 2001-12-31

echo "zmask_cli: $cases cases, $failures failed"
((failures == 0))
