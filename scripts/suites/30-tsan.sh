#!/usr/bin/env bash
# packages: base zmask
# The entry points from 8 threads under ThreadSanitizer: no data race, and
# every answer as a single thread gives it.
source "$(dirname "$0")/lib.sh"
dir=build/tsan
quiet cmake -S . -B "$dir" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORVA_SANITIZE_THREAD=ON -DZORVA_BENCH=OFF
quiet cmake --build "$dir" --target concurrency_test -j "$jobs"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 timeout 600 "$dir/tests/concurrency_test"
