#!/usr/bin/env bash
# Mutation run over the engines: how many small faults do the GoogleTest
# suites catch?  scripts/mutate.sh [count] [seed] [dirs...]
# MUTANTS=FILE replays a list an earlier run wrote (its mutants.txt, or some
# of its lines) instead of drawing one: a quick check that a change to the
# tests still catches the faults that only the changed tests caught.
# The same count, seed and product sources give the same mutant list, so two
# runs (before and after a change to the tests) compare like with like.
# Mutants are made in a copy of the worktree (build/mutate/tree), so the
# worktree itself is never touched; a mutant that does not compile is left
# out, a test that times out counts as a kill.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
count=${1:-100}
seed=${2:-17}
shift $(( $# > 2 ? 2 : $# ))
dirs=("$@")
[ ${#dirs[@]} -gt 0 ] || dirs=(src/charmask src/number src/date src/time src/service)
# MUTATE_DIR: another build tree, so that two runs can go side by side.
work="${MUTATE_DIR:-$root/build/mutate}"
tree="$work/tree"
bin="$work/bin"
per_test_timeout=${MUTATE_TIMEOUT:-30}
mkdir -p "$work"

# A fresh copy of the sources and tests as they are now (uncommitted edits too).
# Only files that differ are copied, with a new time, so that the build
# sees every change (a restored mutant included) and nothing else.
mkdir -p "$tree"
(cd "$root" && git ls-files -co --exclude-standard | grep -v '^build/') | while read -r f; do
  cmp -s "$root/$f" "$tree/$f" || { mkdir -p "$tree/$(dirname "$f")"; cp "$root/$f" "$tree/$f"; }
done
for f in "$tree"/tests/*_test.cpp; do [ -e "$root/tests/${f##*/}" ] || rm "$f"; done

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$tree" CCACHE_NOHASHDIR=1
fi
linker=()
command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
cmake -S "$tree" -B "$bin" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZORVA_BENCH=OFF -DZORVA_TOOLS=ON -DZORVA_INSTALL=OFF "${launcher[@]}" "${linker[@]}" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
mapfile -t tests < <(cd "$tree/tests" && ls *_test.cpp | sed 's/\.cpp$//')
# Each test is built just before it runs: a mutant killed by the first
# test costs one link, not one per test. zmask_cli is the command's own
# suite (tests/zmask_cli_test.sh, a script): it drives tools/ as well.
build() { cmake --build "$bin" -j "$(nproc)" --target "$@" >/dev/null 2>&1; }
build zmask "${tests[@]}" || { echo "the unmutated tree does not build" >&2; cmake --build "$bin" --target zmask "${tests[@]}" | tail -30; exit 1; }
ctest --test-dir "$bin" -R make_test_locales >/dev/null

# The first failing test kills the mutant; later ones are not run.
run_tests() {
  local t
  for t in "${order[@]}"; do
    if [ "$t" = zmask_cli ]; then
      build zmask || { echo "$t (did not build)"; return 1; }
      timeout "$per_test_timeout" bash "$tree/tests/zmask_cli_test.sh" "$bin/zmask" </dev/null >/dev/null 2>&1 ||
        { echo "$t"; return 1; }
      continue
    fi
    build "$t" || { echo "$t (did not build)"; return 1; }
    if ! (cd "$bin/tests" && timeout "$per_test_timeout" "./$t" --gtest_brief=1 --gtest_fail_fast >/dev/null 2>&1); then
      echo "$t"; return 1
    fi
  done
}
# The end-to-end table first: it kills most mutants soonest; the command's
# suite, the slowest, last.
order=()
[[ " ${tests[*]} " != *" service_test "* ]] || order+=(service_test)
for t in "${tests[@]}"; do [ "$t" = service_test ] || order+=("$t"); done
order+=(zmask_cli)
if failing=$(run_tests); then :; else
  echo "the unmutated tree fails $failing; fix that first" >&2; exit 1
fi

if [ -n "${MUTANTS:-}" ]; then
  list=$(cat "$MUTANTS"); printf '%s\n' "$list" >"$work/mutants.txt"
else
python3 - "$tree" "$count" "$seed" "${dirs[@]}" >"$work/mutants.txt" <<'PY'
# Lists candidate mutants (file, line, column, old text, new text), one per
# line, tab-separated, and prints a seeded sample of them.
import os, random, re, sys
tree, count, seed, dirs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
SWAP = {' < ': ' <= ', ' <= ': ' < ', ' > ': ' >= ', ' >= ': ' > ', ' == ': ' != ', ' != ': ' == ',
        ' + ': ' - ', ' - ': ' + ', ' && ': ' || ', ' || ': ' && '}
op_re = re.compile(r' (<=|>=|==|!=|&&|\|\||<|>|\+|-) ')
num_re = re.compile(r'(?<![\w.])(\d+)(?![\w.\'])')
cond_re = re.compile(r'\b(if|while) \(')

def code_mask(line, in_block):
    """Marks the characters that are code: not in a string, char or comment."""
    mask = [False] * len(line); i = 0; quote = None
    while i < len(line):
        c = line[i]
        if in_block:
            if line.startswith('*/', i): in_block = False; i += 2; continue
        elif quote:
            if c == '\\': i += 2; continue
            if c == quote: quote = None
        elif line.startswith('//', i): break
        elif line.startswith('/*', i): in_block = True; i += 2; continue
        elif c in '"\'' and not (c == "'" and i > 0 and line[i-1].isalnum() and i + 1 < len(line) and line[i+1].isalnum()):
            quote = c
        else: mask[i] = True
        i += 1
    return mask, in_block

def close_paren(line, start):
    depth = 0
    for j in range(start, len(line)):
        if line[j] == '(': depth += 1
        elif line[j] == ')':
            depth -= 1
            if depth == 0: return j
    return -1

sites = []
for d in dirs:
    for dirpath, _, files in sorted(os.walk(os.path.join(tree, d))):
        for name in sorted(files):
            if not name.endswith(('.cpp', '.h')): continue
            path = os.path.join(dirpath, name); rel = os.path.relpath(path, tree)
            in_block = False
            for n, line in enumerate(open(path, encoding='utf-8').read().split('\n'), 1):
                mask, in_block = code_mask(line, in_block)
                s = line.strip()
                if s.startswith(('#', 'static_assert', 'template', 'using', 'namespace')): continue
                for m in op_re.finditer(line):
                    if all(mask[m.start():m.end()]):
                        sites.append((rel, n, m.start(), m.group(0), SWAP[m.group(0)]))
                for m in num_re.finditer(line):
                    if not mask[m.start()] or s.startswith(('case ',)): continue
                    v = int(m.group(1))
                    sites.append((rel, n, m.start(), m.group(1), str(v + 1) if v != 1 else '0'))
                for m in cond_re.finditer(line):
                    p = m.end() - 1; q = close_paren(line, p)
                    if q < 0 or not mask[p]: continue
                    inner = line[p+1:q]
                    sites.append((rel, n, p, '(' + inner + ')', '(!(' + inner + '))'))
random.Random(seed).shuffle(sites)
for site in sorted(sites[:count]):
    print('\t'.join(map(str, site)))
print(f'{len(sites)} candidate sites, {min(count, len(sites))} sampled', file=sys.stderr)
PY
fi

current=""
restore() { [ -z "$current" ] || cp "$work/original" "$tree/$current"; current=""; }
trap restore EXIT
trap 'restore; exit 130' INT TERM

# results.tsv: each mutant's line with what became of it (the test that
# killed it, "survived" or "broken"), for replaying a part with MUTANTS.
killed=0; total=0; broken=0; survivors=(); : >"$work/results.tsv"
while IFS=$'\t' read -r file line col old new _; do
  cp "$tree/$file" "$work/original"; current=$file
  python3 - "$tree/$file" "$line" "$col" "$old" "$new" <<'PY'
import sys
path, line, col, old, new = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5]
lines = open(path, encoding='utf-8').read().split('\n')
text = lines[line - 1]
assert text[col:col + len(old)] == old, (path, line, col, old)
lines[line - 1] = text[:col] + new + text[col + len(old):]
open(path, 'w', encoding='utf-8').write('\n'.join(lines))
PY
  label="$file:$line: '${old}' -> '${new}'"
  if ! build zorva_core zmask; then
    broken=$((broken + 1)); echo "  does not compile: $label"; by=broken
  else
    total=$((total + 1))
    if by=$(run_tests); then
      survivors+=("$label"); echo "  SURVIVED: $label"; by=survived
    else
      killed=$((killed + 1)); echo "  killed by $by: $label"
    fi
  fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$file" "$line" "$col" "$old" "$new" "$by" >>"$work/results.tsv"
  restore
done <"$work/mutants.txt"

echo "killed $killed of $total ($(( total ? killed * 100 / total : 0 ))%); $broken did not compile"
if [ ${#survivors[@]} -gt 0 ]; then
  echo "survivors:"; printf '  %s\n' "${survivors[@]}"
fi
