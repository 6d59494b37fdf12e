-- A million rows: the plan runs the function in parallel workers.
CREATE TABLE big AS
SELECT i AS id, CASE WHEN i % 10 = 0 THEN 'x' || i ELSE '$' || to_char(i, 'FM9,999,999') || '.50' END AS price
FROM generate_series(1, 1000000) i;
ANALYZE big;
SET parallel_setup_cost = 0;
SET parallel_tuple_cost = 0;
SET min_parallel_table_scan_size = 0;
SET max_parallel_workers_per_gather = 2;
EXPLAIN (COSTS OFF) SELECT count(*) FROM big WHERE zm_valid('currency', '', price);
SELECT count(*) FROM big WHERE zm_valid('currency', '', price);
EXPLAIN (VERBOSE, COSTS OFF) SELECT sum(zm_raw('currency', '', price)::numeric) FROM big WHERE id % 10 <> 0;
SELECT sum(zm_raw('currency', '', price)::numeric) FROM big WHERE id % 10 <> 0;
