#!/usr/bin/env bash
# Builds the package's WebAssembly module with Emscripten and copies it into
# js/dist/. Usage: js/build.sh [build-dir]   (default build/wasm)
# Emscripten's system libraries are built once into EM_CACHE (default
# ~/.cache/zorva-emscripten): minutes the first time, nothing afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/wasm}
export EM_CACHE=${EM_CACHE:-$HOME/.cache/zorva-emscripten}
# Debian freezes its own read-only cache; an empty value unfreezes ours.
export EM_FROZEN_CACHE=
# Emscripten's JavaScript optimiser needs Debian's acorn, which a Node.js not
# from Debian does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
mkdir -p "$EM_CACHE"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { emcmake cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
         -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF &&
       cmake --build "$build" --target zorva_wasm; } >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
mkdir -p "$root/js/dist"
cp "$build/js/zorva_masked_edit.mjs" "$build/js/zorva_masked_edit.wasm" "$root/js/dist/"
