#!/usr/bin/env bash
# packages: base fuzz
# Every libFuzzer target briefly over its seed corpus, under ASan+UBSan with
# the properties checked inside the targets; any finding fails the suite.
source "$(dirname "$0")/lib.sh"
bash scripts/fuzz.sh "${ZORVA_FUZZ_SECONDS:-20}"
