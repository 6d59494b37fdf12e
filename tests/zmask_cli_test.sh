#!/usr/bin/env bash
# zmask as a Unix tool: the command-line cases of tests/cases/zmask_cli.tsv
# (options and exit codes, the --invalid policies, CSV columns and their bad
# input, data that must not be lost silently), then what a row cannot hold:
# answers while input is still open, a line too long to hold, the README's
# examples and the shared case table.
#   tests/zmask_cli_test.sh path/to/zmask
set -uo pipefail
bin=$1 here=$(dirname "$0")
export LC_ALL=C
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0 cases=0
zmask() { "$bin" "$@"; }
fail() { failures=$((failures + 1)); echo "FAIL $*"; }

# check NAME STATUS STDOUT STDERR-PARTS COMMAND: standard input from $tmp/in;
# STDERR-PARTS separated by |, none meaning nothing on standard error
check() {
  local name=$1 status=$2 out=$3 err=$4 cmd=$5 got part
  cases=$((cases + 1))
  got=$( (eval "$cmd") <"$tmp/in" 2>"$tmp/err"; printf '|%d' $?)
  got=${got/%$'\n|'?/|${got: -1}}  # the last newline is implied
  if [ "$got" != "$out|$status" ] || { [ -z "$err" ] && [ -s "$tmp/err" ]; }; then
    fail "$(printf '%s\n  expected: %q (stderr with %q)\n  got:      %q\n  stderr:   %s' \
      "$name" "$out|$status" "$err" "$got" "$(head -c 600 "$tmp/err")")"
  fi
  IFS='|' read -ra parts <<<"$err"
  for part in "${parts[@]}"; do grep -qF -- "$part" "$tmp/err" || fail "$name: no '$part' on standard error"; done
}

printf 'id,price,"note"\r\n1,"$1,234.50","a ""q"""\r\n2,($5.00),x\r\n\r\n3,abc,y\r\n' >"$tmp/t.csv"
printf 'n,d\n1,2001-12-31\n' >"$tmp/d.csv"
while IFS= read -r line; do
  [[ -z $line || $line == '#'* ]] && continue
  IFS=$'\x1f' read -r name status in out err cmd <<<"${line//$'\t'/$'\x1f'}"
  # shellcheck disable=SC2059
  printf "$in" >"$tmp/in"
  printf -v out '%b' "$out"
  check "$name" "$status" "$out" "$err" "$cmd"
done <"$here/cases/zmask_cli.tsv"

: >"$tmp/in"
[[ $(zmask --version 2>&1; echo "|$?") =~ ^zmask\ [0-9]+\.[0-9]+\.[0-9]+$'\n|0'$ ]] || fail version
# Help on standard output only when asked for, and then no answers.
# (Input from a here-string: a writer into a pipe zmask never reads could
# die of SIGPIPE, and pipefail would report that instead of zmask's status.)
[[ $(zmask raw byte '' --help <<<5 2>/dev/null; echo "|$?") == *'Usage: zmask raw'*$'error.\n|0' ]] ||
  fail "help: not alone on standard output"

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
live line-buffered bash -c '"$0" raw byte "" --line-buffered <"$1"' "$bin" "$tmp/to"
# On a terminal (a pseudo-terminal from script(1)) without the option.
! command -v script >/dev/null ||
  live terminal script -qfec "$(printf '%q' "$bin") raw byte '' <$(printf '%q' "$tmp/to")" /dev/null

# On a terminal, with the answers going to a reader slow enough for it to
# show: a progress line with rows per second and, for a file, how far; a
# message clears it first. Both for csv and for a stream.
if command -v script >/dev/null; then
  cases=$((cases + 1))
  { echo a,b; seq 200000 | sed 's/$/,1/'; echo 7,x; } >"$tmp/big.csv"
  slow='| (sleep 1.5; cat >/dev/null)'
  script -qfec "$(printf '%q ' "$bin" csv raw byte '' "$tmp/big.csv" -c b --invalid=warn) $slow;
    $(printf '%q ' "$bin" raw byte '' --header --field 2 -d , --invalid=warn) <$(printf '%q' "$tmp/big.csv") $slow" \
    /dev/null >"$tmp/tty"
  [ "$(grep -acE $'rows/s, [0-9]+%\e\\[K\r\e\\[Kzmask: line 200002: invalid byte value .x.' "$tmp/tty")" = 2 ] ||
    fail "terminal progress: $(cat -v "$tmp/tty" | head -c 600)"
fi

# A line too long for the memory limit is reported and skipped; the lines
# after it are still answered; so is one that fits, but not twice (the
# service cannot copy it). Not under the sanitizers, which need more address
# space than any such limit leaves.
if (ulimit -v 150000 && zmask --version) >/dev/null 2>&1; then
  check long-line 2 $'7\n\n5' "line 2: too long to hold in memory; skipped" \
    '{ echo 7; head -c 300000000 /dev/zero | tr "\0" 9; printf "\n5\n"; } | (ulimit -v 150000 && zmask raw byte "")'
  check out-of-memory-value 2 $'7\n\n5' "line 2: " \
    '{ echo 7; head -c 60000000 /dev/zero | tr "\0" 9; printf "\n5\n"; } | (ulimit -v 120000 && zmask raw text "")'
fi

# The README's mask-language examples.
examples=0
while IFS=$'\t' read -r command expected; do
  examples=$((examples + 1)) cases=$((cases + 1))
  got=$(eval "$command" </dev/null 2>&1)
  [ "$got" = "$expected" ] || fail "$(printf 'README: %s\n  expected %s\n  got      %s' "$command" "$expected" "$got")"
done < <(sed -n 's/^|.*| `\(zmask [^`]*\)` | `\([^`]*\)` |$/\1\t\2/p' "$here/../README.md")
((examples >= 30)) || fail "README: only $examples examples found"

# The shared case table: one batch, and a stream per op, type and mask.
for mode in ${ZORVA_TABLE_MODES:-batch stream}; do
  cases=$((cases + 1))
  perl "$here/cases/zmask_table.pl" "$bin" "${ZORVA_CASES:-$here/cases/cases.tsv}" "$mode" >"$tmp/table" 2>&1 || true
  while IFS= read -r line; do fail "table: $line"; done < <(grep -v '^zmask ' "$tmp/table")
  grep -Eq "^zmask $mode: ([3-9][0-9]{2}|[0-9]{4,}) rows answered, .*, 0 differ$" "$tmp/table" ||
    fail "table ($mode): $(tail -1 "$tmp/table")"
done

echo "zmask_cli: $cases cases, $failures failed"
((failures == 0))
