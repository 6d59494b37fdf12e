#!/usr/bin/env bash
# packages: base zmask db
# The extension past one machine: a coordinator and two shards, three
# servers this script starts and stops (also when a check fails), tables
# partitioned by hash over postgres_fdw foreign tables. The checks and their
# plans are scripts/suites/shards.sql, compared with
# tests/cases/shards.expected: the functions run on the shards and answer
# as one server does, and a shard's domain or CHECK refusal reaches the client.
source "$(dirname "$0")/lib.sh"
source postgres/pg_server.sh
build_tree build/db -DCMAKE_BUILD_TYPE=Release -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
pg_install_extension

trap pg_stop EXIT
pg_start_shards 2
# The shards' own tables, which the coordinator's partitions name; the
# domain and the CHECK constraint exist on the shards alone.
for port in 5433 5434; do
  psql -X -q -v ON_ERROR_STOP=1 -p $port <<'SQL'
CREATE TABLE cases (line int, op text, type text, mask text, value text, expected text, got text);
CREATE TABLE entries (id int, price text, amount numeric(12, 2));
CREATE DOMAIN us_phone AS text CHECK (zm_valid('text', '(###) ###-####', VALUE));
CREATE TABLE contacts (id int, phone us_phone, price text CHECK (zm_valid('currency', '', price)));
SQL
done
timeout 100 psql -X -q <scripts/suites/shards.sql 2>&1 | same_as_expected tests/cases/shards.expected
