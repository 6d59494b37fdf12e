#!/usr/bin/env bash
# packages: base wasm
# The WebAssembly package: builds it with Emscripten, answers the shared case
# table and plays the editing table through it in Node.js, types the editing
# table into <zorva-input> and drives the demo page in headless Chromium (the
# screenshots land in js/test-output/).
source "$(dirname "$0")/lib.sh"
timeout 600 js/build.sh build/wasm
cd js
timeout 300 npm ci --no-audit --no-fund --prefer-offline --silent
timeout 600 node --test --test-reporter=dot test/
