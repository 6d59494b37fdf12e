#!/usr/bin/env bash
# packages: base zmask db
# The SQLite extension through Debian's sqlite3 shell: its own checks against
# their expected output, then the shared case table under the sanitizers.
source "$(dirname "$0")/lib.sh"
build_tree build/db -DCMAKE_BUILD_TYPE=Release -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
ext="$root/build/db/sqlite/zorva"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# The settings of the case table: a user whose currency symbol is "$".
sq() { LC_ALL=C timeout 60 sqlite3 -batch -cmd ".load $ext" "$@"; }

# The extension's own behaviour beyond the table (scripts/suites/sqlite_checks.sql:
# names and numbers for types, numbers as values, masks that change row by
# row, NULLs, bad arguments, a CHECK constraint under an untrusted schema,
# generated columns and an index), against its expected output.
{ sed "s|@DB@|$tmp/t.db|; s|@EXT@|$ext|" scripts/suites/sqlite_checks.sql | sq "$tmp/t.db" 2>&1 || true; } |
  same_as_expected tests/cases/sqlite_checks.expected || failures=$((failures + 1))

# Installed alone, as the README says, it loads from lib/zorva.
quiet timeout 120 cmake --install build/db --component sqlite --prefix "$tmp/prefix"
[ "$(LC_ALL=C timeout 60 sqlite3 -batch -cmd ".load $tmp/prefix/lib/zorva/zorva" :memory: \
     "SELECT zm_raw('currency', '', '\$5.00')" 2>&1)" = 5. ] ||
  { echo "FAIL: the installed extension does not load from lib/zorva"; failures=$((failures + 1)); }

# The case table, every row as SQL, and odd arguments with the extension
# built under AddressSanitizer and UndefinedBehaviorSanitizer, preloaded into
# the shell (the differential suite runs the table on the release build).
build_tree build/db-asan -DCMAKE_BUILD_TYPE=Debug -DZORVA_SANITIZE=ON -DZORVA_TESTS=OFF \
  -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
{ bash sqlite/case_table_sql.sh tests/cases/cases.tsv; cat; } > "$tmp/cases.sql" <<'SQL'
SELECT count(*) FROM (SELECT zm_raw('text', '', hex(zeroblob(5000))), zm_raw(9, hex(zeroblob(400)), 'x'),
  zm_format('date', '', 1e300), zm_format('currency', '', -9223372036854775808),
  zm_format('datetime', '', -657434.5), zm_format('datetime', '', 2958465.99999),
  zm_valid('time', 'h:mm:ss AM/PM', x'ff00fe'), zm_format(type, mask, 123.456), zm_format(type, mask, -5)
  FROM cases);
SQL
preload="$(gcc -print-file-name=libasan.so):$(gcc -print-file-name=libubsan.so)"
if ! LC_ALL=C ASAN_OPTIONS=detect_leaks=0:halt_on_error=1 LD_PRELOAD="$preload" timeout 120 \
     sqlite3 -batch -bail -cmd ".load $root/build/db-asan/sqlite/zorva" :memory: \
     < "$tmp/cases.sql" > "$tmp/asan.out" 2>&1 || grep -q '^mismatch' "$tmp/asan.out"; then
  echo "FAIL: under the sanitizers:"; cat "$tmp/asan.out"; failures=$((failures + 1))
fi

((failures == 0)) || { echo "sqlite: $failures failures"; exit 1; }
echo "sqlite: all checks passed"
