#!/usr/bin/env bash
# Side by side, per operation over 1,000-value mixes: our dispatcher
# ("engine"), our UTF-16 entry point, ICU (its defaults, and half-up) and
# libc.
#   1. CPU time per call (median of 5 repetitions) and the ratios peer/ours
#      (above 1: we are faster);
#   2. instructions per call from callgrind, which do not depend on the load.
# The "-rounding" mixes format numbers with 3 or 4 decimals, ties among them.
#   scripts/bench.sh [time|instructions]   both parts when none is named
set -euo pipefail
source "$(dirname "$0")/suites/lib.sh"
parts=${1:-all}
build_tree build/release -DCMAKE_BUILD_TYPE=Release
bin=build/release/bench/peer_bench
[ -x "$bin" ] || { echo "peer_bench was not built (needs libicu-dev and valgrind: scripts/deps.sh bench)"; exit 1; }

# Reads "op/type/impl value" lines; prints one row per op/type. "icu" is
# ICU with its defaults (numbers rounded half to even); "icu-halfup" rounds
# half-up as we do, which costs ICU its fast path for "#,##0".
table() {  # unit
  awk -v unit="$1" '
    function r(a, b) { return (a > 0 && b > 0) ? sprintf("%.2f", a / b) : "-" }
    function v(x) { return x == "" ? "-" : sprintf("%.0f", x) }
    { split($1, k, "/"); key = k[1] "/" k[2]; val[key, k[3]] = $2
      if (!(key in seen)) { seen[key] = 1; order[n++] = key } }
    END {
      printf "%-24s %9s %9s %9s %9s %10s %9s | %8s %8s %9s %8s %8s %9s\n", "operation (" unit ")", "engine", "entry",
             "entry(R8)", "icu", "icu-halfup", "libc", "icu/eng", "icu/ent", "icuhu/ent", "libc/eng", "libc/ent", "ent-eng"
      for (i = 0; i < n; ++i) {
        o = order[i]; e = val[o, "engine"]; t = val[o, "entry"]; t8 = val[o, "entry(R8)"]
        c = val[o, "icu"]; h = val[o, "icu-halfup"]; l = val[o, "libc"]
        printf "%-24s %9s %9s %9s %9s %10s %9s | %8s %8s %9s %8s %8s %9s\n", o, v(e), v(t), v(t8), v(c), v(h), v(l),
               r(c, e), r(c, t), r(h, t), r(l, e), r(l, t), v(t - e)
        if (t8 != "") printf "%-24s %9s %9s %9s %9s %10s %9s | %8s %8s %9s\n", "  (R8 variant)", "", "", "", "", "", "",
                             "", r(c, t8), r(h, t8)
      }
      printf "\n%-24s %9s %9s %9s %10s %9s | %8s %8s %9s %8s\n", "stream (" unit ")", "utf8", "prepared", "icu",
             "icu-halfup", "libc", "libc/prep", "icu/prep", "icuhu/prep", "utf8/prep"
      for (i = 0; i < n; ++i) {
        o = order[i]; u = val[o, "utf8"]; p = val[o, "prepared"]; c = val[o, "icu"]; h = val[o, "icu-halfup"]
        l = val[o, "libc"]
        printf "%-24s %9s %9s %9s %10s %9s | %8s %8s %9s %8s\n", o, v(u), v(p), v(c), v(h), v(l), r(l, p), r(c, p),
               r(h, p), r(u, p)
      }
    }'
}

# Every implementation's answers are checked before anything is timed; a
# peer's answers that differ from ours for a known reason (a tie rounded
# another way) are counted here, with the reason.
echo "== Answers that differ from ours (1,000 values per mix, checked before timing) =="
"$bin" --answers 2>&1
echo

if [ "$parts" = all ] || [ "$parts" = time ]; then
  echo "== CPU time per call, ns (median of 5; ratios above 1: we are faster) =="
  timeout 900 "$bin" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.1 --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); print name, $4 }' |
    table ns
fi

if [ "$parts" = all ] || [ "$parts" = instructions ]; then
  echo "== Instructions per call (callgrind, one pass over 1,000 values) =="
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  timeout 900 valgrind --tool=callgrind --callgrind-out-file="$out/cg" "$bin" --instructions >/dev/null 2>&1
  # cg.1, cg.2, ...: the dumps in the order of the pairs, kept within each type.
  for f in $(printf '%s\n' "$out"/cg.* | awk -F. '{ print $NF, $0 }' | sort -n | cut -d' ' -f2-); do
    name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$f")
    total=$(sed -n 's/^summary: //p; s/^totals: //p' "$f" | head -1)
    echo "$name $((total / 1000))"
  done | sort -t/ -k2,2 -s | table instructions
fi
