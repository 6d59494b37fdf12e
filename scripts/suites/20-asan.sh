#!/usr/bin/env bash
# packages: base zmask
# The same suites under AddressSanitizer and UndefinedBehaviorSanitizer,
# stopping at the first error.
source "$(dirname "$0")/lib.sh"
build_tree build/asan -DCMAKE_BUILD_TYPE=Debug -DZORVA_SANITIZE=ON -DZORVA_BENCH=OFF
run_ctest build/asan
