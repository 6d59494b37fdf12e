#!/usr/bin/env bash
# packages: base zmask db
# The SQLite extension through Debian's sqlite3 shell: the shared case table,
# a CHECK constraint, generated columns, an index, NULLs and bad arguments.
source "$(dirname "$0")/lib.sh"
build_tree build/db -DCMAKE_BUILD_TYPE=Release -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
ext="$root/build/db/sqlite/zorva"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

# The settings of the case table: a user whose currency symbol is "$".
sq() { LC_ALL=C timeout 60 sqlite3 -batch -bail -cmd ".load $ext" "$@"; }

# expect WANTED SQL...: the statements print exactly WANTED; expect_error
# MESSAGE SQL...: the shell fails, saying MESSAGE.
expect() {
  local want=$1 got ok=1; shift
  got=$(sq "$tmp/t.db" "$@" 2>&1) || ok=0
  if [ -n "${error:-}" ]; then ((!ok)) && [[ $got == *"$want"* ]]; else ((ok)) && [ "$got" = "$want" ]; fi ||
    { printf 'FAIL: %s\n  wanted: %s%s\n  got:    %s\n' "$*" "${error:+an error: }" "$want" "$got"; failures=$((failures + 1)); }
}
expect_error() { error=1 expect "$@"; }

# The case table, every row as SQL; a row that differs is printed.
bash sqlite/case_table_sql.sh tests/cases/cases.tsv > "$tmp/cases.sql"
sq :memory: < "$tmp/cases.sql" > "$tmp/cases.out"
cat "$tmp/cases.out"
grep -q '^mismatch' "$tmp/cases.out" && failures=$((failures + 1))

# The type by name, constant name (any case) or number; numbers as values of
# zm_format convert as automation numbers do.
expect '5.|5.|5.' "SELECT zm_raw('Currency', '', '\$5.00'), zm_raw('TKMECURRENCY', '', '\$5.00'),
                          zm_raw(1, '', '\$5.00')"
expect '$1,234.50|12/31/2001|12:00:00 PM|True|$1,234.50' \
  "SELECT zm_format('currency', '', 1234.5), zm_format('date', 'mm/dd/yyyy', 37256),
          zm_format('time', '', 0.5), zm_format('boolean', '', 1), zm_format('currency', '', '1234.5')"

# A large REAL reaches the number engine as "1E+23": the same answer as the
# DLLs give for the same double.
expect "99999999999999992000000|10000000000000001$(printf '0%.0s' {1..238})" \
  "SELECT zm_format('double', '0', 1e23), zm_format('double', '0', 1e300)"

# The type and mask change from row to row within one statement: what a
# call site keeps for one mask must not answer for another.
expect '1 1.5|0 2.|0 2|1 1.5|1 $1.50|0 2.' "WITH rows(n, type, mask, value) AS (VALUES
    (1, 'currency', '', '\$1.50'), (2, 'currency', '#,##0', '\$1.50'), (3, 'shortint', '#,##0', '\$1.50'),
    (4, 'currency', '', '\$1.50'), (5, 'text', '', '\$1.50'), (6, 'currency', '#,##0', '\$1.50'))
  SELECT group_concat(zm_valid(type, mask, value) || ' ' || zm_raw(type, mask, value), '|')
  FROM (SELECT * FROM rows ORDER BY n)"

# A constant mask under a type that changes row by row.
expect '1 1.|1 -2.|0 2|0 7.|0 2.|1 3.' "WITH rows(n, type, value) AS (VALUES (1, 'currency', '\$1'),
    (2, 'currency', '(\$2)'), (3, 'shortint', '\$1.50'), (4, 'currency', 'x7'), (5, 'currency', '\$1.50'),
    (6, 'currency', '\$3'))
  SELECT group_concat(zm_valid(type, '#,##0', value) || ' ' || zm_raw(type, '#,##0', value), '|')
  FROM (SELECT * FROM rows ORDER BY n)"

# A SQL NULL anywhere gives NULL.
expect '1|1|1|1' "SELECT zm_valid(NULL, '', '') IS NULL, zm_raw('text', NULL, 'x') IS NULL,
                         zm_format('text', '', NULL) IS NULL, zm_valid('nonsense', '', NULL) IS NULL"

# Bad arguments are errors that say what is wrong.
expect_error "zm_valid: unknown value type 'dollars'" "SELECT zm_valid('dollars', '', '1')"
expect_error "zm_raw: unknown value type '18'" "SELECT zm_raw(18, '', '1')"
expect_error "zm_raw: unknown value type '-1'" "SELECT zm_raw('-1', '', '1')"
expect_error "zm_format: unknown value type '1.0'" "SELECT zm_format(1.0, '', '1')"
# The whole argument, past a zero byte and forty bytes, escaped.
expect_error "zm_valid: unknown value type 'currency\\0x'" "SELECT zm_valid('currency' || char(0) || 'x', '', '1')"
expect_error "zm_raw: unknown value type 'a type name longer than forty bytes, it\\'s\\tquoted\\\\'" \
  "SELECT zm_raw('a type name longer than forty bytes, it''s' || char(9) || 'quoted\\', '', '1')"
expect_error "zm_raw takes 3 arguments: type, mask, value" "SELECT zm_raw('text', '')"
expect_error "zm_valid takes 3 arguments" "SELECT zm_valid('text', '', '', '')"

# A CHECK constraint keeps valid rows and refuses the others; the schema
# works with an untrusted schema, which allows only innocuous functions.
expect '' "CREATE TABLE phones(phone TEXT CHECK (zm_valid('text', '(###) ###-####', phone)))"
expect '' "PRAGMA trusted_schema = OFF" "INSERT INTO phones VALUES ('(555) 123-4567'), ('')"
expect_error "CHECK constraint failed" "INSERT INTO phones VALUES ('555123456')"
expect_error "CHECK constraint failed" "INSERT INTO phones VALUES ('(555) 123-4567'), ('(555) 12-4567')"
expect '(555) 123-4567|' "SELECT group_concat(phone, '|') FROM phones"

# Generated columns: the raw amount stored, the display computed; an index
# on the raw value serves a lookup.
expect '' "CREATE TABLE prices(entered TEXT,
             amount TEXT GENERATED ALWAYS AS (zm_raw('currency', '', entered)) STORED,
             shown TEXT AS (zm_format('currency', '', amount)))" \
          "INSERT INTO prices(entered) VALUES ('(\$1,234.50)'), ('\$0.00'), (NULL)" \
          "CREATE INDEX prices_raw ON prices(zm_raw('currency', '#,##0.00', entered))"
expect '-1234.5|($1,234.50)
0.|$0.00
|' "SELECT amount, shown FROM prices ORDER BY rowid"
expect '$0.00' "SELECT entered FROM prices WHERE zm_raw('currency', '#,##0.00', entered) = '0.'"
plan=$(sq "$tmp/t.db" "EXPLAIN QUERY PLAN SELECT entered FROM prices WHERE zm_raw('currency', '#,##0.00', entered) = '0.'")
[[ "$plan" == *"USING INDEX prices_raw"* ]] || { echo "FAIL: the lookup does not use the index: $plan"; failures=$((failures + 1)); }

# The case table and odd arguments again with the extension built under
# AddressSanitizer and UndefinedBehaviorSanitizer, preloaded into the shell.
build_tree build/db-asan -DCMAKE_BUILD_TYPE=Debug -DZORVA_SANITIZE=ON -DZORVA_TESTS=OFF \
  -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
cat >> "$tmp/cases.sql" <<'SQL'
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
