#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan) and runs each for a
# while: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out"
src=$(find src -name '*.cpp' -not -path 'src/shell/*')
for target in fuzz/*_fuzz.cpp; do
  name=$(basename "$target" .cpp)
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Iinclude -Isrc $src "$target" -o "$out/$name"
  mkdir -p "$out/$name.corpus"
  "$out/$name" -max_total_time="$seconds" -max_len=4096 "$out/$name.corpus"
done
