#!/usr/bin/env bash
# packages: base zmask
# The library, zmask and every GoogleTest suite, in a Release build.
source "$(dirname "$0")/lib.sh"
build_tree build/release -DCMAKE_BUILD_TYPE=Release
run_ctest build/release
