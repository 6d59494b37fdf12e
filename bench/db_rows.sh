#!/usr/bin/env bash
# Rows per second of zm_valid and zm_raw over 1,000,000 entered currency
# values, and of zm_format over their raw values (r), in SQLite and in PostgreSQL (one backend, no parallel workers),
# beside count(v) (the scan alone) and length(value) (a trivial built-in).
# Each query runs 5 times, in 5 rounds of all the queries, so that a burst of
# other work on the machine slows one run of every query rather than all
# runs of one; the best time counts. Not a test: run by hand after the db
# suites have built and installed the extensions:
#   bash bench/db_rows.sh                 rows per second
#   bash bench/db_rows.sh instructions    instructions per row (callgrind over
#                                         50,000 rows), which do not depend on
#                                         the machine's load
set -euo pipefail
cd "$(dirname "$0")/.."
source postgres/pg_server.sh
rows=1000000
[ "${1:-}" = instructions ] && rows=50000
ext="$PWD/build/db/sqlite/zorva"
[ -e "$ext.so" ] || { echo "build the SQLite extension first (scripts/test.sh sqlite)"; exit 1; }

exprs=("count(v)" "count(length(v))" "count(zm_valid('currency', '', v))"
       "count(zm_raw('currency', '', v))" "count(zm_format('currency', '', r))")
# Values such as "$1,234.50" and "($12,345.07)", one in ten invalid.
sqlite_values="SELECT CASE WHEN value % 10 = 0 THEN 'x' || value
                 WHEN value % 2 = 0 THEN printf('(\$%,d.%02d)', value, value % 100)
                 ELSE printf('\$%,d.%02d', value, value % 100) END AS v FROM generate_series(1, $rows)"
pg_values="SELECT CASE WHEN i % 10 = 0 THEN 'x' || i
             WHEN i % 2 = 0 THEN '(\$' || to_char(i, 'FM9,999,999') || '.' || lpad((i % 100)::text, 2, '0') || ')'
             ELSE '\$' || to_char(i, 'FM9,999,999') || '.' || lpad((i % 100)::text, 2, '0') END
             AS v FROM generate_series(1, $rows) i"

# Instructions per row: each query's run less a run that only loads the
# rows, over the rows. PostgreSQL runs as a single-user backend.
if [ "${1:-}" = instructions ]; then
  work=$(mktemp -d /tmp/zorva-rows.XXXXXX)
  chmod 755 "$work"
  trap 'rm -rf "$work"' EXIT
  as=()
  if [ "$(id -u)" -eq 0 ]; then as=(runuser -u postgres --); chown postgres "$work"; fi
  # The callgrind file of a run, read and removed; none makes the run fail.
  total() { sed -n 's/^summary: //p; s/^totals: //p' "$1" | head -1; rm -f "$1"; }
  sqlite_run() {
    { echo ".load $ext"; echo "CREATE TABLE t(v TEXT, r TEXT);"
      echo "INSERT INTO t SELECT v, zm_raw('currency', '', v) FROM ($sqlite_values);"
      printf '%s\n' "$@"; } |
      LC_ALL=C timeout 600 valgrind --tool=callgrind --callgrind-out-file="$work/sqlite.cg" sqlite3 :memory: >/dev/null 2>&1
    total "$work/sqlite.cg"
  }
  pg=$(pg_config --bindir)
  "${as[@]}" env LC_ALL=C timeout 120 "$pg/initdb" -D "$work/data" -U postgres -A trust -E UTF8 --locale=C >/dev/null
  single() {
    "${as[@]}" env LC_ALL=C timeout 600 "$@" "$pg/postgres" --single -D "$work/data" -c jit=off \
      -c max_parallel_workers_per_gather=0 postgres >/dev/null 2>&1
  }
  # One statement a line; VACUUM sets the hint bits the timed runs find set.
  printf '%s\n' "CREATE EXTENSION zorva;" "VACUUM ANALYZE t;" |
    sed "1a CREATE TABLE t AS SELECT v, zm_raw('currency', '', v) AS r FROM (${pg_values//$'\n'/ }) s;" | single
  pg_run() {
    printf '%s\n' "SELECT zm_valid('text', '', 'x');" "$@" |
      single valgrind --tool=callgrind --callgrind-out-file="$work/postgres.cg"
    total "$work/postgres.cg"
  }
  echo "instructions per row, $rows rows"
  sqlite_base=$(sqlite_run) pg_base=$(pg_run)
  for e in "${exprs[@]}"; do
    s=$(sqlite_run "SELECT $e FROM t;") p=$(pg_run "SELECT $e FROM t;")
    printf '%-38s sqlite %6d   postgres %6d\n' "$e" $(((s - sqlite_base) / rows)) $(((p - pg_base) / rows))
  done
  exit 0
fi

# label, times file (the queries round after round): the best of each
# expression's 5 runs, in rows per second, ns per row and as a multiple of
# the length(v) query.
report() {
  local i=0 best base=""
  for e in "${exprs[@]}"; do
    best=$(awk -v n=${#exprs[@]} -v i=$i '(NR - 1) % n == i' "$2" | sort -g | head -1)
    [ $i -eq 1 ] && base=$best
    awk -v l="$1" -v e="$e" -v s="$best" -v b="${base:-0}" -v n="$rows" 'BEGIN {
      printf "%-9s %-38s %11.0f rows/s %6.0f ns/row", l, e, n / s, s * 1e9 / n
      if (b > 0) printf "  %4.1fx length", s / b; printf "\n" }'
    i=$((i + 1))
  done
}

times=$(mktemp)
trap 'pg_stop; rm -f "$times"' EXIT
echo "SQLite $(sqlite3 --version | cut -d' ' -f1), $rows rows"
{
  echo ".load $ext"
  echo "CREATE TABLE t(v TEXT, r TEXT);"
  echo "INSERT INTO t SELECT v, zm_raw('currency', '', v) FROM ($sqlite_values);"
  echo ".timer on"
  for _ in 1 2 3 4 5; do for e in "${exprs[@]}"; do echo "SELECT $e FROM t;"; done; done
} | LC_ALL=C sqlite3 :memory: | awk '/^Run Time/ { print $4 }' > "$times"
report sqlite "$times"

pg_start
echo "PostgreSQL $(pg_config --version | cut -d' ' -f2), $rows rows, no parallel workers"
{
  echo "CREATE EXTENSION zorva; SET max_parallel_workers_per_gather = 0;"
  echo "CREATE TABLE t AS SELECT v, zm_raw('currency', '', v) AS r FROM ($pg_values) s;"
  echo "VACUUM ANALYZE t; SELECT count(*) FROM t;"
  echo "\\timing on"
  for _ in 1 2 3 4 5; do for e in "${exprs[@]}"; do echo "SELECT $e FROM t;"; done; done
} | psql -X -q -v ON_ERROR_STOP=1 | awk '/^Time:/ { print $2 / 1000 }' > "$times"
report postgres "$times"
