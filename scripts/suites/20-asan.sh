#!/usr/bin/env bash
# packages: base zmask
# The same suites under AddressSanitizer and UndefinedBehaviorSanitizer,
# stopping at the first error.
source "$(dirname "$0")/lib.sh"
build_tree build/asan -DCMAKE_BUILD_TYPE=Debug -DZORVA_SANITIZE=ON -DZORVA_BENCH=OFF
# The table's streams start some 400 zmask processes, each slow to start
# under the sanitizers; the release suite and the differential run stream it.
ZORVA_TABLE_MODES=batch run_ctest build/asan
