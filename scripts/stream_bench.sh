#!/usr/bin/env bash
# zmask's stream mode against the libc stream program (bench/libc_stream.cpp)
# and the ICU stream program (bench/icu_stream.cpp, ICU's defaults) on the
# same 1,000,000 lines per job: wall seconds (best of 3), million values per
# second and the speed ratios zmask/libc (1 = as fast as the bare loop) and
# zmask/ICU (above 1: zmask is faster). With "instructions", callgrind's
# instructions per line instead (100,000 lines; the process start included),
# which no load moves.
# "libc≠" and "ICU≠" count the lines of the first 10,000 where that peer's
# answer is not zmask's, by cause:
#   tie    an x.xx5 tie rounded the other way: ICU rounds decimal ties half
#          to even, libc's to_chars the whole number's double, we the
#          fraction's double half-up (0.085 up, 0.285 down)
#   -0     a negative that rounds to zero keeps its sign in the peer ("-0.00")
#   point  a whole number read back without its point ("12" for our "12.")
#   other  anything else: a fault in one of the programs
# The "(rounding)" jobs format numbers with 3 or 4 decimals, ties and
# carries (9.995, 0.005); the boolean file mixes the spellings "Yes/No" reads.
#   scripts/stream_bench.sh [LINES] [instructions]
set -euo pipefail
source "$(dirname "$0")/suites/lib.sh"
mode=${2:-time}
lines=${1:-$([ "$mode" = instructions ] && echo 100000 || echo 1000000)}
build_tree build/release -DCMAKE_BUILD_TYPE=Release
zmask=${ZMASK:-build/release/zmask}  # ZMASK=another build to compare
libc=build/release/bench/libc_stream
icu=build/release/bench/icu_stream
[ -x "$icu" ] || { echo "icu_stream was not built (needs libicu-dev: scripts/deps.sh bench)"; exit 1; }
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

# The value mixes: one file per kind of input.
awk -v n="$lines" -v dir="$data" 'BEGIN {
  ns = split("Yes No yes no YES NO Y N y n 1 0 yeah nope true false", spelling, " ")
  srand(13)
  for (i = 0; i < n; ++i) {
    y = 1900 + int(rand() * 200); m = 1 + int(rand() * 12); d = 1 + int(rand() * 28)
    h = int(rand() * 24); mi = int(rand() * 60)
    printf "%d\n", int(rand() * 2e9) - 1e9 > (dir "/long")
    printf "%.2f\n", rand() * 2e6 - 1e6 > (dir "/double")
    printf "%04d-%02d-%02d\n", y, m, d > (dir "/rawdate")
    printf "%02d/%02d/%04d\n", m, d, y > (dir "/date")
    printf "%02d:%02d:00\n", h, mi > (dir "/rawtime")
    printf "%d:%02d %s\n", (h % 12 == 0 ? 12 : h % 12), mi, (h < 12 ? "AM" : "PM") > (dir "/time")
    printf "%010d\n", int(rand() * 1e10) > (dir "/phone")
    printf "(%03d) %03d-%04d\n", int(rand() * 1000), int(rand() * 1000), int(rand() * 10000) > (dir "/shownphone")
    printf "%s\n", (rand() < 0.5 ? "0" : "1") > (dir "/bool")
    printf "%s\n", spelling[1 + int(rand() * ns)] > (dir "/shownbool")
  }
}'
# Numbers that need rounding, from their own seed so that the files above
# stay as they were.
awk -v n="$lines" 'BEGIN {
  srand(17)
  for (i = 0; i < n; ++i) {
    r = rand(); sign = rand() < 0.5 ? "-" : ""
    if (r < 0.3) printf "%.3f\n", rand() * 2e6 - 1e6
    else if (r < 0.6) printf "%.4f\n", rand() * 2e6 - 1e6
    else if (r < 0.85) printf "%s%d.%02d5\n", sign, int(rand() * 1e6), int(rand() * 100)  # ties
    else if (r < 0.95) printf "%s%d.995%s\n", sign, int(rand() * 1e4), (rand() < 0.5 ? "" : "1")  # carries
    else printf "%s0.00%s\n", sign, (rand() < 0.5 ? "5" : "49")  # 0.005 and below
  }
}' >"$data/rounding"
"$zmask" format currency '$#,##0.00;($#,##0.00)' <"$data/double" >"$data/currency"
"$zmask" format longint '#,##0' <"$data/long" >"$data/shownlong"

best() {  # input command...: the best of 3 wall times in microseconds
  local input=$1 b=""
  shift
  for _ in 1 2 3; do
    local s e
    s=$(date +%s%N); "$@" <"$input" >/dev/null; e=$(date +%s%N)
    local t=$(( (e - s) / 1000 ))
    if [ -z "$b" ] || [ "$t" -lt "$b" ]; then b=$t; fi
  done
  echo "$b"
}

instructions() {  # input command...: instructions per line
  local input=$1
  shift
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" <"$input" 2>&1 >/dev/null |
    awk -v c="$lines" '/refs:/ { gsub(",", "", $NF); printf "%.0f", $NF / c }'
}

# The first 10,000 lines through zmask and a peer: "count|causes", the
# causes as named above ("tie 2510, -0 12").
differ() {  # input zmask-args... -- peer-command...
  local input=$1 z=()
  shift
  while [ "$1" != -- ]; do z+=("$1"); shift; done; shift
  head -n 10000 "$data/$input" >"$data/sample"
  "$zmask" "${z[@]}" <"$data/sample" >"$data/z.out"
  "$@" <"$data/sample" >"$data/p.out"
  paste -d '\t' "$data/sample" "$data/z.out" "$data/p.out" | awk -F '\t' '
    $2 "" == $3 "" { next }
    { ++n; unsigned = $3; gsub(/[-()]/, "", unsigned) }
    $2 "" == $3 "." { ++c["point"]; next }
    unsigned == $2 && $2 ~ /^[$]?0[.]00$/ { ++c["-0"]; next }
    $1 ~ /[.][0-9][0-9]50*$/ { ++c["tie"]; next }
    { ++c["other"] }
    END {
      split("tie -0 point other", cause, " ")
      for (k = 1; k <= 4; ++k) if (c[cause[k]]) s = s (s == "" ? "" : ", ") cause[k] " " c[cause[k]]
      printf "%d|%s", n, s
    }'
}

if [ "$mode" = instructions ]; then
  printf '%-26s %12s %11s %11s %9s %8s %9s %8s  %s\n' job "zmask I/line" "libc I/line" "ICU I/line" "vs libc" \
    "vs ICU" libc-diff ICU-diff "causes (of the first 10,000 lines)"
else
  printf '%-26s %8s %8s %8s %9s %8s %8s %8s %7s %9s %8s  %s\n' job "zmask s" "libc s" "ICU s" "zmask M/s" \
    "libc M/s" "ICU M/s" "vs libc" "vs ICU" libc-diff ICU-diff "causes (of the first 10,000 lines)"
fi
job() {  # name input zmask-args... -- peer-args...
  local name=$1 input=$2; shift 2
  local z=() l=()
  while [ "$1" != -- ]; do z+=("$1"); shift; done; shift; l=("$@")
  local ld id causes
  ld=$(differ "$input" "${z[@]}" -- "$libc" "${l[@]}")
  id=$(differ "$input" "${z[@]}" -- "$icu" "${l[@]}")
  causes=$( [ -n "${ld#*|}" ] && printf 'libc: %s' "${ld#*|}"
            [ -n "${ld#*|}" ] && [ -n "${id#*|}" ] && printf '; '
            [ -n "${id#*|}" ] && printf 'ICU: %s' "${id#*|}"; true)
  local zt lt it
  if [ "$mode" = instructions ]; then
    zt=$(instructions "$data/$input" "$zmask" "${z[@]}")
    lt=$(instructions "$data/$input" "$libc" "${l[@]}")
    it=$(instructions "$data/$input" "$icu" "${l[@]}")
    awk -v n="$name" -v z="$zt" -v l="$lt" -v i="$it" -v ld="${ld%%|*}" -v id="${id%%|*}" -v why="$causes" 'BEGIN {
      printf "%-26s %12d %11d %11d %9.2f %8.2f %9d %8d  %s\n", n, z, l, i, l / z, i / z, ld, id, why }'
    return
  fi
  zt=$(best "$data/$input" "$zmask" "${z[@]}")
  lt=$(best "$data/$input" "$libc" "${l[@]}")
  it=$(best "$data/$input" "$icu" "${l[@]}")
  awk -v n="$name" -v z="$zt" -v l="$lt" -v i="$it" -v c="$lines" -v ld="${ld%%|*}" -v id="${id%%|*}" \
      -v why="$causes" 'BEGIN {
    printf "%-26s %8.3f %8.3f %8.3f %9.1f %8.1f %8.1f %8.2f %7.2f %9d %8d  %s\n", n, z / 1e6, l / 1e6, i / 1e6,
      c / z, c / l, c / i, l / z, i / z, ld, id, why }'
}
job "format currency" double format currency '$#,##0.00;($#,##0.00)' -- format currency
job "parse currency" currency raw currency '$#,##0.00;($#,##0.00)' -- raw currency
job "format long" long format longint '#,##0' -- format long
job "parse long" shownlong raw longint '#,##0' -- raw long
job "format double" double format double '#,##0.00' -- format double
job "format double (rounding)" rounding format double '#,##0.00' -- format double
job "format currency (rounding)" rounding format currency '$#,##0.00;($#,##0.00)' -- format currency
job "format date" rawdate format date mm/dd/yyyy -- format date
job "parse date" date raw date mm/dd/yyyy -- raw date
job "format time" rawtime format time 'h:mm AM/PM' -- format time
job "parse time" time raw time 'h:mm AM/PM' -- raw time
job "format text" phone format text '(###) ###-####' -- format text
job "parse text" shownphone raw text '(###) ###-####' -- raw text
job "format boolean" bool format boolean Yes/No -- format boolean
job "parse boolean" shownbool raw boolean Yes/No -- raw boolean
