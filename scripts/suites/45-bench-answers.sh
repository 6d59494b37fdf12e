#!/usr/bin/env bash
# packages: base zmask bench
# The side-by-side benchmark checks every implementation's answers before it
# times anything: run only that check (no timing), so that a fast path that
# changes an answer fails here. A peer's answers that differ from ours for a
# known reason (a tie rounded another way) are counted in its output.
source "$(dirname "$0")/lib.sh"
build_tree build/release -DCMAKE_BUILD_TYPE=Release
if [ ! -x build/release/bench/peer_bench ]; then
  echo "peer_bench not built (needs libicu-dev and valgrind: scripts/deps.sh bench)"; exit 1
fi
timeout 300 build/release/bench/peer_bench --answers
echo "peer_bench: every answer as expected or counted above"
