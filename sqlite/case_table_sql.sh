#!/usr/bin/env bash
# The SQL that answers a case table through the extension: every row with
# the mask as a column (the general path), then every op, type and mask as
# constants (the prepared path); a row that differs prints a "mismatch"
# line. Ends with "case table: N rows".
#   sqlite/case_table_sql.sh TABLE | sqlite3 -cmd '.load zorva' :memory:
set -euo pipefail
table=$1
rows="$(dirname "$0")/../tests/cases/to_rows.pl"
echo "CREATE TABLE cases(line, op, type, mask, value, expected); BEGIN;"
perl "$rows" --sql "$table"
cat <<'SQL'
COMMIT;
CREATE INDEX cases_by_mask ON cases(op, type, mask);
SELECT printf('mismatch at line %d: %s %s [%s] [%s] gave [%s], wanted [%s]',
              line, op, type, mask, value, got, expected)
FROM (SELECT *, CASE op
        WHEN 'check' THEN iif(zm_valid(type, mask, value), 'valid', 'invalid')
        WHEN 'raw' THEN zm_raw(type, mask, value)
        ELSE zm_format(type, mask, value) END AS got FROM cases)
WHERE got IS NOT expected;
SQL
perl "$rows" --sql-prepared "$table" 2>/dev/null
cat <<'SQL'
SELECT printf('case table: %d rows', count(*)) FROM cases;
-- A constant mask is prepared for the statement; one made of a column is
-- not: every value of the table gets the same answers both ways.
WITH answers AS MATERIALIZED (
  SELECT line, type, value, zm_valid(type, '', value) a, zm_raw(type, '#,##0.00;(#,##0.00)', value) b,
         zm_valid(type, '' || substr(mask, 1, 0), value) c,
         zm_raw(type, '#,##0.00;(#,##0.00)' || substr(mask, 1, 0), value) d FROM cases)
SELECT printf('mismatch at line %d: %s [%s] prepared [%s] [%s], general [%s] [%s]',
              line, type, value, a, b, c, d)
FROM answers WHERE a IS NOT c OR b IS NOT d;
SQL
