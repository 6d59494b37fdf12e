#!/usr/bin/env bash
# The WebAssembly package's calls per second against the native build's.
# Needs build/release (cmake --build build/release --target service_bench)
# and js/dist (js/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
json=$(mktemp)
trap 'rm -f "$json"' EXIT
build/release/bench/service_bench --benchmark_format=json --benchmark_min_time=0.2 --benchmark_repetitions=3 >"$json"
node bench/wasm_bench.mjs "$json"
