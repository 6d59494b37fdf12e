#!/usr/bin/env bash
# Rows per second of the nightly check, SELECT count(*) ... WHERE NOT
# zm_valid(...), and of the conversion in place, UPDATE ... SET amount =
# zm_raw(...)::numeric, over 1,000,000 entered amounts: on one server, and
# through a coordinator whose table is partitioned by hash over two shards
# (postgres_fdw), the same rows; then each shard alone on its half. Prints
# the plans first. Not a test: run by hand after scripts/test.sh shards has
# built and installed the extension:
#   bash bench/shards.sh
# All three servers run on this machine, so the shards share its CPUs (on
# 2 cores they compete with each other and with the coordinator): the
# figure per shard is what another host per shard would add up.
set -euo pipefail
cd "$(dirname "$0")/.."
source postgres/pg_server.sh
[ -e "$(pg_config --sharedir)/extension/zorva.control" ] ||
  { echo "install the extension first (scripts/test.sh shards)"; exit 1; }
rows=1000000 runs=3
trap pg_stop EXIT
pg_start_shards 2 >/dev/null

on() { psql -X -q -v ON_ERROR_STOP=1 -p "$@"; }  # port, psql arguments...
for port in 5433 5434; do on $port -c 'CREATE TABLE entries (id int, price text, amount numeric(12, 2))'; done
on 5432 <<SQL
CREATE TABLE entries (id int, price text, amount numeric(12, 2)) PARTITION BY HASH (id);
CREATE FOREIGN TABLE entries_1 PARTITION OF entries FOR VALUES WITH (MODULUS 2, REMAINDER 0)
  SERVER shard1 OPTIONS (table_name 'entries');
CREATE FOREIGN TABLE entries_2 PARTITION OF entries FOR VALUES WITH (MODULUS 2, REMAINDER 1)
  SERVER shard2 OPTIONS (table_name 'entries');
CREATE TABLE local_entries (LIKE entries);
INSERT INTO local_entries (id, price)
SELECT i, CASE WHEN i % 10 = 0 THEN 'x' || i
               WHEN i % 2 = 0 THEN '(\$' || to_char(i, 'FM9,999,999') || '.' || lpad((i % 100)::text, 2, '0') || ')'
               ELSE '\$' || to_char(i, 'FM9,999,999') || '.' || lpad((i % 100)::text, 2, '0') END
FROM generate_series(1, $rows) i;
INSERT INTO entries SELECT * FROM local_entries;
VACUUM ANALYZE local_entries;
SQL
for port in 5433 5434; do on $port -c 'VACUUM ANALYZE entries'; done
half=$(on 5433 -At -c 'SELECT count(*) FROM entries')

# The statements, on a table named by %s.
declare -A statements=(
  [check]="SELECT count(*) FROM %s WHERE NOT zm_valid('currency', '', price)"
  [cast]="UPDATE %s SET amount = zm_raw('currency', '', price)::numeric WHERE zm_valid('currency', '', price)"
  [shipped]="UPDATE %s SET amount = numeric_in(textout(zm_raw('currency', '', price)), 0, -1) WHERE zm_valid('currency', '', price)")
# shellcheck disable=SC2059
sql() { printf "${statements[$1]}" "$2"; }  # statement name, table
explain() { echo "EXPLAIN (VERBOSE, COSTS OFF) $(sql "$1" entries)"; on 5432 -At -c "EXPLAIN (VERBOSE, COSTS OFF) $(sql "$1" entries)"; echo; }
explain check; explain cast; explain shipped
echo "Without the extensions option:"
on 5432 -c 'ALTER SERVER shard1 OPTIONS (DROP extensions)' -c 'ALTER SERVER shard2 OPTIONS (DROP extensions)'
explain check

# The best time of $runs runs, in seconds, of a statement on a server, in one
# session (the coordinator connects to the shards once); after each run,
# VACUUM on each PORT:TABLE given, so that every UPDATE finds the table as
# the first did.
best() {  # port, statement, port:table...
  local port=$1 sql=$2 v i; shift 2
  for ((i = 0; i < runs; i++)); do
    echo "$sql;"
    for v in "$@"; do echo "\\! psql -X -q -p ${v%:*} -c 'VACUUM ${v#*:}'"; done
  done | on "$port" -c '\timing on' -f - | sed -n 's/^Time: \([0-9.]*\) ms.*/\1/p' | sort -g | awk 'NR == 1 { print $1 / 1000 }'
}
# The best time of $runs runs of the UPDATE sent for each partition at once,
# from a session of its own.
apart() {
  local i start times=()
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s.%N)
    on 5432 -c "$(sql shipped entries_1)" & on 5432 -c "$(sql shipped entries_2)" & wait
    times+=("$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN { print a - b }')")
    on 5433 -c 'VACUUM entries'; on 5434 -c 'VACUUM entries'
  done
  printf '%s\n' "${times[@]}" | sort -g | head -1
}
line() {  # what, rows, seconds
  awk -v w="$1" -v n="$2" -v s="$3" 'BEGIN { printf "%-48s %8d rows %7.3f s %6.2f M rows/s\n", w, n, s, n / s / 1e6 }'
}
echo "PostgreSQL $(pg_config --version | cut -d' ' -f2), $rows rows, one in ten invalid; $(nproc) cores shared by the three servers"
line "check, no extensions option" $rows "$(best 5432 "$(sql check entries)")"
on 5432 -c "ALTER SERVER shard1 OPTIONS (ADD extensions 'zorva')" -c "ALTER SERVER shard2 OPTIONS (ADD extensions 'zorva')"
line "check, one server" $rows "$(best 5432 "$(sql check local_entries)")"
line "check, coordinator + 2 shards" $rows "$(best 5432 "$(sql check entries)")"
line "check, shard 1 alone" "$half" "$(best 5433 "$(sql check entries)")"
line "UPDATE with the cast, one server" $rows "$(best 5432 "$(sql cast local_entries)" 5432:local_entries)"
line "UPDATE, numeric_in, coordinator + 2 shards" $rows "$(best 5432 "$(sql shipped entries)" 5433:entries 5434:entries)"
line "UPDATE, numeric_in, each partition at once" $rows "$(apart)"
line "UPDATE, numeric_in, shard 1 alone" "$half" "$(best 5433 "$(sql shipped entries)" 5433:entries)"
runs=1
line "UPDATE with the cast, coordinator + 2 shards" $rows "$(best 5432 "$(sql cast entries)")"
