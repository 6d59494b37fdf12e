#!/usr/bin/env bash
# Before npm pack or publish: the WebAssembly module built afresh (without
# Emscripten this stops the pack with build.sh's message), and the licence and
# the README's package section beside the package's files.
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
cp ../LICENSE LICENSE
{
  echo '# zorva-masked-edit'
  echo
  awk '/^## In the browser and Node.js/ { on = 1; next } on && /^## / { exit } on' ../README.md
} >README.md
