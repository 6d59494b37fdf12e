#!/usr/bin/env bash
# The whole test suite, twice: a release build and an ASan+UBSan build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

run_suite() {  # name, extra cmake flags...
  local dir=build/$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== ctest ($dir)"
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300
}

run_suite release -DCMAKE_BUILD_TYPE=Release
run_suite asan -DCMAKE_BUILD_TYPE=Debug -DZORVA_SANITIZE=ON -DZORVA_BENCH=OFF
