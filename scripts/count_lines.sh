#!/usr/bin/env bash
# Non-blank lines of test code against product code, and the ratio.
# Tests: the C++ tests, the differential run's request generator and their
# scripts, the Windows clients, the JavaScript tests, the SQL regression
# scripts, the suite scripts. Product: the library, its tools and the
# database and WebAssembly fronts. The fuzz targets are
# shown on a line of their own. Data (the case table, expected outputs) and
# generated or build files are counted as neither.
set -euo pipefail
cd "$(dirname "$0")/.."
files() { git ls-files -co --exclude-standard -- "$@" | grep -v '^build/' || true; }
lines() { local n=0 f; while read -r f; do [ -f "$f" ] && n=$((n + $(grep -cv '^[[:space:]]*$' "$f" || true))); done; echo "$n"; }

tests=$(files 'tests/*.cpp' 'tests/*.h' 'tests/*.sh' 'tests/windows/*' 'js/test/*.js' \
              'scripts/suites/*' scripts/test.sh postgres/pg_server.sh 'postgres/sql/*' 'tests/cases/*.p[lm]' |
        grep -E '^tests/([^/]+|differential/[^/]+)\.(cpp|h|sh)$|^tests/windows/|^js/test/[^/]+\.js$|^scripts/|^postgres/(pg_server\.sh|sql/)|^tests/cases/.*\.p[lm]$')
product=$(files src include tools sql sqlite postgres js |
          grep -Ev '^js/test/|^postgres/(pg_server\.sh|sql/)' | grep -E '\.(cpp|h|js|ts|sql|sh)$')

if [ "${1:-}" = -v ]; then
  echo "$tests" | while read -r f; do printf '%6d %s\n' "$(grep -cv '^[[:space:]]*$' "$f" || true)" "$f"; done | sort -rn
fi
t=$(echo "$tests" | lines); p=$(echo "$product" | lines)
f=$(files fuzz | grep -E '\.(cpp|h|py)$' | lines)
echo "tests $t, product $p, ratio $((t * 100 / p))%"
echo "fuzz targets $f; with them $(( (t + f) * 100 / p ))%"
