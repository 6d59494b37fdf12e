CREATE EXTENSION zorva;

-- The three answers; the type by name, constant name (any case) or number.
SELECT zm_valid('currency', '', '($1,234.50)'), zm_valid('byte', '', '128'), zm_valid(5, '', '127');
SELECT zm_raw('currency', '', '($1,234.50)'), zm_raw('TKMECURRENCY', '', '$5.00'), zm_raw(1, '', '$5.00');
SELECT zm_format('currency', '', '-1234.5'), zm_format(2, 'mm/dd/yyyy', '2001-12-31');

-- Numbers and dates as values of zm_format convert as automation values do:
-- a number is itself for a currency and a day count for a date.
SELECT zm_format('currency', '', 1234.5) AS real,
       zm_format('currency', '', 1234::bigint) AS whole,
       zm_format('date', 'mm/dd/yyyy', 37256) AS day_count,
       zm_format('boolean', '', 1) AS bool;
SELECT zm_format('date', 'mm/dd/yyyy', date '2001-12-31') AS date,
       zm_format('datetime', 'mm/dd/yyyy hh:mm', timestamp '2001-12-31 10:30') AS stamp,
       zm_format('datetime', 'mm/dd/yyyy hh:mm', timestamp '1899-12-29 06:00') AS before_1899,
       zm_format('date', 'mm/dd/yyyy', 'infinity'::date) AS infinite;
-- A large double reaches the engine as "1E+23": the same answer as the DLLs give.
SELECT zm_format('double', '0', 1e23::float8) AS e23,
       left(zm_format('double', '0', 1e300::float8), 18) AS e300,
       length(zm_format('double', '0', 1e300::float8)) AS e300_length;

-- A numeric is exact, as a decimal of up to 29 digits (28 after the point,
-- more rounded off): the answer is its text's, past 15 digits too. Beyond a
-- decimal, and for NaN, it goes as a double.
SELECT n, zm_format('currency', '', n) AS numeric, zm_format('currency', '', n::text) AS text,
       zm_format('double', '', n) AS double, zm_format(0, '', n) AS plain
FROM (VALUES (12345678901234.56), (-922337203685477.5807), (1234.50), (-0.005), (0.0),
             (79228162514264337593543950335), (-7922816251426433759354395033.59),
             (0.12345678901234567890123456785), (1e30), ('NaN')) AS rows(n);
SELECT zm_format('datetime', 'mm/dd/yyyy hh:mm', 37256.5) AS day_count, zm_format('boolean', '', 0.0) AS zero;

-- Text goes through the code page: a character outside it becomes "?".
SELECT zm_raw('text', '', '中') AS outside, zm_raw('text', 'UU', 'ÿé') AS upper;

-- The type and mask change within one statement, each after a second row
-- has had them prepared: what a call site keeps for one mask must not
-- answer for another.
SELECT string_agg(zm_valid(type, mask, value) || ' ' || zm_raw(type, mask, value), '|' ORDER BY n)
FROM (VALUES (1, 'currency', '', '$1.50'), (2, 'currency', '', '$1.50'),
             (3, 'currency', '#,##0', '$1.50'), (4, 'currency', '#,##0', '$1.50'),
             (5, 'shortint', '#,##0', '$1.50'), (6, 'currency', '', '$1.50'),
             (7, 'text', '', '$1.50'), (8, 'currency', '#,##0', '$1.50')) AS rows(n, type, mask, value);

-- NULL in, NULL out.
SELECT zm_valid(NULL, '', '') IS NULL AS a, zm_raw('text', NULL, 'x') IS NULL AS b,
       zm_format('text', '', NULL::text) IS NULL AS c, zm_format(1, '', NULL::float8) IS NULL AS d;

-- An unknown type is an error with SQLSTATE 22023 (invalid_parameter_value).
SELECT zm_valid('dollars', '', '1');
SELECT zm_raw(18, '', '1');
SELECT zm_format(-1, '', '1');
DO $$
BEGIN
  PERFORM zm_raw('dollars', '', '1');
EXCEPTION WHEN invalid_parameter_value THEN
  RAISE NOTICE 'invalid_parameter_value: %', SQLERRM;
END $$;
SELECT zm_raw('text', '');

-- Every function is immutable, strict and parallel safe.
SELECT proname, provolatile, proisstrict, proparallel, count(*)
FROM pg_proc WHERE proname LIKE 'zm\_%' GROUP BY 1, 2, 3, 4 ORDER BY 1;

-- Every function has a description (\df+ shows it), and so has the extension (\dx).
SELECT proname, count(*) AS functions, count(obj_description(oid, 'pg_proc')) AS described
FROM pg_proc WHERE proname LIKE 'zm\_%' GROUP BY 1 ORDER BY 1;
SELECT obj_description(oid, 'pg_extension') FROM pg_extension WHERE extname = 'zorva';

-- A LATIN9 database: values reach the engines as the same characters and
-- answers come back in the database's encoding. Its owner is no superuser
-- and creates the extension, which is trusted.
CREATE ROLE regress_zorva_owner;
CREATE DATABASE zorva_latin9 OWNER regress_zorva_owner TEMPLATE template0 ENCODING 'LATIN9'
  LC_COLLATE 'C' LC_CTYPE 'C';
\c zorva_latin9
SET client_encoding = 'UTF8';
SET ROLE regress_zorva_owner;
CREATE EXTENSION zorva;
SELECT zm_raw('text', 'UU', 'éa') AS upper, zm_format('currency', '#,##0.00 "€"', 5) AS euro,
       zm_valid('text', 'L', 'é') AS letter;
\c contrib_regression
DROP DATABASE zorva_latin9;
DROP ROLE regress_zorva_owner;
