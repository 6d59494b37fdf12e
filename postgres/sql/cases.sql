-- The shared case table (ZORVA_CASES may name another made like it): every
-- row gives its expected answer in table order, grouped by type and mask (a
-- call site keeps the mask it made ready while they stay the same) and in a
-- plan of four parallel workers; a row that does not is listed with its
-- plan. Rows with text SQL cannot hold are left out. Not a temporary table:
-- parallel workers cannot read one.
CREATE TABLE cases (line int, op text, type text, mask text, value text, expected text);
\copy cases FROM PROGRAM 'perl ../tests/cases/to_rows.pl --copy "${ZORVA_CASES:-../tests/cases/cases.tsv}" 2>/dev/null'
SELECT count(*) > 150 AS loaded FROM cases;
ANALYZE cases;
CREATE FUNCTION answer(op text, type text, mask text, value text) RETURNS text
  LANGUAGE sql IMMUTABLE PARALLEL SAFE
  RETURN CASE op
    WHEN 'check' THEN CASE WHEN zm_valid(type, mask, value) THEN 'valid' ELSE 'invalid' END
    WHEN 'raw' THEN zm_raw(type, mask, value)
    ELSE zm_format(type, mask, value) END;
SET max_parallel_workers_per_gather = 0;
SELECT 'serial' AS plan, line, op, type, mask, value, got, expected
FROM (SELECT *, answer(op, type, mask, value) AS got FROM cases) answers
WHERE got IS DISTINCT FROM expected
ORDER BY line;
SELECT 'grouped' AS plan, line, op, type, mask, value, got, expected
FROM (SELECT *, answer(op, type, mask, value) AS got
      FROM (SELECT * FROM cases ORDER BY type, mask, op, line OFFSET 0) sorted) answers
WHERE got IS DISTINCT FROM expected
ORDER BY line;
SET parallel_setup_cost = 0;
SET parallel_tuple_cost = 0;
SET min_parallel_table_scan_size = 0;
SET max_parallel_workers_per_gather = 4;
ALTER TABLE cases SET (parallel_workers = 4);
CREATE VIEW parallel_answers AS
SELECT 'parallel' AS plan, line, op, type, mask, value, got, expected
FROM (SELECT *, answer(op, type, mask, value) AS got FROM cases) answers
WHERE got IS DISTINCT FROM expected;
EXPLAIN (COSTS OFF) SELECT * FROM parallel_answers ORDER BY line;
SELECT * FROM parallel_answers ORDER BY line;
RESET ALL;
DROP VIEW parallel_answers;
DROP FUNCTION answer;
DROP TABLE cases;
