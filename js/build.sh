#!/usr/bin/env bash
# Builds the package's WebAssembly module with Emscripten and copies it into
# js/dist/. Usage: js/build.sh [build-dir]   (default build/wasm)
# It links against the system libraries that Debian's emscripten package
# ships prebuilt in its frozen cache, so nothing of Emscripten's own is built:
# a flag that would need a library variant the cache lacks fails the link
# here, and the flag is what changes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/wasm}
# Emscripten's JavaScript optimiser needs Debian's acorn, which a Node.js not
# from Debian does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
command -v emcmake >/dev/null ||
  { echo "js/build.sh: building the WebAssembly module needs Emscripten (scripts/deps.sh wasm)" >&2; exit 1; }
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
