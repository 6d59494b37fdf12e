#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan+UBSan) and runs each
# for a while over its seed corpus, two at a time; fails on any finding.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
# New inputs go to build/fuzz/corpus/<target>, findings to build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
out=build/fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
log=$(mktemp)
if ! { cmake -S . -B "$out" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=None \
         -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
         -DZORVA_FUZZ=ON -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF &&
       cmake --build "$out" --target fuzz_targets -j "$(nproc)"; } >"$log" 2>&1; then
  cat "$log"; rm -f "$log"; exit 1
fi
rm -f "$log"

targets=("$@")
((${#targets[@]})) || targets=($(cd fuzz && ls *_fuzz.cpp | sed 's/\.cpp$//'))
mkdir -p "$out/findings"
run() {  # target
  local t=$1
  mkdir -p "$out/corpus/$t"
  local seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  if timeout $((seconds + 120)) "$out/fuzz/$t" -max_total_time="$seconds" -max_len=4096 \
       -dict=fuzz/masks.dict -artifact_prefix="$out/findings/$t-" -print_final_stats=1 \
       "$out/corpus/$t" "${seeds[@]}" >"$out/$t.log" 2>&1; then
    echo "$t: $(grep -h 'stat::number_of_executed_units' "$out/$t.log" | awk '{print $2}') runs, $(grep -h 'stat::average_exec_per_sec' "$out/$t.log" | awk '{print $2}')/s"
  else
    echo "$t: FINDING (see $out/$t.log)"; tail -30 "$out/$t.log"; return 1
  fi
}
failed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  run "${targets[i]}" & a=$!
  b=
  if ((i + 1 < ${#targets[@]})); then run "${targets[i + 1]}" & b=$!; fi
  wait $a || failed=1
  [ -n "$b" ] && { wait $b || failed=1; }
done
exit $failed
