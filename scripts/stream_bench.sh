#!/usr/bin/env bash
# zmask's stream mode against the libc stream program (bench/libc_stream.cpp)
# and the ICU stream program (bench/icu_stream.cpp) on the same 1,000,000
# lines per job: wall seconds (best of 3), million values per second and the
# speed ratios zmask/libc (1 = as fast as the bare loop) and zmask/ICU (above
# 1: zmask is faster). "differ" counts the lines of the first 10,000 where
# ICU's answer is not zmask's (ICU writes a whole raw currency without the
# point and a negative that rounds to zero with its sign). With
# "instructions", callgrind's instructions per line instead (100,000 lines;
# the process start included), which no load moves.
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
    printf "%s\n", (rand() < 0.5 ? "No" : "Yes") > (dir "/shownbool")
  }
}'
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

if [ "$mode" = instructions ]; then
  printf '%-17s %12s %11s %11s %9s %8s\n' job "zmask I/line" "libc I/line" "ICU I/line" "vs libc" "vs ICU"
else
  printf '%-17s %8s %8s %8s %9s %8s %8s %8s %7s %7s\n' job "zmask s" "libc s" "ICU s" "zmask M/s" "libc M/s" \
    "ICU M/s" "vs libc" "vs ICU" differ
fi
job() {  # name input zmask-args... -- libc-args...
  local name=$1 input=$2; shift 2
  local z=() l=()
  while [ "$1" != -- ]; do z+=("$1"); shift; done; shift; l=("$@")
  local zt lt it
  if [ "$mode" = instructions ]; then
    zt=$(instructions "$data/$input" "$zmask" "${z[@]}")
    lt=$(instructions "$data/$input" "$libc" "${l[@]}")
    it=$(instructions "$data/$input" "$icu" "${l[@]}")
    awk -v n="$name" -v z="$zt" -v l="$lt" -v i="$it" 'BEGIN {
      printf "%-17s %12d %11d %11d %9.2f %8.2f\n", n, z, l, i, l / z, i / z }'
    return
  fi
  local differ
  differ=$(head -n 10000 "$data/$input" >"$data/sample"
           "$zmask" "${z[@]}" <"$data/sample" >"$data/z.out"
           "$icu" "${l[@]}" <"$data/sample" >"$data/i.out"
           paste -d '\t' "$data/z.out" "$data/i.out" | awk -F '\t' '$1 "" != $2 ""' | wc -l)
  zt=$(best "$data/$input" "$zmask" "${z[@]}")
  lt=$(best "$data/$input" "$libc" "${l[@]}")
  it=$(best "$data/$input" "$icu" "${l[@]}")
  awk -v n="$name" -v z="$zt" -v l="$lt" -v i="$it" -v c="$lines" -v d="$differ" 'BEGIN {
    printf "%-17s %8.3f %8.3f %8.3f %9.1f %8.1f %8.1f %8.2f %7.2f %7d\n", n, z / 1e6, l / 1e6, i / 1e6,
      c / z, c / l, c / i, l / z, i / z, d }'
}
job "format currency" double format currency '$#,##0.00;($#,##0.00)' -- format currency
job "parse currency" currency raw currency '$#,##0.00;($#,##0.00)' -- raw currency
job "format long" long format longint '#,##0' -- format long
job "parse long" shownlong raw longint '#,##0' -- raw long
job "format double" double format double '#,##0.00' -- format double
job "format date" rawdate format date mm/dd/yyyy -- format date
job "parse date" date raw date mm/dd/yyyy -- raw date
job "format time" rawtime format time 'h:mm AM/PM' -- format time
job "parse time" time raw time 'h:mm AM/PM' -- raw time
job "format text" phone format text '(###) ###-####' -- format text
job "parse text" shownphone raw text '(###) ###-####' -- raw text
job "format boolean" bool format boolean Yes/No -- format boolean
job "parse boolean" shownbool raw boolean Yes/No -- raw boolean
