#!/usr/bin/env bash
# The test command: installs the packages the chosen suites need, then runs
# every suite in scripts/suites/ in order (or only those named:
# scripts/test.sh release asan), goes on past a failing suite, and ends with
# one line of counts. A suite names its package lists on its "# packages:"
# line.
set -uo pipefail
cd "$(dirname "$0")/.."
suites=()
for suite in scripts/suites/[0-9]*.sh; do
  name=$(basename "$suite" .sh); name=${name#*-}
  if (($#)) && [[ " $* " != *" $name "* ]]; then continue; fi
  suites+=("$suite")
done
for want in "$@"; do
  [[ " ${suites[*]} " == *"-$want.sh "* ]] || { echo "test.sh: no suite named '$want'" >&2; exit 2; }
done
lists=$(sed -n 's/^# packages://p' "${suites[@]}" | tr -s ' ' '\n' | sort -u | grep .)
# shellcheck disable=SC2086
bash scripts/deps.sh $lists || exit 1
passed=0 failed=0 failures=()
for suite in "${suites[@]}"; do
  name=$(basename "$suite" .sh); name=${name#*-}
  echo "== suite $name"
  start=$SECONDS
  if bash "$suite"; then
    passed=$((passed + 1)); echo "== suite $name passed in $((SECONDS - start)) s"
  else
    failed=$((failed + 1)); failures+=("$name"); echo "== suite $name FAILED in $((SECONDS - start)) s"
  fi
done
((failed)) && echo "failed suites: ${failures[*]}"
echo "suites: $passed passed, $failed failed"
((failed == 0))
