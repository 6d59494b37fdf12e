-- Run on the coordinator by scripts/suites/62-shards.sh from the source root;
-- its output is tests/cases/shards.expected. Each table is partitioned by
-- hash over the two shards' tables, and the local_ tables hold the same rows
-- on the coordinator alone: what the shards answer must be what one server
-- answers. Plans and rows unaligned, without padding.
\pset format unaligned
CREATE TABLE cases (line int, op text, type text, mask text, value text, expected text, got text)
  PARTITION BY HASH (line);
CREATE FOREIGN TABLE cases_1 PARTITION OF cases FOR VALUES WITH (MODULUS 2, REMAINDER 0)
  SERVER shard1 OPTIONS (table_name 'cases');
CREATE FOREIGN TABLE cases_2 PARTITION OF cases FOR VALUES WITH (MODULUS 2, REMAINDER 1)
  SERVER shard2 OPTIONS (table_name 'cases');
CREATE TABLE entries (id int, price text, amount numeric(12, 2)) PARTITION BY HASH (id);
CREATE FOREIGN TABLE entries_1 PARTITION OF entries FOR VALUES WITH (MODULUS 2, REMAINDER 0)
  SERVER shard1 OPTIONS (table_name 'entries');
CREATE FOREIGN TABLE entries_2 PARTITION OF entries FOR VALUES WITH (MODULUS 2, REMAINDER 1)
  SERVER shard2 OPTIONS (table_name 'entries');
CREATE TABLE contacts (id int, phone text, price text) PARTITION BY HASH (id);
CREATE FOREIGN TABLE contacts_1 PARTITION OF contacts FOR VALUES WITH (MODULUS 2, REMAINDER 0)
  SERVER shard1 OPTIONS (table_name 'contacts');
CREATE FOREIGN TABLE contacts_2 PARTITION OF contacts FOR VALUES WITH (MODULUS 2, REMAINDER 1)
  SERVER shard2 OPTIONS (table_name 'contacts');

\echo == the case table: each shard stores its answers in place, the coordinator computes its own
CREATE TABLE local_cases (LIKE cases);
\copy local_cases (line, op, type, mask, value, expected) FROM PROGRAM 'perl tests/cases/to_rows.pl --copy tests/cases/cases.tsv 2>/dev/null'
INSERT INTO cases SELECT * FROM local_cases;
\set answer 'CASE op WHEN ''check'' THEN CASE WHEN zm_valid(type, mask, value) THEN ''valid'' ELSE ''invalid'' END WHEN ''raw'' THEN zm_raw(type, mask, value) ELSE zm_format(type, mask, value) END'
EXPLAIN (VERBOSE, COSTS OFF) UPDATE cases SET got = :answer;
UPDATE cases SET got = :answer;
UPDATE local_cases SET got = :answer;
SELECT count(*) > 150 AS loaded, count(*) = (SELECT count(*) FROM cases) AS all_sharded FROM local_cases;
SELECT line, l.op, l.type, l.mask, l.value, s.got AS sharded, l.got AS single
FROM cases s FULL JOIN local_cases l USING (line)
WHERE s.got IS DISTINCT FROM l.got
ORDER BY line;

\echo == a million entered amounts, loaded through the coordinator, one in ten invalid
CREATE TABLE local_entries (LIKE entries);
INSERT INTO local_entries (id, price)
SELECT i, CASE WHEN i % 10 = 0 THEN 'x' || i
               WHEN i % 7 = 0 THEN '$' || i  -- valid, but shown back as $1,234.00
               WHEN i % 2 = 0 THEN '($' || to_char(i, 'FM9,999,999') || '.' || lpad((i % 100)::text, 2, '0') || ')'
               ELSE '$' || to_char(i, 'FM9,999,999') || '.' || lpad((i % 100)::text, 2, '0') END
FROM generate_series(1, 1000000) i;
INSERT INTO entries SELECT * FROM local_entries;
EXPLAIN (VERBOSE, COSTS OFF)
SELECT count(*) FROM entries
WHERE zm_valid('currency', '', price) AND zm_format('currency', '', zm_raw('currency', '', price)) <> price;
SELECT 'sharded' AS rows, count(*) AS entered,
       (SELECT count(*) FROM entries WHERE NOT zm_valid('currency', '', price)) AS invalid,
       (SELECT count(*) FROM entries WHERE zm_valid('currency', '', price)
          AND zm_format('currency', '', zm_raw('currency', '', price)) <> price) AS shown_otherwise
FROM entries
UNION ALL
SELECT 'single', count(*),
       (SELECT count(*) FROM local_entries WHERE NOT zm_valid('currency', '', price)),
       (SELECT count(*) FROM local_entries WHERE zm_valid('currency', '', price)
          AND zm_format('currency', '', zm_raw('currency', '', price)) <> price)
FROM local_entries;

\echo == converted in place: row by row through the coordinator with the cast, whole on each shard with the functions it calls
UPDATE entries SET amount = zm_raw('currency', '', price)::numeric
WHERE id <= 2000 AND zm_valid('currency', '', price);
EXPLAIN (VERBOSE, COSTS OFF)
UPDATE entries SET amount = numeric_in(textout(zm_raw('currency', '', price)), 0, -1)
WHERE id > 2000 AND zm_valid('currency', '', price);
UPDATE entries SET amount = numeric_in(textout(zm_raw('currency', '', price)), 0, -1)
WHERE id > 2000 AND zm_valid('currency', '', price);
UPDATE local_entries SET amount = zm_raw('currency', '', price)::numeric WHERE zm_valid('currency', '', price);
SELECT 'sharded' AS rows, count(amount) AS converted, sum(amount) AS total, sum(amount * id) AS weighted
FROM entries
UNION ALL
SELECT 'single', count(amount), sum(amount), sum(amount * id) FROM local_entries;

\echo == the domain and the CHECK constraint of a shard refuse a bad row inserted through the coordinator
INSERT INTO contacts VALUES (1, '(555) 123-4567', '$1.50'), (2, '(555) 765-4321', '($2.00)');
INSERT INTO contacts VALUES (3, '555123456', '$1.50');
INSERT INTO contacts VALUES (4, '(555) 123-4567', '$1.234');
SELECT * FROM contacts ORDER BY id;
