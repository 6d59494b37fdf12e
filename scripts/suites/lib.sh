# Shared by the suite scripts: the source root and the job count.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"
jobs=$(nproc)
# ccache, where installed, keeps rebuilds of unchanged sources cheap.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi

# Runs a command quietly: its output only on failure.
quiet() {
  local log; log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then cat "$log"; rm -f "$log"; return 1; fi
  rm -f "$log"
}

# Configures and builds a CMake tree quietly.
build_tree() {  # dir, cmake flags...
  local dir=$1; shift
  quiet cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" && quiet cmake --build "$dir" -j "$jobs"
}

run_ctest() {  # dir
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$1" -j "$jobs" --output-on-failure --timeout 300
}

# Compares a run's output (standard input) with an expected file: a
# difference shows as a diff, and the output stays in build/NAME.actual, to
# copy over the expected file when the change is meant.
same_as_expected() {  # expected file
  local actual; actual=build/$(basename "$1" .expected).actual
  mkdir -p build && cat >"$actual"
  diff -u "$1" "$actual" && rm -f "$actual"
}
