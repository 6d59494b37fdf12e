-- The shared case table: every row gives its expected answer; a row that
-- does not is listed. Rows with text SQL cannot hold are left out.
CREATE TEMP TABLE cases (line int, op text, type text, mask text, value text, expected text);
\copy cases FROM PROGRAM 'perl ../tests/cases/to_rows.pl --copy ../tests/cases/cases.tsv 2>/dev/null'
SELECT count(*) > 150 AS loaded FROM cases;
SELECT line, op, type, mask, value, got, expected
FROM (SELECT *, CASE op
        WHEN 'check' THEN CASE WHEN zm_valid(type, mask, value) THEN 'valid' ELSE 'invalid' END
        WHEN 'raw' THEN zm_raw(type, mask, value)
        ELSE zm_format(type, mask, value) END AS got
      FROM cases) answers
WHERE got IS DISTINCT FROM expected
ORDER BY line;
