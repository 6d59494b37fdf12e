#!/usr/bin/env bash
# The WebAssembly package in Node.js and headless Chromium against the
# native UTF-16 entry points and against Intl, per job of peer_bench's
# mixes, in one run. Needs build/release/bench/peer_bench (scripts/deps.sh
# bench; cmake --build build/release --target peer_bench), js/dist
# (js/build.sh) and js/node_modules (npm ci in js/, for playwright-core).
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
build/release/bench/peer_bench --mixes >"$tmp/mixes.tsv"
build/release/bench/peer_bench --benchmark_filter='/entry$' --benchmark_format=json \
  --benchmark_min_time=0.1 --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
  >"$tmp/native.json" 2>/dev/null
TZ=UTC node bench/wasm_bench.mjs "$tmp/mixes.tsv" "$tmp/native.json"
