#!/usr/bin/env bash
# packages: base zmask packaging
# Installs into a temporary prefix and builds and runs consumers of it: the
# examples through find_package (shared and static) and through pkg-config,
# a C-only program of the static library (find_package, pkg-config --static)
# that checks the version macros, a C++17 one, the Python ctypes example,
# the installed zmask and manual pages; checks that only the public
# interface is exported, that a project including this one with
# add_subdirectory builds no tests, and that ./zmask works on a fresh copy.
# The README's code examples must be the files in examples/ (they are
# compiled here).
source "$(dirname "$0")/lib.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
step() { echo "-- $*"; }

build_tree build/install -DCMAKE_BUILD_TYPE=Release -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF
timeout 120 cmake --install build/install --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name libzorva.so.1 | head -1)")

# Every other installed file is used by a consumer below.
step "SONAME and the installed zmask"
readelf -d "$libdir/libzorva.so.1" | grep -q 'SONAME.*libzorva.so.1' || { echo "no SONAME"; exit 1; }
[ "$("$prefix/bin/zmask" format currency '' -1234.5)" = '($1,234.50)' ]

step "manual pages: zmask(1) and zorva(3) render without warnings, naming every command and function"
for page in man1/zmask.1:"$(sed -n '/^Subcommands:/,/^$/s/^  \([a-z]*\) .*/\1/p' <("$prefix/bin/zmask" --help))" \
            man3/zorva.3:"$(grep -ho 'ZORVA_API.* \*\{0,1\}zorva_[a-z_]*(' include/zorva/zorva.h | grep -o 'zorva_[a-z_]*')"; do
  MANWIDTH=80 MANROFFOPT=-rHY=0 man --warnings -l "$prefix/share/man/${page%%:*}" >"$tmp/page" 2>"$tmp/warnings"
  [ ! -s "$tmp/warnings" ] || { echo "${page%%:*}:"; cat "$tmp/warnings"; exit 1; }
  for name in ${page#*:}; do grep -qw -- "$name" "$tmp/page" || { echo "${page%%:*} lacks $name"; exit 1; }; done
done

step "exported symbols: the C interface and the public C++ functions only"
# What the public headers mark ZORVA_API, C names bare and C++ ones in zorva::.
api=$(grep -ho 'ZORVA_API[^(]*(' include/zorva/*.h | sed -E 's/.*[ *&]([A-Za-z_0-9]+)\($/\1/' | sort -u |
      paste -sd'|')
exports=$(nm -D --defined-only "$libdir/libzorva.so.1" | awk '{print $3}' | c++filt)
extra=$(grep -v -E "^(zorva_[a-z_]+\$|zorva::([A-Za-z0-9]+::)?[A-Za-z0-9]+[[(])" <<<"$exports" || true)
extra+=$(sed -E -n 's/^(zorva::)?([A-Za-z0-9]+::)?([A-Za-z_0-9]+)[[(].*|^(zorva_[a-z_]+)$/\3\4/p' <<<"$exports" | grep -v -x -E "$api" || true)
if [ -n "$extra" ]; then echo "unexpected exports:"; echo "$extra"; exit 1; fi

step "find_package consumer: C, C++ and static C"
quiet timeout 300 cmake -S examples -B "$tmp/examples" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_RPATH="$libdir"
quiet timeout 300 cmake --build "$tmp/examples"
for e in example_c example_cpp example_c_static; do
  timeout 10 "$tmp/examples/$e" >"$tmp/out" || { echo "$e failed"; cat "$tmp/out"; exit 1; }
done
grep -qx 'raw: -1234.5' "$tmp/out"

step "consumers in C only (the static library) and in C++17, of the installed version"
version=$(sed -n 's/^project(zorva VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p "$tmp/c_only" "$tmp/cpp17"
IFS=. read -r major minor patch <<<"$version"
cat >"$tmp/c_only/version.c" <<C
#include <string.h>
#include <zorva/zorva.h>
#if ZORVA_VERSION_MAJOR != $major || ZORVA_VERSION_MINOR != $minor || ZORVA_VERSION_PATCH != $patch
#error "not the installed version"
#endif
int main(void) { return strcmp(ZORVA_VERSION, "$version") != 0 || strcmp(zorva_version(), ZORVA_VERSION) != 0; }
C
cat >"$tmp/c_only/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.21)
project(c_only C)
find_package(zorva 1 REQUIRED)
add_executable(version version.c)
target_link_libraries(version PRIVATE zorva::zorva_static)
CMAKE
cat >"$tmp/cpp17/cpp17.cpp" <<CPP
#include <zorva/automation.h>
#include <zorva/masked_edit.h>
static_assert(__cplusplus == 201703L, "compiled as C++17");
int main() { return zorva::IsValidUtf8(zorva::tkMEByte, "", "127") ? 0 : 1; }
CPP
cat >"$tmp/cpp17/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.21)
project(cpp17 CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(zorva 1 REQUIRED)
add_executable(cpp17 cpp17.cpp)
target_link_libraries(cpp17 PRIVATE zorva::zorva)
CMAKE
for consumer in c_only/version cpp17/cpp17; do
  quiet timeout 300 cmake -S "$tmp/${consumer%/*}" -B "$tmp/${consumer%/*}/build" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_RPATH="$libdir"
  quiet timeout 300 cmake --build "$tmp/${consumer%/*}/build"
  timeout 10 "$tmp/${consumer%/*}/build/${consumer#*/}" || { echo "$consumer failed"; exit 1; }
done

step "pkg-config consumers, and a C one of the static library"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
[ "$(pkg-config --modversion zorva)" = "$version" ]
for compile in "cc -std=c99 examples/c/example.c" "c++ -std=c++20 examples/cpp/example.cpp"; do
  # shellcheck disable=SC2046,SC2086
  $compile -Wall -Wextra -Werror -o "$tmp/pc" $(pkg-config --cflags --libs zorva) -Wl,-rpath,"$libdir"
  timeout 10 "$tmp/pc" >/dev/null
done
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror "$tmp/c_only/version.c" -o "$tmp/pc" $(pkg-config --cflags zorva) \
  -Wl,-Bstatic $(pkg-config --static --libs zorva) -Wl,-Bdynamic
! readelf -d "$tmp/pc" | grep -q 'NEEDED.*libzorva' || { echo "linked the shared library"; exit 1; }
timeout 10 "$tmp/pc" || { echo "the static pkg-config consumer failed"; exit 1; }

step "Python ctypes"
timeout 30 python3 examples/python/zorva_ctypes.py "$libdir/libzorva.so.1" >"$tmp/out" || { cat "$tmp/out"; exit 1; }
grep -qx 'formatted: December 31, 2001' "$tmp/out"

step "add_subdirectory builds the libraries and no tests"
mkdir -p "$tmp/sub"
cat >"$tmp/sub/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.21)
project(consumer C CXX)
enable_testing()
add_subdirectory("$root" zorva)
add_executable(consumer "$root/examples/c/example.c")
target_link_libraries(consumer PRIVATE zorva::zorva)
CMAKE
quiet timeout 300 cmake -S "$tmp/sub" -B "$tmp/sub/build" -G Ninja "${launcher[@]}"
quiet timeout 600 cmake --build "$tmp/sub/build" -j "$jobs"
timeout 10 "$tmp/sub/build/consumer" >/dev/null
tests=$(ctest --test-dir "$tmp/sub/build" -N | sed -n 's/^Total Tests: //p')
[ "$tests" = 0 ] || { echo "add_subdirectory registered $tests tests"; exit 1; }
[ ! -e "$tmp/sub/build/zorva/zmask" ] || { echo "add_subdirectory built zmask"; exit 1; }

step "README examples are the files in examples/"
for f in examples/c/example.c examples/cpp/example.cpp; do
  awk -v f="$f" '$0 == "<!-- " f " -->" {grab = 1; next}
                 grab && /^```/ {if (open) exit; open = 1; next}
                 grab && open {print}' README.md >"$tmp/block"
  diff -u "$f" "$tmp/block" || { echo "README's copy of $f differs"; exit 1; }
done
step "./zmask on a fresh copy, through a symlink: only the answer, and rebuilt after an edit"
mkdir -p "$tmp/clone" "$tmp/bin"
git ls-files -z | xargs -0 cp --parents -t "$tmp/clone"
ln -s "$tmp/clone/zmask" "$tmp/bin/zm"
export CCACHE_BASEDIR="$tmp/clone"
out=$(timeout 900 "$tmp/bin/zm" format currency '' -1234.5 2>"$tmp/err")
[ "$out" = '($1,234.50)' ] && [ ! -s "$tmp/err" ] || { echo "got '$out'"; cat "$tmp/err"; exit 1; }
[ ! -e "$tmp/clone/build/zmask/tests" ] || { echo "./zmask configured the tests"; exit 1; }
sed -i 's/Exit status: 0 success/Exit status: 0 done/' "$tmp/clone/tools/zmask.cpp"
timeout 900 "$tmp/bin/zm" --help 2>&1 | grep -q 'Exit status: 0 done' || { echo "not rebuilt after an edit"; exit 1; }
echo "install suite passed"
