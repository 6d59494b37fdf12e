-- A legacy export of 100,000 rows: written as CSV, loaded into a staging
-- table, then checked and converted into typed columns by one INSERT. The
-- file is the client's, in the results folder (pg_regress names it), so
-- that any server, local or not, and any user running the tests will do.
CREATE VIEW legacy AS
SELECT i AS id,
       CASE WHEN i % 1000 = 0 THEN '$1.234'  -- one row in 1000 has too many decimals
            WHEN i % 2 = 0 THEN '($' || to_char(i / 100.0, 'FM999,990.00') || ')'
            ELSE '$' || to_char(i / 100.0, 'FM999,990.00') END AS price,
       to_char(date '2000-01-01' + i % 3650, 'MM/DD/YY') AS day,
       '(555) ' || lpad((i % 1000)::text, 3, '0') || '-' || lpad((i % 10000)::text, 4, '0') AS phone,
       CASE WHEN i % 3 = 0 THEN 'No' ELSE 'Yes' END AS active
FROM generate_series(1, 100000) i;
\copy (SELECT * FROM legacy) TO PROGRAM 'cat > "$PG_ABS_BUILDDIR/results/legacy.csv"' (FORMAT csv, HEADER)

CREATE TABLE staging (id int, price text, day text, phone text, active text);
\copy staging FROM PROGRAM 'cat "$PG_ABS_BUILDDIR/results/legacy.csv"' (FORMAT csv, HEADER)
CREATE TABLE accounts (id int PRIMARY KEY, price numeric(12, 2), day date, phone char(10), active boolean);
INSERT INTO accounts
SELECT id, zm_raw('currency', '', price)::numeric, zm_raw('date', '', day)::date,
       zm_raw('text', '(###) ###-####', phone), zm_raw('boolean', 'Yes/No', active) = '1'
FROM staging
WHERE zm_valid('currency', '', price) AND zm_valid('date', '', day)
  AND zm_valid('text', '(###) ###-####', phone);

-- Every converted row agrees with the numbers it was made from.
SELECT count(*) AS rows,
       count(*) FILTER (WHERE price <> CASE WHEN id % 2 = 0 THEN -id ELSE id END / 100.0) AS bad_price,
       count(*) FILTER (WHERE day <> date '2000-01-01' + id % 3650) AS bad_day,
       count(*) FILTER (WHERE phone <> '555' || lpad((id % 1000)::text, 3, '0')
                                           || lpad((id % 10000)::text, 4, '0')) AS bad_phone,
       count(*) FILTER (WHERE active <> (id % 3 <> 0)) AS bad_active
FROM accounts;
